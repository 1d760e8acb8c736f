#include "ReportErrors.h"
#include "ReportFixture.h"
#include "TemplateReader.h"

#include <gtest/gtest.h>

TEST(TemplateReader, ReadsTheShippedTemplate)
{
    ReportTemplate tmpl = TemplateReader::read(shippedTemplatePath());
    EXPECT_EQ(tmpl.page.size, QPageSize::A4);
    EXPECT_EQ(tmpl.groupField, QStringLiteral("CUST_ID"));
    EXPECT_EQ(tmpl.font.family, QStringLiteral("AR PL UMing TW"));
    for (BandKind kind : {BandKind::Title, BandKind::PageHeader, BandKind::GroupHeader, BandKind::Detail,
                          BandKind::GroupFooter, BandKind::Summary, BandKind::PageFooter})
        EXPECT_NE(tmpl.band(kind), nullptr) << int(kind);
    EXPECT_TRUE(tmpl.band(BandKind::GroupHeader)->repeatOnNewPage);
    EXPECT_TRUE(tmpl.band(BandKind::Title)->canGrow);
}

TEST(TemplateReader, ReadsItemsAndInheritsTheDefaultFont)
{
    QByteArray xml = R"(<report>
  <page size="A5" orientation="landscape" marginLeft="5" marginTop="6" marginRight="7" marginBottom="8"/>
  <font family="AR PL UKai TW" size="9"/>
  <detail height="5">
    <field name="QTY" format="#,##0.00" x="1" y="2" width="30" height="4" align="right" bold="true" negativeColor="#C00000"/>
    <aggregate function="sum" field="AMT" scope="report"/>
    <line x1="0" y1="1" x2="100" y2="1" lineWidth="0.5"/>
    <box x="1" y="1" width="10" height="3" fill="#EEEEEE" lineWidth="0"/>
    <text size="12">第 ${page} 頁</text>
  </detail>
</report>)";
    ReportTemplate tmpl = TemplateReader::parse(xml, QStringLiteral("t.rtm"));
    EXPECT_EQ(tmpl.page.orientation, QPageLayout::Landscape);
    EXPECT_DOUBLE_EQ(tmpl.page.marginBottom, 8);
    const auto& items = tmpl.band(BandKind::Detail)->items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].kind, ItemKind::Field);
    EXPECT_EQ(items[0].rect, QRectF(1, 2, 30, 4));
    EXPECT_EQ(items[0].alignment, Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(items[0].font.family, QStringLiteral("AR PL UKai TW"));
    EXPECT_TRUE(items[0].font.bold);
    EXPECT_EQ(items[0].negativeColor, QColor(0xC0, 0, 0));
    EXPECT_EQ(items[1].scope, AggregateScope::Report);
    EXPECT_EQ(items[2].rect.bottomRight(), QPointF(100, 1));
    EXPECT_EQ(items[3].fill, QColor(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(items[4].text, QStringLiteral("第 ${page} 頁"));
    EXPECT_DOUBLE_EQ(items[4].font.pointSize, 12);
}

TEST(TemplateReader, FaultsNameTheSourceLineAndColumn)
{
    struct Case {
        const char* xml;
        int line;
        const char* problem;
    };
    const Case cases[] = {
        {"<report>\n<detail height=\"5\">\n<text>x</tex>\n</detail></report>", 3, ""},
        {"<report>\n<detail height=\"5\"/>\n", 3, ""},
        {"<page/>", 1, "root element must be <report>"},
        {"<report>\n  <band/>\n</report>", 2, "unknown element <band>"},
        {"<report>\n<detail height=\"abc\"/></report>", 2, "not a number"},
        {"<report>\n<detail height=\"-1\"/></report>", 2, "outside"},
        {"<report>\n<detail>\n<text colour=\"red\"/></detail></report>", 3, "unknown attribute \"colour\""},
        {"<report>\n<detail><text align=\"middle\"/></detail></report>", 2, "must be one of left, center, right"},
        {"<report>\n<title/>\n</report>", 3, "no <detail> band"},
        {"<report><detail/>\n<detail/></report>", 2, "appears twice"},
        {"<report><detail>\n<aggregate field=\"QTY\"/></detail></report>", 2, "needs a \"function\""},
        {"<report><detail>\n<field/></detail></report>", 2, "needs a \"name\""},
        {"<report>\n<page marginLeft=\"100\" marginRight=\"100\"/><detail/></report>", 2, "no room"},
        {"<report><detail>\n<text>a<b/></text></detail></report>", 2, ""},
        {"<report><detail><text color=\"notacolour\"/></detail></report>", 1, "not a colour"},
        {"<report><detail/></report>\n<extra/>", 2, ""},
        {"", 1, ""},
    };
    for (const Case& c : cases) {
        try {
            TemplateReader::parse(QByteArray(c.xml), QStringLiteral("/x/rtm/bad.rtm"));
            ADD_FAILURE() << "accepted: " << c.xml;
        } catch (const ETemplateError& e) {
            std::string message = e.message();
            EXPECT_EQ(message.rfind("/x/rtm/bad.rtm: line " + std::to_string(c.line) + ", column ", 0), 0u)
                << message << "\nfor: " << c.xml;
            EXPECT_NE(message.find(c.problem), std::string::npos) << message;
        }
    }
}

TEST(TemplateReader, MissingFileIsAnOpenError)
{
    try {
        TemplateReader::read(QStringLiteral("/nonexistent/rtm/cust_prod.rtm"));
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.message().find("/nonexistent/rtm/cust_prod.rtm"), std::string::npos) << e.message();
    }
}
