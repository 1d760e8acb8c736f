#include "StartupLookupDialog.h"

void createStartupLookupDialog(Tfrmcust_prod& /*mainWindow*/)
{
    // The lookup dialog is not part of this version of the program yet; nothing to create.
}
