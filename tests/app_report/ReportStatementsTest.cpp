// The criteria rules and the statement texts of the report run, without a database.

#include "Exception.h"
#include "ReportFiles.h"
#include "ReportStatements.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

ReportValues periodOnly()
{
    ReportValues v;
    v.TMPTABLE = "TMP_143005";
    v.DATEFROM = "2024/01/01";
    v.DATETO = "2024/12/31";
    return v;
}

}

TEST(ReportRules, CustomerRange)
{
    struct Case {
        QString cust1, cust2;
        std::string from, to;
    };
    const Case cases[] = {
        {"", "", "", ""},
        {"", "B001", "", "B001"},              // no first code: every customer, the last is kept unused
        {"A001", "", "A001", "A001"},          // one customer
        {"A001", "B001", "A001", "B001"},
        {" A001 ", "", " A001 ", " A001 "},    // blanks kept as typed
        {"\t \x01", "B001", "", "B001"},       // control characters count as blank
        {"A001", "  ", "A001", "A001"},
    };
    for (const Case& c : cases) {
        ReportValues v;
        ReportRules::customerRange(c.cust1, c.cust2, v);
        EXPECT_EQ(v.CUSTFROM, c.from) << c.cust1.toStdString() << "|" << c.cust2.toStdString();
        EXPECT_EQ(v.CUSTTO, c.to) << c.cust1.toStdString() << "|" << c.cust2.toStdString();
    }
}

TEST(ReportRules, LiteralDoublesQuotesOnly)
{
    EXPECT_EQ(ReportRules::literal("O'NEIL"), "O''NEIL");
    EXPECT_EQ(ReportRules::literal("' OR '1'='1"), "'' OR ''1''=''1");
    EXPECT_EQ(ReportRules::literal(" A 1 "), " A 1 ");
    EXPECT_EQ(ReportRules::literal("''"), "''''");
    // Big5 text passes byte for byte ("許" is A5 5C: a backslash as trail byte).
    const std::string big5 = TextCodec::toCp950(QStringLiteral("許功蓋"));
    EXPECT_EQ(ReportRules::literal(big5), big5);
}

TEST(ReportRules, TableNameIsTheTimeOfDayAndTheRunNumber)
{
    EXPECT_EQ(ReportRules::tableName(QDateTime(QDate(2024, 5, 6), QTime(14, 30, 5)), "7"), "TMP_143005_7");
    EXPECT_EQ(ReportRules::tableName(QDateTime(QDate(2024, 5, 6), QTime(0, 0, 0)), "123"), "TMP_000000_123");
    // The largest transaction number (48 bits): the index name still fits in 31 bytes.
    const std::string longest = ReportRules::tableName(QDateTime(QDate(2024, 5, 6), QTime(9, 5, 7)), "281474976710655");
    EXPECT_EQ(longest, "TMP_090507_281474976710655");
    EXPECT_LE(longest.size() + 2, 31u);
}

TEST(ReportRules, PeriodDates)
{
    EXPECT_EQ(ReportRules::periodDate("2024/1/5"), "2024/01/05");
    EXPECT_EQ(ReportRules::periodDate(" 2024/12/31 "), "2024/12/31");
    for (const char* bad : {"2024/13/01", "2024/02/30", "", "abc", "2024-01-05"}) {
        try {
            ReportRules::periodDate(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), "'" + std::string(bad) + "' is not a valid date");
        }
    }
}

TEST(ReportRules, PeriodTextUsesTheFullWidthTilde)
{
    const std::string text = ReportRules::periodText(periodOnly());
    EXPECT_EQ(text, TextCodec::utf8ToCp950("查詢年月: ") + "2024/01/01\xA1\xE3" "2024/12/31");
    EXPECT_EQ(TextCodec::fromCp950(text), QStringLiteral("查詢年月: 2024/01/01～2024/12/31"));
}

