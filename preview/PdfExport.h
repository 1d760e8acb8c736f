#pragma once
// Output of whole reports on paged devices: PDF files and printers.

#include "ReportDocument.h"

#include <QPagedPaintDevice>
#include <QString>

namespace PdfExport {

// Sets the template's paper size and orientation, without device margins.
void applyPageLayout(QPagedPaintDevice& device, const ReportDocument& document);

// Draws pages first..last (0-based, inclusive) on the device, one device page each. The
// device's origin must be the paper's corner.
void paintPages(QPagedPaintDevice& device, const ReportDocument& document, int first, int last);

// Writes the whole report as a PDF file, replacing it only when all went well.
// Fails with EFCreateError naming the file.
void writePdf(const ReportDocument& document, const QString& path);

}
