// The grid's selection options, columns defined by Selected, the scroll bar of a dataset
// that does not number its records, the wheel, the indicator column below the last record
// and the background picture's extent. Input goes through the grid's window.

#include "DataSource.h"
#include "Field.h"
#include "FontMapper.h"
#include "LookupTestSupport.h"
#include "SystemColors.h"
#include "TwwDBGrid.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // colour value, red in the low byte

class GridInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        lookupTestApp();
        grid = std::make_unique<TwwDBGrid>();
        const QFont font = FontMapper::makeFont(QStringLiteral("新細明體"), -12);
        grid->setFont(font);
        grid->setTitleFont(font);
        grid->setReadOnly(true);
        grid->setHideAllLines(true);
        grid->setDataSource(&source);
    }
    void TearDown() override { grid.reset(); }

    // Shows the grid as a window of its own with `rows` data rows.
    void showRows(int rows)
    {
        const int wanted = grid->titleRowHeight() + rows * grid->dataRowHeight();
        grid->resize(440, wanted);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
        grid->resize(440, wanted + grid->height() - grid->viewport()->height());
        QApplication::processEvents();
        ASSERT_EQ(grid->visibleRowCount(), rows);
    }
    void focus()
    {
        grid->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get()));
        grid->setFocus();
        ASSERT_TRUE(grid->hasFocus());
    }
    // A point of data cell (row, column) in the viewport, away from its text and focus frame.
    QPoint cellPoint(int row, int column) const
    {
        int right = grid->indicatorWidth();
        for (int c = 0; c <= column; ++c)
            right += grid->columnWidth(c);
        return {right - 5, grid->titleRowHeight() + (row + 1) * grid->dataRowHeight() - 4};
    }
    QPoint inWindow(const QPoint& viewportPoint) const
    {
        return grid->viewport()->mapTo(grid->window(), viewportPoint);
    }
    void wheel(int delta)
    {
        const QPoint at = inWindow(cellPoint(1, 0));
        QWindow* window = grid->window()->windowHandle();
        QWheelEvent event(QPointF(at), window->mapToGlobal(QPointF(at)), {}, QPoint(0, delta), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QGuiApplication::sendEvent(window, &event);
    }

    TDataSource source;
    std::unique_ptr<TwwDBGrid> grid;
};

TEST_F(GridInput, SelectedCellsFollowRowSelectActiveRecordColorAndAlwaysShowSelection)
{
    auto cds = memoryCustomers(5);
    source.setDataSet(cds.get());
    showRows(4);
    cds->next();  // current record in row 1, current column 0

    const QRgb plain = SystemColors::color(SystemColor::Window).rgb();
    const QRgb highlight = SystemColors::color(SystemColor::Highlight).rgb();
    const QRgb red = qRgb(255, 0, 0);
    struct Case {
        TwwDBGridOptions extra;
        std::uint32_t activeRecordColor;
        bool focused;
        QRgb currentCell, otherCell;
    };
    const Case cases[] = {
        {{}, GridBackground::clNone, true, highlight, plain},
        {dgRowSelect, GridBackground::clNone, true, highlight, highlight},
        {{}, kRed, true, highlight, red},          // the current cell itself keeps the highlight
        {dgRowSelect, kRed, true, red, red},
        {{}, GridBackground::clNone, false, plain, plain},
        {dgAlwaysShowSelection, GridBackground::clNone, false, highlight, plain},
        {dgRowSelect | dgAlwaysShowSelection, kRed, false, red, red},
        {dgRowSelect, kRed, false, plain, plain},
    };
    for (const Case& c : cases) {
        grid->setOptions(kDefaultGridOptions | c.extra);
        grid->PaintOptions().setActiveRecordColor(c.activeRecordColor);
        if (c.focused)
            focus();
        else
            grid->clearFocus();
        const QImage image = grid->render();
        const QString what = QStringLiteral("options %1, colour %2, focused %3")
                                 .arg(int(c.extra)).arg(c.activeRecordColor).arg(c.focused);
        EXPECT_EQ(image.pixel(cellPoint(1, 0)), c.currentCell) << what.toStdString();
        EXPECT_EQ(image.pixel(cellPoint(1, 1)), c.otherCell) << what.toStdString();
        EXPECT_EQ(image.pixel(cellPoint(0, 0)), plain) << "another record: " << what.toStdString();
        EXPECT_EQ(image.pixel(cellPoint(2, 1)), plain) << "another record: " << what.toStdString();
    }
}

