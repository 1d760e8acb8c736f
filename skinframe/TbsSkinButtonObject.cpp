#include "TbsSkinButtonObject.h"

#include "SkinMenuEntry.h"
#include "SkinObjectData.h"
#include "TbsSkinFrame.h"

#include <QPainter>

namespace {
SkinRect toSkin(const TbsRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
}

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinFrame* frame, TbsDataSkinButton* data)
    : TbsActiveSkinObject(frame, data)
{
    if (data) {
        DownRect = toSkin(data->DownRect);
        DisableSkinRsect = toSkin(data->DisableSkinRsect);
    }
}

bool TbsSkinButtonObject::hasOpenableMenu() const { return Menu && !Menu->Items.empty(); }

bool TbsSkinButtonObject::CanMorph() const
{
    if (Menu && FPressed)
        return false;
    return TbsActiveSkinObject::CanMorph();
}

void TbsSkinButtonObject::SetPressed(bool value)
{
    FPressed = value;
    if (Morphing && Active)
        FMorphKf = 1;
    RedrawObject();
    if (Morphing && !value)
        startImageChange();
}

void TbsSkinButtonObject::popupMenu()
{
    if (FFrame)
        FFrame->popupObjectMenu(this, *Menu, MenuUp);
}

void TbsSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == TMouseButton::mbLeft && !FPressed) {
        SetPressed(true);
        if (hasOpenableMenu())
            popupMenu();
    }
    TbsActiveSkinObject::MouseDown(X, Y, Button);
}

void TbsSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == TMouseButton::mbLeft && !Menu && FPressed)
        SetPressed(false);
    TbsActiveSkinObject::MouseUp(X, Y, Button);
}

void TbsSkinButtonObject::MouseEnter()
{
    MouseIn = true;
    Active = true;
    if (FPressed && !DownRect.isEmpty()) {
        if (Morphing)
            FMorphKf = 1;
        RedrawObject();
    } else if (!ActiveSkinRect.isEmpty()) {
        startImageChange();
    }
    if (FFrame && FFrame->OnMouseEnterEvent)
        FFrame->OnMouseEnterEvent(IDName);
}

void TbsSkinButtonObject::MouseLeave()
{
    MouseIn = false;
    Active = false;
    if (!(Menu && FPressed)) {
        RedrawObject();
        startImageChange();
    }
    if (FFrame && FFrame->OnMouseLeaveEvent)
        FFrame->OnMouseLeaveEvent(IDName);
}

void TbsSkinButtonObject::Draw(QPainter& canvas, bool update)
{
    const QPoint at(ObjectRect.left, ObjectRect.top);
    if (!Enabled && !DisableSkinRsect.isEmpty() && FActivePicture)
        canvas.drawImage(at, *FActivePicture, DisableSkinRsect.toQRect());
    else if (FPressed && MouseIn && !DownRect.isEmpty() && FActivePicture)
        canvas.drawImage(at, *FActivePicture, DownRect.toQRect());
    else
        TbsActiveSkinObject::Draw(canvas, update);
}
