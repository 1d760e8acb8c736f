// dbbench: the cost of the report run's per-row statements, on the embedded engine and on the
// loopback server (when scripts/firebird-server.sh has started one).
//
//   dbbench [STATEMENTS]      (default 10000 per case)
//
// Each case runs STATEMENTS statements and prints the time per 10,000 and per statement:
//   insert/new      the query object's cycle: set the text, set parameters, prepare, execute,
//                   commit, drop the handle (what the return merge does per row)
//   insert/reused   one statement prepared once, executed and committed per row
//   lookup/new      the per-row look-up on a 1,000-row table: set the text and parameters,
//                   open (read all, commit)
//   lookup/reused   the look-up prepared once

#include "DbxDriverApi.h"
#include "ExeDir.h"
#include "IniFile.h"
#include "SQLConnection.h"
#include "SQLQuery.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {
struct Target {
    std::string label, database, user, password;
};

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::trunc) << content;
}

bool createDatabase(const std::string& driverPath, const Target& target)
{
    void* library = dlopen(driverPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto entry = library ? reinterpret_cast<DbxGetDriverFunc>(dlsym(library, "getSQLDriverINTERBASE")) : nullptr;
    std::unique_ptr<IDbxDriver> driver(entry ? entry("libfbclient.so.2") : nullptr);
    std::string error;
    if (!driver || !driver->createDatabase(target.database, target.user, target.password, error)) {
        std::fprintf(stderr, "dbbench: cannot create %s: %s\n", target.database.c_str(), error.c_str());
        return false;
    }
    return true;
}

void measure(const Target& target, const char* name, int count, const std::function<void(int)>& step)
{
    const auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i)
        step(i);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%-9s %-14s %8.2f s per 10,000   %7.3f ms per statement\n", target.label.c_str(), name,
                seconds * 10000.0 / count, seconds * 1000.0 / count);
    std::fflush(stdout);
}