TEST_F(GridInput, AClickWithRowSelectSelectsTheWholeClickedRow)
{
    auto cds = memoryCustomers(6);
    source.setDataSet(cds.get());
    grid->setOptions(kDefaultGridOptions | dgRowSelect);
    showRows(5);
    focus();
    QTest::mouseClick(grid->window()->windowHandle(), Qt::LeftButton, {}, inWindow(cellPoint(3, 1)));
    EXPECT_EQ(cds->recNo(), 4);
    const QImage image = grid->render();
    const QRgb highlight = SystemColors::color(SystemColor::Highlight).rgb();
    EXPECT_EQ(image.pixel(cellPoint(3, 0)), highlight);
    EXPECT_EQ(image.pixel(cellPoint(3, 1)), highlight);
    EXPECT_NE(image.pixel(cellPoint(0, 0)), highlight);
}

TEST_F(GridInput, WithoutUseTFieldsTheLinesOfSelectedAreTheColumns)
{
    grid->setSelected({QStringLiteral("CUST_NAME\t20\t名稱\tF"), QStringLiteral("NOPE\t5\tX\tF"),
                       QStringLiteral("cust_id\t6\t編號\tF")});
    grid->setUseTFields(false);
    EXPECT_EQ(grid->FieldCount(), 0) << "no columns without a dataset";
    EXPECT_EQ(grid->Selected().size(), 3) << "lines stay while no dataset is open";

    auto cds = memoryCustomers(3);
    source.setDataSet(cds.get());
    ASSERT_EQ(grid->FieldCount(), 2);
    EXPECT_EQ(grid->Fields(0)->fieldName(), "CUST_NAME");
    EXPECT_EQ(grid->Fields(1)->fieldName(), "CUST_ID");
    EXPECT_EQ(grid->Selected().size(), 2) << "the line naming no field is gone";
    EXPECT_EQ(grid->ColumnByIndex(1).FieldName(), "CUST_ID");
    EXPECT_TRUE(grid->ColumnByIndex(2).isDummy());
    EXPECT_EQ(grid->ColumnByIndex(1).DisplayLabel(), big5("編號"));

    const int w = QFontMetrics(grid->font()).horizontalAdvance(QLatin1Char('0'));
    const int titleWidth = QFontMetrics(grid->TitleFont()).horizontalAdvance(QStringLiteral("名稱")) + 4;
    EXPECT_EQ(grid->columnWidth(0), std::max(20 * w + 4, titleWidth)) << "width from the line, not the field";

    // A new title goes to the line; the dataset's field keeps its own label.
    grid->ColumnByIndex(0).setDisplayLabel(big5("客戶名稱"));
    EXPECT_EQ(grid->Selected()[0].section(QLatin1Char('\t'), 2, 2), QStringLiteral("客戶名稱"));
    EXPECT_EQ(grid->ColumnByIndex(0).DisplayLabel(), big5("客戶名稱"));
    EXPECT_EQ(cds->fieldByName("CUST_NAME")->displayLabel(), "");

    grid->setUseTFields(true);
    EXPECT_EQ(grid->FieldCount(), 2);
    EXPECT_EQ(grid->Fields(0)->fieldName(), "CUST_ID") << "back to the dataset's fields in their order";
}

// A customer list that, like a forward-reading cursor, does not number its records.
class UnnumberedDataSet : public TClientDataSet {
public:
    bool isSequenced() const override { return false; }
};

