#include "ReportLoader.h"

#include "DatasetFile.h"
#include "IniFile.h"
#include "ReportErrors.h"
#include "TemplateReader.h"
#include "TextCodec.h"
#include "WorkDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

const char* const section = "rpttemp";

QString handoffPath(const TIniFile& ini, const QString& iniPath, const char* key)
{
    QString value = TextCodec::fromCp950(ini.readString(section, key, std::string())).trimmed();
    if (value.isEmpty())
        throw EReportDataError(QStringLiteral("%1: the key \"%2\" of section [%3] is missing or empty")
                                   .arg(iniPath, QString::fromLatin1(key), QString::fromLatin1(section))
                                   .toStdString());
    value.replace(u'\\', u'/');
    return QDir::cleanPath(QFileInfo(iniPath).absoluteDir().absoluteFilePath(value));
}

DataPacket loadDataset(const QString& path)
{
    return DatasetFile::load(QFile::encodeName(path).toStdString());
}

}

namespace ReportLoader {

QString defaultIniPath()
{
    // Where the program wrote it: the same rule, from the running program's own directory.
    return QFile::decodeName(WorkDir::file("rpttemp.ini").c_str());
}

HandoffFiles readHandoff(const QString& iniPath)
{
    // The INI reader treats a missing file as empty; here it is a failure in its own right.
    QFile probe(iniPath);
    if (!probe.open(QIODevice::ReadOnly))
        throw EFOpenError(formatMessage("Cannot open file \"%s\". %s", iniPath.toStdString(), probe.errorString().toStdString()));
    probe.close();
    TIniFile ini(QFile::encodeName(iniPath).toStdString());
    HandoffFiles files;
    files.templatePath = handoffPath(ini, iniPath, "path");
    files.detailPath = handoffPath(ini, iniPath, "tempfile");
    files.headerPath = handoffPath(ini, iniPath, "tempfile2");
    return files;
}

std::unique_ptr<ReportDocument> load(const QString& iniPath, const QDateTime& printedAt)
{
    HandoffFiles files = readHandoff(iniPath);
    ReportTemplate tmpl = TemplateReader::read(files.templatePath);
    ReportData data;
    data.detail = loadDataset(files.detailPath);
    data.header = loadDataset(files.headerPath);
    data.detailSource = files.detailPath;
    data.headerSource = files.headerPath;
    return std::make_unique<ReportDocument>(std::move(tmpl), std::move(data), printedAt);
}

}
