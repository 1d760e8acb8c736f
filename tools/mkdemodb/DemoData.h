#pragma once
// Plausible point-of-sale data for the demo database: customers, products, a year of sales
// and of returns, all text in Big5 bytes. Deterministic for a given seed.

#include <QDate>

#include <cstdint>
#include <functional>
#include <random>
#include <string>

struct DemoSizes {
    int customers = 200;
    int products = 300;
    long long salesLines = 20000;
    long long returnLines = 1000;
    uint32_t seed = 1;
    int year = 0; // the year of the documents
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
    // the callbacks receive each head, then its lines. Stops after `lines` lines.
    void documents(bool returns, const std::function<void(const DemoMaster&)>& onMaster,
                   const std::function<void(const DemoLine&)>& onLine);

private:
    const DemoSizes sizes_;
    std::mt19937 random_;
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }
    std::vector<DemoCustomer> customers_;
    std::vector<DemoProduct> products_;
};
