#include "TbsActiveSkinObject.h"

#include "SkinObjectData.h"
#include "TbsEffectBmp.h"
#include "TbsSkinData.h"
#include "TbsSkinFrame.h"

#include <QPainter>
#include <algorithm>

namespace {
SkinRect toSkin(const TbsRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
}

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinFrame* frame, TbsDataSkinObject* data) : FFrame(frame)
{
    if (!data)
        return;
    IDName = data->IDName;
    Hint = data->Hint;
    SkinRectInAPicture = data->SkinRectInAPicture;
    SkinRectValue = toSkin(data->SkinRect);
    ObjectRect = SkinRectValue;
    Morphing = data->Morphing;
    MorphKind = data->MorphKind;
    if (TbsSkinData* skin = frame ? frame->SkinData() : nullptr) {
        FPicture = &skin->MainPicture();
        FActivePicture = skin->ActivePicture(data->ActivePictureIndex);
    }
    // Without its picture an active image cannot exist; every later reader sees it empty.
    if (!FActivePicture)
        data->ActiveSkinRect = TbsRect{};
    ActiveSkinRect = toSkin(data->ActiveSkinRect);
    if (ActiveSkinRect.isEmpty())
        Morphing = false;
}

bool TbsActiveSkinObject::CanMorph() const
{
    return (Active && FMorphKf < 1) || (!Active && FMorphKf > 0);
}

bool TbsActiveSkinObject::morphUnderWay() const
{
    return Morphing && (Active ? FMorphKf < 1 : FMorphKf > 0);
}

void TbsActiveSkinObject::MorphStep()
{
    FMorphKf = std::clamp(FMorphKf + (Active ? 0.1 : -0.1), 0.0, 1.0);
    RedrawObject();
}

void TbsActiveSkinObject::RedrawObject()
{
    if (FFrame)
        FFrame->redrawObject(this);
}

void TbsActiveSkinObject::startImageChange()
{
    if (Morphing && FFrame)
        FFrame->startMorphTimer();
    else
        RedrawObject();
}

void TbsActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (FFrame && FFrame->OnMouseDownEvent)
        FFrame->OnMouseDownEvent(IDName, X, Y, ObjectRect.toQRect(), Button);
}

void TbsActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (MouseIn && FFrame && FFrame->OnMouseUpEvent)
        FFrame->OnMouseUpEvent(IDName, X, Y, ObjectRect.toQRect(), Button);
}

void TbsActiveSkinObject::MouseMove(int X, int Y)
{
    if (FFrame && FFrame->OnMouseMoveEvent)
        FFrame->OnMouseMoveEvent(IDName, X, Y, ObjectRect.toQRect());
}

void TbsActiveSkinObject::MouseEnter()
{
    MouseIn = true;
    Active = true;
    if (!ActiveSkinRect.isEmpty())
        startImageChange();
    if (FFrame && FFrame->OnMouseEnterEvent)
        FFrame->OnMouseEnterEvent(IDName);
}

void TbsActiveSkinObject::MouseLeave()
{
    MouseIn = false;
    Active = false;
    if (!ActiveSkinRect.isEmpty())
        startImageChange();
    if (FFrame && FFrame->OnMouseLeaveEvent)
        FFrame->OnMouseLeaveEvent(IDName);
}

QImage TbsActiveSkinObject::imageOf(const QImage* picture, const SkinRect& src) const
{
    QImage img(std::max(1, ObjectRect.width()), std::max(1, ObjectRect.height()), QImage::Format_RGB32);
    img.fill(Qt::black);
    if (picture && !picture->isNull() && !src.isEmpty()) {
        QPainter p(&img);
        p.drawImage(QPoint(0, 0), *picture, src.toQRect());
    }
    return img;
}

QImage TbsActiveSkinObject::morphImage(const QImage& normal, const QImage& active) const
{
    TbsEffectBmp a(normal);
    a.Morph(MorphKind, TbsEffectBmp(active), FMorphKf);
    return a.toImage();
}

void TbsActiveSkinObject::drawImage(QPainter& canvas, const QImage& image) const
{
    canvas.drawImage(QPoint(ObjectRect.left, ObjectRect.top), image);
}

void TbsActiveSkinObject::Draw(QPainter& canvas, bool update)
{
    if (morphUnderWay()) {
        drawImage(canvas, morphImage(imageOf(normalPicture(), SkinRectValue), imageOf(FActivePicture, ActiveSkinRect)));
    } else if (Active && !ActiveSkinRect.isEmpty()) {
        canvas.drawImage(QPoint(ObjectRect.left, ObjectRect.top), *FActivePicture, ActiveSkinRect.toQRect());
    } else if (SkinRectInAPicture) {
        if (FActivePicture)
            canvas.drawImage(QPoint(ObjectRect.left, ObjectRect.top), *FActivePicture, SkinRectValue.toQRect());
    } else if (update && FPicture && !FPicture->isNull()) {
        // While the frame paints itself, the main picture already shows this image.
        canvas.drawImage(QPoint(ObjectRect.left, ObjectRect.top), *FPicture, SkinRectValue.toQRect());
    }
}
