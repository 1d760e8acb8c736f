#include "PrivateFirebirdServer.h"

#include "DbTestSupport.h"

#include <QProcessEnvironment>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

const char* const serverProgram = "/usr/sbin/firebird";
// The installed server's root: message file, plug-ins, character sets.
const char* const installedRoot = "/usr/lib/x86_64-linux-gnu/firebird/3.0";
const char* const systemConfig = "/etc/firebird/3.0/firebird.conf";
const char* const securityDatabase = "/var/lib/firebird/3.0/system/security3.fdb";

// Whether connect (or bind) of a fresh TCP socket to 127.0.0.1:port succeeds.
template <class Call>
bool loopbackSocketSucceeds(std::uint16_t port, Call call)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = call(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

bool connectsTo(std::uint16_t port) { return loopbackSocketSucceeds(port, ::connect); }

bool portFree(std::uint16_t port) { return loopbackSocketSucceeds(port, ::bind); }

}

PrivateFirebirdServer::PrivateFirebirdServer()
{
    const auto shared = findTestServer();
    if (!shared) {
        unavailable_ = "no test server set up: run scripts/firebird-server.sh start";
        return;
    }
    user_ = shared->user;
    password_ = shared->password;
    if (::geteuid() != 0) {
        unavailable_ = "the server program needs root to run on its own";
        return;
    }
    std::error_code ec;
    for (const char* needed : {serverProgram, installedRoot, systemConfig, securityDatabase})
        if (!fs::exists(needed, ec)) {
            unavailable_ = std::string(needed) + " is missing";
            return;
        }
    if (!dir_.isValid() || !prepareRoot())
        return;
    for (std::uint16_t port = 3051; port < 3151; ++port) {
        if (!portFree(port))
            continue;
        port_ = port;
        if (!writeConfig())
            return;
        if (start())
            return;
        // Taken in between, or the server would not start there: the next port.
        stop();
    }
    if (unavailable_.empty())
        unavailable_ = "the server program did not start on any port from 3051";
}

PrivateFirebirdServer::~PrivateFirebirdServer()
{
    stop();
}

bool PrivateFirebirdServer::prepareRoot()
{
    root_ = dir_.path().toStdString();
    std::error_code ec;
    // The server reads its files as the user it switches to.
    fs::permissions(root_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                        | fs::perms::others_read | fs::perms::others_exec, ec);
    for (const char* name : {"firebird.msg", "intl", "plugins", "lib", "UDF", "fbintl.conf", "plugins.conf"})
        fs::create_symlink(fs::path(installedRoot) / name, fs::path(root_) / name, ec);
    // The shared server holds its security database exclusively; this one gets a copy, with
    // the test user in it.
    fs::copy_file(securityDatabase, root_ + "/security3.fdb", ec);
    for (const char* dir : {"lock", "tmp", "data"}) {
        fs::create_directory(root_ + "/" + dir, ec);
        fs::permissions(root_ + "/" + dir, fs::perms::all, ec);
    }
    if (ec) {
        unavailable_ = "could not lay out the server's directory: " + ec.message();
        return false;
    }
    std::ofstream aliases(root_ + "/databases.conf");
    aliases << "security.db = " << root_ << "/security3.fdb\n{\n\tRemoteAccess = false\n}\n";
    return true;
}

bool PrivateFirebirdServer::writeConfig()
{
    std::error_code ec;
    fs::copy_file(systemConfig, root_ + "/firebird.conf", fs::copy_options::overwrite_existing, ec);
    std::ofstream conf(root_ + "/firebird.conf", std::ios::app);
    conf << "\nRemoteServicePort = " << port_ << "\nRemoteBindAddress = 127.0.0.1\nSecurityDatabase = " << root_
         << "/security3.fdb\n";
    if (ec || !conf) {
        unavailable_ = "could not write the server's configuration";
        return false;
    }
    return true;
}

std::string PrivateFirebirdServer::databaseAddress(const std::string& name) const
{
    return "127.0.0.1/" + std::to_string(port_) + ":" + root_ + "/data/" + name;
}

bool PrivateFirebirdServer::listening() const
{
    return port_ != 0 && connectsTo(port_);
}

bool PrivateFirebirdServer::start()
{
    if (process_ && process_->state() != QProcess::NotRunning)
        return listening();
    process_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FIREBIRD", QString::fromStdString(root_));
    env.insert("FIREBIRD_LOCK", QString::fromStdString(root_ + "/lock"));
    env.insert("FIREBIRD_TMP", QString::fromStdString(root_ + "/tmp"));
    process_->setProcessEnvironment(env);
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->setStandardOutputFile(QProcess::nullDevice());
    process_->start(serverProgram, {});
    if (!process_->waitForStarted(10000)) {
        unavailable_ = "could not run " + std::string(serverProgram) + ": " + process_->errorString().toStdString();
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (listening())
            return true;
        if (process_->state() == QProcess::NotRunning)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

bool PrivateFirebirdServer::stop()
{
    if (!process_ || process_->state() == QProcess::NotRunning)
        return true;
    // The server ignores the polite signals while it runs on its own (its guardian stops it
    // otherwise); a kill is what a crash or a power cut does to it.
    process_->kill();
    process_->waitForFinished(10000);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (listening() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return !listening();
}
