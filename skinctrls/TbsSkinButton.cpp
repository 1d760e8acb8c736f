#include "TbsSkinButton.h"

#include "ButtonActionGlyph.h"
#include "EventDispatch.h"
#include "MorphBlend.h"
#include "SkinPalette.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcutEvent>
#include <QTextEdit>
#include <QPainter>
#include <QTimer>

TbsSkinButton::TbsSkinButton(QWidget* parent, TComponent* owner)
    : TbsSkinCustomControl(parent, owner), FMorph(this, [this] { MorphTimerTick(); })
{
    FSkinDataName = QStringLiteral("button");
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
    connect(qApp, &QApplication::focusChanged, this, &TbsSkinButton::onFocusChanged);
}

TbsSkinButton::~TbsSkinButton()
{
    // Destroying the base QWidget moves the focus and may deliver the window's events: neither
    // may reach the button's own handlers once its own part is gone.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    if (FWatchedWindow)
        FWatchedWindow->removeEventFilter(this);
}

bool TbsSkinButton::isFocused() const
{
    // The window's focus widget, also while the window itself is not the active one.
    return FCanFocused && window()->focusWidget() == this;
}

bool TbsSkinButton::morphTimerActive() const
{
    return FMorph.timerActive();
}

namespace {

// A control that takes typed text keeps its plain letters: only Alt reaches an accelerator
// from there.
bool takesText(const QWidget* w)
{
    if (!w)
        return false;
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->isEditable();
    return w->testAttribute(Qt::WA_InputMethodEnabled) || qobject_cast<const QLineEdit*>(w)
           || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w)
           || qobject_cast<const QPlainTextEdit*>(w);
}

} // namespace

void TbsSkinButton::setCaption(const QString& v)
{
    FCaption = v;
    updateAcceleratorShortcut();
    RepaintNow();
}

void TbsSkinButton::setGlyph(const QImage& v)
{
    FGlyph = v;
    RepaintNow();
}

void TbsSkinButton::setNumGlyphs(int v)
{
    FNumGlyphs = std::clamp(v, 1, 4);
    RepaintNow();
}

void TbsSkinButton::setLayout(TbsButtonLayout v)
{
    if (v == FLayout)
        return;
    FLayout = v;
    RepaintNow();
}

void TbsSkinButton::setMargin(int v)
{
    if (v < -1 || v == FMargin)
        return;
    FMargin = v;
    RepaintNow();
}

void TbsSkinButton::setSpacing(int v)
{
    if (v == FSpacing)
        return;
    FSpacing = v;
    RepaintNow();
}

void TbsSkinButton::setGroupIndex(int v)
{
    FGroupIndex = v;
    if (v != 0)
        setCanFocused(false);
}

void TbsSkinButton::setCanFocused(bool v)
{
    FCanFocused = v;
    setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus);
    updateAcceleratorShortcut();
}

void TbsSkinButton::setDefault(bool v)
{
    FDefault = v;
    // Every button of the form recomputes whether it answers Enter.
    if (FCanFocused && window())
        for (auto* b : window()->findChildren<TbsSkinButton*>())
            b->onFocusChanged(nullptr, QApplication::focusWidget());
}

void TbsSkinButton::setDown(bool v)
{
    FDown = v;
    if (morphingOn()) {
        FMorph.setFactor(1.0);
        if (v)
            FMorph.stop();
        else
            FMorph.start();
    }
    RepaintNow();
    if (FGroupIndex != 0 && v && !FAllowAllUp && parentWidget()) {
        for (QObject* o : parentWidget()->children()) {
            auto* other = qobject_cast<TbsSkinButton*>(o);
            if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
                other->setDown(false);
        }
    }
}

void TbsSkinButton::ButtonClick()
{
    if (FCanFocused) {
        if (QWidget* form = window()) {
            form->setProperty("ModalResult", FModalResult);
            if (auto* dialog = qobject_cast<QDialog*>(form); dialog && FModalResult != 0)
                dialog->done(FModalResult);
        }
    }
    if (FAction && !OnClick)
        FAction->trigger();
    else
        fireNotify(OnClick, this);
}

void TbsSkinButton::setAction(QAction* action)
{
    if (action == FAction)
        return;
    if (FAction)
        disconnect(FAction, nullptr, this, nullptr);
    FAction = action;
    if (!action)
        return;
    connect(action, &QAction::changed, this, &TbsSkinButton::actionChanged);
    actionChanged();
}

