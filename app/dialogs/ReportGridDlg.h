#pragma once
// A window with one report grid and the buttons to print it, preview the
// print, save it as a PDF file, export its rows as CSV, or close. It holds
// texts only, so it may outlive the library.

#include <QDialog>

#include "app/doc/VemoLibraryDoc.h"
#include "app/reports/ReportTable.h"

class CReportGrid;
class QPrinter;

class CReportGridDlg : public QDialog {
    Q_OBJECT

public:
    CReportGridDlg(const CReportTable& table, const ReportContext& context, QWidget* parent = nullptr);

    CReportGrid* GetGrid() const { return m_grid; }
    // Asks for a printer, then prints.
    void Print();
    void PrintPreview();
    // Ask for a file name, then write the file; a failure is said.
    void SavePdfAs();
    void ExportCsvAs();
    // Prints to printer as set up (a PDF file, say) without asking.
    void PrintTo(QPrinter& printer) const;
    // Write the file whole or leave what was at path untouched; false with
    // a reason otherwise.
    bool SavePdf(const QString& path, QString& error) const;
    bool ExportCsv(const QString& path, QString& error) const;

private:
    QString SuggestedPath(const QString& extension) const;

    CReportGrid* m_grid;
    // The context with fonts of its own: the library's may be gone by the
    // time the window prints.
    ReportContext m_context;
    CFont m_fonts[3];
};
