#pragma once
// Plausible point-of-sale data for the demo database: customers, products, sales from
// 1 January of the year to the last day, and returns of goods that were sold before them, all
// text in Big5 bytes. Deterministic for a given seed.

#include <QDate>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

struct DemoSizes {
    int customers = 200;
    int products = 300;
    long long salesLines = 20000;
    long long returnLines = 1000;
    uint32_t seed = 1;
    int year = 0; // the year of the documents
    QDate until;  // the last day of the documents (invalid: 31 December of the year)
};

struct DemoCustomer {
    std::string id, name, contact, telephone, address;
};
struct DemoProduct {
    std::string id, name, unit;
    double price = 0;
};
struct DemoMaster {
    std::string billId, custId, custName;
    QDate date;
};
struct DemoLine {
    std::string billId;
    int lineNo = 0;
    std::string productId;
    double unitPrice = 0, quantity = 0;
};

class DemoData {
public:
    explicit DemoData(const DemoSizes& sizes);

    DemoCustomer customer(int index);
    DemoProduct product(int index);

    // Walks the documents of one kind (sales or returns) with their lines, in date order;
    // the callbacks receive each head, then its lines. Stops after `lines` lines. Documents
    // spread over the period by their lines, so that with more lines than days every day
    // has sales, the last day included. The sales come first: each return takes back part
    // of a sale made on its day or before.
    void documents(bool returns, const std::function<void(const DemoMaster&)>& onMaster,
                   const std::function<void(const DemoLine&)>& onLine);

private:
    const DemoSizes sizes_;
    std::mt19937 random_;
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }
    std::vector<DemoCustomer> customers_;
    std::vector<DemoProduct> products_;
    // What the returns draw on: each sales document with its lines, in date order.
    struct SoldLine {
        int product = 0;
        double unitPrice = 0, quantity = 0;
    };
    struct SoldDocument {
        int customer = 0;
        QDate date;
        size_t firstLine = 0, lineCount = 0;
    };
    std::vector<SoldDocument> sold_;
    std::vector<SoldLine> soldLines_;
    QDate firstDay() const;
    QDate lastDay() const;
};
