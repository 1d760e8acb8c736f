// The date edit's typing rules and the calendar's arithmetic and navigation. Pointer and keys
// reach the controls through their top-level windows, as the window system delivers them.
#include "CalendarMath.h"
#include "Clock.h"
#include "DateTextRules.h"
#include "FormatSettings.h"
#include "MessageBox.h"
#include "SystemBeep.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinPopupMonthCalendar.h"
#include "TbsSkinSpeedButton.h"
#include "WindowInput.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct DateEditFixture : ::testing::Test {
    QWidget window;
    TbsSkinDateEdit* edit = new TbsSkinDateEdit(&window);
    int beeps = 0;
    int dateChanges = 0;
    std::vector<QString> messages;

    void SetUp() override
    {
        setSystemBeepHook([this] { ++beeps; });
        MessageBox::setHandler([this](const MessageBox::Request& r) {
            messages.push_back(r.text);
            return MessageBox::unansweredResult(r);
        });
        edit->setGeometry(10, 10, 105, 20);
        window.resize(300, 300);
        window.show();
        edit->setDate(toDateTimeValue(QDate(2005, 10, 26)));
        edit->OnDateChange = [this](QObject*) { ++dateChanges; };
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->nativeEdit()->setFocus();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        setSystemBeepHook({});
        MessageBox::setHandler({});
    }
    QLineEdit* native() { return edit->nativeEdit(); }
    void caretAt(int pos)
    {
        native()->deselect();
        native()->setCursorPosition(pos);
    }
    void type(const QString& keys) { WindowInput::keyClicks(keys); }
    QPoint onButton() const
    {
        const SkinRect place = edit->geometryNow().buttonPlace;
        return QPoint(place.left + 5, place.top + 5);
    }
    // A point inside the cell of `day` of the calendar's month.
    QPoint cellOf(int day) const
    {
        auto* calendar = edit->calendar();
        for (int y = 0; y < calendar->height(); ++y)
            for (int x = 0; x < calendar->width(); ++x)
                if (calendar->dayAt(QPoint(x, y)) == day)
                    return QPoint(x + 3, y + 3);
        return {};
    }
};

}  // namespace

TEST_F(DateEditFixture, TypingOverwritesTheMonthAndAppliesOnlyValidDates)
{
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));
    caretAt(5);
    type(QStringLiteral("0"));
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/00/26"));
    EXPECT_EQ(dateOf(edit->Date()), QDate(2005, 10, 26));  // month 0: not applied
    type(QStringLiteral("2"));
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/02/26"));
    EXPECT_EQ(dateOf(edit->Date()), QDate(2005, 2, 26));
    EXPECT_EQ(dateChanges, 1);
}

TEST_F(DateEditFixture, CaretBeforeSeparatorOverwritesTheCharacterAfterIt)
{
    caretAt(4);
    type(QStringLiteral("1"));
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));  // "1" over "1"
    EXPECT_EQ(native()->cursorPosition(), 6);
    caretAt(7);
    type(QStringLiteral("1"));
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/16"));
}

TEST_F(DateEditFixture, DayOutOfRangeIsNotAppliedAndLeavingRestoresTheText)
{
    caretAt(8);
    type(QStringLiteral("3"));
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/36"));
    EXPECT_EQ(dateOf(edit->Date()), QDate(2005, 10, 26));
    EXPECT_EQ(dateChanges, 0);
    QWidget other(&window);
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));
}

TEST_F(DateEditFixture, NonexistentDayReportsTheConversionErrorAndKeepsTheDate)
{
    edit->setDate(toDateTimeValue(QDate(2005, 2, 26)));
    caretAt(8);
    type(QStringLiteral("30"));
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/02/30"));
    EXPECT_EQ(dateOf(edit->Date()), QDate(2005, 2, 26));
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), QStringLiteral("'2005/02/30' is not a valid date."));
}

TEST_F(DateEditFixture, RefusedKeysBeepAndChangeNothing)
{
    caretAt(3);
    WindowInput::keyClick(Qt::Key_Backspace);
    WindowInput::keyClick(Qt::Key_Return);
    type(QStringLiteral("a-"));
    EXPECT_EQ(beeps, 4);
    WindowInput::keyClick(Qt::Key_Delete);
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));
}

