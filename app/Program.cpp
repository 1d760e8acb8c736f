#include "Program.h"

#include "Application.h"
#include "QtTranslation.h"
#include "StartupLookupDialog.h"
#include "TerminationSignals.h"
#include "Tfrmcust_prod.h"

#include <QApplication>
#include <QPointer>
#include <memory>

int runProgram()
{
    // Qt's own buttons and dialogs speak the program's language (確定, 取消, 列印).
    const QtTranslation qtTexts;

    // Before the connection opens, so that a signal during start-up is not lost. Every event
    // loop ends, also that of an open message box; a report run that holds the thread ends
    // first.
    TerminationSignals terminationSignals([] { QCoreApplication::quit(); });

    std::unique_ptr<Tfrmcust_prod> created;
    const int startupResult = TApplication::instance().startup([&] {
        created = std::make_unique<Tfrmcust_prod>();
        createStartupLookupDialog(*created);
    });
    if (startupResult != 0)
        return startupResult;
    // The connection is open: the database client library has put its own handlers in front
    // of ours. Its handler would shut the library down on a thread of its own while the
    // program ends; the program closes its connections itself, so the signal is ours alone.
    terminationSignals.reclaim();

    // Closing the main window ends the program, whatever other windows exist: the window
    // frees itself (and with it the connection and every component), and that ends the loop.
    QPointer<Tfrmcust_prod> frmcust_prod = created.release();
    frmcust_prod->setAttribute(Qt::WA_DeleteOnClose);
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(frmcust_prod, &QObject::destroyed, qApp, &QCoreApplication::quit);
    frmcust_prod->show();
    QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
    delete frmcust_prod.data();  // the loop can also end without the window closing
    return 0;
}
