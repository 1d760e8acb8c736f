// cust_prod: the customer-range product-quantity report. The program reads no command line
// and no environment: everything comes from its form data and the files beside it.

#include "Program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return runProgram();
}
