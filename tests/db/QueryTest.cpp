// The query objects on the embedded engine: statement text, parameters, the forward-only
// cursor, column values, the provider's fetch, and statements the server refuses.

#include "DbTestSupport.h"
#include "Exception.h"
#include "SQLDataSet.h"
#include "SQLQuery.h"

#include <gtest/gtest.h>

namespace {
class Query : public ::testing::Test {
protected:
    void SetUp() override
    {
        connection_ = env_.connect(env_.createDatabase(Engine::Embedded, "query.fdb"), Engine::Embedded);
        query_.setSQLConnection(connection_.get());
        run({"CREATE TABLE CUSTOMER (CUST_ID VARCHAR(10) NOT NULL, CUST_NAME VARCHAR(50), CODE CHAR(4),",
             " AMOUNT NUMERIC(15,2), N INTEGER, BORN DATE, SEEN TIMESTAMP, NOTE BLOB SUB_TYPE TEXT)"});
        run({"INSERT INTO CUSTOMER VALUES ('C002', 'Second', 'ab', 12.34, 7, '2024/03/05', '2024-03-05 18:00:00', NULL)"});
        run({"INSERT INTO CUSTOMER (CUST_ID) VALUES ('C001')"});
        query_.sql().clear();
    }

    void run(std::initializer_list<std::string> lines)
    {
        query_.close();
        query_.sql().clear();
        for (const std::string& line : lines)
            query_.sql().add(line);
        query_.execSQL();
    }

    void open(std::initializer_list<std::string> lines)
    {
        query_.close();
        query_.sql().clear();
        for (const std::string& line : lines)
            query_.sql().add(line);
        query_.open();
    }

    std::string failure(std::initializer_list<std::string> lines)
    {
        try {
            run(lines);
        } catch (const EDatabaseError& e) {
            return e.message();
        }
        return "(succeeded)";
    }

    DbTestEnvironment env_;
    std::unique_ptr<TSQLConnection> connection_;
    TSQLQuery query_;
};
}

TEST_F(Query, LinesAreJoinedWithCrLf)
{
    query_.sql().add("SELECT CUST_ID -- a comment that ends with its line");
    query_.sql().add("FROM CUSTOMER ORDER BY 1");
    EXPECT_EQ(query_.sql().text(), "SELECT CUST_ID -- a comment that ends with its line\r\nFROM CUSTOMER ORDER BY 1\r\n");
    query_.open();
    EXPECT_EQ(query_.firstColumnText(), "C001");
}

TEST_F(Query, ForwardOnlyCursorAndEndOfData)
{
    open({"SELECT CUST_ID FROM CUSTOMER ORDER BY CUST_ID"});
    EXPECT_TRUE(query_.active());
    EXPECT_FALSE(query_.isEmpty());
    std::vector<std::string> seen;
    for (query_.first(); !query_.eof(); query_.next())
        seen.push_back(query_.fieldValue("CUST_ID").asString());
    EXPECT_EQ(seen, (std::vector<std::string>{"C001", "C002"}));

    open({"SELECT CUST_ID FROM CUSTOMER WHERE CUST_ID = 'none'"});
    EXPECT_TRUE(query_.eof());
    EXPECT_TRUE(query_.isEmpty());
    EXPECT_EQ(query_.firstColumnText(), "");

    query_.close();
    query_.close();
    EXPECT_FALSE(query_.active());
}

TEST_F(Query, ColumnValuesByType)
{
    open({"SELECT * FROM CUSTOMER WHERE CUST_ID = 'C002'"});
    EXPECT_EQ(query_.fieldValue("CUST_NAME").asString(), "Second");
    EXPECT_EQ(query_.fieldValue("cust_name").asString(), "Second");
    EXPECT_EQ(query_.fieldValue("CODE").asString(), "ab  "); // fixed-length text keeps its blanks
    EXPECT_DOUBLE_EQ(query_.fieldValue("AMOUNT").asDouble(), 12.34);
    EXPECT_EQ(query_.fieldValue("N").type(), Variant::Type::Integer);
    EXPECT_EQ(query_.fieldValue("BORN").asDouble(), 45356.0); // days since 1899-12-30
    EXPECT_DOUBLE_EQ(query_.fieldValue("SEEN").asDouble(), 45356.75);

    const auto& fields = query_.fields();
    ASSERT_EQ(fields.size(), 8u);
    EXPECT_EQ(fields[0], (FieldDesc{"CUST_ID", FieldType::String, 10, true}));
    EXPECT_EQ(fields[1], (FieldDesc{"CUST_NAME", FieldType::String, 50, false}));
    EXPECT_EQ(fields[7].type, FieldType::Memo);

    try {
        query_.fieldValue("NOPE");
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'NOPE' not found");
    }
}

