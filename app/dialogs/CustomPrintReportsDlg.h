#pragma once
// The custom printed reports of the loaded library: pick one and run it
// into a report grid that can be printed. Modeless; it works on the
// document's library each time, so it never holds a pointer into it.

#include <QDialog>

class CReportGridDlg;
class CVemoLibraryDoc;
class QListWidget;
class QPushButton;

class CCustomPrintReportsDlg : public QDialog {
    Q_OBJECT

public:
    CCustomPrintReportsDlg(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

    // Lists the library's reports by name.
    void Refresh();
    // Runs the selected report into a new grid window; null when nothing
    // is selected or the run stopped early (its reason was shown).
    CReportGridDlg* RunSelected();
    QListWidget* GetList() const { return m_list; }

private:
    void UpdateButtons();

    CVemoLibraryDoc* m_doc;
    QListWidget* m_list;
    QPushButton* m_run;
};
