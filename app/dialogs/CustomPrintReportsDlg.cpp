#include "app/dialogs/CustomPrintReportsDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/CustomPrintReportDlg.h"
#include "app/dialogs/ReportGridDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/reports/PrintReportRunner.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomReportList.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/StringUtils.h"

namespace {

const char* const kTitle = "Custom Print Reports";

QString Q(const CString& text)
{
    return QString::fromStdString(text);
}

} // namespace

CCustomPrintReportsDlg::CCustomPrintReportsDlg(CVemoLibraryDoc* doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_list(new QListWidget(this))
    , m_edit(new QPushButton("&Edit...", this))
    , m_copy(new QPushButton("&Copy", this))
    , m_delete(new QPushButton("&Delete", this))
    , m_run(new QPushButton("&Run", this))
{
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* add = new QPushButton("&New...", this);
    m_run->setDefault(true);
    auto* side = new QVBoxLayout;
    for (QPushButton* button : { m_run, add, m_edit, m_copy, m_delete })
        side->addWidget(button);
    side->insertSpacing(1, 12);
    side->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(m_list, 1);
    list->addLayout(side);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel("&Printed reports of this Library:", m_list, this));
    layout->addLayout(list, 1);
    layout->addWidget(buttons);
    resize(460, 360);

    connect(add, &QPushButton::clicked, this, &CCustomPrintReportsDlg::NewReport);
    connect(m_edit, &QPushButton::clicked, this, &CCustomPrintReportsDlg::EditSelected);
    connect(m_copy, &QPushButton::clicked, this, &CCustomPrintReportsDlg::CopySelected);
    connect(m_delete, &QPushButton::clicked, this, &CCustomPrintReportsDlg::DeleteSelected);
    connect(m_run, &QPushButton::clicked, this, &CCustomPrintReportsDlg::RunSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &CCustomPrintReportsDlg::UpdateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CCustomPrintReportsDlg::RunSelected);
    Refresh();
}

void CCustomPrintReportsDlg::Refresh(const QString& select)
{
    m_list->clear();
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const int count = library ? library->GetCustomPrintReportCount() : 0;
    int row = 0;
    for (int i = 0; i < count; ++i)
        if (const CCustomPrintReport* report = library->GetCustomPrintReportAt(i)) {
            auto* entry = new QListWidgetItem(Q(report->GetName()), m_list);
            entry->setData(Qt::UserRole, i);
            if (entry->text() == select)
                row = m_list->count() - 1;
        }
    if (m_list->count() > 0)
        m_list->setCurrentRow(row);
    UpdateButtons();
}

void CCustomPrintReportsDlg::UpdateButtons()
{
    const bool selected = m_list->currentItem() != nullptr;
    for (QPushButton* button : { m_edit, m_copy, m_delete, m_run })
        button->setEnabled(selected);
}

CCustomPrintReport* CCustomPrintReportsDlg::GetSelected() const
{
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const QListWidgetItem* entry = m_list->currentItem();
    return library && entry ? library->GetCustomPrintReportAt(entry->data(Qt::UserRole).toInt()) : nullptr;
}

std::vector<CString> CCustomPrintReportsDlg::OtherNames(const CCustomPrintReport* except) const
{
    std::vector<CString> names;
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    for (int i = 0; library && i < library->GetCustomPrintReportCount(); ++i)
        if (const CCustomPrintReport* report = library->GetCustomPrintReportAt(i); report && report != except)
            names.push_back(report->GetName());
    return names;
}

CCustomPrintReport* CCustomPrintReportsDlg::NewReport()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return nullptr;
    // A start the user changes: the first media type the library shows,
    // every category, that type's default columns.
    CCustomPrintReportEditor editor;
    int type = CMediaUtils::MEDIA_BOOK;
    if (const CMediaTypeSelection* shown = library->GetMediaTypes())
        for (int t = CMediaUtils::MEDIA_TYPE_IDLAST; t >= CMediaUtils::MEDIA_TYPE_IDFIRST; --t)
            if (shown->GetShow(t))
                type = t;
    editor.GetMediaTypes().SetShow(type, true);
    editor.SelectAllCategories(*library);
    editor.UseDefaultColumns(*library);
    CCustomPrintReportDlg dlg(*library, editor, OtherNames(nullptr), true, this);
    if (dlg.exec() != QDialog::Accepted || !m_doc->GetLibrary())
        return nullptr;
    return AddReport(dlg.GetEditor());
}

CCustomPrintReport* CCustomPrintReportsDlg::AddReport(const CCustomPrintReportEditor& editor)
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return nullptr;
    auto* report = new CCustomPrintReport();
    editor.Store(*report, *library);
    library->AddCustomPrintReport(report);
    m_doc->MarkModified();
    Refresh(Q(report->GetName()));
    return report;
}

CCustomPrintReport* CCustomPrintReportsDlg::EditSelected()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
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
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return nullptr;
    // Added anew, so that the list stays sorted by name.
    auto* changed = new CCustomPrintReport();
    CCustomReportList::CopyPrintDefinition(report, *changed);
    editor.Store(*changed, *library);
    library->AddCustomPrintReport(changed);
    library->DeleteCustomPrintReport(const_cast<CCustomPrintReport*>(&report));
    m_doc->MarkModified();
    Refresh(Q(changed->GetName()));
    return changed;
}

CCustomPrintReport* CCustomPrintReportsDlg::CopySelected()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const CCustomPrintReport* report = GetSelected();
    if (!library || !report)
        return nullptr;
    CCustomPrintReport* copy = CCustomReportList::CopyPrintReport(*library, *report);
    m_doc->MarkModified();
    Refresh(Q(copy->GetName()));
    return copy;
}

bool CCustomPrintReportsDlg::DeleteSelected()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    CCustomPrintReport* report = GetSelected();
    if (!library || !report
        || !CMessageBox::Confirm(this, kTitle, QString("Delete the report \"%1\"?").arg(Q(report->GetName()))))
        return false;
    const int row = m_list->currentRow();
    library->DeleteCustomPrintReport(report);
    m_doc->MarkModified();
    Refresh();
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::min(row, m_list->count() - 1));
    return true;
}

CReportGridDlg* CCustomPrintReportsDlg::RunSelected()
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const CCustomPrintReport* report = GetSelected();
    if (!library || !report)
        return nullptr;
    CReportTable table;
    CString error;
    if (!CPrintReportRunner::Run(*library, *report, table, error)) {
        CMessageBox::Warn(this, kTitle, Q(error));
        return nullptr;
    }
    // The grid belongs to the main window, so it stays when the list closes.
    auto* grid = new CReportGridDlg(table, m_doc->GetReportContext(), parentWidget());
    grid->show();
    return grid;
}
