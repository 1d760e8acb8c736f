// The INI file of the configuration files (dbxconnections.ini, rpttemp.ini): any bytes as the
// file. Every read gives an answer; a key written into a section of the file reads back, and
// every other section's values stay as they were.
#include "Exception.h"
#include "IniFile.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& scratchFile()
{
    static const std::string path = [] {
        std::string templ = "/tmp/fuzz_ini_file.XXXXXX";
        const int fd = mkstemp(templ.data());
        if (fd < 0)
            std::abort();
        close(fd);
        return templ;
    }();
    return path;
}

using Values = std::vector<std::vector<std::pair<std::string, std::string>>>;

Values allValues(const TIniFile& ini, const std::vector<std::string>& sections)
{
    Values values;
    for (const std::string& s : sections)
        values.push_back(ini.readSectionValues(s));
    return values;
}

bool isFuzzKey(const std::string& key)
{
    static const std::string name = "fuzzkey";
    if (key.size() != name.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(key[i])) != name[i])
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = scratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    TIniFile ini(path);
    const std::vector<std::string> sections = ini.readSections();
    const Values before = allValues(ini, sections);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (!ini.sectionExists(sections[i]))
            std::abort();
        for (const auto& [key, value] : before[i]) {
            if (ini.readString(sections[i], key, "\x01missing") != value)
                std::abort();
            (void)ini.readInteger(sections[i], key, 0);
        }
    }
    (void)ini.readString("Dulmar", "HostName", "");
    if (sections.empty())
        return 0;
    // Write a new key into the last section (a name with a "]" cannot be written).
    const std::size_t target = sections.size() - 1;
    try {
        ini.writeString(sections[target], "FuzzKey", "written value");
    } catch (const EIniFileException&) {
        return 0;
    }
    if (ini.readString(sections[target], "FuzzKey", "") != "written value")
        std::abort();
    const std::vector<std::string> after = ini.readSections();
    if (after != sections)
        std::abort();
    Values changed = allValues(ini, sections);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (i == target) {
            // The section holds what it held, plus the new key unless it was there already.
            auto& list = changed[i];
            std::erase_if(list, [](const auto& kv) { return isFuzzKey(kv.first); });
            auto expected = before[i];
            std::erase_if(expected, [](const auto& kv) { return isFuzzKey(kv.first); });
            if (list != expected)
                std::abort();
        } else if (changed[i] != before[i]) {
            std::abort();
        }
    }
    return 0;
}
