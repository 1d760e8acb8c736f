#include "TbsCompressedStoredSkin.h"

#include "SkinDirectory.h"
#include "SkinZlib.h"
#include "TbsSkinIni.h"

void TbsCompressedStoredSkin::CompressFromSkinFile(const std::string& path)
{
    const std::vector<std::string> lines = SkinDirectory::readIniLines(path);
    const TbsSkinIni ini = TbsSkinIni::fromLines(lines);
    if (!SkinDirectory::hasRequiredSections(ini))
        return;
    data_.clear();
    QByteArray content;
    const std::uint32_t version = kFormatVersion;
    for (int i = 0; i < 4; ++i)
        content.append(char((version >> (8 * i)) & 0xFF));
    SkinDirectory::readPictures(ini, SkinDirectory::directoryOf(path)).write(content);
    for (const std::string& line : lines) {
        content.append(line.data(), qsizetype(line.size()));
        content.append("\r\n", 2);
    }
    data_ = SkinZlib::compress(content);
}

QByteArray TbsCompressedStoredSkin::Decompress() const { return SkinZlib::decompress(data_); }
