#pragma once
// One attachment to a database, embedded or on a server. Every statement runs in a transaction
// of its own: started for the statement, committed when it completes, rolled back when it
// fails; a statement's handle is dropped before its transaction ends. Nothing stays prepared
// or active between statements, so DDL (DROP TABLE) never finds the table in use by us.

#include "DbxDriverApi.h"
#include "FbClientLibrary.h"

#include <memory>
#include <string>

class FbSqlda;

class FbConnection : public IDbxConnection {
public:
    explicit FbConnection(std::shared_ptr<FbClientLibrary> client);
    ~FbConnection() override;

    void setOption(const std::string& key, const std::string& value) override;
    bool connect(const std::string& database, const std::string& user,
                 const std::string& password, std::string& error) override;
    bool connected() const override { return db_ != 0; }
    bool lost() const override { return lost_; }
    bool stillThere() override;
    void disconnect() override;

    bool execute(const std::string& sql, const DbxParams& params, DataPacket* rows,
                 std::string& error) override;
    bool query(const std::string& sql, const DbxParams& params, DataPacket& rows,
               std::string& error) override;
    std::unique_ptr<IDbxStatement> prepare(const std::string& sql, std::string& error) override;
    bool beginBulk(std::string& error) override;
    bool endBulk(bool commit, std::string& error) override;

    // Used by the prepared statement.
    const FbClientLibrary& client() const { return *client_; }
    isc_db_handle* db() { return &db_; }
    unsigned short dialect() const { return dialect_; }
    bool inBulk() const { return bulk_ != 0; }
    isc_tr_handle bulkTransaction() const { return bulk_; }
    bool startTransaction(bool readOnly, isc_tr_handle& tr, std::string& error);
    // Commits; a commit that fails is rolled back, since the transaction is still live.
    bool commit(isc_tr_handle& tr, std::string& error);
    void rollback(isc_tr_handle& tr);
    // Runs a prepared statement in `tr` and reads its rows into `rows` when given.
    bool run(isc_stmt_handle* stmt, FbSqlda& columns, int statementType, const DbxParams& params,
             isc_tr_handle& tr, DataPacket* rows, std::string& error);
    // Allocates and prepares `sql`, describing its columns; returns the statement type.
    bool prepareStatement(const std::string& sql, isc_tr_handle& tr, isc_stmt_handle& stmt,
                          FbSqlda& columns, int& statementType, std::string& error);
    void dropStatement(isc_stmt_handle& stmt);
    // The status vector's text; a connection-gone error marks the connection lost.
    std::string failure(const ISC_STATUS* status);

private:
    enum class Immediate { Done, Failed, NotSuitable };
    // Prepares and runs `sql` in one request, without reading rows.
    Immediate runImmediate(const std::string& sql, const DbxParams& params, isc_tr_handle& tr,
                           std::string& error);
    bool runOnce(const std::string& sql, const DbxParams& params, DataPacket* rows, bool readOnly,
                 std::string& error);

    std::shared_ptr<FbClientLibrary> client_;
    isc_db_handle db_ = 0;
    isc_tr_handle bulk_ = 0;
    bool lost_ = false;
    bool conflict_ = false;  // the last failure was an update conflict or a deadlock

    // Options (see docs/database.md).
    std::string roleName_;
    std::string serverCharSet_;
    unsigned short dialect_ = 3;
    bool waitOnLocks_ = true;
    int lockTimeoutSeconds_ = 60;
    bool repeatableRead_ = false;
    bool trimChar_ = false;
    long long blobSizeBytes_ = -1;
};
