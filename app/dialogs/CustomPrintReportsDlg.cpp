#include "app/dialogs/CustomPrintReportsDlg.h"

#include <QListWidget>
#include <QPushButton>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/CustomPrintReportDlg.h"
#include "app/dialogs/ReportGridDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/reports/PrintReportRunner.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomReportList.h"
#include "data/store/Library.h"

CCustomPrintReportsDlg::CCustomPrintReportsDlg(CVemoLibraryDoc* doc, QWidget* parent)
    : CReportManagerDlg(doc, "Custom Print Reports", "&Printed reports of this Library:", parent)
{
    auto* run = new QPushButton("&Run", this);
    auto* add = new QPushButton("&New...", this);
    auto* edit = new QPushButton("&Edit...", this);
    auto* copy = new QPushButton("&Copy", this);
    auto* remove = new QPushButton("&Delete", this);
    run->setDefault(true);
    AddSideButtons({ run, nullptr, add, edit, copy, remove }, { run, edit, copy, remove });
    resize(460, 360);
    connect(run, &QPushButton::clicked, this, &CCustomPrintReportsDlg::RunSelected);
    connect(add, &QPushButton::clicked, this, &CCustomPrintReportsDlg::NewReport);
    connect(edit, &QPushButton::clicked, this, &CCustomPrintReportsDlg::EditSelected);
    connect(copy, &QPushButton::clicked, this, &CCustomPrintReportsDlg::CopySelected);
    connect(remove, &QPushButton::clicked, this, &CCustomPrintReportsDlg::DeleteSelected);
    connect(GetList(), &QListWidget::itemDoubleClicked, this, &CCustomPrintReportsDlg::RunSelected);
    Refresh();
}

int CCustomPrintReportsDlg::GetReportCount(const CLibrary& library) const
{
    return library.GetCustomPrintReportCount();
}

CCustomReport* CCustomPrintReportsDlg::GetReportAt(const CLibrary& library, int index) const
{
    return library.GetCustomPrintReportAt(index);
}

CCustomPrintReport* CCustomPrintReportsDlg::GetSelected() const
{
    return static_cast<CCustomPrintReport*>(GetSelectedReport());
}

CCustomPrintReport* CCustomPrintReportsDlg::NewReport()
{
    CLibrary* library = GetLibrary();
    if (!library)
        return nullptr;
    // A start the user changes: the type's default columns, sorted as its
    // list is.
    CCustomPrintReportEditor editor;
    const int type = StartNew(editor);
    editor.UseDefaultColumns(*library);
    CString primary;
    CString secondary;
    library->GetSortOrder(type, primary, secondary);
    editor.SetSortKey(0, primary, false);
    editor.SetSortKey(1, secondary, false);
    CCustomPrintReportDlg dlg(*library, editor, OtherNames(nullptr), true, this);
    if (dlg.exec() != QDialog::Accepted || !GetLibrary())
        return nullptr;
    return AddReport(dlg.GetEditor());
}

CCustomPrintReport* CCustomPrintReportsDlg::AddReport(const CCustomPrintReportEditor& editor)
{
    CLibrary* library = GetLibrary();
    if (!library)
        return nullptr;
    CCustomPrintReport* report = CCustomReportList::KeepPrintReport(*library, editor);
    NoteChanged(Q(report->GetName()));
    return report;
}

CCustomPrintReport* CCustomPrintReportsDlg::EditSelected()
{
    CLibrary* library = GetLibrary();
    const CCustomPrintReport* report = GetSelected();
    if (!library || !report)
        return nullptr;
    CCustomPrintReportDlg dlg(*library, CCustomPrintReportEditor(*report, *library), OtherNames(report), false, this);
    // The report may be gone when the library closed meanwhile.
    if (dlg.exec() != QDialog::Accepted || GetSelected() != report)
        return nullptr;
    return ChangeReport(*report, dlg.GetEditor());
}

CCustomPrintReport* CCustomPrintReportsDlg::ChangeReport(
    const CCustomPrintReport& report, const CCustomPrintReportEditor& editor)
{
    CLibrary* library = GetLibrary();
    if (!library)
        return nullptr;
    CCustomPrintReport* changed = CCustomReportList::KeepPrintReport(*library, editor, &report);
    NoteChanged(Q(changed->GetName()));
    return changed;
}

CCustomPrintReport* CCustomPrintReportsDlg::CopySelected()
{
    CLibrary* library = GetLibrary();
    const CCustomPrintReport* report = GetSelected();
    if (!library || !report)
        return nullptr;
    CCustomPrintReport* copy = CCustomReportList::CopyPrintReport(*library, *report);
    NoteChanged(Q(copy->GetName()));
    return copy;
}

bool CCustomPrintReportsDlg::DeleteSelected()
{
    const CCustomPrintReport* report = GetSelected();
    return report
        && DeleteSelectedAfter(
            QString("Delete the report \"%1\"?").arg(Q(report->GetName())), [](CLibrary& library, int index) {
                library.DeleteCustomPrintReport(library.GetCustomPrintReportAt(index));
            });
}

CReportGridDlg* CCustomPrintReportsDlg::RunSelected()
{
    CLibrary* library = GetLibrary();
    const CCustomPrintReport* report = GetSelected();
    if (!library || !report)
        return nullptr;
    CReportTable table;
    CString error;
    if (!CPrintReportRunner::Run(*library, *report, table, error)) {
        CMessageBox::Warn(this, windowTitle(), Q(error));
        return nullptr;
    }
    // The grid belongs to the main window, so it stays when the list closes.
    auto* grid = new CReportGridDlg(table, m_doc->GetReportContext(), parentWidget());
    grid->show();
    return grid;
}
