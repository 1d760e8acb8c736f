// mkdemodb: creates a point-of-sale demo database with the embedded engine.
//
//   mkdemodb [--customers N] [--products N] [--sales-lines N] [--return-lines N]
//            [--seed N] [--year YYYY] [--until YYYY-MM-DD] [--force] FILE

#include "DemoData.h"
#include "Schema.h"

#include "DbxDriverApi.h"
#include "ExeDir.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>

#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <stdexcept>

namespace {
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void check(bool ok, const std::string& what, const std::string& error)
{
    if (!ok)
        throw Failure(what + ": " + error);
}

long long number(const QCommandLineParser& parser, const char* name, long long fallback, long long min)
{
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const long long value = parser.value(name).toLongLong(&ok);
    if (!ok || value < min)
        throw Failure(std::string("--") + name + ": expected a whole number of at least " + std::to_string(min)
                      + ", got '" + parser.value(name).toStdString() + "'");
    return value;
}

IDbxDriver* loadDriver()
{
    const std::string path = ExeDir::file("libdbxfb.so");
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw Failure("Unable to Load " + path);
    auto entry = reinterpret_cast<DbxGetDriverFunc>(dlsym(library, "getSQLDriverINTERBASE"));
    if (!entry)
        throw Failure("Unable to Find Procedure getSQLDriverINTERBASE");
    IDbxDriver* driver = entry("libfbclient.so.2");
    if (!driver)
        throw Failure("Unable to Load libfbclient.so.2");
    return driver;
}

// Loads the data in one transaction with statements prepared once.
void load(IDbxConnection& db, DemoData& data, const DemoSizes& sizes)
{
    std::string error;
    check(db.beginBulk(error), "begin", error);
    auto prepare = [&](const char* sql) {
        auto statement = db.prepare(sql, error);
        check(statement != nullptr, sql, error);
        return statement;
    };
    auto run = [&](IDbxStatement& statement, const DbxParams& params) {
        check(statement.execute(params, nullptr, error), "insert", error);
    };
    using P = DbxParam;
    {
        auto customer = prepare("INSERT INTO CUSTOMER VALUES (?, ?, ?, ?, ?)");
        for (int i = 0; i < sizes.customers; ++i) {
            const DemoCustomer c = data.customer(i);
            run(*customer, {P::fromText(c.id), P::fromText(c.name), P::fromText(c.contact), P::fromText(c.telephone),
                            P::fromText(c.address)});
        }
        auto product = prepare("INSERT INTO PROD_ITEM VALUES (?, ?, ?, ?)");
        for (int i = 0; i < sizes.products; ++i) {
            const DemoProduct p = data.product(i);
            run(*product, {P::fromText(p.id), P::fromText(p.name), P::fromText(p.unit), P::fromDouble(p.price)});
        }
        for (bool returns : {false, true}) {
            auto master = prepare(returns ? "INSERT INTO SALBK_MASTER VALUES (?, ?, ?, ?)"
                                          : "INSERT INTO SAL_MASTER VALUES (?, ?, ?, ?)");
            auto line = prepare(returns ? "INSERT INTO SALBK_SUB VALUES (?, ?, ?, ?, ?)"
                                        : "INSERT INTO SAL_SUB VALUES (?, ?, ?, ?, ?)");
            data.documents(
                returns,
                [&](const DemoMaster& m) {
                    run(*master, {P::fromText(m.billId), P::fromText(m.custId), P::fromText(m.custName),
                                  P::fromText(m.date.toString("yyyy-MM-dd").toStdString())});
                },
                [&](const DemoLine& l) {
                    run(*line, {P::fromText(l.billId), P::fromDouble(l.lineNo), P::fromText(l.productId),
                                P::fromDouble(l.unitPrice), P::fromDouble(l.quantity)});
                });
        }
    } // prepared statements dropped before the commit and the indexes
    check(db.endBulk(true, error), "commit", error);
    for (int i = 0; i < Schema::kIndexCount; ++i)
        check(db.execute(Schema::kIndexes[i], {}, nullptr, error), Schema::kIndexes[i], error);
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("mkdemodb");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Creates a point-of-sale demo database (Big5 text) with the embedded engine.");
    parser.addHelpOption();
    parser.addOptions({
        {"customers", "Number of customers (default 200).", "N"},
        {"products", "Number of products (default 300).", "N"},
        {"sales-lines", "Number of sales document lines (default 20000).", "N"},
        {"return-lines", "Number of return document lines (default 1000).", "N"},
        {"seed", "Seed of the random data (default 1).", "N"},
        {"year", "Year of the documents (default: last year).", "YYYY"},
        {"until", "Last day of the documents, in that year (default: 31 December).", "YYYY-MM-DD"},
        {"force", "Replace FILE when it exists."},
    });
    parser.addPositionalArgument("FILE", "The database file to create.");
    parser.process(app);

    try {
        if (parser.positionalArguments().size() != 1)
            throw Failure("expected exactly one FILE (see --help)");
        DemoSizes sizes;
        sizes.customers = static_cast<int>(number(parser, "customers", sizes.customers, 1));
        sizes.products = static_cast<int>(number(parser, "products", sizes.products, 1));
        sizes.salesLines = number(parser, "sales-lines", sizes.salesLines, 0);
        sizes.returnLines = number(parser, "return-lines", sizes.returnLines, 0);
        sizes.seed = static_cast<uint32_t>(number(parser, "seed", sizes.seed, 0));
        sizes.year = static_cast<int>(number(parser, "year", QDate::currentDate().year() - 1, 1900));
        if (parser.isSet("until")) {
            sizes.until = QDate::fromString(parser.value("until"), Qt::ISODate);
            if (!sizes.until.isValid() || sizes.until.year() != sizes.year)
                throw Failure("--until must be a date (YYYY-MM-DD) in the year " + std::to_string(sizes.year));
        }
        if (sizes.customers > 99999 || sizes.products > 999999)
            throw Failure("at most 99999 customers and 999999 products");

        const std::string file = std::filesystem::absolute(parser.positionalArguments().first().toStdString());
        if (std::filesystem::exists(file)) {
            if (!parser.isSet("force"))
                throw Failure(file + " exists (use --force to replace it)");
            std::filesystem::remove(file);
        }

        const auto started = std::chrono::steady_clock::now();
        IDbxDriver* driver = loadDriver();
        std::string error;
        check(driver->createDatabase(file, "", "", error), "create " + file, error);
        bool done = false;
        {
            auto db = driver->createConnection();
            check(db->connect(file, "SYSDBA", "", error), "open " + file, error);
            for (int i = 0; i < Schema::kTableCount; ++i)
                check(db->execute(Schema::kTables[i], {}, nullptr, error), Schema::kTables[i], error);
            DemoData data(sizes);
            try {
                load(*db, data, sizes);
                done = true;
            } catch (...) {
                db->disconnect();
                throw;
            }
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("%s: %d customers, %d products, %lld sales lines, %lld return lines (%d) in %.1f s\n",
                    file.c_str(), sizes.customers, sizes.products, sizes.salesLines, sizes.returnLines, sizes.year,
                    seconds);
        return done ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkdemodb: %s\n", e.what());
        return 1;
    }
}
