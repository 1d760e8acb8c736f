#include "FbDriver.h"

#include "FbConnection.h"

namespace {
std::string quoted(const std::string& text)
{
    std::string result = "'";
    for (char c : text) {
        result += c;
        if (c == '\'')
            result += '\'';
    }
    return result + "'";
}
}

FbDriver::FbDriver(std::shared_ptr<FbClientLibrary> client)
    : client_(std::move(client))
{
}

std::unique_ptr<IDbxConnection> FbDriver::createConnection()
{
    return std::make_unique<FbConnection>(client_);
}

bool FbDriver::createDatabase(const std::string& database, const std::string& user,
                              const std::string& password, std::string& error)
{
    // No default character set: text columns hold the program's Big5 bytes as they are.
    std::string sql = "CREATE DATABASE " + quoted(database);
    if (!user.empty())
        sql += " USER " + quoted(user);
    if (!password.empty())
        sql += " PASSWORD " + quoted(password);
    sql += " PAGE_SIZE 8192";

    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    if (client_->executeImmediate(status, &db, &tr, 0, sql.c_str(), 3, nullptr)) {
        error = client_->errorText(status);
        return false;
    }
    client_->detachDatabase(status, &db);
    return true;
}

// The plug-in's entry point, found by the name in the driver configuration file.
extern "C" __attribute__((visibility("default"))) IDbxDriver* getSQLDriverINTERBASE(const char* vendorLib)
{
    auto client = std::make_shared<FbClientLibrary>(vendorLib ? vendorLib : "");
    if (!client->loaded())
        return nullptr;
    return new FbDriver(std::move(client));
}
