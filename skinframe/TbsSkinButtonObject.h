#pragma once
// A button on the frame: pressed and disabled images, and optionally a menu that pops up
// below it (the button then stays pressed until the menu closes).

#include "TbsActiveSkinObject.h"

struct SkinMenuEntry;
class TbsDataSkinButton;

class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    TbsSkinButtonObject(TbsSkinFrame* frame, TbsDataSkinButton* data);

    bool CanMorph() const override;
    void Draw(QPainter& canvas, bool update) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool Pressed() const { return FPressed; }
    void SetPressed(bool value);

    SkinRect DownRect;
    SkinRect DisableSkinRsect;
    SkinMenuEntry* Menu = nullptr; // not owned
    bool MenuUp = false;

protected:
    bool hasOpenableMenu() const;
    void popupMenu();
    bool FPressed = false;
};