TEST(DateTextRules, ValidityCheckAgainstTheReferenceDate)
{
    const FormatSettings& fs = FormatSettings::instance();
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {{"2005/10/26", true}, {"2005/00/26", false}, {"2005/02/36", false}, {"2005/13/01", false},
                 {"2005/02/30", true},  {"0000/01/01", false}, {"0/01/01", true},    {"2005/10/00", false}};
    for (const Case& c : cases)
        EXPECT_EQ(isValidDateText(QString::fromLatin1(c.text), fs), c.valid) << c.text;
}

TEST(CalendarMath, GridOffsetAndNavigation)
{
    // October 2005 starts on a Saturday: with Sunday first the 1st is in the last column.
    EXPECT_EQ(calendarStartDay(2005, 10, 0), -5);
    EXPECT_EQ(calendarDayAt(2005, 10, 0, 1, 6), 1);
    EXPECT_EQ(calendarDayAt(2005, 10, 0, 1, 5), 0);
    // January 2006 starts on a Sunday.
    EXPECT_EQ(calendarDayAt(2006, 1, 0, 1, 0), 1);
    // Monday first: the Sunday 1 January 2006 is in the last column.
    EXPECT_EQ(calendarDayAt(2006, 1, 1, 1, 6), 1);

    EXPECT_EQ(stepMonth(QDate(2005, 1, 31), 1), QDate(2005, 2, 28));
    EXPECT_EQ(stepMonth(QDate(2005, 12, 15), 1), QDate(2006, 1, 15));
    EXPECT_EQ(stepMonth(QDate(2005, 1, 15), -1), QDate(2004, 12, 15));
    EXPECT_EQ(stepYear(QDate(2008, 2, 29), 1), QDate(2009, 2, 28));
    EXPECT_EQ(stepYear(QDate(1761, 5, 5), -1), std::nullopt);
    EXPECT_EQ(stepYear(QDate(9999, 5, 5), 1), std::nullopt);
}

TEST_F(DateEditFixture, ADayClickedInTheDropDownClosesItAndTheEditShowsThatDay)
{
    WindowInput::click(edit, onButton());
    auto* calendar = edit->calendar();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_TRUE(native()->hasFocus());
    calendar->setDate(edit->Date() + 0.46);  // a time of day
    // November 2005 by the next-month button, then its 1st (a Tuesday: row 1, column 2).
    WindowInput::click(calendar->nextMonthButton());
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(dateOf(calendar->Date()), QDate(2005, 11, 26));
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));  // the edit waits for a day
    const QPoint cell = cellOf(1);
    ASSERT_FALSE(cell.isNull());
    WindowInput::click(calendar, cell);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/11/01"));
    EXPECT_EQ(calendar->Date(), toDateTimeValue(QDate(2005, 11, 1)));  // time dropped
    EXPECT_TRUE(native()->hasFocus());
}

TEST_F(DateEditFixture, EachNavigationButtonStepsOnceAndTheCalendarStaysOpen)
{
    WindowInput::click(edit, onButton());
    auto* calendar = edit->calendar();
    ASSERT_TRUE(calendar->isVisible());
    const struct {
        TbsSkinSpeedButton* button;
        QDate after;
    } steps[] = {{calendar->nextMonthButton(), QDate(2005, 11, 26)},
                 {calendar->nextYearButton(), QDate(2006, 11, 26)},
                 {calendar->priorMonthButton(), QDate(2006, 10, 26)},
                 {calendar->priorYearButton(), QDate(2005, 10, 26)},
                 {calendar->priorYearButton(), QDate(2004, 10, 26)}};
    for (const auto& step : steps) {
        WindowInput::click(step.button);
        EXPECT_TRUE(calendar->isVisible());
        EXPECT_EQ(dateOf(calendar->Date()), step.after);
        EXPECT_FALSE(step.button->Down());
    }
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));
    EXPECT_TRUE(native()->hasFocus());
}

