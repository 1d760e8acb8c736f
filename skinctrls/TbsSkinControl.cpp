#include "TbsSkinControl.h"

#include "EventDispatch.h"
#include "SkinDataLink.h"
#include "SkinLookup.h"

#include <QPainter>

TbsSkinControl::TbsSkinControl(QWidget* parent, TComponent* owner) : QWidget(parent), TComponent(owner)
{
    // The bitmap covers the whole area: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TbsSkinControl::~TbsSkinControl() = default;

void TbsSkinControl::setSkinData(TbsSkinData* value)
{
    relinkSkinData(*this, FSkinData, value);
    if (value && skinIsLoaded(value))
        ApplySkin();
}

void TbsSkinControl::notification(TComponent* component, Operation operation)
{
    if (isSkinDataRemoval(FSkinData, component, operation)) {
        FSkinData = nullptr;
        FIndex = -1;
    }
    TComponent::notification(component, operation);
}

void TbsSkinControl::LoadSkinSection()
{
    const auto found = findSkinSection(FSkinData, FSkinDataName);
    FIndex = found ? found->index : -1;
    FSection = found ? *found : SkinSection{};
}

void TbsSkinControl::ApplySkin()
{
    LoadSkinSection();
    RepaintNow();
}

void TbsSkinControl::ResetSkinSection()
{
    FIndex = -1;
}

void TbsSkinControl::RepaintNow()
{
    repaint();
}

void TbsSkinControl::DrawDefaultImage(QImage& bitmap)
{
    bitmap.fill(palette().color(QPalette::Window));
}

void TbsSkinControl::DrawSkinImage(QImage& bitmap)
{
    DrawDefaultImage(bitmap);
}

QImage TbsSkinControl::renderFace()
{
    if (width() <= 0 || height() <= 0)
        return QImage();
    LoadSkinSection();
    QImage bitmap(size(), QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    if (isSkinned())
        DrawSkinImage(bitmap);
    else
        DrawDefaultImage(bitmap);
    return bitmap;
}

void TbsSkinControl::paintEvent(QPaintEvent*)
{
    const QImage bitmap = renderFace();
    if (bitmap.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, bitmap);
}

void TbsSkinControl::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    fireNotify(OnMouseEnter, this);
}

void TbsSkinControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    fireNotify(OnMouseLeave, this);
}
