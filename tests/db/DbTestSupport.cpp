#include "DbTestSupport.h"

#include "DbxConfig.h"
#include "ExeDir.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>

namespace {
IDbxDriver& sharedDriver()
{
    // One driver for creating fixture databases, kept for the whole test program.
    static IDbxDriver* driver = [] {
        void* library = dlopen(DbTestEnvironment::driverLibrary().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
            throw std::runtime_error("cannot load " + DbTestEnvironment::driverLibrary());
        auto entry = reinterpret_cast<DbxGetDriverFunc>(dlsym(library, "getSQLDriverINTERBASE"));
        IDbxDriver* made = entry ? entry("libfbclient.so.2") : nullptr;
        if (!made)
            throw std::runtime_error("the driver plug-in cannot load libfbclient.so.2");
        return made;
    }();
    return *driver;
}
}

std::string testServerInfoFile()
{
    return QDir::tempPath().toStdString() + "/cust_prod-firebird/server.ini";
}

std::optional<TestServer> findTestServer()
{
    const std::string file = testServerInfoFile();
    if (!std::filesystem::exists(file))
        return std::nullopt;
    TIniFile ini(file);
    TestServer server{ini.readString("server", "host", "127.0.0.1"), ini.readString("server", "user", ""),
                      ini.readString("server", "password", ""), ini.readString("server", "data_dir", "")};
    if (server.user.empty() || server.dataDir.empty())
        return std::nullopt;
    return server;
}

const char* engineName(Engine engine)
{
    return engine == Engine::Embedded ? "Embedded" : "Server";
}

DbTestEnvironment::DbTestEnvironment()
{
    dirPath_ = dir_.path().toStdString();
    previousExeDir_ = ExeDir::path();
    previousSettingsFile_ = DbxConfig::settingsFile();
    ExeDir::setOverride(dirPath_);
    // Never the developer's own settings file.
    DbxConfig::setSettingsFileOverride(dirPath_ + "/user-settings/dbx.ini");
}

DbTestEnvironment::~DbTestEnvironment()
{
    ExeDir::setOverride(previousExeDir_);
    DbxConfig::setSettingsFileOverride(previousSettingsFile_);
    for (const std::string& file : serverFiles_) {
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }
}

std::string DbTestEnvironment::driverLibrary()
{
    return std::string(CUSTPROD_EXEDIR) + "/libdbxfb.so";
}

void DbTestEnvironment::writeFile(const std::string& name, const std::string& content) const
{
    std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
    out << content;
}

void DbTestEnvironment::writeDrivers(const std::string& libraryName, const std::string& vendorLib,
                                     const std::string& getDriverFunc)
{
    writeFile("dbxdrivers.ini", "[Interbase]\nGetDriverFunc=" + getDriverFunc + "\nLibraryName="
                  + libraryName + "\nVendorLib=" + vendorLib + "\n");
}

void DbTestEnvironment::writeConnection(const std::string& database, const std::string& user,
                                        const std::string& password, const std::string& extra)
{
    writeFile("dbxconnections.ini",
              "[Dulmar]\nDriverName=Interbase\nDatabase=" + database + "\nRoleName=RoleName\nUser_Name=" + user
                  + "\nPassword=" + password
                  + "\nServerCharSet=\nSQLDialect=3\nBlobSize=-1\nCommitRetain=False\nWaitOnLocks=True\n"
                    "ErrorResourceFile=\nLocaleCode=0000\nInterbase TransIsolation=ReadCommited\n"
                    "Trim Char=False\n"
                  + extra);
}

void createDatabaseFile(const std::string& database, const std::string& user, const std::string& password)
{
    std::string error;
    if (!sharedDriver().createDatabase(database, user, password, error))
        throw std::runtime_error("cannot create " + database + ": " + error);
}

std::string DbTestEnvironment::createDatabase(Engine engine, const std::string& name)
{
    std::string database;
    std::string user;
    std::string password;
    if (engine == Engine::Embedded) {
        database = path(name);
    } else {
        const auto server = findTestServer();
        if (!server)
            throw std::runtime_error("no test server");
        const std::string file = server->dataDir + "/" + std::to_string(::getpid()) + "-"
            + std::to_string(serverFiles_.size()) + "-" + name;
        std::error_code ec;
        std::filesystem::remove(file, ec);
        serverFiles_.push_back(file);
        database = server->host + ":" + file;
        user = server->user;
        password = server->password;
    }
    std::string error;
    if (!sharedDriver().createDatabase(database, user, password, error))
        throw std::runtime_error("cannot create " + database + ": " + error);
    return database;
}

std::unique_ptr<TSQLConnection> DbTestEnvironment::makeConnection() const
{
    auto connection = std::make_unique<TSQLConnection>();
    connection->setConnectionName("Dulmar");
    connection->setDriverName("Interbase");
    connection->setGetDriverFunc("getSQLDriverINTERBASE");
    connection->setLibraryName("dbexpint.dll");
    connection->setVendorLib("gds32.dll");
    connection->setLoadParamsOnConnect(true);
    connection->setLoginPrompt(false);
    return connection;
}

std::unique_ptr<TSQLConnection> DbTestEnvironment::connect(const std::string& database, Engine engine,
                                                           const std::string& extra)
{
    writeDrivers(driverLibrary());
    if (engine == Engine::Embedded) {
        writeConnection(database, "sysdba", "moravine", extra);
    } else {
        const auto server = findTestServer();
        writeConnection(database, server->user, server->password, extra);
    }
    auto connection = makeConnection();
    connection->open();
    return connection;
}
