#pragma once
// From "rpttemp.ini" to a ready report: reads the hand-off file's section "rpttemp" (keys
// "path", "tempfile", "tempfile2"), then the template and the two dataset files it names.
// Paths written with "\" are taken with "/"; a relative path is relative to the INI file.

#include "ReportDocument.h"

#include <QDateTime>
#include <QString>

#include <memory>

struct HandoffFiles {
    QString templatePath;
    QString detailPath;  // "temp.cds": the report rows
    QString headerPath;  // "temp2.cds": the header record
};

namespace ReportLoader {

// "rpttemp.ini" in the work directory of the running program (runtime/WorkDir: its own
// directory when writable, else the user's data directory), where the program writes it.
QString defaultIniPath();

// A missing or unreadable file raises EFOpenError; a missing key raises EReportDataError.
HandoffFiles readHandoff(const QString& iniPath);

// Every failure raises an Exception whose message names the file and the problem.
std::unique_ptr<ReportDocument> load(const QString& iniPath, const QDateTime& printedAt);

}
