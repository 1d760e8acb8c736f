#include "TbsSkinSpeedButton.h"

#include "EventDispatch.h"
#include "MorphBlend.h"
#include "SkinPalette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

TbsSkinSpeedButton::TbsSkinSpeedButton(QWidget* parent, TComponent* owner)
    : TbsGraphicSkinCustomControl(parent, owner), FMorph(this, [this] { MorphTimerTick(); })
{
    FSkinDataName = QStringLiteral("toolbutton");
    resize(75, 25);
}

TbsSkinSpeedButton::~TbsSkinSpeedButton() = default;

void TbsSkinSpeedButton::setTransparent(bool v)
{
    FTransparent = v;
    setAttribute(Qt::WA_OpaquePaintEvent, !v);
    RepaintNow();
}

void TbsSkinSpeedButton::ButtonClick()
{
    fireNotify(OnClick, this);
}

void TbsSkinSpeedButton::LoadSkinSection()
{
    TbsGraphicSkinCustomControl::LoadSkinSection();
    if (isSkinned() && FSection.isButton) {
        if (FSection.activeSkinRect.isEmpty())
            FSection.activeSkinRect = FGeometry.skinRect;
        if (FSection.downSkinRect.isEmpty())
            FSection.downSkinRect = FSection.activeSkinRect;
    }
}

bool TbsSkinSpeedButton::morphingOn() const
{
    return isSkinned() && FSection.isButton && FSection.morphing && !FTransparent;
}

void TbsSkinSpeedButton::refresh()
{
    LoadSkinSection();
    if (morphingOn()) {
        FMorph.startIfIdle();
    } else {
        RepaintNow();
    }
}

void TbsSkinSpeedButton::MorphTimerTick()
{
    LoadSkinSection();
    if (FMorph.step(morphingOn(), FMouseIn))
        RepaintNow();
}

void TbsSkinSpeedButton::ApplySkin()
{
    FMorph.stop();
    FMorph.setFactor(0.0);
    TbsGraphicSkinCustomControl::ApplySkin();
    if (morphingOn() && FMouseIn)
        FMorph.setFactor(1.0);
}

void TbsSkinSpeedButton::setDown(bool v)
{
    FDown = v;
    if (morphingOn()) {
        // A released button fades to its new look.
        FMorph.setFactor(1.0);
        if (v)
            FMorph.stop();
        else
            FMorph.start();
    }
    RepaintNow();
    if (FGroupIndex != 0 && v && !FAllowAllUp && parentWidget()) {
        for (QObject* o : parentWidget()->children()) {
            auto* other = qobject_cast<TbsSkinSpeedButton*>(o);
            if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
                other->setDown(false);
        }
    }
}

void TbsSkinSpeedButton::DrawStateImage(QImage& bitmap, const SkinRect& stateRect, bool down, bool active)
{
    ComposeSkinImage(bitmap, FPicture, stateRect);
    QPainter p(&bitmap);
    p.setFont(sectionFontOrDefault());
    p.setPen(colorFromBgr(stateFontColor(FSection, isEnabled(), down, active)));
    DrawGlyphAndText(p, fittedClientRect(), FMargin, down && active,
                     glyphFrameChoice(down, active, isEnabled(), FNumGlyphs), FNumGlyphs, FGlyph, FCaption, FLayout,
                     FSpacing);
}

void TbsSkinSpeedButton::drawTransparentNormal(QImage& bitmap)
{
    QPainter p(&bitmap);
    const bool skinned = isSkinned() && FSection.isButton;
    p.setFont(skinned ? skinFont(FSection.font) : FDefaultFont);
    if (skinned)
        p.setPen(colorFromBgr(isEnabled() ? FSection.font.color : FSection.disabledFontColor));
    else
        p.setPen(isEnabled() ? sysColor(SysColor::BtnText) : sysColor(SysColor::BtnShadow));
    const SkinRect area = skinned ? fittedClientRect() : SkinRect(0, 0, width(), height());
    DrawGlyphAndText(p, area, FMargin, false, glyphFrameChoice(false, false, isEnabled(), FNumGlyphs), FNumGlyphs,
                     FGlyph, FCaption, FLayout, FSpacing);
}

void TbsSkinSpeedButton::DrawDefaultImage(QImage& bitmap)
{
    const bool downLook = FDown && ((FMouseIn && FGroupIndex == 0) || FGroupIndex != 0);
    if (!downLook && !FMouseIn && FTransparent) {
        drawTransparentNormal(bitmap);
        return;
    }
    QPainter p(&bitmap);
    DefaultButtonLook look = FFlat ? DefaultButtonLook::Flat : DefaultButtonLook::Normal;
    if (downLook)
        look = DefaultButtonLook::Down;
    else if (FMouseIn)
        look = DefaultButtonLook::Hot;
    drawDefaultButtonFace(p, rect(), look);
    p.setFont(FDefaultFont);
    p.setPen(isEnabled() ? sysColor(SysColor::BtnText) : sysColor(SysColor::BtnShadow));
    DrawGlyphAndText(p, SkinRect(0, 0, width(), height()), FMargin, downLook,
                     glyphFrameChoice(FDown, FMouseIn, isEnabled(), FNumGlyphs), FNumGlyphs, FGlyph, FCaption,
                     FLayout, FSpacing);
}

