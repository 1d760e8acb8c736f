#include "TbsStoredSkin.h"

#include "SkinDirectory.h"
#include "TbsSkinIni.h"

void TbsStoredSkin::LoadFromSkinFile(const std::string& path)
{
    std::vector<std::string> lines = SkinDirectory::readIniLines(path);
    TbsSkinPictures pictures =
        SkinDirectory::readPictures(TbsSkinIni::fromLines(lines), SkinDirectory::directoryOf(path));
    IniStrings = std::move(lines);
    Pictures = std::move(pictures);
}

QByteArray TbsStoredSkin::picturesData() const { return Pictures.toBytes(); }

void TbsStoredSkin::setPicturesData(const QByteArray& data) { Pictures = TbsSkinPictures::read(data); }
