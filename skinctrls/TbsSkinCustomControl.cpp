#include "TbsSkinCustomControl.h"

#include "SkinCompose.h"
#include "SkinPalette.h"

#include <QPainter>
#include <QResizeEvent>

TbsSkinCustomControl::TbsSkinCustomControl(QWidget* parent, TComponent* owner)
    : TbsSkinControl(parent, owner), FDefaultFont(defaultSkinFont())
{
}

void TbsSkinCustomControl::setDefaultFont(const QFont& value)
{
    FDefaultFont = value;
    DefaultFontChanged();
    if (!isSkinned())
        RepaintNow();
}

void TbsSkinCustomControl::setDefaultWidth(int value)
{
    FDefaultWidth = value;
    if (!isSkinned() && value > 0)
        resize(value, height());
}

void TbsSkinCustomControl::setDefaultHeight(int value)
{
    FDefaultHeight = value;
    if (!isSkinned() && value > 0)
        resize(width(), value);
}

void TbsSkinCustomControl::LoadSkinSection()
{
    TbsSkinControl::LoadSkinSection();
    if (FIndex == -1)
        return;
    if (FSection.isCustomControl) {
        FGeometry = FSection.geometry;
        FPicture = FSection.picture;
        FMask = FSection.mask;
        FStretchKind = stretchKindOf(FGeometry);
        // Keep the fitted geometry in step with the current size, also for paints that come
        // before any resize.
        int W = width(), H = height();
        FFitted = fitToSkin(FStretchKind, FGeometry, FFitted, W, H);
    } else {
        FStretchKind = TbsSkinStretchKind::stFixed;
        FPicture = QImage();
        FMask = QImage();
    }
}

void TbsSkinCustomControl::FitToSkin(int& W, int& H)
{
    if (!isSkinned())
        return;
    FFitted = fitToSkin(FStretchKind, FGeometry, FFitted, W, H);
}

SkinRect TbsSkinCustomControl::MapSkinRect(const SkinRect& r) const
{
    return mapSkinRect(FStretchKind, FGeometry, r, width(), height());
}

void TbsSkinCustomControl::SetBounds(int left, int top, int w, int h)
{
    // Qt delivers the resize event of a hidden widget only when it is shown; fit at once.
    LoadSkinSection();
    if (isSkinned() && (w != width() || h != height()))
        FitToSkin(w, h);
    setGeometry(left, top, w, h);
}

void TbsSkinCustomControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FFitting)
        return;
    LoadSkinSection();
    if (!isSkinned())
        return;
    int W = width(), H = height();
    FitToSkin(W, H);
    if (W != width() || H != height()) {
        FFitting = true;
        resize(W, H);
        FFitting = false;
    }
    UpdateSkinRegion();
    RepaintNow();
}

void TbsSkinCustomControl::ApplySkin()
{
    LoadSkinSection();
    if (!isSkinned()) {
        if (FDefaultWidth > 0)
            resize(FDefaultWidth, height());
        if (FDefaultHeight > 0)
            resize(width(), FDefaultHeight);
        UpdateSkinRegion();
        RepaintNow();
        return;
    }
    int W = width(), H = height();
    FitToSkin(W, H);
    if (W != width() || H != height()) {
        FFitting = true;
        resize(W, H);
        FFitting = false;
    }
    UpdateSkinRegion();
    RepaintNow();
}

void TbsSkinCustomControl::UpdateSkinRegion()
{
    if (!usesWindowRegion())
        return;
    QRegion region;
    if (isSkinned() && !FMask.isNull()) {
        const int W = width(), H = height();
        const SkinGeometry& g = FGeometry;
        switch (FStretchKind) {
        case TbsSkinStretchKind::stFixed:
            region = MaskToRegion(FMask, 0, 0);
            break;
        case TbsSkinStretchKind::stUnusable:
            break;
        case TbsSkinStretchKind::stFourPoint:
            region = FourPointMaskRegion(FMask, g, FFitted, W, H);
            break;
        case TbsSkinStretchKind::stHorizontal: {
            SkinGeometry h = g;
            h.leftBottom = g.leftTop;
            h.rightBottom = g.rightTop;
            FittedGeometry f = FFitted;
            f.leftBottom = f.leftTop;
            f.rightTop = f.rightBottom = QPoint(W + g.rightTop.x() - g.skinWidth(), g.rightTop.y());
            region = FourPointMaskRegion(FMask, h, f, W, H);
            break;
        }
        case TbsSkinStretchKind::stVertical: {
            SkinGeometry v = g;
            v.rightTop = g.leftTop;
            v.rightBottom = g.leftBottom;
            FittedGeometry f = FFitted;
            f.rightTop = f.leftTop;
            f.leftBottom = f.rightBottom = QPoint(g.leftBottom.x(), H + g.leftBottom.y() - g.skinHeight());
            region = FourPointMaskRegion(FMask, v, f, W, H);
            break;
        }
        }
    }
    if (region.isEmpty()) {
        if (!FRegion.isEmpty()) {
            clearMask();
            FRegion = QRegion();
        }
        return;
    }
    FRegion = region;
    setMask(FRegion);
}

QImage TbsSkinCustomControl::composedSkinImage(const QImage& picture, const SkinRect& source) const
{
    const int W = width(), H = height();
    const SkinGeometry& g = FGeometry;
    switch (FStretchKind) {
    case TbsSkinStretchKind::stFixed:
        return picture.isNull() || source.isEmpty() ? QImage() : picture.copy(source.toQRect());
    case TbsSkinStretchKind::stUnusable:
        return QImage();
    case TbsSkinStretchKind::stFourPoint:
        return ComposeFourPointImage(W, H, picture, source, g, FFitted, true);
    case TbsSkinStretchKind::stHorizontal:
        return ComposeHorizontalImage(W, picture, source, g.leftTop.x(), g.skinWidth() - g.rightTop.x());
    case TbsSkinStretchKind::stVertical:
        return ComposeVerticalImage(H, picture, source, g.leftTop.y(), g.skinHeight() - g.leftBottom.y());
    }
    return QImage();
}

void TbsSkinCustomControl::ComposeSkinImage(QImage& dest, const QImage& picture, const SkinRect& source)
{
    const QImage img = composedSkinImage(picture, source);
    if (img.isNull())
        return;
    QPainter p(&dest);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, img);
}

void TbsSkinCustomControl::DrawDefaultImage(QImage& bitmap)
{
    QPainter p(&bitmap);
    p.fillRect(rect(), sysColor(SysColor::BtnFace));
}

void TbsSkinCustomControl::DrawSkinImage(QImage& bitmap)
{
    // A section without a picture has nothing to compose from: show the default face.
    if (FPicture.isNull() || FStretchKind == TbsSkinStretchKind::stUnusable) {
        DrawDefaultImage(bitmap);
        return;
    }
    ComposeSkinImage(bitmap, FPicture, FGeometry.skinRect);
}

QFont TbsSkinCustomControl::sectionFontOrDefault() const
{
    if (isSkinned() && FUseSkinFont && !FSection.font.name.isEmpty())
        return skinFont(FSection.font);
    return FDefaultFont;
}
