// lookupbench: the customer lookup on a large customer table, on the embedded engine.
//
//   lookupbench [ROWS] [--screenshot DIR]     (default 100000 rows)
//
// Prints, for a CUSTOMER table of ROWS rows:
//   click to shown   from the customer button's click (the first fetch of the whole list
//                    included) until the dialog is shown, activated and painted
//   page paint       one full paint of the grid's visible page (off-screen picture and copy)
//   step             one record forward and the repaint it causes (fast row scrolling)
// With --screenshot, the dialog is also saved as DIR/lookup-dialog.png and, after a search,
// DIR/lookup-search.png.

#include "ClientDataSet.h"
#include "DataSetProvider.h"
#include "DataSource.h"
#include "DbxDriverApi.h"
#include "ExeDir.h"
#include "Field.h"
#include "SQLConnection.h"
#include "SQLDataSet.h"
#include "TFrmgetdata.h"
#include "TRadioGroup.h"
#include "TSpeedButton.h"
#include "TextCodec.h"
#include "TwwDBGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <fstream>
#include <memory>

namespace {
void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::trunc) << content;
}

[[noreturn]] void fail(const std::string& what, const std::string& error)
{
    std::fprintf(stderr, "lookupbench: %s: %s\n", what.c_str(), error.c_str());
    std::exit(1);
}

