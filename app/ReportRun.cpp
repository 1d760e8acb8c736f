#include "ReportRun.h"

#include "Exception.h"
#include "Tfrmcust_prod.h"

ReportRun::ReportRun(Tfrmcust_prod& form) : form_(form) {}

ReportRun::~ReportRun() = default;

void ReportRun::run()
{
    // The report build is not part of this version of the program yet.
    throw Exception("The report run is not available in this version");
}
