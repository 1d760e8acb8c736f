#pragma once
// A statement prepared once and run many times, each run in its own transaction (or in the
// connection's bulk transaction). Used by the benchmark and the demo-database tool; it must be
// destroyed before its connection, and before DDL on the tables it touches.

#include "DbxDriverApi.h"
#include "FbSqlda.h"

#include <ibase.h>

class FbConnection;

class FbPreparedStatement : public IDbxStatement {
public:
    explicit FbPreparedStatement(FbConnection& connection);
    ~FbPreparedStatement() override;

    bool prepare(const std::string& sql, std::string& error);
    bool execute(const DbxParams& params, DataPacket* rows, std::string& error) override;

private:
    FbConnection& connection_;
    isc_stmt_handle stmt_ = 0;
    FbSqlda columns_;
    int statementType_ = 0;
};
