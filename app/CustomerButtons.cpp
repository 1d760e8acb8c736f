// The buttons inside the two customer-code fields: each lets the user pick a customer from
// the customer list and puts its code into the field.

#include "Exception.h"
#include "Tfrmcust_prod.h"

void Tfrmcust_prod::CUST1ButtonClick(QObject* /*Sender*/)
{
    // The customer lookup is not part of this version of the program yet.
    throw Exception("The customer lookup is not available in this version");
}

void Tfrmcust_prod::CUST2ButtonClick(QObject* /*Sender*/)
{
    throw Exception("The customer lookup is not available in this version");
}
