#pragma once
// Failures of the report engine. A template that does not parse or does not fit the data is
// an ETemplateError whose message names the file and, for XML, the line and the column.

#include "Exception.h"

CUSTPROD_DECLARE_EXCEPTION(ETemplateError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EReportDataError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EReportExportError, Exception);
