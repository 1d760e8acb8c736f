#include "ReportStatements.h"

#include "FormatSettings.h"
#include "TextCodec.h"

namespace {

bool isTrimmedByte(unsigned char c)
{
    return c <= 32;
}

// Lines 5 to 10 of the sales fill, which the return totals share.
void appendPeriodAndCustomers(StatementLines& lines, const ReportValues& v)
{
    using ReportRules::literal;
    lines.push_back(" WHERE A.MASTERBILLID = B.MASTERBILLID ");
    lines.push_back(" AND B.PD_ITEMID = C.PD_ITEMID ");
    lines.push_back(" AND A.ACC_DATE BETWEEN '" + v.DATEFROM + "'" + " AND " + "'" + v.DATETO + "'" + " ");
    // The customer test depends on CUSTFROM alone: a blank first code means every customer,
    // whatever the last code holds.
    if (!ReportRules::isBlank(v.CUSTFROM))
        lines.push_back(" AND A.CUST_ID BETWEEN '" + literal(v.CUSTFROM) + "'" + " AND " + "'" + literal(v.CUSTTO)
                        + "'" + " ");
    lines.push_back(" GROUP BY 1,2,3,4,5 ");
    lines.push_back(" ORDER BY 1,3 ");
}

}

namespace ReportRules {

QString trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

bool isBlank(const QString& text)
{
    return trimmed(text).isEmpty();
}

bool isBlank(const std::string& bytes)
{
    for (char c : bytes)
        if (!isTrimmedByte(static_cast<unsigned char>(c)))
            return false;
    return true;
}

std::string tableName(const QDateTime& moment, const std::string& runNumber)
{
    return "TMP_" + FormatSettings::instance().formatDateTime(QStringLiteral("HHNNSS"), moment).toStdString() + "_"
        + runNumber;
}

std::string periodDate(const QString& text)
{
    const FormatSettings& settings = FormatSettings::instance();
    return settings.formatDate(QStringLiteral("yyyy/mm/dd"), settings.strToDate(text)).toStdString();
}

void customerRange(const QString& cust1, const QString& cust2, ReportValues& values)
{
    values.CUSTFROM = isBlank(cust1) ? std::string() : TextCodec::toCp950(cust1);
    values.CUSTTO = isBlank(cust2) ? values.CUSTFROM : TextCodec::toCp950(cust2);
}

std::string literal(const std::string& value)
{
    // A quote byte never occurs inside a Big5 character (trail bytes start at 0x40), so
    // doubling bytes is doubling characters.
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

std::string periodText(const ReportValues& values)
{
    static const std::string label = TextCodec::utf8ToCp950("查詢年月: ");
    static const std::string tilde = "\xA1\xE3";
    return label + values.DATEFROM + tilde + values.DATETO;
}

}

namespace ReportSql {

using ReportRules::literal;

StatementLines runNumber()
{
    return {"SELECT CURRENT_TRANSACTION FROM RDB$DATABASE"};
}

StatementLines createTable(const ReportValues& v)
{
    return {
        "CREATE TABLE " + v.TMPTABLE + " ( ",
        "CUST_ID     VARCHAR(15),",
        "CUST_NAME   VARCHAR(60),",
        "PROD_ID     VARCHAR(15),",
        "PROD_NAME   VARCHAR(60),",
        "U_PRICE     DOUBLE PRECISION,",
        "QTY         DOUBLE PRECISION",
        ")",
    };
}

StatementLines fillSales(const ReportValues& v)
{
    StatementLines lines{
        "INSERT INTO " + v.TMPTABLE + " ( ",
        "CUST_ID,CUST_NAME,PROD_ID,PROD_NAME,U_PRICE,QTY) ",
        "SELECT A.CUST_ID,A.CUST_NAME,B.PD_ITEMID,C.PD_ITEMNAME,B.U_PRICE,SUM(B.V_QTY) ",
        "FROM SAL_MASTER A,SAL_SUB B,PROD_ITEM C ",
    };
    appendPeriodAndCustomers(lines, v);
    return lines;
}

StatementLines createIndex(const ReportValues& v)
{
    return {"CREATE INDEX " + v.TMPTABLE + "_K ON " + v.TMPTABLE + " (CUST_ID, PROD_ID, U_PRICE)"};
}

StatementLines returnTotals(const ReportValues& v)
{
    StatementLines lines{
        "SELECT A.CUST_ID,A.CUST_NAME,B.PD_ITEMID,C.PD_ITEMNAME,B.U_PRICE,SUM(B.V_QTY * -1) AS QTY ",
        "FROM SALBK_MASTER A,SALBK_SUB B,PROD_ITEM C ",
    };
    appendPeriodAndCustomers(lines, v);
    return lines;
}

StatementLines lookUpRow(const ReportValues& v)
{
    return {
        "SELECT * FROM " + v.TMPTABLE + " ",
        "WHERE CUST_ID = :CUST_ID",
        "AND PROD_ID = :PROD_ID",
        "AND U_PRICE = :U_PRICE",
    };
}

StatementLines insertRow(const ReportValues& v)
{
    return {
        "INSERT INTO " + v.TMPTABLE + " ( ",
        "CUST_ID,CUST_NAME,PROD_ID,PROD_NAME,U_PRICE,QTY) ",
        " VALUES ",
        " (:CUST_ID,:CUST_NAME,:PROD_ID,:PROD_NAME,:U_PRICE,:QTY) ",
    };
}

StatementLines updateRow(const ReportValues& v)
{
    return {
        "UPDATE " + v.TMPTABLE + " ",
        "SET QTY  = QTY + :QTY ",
        "WHERE CUST_ID = :CUST_ID ",
        "AND PROD_ID = :PROD_ID ",
        "AND U_PRICE = :U_PRICE ",
    };
}

StatementLines customersUnderMinimum(const ReportValues& v)
{
    return {
        "SELECT CUST_ID,SUM(U_PRICE * QTY) AS AMT FROM " + v.TMPTABLE + " ",
        "GROUP BY 1",
        "HAVING SUM(U_PRICE * QTY) < '" + literal(v.MINAMOUNT) + "'" + " ",
    };
}

StatementLines deleteCustomer(const ReportValues& v)
{
    return {
        "DELETE FROM " + v.TMPTABLE + " ",
        "WHERE CUST_ID = :CUST_ID ",
    };
}

StatementLines finalCheck(const ReportValues& v)
{
    return {
        "SELECT CUST_ID,SUM(U_PRICE * QTY) AS AMT FROM " + v.TMPTABLE + " ",
        "GROUP BY 1",
    };
}

StatementLines result(const ReportValues& v)
{
    return {
        "select CUST_ID,CUST_NAME,PROD_ID,PROD_NAME,U_PRICE,QTY,SUM(U_PRICE * QTY) AS AMT ",
        "from " + v.TMPTABLE,
        " group by 1,2,3,4,5,6 ",
        " order by 1,3",
    };
}

StatementLines tableExists(const ReportValues& v)
{
    return {"SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '" + v.TMPTABLE + "' "};
}

StatementLines dropTable(const ReportValues& v)
{
    return {"drop table " + v.TMPTABLE};
}

std::string commandText(const StatementLines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}
