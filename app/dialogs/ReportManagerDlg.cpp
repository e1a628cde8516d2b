#include "app/dialogs/ReportManagerDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MessageBox.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomReport.h"
#include "data/reports/CustomReportEditor.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"

CReportManagerDlg::CReportManagerDlg(
    CVemoLibraryDoc* doc, const QString& title, const QString& listLabel, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_list(new QListWidget(this))
    , m_side(new QVBoxLayout)
    , m_extra(new QVBoxLayout)
{
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* list = new QHBoxLayout;
    list->addWidget(m_list, 1);
    list->addLayout(m_side);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel(listLabel, m_list, this));
    layout->addLayout(list, 2);
    layout->addLayout(m_extra, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &CReportManagerDlg::UpdateButtons);
}

void CReportManagerDlg::AddSideButtons(
    std::initializer_list<QPushButton*> buttons, std::vector<QPushButton*> needSelection)
{
    for (QPushButton* button : buttons) {
        if (button)
            m_side->addWidget(button);
        else
            m_side->addSpacing(12);
    }
    m_side->addStretch();
    m_needSelection = std::move(needSelection);
}

void CReportManagerDlg::Refresh(const QString& select)
{
    m_list->clear();
    const CLibrary* library = GetLibrary();
    const int count = library ? GetReportCount(*library) : 0;
    int row = 0;
    for (int i = 0; i < count; ++i)
        if (const CCustomReport* report = GetReportAt(*library, i)) {
            auto* entry = new QListWidgetItem(QString::fromStdString(report->GetName()), m_list);
            entry->setData(Qt::UserRole, i);
            if (entry->text() == select)
                row = m_list->count() - 1;
        }
    if (m_list->count() > 0)
        m_list->setCurrentRow(row);
    UpdateButtons();
}

void CReportManagerDlg::UpdateButtons()
{
    const bool selected = !IsBusy() && m_list->currentItem() != nullptr;
    for (QPushButton* button : m_needSelection)
        button->setEnabled(selected);
}

CLibrary* CReportManagerDlg::GetLibrary() const
{
    return m_doc ? m_doc->GetLibrary() : nullptr;
}

int CReportManagerDlg::GetSelectedIndex() const
{
    const QListWidgetItem* entry = m_list->currentItem();
    return entry && GetLibrary() ? entry->data(Qt::UserRole).toInt() : -1;
}

CCustomReport* CReportManagerDlg::GetSelectedReport() const
{
    const int index = GetSelectedIndex();
    return index >= 0 ? GetReportAt(*GetLibrary(), index) : nullptr;
}

std::vector<CString> CReportManagerDlg::OtherNames(const CCustomReport* except) const
{
    std::vector<CString> names;
    const CLibrary* library = GetLibrary();
    for (int i = 0; library && i < GetReportCount(*library); ++i)
        if (const CCustomReport* report = GetReportAt(*library, i); report && report != except)
            names.push_back(report->GetName());
    return names;
}

int CReportManagerDlg::StartNew(CCustomReportEditor& editor) const
{
    int type = CMediaUtils::MEDIA_BOOK;
    const CLibrary* library = GetLibrary();
    if (!library)
        return type;
    if (const CMediaTypeSelection* shown = library->GetMediaTypes())
        for (int t = CMediaUtils::MEDIA_TYPE_IDLAST; t >= CMediaUtils::MEDIA_TYPE_IDFIRST; --t)
            if (shown->GetShow(t))
                type = t;
    editor.GetMediaTypes().SetShow(type, true);
    editor.SelectAllCategories(*library);
    return type;
}

void CReportManagerDlg::NoteChanged(const QString& select)
{
    m_doc->MarkModified();
    Refresh(select);
}

bool CReportManagerDlg::DeleteSelectedAfter(const QString& question, const std::function<void(CLibrary&, int)>& remove)
{
    CLibrary* library = GetLibrary();
    const int index = GetSelectedIndex();
    if (!library || index < 0 || IsBusy() || !CMessageBox::Confirm(this, windowTitle(), question))
        return false;
    const int row = m_list->currentRow();
    remove(*library, index);
    NoteChanged(QString());
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::min(row, m_list->count() - 1));
    return true;
}
