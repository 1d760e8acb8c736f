#include "ReportFixture.h"

#include "DatasetFile.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>

namespace {

DbxParam text(const std::optional<std::string>& value)
{
    return value ? DbxParam::fromText(*value) : DbxParam{};
}

DbxParam number(const std::optional<double>& value)
{
    return value ? DbxParam::fromDouble(*value) : DbxParam{};
}

// Text comparison as the database does it for these columns: the shorter value is taken as
// padded with blanks.
int comparePadded(const std::string& a, const std::string& b)
{
    const size_t length = std::max(a.size(), b.size());
    for (size_t i = 0; i < length; ++i) {
        const unsigned char ca = i < a.size() ? static_cast<unsigned char>(a[i]) : ' ';
        const unsigned char cb = i < b.size() ? static_cast<unsigned char>(b[i]) : ' ';
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return 0;
}

// One group of the period's sales or returns: customer code and name, product code and
// name, price; and its total quantity.
struct Group {
    std::string custId, custName, prodId, prodName;
    double price = 0;
    double quantity = 0;
};

std::vector<Group> periodTotals(const Fixture& fixture, const ReportCriteria& criteria, bool returns)
{
    std::map<std::tuple<std::string, std::string, std::string, std::string, double>, double> totals;
    for (const FixtureDocument& document : fixture.documents) {
        if (document.isReturn != returns || document.date < criteria.from || document.date > criteria.to)
            continue;
        if (!criteria.custFrom.empty()) {
            if (!document.custId || comparePadded(*document.custId, criteria.custFrom) < 0
                || comparePadded(*document.custId, criteria.custTo) > 0)
                continue;
        }
        for (const FixtureLine& line : document.lines) {
            auto product = std::find_if(fixture.products.begin(), fixture.products.end(),
                                        [&](const FixtureProduct& p) { return p.id == line.product; });
            if (product == fixture.products.end())
                continue; // lines of unknown products drop out of the join
            // The fixtures keep nulls out of the rows a report is computed for.
            const auto key = std::make_tuple(document.custId.value_or(""), document.custName.value_or(""),
                                             line.product, product->name.value_or(""), line.price.value_or(0));
            totals[key] += returns ? -line.quantity : line.quantity;
        }
    }
    std::vector<Group> groups;
    for (const auto& [key, quantity] : totals)
        groups.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), std::get<3>(key), std::get<4>(key),
                          quantity});
    return groups;
}

}

void createPosTables(TSQLConnection& connection)
{
    const char* const tables[] = {
        "CREATE TABLE CUSTOMER (CUST_ID VARCHAR(10) NOT NULL PRIMARY KEY, CUST_NAME VARCHAR(50))",
        "CREATE TABLE PROD_ITEM (PD_ITEMID VARCHAR(15) NOT NULL PRIMARY KEY, PD_ITEMNAME VARCHAR(60))",
        "CREATE TABLE SAL_MASTER (MASTERBILLID VARCHAR(15) NOT NULL PRIMARY KEY, CUST_ID VARCHAR(10), "
        "CUST_NAME VARCHAR(50), ACC_DATE DATE)",
        "CREATE TABLE SAL_SUB (MASTERBILLID VARCHAR(15) NOT NULL, PD_ITEMID VARCHAR(15), "
        "U_PRICE DOUBLE PRECISION, V_QTY DOUBLE PRECISION)",
        "CREATE TABLE SALBK_MASTER (MASTERBILLID VARCHAR(15) NOT NULL PRIMARY KEY, CUST_ID VARCHAR(10), "
        "CUST_NAME VARCHAR(50), ACC_DATE DATE)",
        "CREATE TABLE SALBK_SUB (MASTERBILLID VARCHAR(15) NOT NULL, PD_ITEMID VARCHAR(15), "
        "U_PRICE DOUBLE PRECISION, V_QTY DOUBLE PRECISION)",
    };
    for (const char* sql : tables)
        connection.execute(sql, {});
}

