#include "TbsCompressedStoredSkin.h"

#include "SkinDirectory.h"
#include "SkinZlib.h"
#include "TbsSkinIni.h"

void TbsCompressedStoredSkin::CompressFromSkinFile(const std::string& path)
{
    // The text is read whole and parsed in place (no list of lines), so that a file of many
    // short lines costs no more than its bytes.
    const QByteArray text = SkinDirectory::readIniText(path);
    const std::string_view view(text.constData(), std::size_t(text.size()));
    const TbsSkinIni ini = TbsSkinIni::fromText(view);
    if (!SkinDirectory::hasRequiredSections(ini))
        return;
    data_.clear();
    QByteArray content;
    const std::uint32_t version = kFormatVersion;
    for (int i = 0; i < 4; ++i)
        content.append(char((version >> (8 * i)) & 0xFF));
    SkinDirectory::readPictures(ini, SkinDirectory::directoryOf(path)).write(content);
    SkinDirectory::forEachLine(view, [&content](std::string_view line) {
        content.append(line.data(), qsizetype(line.size()));
        content.append("\r\n", 2);
    });
    data_ = SkinZlib::compress(content);
}

QByteArray TbsCompressedStoredSkin::Decompress() const { return SkinZlib::decompress(data_); }
