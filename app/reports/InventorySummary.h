#pragma once
// The inventory summary of a library: per media type the number of items,
// how many are reserved and checked out, and their total value, then the
// totals.

#include "app/reports/ReportTable.h"

class CLibrary;

class CInventorySummary {
public:
    // One row per shown media type in id order; a hidden type that still
    // holds items gets its row too, so the totals cover the whole library.
    static CReportTable Build(const CLibrary& library);
};
