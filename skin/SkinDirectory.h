#pragma once
// A skin directory: an INI file and the bitmap files its [PICTURES] section names, relative
// to the INI file's directory. Shared by the two stored-skin components.

#include "TbsSkinPictures.h"

#include <QByteArray>
#include <string>
#include <string_view>
#include <vector>

class TbsSkinIni;

namespace SkinDirectory {

// The five sections a complete skin text has.
bool hasRequiredSections(const TbsSkinIni& ini);

// The INI file's lines as they are. Raises EFOpenError when the file cannot be read.
std::vector<std::string> readIniLines(const std::string& path);
// The INI file's bytes. Raises EFOpenError when the file cannot be read.
QByteArray readIniText(const std::string& path);
// Calls f with each line of text, split at CR LF, CR or LF (no line after a final break).
template <class F>
void forEachLine(std::string_view text, F f)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            f(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        f(text.substr(start));
}

// The pictures named by [PICTURES]: "picture", "inactivepicture", "mask" (empty value: no
// picture), then "activepicturescount" numbered ones "0" ... count-1. Names may use "\" as
// the directory separator.
TbsSkinPictures readPictures(const TbsSkinIni& ini, const std::string& directory);

std::string directoryOf(const std::string& path);

}
