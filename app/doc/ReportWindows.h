#pragma once
// The windows of the Reports menu: the report grids (inventory summary,
// reserved, checked-out) and the two report managers, of which at most one
// each is open and which close with the library.

#include <QObject>
#include <QPointer>

class CCustomPrintReportsDlg;
class CCustomWebReportsDlg;
class CReportGridDlg;
class CVemoLibraryDoc;
struct CReportTable;

class CReportWindows : public QObject {
    Q_OBJECT

public:
    explicit CReportWindows(CVemoLibraryDoc* doc);

    // Each opens its window (null without a library).
    CReportGridDlg* OpenInventorySummary();
    CReportGridDlg* OpenReserved();
    CReportGridDlg* OpenCheckedOut();
    // An open manager only gets the focus.
    CCustomPrintReportsDlg* OpenCustomPrintReports();
    CCustomWebReportsDlg* OpenCustomWebReports();

    // The open managers, null when closed.
    CCustomPrintReportsDlg* GetCustomPrintReports() const;
    CCustomWebReportsDlg* GetCustomWebReports() const;
    void CloseManagers();

private:
    CReportGridDlg* ShowGrid(const CReportTable& table);

    CVemoLibraryDoc* m_doc;
    QPointer<CCustomPrintReportsDlg> m_printReports;
    QPointer<CCustomWebReportsDlg> m_webReports;
};
