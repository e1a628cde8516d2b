#pragma once
// The custom printed reports of the loaded library: make a new one, change,
// copy or delete one, and run one into a report grid that can be printed,
// previewed, saved as PDF or exported as CSV. Modeless; it works on the
// document's library each time, so it never holds a pointer into it.

#include <QDialog>

#include "data/reports/CustomReportEditor.h"

class CCustomPrintReport;
class CReportGridDlg;
class CVemoLibraryDoc;
class QListWidget;
class QPushButton;

class CCustomPrintReportsDlg : public QDialog {
    Q_OBJECT

public:
    CCustomPrintReportsDlg(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

    // Lists the library's reports by name; selects the one named select.
    void Refresh(const QString& select = QString());
    QListWidget* GetList() const { return m_list; }
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

private:
    void UpdateButtons();
    std::vector<CString> OtherNames(const CCustomPrintReport* except) const;

    CVemoLibraryDoc* m_doc;
    QListWidget* m_list;
    QPushButton* m_edit;
    QPushButton* m_copy;
    QPushButton* m_delete;
    QPushButton* m_run;
};