void runCases(const std::string& driverPath, const Target& target, int count)
{
    QTemporaryDir config;
    ExeDir::setOverride(config.path().toStdString());
    writeFile(ExeDir::file("dbxdrivers.ini"), "[Interbase]\nGetDriverFunc=getSQLDriverINTERBASE\nLibraryName="
                                                  + driverPath + "\nVendorLib=libfbclient.so.2\n");
    writeFile(ExeDir::file("dbxconnections.ini"), "[Dulmar]\nDriverName=Interbase\nDatabase=" + target.database
                                                      + "\nUser_Name=" + target.user + "\nPassword=" + target.password
                                                      + "\nSQLDialect=3\nWaitOnLocks=True\n");
    TSQLConnection connection;
    connection.setConnectionName("Dulmar");
    connection.setLoadParamsOnConnect(true);
    connection.open();

    TSQLQuery query;
    query.setSQLConnection(&connection);
    query.sql().add("CREATE TABLE TMP_BENCH ( CUST_ID VARCHAR(15), CUST_NAME VARCHAR(60), PROD_ID VARCHAR(15),");
    query.sql().add(" PROD_NAME VARCHAR(60), U_PRICE DOUBLE PRECISION, QTY DOUBLE PRECISION)");
    query.execSQL();

    const char* insertSql = "INSERT INTO TMP_BENCH ( \r\nCUST_ID,CUST_NAME,PROD_ID,PROD_NAME,U_PRICE,QTY) \r\n"
                            " VALUES \r\n (?,?,?,?,?,?) \r\n";
    const char* lookupSql = "SELECT * FROM TMP_BENCH \r\nWHERE CUST_ID = ?\r\nAND PROD_ID = ?\r\nAND U_PRICE = ?\r\n";
    auto id = [](int i) { return "C" + std::to_string(i % 500); };
    auto product = [](int i) { return "P" + std::to_string(i % 97); };

    // The look-ups run first, on a table of 1,000 rows (a report's temporary table for a small
    // period), so that they measure the statement cycle rather than a growing scan.
    {
        std::string error;
        IDbxConnection& db = connection.driverConnection();
        if (!db.beginBulk(error))
            throw std::runtime_error(error);
        auto fill = connection.prepare(insertSql);
        for (int i = 0; i < 1000; ++i) {
            const DbxParams params{DbxParam::fromText(id(i)), DbxParam::fromText("x"), DbxParam::fromText(product(i)),
                                   DbxParam::fromText("y"), DbxParam::fromDouble(i % 13), DbxParam::fromDouble(1)};
            if (!fill->execute(params, nullptr, error))
                throw std::runtime_error(error);
        }
        fill.reset();
        if (!db.endBulk(true, error))
            throw std::runtime_error(error);
    }
    measure(target, "lookup/new", count, [&](int i) {
        query.close();
        query.sql().clear();
        query.sql().add("SELECT * FROM TMP_BENCH ");
        query.sql().add("WHERE CUST_ID = :CUST_ID");
        query.sql().add("AND PROD_ID = :PROD_ID");
        query.sql().add("AND U_PRICE = :U_PRICE");
        query.paramByName("CUST_ID").setAsString(id(i));
        query.paramByName("PROD_ID").setAsString(product(i));
        query.paramByName("U_PRICE").setAsFloat(i % 13);
        query.open();
    });
    {
        auto lookup = connection.prepare(lookupSql);
        measure(target, "lookup/reused", count, [&](int i) {
            std::string error;
            DataPacket rows;
            const DbxParams params{DbxParam::fromText(id(i)), DbxParam::fromText(product(i)),
                                   DbxParam::fromDouble(i % 13)};
            if (!lookup->execute(params, &rows, error))
                throw std::runtime_error(error);
        });
    }
    measure(target, "insert/new", count, [&](int i) {
        query.close();
        query.sql().clear();
        query.sql().add("INSERT INTO TMP_BENCH ( ");
        query.sql().add("CUST_ID,CUST_NAME,PROD_ID,PROD_NAME,U_PRICE,QTY) ");
        query.sql().add(" VALUES ");
        query.sql().add(" (:CUST_ID,:CUST_NAME,:PROD_ID,:PROD_NAME,:U_PRICE,:QTY) ");
        query.paramByName("CUST_ID").setAsString(id(i));
        query.paramByName("CUST_NAME").setAsString("\xAB\xC8\xA4\xE1");
        query.paramByName("PROD_ID").setAsString(product(i));
        query.paramByName("PROD_NAME").setAsString("\xB0\xD3\xAB\x7E");
        query.paramByName("U_PRICE").setAsFloat(i % 13);
        query.paramByName("QTY").setAsFloat(-1);
        query.execSQL();
    });
    {
        auto insert = connection.prepare(insertSql);
        measure(target, "insert/reused", count, [&](int i) {
            std::string error;
            const DbxParams params{DbxParam::fromText(id(i)), DbxParam::fromText("\xAB\xC8\xA4\xE1"),
                                   DbxParam::fromText(product(i)), DbxParam::fromText("\xB0\xD3\xAB\x7E"),
                                   DbxParam::fromDouble(i % 13), DbxParam::fromDouble(-1)};
            if (!insert->execute(params, nullptr, error))
                throw std::runtime_error(error);
        });
    }
    query.close();
    query.sql().clear();
    query.sql().add("drop table TMP_BENCH");
    query.execSQL();
    ExeDir::setOverride("");
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const std::string driverPath = ExeDir::file("libdbxfb.so");
    try {
        QTemporaryDir work;
        Target embedded{"embedded", work.path().toStdString() + "/bench.fdb", "", ""};
        if (createDatabase(driverPath, embedded))
            runCases(driverPath, embedded, count);

        const std::string serverInfo = QDir::tempPath().toStdString() + "/cust_prod-firebird/server.ini";
        if (!std::filesystem::exists(serverInfo)) {
            std::printf("server    (skipped: no %s; run scripts/firebird-server.sh start)\n", serverInfo.c_str());
            return 0;
        }
        TIniFile ini(serverInfo);
        const std::string file = ini.readString("server", "data_dir", "/tmp") + "/bench.fdb";
        std::filesystem::remove(file);
        Target server{"server", ini.readString("server", "host", "127.0.0.1") + ":" + file,
                      ini.readString("server", "user", ""), ini.readString("server", "password", "")};
        if (createDatabase(driverPath, server))
            runCases(driverPath, server, count);
        std::filesystem::remove(file);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dbbench: %s\n", e.what());
        return 1;
    }
    return 0;
}
