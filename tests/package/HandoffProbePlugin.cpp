// A stand-in for the preview plug-in of the installed program: ShowForm finds "rpttemp.ini"
// the way the real plug-in does, loads the report it names through the report engine (the
// template and both dataset files), and appends one line to "showform.log" in the same work
// directory: the INI's path and the number of pages, or the engine's error. No window, so
// that a script can run the installed program through one report.

#include "ReportDocument.h"
#include "ReportLoader.h"
#include "WorkDir.h"

#include <QDateTime>
#include <QFile>

#include <exception>

extern "C" __attribute__((visibility("default"))) void ShowForm()
{
    const QString ini = ReportLoader::defaultIniPath();
    QString line = QStringLiteral("ShowForm ini=") + ini;
    try {
        const auto document = ReportLoader::load(ini, QDateTime::currentDateTime());
        line += QStringLiteral(" pages=") + QString::number(document->pageCount());
    } catch (const std::exception& e) {
        line += QStringLiteral(" error=") + QString::fromUtf8(e.what());
    }
    QFile log(QFile::decodeName(WorkDir::file("showform.log").c_str()));
    if (log.open(QIODevice::Append | QIODevice::Text))
        log.write((line + QLatin1Char('\n')).toUtf8());
}
