// The grid's and dialog's pure logic: measures, tints, scroll bar values, the search
// statement and the dialog's bands.

#include "GridBackground.h"
#include "GridGeometry.h"
#include "GridScrollBar.h"
#include "LookupDialogLayout.h"
#include "SearchStatement.h"

#include <gtest/gtest.h>

TEST(GridGeometry, RowHeightsAndColumnWidths)
{
    EXPECT_EQ(GridGeometry::dataRowHeight(12, true, 100), 15);
    EXPECT_EQ(GridGeometry::dataRowHeight(12, false, 100), 14);
    EXPECT_EQ(GridGeometry::dataRowHeight(12, true, 150), 22);  // 22.5 rounded down
    EXPECT_EQ(GridGeometry::titleRowHeight(12, 1), 16);
    EXPECT_EQ(GridGeometry::titleRowHeight(12, 2), 28);

    EXPECT_EQ(GridGeometry::dataColumnWidth(6, 10), 64);
    EXPECT_EQ(GridGeometry::dataColumnWidth(6, 50), 304);
    EXPECT_EQ(GridGeometry::dataColumnWidth(6, -1), 64) << "no field";

    const auto width = [](const QString& s) { return int(s.size()) * 12; };
    EXPECT_EQ(GridGeometry::titleColumnWidth(QStringLiteral("客戶編號"), width), 52);
    EXPECT_EQ(GridGeometry::titleColumnWidth(QStringLiteral("ab~abcdef~c"), width), 76) << "widest part";
    EXPECT_EQ(GridGeometry::columnWidth(28, 52, true), 52);
    EXPECT_EQ(GridGeometry::columnWidth(28, 52, false), 28) << "dgNoLimitColSize";
}

TEST(GridGeometry, AResizedColumnSnapsToWholeCharacters)
{
    struct Case {
        int width, zero, expected;
    };
    const Case cases[] = {
        {64, 6, 10},   // exact fit
        {69, 6, 10},   // (69 + 0 - 4) / 6
        {70, 6, 11},
        {64, 8, 7},    // (64 + 1 - 4) / 8
        {11, 8, 1},
        {3, 6, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GridGeometry::displayWidthForColumnWidth(c.width, c.zero), c.expected) << c.width << "/" << c.zero;
}

TEST(GridBackground, TintAddsHalfTheColourMinus128PerChannelClamped)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 255, 234));
    image.setPixel(1, 0, qRgb(0, 10, 40));
    // The dialog's alternating colour, red 255, green 255, blue 128 (0x00BBGGRR).
    const QImage tinted = GridBackground::tinted(image, 8454143);
    EXPECT_EQ(tinted.pixel(0, 0), qRgb(254, 254, 170));
    EXPECT_EQ(tinted.pixel(1, 0), qRgb(0, 9, 0));
}

TEST(GridBackground, CopiesFollowTheOptionsAndTheScreenDepth)
{
    GridBackground::Request request;
    request.picture = QImage(16, 16, QImage::Format_RGB32);
    request.picture.fill(qRgb(255, 255, 234));
    request.style = bdsStretch;
    request.size = QSize(100, 60);
    request.alternatingRowColor = 8454143;
    request.titleColor = 0xC0C0C0;
    request.titleHeight = 16;
    request.blendFixedColumn = true;
    request.blendActiveRecord = true;  // but no active-record colour
    request.blendAlternatingRow = true;

    GridBackground::Copies copies = GridBackground::prepare(request);
    ASSERT_EQ(copies.background.size(), QSize(100, 60));
    EXPECT_EQ(copies.background.pixel(99, 59), qRgb(255, 255, 234)) << "stretched over the whole area";
    EXPECT_EQ(copies.alternatingRow.pixel(50, 30), qRgb(254, 254, 170));
    EXPECT_EQ(copies.fixedColumn.pixel(5, 30), qRgb(223, 223, 202));
    EXPECT_TRUE(copies.activeRecord.isNull());
    EXPECT_TRUE(copies.titleRow.isNull());

    request.screenDepth = 8;
    copies = GridBackground::prepare(request);
    EXPECT_TRUE(copies.background.isNull());
    EXPECT_TRUE(copies.alternatingRow.isNull());

    request.screenDepth = 32;
    request.style = bdsTopLeft;
    copies = GridBackground::prepare(request);
    EXPECT_EQ(copies.background.pixel(50, 30), qRgb(255, 255, 255)) << "white outside the picture";
}

