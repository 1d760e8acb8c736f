#pragma once
// Test environment for the database tests: a temporary EXEDIR with the two configuration
// files, database files made with the embedded engine (or on the loopback server when one was
// started by scripts/firebird-server.sh), and connections opened the program's way.

#include "SQLConnection.h"

#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>

// The loopback server of scripts/firebird-server.sh, which writes what the tests need to know
// into <temp>/cust_prod-firebird/server.ini. No file: no server (server tests are skipped).
struct TestServer {
    std::string host;     // "127.0.0.1"
    std::string user;
    std::string password;
    std::string dataDir;  // a directory the server may create database files in
};
std::optional<TestServer> findTestServer();
std::string testServerInfoFile();

// Creates a database file at `database` ("host[/port]:path" or a path) through the built driver.
void createDatabaseFile(const std::string& database, const std::string& user, const std::string& password);

enum class Engine { Embedded, Server };
const char* engineName(Engine engine);

class DbTestEnvironment {
public:
    DbTestEnvironment();
    ~DbTestEnvironment();

    const std::string& dir() const { return dirPath_; }
    std::string path(const std::string& name) const { return dirPath_ + "/" + name; }

    // dbxdrivers.ini with section "Interbase" naming the built plug-in.
    void writeDrivers(const std::string& libraryName, const std::string& vendorLib = "libfbclient.so.2",
                      const std::string& getDriverFunc = "getSQLDriverINTERBASE");
    // dbxconnections.ini with section "Dulmar"; `extra` is appended (lines of key=value).
    void writeConnection(const std::string& database, const std::string& user = "",
                         const std::string& password = "", const std::string& extra = "");
    void writeFile(const std::string& name, const std::string& content) const;

    // A new, empty database for `engine`: its "Database" value. Server databases are
    // created in the server's data directory and removed at the end.
    std::string createDatabase(Engine engine, const std::string& name);

    // A connection set up as the main window's: "Dulmar", parameters from the files.
    std::unique_ptr<TSQLConnection> makeConnection() const;
    // Writes both files for `database` and opens a connection to it.
    std::unique_ptr<TSQLConnection> connect(const std::string& database, Engine engine,
                                            const std::string& extra = "");

    static std::string driverLibrary();

private:
    QTemporaryDir dir_;
    std::string dirPath_;
    std::string previousExeDir_;
    std::string previousSettingsFile_;
    std::vector<std::string> serverFiles_;
};
