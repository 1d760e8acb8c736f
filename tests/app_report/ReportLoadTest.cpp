// Many desks on one database server: eight clerks' programs press OK three times each at the
// same moment against one database on the loopback server, with different criteria, every run
// with the same time of day. Each desk is a process of its own (report_load_client): a report
// run needs the main window, and windows live on their process's one user-interface thread,
// so threads of one process could not run reports side by side; processes are also what the
// shop has, one program per desk.

#include "ReportFixture.h"

#include "DatasetFile.h"
#include "DbTestSupport.h"

#include <QDateTime>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

// A shop of 20 customers and 10 products over 2024: enough sales and returns for a run to
// last a while, so that the desks' runs overlap. Deterministic.
Fixture busyShop()
{
    Fixture f;
    for (int p = 0; p < 10; ++p)
        f.products.push_back({"P" + std::to_string(p), "Product " + std::to_string(p)});
    unsigned state = 12345;
    auto next = [&state](unsigned range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    const double prices[] = {1.5, 2.0, 3.25, 10.0};
    auto customer = [](unsigned c) {
        char id[8];
        std::snprintf(id, sizeof id, "C%03u", c);
        return std::string(id);
    };
    for (int d = 0; d < 500; ++d) {
        const bool isReturn = d % 3 == 0;
        const unsigned c = next(20);
        FixtureDocument document{isReturn, (isReturn ? "R" : "S") + std::to_string(d), customer(c),
                                 "Customer " + std::to_string(c), QDate(2024, 1, 1).addDays(next(366)), {}};
        for (int l = 0; l < 3; ++l)
            document.lines.push_back(
                {"P" + std::to_string(next(10)), prices[next(4)], static_cast<double>(1 + next(isReturn ? 4 : 20))});
        f.documents.push_back(std::move(document));
    }
    return f;
}

struct DeskCriteria {
    std::string cust1, cust2, from, to, minimum;
    bool expectsData;
};

QDate dateOf(const std::string& text)
{
    return QDate::fromString(QString::fromStdString(text), "yyyy/MM/dd");
}

ReportCriteria criteriaOf(const DeskCriteria& desk)
{
    ReportCriteria c{dateOf(desk.from), dateOf(desk.to), desk.cust1, desk.cust2.empty() ? desk.cust1 : desk.cust2,
                     std::nullopt};
    if (!desk.minimum.empty())
        c.minAmount = std::stod(desk.minimum);
    return c;
}

std::vector<std::string> linesOf(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(ReportLoadTest, EightDesksThreeRunsEachInTheSameSecond)
{
    const auto server = findTestServer();
    if (!server)
        GTEST_SKIP() << "no loopback server: run scripts/firebird-server.sh start";
    DbTestEnvironment env;
    const std::string database = env.createDatabase(Engine::Server, "load.fdb");
    auto db = env.connect(database, Engine::Server);
    createPosTables(*db);
    const Fixture shop = busyShop();
    insertFixture(*db, shop);

    // Ranges that overlap, one with a minimum, one with nothing in its period.
    const std::vector<DeskCriteria> desks = {
        {"", "", "2024/01/01", "2024/12/31", "", true},
        {"C000", "C009", "2024/01/01", "2024/12/31", "", true},
        {"C005", "C014", "2024/03/01", "2024/09/30", "", true},
        {"C010", "C019", "2024/01/01", "2024/12/31", "", true},
        {"", "", "2024/01/01", "2024/12/31", "500", true},
        {"C003", "", "2024/01/01", "2024/12/31", "", true},
        {"", "", "2025/06/01", "2025/06/30", "", false},
        {"C000", "C019", "2024/06/01", "2024/12/31", "", true},
    };
    const int runsPerDesk = 3;

    DataPacket parameters;
    parameters.fields = {{"REP_TITLE", FieldType::String, 100, false}};
    parameters.rows = {{Variant(std::string("Load"))}};
    const auto startAt = std::chrono::duration_cast<std::chrono::milliseconds>(
                             (std::chrono::system_clock::now() + std::chrono::seconds(2)).time_since_epoch())
                             .count();
    std::vector<std::unique_ptr<QProcess>> clients;
    for (size_t i = 0; i < desks.size(); ++i) {
        const std::string desk = env.path("desk" + std::to_string(i));
        std::filesystem::create_directories(desk + "/out");
        std::filesystem::copy_file(env.path("dbxconnections.ini"), desk + "/dbxconnections.ini");
        std::filesystem::copy_file(env.path("dbxdrivers.ini"), desk + "/dbxdrivers.ini");
        std::filesystem::copy_file(REPORT_TEST_PREVIEW, desk + "/libRptPreview.so");
        DatasetFile::save(desk + "/Tarnvik.dat", parameters);
        const DeskCriteria& c = desks[i];
        auto client = std::make_unique<QProcess>();
        client->setProcessChannelMode(QProcess::ForwardedChannels);
        client->start(REPORT_LOAD_CLIENT,
                      {"--exedir", QString::fromStdString(desk), "--out", QString::fromStdString(desk + "/out"),
                       "--runs", QString::number(runsPerDesk), "--start-at", QString::number(startAt), "--clock",
                       "2025-01-10T14:30:05", "--cust1", QString::fromStdString(c.cust1), "--cust2",
                       QString::fromStdString(c.cust2), "--from", QString::fromStdString(c.from), "--to",
                       QString::fromStdString(c.to), "--min", QString::fromStdString(c.minimum)});
        ASSERT_TRUE(client->waitForStarted(10000));
        clients.push_back(std::move(client));
    }
    for (auto& client : clients) {
        ASSERT_TRUE(client->waitForFinished(600000)) << "a desk did not finish";
        EXPECT_EQ(client->exitCode(), 0);
    }

    std::set<std::string> tablesOfNoDataRuns;
    std::set<std::string> names;
    for (size_t i = 0; i < desks.size(); ++i) {
        const std::vector<ReportRow> expected = expectedReport(shop, criteriaOf(desks[i]));
        ASSERT_EQ(!expected.empty(), desks[i].expectsData) << "fixture and desk " << i << " disagree";
        for (int run = 1; run <= runsPerDesk; ++run) {
            SCOPED_TRACE("desk " + std::to_string(i) + ", run " + std::to_string(run));
            const std::string base = env.path("desk" + std::to_string(i) + "/out/run-" + std::to_string(run));
            const std::vector<std::string> lines = linesOf(base + ".txt");
            ASSERT_GE(lines.size(), 3u);
            std::ostringstream all;
            for (const std::string& line : lines)
                all << line << " | ";
            EXPECT_EQ(all.str().find("lock time-out"), std::string::npos) << all.str();
            EXPECT_EQ(all.str().find("object"), std::string::npos) << all.str();
            ASSERT_EQ(lines[0], desks[i].expectsData ? "ok" : "nodata") << all.str();
            const std::string table = lines[lines.size() - 2].substr(std::string("table=").size());
            ASSERT_EQ(lines[lines.size() - 2].rfind("table=", 0), 0u);
            EXPECT_EQ(table.rfind("TMP_143005_", 0), 0u) << table;
            names.insert(table);
            if (desks[i].expectsData)
                EXPECT_EQ(reportRowsOfFile(base + ".cds"), expected) << describe(reportRowsOfFile(base + ".cds"));
            else
                tablesOfNoDataRuns.insert(table);
        }
    }
    EXPECT_EQ(names.size(), desks.size() * runsPerDesk) << "every run had a table of its own";

    // Only the runs that found nothing leave their tables, as such a run always does.
    std::set<std::string> left;
    const DataPacket rows = db->query(
        "SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME STARTING WITH 'TMP_'", {});
    for (const DataRow& row : rows.rows)
        left.insert(row.at(0).asString());
    EXPECT_EQ(left, tablesOfNoDataRuns);
}

}
