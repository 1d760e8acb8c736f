// The date edit's typing rules and the calendar's arithmetic and navigation.
#include "CalendarMath.h"
#include "Clock.h"
#include "DateTextRules.h"
#include "FormatSettings.h"
#include "MessageBox.h"
#include "SystemBeep.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinPopupMonthCalendar.h"
#include "TbsSkinSpeedButton.h"

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
    void type(const QString& keys) { QTest::keyClicks(native(), keys); }
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
    QTest::keyClick(native(), Qt::Key_Backspace);
    QTest::keyClick(native(), Qt::Key_Return);
    type(QStringLiteral("a-"));
    EXPECT_EQ(beeps, 4);
    QTest::keyClick(native(), Qt::Key_Delete);
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

TEST_F(DateEditFixture, DropDownNeverTakesTheFocusAndADayClickClosesIt)
{
    edit->DropDownToggle();
    auto* calendar = edit->calendar();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_TRUE(native()->hasFocus());
    calendar->setDate(edit->Date() + 0.46);  // a time of day
    calendar->NextMonth();
    EXPECT_EQ(dateOf(calendar->Date()), QDate(2005, 11, 26));
    // Click the 1st of November 2005 (a Tuesday: row 1, column 2).
    QPoint cell;
    for (int y = 0; y < calendar->height() && cell.isNull(); ++y)
        for (int x = 0; x < calendar->width(); ++x)
            if (calendar->dayAt(QPoint(x, y)) == 1) {
                cell = QPoint(x + 3, y + 3);
                break;
            }
    ASSERT_FALSE(cell.isNull());
    QTest::mouseClick(calendar, Qt::LeftButton, {}, cell);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(edit->Text(), QStringLiteral("2005/11/01"));
    EXPECT_EQ(calendar->Date(), toDateTimeValue(QDate(2005, 11, 1)));  // time dropped
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

TEST_F(DateEditFixture, ClickingTheButtonAgainClosesWithoutReopening)
{
    const SkinRect place = edit->geometryNow().buttonPlace;
    const QPoint onButton(place.left + 5, place.top + 5);
    QTest::mouseClick(edit, Qt::LeftButton, {}, onButton);
    ASSERT_TRUE(edit->calendar()->isVisible());
    QTest::mouseClick(edit, Qt::LeftButton, {}, onButton);
    EXPECT_FALSE(edit->calendar()->isVisible());
    QTest::mouseClick(edit, Qt::LeftButton, {}, onButton);
    ASSERT_TRUE(edit->calendar()->isVisible());
    // A click elsewhere closes it; a key in the edit too.
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(250, 250));
    EXPECT_FALSE(edit->calendar()->isVisible());
    edit->DropDownToggle();
    QTest::keyClick(native(), Qt::Key_Right);
    EXPECT_FALSE(edit->calendar()->isVisible());
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
    QTest::mouseClick(calendar.nextYearButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(dateOf(calendar.Date()), QDate(2009, 2, 28));
}
