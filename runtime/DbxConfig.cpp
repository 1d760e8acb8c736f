#include "DbxConfig.h"

#include "ExeDir.h"
#include "IniFile.h"

#include <QStandardPaths>

namespace {
std::string& settingsOverride()
{
    static std::string path;
    return path;
}

std::string registryFile(const char* key, const char* defaultName)
{
    std::string named = TIniFile(DbxConfig::settingsFile()).readString("Data Access", key, "");
    return named.empty() ? ExeDir::file(defaultName) : named;
}
}

namespace DbxConfig {

std::string settingsFile()
{
    if (!settingsOverride().empty())
        return settingsOverride();
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (dir + "/cust_prod/dbx.ini").toStdString();
}

void setSettingsFileOverride(const std::string& path)
{
    settingsOverride() = path;
}

std::string connectionRegistryFile()
{
    return registryFile("Connection Registry File", "dbxconnections.ini");
}

std::string driverRegistryFile()
{
    return registryFile("Driver Registry File", "dbxdrivers.ini");
}

}
