#include "TbsSkinPanel.h"

#include "ChildAlign.h"
#include "EventDispatch.h"
#include "SkinCompose.h"
#include "SkinPalette.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

void frame3D(QPainter& p, SkinRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    // One-pixel frame: top and left edges in one colour, bottom and right in the other; the
    // rect shrinks by one pixel.
    p.setPen(topLeft);
    p.drawLine(r.left, r.top, r.right - 1, r.top);
    p.drawLine(r.left, r.top, r.left, r.bottom - 1);
    p.setPen(bottomRight);
    p.drawLine(r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
    p.drawLine(r.right - 1, r.top, r.right - 1, r.bottom - 1);
    r = SkinRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
}

void drawCheckMark(QPainter& p, int bx, int by)
{
    p.setPen(sysColor(SysColor::BtnText));
    for (int i = 0; i <= 2; ++i) {
        p.drawLine(bx + 3, by + 2 + 5 - i, bx + 5, by + 2 + 7 - i);
        p.drawLine(bx + 5, by + 2 + 7 - i, bx + 10, by + 2 + 2 - i);
    }
}

}  // namespace

TbsSkinPanel::TbsSkinPanel(QWidget* parent, TComponent* owner) : TbsSkinCustomControl(parent, owner)
{
    FSkinDataName = QStringLiteral("panel");
    resize(185, 41);
}

TbsSkinPanel::~TbsSkinPanel() = default;

void TbsSkinPanel::setCheckedMode(bool v)
{
    FCheckedMode = v;
    RepaintNow();
}

void TbsSkinPanel::setChecked(bool v)
{
    FChecked = v;
    if (FCheckedMode)
        RepaintNow();
    if (FAutoEnabledControls && FCheckedMode) {
        for (QObject* o : children())
            if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
                w->setEnabled(v);
    }
    fireNotify(OnChecked, this);
}

void TbsSkinPanel::setDefaultAlignment(TAlignment v)
{
    FDefaultAlignment = v;
    if (!isSkinned() && FCaptionMode)
        RepaintNow();
}

void TbsSkinPanel::setDefaultCaptionHeight(int v)
{
    FDefaultCaptionHeight = v;
    if (!isSkinned() && FCaptionMode) {
        RepaintNow();
        RealignChildren();
    }
}

void TbsSkinPanel::setBorderStyle(TbsSkinBorderStyle v)
{
    FBorderStyle = v;
    if (!isSkinned()) {
        RepaintNow();
        RealignChildren();
    }
}

void TbsSkinPanel::setCaptionMode(bool v)
{
    FCaptionMode = v;
    RepaintNow();
    RealignChildren();
}

void TbsSkinPanel::setRollUpMode(bool v)
{
    FRollUpMode = v;
    if (!isSkinned() && FCaptionMode)
        RepaintNow();
}

void TbsSkinPanel::setGlyph(const QImage& v)
{
    FGlyph = v;
    RepaintNow();
}

void TbsSkinPanel::setNumGlyphs(int v)
{
    FNumGlyphs = std::clamp(v, 1, 2);
    RepaintNow();
}

void TbsSkinPanel::setSpacing(int v)
{
    FSpacing = v;
    RepaintNow();
}

void TbsSkinPanel::setCaption(const QString& v)
{
    FCaption = v;
    if (FCaptionMode)
        RepaintNow();
}

void TbsSkinPanel::setRollUpState(bool v)
{
    if (!FRollUpMode) {
        FRollUpState = false;
        return;
    }
    FRollUpState = v;
    if (v)
        rollUp();
    else
        unroll();
}

void TbsSkinPanel::rollUp()
{
    if (FHeightBeforeRollUp == -1)
        FHeightBeforeRollUp = height();
    if (!FRolledUpChildren) {
        QList<QPointer<QWidget>> hidden;
        for (QObject* o : children())
            if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && !w->isHidden()) {
                hidden.append(w);
                w->hide();
            }
        FRolledUpChildren = hidden;
    }
    LoadSkinSection();
    if (isSkinned())
        resize(width(), height() + FFitted.clientRect.top - FFitted.clientRect.bottom);
    else
        resize(width(), FDefaultCaptionHeight + 1);
}

void TbsSkinPanel::unroll()
{
    if (FHeightBeforeRollUp == -1)
        return;
    resize(width(), FHeightBeforeRollUp);
    FHeightBeforeRollUp = -1;
    if (FRolledUpChildren)
        for (const auto& w : *FRolledUpChildren)
            if (w)
                w->show();
    FRolledUpChildren.reset();
}

