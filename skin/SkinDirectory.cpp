#include "SkinDirectory.h"

#include "BmpFile.h"
#include "Exception.h"
#include "TbsSkinIni.h"

#include <QFile>

namespace SkinDirectory {

bool hasRequiredSections(const TbsSkinIni& ini)
{
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.sectionExists(section))
            return false;
    return true;
}

std::vector<std::string> readIniLines(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(formatMessage(Msg::CannotOpenFile, path, file.errorString().toStdString()));
    const QByteArray text = file.readAll();
    std::vector<std::string> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.constData() + start, std::size_t(i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.constData() + start, std::size_t(text.size() - start));
    return lines;
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

namespace {
QImage loadPicture(const std::string& directory, std::string name)
{
    for (char& c : name)
        if (c == '\\')
            c = '/';
    const std::string path = directory + "/" + name;
    if (name.empty())
        throw EFOpenError(formatMessage(Msg::CannotOpenFile, path, "No file name"));
    return BmpFile::readFile(path);
}
QImage optionalPicture(const TbsSkinIni& ini, const std::string& directory, const char* key)
{
    const std::string name = ini.readString("PICTURES", key);
    return name.empty() ? QImage() : loadPicture(directory, name);
}
}

TbsSkinPictures readPictures(const TbsSkinIni& ini, const std::string& directory)
{
    TbsSkinPictures pictures;
    pictures.MainPicture = optionalPicture(ini, directory, "picture");
    pictures.InactivePicture = optionalPicture(ini, directory, "inactivepicture");
    pictures.MaskPicture = optionalPicture(ini, directory, "mask");
    const int count = ini.readInteger("PICTURES", "activepicturescount", 0);
    for (int i = 0; i < count; ++i)
        pictures.ActivePictures.push_back(loadPicture(directory, ini.readString("PICTURES", std::to_string(i))));
    return pictures;
}

}
