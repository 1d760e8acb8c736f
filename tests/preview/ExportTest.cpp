#include "CsvExport.h"
#include "PdfExport.h"
#include "ReportErrors.h"
#include "ReportFixture.h"
#include "ReportLoader.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// The text of a PDF as pdftotext gives it (pages end with a form feed), or null without it.
QString pdfText(const QString& pdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return {};
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}

TEST(PdfExport, SmallReportTextReadsBack)
{
    ensureApplication();
    HandoffDir dir(detailPacket(smallFixtureRows()),
                   headerPacket(QStringLiteral("客戶區間商品數量表"), QStringLiteral("查詢年月: 2024/01/01～2024/01/31"),
                                QStringLiteral("大同茶業股份有限公司"), QStringLiteral("月底結帳前請核對")));
    auto document = ReportLoader::load(dir.iniPath(), QDateTime(QDate(2024, 2, 1), QTime(9, 30, 5)));
    QString pdf = dir.path("out.pdf");
    PdfExport::writePdf(*document, pdf);
    QString text = pdfText(pdf);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    for (const char* expected : {"大同茶業股份有限公司", "客戶區間商品數量表", "查詢年月: 2024/01/01～2024/01/31", "月底結帳前請核對",
                                 "品號", "品名", "單價", "數量", "金額", "台北商行 / 台北商行(舊名)", "高山烏龍茶 300g",
                                 "1,250.50", "-1,350.00", "10,201.00", "1,808,851.00", "總計", "第 1 頁 / 共 1 頁",
                                 "列印日期：2024/02/01 09:30:05"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST(PdfExport, EveryPageHasColumnTitlesAndItsNumber)
{
    ensureApplication();
    HandoffDir dir(detailPacket(manyRows(12, 15)), headerPacket("C", "P", "T", {}));
    auto document = ReportLoader::load(dir.iniPath(), QDateTime::currentDateTime());
    ASSERT_GT(document->pageCount(), 3);
    QString pdf = dir.path("out.pdf");
    PdfExport::writePdf(*document, pdf);
    QString text = pdfText(pdf);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), document->pageCount());
    for (int p = 0; p < pages.size(); ++p) {
        EXPECT_TRUE(pages[p].contains(QStringLiteral("品號"))) << "page " << p + 1;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("第 %1 頁 / 共 %2 頁").arg(p + 1).arg(pages.size()))) << "page " << p + 1;
    }
}

TEST(PdfExport, UnwritablePathNamesTheFile)
{
    ensureApplication();
    HandoffDir dir(detailPacket(smallFixtureRows()), headerPacket("C", "P", "T", {}));
    auto document = ReportLoader::load(dir.iniPath(), QDateTime::currentDateTime());
    try {
        PdfExport::writePdf(*document, QStringLiteral("/nonexistent/dir/out.pdf"));
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.message().find("/nonexistent/dir/out.pdf"), std::string::npos) << e.message();
    }
}

TEST(CsvExport, WritesUtf8RowsForASpreadsheet)
{
    DataPacket packet = detailPacket({{"A001", "台北商行, 總店", "P-1", "=SUM(A1)", 1250.5, -2},
                                      {"B\"2", "高雄", "P-2", "茶", 10, 3}});
    packet.rows.push_back({Variant::null(), Variant::null(), Variant::null(), Variant::null(), Variant::null(),
                           Variant::null(), Variant::null()});
    QByteArray csv = CsvExport::toCsv(packet);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5); // header, three rows, and the empty rest after the last CR LF
    EXPECT_EQ(lines[0], QStringLiteral("CUST_ID,CUST_NAME,PROD_ID,PROD_NAME,U_PRICE,QTY,AMT"));
    EXPECT_EQ(lines[1], QStringLiteral("A001,\"台北商行, 總店\",P-1,'=SUM(A1),1250.5,-2,-2501"));
    EXPECT_EQ(lines[2], QStringLiteral("\"B\"\"2\",高雄,P-2,茶,10,3,30"));
    EXPECT_EQ(lines[3], QStringLiteral(",,,,,,"));
    EXPECT_EQ(lines[4], QString());
}
