#include "SkinDirectory.h"

#include "BmpFile.h"
#include "Exception.h"
#include "TbsSkinIni.h"
#include "TextCodec.h"

#include <QFile>

namespace SkinDirectory {

bool hasRequiredSections(const TbsSkinIni& ini)
{
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.sectionExists(section))
            return false;
    return true;
}

QByteArray readIniText(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(formatMessage(Msg::CannotOpenFile, path, file.errorString().toStdString()));
    return file.readAll();
}

std::vector<std::string> readIniLines(const std::string& path)
{
    const QByteArray text = readIniText(path);
    std::vector<std::string> lines;
    forEachLine(std::string_view(text.constData(), std::size_t(text.size())),
                [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

namespace {
// The INI text is in the system code page (Big5), like the names in it; the directory comes
// from the command line or the program, in the file system's encoding.
QImage loadPicture(const std::string& directory, std::string name)
{
    for (char& c : name)
        if (c == '\\')
            c = '/';
    const QString path = QString::fromStdString(directory) + QLatin1Char('/') + TextCodec::fromCp950(name);
    if (name.empty())
        throw EFOpenError(formatMessage(Msg::CannotOpenFile, path.toStdString(), "No file name"));
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
