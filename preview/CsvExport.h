#pragma once
// The detail rows as CSV for a spreadsheet: UTF-8 with a byte order mark, CR LF line ends,
// the field names as the first line, numbers without grouping and with "." as the point.
// A text that a spreadsheet would run as a formula (starting with =, +, -, @) gets a leading
// apostrophe.

#include "DataPacket.h"

#include <QByteArray>
#include <QString>

namespace CsvExport {

QByteArray toCsv(const DataPacket& packet);

// Writes the file, replacing it only when all went well; fails with EFCreateError.
void writeCsv(const DataPacket& packet, const QString& path);

}
