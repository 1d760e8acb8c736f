#pragma once
// One item of an open skinned pop-up window: its menu entry, whether it fits (Visible), is
// highlighted (Active) or has its submenu open (Down), its morph progress and its rectangle.

#include "SkinRect.h"

#include <QImage>

class QPainter;
class TbsSkinPopupWindow;
class TbsDataSkinMenuItem;
struct SkinMenuEntry;

class TbsSkinMenuItem {
public:
    TbsSkinMenuItem(TbsSkinPopupWindow* parent, SkinMenuEntry* entry, TbsDataSkinMenuItem* data,
                    const QImage* activePicture);

    void draw(QPainter& p) const;

    // Skinned with "morphing" and an active image: the highlight blends in and out.
    bool morphs() const;
    // The highlight (Active, or its submenu open) is still blending toward its end.
    bool CanMorph() const;
    // Progress + 0.1 while highlighted, - 0.1 otherwise, kept within 0...1.
    void MorphStep();

    SkinMenuEntry* Entry;
    TbsDataSkinMenuItem* Data; // null: unskinned
    const QImage* ActivePicture;
    bool Visible = false;
    bool Active = false;
    bool Down = false;
    double MorphKf = 0;
    SkinRect ItemRect;

private:
    void drawSkinned(QPainter& p) const;
    void drawUnskinned(QPainter& p) const;
    void drawFrameGlyph(QPainter& p, QPoint centreLeft, const QColor& color) const;
    TbsSkinPopupWindow* FParent;
};