TEST_F(DateEditFixture, HeldNavigationButtonsRepeatAtTheirIntervalsAndPauseOffTheButton)
{
    WindowInput::click(edit, onButton());
    auto* calendar = edit->calendar();
    ASSERT_TRUE(calendar->isVisible());
    for (auto* button : {calendar->nextMonthButton(), calendar->nextYearButton()}) {
        const QDate start = dateOf(calendar->Date());
        auto steps = [&] {
            const QDate now = dateOf(calendar->Date());
            return button == calendar->nextYearButton() ? now.year() - start.year()
                                                        : (now.year() - start.year()) * 12 + now.month() - start.month();
        };
        WindowInput::press(button);
        EXPECT_TRUE(button->Down());
        EXPECT_TRUE(button->repeatTimerActive());
        EXPECT_EQ(button->repeatTimerInterval(), button->RepeatInterval());
        EXPECT_TRUE(QTest::qWaitFor([&] { return steps() >= 2; }, 5000));
        // Off the button the ticks pause and it is drawn up; back on it, down again and ticking.
        WindowInput::move(calendar, QPoint(calendar->width() / 2, calendar->height() - 5));
        EXPECT_FALSE(button->isMouseIn());
        EXPECT_FALSE(button->repeatTimerActive());
        const int paused = steps();
        QTest::qWait(button->RepeatInterval() * 2 + 20);
        EXPECT_EQ(steps(), paused);
        WindowInput::move(button);
        EXPECT_TRUE(button->isMouseIn());
        EXPECT_TRUE(button->repeatTimerActive());
        // Released off the button: no further step, and the calendar stays open.
        WindowInput::move(calendar, QPoint(calendar->width() / 2, calendar->height() - 5));
        const int beforeRelease = steps();
        WindowInput::release(calendar, QPoint(calendar->width() / 2, calendar->height() - 5));
        EXPECT_EQ(steps(), beforeRelease);
        EXPECT_FALSE(button->Down());
        EXPECT_FALSE(button->repeatTimerActive());
        EXPECT_TRUE(calendar->isVisible());
    }
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));
}

TEST_F(DateEditFixture, AlphaBlendingIsKeptButTheDropDownOpensOpaque)
{
    EXPECT_FALSE(edit->AlphaBlend());
    EXPECT_FALSE(edit->AlphaBlendAnimation());
    EXPECT_EQ(edit->AlphaBlendValue(), 0);
    edit->setAlphaBlend(true);
    edit->setAlphaBlendAnimation(true);
    edit->setAlphaBlendValue(128);
    EXPECT_EQ(edit->AlphaBlendValue(), 128);
    edit->DropDownToggle();
    auto* calendar = edit->calendar();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->windowOpacity(), 1.0);
    EXPECT_FALSE(calendar->testAttribute(Qt::WA_TranslucentBackground));
    edit->DropDownToggle();
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(calendar->windowOpacity(), 1.0);
}

TEST_F(DateEditFixture, TheButtonTogglesAndOutsideClicksAndKeysCloseWithoutTakingTheDate)
{
    auto* calendar = edit->calendar();
    WindowInput::click(edit, onButton());
    ASSERT_TRUE(calendar->isVisible());
    WindowInput::click(calendar->nextMonthButton());
    // The button closes the calendar (and does not open it again).
    WindowInput::press(edit, onButton());
    WindowInput::release(edit, onButton());
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));
    WindowInput::click(edit, onButton());
    ASSERT_TRUE(calendar->isVisible());
    WindowInput::click(&window, QPoint(250, 250));
    EXPECT_FALSE(calendar->isVisible());
    WindowInput::click(edit, onButton());
    ASSERT_TRUE(calendar->isVisible());
    WindowInput::keyClick(Qt::Key_Right);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/10/26"));
}

TEST_F(DateEditFixture, TodayDefaultTakesTheClockAtTheEndOfLoading)
{
    Clock::set(QDateTime(QDate(2024, 3, 5), QTime(11, 10)));
    edit->setTodayDefault(true);
    edit->setDate(toDateTimeValue(QDate(2001, 1, 1)));
    edit->loaded();
    EXPECT_EQ(fromDateTimeValue(edit->Date()), QDateTime(QDate(2024, 3, 5), QTime(11, 10)));
    EXPECT_EQ(edit->Text(), QStringLiteral("2024/03/05"));
    Clock::set(std::nullopt);
}

TEST(MonthCalendar, NavigationButtonsRepeatAtTheirIntervals)
{
    TbsSkinMonthCalendar calendar;
    EXPECT_EQ(calendar.priorMonthButton()->RepeatInterval(), 250);
    EXPECT_EQ(calendar.nextMonthButton()->RepeatInterval(), 250);
    EXPECT_EQ(calendar.priorYearButton()->RepeatInterval(), 100);
    EXPECT_EQ(calendar.nextYearButton()->RepeatInterval(), 100);
    EXPECT_FALSE(calendar.nextYearButton()->Glyph().isNull());
    calendar.setDate(toDateTimeValue(QDate(2008, 2, 29)));
    calendar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calendar));
    WindowInput::click(calendar.nextYearButton());
    EXPECT_EQ(dateOf(calendar.Date()), QDate(2009, 2, 28));
}
