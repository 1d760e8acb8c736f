// The read-only grid on in-memory datasets: fields and columns, widths and titles, the
// alternating colours while scrolling, keys, the scroll bar and column resizing. Keys and
// pointer reach the grid through its top-level window.

#include "DataSource.h"
#include "Field.h"
#include "FontMapper.h"
#include "LookupResources.h"
#include "LookupTestSupport.h"
#include "TwwDBGrid.h"
#include "WindowInput.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The dialog's grid settings, sized to show `rows` data rows.
class GridFixture : public ::testing::Test {
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
        grid->PaintOptions().setBackgroundBitmap(LookupResources::picture(QStringLiteral("GRIDBACKGROUND")));
        grid->PaintOptions().setBackgroundDrawStyle(bdsStretch);
        grid->PaintOptions().setAlternatingRowColor(8454143);
        grid->PaintOptions().setBackgroundOptions(coFillDataCells | coBlendFixedColumn | coBlendActiveRecord |
                                                  coBlendAlternatingRow);
        grid->setDataSource(&source);
    }
    void TearDown() override { grid.reset(); }

    void showRows(int rows)
    {
        const int wanted = grid->titleRowHeight() + rows * grid->dataRowHeight();
        grid->show();
        grid->resize(440, wanted);
        QApplication::processEvents();
        // Make room for the scroll bars around the viewport.
        grid->resize(440, wanted + grid->height() - grid->viewport()->height());
        QApplication::processEvents();
        ASSERT_EQ(grid->viewport()->height(), wanted);
        ASSERT_EQ(grid->visibleRowCount(), rows);
    }

    // Whether data row r is painted with the yellow tint (blue channel well below the
    // plain background's 232..236), sampled at the bottom-right of its second cell, where no
    // text is drawn and the current cell's highlight never is.
    bool tinted(const QImage& image, int row)
    {
        const int x = grid->indicatorWidth() + grid->columnWidth(0) + grid->columnWidth(1) - 2;
        const int y = grid->titleRowHeight() + (row + 1) * grid->dataRowHeight() - 1;
        return qBlue(image.pixel(x, y)) < 200;
    }

    std::vector<bool> rowTints(int rows)
    {
        const QImage image = grid->render();
        std::vector<bool> out;
        for (int r = 0; r < rows; ++r)
            out.push_back(tinted(image, r));
        return out;
    }

    TDataSource source;
    std::unique_ptr<TwwDBGrid> grid;
};

int zeroWidth(const TwwDBGrid& grid)
{
    return QFontMetrics(grid.font()).horizontalAdvance(QLatin1Char('0'));
}
int titleWidth(const TwwDBGrid& grid, const char* utf8)
{
    return QFontMetrics(grid.TitleFont()).horizontalAdvance(QString::fromUtf8(utf8)) + 4;
}

TEST_F(GridFixture, FieldsColumnsAndTheDummyColumn)
{
    EXPECT_EQ(grid->FieldCount(), 0);
    EXPECT_EQ(grid->Fields(0), nullptr);
    EXPECT_TRUE(grid->ColumnByIndex(0).isDummy());

    auto cds = memoryCustomers(3);
    cds->fieldByName("CUST_NAME")->setVisible(false);
    source.setDataSet(cds.get());
    EXPECT_EQ(grid->FieldCount(), 1) << "only visible fields";
    cds->fieldByName("CUST_NAME")->setVisible(true);
    ASSERT_EQ(grid->FieldCount(), 2);
    EXPECT_EQ(grid->Fields(1)->fieldName(), "CUST_NAME");
    EXPECT_EQ(grid->ColumnByIndex(1).FieldName(), "CUST_NAME");
    EXPECT_EQ(grid->Fields(2), nullptr);

    // A title past the last column is ignored; the dummy keeps no title.
    grid->ColumnByIndex(2).setDisplayLabel("ignored");
    EXPECT_EQ(grid->ColumnByIndex(2).DisplayLabel(), "");
    EXPECT_EQ(cds->fieldByName("CUST_NAME")->displayLabel(), "");

    // Another dataset replaces all columns; titles are the new fields' names.
    auto other = std::make_unique<TClientDataSet>();
    other->fieldDefs().add("A", FieldType::Integer);
    other->fieldDefs().add("B", FieldType::String, 5);
    other->fieldDefs().add("C", FieldType::String, 5);
    other->createDataSet();
    source.setDataSet(other.get());
    ASSERT_EQ(grid->FieldCount(), 3);
    EXPECT_EQ(grid->ColumnByIndex(2).DisplayLabel(), "C");
    source.setDataSet(nullptr);
    EXPECT_EQ(grid->FieldCount(), 0);
}

