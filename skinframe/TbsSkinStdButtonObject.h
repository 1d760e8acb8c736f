#pragma once
// A caption button with a window command (close, maximize, minimize, roll-up, system menu),
// its restore images, and the default look of the unskinned frame's five buttons.

#include "TbsSkinButtonObject.h"

class TbsDataSkinStdButton;

class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    // data null: a default button; the frame then sets Command, IDName and SkinRectInAPicture.
    TbsSkinStdButtonObject(TbsSkinFrame* frame, TbsDataSkinStdButton* data);

    bool CanMorph() const override;
    void Draw(QPainter& canvas, bool update) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;

    bool madeFromSkinData() const { return FFromSkinData; }

    TbsStdCommand Command = TbsStdCommand::cmDefault;
    SkinRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInactiveRect;

private:
    void runCommand();
    bool showsRestoreImages() const;
    void drawDefault(QPainter& canvas);
    bool FFromSkinData = false;
};