TEST_F(Query, NullCannotBeReadAsTextOrDoubleButFirstColumnGivesEmptyText)
{
    open({"SELECT CUST_NAME, AMOUNT FROM CUSTOMER WHERE CUST_ID = 'C001'"});
    EXPECT_EQ(query_.firstColumnText(), "");
    try {
        query_.fieldValue("CUST_NAME").asString();
        FAIL() << "no error";
    } catch (const EVariantTypeCastError& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (Null) into type (String)");
    }
    try {
        query_.fieldValue("AMOUNT").asDouble();
        FAIL() << "no error";
    } catch (const EVariantTypeCastError& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (Null) into type (Double)");
    }
}

TEST_F(Query, ParametersFollowTheText)
{
    query_.sql().add("SELECT CUST_NAME FROM CUSTOMER WHERE CUST_ID = :CUST_ID AND N = :N AND :N < 8");
    ASSERT_EQ(query_.params().size(), 2u);
    query_.paramByName("cust_id").setAsString("C002");
    query_.paramByName("N").setAsFloat(7);
    query_.open();
    EXPECT_EQ(query_.firstColumnText(), "Second");

    // Changing the text closes the query and re-derives the parameters.
    query_.sql().clear();
    EXPECT_FALSE(query_.active());
    query_.sql().add("DELETE FROM CUSTOMER WHERE CUST_ID = :ID");
    try {
        query_.paramByName("CUST_ID");
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Parameter 'CUST_ID' not found");
    }
    try {
        query_.execSQL();
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "No value for parameter 'ID'");
    }
}

// A double goes to the server as a double; where the server types the parameter as an integer
// or a scaled number (from the column it is stored in or compared with) the server rounds it,
// half away from zero, instead of cutting the fraction off.
TEST_F(Query, DoubleParameterIsRoundedToTheServersType)
{
    struct Case {
        double value;
        const char* asInteger;
        const char* asNumeric2;
    };
    // A scaled number reads back as a double, shown without trailing zeros.
    const Case cases[] = {{2.0, "2", "2"},      {2.4, "2", "2.4"},     {2.5, "3", "2.5"},
                          {-2.5, "-3", "-2.5"},  {0.49, "0", "0.49"},   {12.345, "12", "12.35"},
                          {-12.345, "-12", "-12.35"}, {1e9, "1000000000", "1000000000"}};
    int row = 0;
    for (const Case& c : cases) {
        const std::string id = "P" + std::to_string(++row);
        query_.close();
        query_.sql().clear();
        query_.sql().add("INSERT INTO CUSTOMER (CUST_ID, N, AMOUNT) VALUES (:ID, :N, :AMOUNT)");
        query_.paramByName("ID").setAsString(id);
        query_.paramByName("N").setAsFloat(c.value);
        query_.paramByName("AMOUNT").setAsFloat(c.value);
        query_.execSQL();

        open({"SELECT N FROM CUSTOMER WHERE CUST_ID = '" + id + "'"});
        EXPECT_EQ(query_.firstColumnText(), c.asInteger) << c.value;
        open({"SELECT AMOUNT FROM CUSTOMER WHERE CUST_ID = '" + id + "'"});
        EXPECT_EQ(query_.firstColumnText(), c.asNumeric2) << c.value;
    }

    // Compared with an integer column: 6.5 is taken as 7, 7.5 as 8.
    for (const auto& [value, found] : {std::pair{6.5, true}, std::pair{7.4, true}, std::pair{7.5, false}}) {
        query_.close();
        query_.sql().clear();
        query_.sql().add("SELECT CUST_ID FROM CUSTOMER WHERE N = :N AND CUST_ID = 'C002'");
        query_.paramByName("N").setAsFloat(value);
        query_.open();
        EXPECT_EQ(!query_.isEmpty(), found) << value;
    }
}

// execSQL sends a statement and its values in one request; the statements that cannot go that
// way (one that returns rows, a text the client library cannot split into tokens) take the
// prepared way and behave as before: run, or fail with the server's own message.
TEST_F(Query, ExecSqlRunsEveryKindOfStatement)
{
    run({"SELECT CUST_ID FROM CUSTOMER"});
    run({"UPDATE CUSTOMER SET N = N + 1 WHERE CUST_ID = 'C002'"});
    query_.close();
    query_.sql().clear();
    query_.sql().add("UPDATE CUSTOMER SET CUST_NAME = :NAME WHERE CUST_ID = :ID");
    query_.paramByName("NAME").setAsString("It's");
    query_.paramByName("ID").setAsString("C001");
    query_.execSQL();
    open({"SELECT CUST_NAME || N FROM CUSTOMER WHERE CUST_ID = 'C002'"});
    EXPECT_EQ(query_.firstColumnText(), "Second8");
    open({"SELECT CUST_NAME FROM CUSTOMER WHERE CUST_ID = 'C001'"});
    EXPECT_EQ(query_.firstColumnText(), "It's");

    EXPECT_NE(failure({"SELECT 'unclosed FROM CUSTOMER"}).find("Dynamic SQL Error"), std::string::npos);
    EXPECT_NE(failure({"INSERT INTO NO_SUCH_TABLE VALUES (1)"}).find("Table unknown"), std::string::npos);
}