TEST(GridScrollBar, NumberingDatasetsAndTheFullThumb)
{
    GridScrollBar::DataState state;
    state.recordCount = 100;
    state.recNo = 7;
    EXPECT_EQ(GridScrollBar::compute(state, 10, 0), (GridScrollBar::Info{1, 109, 10, 7}));

    state.inserting = true;
    EXPECT_EQ(GridScrollBar::compute(state, 10, 5).position, 5) << "kept while inserting";

    GridScrollBar::DataState empty;
    EXPECT_EQ(GridScrollBar::compute(empty, 1, 0), (GridScrollBar::Info{1, 1001, 1000, 0}));

    GridScrollBar::DataState other;
    other.numbersRecords = false;
    other.bof = true;
    EXPECT_EQ(GridScrollBar::compute(other, 10, 0).position, 0);
    other.bof = false;
    EXPECT_EQ(GridScrollBar::compute(other, 10, 0).position, 2);
    other.eof = true;
    EXPECT_EQ(GridScrollBar::compute(other, 10, 0).position, 4);
}

TEST(SearchStatement, SixLinesEachEndedByCrLf)
{
    const auto lines = SearchStatement::lines("CUSTOMER", "CUST_NAME", MatchMode::Contains, "abc");
    EXPECT_EQ(lines, (std::vector<std::string>{"select * from ", "CUSTOMER ", "where ", "CUST_NAME",
                                               "like '%abc%'", ""}));
    EXPECT_EQ(SearchStatement::text(lines),
              "select * from \r\nCUSTOMER \r\nwhere \r\nCUST_NAME\r\nlike '%abc%'\r\n\r\n");
}

TEST(SearchStatement, ComparisonPerModeWithQuotesDoubledAndWildcardsKept)
{
    struct Case {
        MatchMode mode;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {MatchMode::Exact, "", "like ''"},
        {MatchMode::Prefix, "", "like '%'"},
        {MatchMode::Contains, "", "like '%%'"},
        {MatchMode::Exact, "C0_1", "like 'C0_1'"},
        {MatchMode::Prefix, "10%", "like '10%%'"},
        {MatchMode::Contains, "O'Brien", "like '%O''Brien%'"},
        {MatchMode::Exact, "''", "like ''''''"},
        {MatchMode::Exact, "x' or '1'='1", "like 'x'' or ''1''=''1'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchStatement::comparisonLine(c.mode, c.text), c.expected) << c.text;
}

TEST(LookupDialogLayout, BandsKeepTheirThicknessAndOkCancelKeepTheirCentreFraction)
{
    using namespace LookupDialogLayout;
    const Bands design = compute(kDesignClientSize);
    EXPECT_EQ(design.centre, QRect(17, 90, 498, 250));
    EXPECT_EQ(design.bottom, QRect(0, 340, 535, 41));
    EXPECT_EQ(design.ok, QRect(327, 8, 73, 22));
    EXPECT_EQ(design.cancel, QRect(418, 8, 73, 22));

    const Bands wide = compute(QSize(1070, 500));
    EXPECT_EQ(wide.centre, QRect(17, 90, 1033, 369));
    EXPECT_EQ(wide.right, QRect(1050, 90, 20, 369));
    EXPECT_EQ(wide.ok.left(), (727 * 2 - 73) / 2) << "the centre doubles with the width";
    EXPECT_EQ(wide.cancel.left(), (909 * 2 - 73) / 2);
}
