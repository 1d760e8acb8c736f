#include "TbsSkinCustomEdit.h"

#include "EventDispatch.h"
#include "SkinCompose.h"
#include "SkinDataLink.h"
#include "SkinLookup.h"
#include "SkinPalette.h"

#include <QMouseEvent>
#include <QPainter>

TbsSkinCustomEdit::TbsSkinCustomEdit(QWidget* parent, TComponent* owner)
    : TbsCustomEdit(parent, owner), FDefaultFont(defaultSkinFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    FEdit->setMouseTracking(true);
    resize(121, 20);
    recreateNative();
}

void TbsSkinCustomEdit::setSkinData(TbsSkinData* value)
{
    relinkSkinData(*this, FSkinData, value);
    if (value && skinIsLoaded(value))
        ApplySkin();
}

void TbsSkinCustomEdit::notification(TComponent* component, Operation operation)
{
    if (isSkinDataRemoval(FSkinData, component, operation)) {
        FSkinData = nullptr;
        FIndex = -1;
    }
    TComponent::notification(component, operation);
}

void TbsSkinCustomEdit::setDefaultFont(const QFont& value)
{
    FDefaultFont = value;
    if (!isSkinned())
        recreateNative();
}

void TbsSkinCustomEdit::setDefaultWidth(int value)
{
    FDefaultWidth = value;
    if (!isSkinned() && value > 0)
        resize(value, height());
}

void TbsSkinCustomEdit::setDefaultHeight(int value)
{
    FDefaultHeight = value;
    if (!isSkinned() && value > 0)
        resize(width(), value);
}

void TbsSkinCustomEdit::setButtonMode(bool value)
{
    FButtonMode = value;
    recreateNative();
    update();
}

void TbsSkinCustomEdit::setEditPasswordChar(QChar value)
{
    FPasswordChar = value;
    FEdit->setEchoMode(value.isNull() ? QLineEdit::Normal : QLineEdit::Password);
    // The native edit masks with the style's own character unless told which one to use. It
    // reads the character when its style changes, which replacing one sheet by another is not.
    FEdit->setStyleSheet(QString());
    FEdit->setStyleSheet(value.isNull() ? QString()
                                        : QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                                              .arg(value.unicode()));
    recreateNative();
}

void TbsSkinCustomEdit::setAlignment(Qt::Alignment value)
{
    FEdit->setAlignment((value & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void TbsSkinCustomEdit::LoadSkinSection()
{
    const auto found = findSkinSection(FSkinData, FSkinDataName);
    FIndex = found ? found->index : -1;
    if (found && found->isEdit) {
        FSection = *found;
        if (FSection.activeSkinRect.isEmpty())
            FSection.activeSkinRect = FSection.geometry.skinRect;
        if (FSection.downButtonRect.isEmpty())
            FSection.downButtonRect = FSection.activeButtonRect;
    }
}

EditGeometry TbsSkinCustomEdit::geometryNow()
{
    LoadSkinSection();
    if (isSkinned() && FSection.isEdit)
        return skinnedEditGeometry(FSection.geometry.clientRect, FSection.buttonRect, FSection.geometry.rightTop,
                                   FSection.geometry.skinWidth(), width());
    return defaultEditGeometry(width(), height(), FButtonMode);
}

void TbsSkinCustomEdit::setFontColor(int bgr)
{
    // The disabled group keeps "disabledfontcolor": hovering or focusing changes only the
    // colour of an enabled edit.
    QPalette pal = FEdit->palette();
    pal.setColor(QPalette::Active, QPalette::Text, colorFromBgr(bgr));
    pal.setColor(QPalette::Inactive, QPalette::Text, colorFromBgr(bgr));
    FEdit->setPalette(pal);
}

void TbsSkinCustomEdit::recreateNative()
{
    LoadSkinSection();
    const bool skinned = isSkinned() && FSection.isEdit;
    QFont font = FDefaultFont;
    QPalette pal = FEdit->palette();
    pal.setColor(QPalette::Base, Qt::transparent);
    if (skinned) {
        if (FUseSkinFont)
            font = skinFont(FSection.font);
        const QColor c = colorFromBgr(hasFocus() || FMouseIn ? FSection.activeFontColor : FSection.font.color);
        pal.setColor(QPalette::Active, QPalette::Text, c);
        pal.setColor(QPalette::Inactive, QPalette::Text, c);
        pal.setColor(QPalette::Disabled, QPalette::Text, colorFromBgr(FSection.disabledFontColor));
    } else {
        pal.setColor(QPalette::Active, QPalette::Text, sysColor(SysColor::WindowText));
        pal.setColor(QPalette::Inactive, QPalette::Text, sysColor(SysColor::WindowText));
        pal.setColor(QPalette::Disabled, QPalette::Text, sysColor(SysColor::GrayText));
    }
    pal.setColor(QPalette::Highlight, sysColor(SysColor::Highlight));
    pal.setColor(QPalette::HighlightedText, sysColor(SysColor::HighlightText));
    FEdit->setPalette(pal);
    FEdit->setFont(font);
    // Native margins: 2 on the left, none on the right.
    FEdit->setTextMargins(2, 0, 0, 0);
    FEdit->setGeometry(geometryNow().textRect.toQRect());
    update();
}

void TbsSkinCustomEdit::ApplySkin()
{
    LoadSkinSection();
    if (!isSkinned() || !FSection.isEdit) {
        if (FDefaultWidth > 0)
            resize(FDefaultWidth, height());
        if (FDefaultHeight > 0)
            resize(width(), FDefaultHeight);
    } else {
        resize(width(), FSection.geometry.skinHeight());
    }
    recreateNative();
}

void TbsSkinCustomEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!FFitting) {
        LoadSkinSection();
        if (isSkinned() && FSection.isEdit && height() != FSection.geometry.skinHeight()) {
            FFitting = true;
            resize(width(), FSection.geometry.skinHeight());
            FFitting = false;
        }
    }
    FEdit->setGeometry(geometryNow().textRect.toQRect());
    update();
}

QImage TbsSkinCustomEdit::renderFace()
{
    const int W = width(), H = height();
    QImage bitmap(W, H, QImage::Format_ARGB32_Premultiplied);
    const EditGeometry geo = geometryNow();
    QPainter p(&bitmap);
    const bool active = FMouseIn || FEdit->hasFocus();
    if (isSkinned() && FSection.isEdit && !FSection.picture.isNull()) {
        bitmap.fill(sysColor(SysColor::Window));
        const SkinGeometry& g = FSection.geometry;
        const QImage face = ComposeHorizontalImage(W, FSection.picture, active ? FSection.activeSkinRect : g.skinRect,
                                                   g.leftTop.x(), g.skinWidth() - g.rightTop.x());
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, face);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (FButtonMode) {
            SkinRect img;
            if (!isEnabled() && !FSection.unenabledButtonRect.isEmpty())
                img = FSection.unenabledButtonRect;
            else if (FButtonPressed && FButtonHot)
                img = FSection.downButtonRect;
            else if (FButtonHot)
                img = FSection.activeButtonRect;
            if (!img.isEmpty())
                copySkinPiece(p, FSection.picture, img, geo.buttonPlace.left, geo.buttonPlace.top);
        }
        return bitmap;
    }

    bitmap.fill(sysColor(SysColor::Window));
    const int a = FButtonMode ? W - geo.buttonPlace.left : 0;
    const QColor outer = active ? sysColor(SysColor::BtnShadow) : sysColor(SysColor::BtnFace);
    const QColor inner = active ? sysColor(SysColor::BtnFace) : sysColor(SysColor::BtnShadow);
    p.setPen(outer);
    p.drawRect(0, 0, W - a - 1, H - 1);
    p.setPen(inner);
    p.drawRect(1, 1, W - a - 3, H - 3);
    if (FButtonMode) {
        QColor frame = sysColor(SysColor::BtnShadow), fill = sysColor(SysColor::BtnFace);
        if (FButtonPressed && FButtonHot) {
            frame = navyFrameColor();
            fill = downFillColor();
        } else if (FButtonHot) {
            frame = navyFrameColor();
            fill = hotFillColor();
        }
        const QRect place = geo.buttonPlace.toQRect();
        p.fillRect(place.adjusted(1, 1, -1, -1), fill);
        p.setPen(frame);
        p.drawRect(place.adjusted(0, 0, -1, -1));
    }
    return bitmap;
}

