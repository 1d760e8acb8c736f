#include "StartupLookupDialog.h"

#include "TFrmgetdata.h"
#include "Tfrmcust_prod.h"

void createStartupLookupDialog(Tfrmcust_prod& mainWindow)
{
    // Hidden and never shown; a child of the main window, so it goes with it.
    TFrmgetdata::create(&mainWindow, mainWindow.SQLConnection1);
}
