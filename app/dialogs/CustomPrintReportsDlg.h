#pragma once
// The custom printed reports of the loaded library: make a new one, change,
// copy or delete one, and run one into a report grid that can be printed,
// previewed, saved as PDF or exported as CSV.

#include "app/dialogs/ReportManagerDlg.h"
#include "data/reports/CustomReportEditor.h"

class CCustomPrintReport;
class CReportGridDlg;

class CCustomPrintReportsDlg : public CReportManagerDlg {
    Q_OBJECT

public:
    CCustomPrintReportsDlg(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

    // The report selected, null when none.
    CCustomPrintReport* GetSelected() const;

    // The buttons. New and Edit open the editor; each returns the report
    // as it is in the library afterwards (null when nothing was kept).
    CCustomPrintReport* NewReport();
    CCustomPrintReport* EditSelected();
    CCustomPrintReport* CopySelected();
    bool DeleteSelected();
    // Runs the selected report into a new grid window; null when nothing
    // is selected or the run stopped early (its reason was shown).
    CReportGridDlg* RunSelected();

    // Keeps a new report made from editor; returns it.
    CCustomPrintReport* AddReport(const CCustomPrintReportEditor& editor);
    // Replaces report's definition with editor's; returns the report as the
    // library holds it now.
    CCustomPrintReport* ChangeReport(const CCustomPrintReport& report, const CCustomPrintReportEditor& editor);

protected:
    int GetReportCount(const CLibrary& library) const override;
    CCustomReport* GetReportAt(const CLibrary& library, int index) const override;
};
