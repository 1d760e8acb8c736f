#include "FbConnection.h"

#include "FbPreparedStatement.h"
#include "FbSqlda.h"

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
// The transaction existence block that isc_start_multiple takes (not declared in ibase.h).
struct TransactionBlock {
    isc_db_handle* db;
    long tpbLength;
    char* tpb;
};

std::string trimmed(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The parameters' boolean rule: true exactly when the trimmed value, upper-cased, is TRUE.
bool isTrue(const std::string& value)
{
    return lower(trimmed(value)) == "true";
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void addClumplet(std::vector<char>& buffer, char tag, const std::string& value)
{
    buffer.push_back(tag);
    buffer.push_back(static_cast<char>(std::min<size_t>(value.size(), 255)));
    buffer.insert(buffer.end(), value.begin(), value.begin() + std::min<size_t>(value.size(), 255));
}

// An immediate execution refused before the statement ran, for a reason of that way of running
// it alone: a statement that returns rows ("SQLDA error", no place for its output), or a text
// that the client library's own look at it (it checks for statements it must handle itself)
// cannot split into tokens, which it reports in its own words instead of the server's.
bool refusedAsImmediate(const ISC_STATUS* status)
{
    for (int i = 0; i < ISC_STATUS_LENGTH - 2 && status[i] != isc_arg_end;) {
        if (status[i] == isc_arg_gds && status[i + 1] == isc_dsql_sqlda_err)
            return true;
        i += status[i] == isc_arg_cstring ? 3 : 2;  // a counted string has a length and a pointer
    }
    return status[0] == isc_arg_gds && status[1] == isc_random && status[2] == isc_arg_string
        && std::strcmp(reinterpret_cast<const char*>(status[3]), "Parse to tokens error") == 0;
}

// The client library's words for a connection that is gone: the server stopped, crashed or was
// shut down, or the network between dropped. Nothing sent on such an attachment can work again.
bool connectionGone(const ISC_STATUS* status)
{
    for (int i = 0; i < ISC_STATUS_LENGTH - 2 && status[i] != isc_arg_end;) {
        if (status[i] == isc_arg_gds) {
            switch (status[i + 1]) {
            case isc_network_error:
            case isc_net_read_err:
            case isc_net_write_err:
            case isc_lost_db_connection:
            case isc_conn_lost:
            case isc_shutdown:
            case isc_att_shutdown:
            case isc_bad_db_handle:
                return true;
            default:
                break;
            }
        }
        i += status[i] == isc_arg_cstring ? 3 : 2;
    }
    return false;
}

bool hasCode(const ISC_STATUS* status, ISC_STATUS code)
{
    for (int i = 0; i < ISC_STATUS_LENGTH - 2 && status[i] != isc_arg_end;) {
        if (status[i] == isc_arg_gds && status[i + 1] == code)
            return true;
        i += status[i] == isc_arg_cstring ? 3 : 2;
    }
    return false;
}

int statementTypeOf(const FbClientLibrary& client, isc_stmt_handle* stmt, std::string& error)
{
    ISC_STATUS_ARRAY status{};
    const char items[] = {isc_info_sql_stmt_type};
    char buffer[16]{};
    if (client.sqlInfo(status, stmt, sizeof items, items, sizeof buffer, buffer)) {
        error = client.errorText(status);
        return -1;
    }
    if (buffer[0] != isc_info_sql_stmt_type)
        return 0;
    short length = static_cast<short>((buffer[1] & 0xFF) | ((buffer[2] & 0xFF) << 8));
    int type = 0;
    for (short i = 0; i < length && i < 4; ++i)
        type |= (buffer[3 + i] & 0xFF) << (8 * i);
    return type;
}
}

FbConnection::FbConnection(std::shared_ptr<FbClientLibrary> client)
    : client_(std::move(client))
{
}

FbConnection::~FbConnection()
{
    disconnect();
}

void FbConnection::setOption(const std::string& key, const std::string& value)
{
    const std::string name = lower(trimmed(key));
    if (name == "rolename")
        roleName_ = trimmed(value);
    else if (name == "servercharset")
        serverCharSet_ = trimmed(value);
    else if (name == "sqldialect") {
        int dialect = std::atoi(trimmed(value).c_str());
        dialect_ = static_cast<unsigned short>(dialect >= 1 && dialect <= 3 ? dialect : 3);
    } else if (name == "waitonlocks")
        waitOnLocks_ = isTrue(value);
    else if (name == "locktimeout") {
        int seconds = std::atoi(trimmed(value).c_str());
        lockTimeoutSeconds_ = seconds > 0 ? seconds : 60;
    } else if (name == "transisolation" || endsWith(name, " transisolation"))
        repeatableRead_ = lower(trimmed(value)) == "repeatableread";
    else if (name == "trim char")
        trimChar_ = isTrue(value);
    else if (name == "blobsize") {
        long long kilobytes = std::atoll(trimmed(value).c_str());
        blobSizeBytes_ = kilobytes < 0 ? -1 : kilobytes * 1024;
    }
    // "CommitRetain" is accepted and has no effect: a retained commit would keep the
    // statement's transaction alive, and a live transaction on a table blocks DROP TABLE.
}

bool FbConnection::connect(const std::string& database, const std::string& user,
                           const std::string& password, std::string& error)
{
    disconnect();
    std::vector<char> dpb{isc_dpb_version1};
    if (!user.empty())
        addClumplet(dpb, isc_dpb_user_name, user);
    if (!password.empty())
        addClumplet(dpb, isc_dpb_password, password);
    if (!roleName_.empty())
        addClumplet(dpb, isc_dpb_sql_role_name, roleName_);
    if (!serverCharSet_.empty())
        addClumplet(dpb, isc_dpb_lc_ctype, serverCharSet_);
    addClumplet(dpb, isc_dpb_sql_dialect, std::string(1, static_cast<char>(dialect_)));

    ISC_STATUS_ARRAY status{};
    if (client_->attachDatabase(status, 0, database.c_str(), &db_, static_cast<short>(dpb.size()),
                                dpb.data())) {
        error = client_->errorText(status);
        db_ = 0;
        return false;
    }
    lost_ = false;
    return true;
}

bool FbConnection::stillThere()
{
    if (!db_ || lost_)
        return false;
    ISC_STATUS_ARRAY status{};
    if (client_->ping(status, &db_))
        failure(status);
    return !lost_;
}

void FbConnection::disconnect()
{
    if (bulk_)
        rollback(bulk_);
    if (db_) {
        ISC_STATUS_ARRAY status{};
        client_->detachDatabase(status, &db_);
        db_ = 0;
    }
}

bool FbConnection::startTransaction(bool readOnly, isc_tr_handle& tr, std::string& error)
{
    std::vector<char> tpb{isc_tpb_version3, readOnly ? char(isc_tpb_read) : char(isc_tpb_write)};
    if (repeatableRead_)
        tpb.push_back(isc_tpb_concurrency);
    else {
        tpb.push_back(isc_tpb_read_committed);
        tpb.push_back(isc_tpb_rec_version);
    }
    if (waitOnLocks_) {
        // A lock held by another attachment is waited for, but not for ever: a window that
        // hangs for good is worse than the server's lock time-out message.
        tpb.push_back(isc_tpb_wait);
        tpb.push_back(isc_tpb_lock_timeout);
        tpb.push_back(4);
        for (int i = 0; i < 4; ++i)
            tpb.push_back(static_cast<char>((lockTimeoutSeconds_ >> (8 * i)) & 0xFF));
    } else
        tpb.push_back(isc_tpb_nowait);

    TransactionBlock teb{&db_, static_cast<long>(tpb.size()), tpb.data()};
    ISC_STATUS_ARRAY status{};
    tr = 0;
    if (client_->startMultiple(status, &tr, 1, &teb)) {
        error = failure(status);
        tr = 0;
        return false;
    }
    return true;
}

bool FbConnection::commit(isc_tr_handle& tr, std::string& error)
{
    ISC_STATUS_ARRAY status{};
    if (client_->commitTransaction(status, &tr)) {
        error = failure(status);
        rollback(tr);
        return false;
    }
    tr = 0;
    return true;
}

void FbConnection::rollback(isc_tr_handle& tr)
{
    if (!tr)
        return;
    ISC_STATUS_ARRAY status{};
    // A statement that failed on its own way (a blob read, a statement's info) still shows a
    // lost connection here.
    if (client_->rollbackTransaction(status, &tr))
        failure(status);
    tr = 0;
}

std::string FbConnection::failure(const ISC_STATUS* status)
{
    if (connectionGone(status))
        lost_ = true;
    // A lock that was waited for until the other transaction committed, and then found the
    // row changed (FB3's read committed does not read it again); not the lock time-out.
    if ((hasCode(status, isc_update_conflict) || hasCode(status, isc_deadlock)) && !hasCode(status, isc_lock_timeout))
        conflict_ = true;
    return client_->errorText(status);
}

void FbConnection::dropStatement(isc_stmt_handle& stmt)
{
    if (!stmt)
        return;
    ISC_STATUS_ARRAY status{};
    client_->freeStatement(status, &stmt, DSQL_drop);
    stmt = 0;
}

bool FbConnection::prepareStatement(const std::string& sql, isc_tr_handle& tr, isc_stmt_handle& stmt,
                                    FbSqlda& columns, int& statementType, std::string& error)
{
    ISC_STATUS_ARRAY status{};
    stmt = 0;
    if (client_->allocateStatement(status, &db_, &stmt)) {
        error = failure(status);
        stmt = 0;
        return false;
    }
    // The length argument is 16 bits wide; 0 means "up to the terminating zero".
    const unsigned short length = sql.size() < 65536 ? static_cast<unsigned short>(sql.size()) : 0;
    if (client_->prepare(status, &tr, &stmt, length, sql.c_str(), dialect_, columns.get())) {
        error = failure(status);
        dropStatement(stmt);
        return false;
    }
    if (columns.needsResize()) {
        columns.resize(columns.count());
        if (client_->describe(status, &stmt, dialect_, columns.get())) {
            error = failure(status);
            dropStatement(stmt);
            return false;
        }
    }
    columns.allocateColumns();
    statementType = statementTypeOf(*client_, &stmt, error);
    if (statementType < 0) {
        dropStatement(stmt);
        return false;
    }
    return true;
}

bool FbConnection::run(isc_stmt_handle* stmt, FbSqlda& columns, int statementType,
                       const DbxParams& params, isc_tr_handle& tr, DataPacket* rows, std::string& error)
{
    ISC_STATUS_ARRAY status{};
    FbSqlda inputs(std::max<int>(1, static_cast<int>(params.size())));
    if (client_->describeBind(status, stmt, dialect_, inputs.get())) {
        error = failure(status);
        return false;
    }
    if (inputs.needsResize()) {
        inputs.resize(inputs.count());
        if (client_->describeBind(status, stmt, dialect_, inputs.get())) {
            error = failure(status);
            return false;
        }
    }
    if (!inputs.bind(params, error))
        return false;
    XSQLDA* in = inputs.count() ? inputs.get() : nullptr;

    if (rows) {
        rows->fields = columns.fieldDescs(trimChar_);
        rows->rows.clear();
    }
    const FbSqlda::BlobReader blobs{client_.get(), &db_, &tr, blobSizeBytes_};

    if (statementType == isc_info_sql_stmt_select || statementType == isc_info_sql_stmt_select_for_upd) {
        if (client_->execute(status, &tr, stmt, dialect_, in)) {
            error = failure(status);
            return false;
        }
        if (rows) {
            for (;;) {
                ISC_STATUS result = client_->fetch(status, stmt, dialect_, columns.get());
                if (result == 100)
                    break;
                if (result) {
                    error = failure(status);
                    return false;
                }
                DataRow row;
                if (!columns.readRow(row, trimChar_, blobs, error))
                    return false;
                rows->rows.push_back(std::move(row));
            }
        }
        client_->freeStatement(status, stmt, DSQL_close);
        return true;
    }

    XSQLDA* out = columns.count() ? columns.get() : nullptr;
    if (client_->execute2(status, &tr, stmt, dialect_, in, out)) {
        error = failure(status);
        return false;
    }
    if (rows && out) {
        DataRow row;
        if (!columns.readRow(row, trimChar_, blobs, error))
            return false;
        rows->rows.push_back(std::move(row));
    }
    return true;
}

bool FbConnection::runOnce(const std::string& sql, const DbxParams& params, DataPacket* rows,
                           bool readOnly, std::string& error)
{
    if (!db_) {
        error = "Database not connected";
        return false;
    }
    isc_tr_handle tr = bulk_;
    if (!bulk_ && !startTransaction(readOnly, tr, error))
        return false;

    // A statement whose rows nobody reads goes to the server with its values in one request,
    // prepared and run together: a round trip and several client calls fewer than preparing,
    // describing and executing it, which is much of the cost of a loop of short statements
    // (the report's return merge). The few statements that do not suit that way are refused
    // before they run and take the prepared way, so what they do and say stays the same.
    if (!rows && !readOnly) {
        const Immediate outcome = runImmediate(sql, params, tr, error);
        if (outcome != Immediate::NotSuitable) {
            const bool done = outcome == Immediate::Done;
            if (bulk_)
                return done;
            if (!done) {
                rollback(tr);
                return false;
            }
            return commit(tr, error);
        }
        error.clear();
    }

    isc_stmt_handle stmt = 0;
    FbSqlda columns;
    int statementType = 0;
    bool ok = prepareStatement(sql, tr, stmt, columns, statementType, error)
        && run(&stmt, columns, statementType, params, tr, rows, error);
    // The handle goes before the transaction ends: a prepared handle on a table, like a live
    // transaction that used it, makes the server refuse DROP TABLE.
    dropStatement(stmt);
    if (bulk_)
        return ok;
    if (!ok) {
        rollback(tr);
        return false;
    }
    return commit(tr, error);
}

FbConnection::Immediate FbConnection::runImmediate(const std::string& sql, const DbxParams& params,
                                                   isc_tr_handle& tr, std::string& error)
{
    const int count = static_cast<int>(params.size());
    FbSqlda inputs(std::max(1, count));
    inputs.get()->sqld = static_cast<ISC_SHORT>(count);
    if (!inputs.bind(params, error))
        return Immediate::Failed;
    ISC_STATUS_ARRAY status{};
    // The length argument is 16 bits wide; 0 means "up to the terminating zero".
    const unsigned short length = sql.size() < 65536 ? static_cast<unsigned short>(sql.size()) : 0;
    if (client_->executeImmediate(status, &db_, &tr, length, sql.c_str(), dialect_, count ? inputs.get() : nullptr)) {
        if (refusedAsImmediate(status))
            return Immediate::NotSuitable;
        error = failure(status);
        return Immediate::Failed;
    }
    return Immediate::Done;
}

bool FbConnection::execute(const std::string& sql, const DbxParams& params, DataPacket* rows,
                           std::string& error)
{
    // Waiting on locks means a statement that meets another transaction's change waits for it
    // instead of failing. The server waits, but when the other transaction commits, a read
    // committed transaction of this server version fails with an update conflict rather than
    // going on with the committed row. Catalogue changes meet that whenever two attachments
    // make tables at the same moment (both update the same system rows). The failed statement
    // was rolled back whole, in a transaction of its own, so running it again in a new one
    // finishes the wait: the other transaction's work is committed by then. Only conflicts,
    // only for statements that run alone, and no longer than the lock time-out.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(lockTimeoutSeconds_);
    for (;;) {
        conflict_ = false;
        if (runOnce(sql, params, rows, false, error))
            return true;
        if (!conflict_ || !waitOnLocks_ || bulk_ || std::chrono::steady_clock::now() >= deadline)
            return false;
    }
}

bool FbConnection::query(const std::string& sql, const DbxParams& params, DataPacket& rows,
                         std::string& error)
{
    return runOnce(sql, params, &rows, true, error);
}

std::unique_ptr<IDbxStatement> FbConnection::prepare(const std::string& sql, std::string& error)
{
    if (!db_) {
        error = "Database not connected";
        return nullptr;
    }
    auto statement = std::make_unique<FbPreparedStatement>(*this);
    if (!statement->prepare(sql, error))
        return nullptr;
    return statement;
}

bool FbConnection::beginBulk(std::string& error)
{
    if (bulk_) {
        error = "A bulk transaction is already open";
        return false;
    }
    if (!db_) {
        error = "Database not connected";
        return false;
    }
    return startTransaction(false, bulk_, error);
}

bool FbConnection::endBulk(bool commitIt, std::string& error)
{
    if (!bulk_)
        return true;
    if (!commitIt) {
        rollback(bulk_);
        return true;
    }
    return commit(bulk_, error);
}
