// The buttons inside the two customer-code fields: each lets the user pick a customer from
// the customer list and puts its code into the field.

#include "ClientDataSet.h"
#include "DataSource.h"
#include "Exception.h"
#include "Field.h"
#include "TFrmgetdata.h"
#include "TbsSkinEdit.h"
#include "TextCodec.h"
#include "Tfrmcust_prod.h"

namespace {

void pickCustomerInto(Tfrmcust_prod& window, TbsSkinEdit* field)
{
    // A search in an earlier dialog may have left DS_CUST on that dialog's own result, which
    // went with the dialog.
    window.DS_CUST->setDataSet(window.CDS_CUST);
    TFrmgetdata* dialog = TFrmgetdata::create(&window, window.SQLConnection1);
    dialog->LookupSource = window.DS_CUST;
    dialog->LookupTable = "CUSTOMER";
    dialog->LookupDataSet = window.CDS_CUST;
    // Fetched on the first click only: an open list is not fetched again, so it stays as it
    // was then for the rest of the program.
    window.DS_CUST->dataSet()->open();
    if (!dialog->Execute())
        return;
    // The row chosen is the current one of whatever the grid showed: the customer list or the
    // dialog's search result. Read it now; the search result goes with the dialog once control
    // is back in the message loop.
    TDataSet* shown = window.DS_CUST->dataSet();
    // A search that failed on the server leaves the grid on its closed result: no row, and no
    // field to read. Its fields are still described, but an empty code read from them would
    // replace the field's text without a word.
    if (!shown || !shown->active())
        throw EDatabaseError(formatMessage(Msg::FieldNotFound, "CUST_ID"));
    field->setText(TextCodec::fromCp950(shown->fieldByName("CUST_ID")->asString()));
}

}

void Tfrmcust_prod::CUST1ButtonClick(QObject* /*Sender*/)
{
    pickCustomerInto(*this, CUST1);
}

void Tfrmcust_prod::CUST2ButtonClick(QObject* /*Sender*/)
{
    pickCustomerInto(*this, CUST2);
}
