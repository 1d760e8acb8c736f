#include "SQLConnection.h"

#include "DbxConfig.h"
#include "Exception.h"
#include "ExeDir.h"
#include "IniFile.h"
#include "StatementWorker.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>

namespace {
std::string trimmed(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

bool sameKey(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Libraries named without a directory are looked for beside the executable first, then
// through the system's search.
std::string libraryPath(const std::string& name)
{
    if (name.find('/') == std::string::npos) {
        const std::string local = ExeDir::file(name);
        std::error_code ec;
        if (std::filesystem::exists(local, ec))
            return local;
    }
    return name;
}

// "host:path" names a server; a plain path opens the file with the embedded engine, and a
// relative one is taken from the executable's directory, like every other file of the system.
std::string databasePath(const std::string& database)
{
    if (database.find(':') != std::string::npos || database.front() == '/')
        return database;
    return ExeDir::file(database);
}

[[noreturn]] void databaseError(const std::string& message)
{
    throw EDatabaseError(message);
}
}

std::string TSQLConnection::ParamList::value(const std::string& key) const
{
    for (const auto& [name, value] : entries_)
        if (sameKey(name, key))
            return value;
    return {};
}

bool TSQLConnection::ParamList::contains(const std::string& key) const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& entry) { return sameKey(entry.first, key); });
}

void TSQLConnection::ParamList::setValue(const std::string& key, const std::string& value)
{
    for (auto& entry : entries_)
        if (sameKey(entry.first, key)) {
            entry.second = value;
            return;
        }
    entries_.emplace_back(key, value);
}

bool TSQLConnection::ParamList::isTrue(const std::string& value)
{
    std::string text = trimmed(value);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text == "TRUE";
}

TSQLConnection::TSQLConnection(TComponent* owner)
    : TComponent(owner)
{
}

TSQLConnection::~TSQLConnection()
{
    worker_.reset();
    doDisconnect();
}

void TSQLConnection::setKeepWindowsPainted(bool value)
{
    if (value && !worker_)
        worker_ = std::make_unique<StatementWorker>();
    else if (!value)
        worker_.reset();
}

void TSQLConnection::callDriver(const std::function<void()>& call)
{
    if (worker_)
        worker_->run(call);
    else
        call();
}

void TSQLConnection::setConnected(bool value)
{
    if (isLoading()) {
        streamedConnected_ = value;
        return;
    }
    if (value == connected())
        return;
    if (value)
        doConnect();
    else
        doDisconnect();
}

void TSQLConnection::loaded()
{
    TComponent::loaded();
    if (streamedConnected_)
        setConnected(true);
}

void TSQLConnection::loadParamsFromIniFile()
{
    if (paramsLoaded_)
        return;
    if (connectionName_.empty())
        databaseError("Connection name missing");
    const std::string file = DbxConfig::connectionRegistryFile();
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        databaseError(formatMessage("Driver/Connection Registry File '%s' not found", file));
    params_.clear();
    for (const auto& [key, value] : TIniFile(file).readSectionValues(connectionName_))
        params_.setValue(key, value);
    paramsLoaded_ = true;
}

void TSQLConnection::doConnect()
{
    if (loadParamsOnConnect_) {
        loadParamsFromIniFile();
        driverName_ = params_.value("DriverName");
    }
    if (driverName_.empty())
        databaseError("Missing DriverName property");
    if (loadParamsOnConnect_) {
        // A missing driver file reads as empty, so its names come out empty below.
        const TIniFile drivers(DbxConfig::driverRegistryFile());
        libraryName_ = drivers.readString(driverName_, "LibraryName", "");
        vendorLib_ = trimmed(drivers.readString(driverName_, "VendorLib", ""));
        getDriverFunc_ = drivers.readString(driverName_, "GetDriverFunc", "");
    }
    if (libraryName_.empty() || vendorLib_.empty())
        databaseError("DLL/Shared Library Name not Set");
    const std::string database = trimmed(params_.value("Database"));
    if (database.empty())
        databaseError("Missing Database property");

    void* library = dlopen(libraryPath(libraryName_).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        databaseError(formatMessage("Unable to Load %s", libraryName_));
    auto entry = reinterpret_cast<DbxGetDriverFunc>(dlsym(library, getDriverFunc_.c_str()));
    if (getDriverFunc_.empty() || !entry) {
        dlclose(library);
        databaseError(formatMessage("Unable to Find Procedure %s", getDriverFunc_));
    }
    std::unique_ptr<IDbxDriver> driver(entry(libraryPath(vendorLib_).c_str()));
    if (!driver) {
        dlclose(library);
        databaseError(formatMessage("Unable to Load %s", vendorLib_));
    }
    std::unique_ptr<IDbxConnection> connection = driver->createConnection();

    // Options the driver needs before connecting; ServerCharSet only when it names one.
    const std::string isolationKey = driverName_ + " TransIsolation";
    for (const char* key : {"RoleName", "WaitOnLocks", "CommitRetain", "ServerCharSet", "SQLDialect",
                            "Trim Char", "LockTimeout"}) {
        if (!params_.contains(key))
            continue;
        const std::string value = params_.value(key);
        if (std::string(key) == "ServerCharSet" && trimmed(value).empty())
            continue;
        connection->setOption(key, value);
    }
    if (params_.contains(isolationKey))
        connection->setOption("TransIsolation", params_.value(isolationKey));

    try {
        attach(*connection);
    } catch (...) {
        connection.reset();
        driver.reset();
        dlclose(library);
        throw;
    }

    library_ = library;
    driver_ = std::move(driver);
    connection_ = std::move(connection);
}

void TSQLConnection::attach(IDbxConnection& connection)
{
    std::string error;
    if (!connection.connect(databasePath(trimmed(params_.value("Database"))), params_.value("User_Name"),
                            params_.value("Password"), error))
        throw ESQLError(error);
    connection.setOption("BlobSize", params_.contains("BlobSize") ? params_.value("BlobSize") : "-1");
}

void TSQLConnection::reopenIfLost()
{
    // The same connection object attaches again: its options stay, and the plug-in and the
    // client library stay loaded.
    if (!connection_)
        return;
    callDriver([this] {
        if (connection_->lost() || !connection_->stillThere())
            attach(*connection_);
    });
}

void TSQLConnection::doDisconnect()
{
    connection_.reset();
    driver_.reset();
    if (library_) {
        dlclose(library_);
        library_ = nullptr;
    }
}

IDbxConnection& TSQLConnection::driverConnection()
{
    if (!connected())
        setConnected(true);
    return *connection_;
}

void TSQLConnection::execute(const std::string& sql, const DbxParams& params)
{
    std::string error;
    bool done = false;
    callDriver([&] { done = driverConnection().execute(sql, params, nullptr, error); });
    if (!done)
        throw ESQLError(error);
}

DataPacket TSQLConnection::query(const std::string& sql, const DbxParams& params)
{
    std::string error;
    DataPacket rows;
    bool done = false;
    callDriver([&] { done = driverConnection().query(sql, params, rows, error); });
    if (!done)
        throw ESQLError(error);
    return rows;
}

std::unique_ptr<IDbxStatement> TSQLConnection::prepare(const std::string& sql)
{
    std::string error;
    auto statement = driverConnection().prepare(sql, error);
    if (!statement)
        throw ESQLError(error);
    return statement;
}
