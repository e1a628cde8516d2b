#include "app/doc/ReportWindows.h"

#include "app/dialogs/CustomPrintReportsDlg.h"
#include "app/dialogs/CustomWebReportsDlg.h"
#include "app/dialogs/ReportGridDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/reports/InventorySummary.h"
#include "app/reports/LendingReport.h"

namespace {

template <class T> void Raise(T* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

template <class T> void Close(QPointer<T>& window)
{
    if (!window)
        return;
    window->close();
    // Gone from here on, even before the deferred delete runs.
    window->deleteLater();
    window.clear();
}

} // namespace

CReportWindows::CReportWindows(CVemoLibraryDoc* doc)
    : QObject(doc)
    , m_doc(doc)
{
}

CReportGridDlg* CReportWindows::ShowGrid(const CReportTable& table)
{
    auto* grid = new CReportGridDlg(table, m_doc->GetReportContext(), m_doc->GetDialogParent());
    Raise(grid);
    return grid;
}

CReportGridDlg* CReportWindows::OpenInventorySummary()
{
    const CLibrary* library = m_doc->GetLibrary();
    return library ? ShowGrid(CInventorySummary::Build(*library)) : nullptr;
}

CReportGridDlg* CReportWindows::OpenReserved()
{
    const CLibrary* library = m_doc->GetLibrary();
    return library ? ShowGrid(CLendingReport::Reserved(*library)) : nullptr;
}

CReportGridDlg* CReportWindows::OpenCheckedOut()
{
    const CLibrary* library = m_doc->GetLibrary();
    return library ? ShowGrid(CLendingReport::CheckedOut(*library)) : nullptr;
}

CCustomPrintReportsDlg* CReportWindows::OpenCustomPrintReports()
{
    if (!m_doc->GetLibrary())
        return nullptr;
    if (!m_printReports)
        m_printReports = new CCustomPrintReportsDlg(m_doc, m_doc->GetDialogParent());
    Raise(m_printReports.data());
    return m_printReports;
}

CCustomWebReportsDlg* CReportWindows::OpenCustomWebReports()
{
    if (!m_doc->GetLibrary())
        return nullptr;
    if (!m_webReports)
        m_webReports = new CCustomWebReportsDlg(m_doc, m_doc->GetDialogParent());
    Raise(m_webReports.data());
    return m_webReports;
}

CCustomPrintReportsDlg* CReportWindows::GetCustomPrintReports() const
{
    return m_printReports;
}

CCustomWebReportsDlg* CReportWindows::GetCustomWebReports() const
{
    return m_webReports;
}

void CReportWindows::CloseManagers()
{
    Close(m_printReports);
    Close(m_webReports);
}
