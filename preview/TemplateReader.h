#pragma once
// Reads the report template format (XML, documented in docs/report-template.md).
// Every fault, XML or content, raises ETemplateError "FILE: line L, column C: problem".

#include "ReportTemplate.h"

#include <QByteArray>
#include <QString>

namespace TemplateReader {

// Reads the file; a missing or unreadable file raises EFOpenError naming it.
ReportTemplate read(const QString& path);
// Parses template text; `source` names it in messages.
ReportTemplate parse(const QByteArray& xml, const QString& source);

}
