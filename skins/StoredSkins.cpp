#include "StoredSkins.h"

#include "TbsCompressedStoredSkin.h"
#include "TbsStoredSkin.h"

#include <cstddef>

extern const unsigned char storedskins_pictures[];
extern const std::size_t storedskins_pictures_size;
extern const unsigned char storedskins_ini[];
extern const std::size_t storedskins_ini_size;
extern const unsigned char storedskins_compressed[];
extern const std::size_t storedskins_compressed_size;

namespace StoredSkins {

QByteArray storedPictures()
{
    return QByteArray(reinterpret_cast<const char*>(storedskins_pictures), qsizetype(storedskins_pictures_size));
}

std::vector<std::string> storedIniStrings()
{
    // The lines as they are in the file, split at CR LF, CR or LF.
    std::vector<std::string> lines;
    const auto* text = reinterpret_cast<const char*>(storedskins_ini);
    std::size_t start = 0;
    for (std::size_t i = 0; i < storedskins_ini_size; ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text + start, i - start);
            if (text[i] == '\r' && i + 1 < storedskins_ini_size && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < storedskins_ini_size)
        lines.emplace_back(text + start, storedskins_ini_size - start);
    return lines;
}

QByteArray compressedData()
{
    return QByteArray(reinterpret_cast<const char*>(storedskins_compressed), qsizetype(storedskins_compressed_size));
}

void fill(TbsStoredSkin& skin)
{
    skin.FileName = kFileName;
    skin.IniStrings = storedIniStrings();
    skin.setPicturesData(storedPictures());
}

void fill(TbsCompressedStoredSkin& skin)
{
    skin.FileName = kFileName;
    skin.setCompressedData(compressedData());
}

}
