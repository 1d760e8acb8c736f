// rptrender [--ini FILE] --pdf OUT.pdf [--csv OUT.csv]
// Renders the report that "rpttemp.ini" names (the one in the work directory, found as the
// preview plug-in finds it, or FILE) without a window, through the same engine as the preview.
// Exit codes: 0 done, 1 the report failed (the message names the file and the problem), 2 wrong
// command line.

#include "CsvExport.h"
#include "Exception.h"
#include "PdfExport.h"
#include "ReportLoader.h"

#include <QDateTime>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: rptrender [--ini FILE] --pdf OUT.pdf [--csv OUT.csv]\n");
    return 2;
}

}

int main(int argc, char** argv)
{
    QString iniPath, pdfPath, csvPath;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--ini" || arg == "--pdf" || arg == "--csv") && i + 1 < argc) {
            QString value = QString::fromLocal8Bit(argv[++i]);
            (arg == "--ini" ? iniPath : arg == "--pdf" ? pdfPath : csvPath) = value;
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else {
            return usage();
        }
    }
    if (pdfPath.isEmpty())
        return usage();

    // Fonts need a GUI application, but nothing is shown: no display is required.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (iniPath.isEmpty())
        iniPath = ReportLoader::defaultIniPath();
    try {
        auto document = ReportLoader::load(iniPath, QDateTime::currentDateTime());
        PdfExport::writePdf(*document, pdfPath);
        if (!csvPath.isEmpty())
            CsvExport::writeCsv(document->data().detail, csvPath);
        std::printf("%s: %d pages\n", pdfPath.toLocal8Bit().constData(), document->pageCount());
    } catch (const Exception& e) {
        std::fprintf(stderr, "rptrender: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rptrender: %s\n", e.what());
        return 1;
    }
    return 0;
}
