// The transaction rules the report run relies on, on the embedded engine and on the loopback
// server: each statement commits on its own, an open cursor is a stable snapshot in memory,
// a look-up left open does not block DROP TABLE, and a lock held by another attachment ends
// in the server's lock time-out message instead of a hang.

#include "DbTestSupport.h"
#include "Exception.h"
#include "SQLQuery.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {
class TransactionRules : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        if (GetParam() == Engine::Server && !findTestServer())
            GTEST_SKIP() << "no Firebird test server: " << testServerInfoFile()
                         << " is missing (start one with: bash scripts/firebird-server.sh start)";
        database_ = env_.createDatabase(GetParam(), "rules.fdb");
        connection_ = env_.connect(database_, GetParam(), "LockTimeout=2\n");
        for (TSQLQuery* query : {&q1_, &q2_, &q3_})
            query->setSQLConnection(connection_.get());
    }

    static void setText(TSQLQuery& query, std::initializer_list<std::string> lines)
    {
        query.close();
        query.sql().clear();
        for (const std::string& line : lines)
            query.sql().add(line);
    }
    static void exec(TSQLQuery& query, std::initializer_list<std::string> lines)
    {
        setText(query, lines);
        query.execSQL();
    }
    static void open(TSQLQuery& query, std::initializer_list<std::string> lines)
    {
        setText(query, lines);
        query.open();
    }

    DbTestEnvironment env_;
    std::string database_;
    std::unique_ptr<TSQLConnection> connection_;
    TSQLQuery q1_, q2_, q3_;
};
}

TEST_P(TransactionRules, ReturnMergeLoopIteratesAStableSetAndSeesEarlierInserts)
{
    // A table that one statement creates is usable by the next.
    exec(q1_, {"CREATE TABLE TMP_T ( ", "CUST_ID VARCHAR(15),", "QTY DOUBLE PRECISION", ")"});
    exec(q1_, {"INSERT INTO TMP_T VALUES ('A', 1)"});
    exec(q1_, {"INSERT INTO TMP_T VALUES ('B', 2)"});

    // Every row read inserts another one, as the return merge does: the cursor must neither
    // run away nor lose its rows while the per-row statements commit.
    open(q1_, {"SELECT CUST_ID, QTY FROM TMP_T ORDER BY CUST_ID"});
    std::vector<std::string> seen;
    while (!q1_.eof()) {
        const std::string id = q1_.fieldValue("CUST_ID").asString();
        seen.push_back(id);
        setText(q3_, {"SELECT * FROM TMP_T ", "WHERE CUST_ID = :CUST_ID"});
        q3_.paramByName("CUST_ID").setAsString(id + "x");
        q3_.open();
        if (q3_.isEmpty()) {
            setText(q2_, {"INSERT INTO TMP_T (CUST_ID, QTY) ", " VALUES ", " (:CUST_ID, :QTY) "});
            q2_.paramByName("CUST_ID").setAsString(id + "x");
            q2_.paramByName("QTY").setAsFloat(-1);
            q2_.execSQL();
        }
        // The next look-up sees the insert just committed.
        q3_.close();
        q3_.open();
        EXPECT_FALSE(q3_.isEmpty()) << id;
        q1_.next();
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B"}));
    open(q1_, {"SELECT COUNT(*) FROM TMP_T"});
    EXPECT_EQ(q1_.firstColumnText(), "4");
}

TEST_P(TransactionRules, DropTableSucceedsWithTheLookUpLeftOpen)
{
    exec(q1_, {"CREATE TABLE TMP_D (CUST_ID VARCHAR(15), QTY DOUBLE PRECISION)"});
    exec(q2_, {"INSERT INTO TMP_D VALUES ('A', 1)"});
    setText(q3_, {"SELECT * FROM TMP_D ", "WHERE CUST_ID = :CUST_ID"});
    q3_.paramByName("CUST_ID").setAsString("A");
    q3_.open(); // left open, as the report run leaves its last look-up
    open(q1_, {"SELECT CUST_ID,SUM(QTY) AS AMT FROM TMP_D ", "GROUP BY 1"});
    ASSERT_FALSE(q1_.isEmpty());

    open(q1_, {"SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'TMP_D' "});
    ASSERT_NE(q1_.firstColumnText(), "");
    exec(q1_, {"drop table TMP_D"});
    open(q1_, {"SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'TMP_D' "});
    EXPECT_EQ(q1_.firstColumnText(), "");
    // The look-up still reads its rows from memory.
    EXPECT_EQ(q3_.fieldValue("CUST_ID").asString(), "A");
}

TEST_P(TransactionRules, LockHeldByAnotherAttachmentEndsInAMessageAfterTheTimeout)
{
    exec(q1_, {"CREATE TABLE TMP_L (CUST_ID VARCHAR(15), QTY DOUBLE PRECISION)"});
    exec(q1_, {"INSERT INTO TMP_L VALUES ('A', 1)"});

    // Another program uses the table in a transaction that stays open and has changed a row.
    DbTestEnvironment other;
    auto holder = other.connect(database_, GetParam());
    IDbxConnection& held = holder->driverConnection();
    std::string error;
    ASSERT_TRUE(held.beginBulk(error)) << error;
    ASSERT_TRUE(held.execute("UPDATE TMP_L SET QTY = 2", {}, nullptr, error)) << error;

    auto failureAfterWaiting = [&](std::initializer_list<std::string> lines) {
        const auto started = std::chrono::steady_clock::now();
        std::string message;
        try {
            exec(q2_, lines);
        } catch (const ESQLError& e) {
            message = e.message();
        }
        // The server's lock manager counts the timeout in whole seconds, so 2 s may end after a little over 1 s; it must have waited, though.
        EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1000));
        return message;
    };
    // The clean-up's DROP TABLE waits for the table, then gives up with the server's message.
    const std::string drop = failureAfterWaiting({"drop table TMP_L"});
    EXPECT_NE(drop.find("lock time-out on wait transaction"), std::string::npos) << drop;
    // A row changed by the other transaction: waited for, then the update conflict.
    const std::string update = failureAfterWaiting({"UPDATE TMP_L SET QTY = 3"});
    EXPECT_NE(update.find("update conflicts with concurrent update"), std::string::npos) << update;

    // Once the other transaction ends, the same statements go through: the failures left no
    // transaction or handle of ours behind.
    ASSERT_TRUE(held.endBulk(true, error)) << error;
    exec(q2_, {"UPDATE TMP_L SET QTY = 3"});
    exec(q2_, {"drop table TMP_L"});
}

INSTANTIATE_TEST_SUITE_P(Engines, TransactionRules, ::testing::Values(Engine::Embedded, Engine::Server),
                         [](const auto& info) { return std::string(engineName(info.param)); });

TEST(ServerLogin, BadCredentialsGiveTheServersMessage)
{
    const auto server = findTestServer();
    if (!server)
        GTEST_SKIP() << "no Firebird test server: " << testServerInfoFile() << " is missing";
    DbTestEnvironment env;
    const std::string database = env.createDatabase(Engine::Server, "login.fdb");
    env.writeDrivers(DbTestEnvironment::driverLibrary());
    env.writeConnection(database, server->user, "wrong-password");
    auto connection = env.makeConnection();
    try {
        connection->open();
        FAIL() << "opened with a wrong password";
    } catch (const ESQLError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Your user name and password are not defined. Ask your database administrator to set up a "
                  "Firebird login.");
    }
}