TEST_F(GridFixture, ColumnWidthsFromDisplayWidthAndTitle)
{
    auto cds = memoryCustomers(3);
    cds->fieldByName("CUST_ID")->setDisplayWidth(10);
    cds->fieldByName("CUST_NAME")->setDisplayWidth(50);
    source.setDataSet(cds.get());
    const int w = zeroWidth(*grid);
    EXPECT_EQ(grid->columnWidth(0), std::max(10 * w + 4, titleWidth(*grid, "CUST_ID")));
    EXPECT_EQ(grid->columnWidth(1), 50 * w + 4);

    // A title wider than the data widens its column; the field keeps the new label.
    cds->fieldByName("CUST_ID")->setDisplayWidth(1);
    EXPECT_EQ(grid->columnWidth(0), titleWidth(*grid, "CUST_ID"));
    grid->ColumnByIndex(0).setDisplayLabel(big5("很長的客戶編號標題"));
    EXPECT_EQ(grid->columnWidth(0), titleWidth(*grid, "很長的客戶編號標題"));
    EXPECT_EQ(cds->fieldByName("CUST_ID")->displayLabel(), big5("很長的客戶編號標題"));
    EXPECT_EQ(grid->FieldCount(), 2) << "the title change does not re-lay the grid";
}

TEST_F(GridFixture, SpaceRightOfTheLastColumnIsPaintedLikeTheIndicatorColumn)
{
    auto cds = memoryCustomers(3);
    cds->fieldByName("CUST_ID")->setDisplayWidth(3);
    cds->fieldByName("CUST_NAME")->setDisplayWidth(3);
    source.setDataSet(cds.get());
    showRows(3);
    const QImage image = grid->render();
    const int y = grid->titleRowHeight() + 2 * grid->dataRowHeight() + 2;
    const int right = grid->indicatorWidth() + grid->columnWidth(0) + grid->columnWidth(1);
    EXPECT_EQ(image.pixel(right + 20, y), image.pixel(1, y)) << "like the indicator column";
    EXPECT_NE(image.pixel(right + 20, y), image.pixel(right - 2, y));
}

TEST_F(GridFixture, AlternatingRowsKeepTheirColoursWhileScrolling)
{
    auto cds = memoryCustomers(20);
    source.setDataSet(cds.get());
    showRows(5);
    EXPECT_EQ(rowTints(5), std::vector<bool>({false, true, false, true, false})) << "rows 1 and 3 at first";

    // Moving within the visible rows changes no colours.
    cds->moveBy(4);
    EXPECT_EQ(rowTints(5), std::vector<bool>({false, true, false, true, false}));
    EXPECT_FALSE(grid->rowParity());

    // Stepping down from the bottom row scrolls by one: each record keeps its colour.
    cds->next();
    EXPECT_TRUE(grid->rowParity());
    EXPECT_EQ(rowTints(5), std::vector<bool>({true, false, true, false, true}));
    cds->next();
    EXPECT_EQ(rowTints(5), std::vector<bool>({false, true, false, true, false}));

    // What the screen shows after the fast scroll equals a full repaint.
    QApplication::processEvents();
    cds->next();
    QApplication::processEvents();
    const QImage screen = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen, grid->render());
}

TEST_F(GridFixture, NoBackgroundOrAlternatingColourOnAnEightBitScreen)
{
    auto cds = memoryCustomers(5);
    source.setDataSet(cds.get());
    showRows(4);
    grid->setScreenDepth(8);
    EXPECT_EQ(rowTints(4), std::vector<bool>({false, false, false, false}));
    const QImage image = grid->render();
    const int y = grid->titleRowHeight() + grid->dataRowHeight() * 2 - 1;
    EXPECT_EQ(image.pixel(grid->indicatorWidth() + grid->columnWidth(0) + 2, y), qRgb(255, 255, 255));
}

