#pragma once
// A skin directory: an INI file and the bitmap files its [PICTURES] section names, relative
// to the INI file's directory. Shared by the two stored-skin components.

#include "TbsSkinPictures.h"

#include <string>
#include <vector>

class TbsSkinIni;

namespace SkinDirectory {

// The five sections a complete skin text has.
bool hasRequiredSections(const TbsSkinIni& ini);

// The INI file's lines as they are. Raises EFOpenError when the file cannot be read.
std::vector<std::string> readIniLines(const std::string& path);

// The pictures named by [PICTURES]: "picture", "inactivepicture", "mask" (empty value: no
// picture), then "activepicturescount" numbered ones "0" ... count-1. Names may use "\" as
// the directory separator.
TbsSkinPictures readPictures(const TbsSkinIni& ini, const std::string& directory);

std::string directoryOf(const std::string& path);

}