void TbsSkinCustomEdit::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, renderFace());
}

void TbsSkinCustomEdit::setButtonHot(bool hot)
{
    if (hot == FButtonHot)
        return;
    FButtonHot = hot;
    update();
}

void TbsSkinCustomEdit::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    FMouseIn = true;
    if (isSkinned() && FSection.isEdit && !FEdit->hasFocus())
        setFontColor(FSection.activeFontColor);
    update();
    fireNotify(OnMouseEnter, this);
}

void TbsSkinCustomEdit::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    FMouseIn = false;
    if (isSkinned() && FSection.isEdit && !FEdit->hasFocus())
        setFontColor(FSection.font.color);
    FButtonHot = false;
    FButtonPressed = false;
    update();
    fireNotify(OnMouseLeave, this);
}

void TbsSkinCustomEdit::nativeFocusIn()
{
    if (isSkinned() && FSection.isEdit && !FMouseIn)
        setFontColor(FSection.activeFontColor);
}

void TbsSkinCustomEdit::nativeFocusOut(QWidget*)
{
    if (isSkinned() && FSection.isEdit && !FMouseIn)
        setFontColor(FSection.font.color);
}

void TbsSkinCustomEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (FButtonMode)
        setButtonHot(geometryNow().buttonPlace.containsExclusive(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TbsSkinCustomEdit::mousePressEvent(QMouseEvent* event)
{
    if (FButtonMode && event->button() == Qt::LeftButton
        && geometryNow().buttonPlace.containsExclusive(event->position().toPoint())) {
        FButtonHot = true;
        FButtonPressed = true;
        update();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TbsSkinCustomEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TbsSkinCustomEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (FButtonMode && event->button() == Qt::LeftButton && FButtonPressed
        && geometryNow().buttonPlace.containsExclusive(event->position().toPoint())) {
        FButtonPressed = false;
        update();
        if (!FEdit->hasFocus())
            FEdit->setFocus(Qt::MouseFocusReason);
        fireNotify(OnButtonClick, this);
        return;
    }
    // Released elsewhere: no click; the pressed look stays until the mouse leaves.
    QWidget::mouseReleaseEvent(event);
}

void TbsSkinCustomEdit::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

bool TbsSkinCustomEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FEdit && event->type() == QEvent::MouseMove && FButtonHot)
        setButtonHot(false);
    return TbsCustomEdit::eventFilter(watched, event);
}
