#include "ExeDir.h"

#include <filesystem>
#include <system_error>

namespace {
std::string& overrideDir()
{
    static std::string dir;
    return dir;
}
}

namespace ExeDir {

std::string path()
{
    if (!overrideDir().empty())
        return overrideDir();
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path().string();
    return exe.parent_path().string();
}

std::string file(const std::string& name)
{
    return path() + "/" + name;
}

void setOverride(const std::string& dir)
{
    overrideDir() = dir;
}

}
