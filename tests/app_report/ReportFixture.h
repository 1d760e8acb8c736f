#pragma once
// Point-of-sale fixture data for the report run, and the report those rows must give,
// computed here in C++ from the rows themselves (not from the program's statements).

#include "SQLConnection.h"

#include <QDate>

#include <optional>
#include <string>
#include <vector>

struct FixtureProduct {
    std::string id;
    std::optional<std::string> name;
};

struct FixtureLine {
    std::string product;
    std::optional<double> price;
    double quantity = 0;
};

struct FixtureDocument {
    bool isReturn = false;
    std::string billId;
    std::optional<std::string> custId;
    std::optional<std::string> custName;
    QDate date;
    std::vector<FixtureLine> lines;
};

struct Fixture {
    std::vector<FixtureProduct> products;
    std::vector<FixtureDocument> documents;
};

// The tables the report reads, as the point-of-sale database has them.
void createPosTables(TSQLConnection& connection);
void insertFixture(TSQLConnection& connection, const Fixture& fixture);

struct ReportCriteria {
    QDate from, to;
    std::string custFrom, custTo; // empty custFrom: every customer
    std::optional<double> minAmount;
};

struct ReportRow {
    std::string custId, custName, prodId, prodName;
    double price = 0, quantity = 0, amount = 0;
    bool operator<(const ReportRow& other) const;
    bool operator==(const ReportRow& other) const;
};

// What the report must hold for these rows and criteria: per customer (code and name),
// product and price the quantity sold in the period, minus the returns merged by customer
// code, product and price alone; then whole customers under the minimum removed.
// Sorted with operator<.
std::vector<ReportRow> expectedReport(const Fixture& fixture, const ReportCriteria& criteria);

// The rows of a saved result file ("temp.cds"), sorted with operator<.
std::vector<ReportRow> reportRowsOfFile(const std::string& path);

std::string describe(const std::vector<ReportRow>& rows);
