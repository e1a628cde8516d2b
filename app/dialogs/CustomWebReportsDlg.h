#pragma once
// The custom web reports of the loaded library: make a new one, change,
// copy or delete one, put the default reports back, and run the selected
// one or all of them with the progress of each run shown. Run All ends with
// one summary; a report whose media types hold no items is skipped with
// that reason rather than failing.

#include <QStringList>

#include "app/dialogs/ReportManagerDlg.h"
#include "data/reports/CustomReportEditor.h"

class CCustomWebReport;
class CWebReportRunTally;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

class CCustomWebReportsDlg : public CReportManagerDlg {
    Q_OBJECT

public:
    CCustomWebReportsDlg(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

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

protected:
    int GetReportCount(const CLibrary& library) const override;
    CCustomReport* GetReportAt(const CLibrary& library, int index) const override;
    bool IsBusy() const override { return m_running; }
    void UpdateButtons() override;

private:
    // Runs the reports at the indexes into tally; the report whose home
    // page may be offered.
    const CCustomWebReport* RunReports(const QList<int>& indexes, CWebReportRunTally& tally);
    void OnProgress(const QString& name, long long stage, long long value);
    void AddMessage(const QString& text);
    // Opens the report's home page in the browser when asked and it exists.
    void OpenHomePage(const CCustomWebReport& report);
    std::vector<CString> OtherHomePages(const CCustomWebReport* except) const;

    QListWidget* m_messages;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_runAll;
    bool m_running = false;
};
