#pragma once
// The statements of the report run, line by line, and the rules that turn the window's
// entries into the values placed in them. Pure text: no database, no widgets, so every line
// can be checked without a screen.
//
// Texts are bytes in the system code page (CP950), like everything sent to the database.

#include <QDateTime>
#include <QString>

#include <string>
#include <vector>

using StatementLines = std::vector<std::string>;

// The values one run works with, from its start to its end.
struct ReportValues {
    std::string TMPTABLE;  // the report temporary table, "TMP_" + HHNNSS + "_" + run number
    std::string DATEFROM;  // "yyyy/mm/dd"
    std::string DATETO;
    std::string CUSTFROM;  // as typed (blanks kept), or empty for all customers
    std::string CUSTTO;
    std::string MINAMOUNT; // as typed
};

namespace ReportRules {

// Leading and trailing characters of code 32 or below (blanks and control characters) removed.
QString trimmed(const QString& text);
bool isBlank(const QString& text);
bool isBlank(const std::string& bytes);

// "TMP_" + the time of day as HHNNSS + "_" + the run's number in the database (see
// ReportSql::runNumber). The time tells an administrator when a leftover table was made; the
// number keeps runs of the same second apart, on one desk or many.
std::string tableName(const QDateTime& moment, const std::string& runNumber);

// A date edit's text through the short date format, written "yyyy/mm/dd".
// Throws EConvertError "'%s' is not a valid date".
std::string periodDate(const QString& text);

// CUSTFROM and CUSTTO from the two customer edits: a blank first code means all customers;
// a blank last code means the first code alone.
void customerRange(const QString& cust1, const QString& cust2, ReportValues& values);

// A typed value as it goes between single quotes: each quote inside it doubled, so that the
// value stays one literal whatever it holds. Every other byte is kept.
std::string literal(const std::string& value);

// The header's period text: "查詢年月: " + DATEFROM + "～" + DATETO (full-width tilde, A1 E3).
std::string periodText(const ReportValues& values);

}

namespace ReportSql {

// The number that makes the run's table name unique in the database: the transaction number
// of this statement. The server never hands one out twice (it counts on across restarts),
// whichever attachment asks, so no other run, now or earlier, on this desk or another, has it.
// It fits in 15 digits, so the table and its index ("_K") stay within 31 bytes.
StatementLines runNumber();
StatementLines createTable(const ReportValues& v);
StatementLines fillSales(const ReportValues& v);
// The index that keeps the per-row look-ups and updates of the return merge from scanning
// the whole table.
StatementLines createIndex(const ReportValues& v);
StatementLines returnTotals(const ReportValues& v);
StatementLines lookUpRow(const ReportValues& v);
StatementLines insertRow(const ReportValues& v);
StatementLines updateRow(const ReportValues& v);
StatementLines customersUnderMinimum(const ReportValues& v);
StatementLines deleteCustomer(const ReportValues& v);
StatementLines finalCheck(const ReportValues& v);
StatementLines result(const ReportValues& v);
StatementLines tableExists(const ReportValues& v);
StatementLines dropTable(const ReportValues& v);

// The lines each followed by CR LF, as a client dataset's command text.
std::string commandText(const StatementLines& lines);

}
