#include "AppTestSupport.h"

#include "DbxConfig.h"
#include "DbxDriverApi.h"
#include "ExeDir.h"
#include "IniFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace {

const std::string kBuiltExeDir = CUSTPROD_EXEDIR;

IDbxDriver& fixtureDriver()
{
    // One driver for making fixture databases, kept for the whole test program.
    static IDbxDriver* driver = [] {
        const std::string library = kBuiltExeDir + "/libdbxfb.so";
        void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            throw std::runtime_error("cannot load " + library);
        auto entry = reinterpret_cast<DbxGetDriverFunc>(dlsym(handle, "getSQLDriverINTERBASE"));
        IDbxDriver* made = entry ? entry("libfbclient.so.2") : nullptr;
        if (!made)
            throw std::runtime_error("the driver plug-in cannot load libfbclient.so.2");
        return made;
    }();
    return *driver;
}

void copyFile(const std::string& from, const std::string& to)
{
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

}

namespace {

// One QApplication for the whole test program, gone before the process's static objects are
// destroyed (Qt's own input devices must outlive it).
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

const auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}

QApplication& testQtApp()
{
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

std::optional<TestServer> findTestServer()
{
    const std::string file = QDir::tempPath().toStdString() + "/cust_prod-firebird/server.ini";
    if (!std::filesystem::exists(file))
        return std::nullopt;
    TIniFile ini(file);
    TestServer server{ini.readString("server", "host", "127.0.0.1"), ini.readString("server", "user", ""),
                      ini.readString("server", "password", "")};
    if (server.user.empty())
        return std::nullopt;
    // A file left behind by a server that has since stopped is no server.
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(3050);
    const bool listening = probe >= 0 && ::inet_pton(AF_INET, server.host.c_str(), &address.sin_addr) == 1
        && ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (probe >= 0)
        ::close(probe);
    if (!listening)
        return std::nullopt;
    return server;
}

AppTestDir::AppTestDir() : dir_(temp_.path().toStdString())
{
    if (!temp_.isValid())
        throw std::runtime_error("cannot make a temporary directory");
    copyFile(kBuiltExeDir + "/libdbxfb.so", path("libdbxfb.so"));
}

AppTestDir::~AppTestDir()
{
    if (usedAsExeDir_) {
        ExeDir::setOverride({});
        DbxConfig::setSettingsFileOverride({});
    }
}

void AppTestDir::writeFile(const std::string& name, const std::string& content) const
{
    std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + path(name));
}

void AppTestDir::writeDrivers(const std::string& libraryName, const std::string& vendorLib,
                              const std::string& getDriverFunc) const
{
    writeFile("dbxdrivers.ini", "[Interbase]\r\nGetDriverFunc=" + getDriverFunc + "\r\nLibraryName=" + libraryName
                                    + "\r\nVendorLib=" + vendorLib + "\r\n");
}

void AppTestDir::writeConnection(const std::string& database, const std::string& user,
                                 const std::string& password) const
{
    writeFile("dbxconnections.ini",
              "[Dulmar]\r\nDriverName=Interbase\r\nDatabase=" + database + "\r\nRoleName=RoleName\r\nUser_Name="
                  + user + "\r\nPassword=" + password
                  + "\r\nServerCharSet=\r\nSQLDialect=3\r\nBlobSize=-1\r\nCommitRetain=False\r\n"
                    "WaitOnLocks=True\r\nErrorResourceFile=\r\nLocaleCode=0000\r\n"
                    "Interbase TransIsolation=ReadCommited\r\nTrim Char=False\r\n");
}

std::string AppTestDir::createDatabase(const std::string& name, const std::vector<std::string>& statements) const
{
    const std::string database = path(name);
    std::string error;
    if (!fixtureDriver().createDatabase(database, "sysdba", "", error))
        throw std::runtime_error("cannot create " + database + ": " + error);
    if (statements.empty())
        return database;
    auto connection = fixtureDriver().createConnection();
    if (!connection->connect(database, "sysdba", "", error))
        throw std::runtime_error("cannot open " + database + ": " + error);
    for (const std::string& sql : statements)
        if (!connection->execute(sql, {}, nullptr, error))
            throw std::runtime_error(sql + ": " + error);
    return database;
}

void AppTestDir::useAsExeDir()
{
    ExeDir::setOverride(dir_);
    DbxConfig::setSettingsFileOverride(path("home/.config/cust_prod/dbx.ini"));
    usedAsExeDir_ = true;
}

AppTestDir::Run AppTestDir::runProgram(int timeoutMs)
{
    const std::string program = path("cust_prod");
    copyFile(kBuiltExeDir + "/cust_prod", program);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No person can answer a box on the offscreen platform: the runtime writes it to
    // standard error instead of waiting.
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", QString::fromStdString(path("home")));
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(path("home/.config")));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QDir::tempPath());
    process.start(QString::fromStdString(program), {});
    Run run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    return run;
}
