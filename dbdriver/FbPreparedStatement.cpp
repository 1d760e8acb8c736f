#include "FbPreparedStatement.h"

#include "FbConnection.h"

FbPreparedStatement::FbPreparedStatement(FbConnection& connection)
    : connection_(connection)
{
}

FbPreparedStatement::~FbPreparedStatement()
{
    if (connection_.connected())
        connection_.dropStatement(stmt_);
}

bool FbPreparedStatement::prepare(const std::string& sql, std::string& error)
{
    isc_tr_handle tr = connection_.bulkTransaction();
    if (!tr && !connection_.startTransaction(true, tr, error))
        return false;
    bool ok = connection_.prepareStatement(sql, tr, stmt_, columns_, statementType_, error);
    if (connection_.inBulk())
        return ok;
    if (!ok) {
        connection_.rollback(tr);
        return false;
    }
    return connection_.commit(tr, error);
}

bool FbPreparedStatement::execute(const DbxParams& params, DataPacket* rows, std::string& error)
{
    // A SELECT reads in a read-only transaction, whose commit writes nothing.
    const bool readOnly = statementType_ == isc_info_sql_stmt_select;
    isc_tr_handle tr = connection_.bulkTransaction();
    if (!tr && !connection_.startTransaction(readOnly, tr, error))
        return false;
    bool ok = connection_.run(&stmt_, columns_, statementType_, params, tr, rows, error);
    if (connection_.inBulk())
        return ok;
    if (!ok) {
        connection_.rollback(tr);
        return false;
    }
    return connection_.commit(tr, error);
}