void createCustomers(const std::string& driverPath, const std::string& database, int rows)
{
    void* library = dlopen(driverPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto entry = library ? reinterpret_cast<DbxGetDriverFunc>(dlsym(library, "getSQLDriverINTERBASE")) : nullptr;
    std::unique_ptr<IDbxDriver> driver(entry ? entry("libfbclient.so.2") : nullptr);
    std::string error;
    if (!driver)
        fail("load " + driverPath, dlerror() ? dlerror() : "no driver");
    if (!driver->createDatabase(database, "", "", error))
        fail("create " + database, error);
    auto db = driver->createConnection();
    if (!db->connect(database, "SYSDBA", "", error))
        fail("open", error);
    if (!db->execute("CREATE TABLE CUSTOMER (CUST_ID VARCHAR(10) NOT NULL PRIMARY KEY, CUST_NAME VARCHAR(50), "
                     "CONTACT VARCHAR(20), TEL VARCHAR(20), ADDRESS VARCHAR(100))",
                     {}, nullptr, error))
        fail("create table", error);
    if (!db->beginBulk(error))
        fail("begin", error);
    {
        auto insert = db->prepare("INSERT INTO CUSTOMER VALUES (?, ?, ?, ?, ?)", error);
        if (!insert)
            fail("prepare", error);
        const std::string name = TextCodec::utf8ToCp950("客戶商行");
        const std::string address = TextCodec::utf8ToCp950("台北市中正區重慶南路一段");
        for (int i = 0; i < rows; ++i) {
            char id[16];
            std::snprintf(id, sizeof id, "C%06d", i + 1);
            DbxParams params = {DbxParam::fromText(id), DbxParam::fromText(name + std::to_string(i + 1)),
                                DbxParam::fromText("Contact"), DbxParam::fromText("02-2345-6789"),
                                DbxParam::fromText(address)};
            if (!insert->execute(params, nullptr, error))
                fail("insert", error);
        }
    }
    if (!db->endBulk(true, error))
        fail("commit", error);
    db->disconnect();
}

double msSince(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int rows = 100000;
    QString screenshotDir;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size())
            screenshotDir = args[++i];
        else
            rows = args[i].toInt();
    }

    QTemporaryDir dir;
    ExeDir::setOverride(dir.path().toStdString());
    const std::string driverPath = QCoreApplication::applicationDirPath().toStdString() + "/libdbxfb.so";
    const std::string database = dir.path().toStdString() + "/customers.fdb";
    writeFile(ExeDir::file("dbxdrivers.ini"), "[Interbase]\nGetDriverFunc=getSQLDriverINTERBASE\nLibraryName=" +
                                                  driverPath + "\nVendorLib=libfbclient.so.2\n");
    writeFile(ExeDir::file("dbxconnections.ini"), "[Dulmar]\nDriverName=Interbase\nDatabase=" + database +
                                                      "\nUser_Name=SYSDBA\nPassword=\nSQLDialect=3\n");
    const auto loadStart = std::chrono::steady_clock::now();
    createCustomers(driverPath, database, rows);
    std::printf("customer table: %d rows loaded in %.1f s\n", rows, msSince(loadStart) / 1000.0);

    TSQLConnection connection;
    connection.setConnectionName("Dulmar");
    connection.setLoadParamsOnConnect(true);
    connection.open();
    TSQLDataSet sqlCust;
    sqlCust.setSQLConnection(&connection);
    sqlCust.setCommandText("SELECT * FROM CUSTOMER\r\nORDER BY CUST_ID\r\n");
    TDataSetProvider dspCust;
    dspCust.setDataSet(&sqlCust);
    TClientDataSet cdsCust;
    cdsCust.setProvider(&dspCust);
    cdsCust.addField("CUST_ID", FieldType::String, 10, true, TextCodec::utf8ToCp950("客戶編號"));
    cdsCust.addField("CUST_NAME", FieldType::String, 50, false, TextCodec::utf8ToCp950("客戶名稱"));
    TDataSource dsCust;

    // The customer button, as the main window runs it.
    const auto clicked = std::chrono::steady_clock::now();
    dsCust.setDataSet(&cdsCust);
    TFrmgetdata* dialog = TFrmgetdata::create(nullptr, &connection);
    dialog->LookupSource = &dsCust;
    dialog->LookupTable = "CUSTOMER";
    dialog->LookupDataSet = &cdsCust;
    const auto fetchStart = std::chrono::steady_clock::now();
    dsCust.dataSet()->open();
    const double fetchMs = msSince(fetchStart);

    QTimer::singleShot(0, dialog, [&] {
        QApplication::processEvents();  // the first paint
        const double shownMs = msSince(clicked);
        TwwDBGrid* grid = dialog->DBGrid1;
        std::printf("click to shown (first fetch of %d rows included): %8.1f ms   (target < 2000 ms)\n",
                    cdsCust.recordCount(), shownMs);
        std::printf("  of which the first fetch (driver, provider, client dataset): %.1f ms\n", fetchMs);

        if (!screenshotDir.isEmpty())
            dialog->grab().save(screenshotDir + QStringLiteral("/lookup-dialog.png"));

        const int paints = 200;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < paints; ++i)
            grid->viewport()->repaint();
        const double paintMs = timer.nsecsElapsed() / 1e6 / paints;
        std::printf("page paint (%d rows x %d columns visible):      %8.3f ms   (target < 16 ms)\n",
                    grid->visibleRowCount(), grid->FieldCount(), paintMs);

        const int steps = 2000;
        TDataSet* ds = dsCust.dataSet();
        timer.restart();
        for (int i = 0; i < steps; ++i) {
            ds->next();
            QApplication::processEvents();
        }
        const double stepMs = timer.nsecsElapsed() / 1e6 / steps;
        std::printf("step one record (and repaint):                  %8.3f ms   (target < 5 ms)\n", stepMs);

        if (!screenshotDir.isEmpty()) {
            dialog->ComboBox1->setCurrentIndex(1);
            dialog->RadioGroup1->setItemIndex(2);
            dialog->Edit1->setText(QStringLiteral("商行1234"));
            const auto searchStart = std::chrono::steady_clock::now();
            dialog->SpeedButton1->click();
            std::printf("contains search over %d rows:                  %8.1f ms\n", rows, msSince(searchStart));
            QApplication::processEvents();
            dialog->grab().save(screenshotDir + QStringLiteral("/lookup-search.png"));
        }
        dialog->BTCMDOK->click();
    });
    const bool chosen = dialog->Execute();
    std::printf("chosen: %s, CUST_ID %s\n", chosen ? "yes" : "no",
                chosen ? dsCust.dataSet()->fieldByName("CUST_ID")->asString().c_str() : "-");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
