#pragma once
// Where the data-access layer's two configuration files are.
//
// A per-user settings file may name them: "<config dir>/cust_prod/dbx.ini", where <config dir>
// is the user's configuration directory (QStandardPaths::GenericConfigLocation, normally
// ~/.config), section "Data Access", keys "Connection Registry File" and
// "Driver Registry File". A key that is missing or empty falls back to the file beside the
// executable: "dbxconnections.ini" and "dbxdrivers.ini".

#include <string>

namespace DbxConfig {

// The per-user settings file (it need not exist).
std::string settingsFile();
// Points settingsFile() at another file (tests); an empty value restores the default.
void setSettingsFileOverride(const std::string& path);

// The connection configuration file ("Connection Registry File", else dbxconnections.ini).
std::string connectionRegistryFile();
// The driver configuration file ("Driver Registry File", else dbxdrivers.ini).
std::string driverRegistryFile();

}
