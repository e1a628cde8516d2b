#pragma once
// Prints a report table with the library's print settings: orientation,
// margins, and the header, content and footer fonts and colours.

#include "app/doc/VemoLibraryDoc.h"
#include "app/reports/ReportTable.h"

class QPrinter;

class CReportPrinter {
public:
    CReportPrinter(const CReportTable& table, const ReportContext& context);

    // Orientation and margins (kept in thousandths of an inch).
    void SetUpPage(QPrinter& printer) const;
    // The report as one document: title (header font), table or its empty
    // text (content font), notes where the table wants them and the
    // signature line (footer font).
    QString ToHtml() const;
    void Print(QPrinter& printer) const;

private:
    const CReportTable& m_table;
    const ReportContext& m_context;
};