TEST_F(GridFixture, KeysMoveTheRecordAndDownOnTheLastStays)
{
    auto cds = memoryCustomers(12);
    source.setDataSet(cds.get());
    showRows(5);
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        int recNo;
    };
    const Step steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 2},
        {Qt::Key_PageDown, Qt::NoModifier, 7},
        {Qt::Key_Up, Qt::ControlModifier, 3},       // top visible record
        {Qt::Key_Down, Qt::ControlModifier, 7},     // bottom visible record
        {Qt::Key_End, Qt::ControlModifier, 12},
        {Qt::Key_Down, Qt::NoModifier, 12},         // read-only: no record appended
        {Qt::Key_PageUp, Qt::NoModifier, 7},
        {Qt::Key_Home, Qt::ControlModifier, 1},
        {Qt::Key_Up, Qt::NoModifier, 1},
    };
    grid->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get()));
    grid->setFocus();
    for (const Step& step : steps) {
        WindowInput::keyClick(Qt::Key(step.key), step.modifiers);
        EXPECT_EQ(cds->recNo(), step.recNo) << "key " << step.key;
    }
    EXPECT_EQ(cds->recordCount(), 12);

    // Columns: Right, End, Home; Tab past the last column goes to the next record.
    WindowInput::keyClick(Qt::Key_Right);
    EXPECT_EQ(grid->currentColumn(), 1);
    WindowInput::keyClick(Qt::Key_Tab);
    EXPECT_EQ(grid->currentColumn(), 0);
    EXPECT_EQ(cds->recNo(), 2);
    WindowInput::keyClick(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_EQ(cds->recNo(), 1);

    // OnKeyDown sees the key first and can stop it.
    grid->OnKeyDown = [](QObject*, int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Down)
            key = 0;
    };
    WindowInput::keyClick(Qt::Key_Down);
    EXPECT_EQ(cds->recNo(), 1);
}

TEST_F(GridFixture, ScrollBarFollowsTheRecordNumberAndMovesTheDataset)
{
    auto cds = memoryCustomers(30);
    source.setDataSet(cds.get());
    showRows(5);
    QScrollBar* bar = grid->verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 30);
    EXPECT_EQ(bar->pageStep(), 5);
    EXPECT_EQ(bar->value(), 1);
    cds->moveBy(9);
    EXPECT_EQ(bar->value(), 10);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(cds->recNo(), 11);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(cds->recNo(), 16);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(cds->recNo(), 30);
    EXPECT_EQ(bar->value(), 30);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(cds->recNo(), 1);
}

TEST_F(GridFixture, ClickAndWheelMoveTheRecord)
{
    auto cds = memoryCustomers(20);
    source.setDataSet(cds.get());
    showRows(5);
    const int x = grid->indicatorWidth() + grid->columnWidth(0) + 5;
    const int y = grid->titleRowHeight() + 3 * grid->dataRowHeight() + 2;
    WindowInput::click(grid->viewport(), QPoint(x, y));
    EXPECT_EQ(cds->recNo(), 4);
    EXPECT_EQ(grid->currentColumn(), 1);

    WindowInput::wheel(grid->viewport(), QPoint(x, y), -240);
    EXPECT_EQ(cds->recNo(), 6);
}

TEST_F(GridFixture, AResizedColumnSnapsToWholeCharactersAndKeepsItsTitleWidth)
{
    auto cds = memoryCustomers(3);
    source.setDataSet(cds.get());
    showRows(3);
    const int w = zeroWidth(*grid);
    const int boundary = grid->indicatorWidth() + grid->columnWidth(0) + grid->columnWidth(1);
    const int y = grid->titleRowHeight() / 2;
    WindowInput::move(grid->viewport(), QPoint(boundary, y));
    WindowInput::press(grid->viewport(), QPoint(boundary, y));
    WindowInput::move(grid->viewport(), QPoint(boundary - 10 * w + 1, y));
    WindowInput::release(grid->viewport(), QPoint(boundary - 10 * w + 1, y));
    EXPECT_EQ(cds->fieldByName("CUST_NAME")->displayWidth(), 40);
    EXPECT_EQ(grid->columnWidth(1), 40 * w + 4);

    // Dragged narrower than its title, a column stays as wide as the title.
    const int idRight = grid->indicatorWidth() + grid->columnWidth(0);
    WindowInput::move(grid->viewport(), QPoint(idRight, y));
    WindowInput::press(grid->viewport(), QPoint(idRight, y));
    WindowInput::move(grid->viewport(), QPoint(grid->indicatorWidth() + 3, y));
    WindowInput::release(grid->viewport(), QPoint(grid->indicatorWidth() + 3, y));
    EXPECT_EQ(cds->fieldByName("CUST_ID")->displayWidth(), 0);
    EXPECT_EQ(grid->columnWidth(0), titleWidth(*grid, "CUST_ID"));
}

TEST_F(GridFixture, AnInactiveGridShowsTitleRowAndIndicatorColumnOverTheBackground)
{
    showRows(3);
    const QImage image = grid->render();
    const QImage& fixed = grid->backgroundCopies().fixedColumn;
    ASSERT_FALSE(fixed.isNull());
    EXPECT_EQ(image.pixel(200, 3), fixed.pixel(200, 3)) << "title row painted like indicator cells";
    EXPECT_EQ(image.pixel(3, grid->titleRowHeight() + 5), fixed.pixel(3, grid->titleRowHeight() + 5));
    EXPECT_EQ(image.pixel(200, grid->titleRowHeight() + 5),
              grid->backgroundCopies().background.pixel(200, grid->titleRowHeight() + 5))
        << "the rest is the background";
}

}
