#include "ReportDocument.h"
#include "ReportFixture.h"
#include "TemplateReader.h"

#include <gtest/gtest.h>

namespace {

struct Shown {
    BandKind band;
    int group;
    QString text;
    bool negative;
};

std::vector<Shown> allTexts(const ReportDocument& document)
{
    std::vector<Shown> shown;
    for (int p = 0; p < document.pageCount(); ++p)
        for (const PlacedBand& placed : document.pages()[p].bands)
            for (const ReportItem& item : placed.band->items) {
                auto value = document.value(item, placed, p);
                if (!value.text.isEmpty())
                    shown.push_back({placed.band->kind, placed.group, value.text, value.negative});
            }
    return shown;
}

QStringList textsOf(const std::vector<Shown>& shown, BandKind band, int group = -2)
{
    QStringList texts;
    for (const Shown& s : shown)
        if (s.band == band && (group == -2 || s.group == group))
            texts << s.text;
    return texts;
}

std::unique_ptr<ReportDocument> smallReport(const QString& remark = QStringLiteral("月底結帳前請核對"))
{
    ensureApplication();
    ReportData data{detailPacket(smallFixtureRows()),
                    headerPacket(QStringLiteral("客戶區間商品數量表"), QStringLiteral("查詢年月: 2024/01/01～2024/01/31"),
                                 QStringLiteral("大同茶業股份有限公司"), remark),
                    QStringLiteral("temp.cds"), QStringLiteral("temp2.cds")};
    return std::make_unique<ReportDocument>(TemplateReader::read(shippedTemplatePath()), std::move(data),
                                            QDateTime(QDate(2024, 2, 1), QTime(9, 30, 5)));
}

}

TEST(ReportContent, GroupsByCustomerCodeWhateverTheName)
{
    auto document = smallReport();
    ASSERT_EQ(document->groups().size(), 3u);
    EXPECT_EQ(document->groups()[0].endRow, 3); // A001 under two names is one group
    auto shown = allTexts(*document);
    QStringList header = textsOf(shown, BandKind::GroupHeader, 0);
    EXPECT_TRUE(header.contains(QStringLiteral("A001"))) << header.join(u'|').toStdString();
    EXPECT_TRUE(header.contains(QStringLiteral("台北商行 / 台北商行(舊名)"))) << header.join(u'|').toStdString();
}

TEST(ReportContent, TotalsEqualTheData)
{
    auto document = smallReport();
    auto shown = allTexts(*document);
    // A001: 450*10 + 1250.5*2 + 3200*1 = 10,201; B002: -1,350; C003: 1,800,000.
    EXPECT_TRUE(textsOf(shown, BandKind::GroupFooter, 0).contains(QStringLiteral("10,201.00")));
    EXPECT_TRUE(textsOf(shown, BandKind::GroupFooter, 0).contains(QStringLiteral("13.00")));
    EXPECT_TRUE(textsOf(shown, BandKind::GroupFooter, 0).contains(QStringLiteral("共 3 筆")));
    EXPECT_TRUE(textsOf(shown, BandKind::GroupFooter, 1).contains(QStringLiteral("-1,350.00")));
    EXPECT_TRUE(textsOf(shown, BandKind::GroupFooter, 2).contains(QStringLiteral("1,800,000.00")));
    QStringList summary = textsOf(shown, BandKind::Summary);
    EXPECT_TRUE(summary.contains(QStringLiteral("1,808,851.00"))) << summary.join(u'|').toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("1,010.00")));
    EXPECT_TRUE(summary.contains(QStringLiteral("共 5 筆")));

    // The same figures recomputed from the rows, for every group.
    const DataPacket& rows = document->data().detail;
    for (const ReportItem& item : document->reportTemplate().band(BandKind::GroupFooter)->items) {
        if (item.kind != ItemKind::Aggregate || item.function != AggregateFunction::Sum)
            continue;
        int column = rows.indexOf(item.field.toStdString());
        for (size_t g = 0; g < document->groups().size(); ++g) {
            double sum = 0;
            for (int r = document->groups()[g].firstRow; r < document->groups()[g].endRow; ++r)
                sum += rows.rows[r][column].asDouble();
            EXPECT_DOUBLE_EQ(document->aggregate(item, int(g)), sum) << item.field.toStdString() << " group " << g;
        }
    }
}

TEST(ReportContent, NegativesAreMarked)
{
    auto shown = allTexts(*smallReport());
    int negatives = 0;
    for (const Shown& s : shown) {
        EXPECT_EQ(s.negative, s.text.startsWith(u'-')) << s.text.toStdString();
        negatives += s.negative;
    }
    EXPECT_EQ(negatives, 4); // B002's quantity and amount, in its line and in its footer
}

TEST(ReportContent, ShowsTheHeaderTextsInChinese)
{
    auto shown = allTexts(*smallReport());
    QStringList title = textsOf(shown, BandKind::Title);
    EXPECT_TRUE(title.contains(QStringLiteral("大同茶業股份有限公司")));
    EXPECT_TRUE(title.contains(QStringLiteral("客戶區間商品數量表")));
    EXPECT_TRUE(title.contains(QStringLiteral("查詢年月: 2024/01/01～2024/01/31")));
    EXPECT_TRUE(title.contains(QStringLiteral("月底結帳前請核對")));
    QStringList footer = textsOf(shown, BandKind::PageFooter);
    EXPECT_TRUE(footer.contains(QStringLiteral("第 1 頁 / 共 1 頁")));
    EXPECT_TRUE(footer.contains(QStringLiteral("列印日期：2024/02/01 09:30:05")));
    QStringList detail = textsOf(shown, BandKind::Detail);
    EXPECT_TRUE(detail.contains(QStringLiteral("高山烏龍茶 300g")));
    EXPECT_TRUE(detail.contains(QStringLiteral("1,250.50")));
}

TEST(ReportContent, LongRemarkWrapsAndGrowsTheTitle)
{
    auto shortOne = smallReport();
    auto longOne = smallReport(QString(100, QChar(0x5099))); // 100 characters, 200 bytes in Big5
    auto titleHeight = [](const ReportDocument& d) { return d.pages()[0].bands[0].height; };
    EXPECT_EQ(shortOne->pages()[0].bands[0].band->kind, BandKind::Title);
    EXPECT_DOUBLE_EQ(titleHeight(*shortOne), shortOne->reportTemplate().band(BandKind::Title)->height);
    EXPECT_GT(titleHeight(*longOne), titleHeight(*shortOne) + 4); // at least one more line
}

TEST(ReportContent, EmptyRemarkAndNoRowsStillMakeAPage)
{
    ensureApplication();
    ReportData data{detailPacket({}), headerPacket(QStringLiteral("客戶區間商品數量表"), QStringLiteral("p"), QStringLiteral("t"), QString()),
                    QStringLiteral("temp.cds"), QStringLiteral("temp2.cds")};
    ReportDocument document(TemplateReader::read(shippedTemplatePath()), std::move(data), QDateTime::currentDateTime());
    EXPECT_EQ(document.pageCount(), 1);
    QStringList summary = textsOf(allTexts(document), BandKind::Summary);
    EXPECT_TRUE(summary.contains(QStringLiteral("0.00")));
    EXPECT_TRUE(summary.contains(QStringLiteral("共 0 筆")));
}
