#include "SqlParams.h"

#include <gtest/gtest.h>

namespace {
struct ParamCase {
    const char* sql;
    const char* expectedText;
    std::vector<std::string> expectedNames;
};

class SqlParamsParse : public ::testing::TestWithParam<ParamCase> {};

TEST_P(SqlParamsParse, MapsNamedParametersToPositionalOnes)
{
    const ParamCase& c = GetParam();
    const ParsedSql parsed = parseSqlParams(c.sql);
    EXPECT_EQ(parsed.text, c.expectedText);
    EXPECT_EQ(parsed.names, c.expectedNames);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SqlParamsParse,
    ::testing::Values(
        ParamCase{"SELECT * FROM T", "SELECT * FROM T", {}},
        ParamCase{"WHERE CUST_ID = :CUST_ID\r\nAND U_PRICE = :U_PRICE", "WHERE CUST_ID = ?\r\nAND U_PRICE = ?",
                  {"CUST_ID", "U_PRICE"}},
        ParamCase{" (:CUST_ID,:CUST_NAME,:QTY) ", " (?,?,?) ", {"CUST_ID", "CUST_NAME", "QTY"}},
        ParamCase{"SET QTY  = QTY + :QTY WHERE A=:qty", "SET QTY  = QTY + ? WHERE A=?", {"QTY", "qty"}},
        // Quoted literals, with a doubled quote inside, are not searched.
        ParamCase{"WHERE A = 'x:NOTAPARAM' AND B = :B", "WHERE A = 'x:NOTAPARAM' AND B = ?", {"B"}},
        ParamCase{"WHERE A = 'it''s :NOT' AND B=:B", "WHERE A = 'it''s :NOT' AND B=?", {"B"}},
        ParamCase{"WHERE A = '12:30'", "WHERE A = '12:30'", {}},
        ParamCase{"SELECT \"a:b\" FROM T WHERE X=:X", "SELECT \"a:b\" FROM T WHERE X=?", {"X"}},
        ParamCase{"SELECT 1 -- :NOT a parameter\r\nFROM T WHERE X=:X", "SELECT 1 -- :NOT a parameter\r\nFROM T WHERE X=?",
                  {"X"}},
        ParamCase{"SELECT /* :NOT\r\n :NEITHER */ :YES FROM T", "SELECT /* :NOT\r\n :NEITHER */ ? FROM T", {"YES"}},
        // A colon not followed by a name stays; "::" is one literal colon.
        ParamCase{"A : B, C:", "A : B, C:", {}},
        ParamCase{"A::B", "A:B", {}},
        // Unterminated literals and comments run to the end without a parameter.
        ParamCase{"WHERE A = 'open :X", "WHERE A = 'open :X", {}},
        ParamCase{"/* open :X", "/* open :X", {}},
        ParamCase{":P_1$x)", "?)", {"P_1$x"}},
        // A Big5 lead byte keeps its trail byte, even 0x5C or a letter-range byte.
        ParamCase{"WHERE A = :\xA6\x5C\xA6\x57 AND B=1", "WHERE A = ? AND B=1", {"\xA6\x5C\xA6\x57"}}));
}

TEST(SqlParam, IsTypedByHowItWasLastSet)
{
    SqlParam param("QTY");
    EXPECT_EQ(param.toDbx().kind, DbxParam::Kind::Null);
    param.setAsFloat(2.5);
    EXPECT_EQ(param.toDbx().kind, DbxParam::Kind::Double);
    EXPECT_EQ(param.toDbx().number, 2.5);
    param.setAsString("A001");
    EXPECT_EQ(param.toDbx().kind, DbxParam::Kind::Text);
    EXPECT_EQ(param.toDbx().text, "A001");
}
