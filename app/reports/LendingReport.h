#pragma once
// The reserved and the checked-out items of a library as report tables, in
// the library's order (by person).

#include "app/reports/ReportTable.h"

class CLibrary;

class CLendingReport {
public:
    // "Reserved Report": who reserved what, when, and the item's state; the
    // check-out settings' notes go under the title, the signature line under
    // the rows.
    static CReportTable Reserved(const CLibrary& library);
    // "Checked-out Report for " + library name: who has what since when,
    // and when it is due.
    static CReportTable CheckedOut(const CLibrary& library);
};