void TbsSkinButton::actionChanged()
{
    if (!FAction)
        return;
    if (FAction->text() != FCaption)
        setCaption(FAction->text());
    setToolTip(FAction->toolTip());
    setEnabled(FAction->isEnabled());
    if (FGlyph.isNull())
        if (const QImage glyph = actionGlyph(FAction->icon()); !glyph.isNull())
            setGlyph(glyph);
}

void TbsSkinButton::LoadSkinSection()
{
    TbsSkinCustomControl::LoadSkinSection();
    if (isSkinned() && FSection.isButton) {
        if (FSection.activeSkinRect.isEmpty())
            FSection.activeSkinRect = FGeometry.skinRect;
        if (FSection.downSkinRect.isEmpty())
            FSection.downSkinRect = FSection.activeSkinRect;
    }
}

bool TbsSkinButton::morphingOn() const
{
    return isSkinned() && FSection.isButton && FSection.morphing;
}

void TbsSkinButton::refresh()
{
    LoadSkinSection();
    if (morphingOn()) {
        FMorph.startIfIdle();
    } else {
        RepaintNow();
    }
}

void TbsSkinButton::MorphTimerTick()
{
    LoadSkinSection();
    if (FMorph.step(morphingOn(), FMouseIn || isFocused()))
        RepaintNow();
}

void TbsSkinButton::ApplySkin()
{
    FMorph.stop();
    FMorph.setFactor(0.0);
    TbsSkinCustomControl::ApplySkin();
    if (morphingOn() && (isFocused() || FMouseIn))
        FMorph.setFactor(1.0);
}

QImage TbsSkinButton::stateImage(const SkinRect& stateRect, bool down, bool active)
{
    QImage bitmap(size(), QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    DrawStateImage(bitmap, stateRect, down, active);
    return bitmap;
}

void TbsSkinButton::DrawStateImage(QImage& bitmap, const SkinRect& stateRect, bool down, bool active)
{
    ComposeSkinImage(bitmap, FPicture, stateRect);
    QPainter p(&bitmap);
    p.setFont(sectionFontOrDefault());
    p.setPen(colorFromBgr(stateFontColor(FSection, isEnabled(), down, active)));
    DrawGlyphAndText(p, fittedClientRect(), FMargin, down && active,
                     glyphFrameChoice(down, active, isEnabled(), FNumGlyphs), FNumGlyphs, FGlyph, FCaption, FLayout,
                     FSpacing);
}

void TbsSkinButton::DrawDefaultImage(QImage& bitmap)
{
    QPainter p(&bitmap);
    const bool focused = isFocused();
    const bool downLook =
        FDown && (FGroupIndex != 0 || (FMouseIn || (focused && !FMouseButtonHeld)));
    DefaultButtonLook look = DefaultButtonLook::Normal;
    if (downLook)
        look = DefaultButtonLook::Down;
    else if (FMouseIn || focused)
        look = DefaultButtonLook::Hot;
    drawDefaultButtonFace(p, rect(), look);
    p.setFont(FDefaultFont);
    p.setPen(isEnabled() ? sysColor(SysColor::BtnText) : sysColor(SysColor::BtnShadow));
    DrawGlyphAndText(p, SkinRect(0, 0, width(), height()), FMargin, downLook,
                     glyphFrameChoice(FDown, FMouseIn, isEnabled(), FNumGlyphs), FNumGlyphs, FGlyph, FCaption,
                     FLayout, FSpacing);
}

void TbsSkinButton::paintEvent(QPaintEvent* event)
{
    if (width() <= 0 || height() <= 0)
        return;
    LoadSkinSection();
    if (!isSkinned() || !FSection.isButton || FPicture.isNull()) {
        TbsSkinCustomControl::paintEvent(event);
        return;
    }
    const SkinRect& normal = FGeometry.skinRect;
    const bool focused = isFocused();
    QImage face;
    if (FSection.morphing && FMorph.factor() > 0.0 && FMorph.factor() < 1.0 && isEnabled()) {
        face = morphBlend(stateImage(normal, false, false), stateImage(FSection.activeSkinRect, false, true),
                          FMorph.factor(), FSection.morphKind);
    } else if (!isEnabled() && !FSection.disabledSkinRect.isEmpty()) {
        face = stateImage(FSection.disabledSkinRect, false, false);
    } else if (FDown && (FGroupIndex != 0 || FMouseIn || (focused && !FMouseButtonHeld))) {
        face = stateImage(FSection.downSkinRect, true, true);
    } else if (focused || FMouseIn || (FSection.morphing && FMorph.factor() == 1.0)) {
        face = stateImage(FSection.activeSkinRect, false, true);
    } else {
        face = stateImage(normal, false, false);
    }
    QPainter p(this);
    p.drawImage(0, 0, face);
}

void TbsSkinButton::enterEvent(QEnterEvent* event)
{
    TbsSkinCustomControl::enterEvent(event);
    pointerEntered();
}

void TbsSkinButton::pointerEntered()
{
    FPointerOver = true;
    FMouseIn = true;
    const bool focused = isFocused();
    if ((FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && !(focused && !FDown))) {
        if (FDown) {
            if (morphingOn())
                FMorph.setFactor(1.0);
            RepaintNow();
        } else {
            refresh();
        }
    }
    if (FDown && FRepeatMode && FGroupIndex == 0)
        startRepeat();
}

void TbsSkinButton::leaveEvent(QEvent* event)
{
    TbsSkinCustomControl::leaveEvent(event);
    // Left already while the pointer was grabbed.
    if (FPointerOver)
        pointerLeft();
}

void TbsSkinButton::pointerLeft()
{
    FPointerOver = false;
    const bool focused = isFocused();
    // The default button keeps its hot look while the focus is elsewhere.
    if (!(FCanFocused && FDefault && FDefaultActive && !focused))
        FMouseIn = false;
    if ((FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && !(focused && !FDown)))
        refresh();
    if (FDown && FRepeatMode && FGroupIndex == 0)
        stopRepeat();
}

void TbsSkinButton::startRepeat()
{
    FRepeatTimer = std::make_unique<QTimer>();
    FRepeatTimer->setInterval(FRepeatInterval);
    connect(FRepeatTimer.get(), &QTimer::timeout, this, [this] { ButtonClick(); });
    FRepeatTimer->start();
}

void TbsSkinButton::stopRepeat()
{
    FRepeatTimer.reset();
}

void TbsSkinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        TbsSkinCustomControl::mousePressEvent(event);
        return;
    }
    if (FCanFocused && window()->focusWidget() != this) {
        setFocus(Qt::MouseFocusReason);
        // A control that refused to lose the focus keeps it; the press is dropped.
        if (window()->focusWidget() != this)
            return;
    }
    TbsSkinCustomControl::mousePressEvent(event);
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

void TbsSkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is a second press.
    mousePressEvent(event);
}

void TbsSkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        TbsSkinCustomControl::mouseReleaseEvent(event);
        return;
    }
    FMouseButtonHeld = false;
    // Qt grabs the mouse for the press; the pointer may have left without a leave event.
    if (!rect().contains(event->position().toPoint()))
        FMouseIn = FMouseIn && FCanFocused && FDefault && FDefaultActive && !isFocused();
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
    TbsSkinCustomControl::mouseReleaseEvent(event);
}

void TbsSkinButton::mouseMoveEvent(QMouseEvent* event)
{
    TbsSkinCustomControl::mouseMoveEvent(event);
    // While the left button is held the button has the pointer grab and the window system
    // sends no leave or enter: it follows the pointer itself, as a native push button does.
    if (!FMouseButtonHeld)
        return;
    const bool over = rect().contains(event->position().toPoint());
    if (over && !FPointerOver)
        pointerEntered();
    else if (!over && FPointerOver)
        pointerLeft();
}

void TbsSkinButton::keyPressEvent(QKeyEvent* event)
{
    if (!FCanFocused) {
        TbsSkinCustomControl::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        setDown(true);
        if (FRepeatMode)
            ButtonClick();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ButtonClick();
        event->accept();
        return;
    default:
        TbsSkinCustomControl::keyPressEvent(event);
    }
}

void TbsSkinButton::keyReleaseEvent(QKeyEvent* event)
{
    if (FCanFocused && event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        setDown(false);
        ButtonClick();
        event->accept();
        return;
    }
    TbsSkinCustomControl::keyReleaseEvent(event);
}

void TbsSkinButton::focusInEvent(QFocusEvent* event)
{
    TbsSkinCustomControl::focusInEvent(event);
    if (FCanFocused)
        refresh();
}

