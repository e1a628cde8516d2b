#pragma once
// The custom web reports of the loaded library: make a new one, change,
// copy or delete one, put the default reports back, and run the selected
// one or all of them with the progress of each run shown. Run All ends with
// one summary; a report whose media types hold no items is skipped with
// that reason rather than failing. Modeless; it works on the document's
// library each time.

#include <QDialog>
#include <QStringList>

#include "data/reports/CustomReportEditor.h"

class CCustomWebReport;
class CVemoLibraryDoc;
class CWebReportRunTally;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

class CCustomWebReportsDlg : public QDialog {
    Q_OBJECT

public:
    CCustomWebReportsDlg(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

    // Lists the library's web reports by name; selects the one named select.
    void Refresh(const QString& select = QString());
    QListWidget* GetList() const { return m_list; }
    CCustomWebReport* GetSelected() const;

    // The buttons. New and Edit open the editor; each returns the report
    // as it is in the library afterwards (null when nothing was kept).
    CCustomWebReport* NewReport();
    CCustomWebReport* EditSelected();
    CCustomWebReport* CopySelected();
    bool DeleteSelected();
    // Asks first; true when the defaults were put back.
    bool RestoreDefaults();
    // Each returns whether every report ran without a problem (a skipped
    // one counts as no problem); afterwards the user may open the home page
    // of one that ran. Run All says one summary.
    bool RunSelected();
    bool RunAll();

    CCustomWebReport* AddReport(const CCustomWebReportEditor& editor);
    CCustomWebReport* ChangeReport(const CCustomWebReport& report, const CCustomWebReportEditor& editor);

    // What the runs reported, oldest first.
    QStringList GetMessages() const;

private:
    // Runs the reports at the indexes into tally; the report whose home
    // page may be offered.
    const CCustomWebReport* RunReports(const QList<int>& indexes, CWebReportRunTally& tally);
    void OnProgress(const QString& name, long long stage, long long value);
    void AddMessage(const QString& text);
    // Opens the report's home page in the browser when asked and it exists.
    void OpenHomePage(const CCustomWebReport& report);
    void UpdateButtons();
    std::vector<CString> OtherNames(const CCustomWebReport* except) const;
    std::vector<CString> OtherHomePages(const CCustomWebReport* except) const;

    CVemoLibraryDoc* m_doc;
    QListWidget* m_list;
    QListWidget* m_messages;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_edit;
    QPushButton* m_copy;
    QPushButton* m_delete;
    QPushButton* m_run;
    QPushButton* m_runAll;
    bool m_running = false;
};
