#pragma once
// A Firebird server of the test's own, for cases that stop and start a server: the loopback
// server of scripts/firebird-server.sh is shared with other tests and must keep running.
//
// It is the installed server program (/usr/sbin/firebird) run as a child process with a
// configuration root of its own in a temporary directory: firebird.conf copied from the
// system's with its own port (the first free one from 3051 up) and its own copy of the
// security database (which holds the test user), lock and temporary files in that directory
// too. stop() kills it the hard way, as a crash or a power cut would; start() runs it again
// on the same port with the same files.
//
// Needs what scripts/firebird-server.sh start leaves (the installed server, the test user);
// unavailable() says why it cannot run, for the test's skip message.

#include <QProcess>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <string>

class PrivateFirebirdServer {
public:
    PrivateFirebirdServer();
    ~PrivateFirebirdServer();

    PrivateFirebirdServer(const PrivateFirebirdServer&) = delete;
    PrivateFirebirdServer& operator=(const PrivateFirebirdServer&) = delete;

    // Empty when the server runs; else why it could not be started.
    const std::string& unavailable() const { return unavailable_; }

    std::uint16_t port() const { return port_; }
    // "127.0.0.1/<port>:<dir>/<name>", for a database file in the server's own directory.
    std::string databaseAddress(const std::string& name) const;
    const std::string& user() const { return user_; }
    const std::string& password() const { return password_; }

    // Both return true once the server is down, or listening again.
    bool stop();
    bool start();

private:
    bool prepareRoot();
    bool writeConfig();
    bool listening() const;

    QTemporaryDir dir_;
    std::string root_;
    std::string user_, password_;
    std::uint16_t port_ = 0;
    std::unique_ptr<QProcess> process_;
    std::string unavailable_;
};