TEST_F(GridInput, ScrollBarOfADatasetThatDoesNotNumberItsRecords)
{
    UnnumberedDataSet cds;
    cds.fieldDefs().add("CUST_ID", FieldType::String, 10);
    cds.createDataSet();
    for (int i = 1; i <= 30; ++i) {
        cds.append();
        cds.fieldByName("CUST_ID")->setAsString("C" + std::to_string(i));
        cds.post();
    }
    cds.first();
    source.setDataSet(&cds);
    showRows(5);
    QScrollBar* bar = grid->verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 4);
    EXPECT_EQ(bar->value(), 0) << "at the beginning";
    cds.moveBy(10);
    EXPECT_EQ(bar->value(), 2) << "between";
    cds.last();
    EXPECT_EQ(bar->value(), 4) << "at the end";

    // Letting the thumb go at a position: first, a page back, nothing, a page on, last.
    struct Drop {
        int position;
        int recNo;
    };
    cds.setRecNo(15);
    for (const Drop& drop : {Drop{1, 10}, Drop{3, 15}, Drop{2, 15}, Drop{4, 30}, Drop{0, 1}}) {
        {
            const QSignalBlocker block(bar);
            bar->setSliderPosition(drop.position);
        }
        bar->triggerAction(QAbstractSlider::SliderMove);
        EXPECT_EQ(cds.recNo(), drop.recNo) << "thumb at " << drop.position;
    }
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(cds.recNo(), 6);
}

TEST_F(GridInput, WheelTurnsBelowOneStepAddUp)
{
    auto cds = memoryCustomers(20);
    source.setDataSet(cds.get());
    showRows(5);
    struct Turn {
        int delta;
        int recNo;
    };
    const Turn turns[] = {
        {-40, 1}, {-40, 1}, {-40, 2},   // three thirds of a step down
        {-200, 3},                       // one step, 80 left over
        {-40, 4},                        // with the 80: one more
        {60, 4},  {60, 3},               // up
        {-60, 3}, {60, 3}, {60, 2},      // turning back drops what was left of the other way
    };
    for (const Turn& turn : turns) {
        wheel(turn.delta);
        EXPECT_EQ(cds->recNo(), turn.recNo) << "after " << turn.delta;
    }
}

TEST_F(GridInput, BelowTheLastRecordTheIndicatorColumnShowsTheBackground)
{
    grid->PaintOptions().setBackgroundBitmap(QImage());
    grid->setColor(kRed);
    auto cds = memoryCustomers(2);
    source.setDataSet(cds.get());
    showRows(5);
    const QImage image = grid->render();
    const QRgb fixed = SystemColors::fromColorValue(grid->TitleColor()).rgb();
    const int x = grid->indicatorWidth() / 2;
    EXPECT_EQ(image.pixel(x, grid->titleRowHeight() + grid->dataRowHeight() + 2), fixed) << "second record";
    EXPECT_EQ(image.pixel(x, grid->titleRowHeight() + 2 * grid->dataRowHeight() + 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(x, grid->viewport()->height() - 2), qRgb(255, 0, 0));
}

TEST_F(GridInput, TheBackgroundIsStretchedOverTheWholeGridScrollBarsIncluded)
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    grid->PaintOptions().setBackgroundBitmap(picture);
    grid->PaintOptions().setBackgroundDrawStyle(bdsStretch);
    grid->PaintOptions().setBackgroundOptions(coFillDataCells);
    showRows(5);
    const int scrollBarWidth = grid->width() - grid->viewport()->width();
    ASSERT_GE(scrollBarWidth, 6);
    const QImage image = grid->render();
    const int half = grid->width() / 2;
    const int y = grid->titleRowHeight() + 10;
    EXPECT_EQ(image.pixel(half - 2, y), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(half + 1, y), qRgb(0, 0, 255));
}

}
