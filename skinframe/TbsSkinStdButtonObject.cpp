#include "TbsSkinStdButtonObject.h"

#include "DefaultButtonGlyphs.h"
#include "SkinObjectData.h"
#include "SystemColors.h"
#include "TbsSkinFrame.h"

#include <QPainter>

namespace {
SkinRect toSkin(const TbsRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinFrame* frame, TbsDataSkinStdButton* data)
    : TbsSkinButtonObject(frame, data), FFromSkinData(data != nullptr)
{
    if (!data)
        return;
    Command = data->Command;
    RestoreRect = toSkin(data->RestoreRect);
    RestoreActiveRect = toSkin(data->RestoreActiveRect);
    RestoreDownRect = toSkin(data->RestoreDownRect);
    RestoreInactiveRect = toSkin(data->RestoreInactiveRect);
}

bool TbsSkinStdButtonObject::CanMorph() const
{
    if (Command == TbsStdCommand::cmSysMenu && FFrame && FFrame->ShowIcon && SkinRectInAPicture)
        return false;
    return TbsSkinButtonObject::CanMorph();
}

void TbsSkinStdButtonObject::DblClick()
{
    if (Command == TbsStdCommand::cmSysMenu && FFrame)
        FFrame->Close();
}

void TbsSkinStdButtonObject::MouseDown(int /*X*/, int /*Y*/, TMouseButton Button)
{
    if (!Enabled || Button != TMouseButton::mbLeft || FPressed)
        return;
    SetPressed(true);
    if (Command == TbsStdCommand::cmSysMenu && FFrame)
        FFrame->popupSystemMenuBelow(this);
}

void TbsSkinStdButtonObject::runCommand()
{
    if (!FFrame)
        return;
    switch (Command) {
    case TbsStdCommand::cmClose: FFrame->Close(); break;
    case TbsStdCommand::cmMaximize:
        FFrame->SetFrameState(FFrame->FrameState() == TbsFrameState::Maximized ? TbsFrameState::Normal
                                                                                : TbsFrameState::Maximized);
        break;
    case TbsStdCommand::cmMinimize:
        FFrame->SetFrameState(FFrame->FrameState() == TbsFrameState::Minimized ? TbsFrameState::Normal
                                                                                : TbsFrameState::Minimized);
        break;
    case TbsStdCommand::cmRollUp: FFrame->SetRolledUp(!FFrame->RolledUp()); break;
    case TbsStdCommand::cmSysMenu:
    case TbsStdCommand::cmDefault: break;
    }
}

void TbsSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    const bool runs = Button == TMouseButton::mbLeft && Active && Enabled;
    // Close runs after the button is drawn released; the others before.
    if (runs && Command != TbsStdCommand::cmClose)
        runCommand();
    TbsSkinButtonObject::MouseUp(X, Y, Button);
    if (runs && Command == TbsStdCommand::cmClose)
        runCommand();
}

void TbsSkinStdButtonObject::MouseEnter()
{
    TbsSkinButtonObject::MouseEnter();
    // A default button has no active image whose change would redraw it, yet it draws its
    // hover border while the mouse is in it.
    if (!FFromSkinData)
        RedrawObject();
}

bool TbsSkinStdButtonObject::showsRestoreImages() const
{
    if (!FFrame || RestoreRect.isEmpty())
        return false;
    switch (Command) {
    case TbsStdCommand::cmMaximize: return FFrame->FrameState() == TbsFrameState::Maximized;
    case TbsStdCommand::cmMinimize: return FFrame->FrameState() == TbsFrameState::Minimized;
    case TbsStdCommand::cmRollUp: return FFrame->RolledUp();
    default: return false;
    }
}

void TbsSkinStdButtonObject::Draw(QPainter& canvas, bool update)
{
    if (!FFromSkinData) {
        drawDefault(canvas);
        return;
    }
    const QPoint at(ObjectRect.left, ObjectRect.top);
    if (Enabled && Command == TbsStdCommand::cmSysMenu && FFrame && FFrame->ShowIcon && SkinRectInAPicture) {
        canvas.drawImage(at, FFrame->smallIcon());
        FMorphKf = 0;
        return;
    }
    if (Enabled && showsRestoreImages() && FActivePicture) {
        auto draw = [&](const SkinRect& r) { canvas.drawImage(at, *FActivePicture, r.toQRect()); };
        if (!FFrame->isFormActive() && !RestoreInactiveRect.isEmpty())
            draw(RestoreInactiveRect);
        else if (FPressed && MouseIn && !RestoreDownRect.isEmpty())
            draw(RestoreDownRect);
        else if (morphUnderWay())
            drawImage(canvas, morphImage(imageOf(FActivePicture, RestoreRect), imageOf(FActivePicture, RestoreActiveRect)));
        else if (Active && !RestoreActiveRect.isEmpty())
            draw(RestoreActiveRect);
        else
            draw(RestoreRect);
        return;
    }
    TbsSkinButtonObject::Draw(canvas, update);
}

void TbsSkinStdButtonObject::drawDefault(QPainter& canvas)
{
    const int w = ObjectRect.width(), h = ObjectRect.height();
    if (w < 1 || h < 1)
        return;
    const QPoint at(ObjectRect.left, ObjectRect.top);
    if (Command == TbsStdCommand::cmSysMenu && FFrame && FFrame->ShowIcon) {
        canvas.drawImage(at, FFrame->smallIcon());
        return;
    }
    QImage face(w, h, QImage::Format_RGB32);
    face.fill(SystemColors::color(SystemColor::ButtonFace));
    QPainter p(&face);
    const bool down = FPressed && MouseIn;
    if (MouseIn) {
        p.fillRect(0, 0, w, h, QColor(0x00, 0x00, 0x80));
        p.fillRect(1, 1, w - 2, h - 2, down ? QColor(0x85, 0x93, 0xB5) : QColor(0xB6, 0xBD, 0xD2));
    }
    const QColor glyphColor = SystemColors::color(Enabled ? SystemColor::ButtonText : SystemColor::ButtonShadow);
    QPoint anchor(w / 2 - 5, h / 2 - 4);
    if (down)
        anchor += QPoint(1, 1);
    DefaultGlyph glyph = DefaultGlyph::SysMenu;
    const TbsFrameState state = FFrame ? FFrame->FrameState() : TbsFrameState::Normal;
    switch (Command) {
    case TbsStdCommand::cmClose: glyph = DefaultGlyph::Close; break;
    case TbsStdCommand::cmMaximize:
        glyph = state == TbsFrameState::Maximized ? DefaultGlyph::Restore : DefaultGlyph::Maximize;
        break;
    case TbsStdCommand::cmMinimize:
        glyph = state == TbsFrameState::Minimized ? DefaultGlyph::Restore : DefaultGlyph::Minimize;
        break;
    case TbsStdCommand::cmRollUp:
        glyph = FFrame && FFrame->RolledUp() ? DefaultGlyph::RollDown : DefaultGlyph::RollUp;
        break;
    default: glyph = DefaultGlyph::SysMenu; break;
    }
    drawDefaultGlyph(p, glyph, anchor, glyphColor);
    p.end();
    canvas.drawImage(at, face);
}
