#include "app/dialogs/MediaTypesDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/model/MediaUtils.h"

CMediaTypesDlg::CMediaTypesDlg(const CMediaTypeSelection& selection, QWidget* parent)
    : QDialog(parent)
    , m_original(selection)
    , m_list(new QListWidget(this))
    , m_note(new QLabel(NONE_SELECTED_NOTE, this))
{
    setWindowTitle("Select Media Types");
    CUIntArray ids;
    CMediaUtils::GetAlphaOrderedMediaIDs(ids);
    for (UINT id : ids) {
        int type = static_cast<int>(id);
        auto* item = new QListWidgetItem(QString::fromStdString(CMediaUtils::GetMediaNamePlural(type)), m_list);
        item->setData(Qt::UserRole, type);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(selection.GetShow(type) ? Qt::Checked : Qt::Unchecked);
    }
    m_note->setObjectName("noTypeNote");
    m_note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemChanged, this, &CMediaTypesDlg::UpdateOk);
    auto* label = new QLabel("&Media types shown in this Library:", this);
    label->setBuddy(m_list);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(m_note);
    layout->addWidget(buttons);
    resize(320, 540);
    UpdateOk();
}

void CMediaTypesDlg::UpdateOk()
{
    const bool any = GetSelection().HaveSelection();
    m_ok->setEnabled(any);
    m_ok->setToolTip(any ? QString() : NONE_SELECTED_NOTE);
    m_note->setVisible(!any);
}

void CMediaTypesDlg::accept()
{
    // The main window would have no view to show.
    if (GetSelection().HaveSelection())
        QDialog::accept();
}

CMediaTypeSelection CMediaTypesDlg::GetSelection() const
{
    CMediaTypeSelection selection;
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        selection.SetShow(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
    }
    return selection;
}

bool CMediaTypesDlg::IsChanged() const
{
    CMediaTypeSelection now = GetSelection();
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
        if (now.GetShow(type) != m_original.GetShow(type))
            return true;
    return false;
}

void CMediaTypesDlg::SetShow(int mediaType, bool show)
{
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (item->data(Qt::UserRole).toInt() == mediaType)
            item->setCheckState(show ? Qt::Checked : Qt::Unchecked);
    }
}
