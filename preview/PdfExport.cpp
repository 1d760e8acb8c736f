#include "PdfExport.h"

#include "ReportErrors.h"
#include "ReportPainter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr int pdfResolution = 1200;

[[noreturn]] void cannotCreate(const QString& path, const QString& reason)
{
    throw EFCreateError(formatMessage("Cannot create file \"%s\". %s", path.toStdString(), reason.toStdString()));
}

}

namespace PdfExport {

void applyPageLayout(QPagedPaintDevice& device, const ReportDocument& document)
{
    const PageSetup& setup = document.reportTemplate().page;
    device.setPageLayout(QPageLayout(QPageSize(setup.size), setup.orientation, QMarginsF(0, 0, 0, 0)));
}

void paintPages(QPagedPaintDevice& device, const ReportDocument& document, int first, int last)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw EReportExportError("The output device cannot be drawn on.");
    for (int page = std::max(first, 0); page <= last && page < document.pageCount(); ++page) {
        if (page != std::max(first, 0))
            device.newPage();
        ReportPainter::paintPage(painter, document, page);
    }
    painter.end();
}

void writePdf(const ReportDocument& document, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        cannotCreate(path, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(pdfResolution);
        writer.setTitle(document.caption());
        writer.setCreator(QStringLiteral("cust_prod"));
        applyPageLayout(writer, document);
        paintPages(writer, document, 0, document.pageCount() - 1);
    }
    if (file.error() != QFileDevice::NoError || !file.commit())
        cannotCreate(path, file.errorString());
}

}
