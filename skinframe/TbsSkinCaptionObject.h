#pragma once
// The caption area of the frame: the form's caption text in the skin's font, shortened with
// "..." to its text area, with shadow, alignment and frame image; active while the form is.

#include "TbsActiveSkinObject.h"

#include <QFont>
#include <QString>

class TbsDataSkinCaption;

class TbsSkinCaptionObject : public TbsActiveSkinObject {
public:
    TbsSkinCaptionObject(TbsSkinFrame* frame, TbsDataSkinCaption* data);

    void Draw(QPainter& canvas, bool update) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // The text as drawn in the current text area (shortened), and where: in window
    // coordinates. Empty when no text is drawn.
    QString shownText() const;
    QRect textArea() const;
    QFont font() const { return FFont; }

    SkinRect TextRect;
    int FontColor = 0, ActiveFontColor = 0;
    TbsAlignment Alignment = TbsAlignment::taCenter;
    bool Shadow = false;
    int ShadowColor = 0, ActiveShadowColor = 0;
    SkinRect FrameRect, ActiveFrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;

private:
    // Draws the text (and its frame image) with `origin` as the object's top-left.
    void drawText(QPainter& p, QPoint origin, bool activeStyle) const;
    QImage captionImage(const QImage* picture, const SkinRect& src, bool activeStyle) const;
    QFont FFont;
    int FLeftTopX = 0, FRightTopX = 0; // the skin's [FORMINFO] points
};
