#include "ReportDocument.h"
#include "ReportFixture.h"
#include "ReportPaginator.h"
#include "TemplateReader.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A4 portrait, 10 mm margins: body from 10 to 287 - 7 (footer) = 280 mm.
ReportTemplate smallTemplate(bool repeatHeader)
{
    ReportTemplate tmpl;
    tmpl.page.marginTop = tmpl.page.marginBottom = 10;
    tmpl.groupField = QStringLiteral("CUST_ID");
    auto band = [&](BandKind kind, double height) {
        ReportBand b;
        b.kind = kind;
        b.height = height;
        b.repeatOnNewPage = kind == BandKind::GroupHeader && repeatHeader;
        tmpl.bands[static_cast<int>(kind)] = b;
    };
    band(BandKind::Title, 20);
    band(BandKind::PageHeader, 8);
    band(BandKind::GroupHeader, 10);
    band(BandKind::Detail, 10);
    band(BandKind::GroupFooter, 10);
    band(BandKind::Summary, 12);
    band(BandKind::PageFooter, 7);
    return tmpl;
}

std::vector<GroupRange> groupsOfSizes(const std::vector<int>& sizes)
{
    std::vector<GroupRange> groups;
    int row = 0;
    for (int size : sizes) {
        groups.push_back({row, row + size});
        row += size;
    }
    return groups;
}

std::vector<ReportPage> paginate(const ReportTemplate& tmpl, const std::vector<GroupRange>& groups)
{
    return ReportPaginator::paginate(tmpl, groups, [](const ReportBand& band, int, int) { return band.height; });
}

// The bands of a page between the page header and the page footer.
std::vector<PlacedBand> body(const ReportPage& page)
{
    std::vector<PlacedBand> result;
    for (const PlacedBand& placed : page.bands)
        if (placed.band->kind != BandKind::PageHeader && placed.band->kind != BandKind::PageFooter &&
            placed.band->kind != BandKind::Title)
            result.push_back(placed);
    return result;
}

}

TEST(Pagination, KeepsHeadersAndFootersWithTheirLinesOnEveryLayout)
{
    // Group sizes that put a group's start and end at every offset of a page break.
    for (int size = 1; size <= 30; ++size) {
        for (bool repeat : {false, true}) {
            ReportTemplate tmpl = smallTemplate(repeat);
            std::vector<int> sizes(9, size);
            sizes.push_back(1);
            auto groups = groupsOfSizes(sizes);
            auto pages = paginate(tmpl, groups);
            int rows = groups.back().endRow;
            std::map<int, int> detailSeen;
            int summaries = 0;
            for (size_t p = 0; p < pages.size(); ++p) {
                const auto& bands = pages[p].bands;
                ASSERT_GE(bands.size(), 3u);
                // Title only on the first page, then the column titles; the footer closes the page.
                size_t headerAt = p == 0 ? 1 : 0;
                EXPECT_EQ(bands.front().band->kind, p == 0 ? BandKind::Title : BandKind::PageHeader);
                EXPECT_EQ(bands[headerAt].band->kind, BandKind::PageHeader) << "page " << p;
                EXPECT_EQ(bands.back().band->kind, BandKind::PageFooter);
                EXPECT_DOUBLE_EQ(bands.back().top, 297 - 10 - 7);
                auto content = body(pages[p]);
                ASSERT_FALSE(content.empty()) << "empty page " << p;
                for (const PlacedBand& placed : content)
                    EXPECT_LE(placed.top + placed.height, 280 + 1e-9) << "overflow on page " << p;
                EXPECT_NE(content.back().band->kind, BandKind::GroupHeader) << "orphaned group header, size " << size;
                EXPECT_NE(content.front().band->kind, BandKind::GroupFooter) << "footer without its lines, size " << size;
                EXPECT_NE(content.front().band->kind, BandKind::Summary) << "summary alone, size " << size;
                if (p > 0 && content.front().band->kind == BandKind::Detail) {
                    // A group that goes on over the break: its header again only when asked.
                    EXPECT_FALSE(repeat);
                }
                for (const PlacedBand& placed : content) {
                    if (placed.band->kind == BandKind::Detail)
                        ++detailSeen[placed.row];
                    if (placed.band->kind == BandKind::GroupHeader && placed.continued) {
                        EXPECT_TRUE(repeat);
                    }
                    summaries += placed.band->kind == BandKind::Summary;
                }
            }
            EXPECT_EQ(int(detailSeen.size()), rows);
            for (const auto& [row, count] : detailSeen)
                EXPECT_EQ(count, 1) << "row " << row;
            EXPECT_EQ(summaries, 1);
        }
    }
}

TEST(Pagination, PageCountFollowsTheRows)
{
    ReportTemplate tmpl = smallTemplate(false);
    // One group of n rows. Page 1 has 242 mm below title and column titles: the group header
    // and 21 lines when the last line takes footer and summary (32 mm) with it, 23 lines when
    // the group goes on. Page 2 has 262 mm: 24 lines ending the group.
    struct Case {
        int rows;
        int pages;
    };
    for (Case c : {Case{1, 1}, Case{21, 1}, Case{22, 2}, Case{47, 2}, Case{48, 3}})
        EXPECT_EQ(paginate(tmpl, groupsOfSizes({c.rows})).size(), size_t(c.pages)) << c.rows << " rows";
    EXPECT_EQ(paginate(tmpl, {}).size(), 1u); // no rows: one page with the summary
}

TEST(Pagination, ShippedTemplateRepeatsColumnTitlesAndCountsPages)
{
    ensureApplication();
    ReportData data{detailPacket(manyRows(40, 30)), headerPacket("客戶區間商品數量表", "查詢年月: 2024/01/01～2024/01/31", "T", {}),
                    "temp.cds", "temp2.cds"};
    ReportDocument document(TemplateReader::read(shippedTemplatePath()), std::move(data), QDateTime(QDate(2024, 2, 1), QTime(9, 30)));
    ASSERT_GT(document.pageCount(), 20);
    for (int p = 0; p < document.pageCount(); ++p) {
        QStringList texts;
        bool footerSeen = false;
        for (const PlacedBand& placed : document.pages()[p].bands)
            for (const ReportItem& item : placed.band->items) {
                QString text = document.value(item, placed, p).text;
                if (placed.band->kind == BandKind::PageHeader)
                    texts << text;
                if (text.startsWith(QStringLiteral("第 "))) {
                    EXPECT_EQ(text, QStringLiteral("第 %1 頁 / 共 %2 頁").arg(p + 1).arg(document.pageCount()));
                    footerSeen = true;
                }
            }
        EXPECT_TRUE(texts.contains(QStringLiteral("品號")) && texts.contains(QStringLiteral("金額"))) << "page " << p;
        EXPECT_TRUE(footerSeen) << "page " << p;
    }
}