void TbsSkinButton::focusOutEvent(QFocusEvent* event)
{
    TbsSkinCustomControl::focusOutEvent(event);
    if (FCanFocused)
        refresh();
}

void TbsSkinButton::changeEvent(QEvent* event)
{
    TbsSkinCustomControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (morphingOn()) {
            FMorph.stop();
            FMorph.setFactor(0.0);
        }
        FMouseIn = false;
        RepaintNow();
    } else if (event->type() == QEvent::ParentChange) {
        watchWindow();
    }
}

void TbsSkinButton::onFocusChanged(QWidget*, QWidget* now)
{
    if (!now || now->window() != window())
        return;
    auto* nowButton = qobject_cast<TbsSkinButton*>(now);
    FDefaultActive = now == this || (!nowButton && FDefault);
    if (FCanFocused && FDefault) {
        if (nowButton && nowButton != this && FMouseIn) {
            FMouseIn = false;
            refresh();
        } else if (!nowButton && !FMouseIn) {
            if (morphingOn())
                FMorph.setFactor(1.0);
            FMouseIn = true;
            refresh();
        }
    }
}

void TbsSkinButton::showEvent(QShowEvent* event)
{
    TbsSkinCustomControl::showEvent(event);
    watchWindow();
    // Window creation: the default button answers Enter until the focus says otherwise.
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != window())
        FDefaultActive = FDefault;
}

void TbsSkinButton::watchWindow()
{
    QWidget* w = window();
    if (w == FWatchedWindow || w == this)
        return;
    if (FWatchedWindow)
        FWatchedWindow->removeEventFilter(this);
    FWatchedWindow = w;
    FWatchedWindow->installEventFilter(this);
}

bool TbsSkinButton::handleDialogKey(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FDefaultActive && isEnabled()) {
        ButtonClick();
        return true;
    }
    if (key == Qt::Key_Escape && FCancel && FCanFocused && !(event->modifiers() & Qt::ShiftModifier)
        && isEnabled() && isVisible()) {
        ButtonClick();
        return true;
    }
    // A character the focused control did not take: with Alt from anywhere, a plain one only
    // while the focus is on a control that takes no text (a button).
    const Qt::KeyboardModifiers mods = event->modifiers();
    const QChar accel = accelerator();
    if (!accel.isNull() && answersAccelerator() && !(mods & (Qt::ControlModifier | Qt::MetaModifier))
        && ((mods & Qt::AltModifier) || !takesText(QApplication::focusWidget())) && !event->text().isEmpty()
        && event->text().at(0).toUpper() == accel) {
        acceleratorPressed();
        return true;
    }
    return false;
}

QChar TbsSkinButton::accelerator() const
{
    for (int i = 0; i + 1 < FCaption.size(); ++i) {
        if (FCaption.at(i) != QLatin1Char('&'))
            continue;
        if (FCaption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return FCaption.at(i + 1).toUpper();
    }
    return QChar();
}

bool TbsSkinButton::answersAccelerator() const
{
    return FCanFocused && isEnabled() && isVisible();
}

void TbsSkinButton::acceleratorPressed()
{
    setFocus(Qt::ShortcutFocusReason);
    ButtonClick();
}

void TbsSkinButton::updateAcceleratorShortcut()
{
    if (FAcceleratorShortcut != 0)
        releaseShortcut(FAcceleratorShortcut);
    FAcceleratorShortcut = 0;
    const QKeySequence alt = QKeySequence::mnemonic(FCaption);
    if (FCanFocused && !alt.isEmpty())
        FAcceleratorShortcut = grabShortcut(alt);
}

bool TbsSkinButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut
        && static_cast<QShortcutEvent*>(event)->shortcutId() == FAcceleratorShortcut) {
        if (answersAccelerator())
            acceleratorPressed();
        return true;
    }
    return TbsSkinCustomControl::event(event);
}

bool TbsSkinButton::eventFilter(QObject* watched, QEvent* event)
{
    // Keys that the focused control did not take reach the form: Enter, Escape and the
    // accelerators are offered to the buttons, the focused one included (Escape on the cancel
    // button; Enter and Space it takes itself).
    if (watched == FWatchedWindow && event->type() == QEvent::KeyPress) {
        if (handleDialogKey(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
    }
    return TbsSkinCustomControl::eventFilter(watched, event);
}
