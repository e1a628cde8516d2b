#include "app/dialogs/CustomFieldsDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/CustomFieldDlg.h"
#include "app/dialogs/EditorModels.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"

namespace {

const char* const kTitle = "Custom Fields";

} // namespace

CCustomFieldsDlg::CCustomFieldsDlg(const CLibrary& library, int mediaType, QWidget* parent)
    : QDialog(parent)
    , m_mediaType(mediaType)
    , m_editor(library.GetCustomFieldMgr(mediaType))
    , m_model(new CCustomFieldsModel(m_editor, this))
    , m_view(new QTableView(this))
    , m_folder(new QLineEdit(Q(library.GetPathCustomFieldDefault()), this))
    , m_edit(new QPushButton("&Edit...", this))
    , m_delete(new QPushButton("&Delete", this))
    , m_up(new QPushButton("Move &Up", this))
    , m_down(new QPushButton("Move Do&wn", this))
{
    setWindowTitle(QString("%1 of %2").arg(kTitle, Q(CMediaUtils::GetMediaNamePlural(mediaType))));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setSectionResizeMode(CCustomFieldsModel::NameColumn, QHeaderView::Interactive);
    m_view->setColumnWidth(CCustomFieldsModel::NameColumn, 170);
    m_view->setColumnWidth(CCustomFieldsModel::TypeColumn, 120);

    auto* add = new QPushButton("&Add...", this);
    auto* side = new QVBoxLayout;
    for (QPushButton* button : { add, m_edit, m_delete, m_up, m_down })
        side->addWidget(button);
    side->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(m_view, 1);
    list->addLayout(side);

    auto* browse = new QPushButton("B&rowse...", this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel("&Fields, in the order the forms and reports show them:", m_view, this));
    layout->addLayout(list, 1);
    layout->addWidget(BuddyLabel("Default &folder for local file fields:", m_folder, this));
    layout->addLayout(folderRow);
    layout->addWidget(buttons);
    resize(620, 420);

    connect(add, &QPushButton::clicked, this, &CCustomFieldsDlg::AddField);
    connect(m_edit, &QPushButton::clicked, this, &CCustomFieldsDlg::EditSelected);
    connect(m_delete, &QPushButton::clicked, this, &CCustomFieldsDlg::DeleteSelected);
    connect(m_up, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(m_view, &QTableView::doubleClicked, this, &CCustomFieldsDlg::EditSelected);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CCustomFieldsDlg::UpdateButtons);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, &CCustomFieldsDlg::UpdateButtons);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, "Default Folder", m_folder->text());
        if (!folder.isEmpty())
            SetDefaultFolder(folder);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SelectRow(m_model->rowCount() > 0 ? 0 : -1);
    UpdateButtons();
}

CString CCustomFieldsDlg::GetDefaultFolder() const
{
    return m_folder->text().trimmed().toStdString();
}

void CCustomFieldsDlg::SetDefaultFolder(const QString& folder)
{
    m_folder->setText(folder);
}

int CCustomFieldsDlg::SelectedRow() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CCustomFieldsDlg::SelectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->clearSelection();
        return;
    }
    m_view->selectRow(row);
    m_view->setCurrentIndex(m_model->index(row, 0));
}

void CCustomFieldsDlg::UpdateButtons()
{
    const int row = SelectedRow();
    m_edit->setEnabled(row >= 0);
    m_delete->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_model->rowCount());
}

QString CCustomFieldsDlg::Check(const CCustomField& field, int row) const
{
    return Q(m_editor.CheckField(field, row));
}

void CCustomFieldsDlg::AddField()
{
    CCustomField blank;
    CCustomFieldDlg dlg(
        blank, true, m_folder->text(), [this](const CCustomField& field) { return Check(field, -1); }, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!m_model->AddField(dlg.GetField(), error)) {
        CMessageBox::Warn(this, kTitle, error);
        return;
    }
    SelectRow(m_model->rowCount() - 1);
}

void CCustomFieldsDlg::EditSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const CCustomField before = m_editor.GetAt(row);
    CCustomFieldDlg dlg(
        before, false, m_folder->text(), [this, row](const CCustomField& field) { return Check(field, row); }, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const CCustomField after = dlg.GetField();
    if (m_editor.IsStored(row) && after.GetDataType() != before.GetDataType()
        && !CMessageBox::Confirm(this, kTitle,
            QString("The values items hold in \"%1\" are converted to the new data type; a value that does not "
                    "fit it is lost. Continue?")
                .arg(Q(before.GetName())))) {
        return;
    }
    QString error;
    if (!m_model->ReplaceField(row, after, error))
        CMessageBox::Warn(this, kTitle, error);
}

void CCustomFieldsDlg::DeleteSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const QString name = Q(m_editor.GetAt(row).GetName());
    if (m_editor.IsStored(row)
        && !CMessageBox::Confirm(this, kTitle,
            QString("Delete the custom field \"%1\"? Its values are deleted with it from every item of this media "
                    "type.")
                .arg(name)))
        return;
    m_model->DeleteField(row);
    SelectRow(std::min(row, m_model->rowCount() - 1));
    UpdateButtons();
}

void CCustomFieldsDlg::MoveSelected(int step)
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (step < 0 ? m_model->MoveUp(row) : m_model->MoveDown(row))
        SelectRow(row + step);
}

bool CCustomFieldsDlg::Apply(CLibrary& library) const
{
    return m_editor.Apply(library, m_mediaType);
}