void TbsSkinPanel::ApplySkin()
{
    TbsSkinCustomControl::ApplySkin();
    if (FRollUpState && FHeightBeforeRollUp != -1) {
        // Roll up again with the new skin, from the height remembered at the first roll-up.
        const int remembered = FHeightBeforeRollUp;
        resize(width(), remembered);
        rollUp();
    } else {
        RealignChildren();
    }
}

bool TbsSkinPanel::sectionHasBgPicture() const
{
    return isSkinned() && FSection.isPanel && !FSection.bgPicture.isNull();
}

QRect TbsSkinPanel::ClientArea() const
{
    const int W = width(), H = height();
    if (!isSkinned()) {
        SkinRect r(0, 0, W, H);
        if (FBorderStyle != TbsSkinBorderStyle::bvNone)
            r = SkinRect(1, 1, W - 1, H - 1);
        if (FCaptionMode)
            r.top += FDefaultCaptionHeight;
        return r.toQRect();
    }
    if (sectionHasBgPicture()
        || (FBorderStyle == TbsSkinBorderStyle::bvNone && !FCaptionMode
            && FStretchKind == TbsSkinStretchKind::stFourPoint))
        return rect();
    return FFitted.clientRect.toQRect();
}

void TbsSkinPanel::RealignChildren()
{
    LoadSkinSection();
    alignChildren(this, ClientArea());
}

void TbsSkinPanel::resizeEvent(QResizeEvent* event)
{
    TbsSkinCustomControl::resizeEvent(event);
    if (!isSkinned())
        RepaintNow();
    RealignChildren();
}

void TbsSkinPanel::changeEvent(QEvent* event)
{
    TbsSkinCustomControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        RepaintNow();
}

int TbsSkinPanel::captionContentWidth(const QFontMetrics& fm) const
{
    int w = fm.horizontalAdvance(FCaption);
    if (!FGlyph.isNull())
        w += FGlyph.width() / FNumGlyphs + FSpacing;
    return w;
}

