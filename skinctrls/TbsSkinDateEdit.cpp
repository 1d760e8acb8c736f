#include "TbsSkinDateEdit.h"

#include "Clock.h"
#include "DateTextRules.h"
#include "EventDispatch.h"
#include "FormatSettings.h"
#include "SystemBeep.h"
#include "TbsSkinPopupMonthCalendar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

TbsSkinDateEdit::TbsSkinDateEdit(QWidget* parent, TComponent* owner) : TbsSkinCustomEdit(parent, owner)
{
    FSkinDataName = QStringLiteral("buttonedit");
    setButtonMode(true);
    FCalendar = new TbsSkinPopupMonthCalendar(this, nullptr);
    FCalendar->OnNumberClick = [this](QObject*) { HideCalendar(true); };
    OnButtonClick = [this](QObject*) { DropDownToggle(); };
    setTextFromCalendar();
    setMaxLength(int(Text().size()));
}

TbsSkinDateEdit::~TbsSkinDateEdit()
{
    closeOnOutsideClick(false);
}

TDateTime TbsSkinDateEdit::Date() const { return FCalendar->Date(); }

void TbsSkinDateEdit::setDate(TDateTime value)
{
    FCalendar->setDate(value);
    setTextFromCalendar();
    fireNotify(OnDateChange, this);
}

void TbsSkinDateEdit::setTodayDefault(bool value)
{
    FTodayDefault = value;
    if (value)
        setDate(toDateTimeValue(Clock::now()));
}

void TbsSkinDateEdit::loaded()
{
    TbsSkinCustomEdit::loaded();
    if (FTodayDefault)
        setDate(toDateTimeValue(Clock::now()));
}

int TbsSkinDateEdit::CalendarWidth() const { return FCalendar->width(); }
void TbsSkinDateEdit::setCalendarWidth(int value) { FCalendar->resize(value, FCalendar->height()); }
int TbsSkinDateEdit::CalendarHeight() const { return FCalendar->height(); }
void TbsSkinDateEdit::setCalendarHeight(int value) { FCalendar->resize(FCalendar->width(), value); }
QFont TbsSkinDateEdit::CalendarFont() const { return FCalendar->DefaultFont(); }
void TbsSkinDateEdit::setCalendarFont(const QFont& value) { FCalendar->setDefaultFont(value); }
TbsDaysOfWeek TbsSkinDateEdit::FirstDayOfWeek() const { return FCalendar->FirstDayOfWeek(); }
void TbsSkinDateEdit::setFirstDayOfWeek(TbsDaysOfWeek value) { FCalendar->setFirstDayOfWeek(value); }

void TbsSkinDateEdit::setTextFromCalendar()
{
    FSettingText = true;
    FEdit->setText(FormatSettings::instance().dateToStr(dateOf(FCalendar->Date())));
    FSettingText = false;
    update();
}

void TbsSkinDateEdit::textChanged()
{
    TbsSkinCustomEdit::textChanged();
    if (FSettingText)
        return;
    const QString text = Text();
    runGuarded([&] {
        const TDateTime before = FCalendar->Date();
        const FormatSettings& fs = FormatSettings::instance();
        if (isValidDateText(text, fs)) {
            // A text that passes can still name a day that does not exist: the conversion then
            // reports the error and the date stays.
            const QDate date = fs.strToDate(text);
            FCalendar->setDate(toDateTimeValue(date));
        }
        if (FCalendar->Date() != before)
            fireNotify(OnDateChange, this);
    });
}

bool TbsSkinDateEdit::nativeKeyPress(QKeyEvent* event)
{
    // Any key closes the drop-down without taking its date.
    if (FCalendar->isVisible())
        HideCalendar(false);
    if (event->key() == Qt::Key_Delete || event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste)
        || event->matches(QKeySequence::Delete))
        return true;
    if (TbsSkinCustomEdit::nativeKeyPress(event))
        return true;
    const QString text = event->text();
    const bool isCharacter = !text.isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        SystemBeep();
        // Enter still goes on to the form (the default button).
        if (event->key() != Qt::Key_Backspace)
            event->ignore();
        return event->key() == Qt::Key_Backspace;
    }
    if (!isCharacter)
        return false;
    const QChar c = text.at(0);
    if (!dateEditAcceptsChar(c)) {
        SystemBeep();
        return true;
    }
    if (!c.isDigit())
        return false;
    // Overwrite: step over a separator, then replace the character right of the caret.
    const QString current = FEdit->text();
    int pos = FEdit->hasSelectedText() ? FEdit->selectionStart() : FEdit->cursorPosition();
    if (pos < current.size() && current.at(pos) == FormatSettings::instance().dateSeparator)
        ++pos;
    FEdit->setCursorPosition(pos);
    if (pos < current.size())
        FEdit->setSelection(pos, 1);
    return false;
}

void TbsSkinDateEdit::nativeFocusOut(QWidget* newFocus)
{
    TbsSkinCustomEdit::nativeFocusOut(newFocus);
    if (FCalendar->isVisible()) {
        // A window system that activates the calendar's window on a click (it is not meant
        // to; the calendar hands the activation back) moves the focus to it, not elsewhere.
        const bool toCalendar = newFocus ? newFocus == FCalendar || FCalendar->isAncestorOf(newFocus)
                                         : QApplication::activeWindow() == FCalendar;
        if (!toCalendar)
            HideCalendar(false);
    } else {
        // A half-typed or invalid text goes back to the last valid date.
        setTextFromCalendar();
    }
}

void TbsSkinDateEdit::DropDownToggle()
{
    if (FCalendar->isVisible())
        HideCalendar(false);
    else
        ShowCalendar();
}

void TbsSkinDateEdit::ShowCalendar()
{
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    int y = topLeft.y() + height();
    const QScreen* screen = this->screen();
    const int screenHeight = screen ? screen->geometry().height() : 0x7fff;
    if (screenHeight < y + FCalendar->height())
        y = topLeft.y() - FCalendar->height();
    // Fading the drop-down in belongs to two system versions that this platform is neither of
    // (as for the window frame): AlphaBlend, AlphaBlendValue and AlphaBlendAnimation are kept
    // and the calendar always opens opaque at once.
    FCalendar->setSkinData(SkinData());
    FCalendar->move(topLeft.x(), y);
    FCalendar->show();
    FCalendar->raise();
    closeOnOutsideClick(true);
}

void TbsSkinDateEdit::HideCalendar(bool setText)
{
    if (!FCalendar->isVisible())
        return;
    FCalendar->hide();
    closeOnOutsideClick(false);
    if (setText)
        setTextFromCalendar();
    FEdit->setFocus(Qt::OtherFocusReason);
}

void TbsSkinDateEdit::closeOnOutsideClick(bool on)
{
    if (on == FWatchingClicks)
        return;
    FWatchingClicks = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool TbsSkinDateEdit::eventFilter(QObject* watched, QEvent* event)
{
    // Real input reaches the top-level window (a QWindow) first and is then passed on to the
    // widget under the pointer; only that second delivery names the control that was hit.
    if (FWatchingClicks && watched->isWidgetType()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        auto* widget = static_cast<QWidget*>(watched);
        const bool inCalendar = widget == FCalendar || FCalendar->isAncestorOf(widget);
        // A press on this edit's own button is left to the button, which closes the calendar;
        // closing here would let the release open it again.
        bool onOwnButton = false;
        if (widget == this) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            onOwnButton = geometryNow().buttonPlace.containsExclusive(mouse->position().toPoint());
        }
        if (!inCalendar && !onOwnButton)
            HideCalendar(false);
    }
    return TbsSkinCustomEdit::eventFilter(watched, event);
}
