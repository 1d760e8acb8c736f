#include "ReportFiles.h"

#include "TextCodec.h"

#include <QDir>
#include <QFile>

namespace ReportFiles {

std::string findIgnoringCase(const std::string& dir, const std::string& name)
{
    const std::string asked = dir + "/" + name;
    if (QFile::exists(QFile::decodeName(asked.c_str())))
        return asked;
    const QDir directory(QFile::decodeName(dir.c_str()));
    const QString wanted = QFile::decodeName(name.c_str());
    // Sorted, so that the choice among several spellings of the name does not depend on the
    // order the file system lists them in.
    const QStringList entries = directory.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir + "/" + QFile::encodeName(entry).toStdString();
    return asked;
}

std::string iniPathValue(const std::string& path)
{
    return TextCodec::toCp950(QFile::decodeName(path.c_str()));
}

}
