#pragma once
// The interface between the program and its SQL driver plug-in (libdbxfb.so). The program
// loads the plug-in with dlopen and calls its entry point (named by "GetDriverFunc" in the
// driver configuration file, "getSQLDriverINTERBASE"), which loads the database client
// library and hands back an IDbxDriver.
//
// Nothing here throws across the library boundary: every call that can fail returns false and
// leaves the server's message, unchanged, in `error`. Both sides are built by this project
// with the same compiler, so C++ types (std::string, DataPacket) cross it as they are.
//
// Transactions are the driver's business: every statement runs in a transaction of its own
// that is committed when the statement completes and rolled back when it fails. Only a bulk
// load (our own tools) groups many statements into one transaction.

#include "DataPacket.h"

#include <memory>
#include <string>
#include <vector>

// A positional parameter value: text goes to the server as bytes with their length (CHAR),
// numbers as doubles.
struct DbxParam {
    enum class Kind { Null, Text, Double };
    Kind kind = Kind::Null;
    std::string text;
    double number = 0;

    static DbxParam fromText(std::string value) { return {Kind::Text, std::move(value), 0}; }
    static DbxParam fromDouble(double value) { return {Kind::Double, {}, value}; }
};
using DbxParams = std::vector<DbxParam>;

// A statement prepared once and run many times (benchmarks, tools). The program's query
// objects do not keep prepared statements: a prepared handle on a table blocks DROP TABLE.
class IDbxStatement {
public:
    virtual ~IDbxStatement() = default;
    // Runs the statement with these parameters (in the bulk transaction when one is open,
    // else in a transaction of its own). When the statement returns rows and `rows` is
    // given, every row is read into it.
    virtual bool execute(const DbxParams& params, DataPacket* rows, std::string& error) = 0;
};

class IDbxConnection {
public:
    virtual ~IDbxConnection() = default;

    // Connection options by parameter key ("RoleName", "WaitOnLocks", "SQLDialect", ...; see
    // docs/database.md). Keys are matched without regard to case; unknown keys are ignored.
    virtual void setOption(const std::string& key, const std::string& value) = 0;

    // database: "host:path" for a server, a plain path for the embedded engine.
    virtual bool connect(const std::string& database, const std::string& user,
                         const std::string& password, std::string& error) = 0;
    virtual bool connected() const = 0;
    // True once a call failed because the connection is gone (network or server shutdown
    // errors of the client library); a successful connect clears it. Nothing is retried: the
    // caller decides when to connect again.
    virtual bool lost() const = 0;
    // Asks the server whether the connection still works (one round trip); false when it is
    // gone, which marks it lost. Another failure of the question counts as still there: the
    // next statement will tell.
    virtual bool stillThere() = 0;
    virtual void disconnect() = 0;

    // Prepares and runs one statement in a transaction of its own. When it returns rows and
    // `rows` is given, every row is read into memory before the transaction is committed.
    virtual bool execute(const std::string& sql, const DbxParams& params, DataPacket* rows,
                         std::string& error) = 0;

    // Reads every row of a SELECT into `rows`, in a read-only transaction committed at once.
    virtual bool query(const std::string& sql, const DbxParams& params, DataPacket& rows,
                       std::string& error) = 0;

    // A statement kept prepared; nullptr and `error` on failure. Drop every such statement
    // before running DDL on the tables it touches.
    virtual std::unique_ptr<IDbxStatement> prepare(const std::string& sql, std::string& error) = 0;

    // Bulk load: one transaction for every statement until endBulk (commit or roll back).
    virtual bool beginBulk(std::string& error) = 0;
    virtual bool endBulk(bool commit, std::string& error) = 0;
};

class IDbxDriver {
public:
    virtual ~IDbxDriver() = default;
    virtual std::unique_ptr<IDbxConnection> createConnection() = 0;
    // Creates a database file (SQL dialect 3, no default character set) and leaves it closed.
    virtual bool createDatabase(const std::string& database, const std::string& user,
                                const std::string& password, std::string& error) = 0;
};

// The plug-in's entry point. Loads the client library `vendorLib` (dlopen); returns nullptr
// when it cannot be loaded or lacks a function the driver needs. The caller owns the driver
// and deletes it before unloading the plug-in.
extern "C" {
typedef IDbxDriver* (*DbxGetDriverFunc)(const char* vendorLib);
}