void insertFixture(TSQLConnection& connection, const Fixture& fixture)
{
    for (const FixtureProduct& product : fixture.products)
        connection.execute("INSERT INTO PROD_ITEM VALUES (?, ?)", {DbxParam::fromText(product.id), text(product.name)});
    for (const FixtureDocument& document : fixture.documents) {
        const std::string master = document.isReturn ? "SALBK_MASTER" : "SAL_MASTER";
        const std::string sub = document.isReturn ? "SALBK_SUB" : "SAL_SUB";
        connection.execute("INSERT INTO " + master + " VALUES (?, ?, ?, ?)",
                           {DbxParam::fromText(document.billId), text(document.custId), text(document.custName),
                            DbxParam::fromText(document.date.toString("yyyy-MM-dd").toStdString())});
        for (const FixtureLine& line : document.lines)
            connection.execute("INSERT INTO " + sub + " VALUES (?, ?, ?, ?)",
                               {DbxParam::fromText(document.billId), DbxParam::fromText(line.product),
                                number(line.price), DbxParam::fromDouble(line.quantity)});
    }
}

bool ReportRow::operator<(const ReportRow& o) const
{
    return std::tie(custId, prodId, price, custName, prodName, quantity)
        < std::tie(o.custId, o.prodId, o.price, o.custName, o.prodName, o.quantity);
}

bool ReportRow::operator==(const ReportRow& o) const
{
    return std::tie(custId, custName, prodId, prodName, price, quantity, amount)
        == std::tie(o.custId, o.custName, o.prodId, o.prodName, o.price, o.quantity, o.amount);
}

std::vector<ReportRow> expectedReport(const Fixture& fixture, const ReportCriteria& criteria)
{
    std::vector<Group> table = periodTotals(fixture, criteria, false);
    // Returns in code order; each is added to every row of the same customer code, product
    // code and price, or becomes a row of its own.
    std::vector<Group> returns = periodTotals(fixture, criteria, true);
    std::stable_sort(returns.begin(), returns.end(), [](const Group& a, const Group& b) {
        return std::tie(a.custId, a.prodId) < std::tie(b.custId, b.prodId);
    });
    for (const Group& returned : returns) {
        bool matched = false;
        for (Group& row : table) {
            if (comparePadded(row.custId, returned.custId) == 0 && comparePadded(row.prodId, returned.prodId) == 0
                && row.price == returned.price) {
                row.quantity += returned.quantity;
                matched = true;
            }
        }
        if (!matched)
            table.push_back(returned);
    }
    if (criteria.minAmount) {
        std::map<std::string, double> amountByCustomer;
        for (const Group& row : table)
            amountByCustomer[row.custId] += row.price * row.quantity;
        std::erase_if(table, [&](const Group& row) { return amountByCustomer[row.custId] < *criteria.minAmount; });
    }
    std::vector<ReportRow> rows;
    for (const Group& g : table)
        rows.push_back({g.custId, g.custName, g.prodId, g.prodName, g.price, g.quantity, g.price * g.quantity});
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<ReportRow> reportRowsOfFile(const std::string& path)
{
    const DataPacket packet = DatasetFile::load(path);
    const int cust = packet.indexOf("CUST_ID"), custName = packet.indexOf("CUST_NAME"),
              prod = packet.indexOf("PROD_ID"), prodName = packet.indexOf("PROD_NAME"),
              price = packet.indexOf("U_PRICE"), qty = packet.indexOf("QTY"), amt = packet.indexOf("AMT");
    std::vector<ReportRow> rows;
    for (const DataRow& r : packet.rows) {
        auto str = [&](int i) { return r.at(size_t(i)).isNull() ? std::string() : r.at(size_t(i)).asString(); };
        rows.push_back({str(cust), str(custName), str(prod), str(prodName), r.at(size_t(price)).asDouble(),
                        r.at(size_t(qty)).asDouble(), r.at(size_t(amt)).asDouble()});
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::string describe(const std::vector<ReportRow>& rows)
{
    std::ostringstream out;
    for (const ReportRow& r : rows)
        out << "  [" << r.custId << "|" << r.custName << "|" << r.prodId << "|" << r.prodName << "|" << r.price
            << "|" << r.quantity << "|" << r.amount << "]\n";
    return out.str();
}
