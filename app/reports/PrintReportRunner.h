#pragma once
// Runs a custom printed report of the library and turns its items into the
// rows of a report table, one text per column.

#include "app/reports/ReportTable.h"
#include "platform/util/VemoTypes.h"

class CCustomPrintReport;
class CLibrary;

class CPrintReportRunner {
public:
    // False with the run's reason when the report stopped early. The
    // library's report is not changed: a copy of it runs.
    static bool Run(CLibrary& library, const CCustomPrintReport& report, CReportTable& table, CString& error);
};