TEST(ReportSql, SalesFillWithAndWithoutTheCustomerLine)
{
    ReportValues v = periodOnly();
    const StatementLines all = ReportSql::fillSales(v);
    const StatementLines expectedAll{
        "INSERT INTO TMP_143005 ( ",
        "CUST_ID,CUST_NAME,PROD_ID,PROD_NAME,U_PRICE,QTY) ",
        "SELECT A.CUST_ID,A.CUST_NAME,B.PD_ITEMID,C.PD_ITEMNAME,B.U_PRICE,SUM(B.V_QTY) ",
        "FROM SAL_MASTER A,SAL_SUB B,PROD_ITEM C ",
        " WHERE A.MASTERBILLID = B.MASTERBILLID ",
        " AND B.PD_ITEMID = C.PD_ITEMID ",
        " AND A.ACC_DATE BETWEEN '2024/01/01' AND '2024/12/31' ",
        " GROUP BY 1,2,3,4,5 ",
        " ORDER BY 1,3 ",
    };
    EXPECT_EQ(all, expectedAll);

    // The customer test depends on the first code alone.
    v.CUSTTO = "B001";
    EXPECT_EQ(ReportSql::fillSales(v), expectedAll);

    v.CUSTFROM = " O'NEIL ";
    v.CUSTTO = " O'NEIL ";
    const StatementLines some = ReportSql::fillSales(v);
    ASSERT_EQ(some.size(), 10u);
    EXPECT_EQ(some[7], " AND A.CUST_ID BETWEEN ' O''NEIL ' AND ' O''NEIL ' ");
    EXPECT_EQ(some[8], " GROUP BY 1,2,3,4,5 ");
}

TEST(ReportSql, ReturnTotalsShareThePeriodAndCustomerLines)
{
    ReportValues v = periodOnly();
    v.CUSTFROM = "A001";
    v.CUSTTO = "A009";
    const StatementLines sales = ReportSql::fillSales(v);
    const StatementLines returns = ReportSql::returnTotals(v);
    ASSERT_EQ(returns.size(), 8u);
    EXPECT_EQ(returns[0], "SELECT A.CUST_ID,A.CUST_NAME,B.PD_ITEMID,C.PD_ITEMNAME,B.U_PRICE,SUM(B.V_QTY * -1) AS QTY ");
    EXPECT_EQ(returns[1], "FROM SALBK_MASTER A,SALBK_SUB B,PROD_ITEM C ");
    EXPECT_EQ(StatementLines(returns.begin() + 2, returns.end()), StatementLines(sales.begin() + 4, sales.end()));
}

TEST(ReportSql, MinimumAmountIsOneLiteral)
{
    ReportValues v = periodOnly();
    v.MINAMOUNT = "1' OR '1'='1";
    const StatementLines lines = ReportSql::customersUnderMinimum(v);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "SELECT CUST_ID,SUM(U_PRICE * QTY) AS AMT FROM TMP_143005 ");
    EXPECT_EQ(lines[2], "HAVING SUM(U_PRICE * QTY) < '1'' OR ''1''=''1' ");
}

TEST(ReportSql, TableStatements)
{
    const ReportValues v = periodOnly();
    EXPECT_EQ(ReportSql::createIndex(v), StatementLines{"CREATE INDEX TMP_143005_K ON TMP_143005 (CUST_ID, PROD_ID, U_PRICE)"});
    EXPECT_EQ(ReportSql::tableExists(v),
              StatementLines{"SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'TMP_143005' "});
    EXPECT_EQ(ReportSql::dropTable(v), StatementLines{"drop table TMP_143005"});
    EXPECT_EQ(ReportSql::commandText(ReportSql::result(v)),
              "select CUST_ID,CUST_NAME,PROD_ID,PROD_NAME,U_PRICE,QTY,SUM(U_PRICE * QTY) AS AMT \r\n"
              "from TMP_143005\r\n group by 1,2,3,4,5,6 \r\n order by 1,3\r\n");
}

TEST(ReportFiles, FindsAFileWhateverItsLetterCase)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString();
    EXPECT_EQ(ReportFiles::findIgnoringCase(path, "Tarnvik.dat"), path + "/Tarnvik.dat") << "none: the name asked";
    std::ofstream(path + "/TARNVIK.DAT") << "x";
    EXPECT_EQ(ReportFiles::findIgnoringCase(path, "Tarnvik.dat"), path + "/TARNVIK.DAT");
    EXPECT_EQ(ReportFiles::findIgnoringCase(path, "Tarnvik.Dat"), path + "/TARNVIK.DAT");
    std::ofstream(path + "/Tarnvik.Dat") << "y";
    EXPECT_EQ(ReportFiles::findIgnoringCase(path, "Tarnvik.Dat"), path + "/Tarnvik.Dat") << "an exact match wins";
    // A directory of that name is not the file.
    QDir(dir.path()).mkdir("rpttemp.INI");
    EXPECT_EQ(ReportFiles::findIgnoringCase(path, "rpttemp.ini"), path + "/rpttemp.ini");
}
