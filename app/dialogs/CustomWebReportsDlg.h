#pragma once
// The custom web reports of the loaded library: run the selected one or all
// of them, with the progress of each run shown, then open the home page in
// the browser. Modeless; it works on the document's library each time.

#include <QDialog>
#include <QStringList>

class CCustomWebReport;
class CVemoLibraryDoc;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

class CCustomWebReportsDlg : public QDialog {
    Q_OBJECT

public:
    CCustomWebReportsDlg(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

    // Lists the library's web reports by name.
    void Refresh();
    // Each returns whether every report ran without a problem; afterwards
    // the user may open the home page of one that ran.
    bool RunSelected();
    bool RunAll();

    QListWidget* GetList() const { return m_list; }
    // What the runs reported, oldest first.
    QStringList GetMessages() const;

private:
    bool RunReports(const QList<int>& indexes);
    bool RunOne(CCustomWebReport& report);
    void OnProgress(const QString& name, long long stage, long long value);
    void AddMessage(const QString& text);
    void OfferHomePage(const CCustomWebReport& report);
    void UpdateButtons();

    CVemoLibraryDoc* m_doc;
    QListWidget* m_list;
    QListWidget* m_messages;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_run;
    QPushButton* m_runAll;
    bool m_running = false;
};
