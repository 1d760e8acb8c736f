#include "WorkDir.h"

#include "Exception.h"
#include "ExeDir.h"

#include <QStandardPaths>
#include <QString>

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace WorkDir {

std::string userDirectory()
{
    // The generic location, not the application's own: the tools that read the hand-off
    // files (rptrender) have names of their own but must come to the same directory.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return (data + QStringLiteral("/cust_prod")).toStdString();
}

std::string path()
{
    const std::string exeDir = ExeDir::path();
    if (access(exeDir.c_str(), W_OK) == 0)
        return exeDir;
    return userDirectory();
}

std::string file(const std::string& name)
{
    return path() + "/" + name;
}

std::string ensure()
{
    const std::string dir = path();
    std::error_code error;
    // A directory made here holds one user's report data: only that user may read it.
    if (std::filesystem::create_directories(dir, error) && !error)
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all, error);
    // A directory that is there but is no directory, or that this user cannot write into,
    // is as good as none.
    if (!error && !std::filesystem::is_directory(dir, error) && !error)
        error = std::make_error_code(std::errc::not_a_directory);
    if (!error && access(dir.c_str(), W_OK) != 0)
        error = std::error_code(errno, std::generic_category());
    if (error)
        throw EInOutError("Cannot create the work directory \"" + dir + "\". " + error.message());
    return dir;
}

}