void TbsSkinPanel::drawCaptionContent(QPainter& p, const SkinRect& area, int x, const QFont& font, const QColor& color)
{
    p.save();
    p.setClipRect(area.toQRect());
    p.setFont(font);
    const QFontMetrics fm(font);
    if (!FGlyph.isNull()) {
        const int frame = (!isEnabled() && FNumGlyphs == 2) ? 2 : 1;
        DrawGlyphFrame(p, x, area.top + area.height() / 2 - FGlyph.height() / 2, frame, FNumGlyphs, FGlyph);
        x += FGlyph.width() / FNumGlyphs + FSpacing;
    }
    const int y = area.top + area.height() / 2 - fm.height() / 2;
    p.setPen(color);
    p.drawText(QRect(x, y, fm.horizontalAdvance(FCaption) + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop, FCaption);
    p.restore();
}

void TbsSkinPanel::DrawDefaultImage(QImage& bitmap)
{
    const int W = width(), H = height();
    QPainter p(&bitmap);
    p.fillRect(0, 0, W, H, sysColor(SysColor::BtnFace));
    const QColor hi = sysColor(SysColor::BtnHighlight), sh = sysColor(SysColor::BtnShadow);
    SkinRect all(0, 0, W, H);
    switch (FBorderStyle) {
    case TbsSkinBorderStyle::bvRaised: frame3D(p, all, hi, sh); break;
    case TbsSkinBorderStyle::bvLowered: frame3D(p, all, sh, hi); break;
    case TbsSkinBorderStyle::bvFrame: frame3D(p, all, sh, sh); break;
    case TbsSkinBorderStyle::bvNone: break;
    }
    if (!FCaptionMode)
        return;

    SkinRect area;
    if (FBorderStyle == TbsSkinBorderStyle::bvFrame) {
        area = SkinRect(0, 0, W, FDefaultCaptionHeight);
        frame3D(p, area, sh, sh);
        frame3D(p, area, hi, sysColor(SysColor::BtnFace));
    } else {
        area = SkinRect(1, 1, W - 1, FDefaultCaptionHeight);
        frame3D(p, area, sh, hi);
        frame3D(p, area, hi, sh);
    }
    SkinRect text = area;
    if (FCheckedMode)
        text.left += 20;
    if (FRollUpMode)
        text.right -= 10;

    const QFontMetrics fm(FDefaultFont);
    const int cw = captionContentWidth(fm);
    int x = text.left + 2;
    if (FDefaultAlignment == TAlignment::taRightJustify)
        x = text.right - cw;
    else if (FDefaultAlignment == TAlignment::taCenter)
        x = text.left + 2 + text.width() / 2 - cw / 2;

    if (FCheckedMode) {
        const int bx = 5, by = text.top + text.height() / 2 - 7;
        p.setPen(sh);
        p.drawRect(bx, by, 13, 13);
        if (FChecked)
            drawCheckMark(p, bx, by);
    }
    drawCaptionContent(p, text, x, FDefaultFont, sysColor(SysColor::BtnText));

    if (FRollUpMode) {
        // Four rows 1, 3, 5, 7 pixels wide, centred in the 10 pixels right of the text area.
        const int cx = text.right + 5, cy = text.top + text.height() / 2 - 2;
        p.setPen(sysColor(SysColor::BtnText));
        for (int row = 0; row < 4; ++row) {
            const int half = FRollUpState ? 3 - row : row;
            p.drawLine(cx - half, cy + row, cx + half, cy + row);
        }
    }
}

void TbsSkinPanel::DrawSkinImage(QImage& bitmap)
{
    if (sectionHasBgPicture()) {
        QPainter p(&bitmap);
        tileSkinPiece(p, FSection.bgPicture, SkinRect::fromQRect(FSection.bgPicture.rect()),
                      SkinRect(0, 0, width(), height()));
        return;
    }
    if (FPicture.isNull() || FStretchKind == TbsSkinStretchKind::stUnusable) {
        DrawDefaultImage(bitmap);
        return;
    }
    if (FBorderStyle == TbsSkinBorderStyle::bvNone && FStretchKind == TbsSkinStretchKind::stFourPoint && !FCaptionMode) {
        QPainter p(&bitmap);
        tileSkinPiece(p, FPicture, FGeometry.clientRect.translated(FGeometry.skinRect.left, FGeometry.skinRect.top),
                      SkinRect(0, 0, width(), height()));
        return;
    }
    ComposeSkinImage(bitmap, FPicture, FGeometry.skinRect);
    if (!FSection.isPanel)
        return;

    FFittedCaptionRect = FStretchKind == TbsSkinStretchKind::stFixed ? FSection.captionRect
                                                                     : MapSkinRect(FSection.captionRect);
    QPainter p(&bitmap);
    if (!FCaption.isEmpty() && !FSection.captionRect.isEmpty()) {
        SkinRect cap = FFittedCaptionRect;
        if (FCheckedMode) {
            const SkinRect imgRect = FChecked ? FSection.checkImageRect : FSection.uncheckImageRect;
            if (!imgRect.isEmpty()) {
                const QImage img = glyphFrameImage(1, 1, FPicture.copy(imgRect.toQRect()));
                p.drawImage(cap.left, cap.top + cap.height() / 2 - img.height() / 2, img);
                cap.left += img.width() + 2;
            }
        }
        const QFont font = sectionFontOrDefault();
        const QFontMetrics fm(font);
        const int cw = captionContentWidth(fm);
        int x = cap.left;
        if (FSection.alignment == 1)
            x = cap.right - cw;
        else if (FSection.alignment == 2)
            x = cap.left + cap.width() / 2 - cw / 2;
        drawCaptionContent(p, cap, x, font, colorFromBgr(FSection.font.color));
    }
    if (!FSection.rollUpMarkerRect.isEmpty() && FRollUpMode) {
        FFittedMarkerRect = MapSkinRect(FSection.rollUpMarkerRect);
        if (FRollUpState && !FSection.restoreMarkerRect.isEmpty())
            copySkinPiece(p, FPicture, FSection.restoreMarkerRect, FFittedMarkerRect.left, FFittedMarkerRect.top);
    }
}

void TbsSkinPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && FCaptionMode && (FCheckedMode || FRollUpMode)) {
        const QPoint pt = event->position().toPoint();
        bool hit;
        if (isSkinned())
            hit = FFittedCaptionRect.containsExclusive(pt) || FFittedMarkerRect.containsExclusive(pt);
        else
            hit = SkinRect(1, 1, width() - 1, FDefaultCaptionHeight).containsInclusive(pt);
        if (hit) {
            if (FCheckedMode)
                setChecked(!FChecked);
            if (FRollUpMode)
                setRollUpState(!FRollUpState);
        }
    }
    TbsSkinCustomControl::mouseReleaseEvent(event);
}