void TbsSkinSpeedButton::DrawSkinImage(QImage& bitmap)
{
    if (!FSection.isButton || FPicture.isNull()) {
        DrawDefaultImage(bitmap);
        return;
    }
    const SkinRect& normal = FGeometry.skinRect;
    if (morphingOn() && FMorph.factor() != 0.0 && FMorph.factor() != 1.0) {
        QImage a(size(), QImage::Format_ARGB32_Premultiplied), b(size(), QImage::Format_ARGB32_Premultiplied);
        a.fill(Qt::transparent);
        b.fill(Qt::transparent);
        DrawStateImage(a, normal, false, false);
        DrawStateImage(b, FSection.activeSkinRect, false, true);
        QPainter p(&bitmap);
        p.drawImage(0, 0, morphBlend(a, b, FMorph.factor(), FSection.morphKind));
    } else if (FDown && ((FMouseIn && FGroupIndex == 0) || FGroupIndex != 0)) {
        DrawStateImage(bitmap, FSection.downSkinRect, true, true);
    } else if (FMouseIn || (morphingOn() && FMorph.factor() == 1.0)) {
        DrawStateImage(bitmap, FSection.activeSkinRect, false, true);
    } else if (FTransparent) {
        drawTransparentNormal(bitmap);
    } else if (!isEnabled() && !FSection.disabledSkinRect.isEmpty()) {
        DrawStateImage(bitmap, FSection.disabledSkinRect, false, false);
    } else {
        DrawStateImage(bitmap, normal, false, false);
    }
}

void TbsSkinSpeedButton::paintEvent(QPaintEvent* event)
{
    if (!FTransparent) {
        TbsGraphicSkinCustomControl::paintEvent(event);
        return;
    }
    // Transparent: the parent shows through wherever the face draws nothing.
    const QImage face = renderFace();
    if (face.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, face);
}

void TbsSkinSpeedButton::enterEvent(QEnterEvent* event)
{
    TbsGraphicSkinCustomControl::enterEvent(event);
    pointerEntered();
}

void TbsSkinSpeedButton::pointerEntered()
{
    FPointerOver = true;
    FMouseIn = true;
    if (FGroupIndex == 0 || !FDown)
        refresh();
    if (FDown && FRepeatMode && FGroupIndex == 0)
        startRepeat();
}

void TbsSkinSpeedButton::leaveEvent(QEvent* event)
{
    TbsGraphicSkinCustomControl::leaveEvent(event);
    // Left already while the pointer was grabbed.
    if (FPointerOver)
        pointerLeft();
}

void TbsSkinSpeedButton::pointerLeft()
{
    FPointerOver = false;
    FMouseIn = false;
    if (FGroupIndex == 0 || !FDown)
        refresh();
    if (FDown && FRepeatMode && FGroupIndex == 0)
        stopRepeat();
}

void TbsSkinSpeedButton::startRepeat()
{
    FRepeatTimer = std::make_unique<QTimer>();
    FRepeatTimer->setInterval(FRepeatInterval);
    connect(FRepeatTimer.get(), &QTimer::timeout, this, [this] { ButtonClick(); });
    FRepeatTimer->start();
}

int TbsSkinSpeedButton::repeatTimerInterval() const
{
    return FRepeatTimer ? FRepeatTimer->interval() : 0;
}

void TbsSkinSpeedButton::stopRepeat()
{
    FRepeatTimer.reset();
}

void TbsSkinSpeedButton::mousePressEvent(QMouseEvent* event)
{
    TbsGraphicSkinCustomControl::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    FMouseButtonHeld = true;
    FPointerOver = true;
    if (!FDown) {
        FMouseIn = true;
        setDown(true);
        if (FRepeatMode && FGroupIndex == 0)
            startRepeat();
        else if (FGroupIndex != 0)
            ButtonClick();
        FWasDownAtPress = false;
    } else if (FGroupIndex != 0) {
        FWasDownAtPress = true;
    }
}

void TbsSkinSpeedButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TbsSkinSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    TbsGraphicSkinCustomControl::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    FMouseButtonHeld = false;
    if (!rect().contains(event->position().toPoint()))
        FMouseIn = false;
    if (FGroupIndex == 0) {
        if (FMouseIn) {
            setDown(false);
            stopRepeat();
            ButtonClick();
        } else {
            FDown = false;
            stopRepeat();
        }
    } else if (FDown && FAllowAllUp && FWasDownAtPress && FMouseIn) {
        setDown(false);
        ButtonClick();
    }
}

void TbsSkinSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    TbsGraphicSkinCustomControl::mouseMoveEvent(event);
    // While the left button is held the button has the pointer grab and the window system
    // sends no leave or enter: it follows the pointer itself.
    if (!FMouseButtonHeld)
        return;
    const bool over = rect().contains(event->position().toPoint());
    if (over && !FPointerOver)
        pointerEntered();
    else if (!over && FPointerOver)
        pointerLeft();
}

void TbsSkinSpeedButton::changeEvent(QEvent* event)
{
    TbsGraphicSkinCustomControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        FMorph.stop();
        FMorph.setFactor(0.0);
        FMouseIn = false;
        RepaintNow();
    }
}
