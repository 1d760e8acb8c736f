// rptbench [--rows N] [--customers M] [--dir DIR] [--runs R] [--grab FILE.png]
// Writes hand-off files of N report rows in M customers (default 10,000 in 500), then
// measures, R times each: the time from reading "rpttemp.ini" to the first page drawn in the
// preview window, and the time from reading it to the whole PDF written. Prints the figures.
// With --dir the files (and report.pdf) stay there for a look; --grab saves the window.

#include "DatasetFile.h"
#include "PageView.h"
#include "PdfExport.h"
#include "PreviewWindow.h"
#include "ReportLoader.h"
#include "TextCodec.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string cp950(const QString& text)
{
    return TextCodec::toCp950(text);
}

void writeHandoff(const QString& dir, int rows, int customers)
{
    const QStringList names = {QStringLiteral("台北商行"), QStringLiteral("高雄貿易有限公司"), QStringLiteral("新竹茶莊"),
                               QStringLiteral("台中食品股份有限公司"), QStringLiteral("花蓮農產")};
    const QStringList products = {QStringLiteral("高山烏龍茶 300g"), QStringLiteral("凍頂烏龍茶 150g"),
                                  QStringLiteral("鐵觀音禮盒"), QStringLiteral("東方美人茶（特級）"),
                                  QStringLiteral("阿里山金萱茶葉 600g 家庭號")};
    DataPacket detail;
    detail.fields = {{"CUST_ID", FieldType::String, 15}, {"CUST_NAME", FieldType::String, 60},
                     {"PROD_ID", FieldType::String, 15}, {"PROD_NAME", FieldType::String, 60},
                     {"U_PRICE", FieldType::Float, 0},   {"QTY", FieldType::Float, 0},
                     {"AMT", FieldType::Float, 0}};
    for (int i = 0; i < rows; ++i) {
        int customer = int(int64_t(i) * customers / rows);
        int product = i - int((int64_t(customer) * rows + customers - 1) / customers);
        QString custName = names[customer % names.size()];
        if (customer % 7 == 3 && product % 2 == 1)
            custName += QStringLiteral("(舊名)"); // a customer recorded under two names
        double price = 35.0 + (i * 37 % 400) + (i % 4) * 0.25;
        double qty = (i % 13 == 5) ? -double(i % 5 + 1) : double(i % 50 + 1);
        detail.rows.push_back({Variant(QStringLiteral("C%1").arg(customer, 5, 10, QLatin1Char('0')).toStdString()),
                               Variant(cp950(custName)),
                               Variant(QStringLiteral("P%1").arg(product, 6, 10, QLatin1Char('0')).toStdString()),
                               Variant(cp950(products[i % products.size()])), Variant(price), Variant(qty),
                               Variant(price * qty)});
    }
    DataPacket header;
    DataRow record;
    for (int f = 0; f < 14; ++f) {
        header.fields.push_back({"Field" + std::to_string(f), FieldType::String, f == 13 ? 200 : 50});
        record.push_back(Variant::null());
    }
    record[0] = cp950(QStringLiteral("客戶區間商品數量表"));
    record[1] = cp950(QStringLiteral("查詢年月: 2024/01/01～2024/03/31"));
    record[12] = cp950(QStringLiteral("大同茶業股份有限公司"));
    record[13] = cp950(QStringLiteral("本報表僅供內部參考。數量為銷貨數量減去退貨數量，金額為單價乘以數量之合計；"
                                      "負數表示退貨多於銷貨，請業務單位於月底前確認各客戶之退貨原因並回覆會計部門。"));
    header.rows.push_back(record);
    DatasetFile::save(QFile::encodeName(dir + "/temp.cds").toStdString(), detail);
    DatasetFile::save(QFile::encodeName(dir + "/temp2.cds").toStdString(), header);
    QFile ini(dir + "/rpttemp.ini");
    if (!ini.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write rpttemp.ini");
    ini.write("[rpttemp]\r\npath=" + QFile::encodeName(QStringLiteral(CUSTPROD_EXEDIR "/rtm\\cust_prod.rtm")) + "\r\n");
    ini.write("tempfile=" + QFile::encodeName(dir) + "/temp.cds\r\n");
    ini.write("tempfile2=" + QFile::encodeName(dir) + "/temp2.cds\r\n");
}

// CPU time of this process in milliseconds: on a busy shared machine the wall clock also
// counts the time spent waiting for a core.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}

int main(int argc, char** argv)
{
    int rows = 10000, customers = 500, runs = 3;
    QString dir, grab;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string arg = argv[i];
        if (arg == "--rows")
            rows = std::max(1, std::atoi(argv[i + 1]));
        else if (arg == "--customers")
            customers = std::max(1, std::atoi(argv[i + 1]));
        else if (arg == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (arg == "--dir")
            dir = QString::fromLocal8Bit(argv[i + 1]);
        else if (arg == "--grab")
            grab = QString::fromLocal8Bit(argv[i + 1]);
    }
    customers = std::min(customers, rows);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    if (dir.isEmpty())
        dir = temp.path();
    QDir().mkpath(dir);
    try {
        writeHandoff(dir, rows, customers);
        QString ini = dir + "/rpttemp.ini";
        std::vector<double> firstPage, pdf, firstPageCpu, pdfCpu;
        int pages = 0;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            double cpuStart = cpuMs();
            auto document = ReportLoader::load(ini, QDateTime::currentDateTime());
            PreviewWindow window(*document);
            window.show();
            while (!window.pageView()->hasPainted())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            firstPage.push_back(timer.nsecsElapsed() / 1e6);
            firstPageCpu.push_back(cpuMs() - cpuStart);
            pages = document->pageCount();
            if (!grab.isEmpty() && run == 0) {
                window.resize(1100, 800);
                window.setFit(PageView::Fit::Width);
                window.showPage(1);
                QCoreApplication::processEvents();
                window.grab().save(grab);
            }
        }
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            double cpuStart = cpuMs();
            auto document = ReportLoader::load(ini, QDateTime::currentDateTime());
            PdfExport::writePdf(*document, dir + "/report.pdf");
            pdf.push_back(timer.nsecsElapsed() / 1e6);
            pdfCpu.push_back(cpuMs() - cpuStart);
        }
        std::printf("rows %d, customers %d, pages %d, PDF %lld bytes\n", rows, customers, pages,
                    static_cast<long long>(QFileInfo(dir + "/report.pdf").size()));
        std::printf("first page shown: first run %.1f ms (fonts not yet loaded), median %.1f ms, best %.1f ms (%d runs; "
                    "target < 500 ms)\n",
                    firstPage.front(), median(firstPage), *std::min_element(firstPage.begin(), firstPage.end()), runs);
        std::printf("whole PDF written: median %.1f ms, best %.1f ms (%d runs; target < 5000 ms)\n", median(pdf),
                    *std::min_element(pdf.begin(), pdf.end()), runs);
        std::printf("CPU time: first page median %.1f ms, whole PDF median %.1f ms\n", median(firstPageCpu), median(pdfCpu));
        double load[1] = {0};
        if (getloadavg(load, 1) == 1)
            std::printf("load average during the run: %.2f\n", load[0]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rptbench: %s\n", e.what());
        return 1;
    }
    return 0;
}
