#pragma once
// A temporary EXEDIR for the program's tests: the two configuration files, fixture databases
// made with the embedded engine, the driver plug-in, and for child-process runs a copy of the
// built program (it finds its files beside its own executable, so it must be a copy, not a
// link).

#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <string>
#include <vector>

class QApplication;
// The test program's QApplication (made before the first test runs).
QApplication& testQtApp();

// The loopback server that scripts/firebird-server.sh started for the server tests, if it
// is listening now.
struct TestServer {
    std::string host;
    std::string user;
    std::string password;
};
std::optional<TestServer> findTestServer();

class AppTestDir {
public:
    AppTestDir();
    ~AppTestDir();

    const std::string& dir() const { return dir_; }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    void writeFile(const std::string& name, const std::string& content) const;

    // dbxdrivers.ini, section "Interbase".
    void writeDrivers(const std::string& libraryName = "libdbxfb.so",
                      const std::string& vendorLib = "libfbclient.so.2",
                      const std::string& getDriverFunc = "getSQLDriverINTERBASE") const;
    // dbxconnections.ini, section "Dulmar", with the main window's keys.
    void writeConnection(const std::string& database, const std::string& user = "sysdba",
                         const std::string& password = "moravine") const;

    // A new embedded database file in the directory, with the statements run on it.
    std::string createDatabase(const std::string& name, const std::vector<std::string>& statements = {}) const;

    // Makes this directory the EXEDIR of the test process, and an empty per-user setting, until
    // the object goes.
    void useAsExeDir();

    // Copies the built program beside the configuration files and runs it on the offscreen
    // platform with a home of its own (no per-user setting).
    struct Run {
        bool finished = false;
        int exitCode = -1;
        QString standardError;
    };
    Run runProgram(int timeoutMs = 60000);

private:
    QTemporaryDir temp_;
    std::string dir_;
    std::string previousExeDir_;
    std::string previousSettingsFile_;
    bool usedAsExeDir_ = false;
};