TEST_F(Query, Big5PassesByteForByte)
{
    // 功 (A5 5C) and 許 (B3 5C) end in the byte of a backslash; 客戶 is A B C8 E1 A4 E1.
    const std::string name = "\xA5\x5C\xB3\x5C\xAB\xC8\xA4\xE1 '\\";
    query_.sql().add("INSERT INTO CUSTOMER (CUST_ID, CUST_NAME) VALUES (:ID, :NAME)");
    query_.paramByName("ID").setAsString("\xA5\x5C\xA5\x5C\xA5\x5C\xA5\x5C\xA5\x5C"); // 10 bytes fit VARCHAR(10)
    query_.paramByName("NAME").setAsString(name);
    query_.execSQL();
    run({"INSERT INTO CUSTOMER (CUST_ID, CUST_NAME) VALUES ('B5', '\xB3\x5C\xA5\x5C')"});

    query_.sql().clear();
    query_.sql().add("SELECT CUST_NAME FROM CUSTOMER WHERE CUST_ID = :ID");
    query_.paramByName("ID").setAsString("\xA5\x5C\xA5\x5C\xA5\x5C\xA5\x5C\xA5\x5C");
    query_.open();
    EXPECT_EQ(query_.firstColumnText(), name);
    open({"SELECT CUST_NAME FROM CUSTOMER WHERE CUST_ID = 'B5' AND CUST_NAME LIKE '%\xA5\x5C'"});
    EXPECT_EQ(query_.firstColumnText(), "\xB3\x5C\xA5\x5C");
}

TEST_F(Query, ServerMessagesArriveUnchanged)
{
    // A typed value with a quote inside a literal, as the report's statements place them.
    const std::string quote = failure({"SELECT * FROM CUSTOMER", " AND CUST_ID BETWEEN 'O'Neil' AND 'Z' "});
    EXPECT_EQ(quote.substr(0, quote.find("column")),
              "Dynamic SQL Error\nSQL error code = -104\nToken unknown - line 2, ")
        << quote;

    run({"CREATE TABLE TMP_143005 (A INTEGER)"});
    const std::string exists = failure({"CREATE TABLE TMP_143005 (A INTEGER)"});
    EXPECT_NE(exists.find("Table TMP_143005 already exists"), std::string::npos) << exists;
}

TEST_F(Query, FailingStatementIsRolledBackWhole)
{
    // The second row breaks NOT NULL: the statement fails and the first row goes with it.
    const std::string message = failure({"INSERT INTO CUSTOMER (CUST_ID)",
                                         "SELECT 'X1' FROM RDB$DATABASE UNION ALL SELECT NULL FROM RDB$DATABASE"});
    EXPECT_NE(message.find("CUST_ID"), std::string::npos) << message;
    open({"SELECT COUNT(*) FROM CUSTOMER"});
    EXPECT_EQ(query_.firstColumnText(), "2");
}

TEST_F(Query, DataSetFeedsTheProviderWithItsCommandOrTheClientsText)
{
    TSQLDataSet customers;
    customers.setSQLConnection(connection_.get());
    customers.setCommandText("SELECT * FROM CUSTOMER\r\nORDER BY CUST_ID\r\n");
    DataPacket all = customers.providerFetch("");
    ASSERT_EQ(all.rows.size(), 2u);
    EXPECT_EQ(all.rows[0][0].asString(), "C001");
    EXPECT_EQ(all.fields.size(), 8u);

    // The client's command text takes the place of the own statement; blobs come whole.
    run({"UPDATE CUSTOMER SET NOTE = CAST(LPAD('x', 30000, 'x') AS BLOB SUB_TYPE TEXT)",
         " || LPAD('y', 30000, 'y') || LPAD('z', 30000, 'z') WHERE CUST_ID = 'C002'"});
    DataPacket notes = customers.providerFetch("select NOTE, CUST_ID from CUSTOMER\r\nwhere CUST_ID like 'C%2'\r\n");
    ASSERT_EQ(notes.rows.size(), 1u);
    const std::string note = notes.rows[0][0].asString();
    EXPECT_EQ(note.size(), 90000u);
    EXPECT_EQ(note.substr(29999, 2), "xy");
    EXPECT_EQ(note.back(), 'z');
}
