#include "app/dialogs/CustomPrintReportDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/EditorModels.h"
#include "app/dialogs/ReportScopeWidget.h"
#include "data/store/Library.h"

CCustomPrintReportDlg::CCustomPrintReportDlg(CLibrary& library, const CCustomPrintReportEditor& editor,
    std::vector<CString> otherNames, bool isNew, QWidget* parent)
    : QDialog(parent)
    , m_library(library)
    , m_editor(editor)
    , m_otherNames(std::move(otherNames))
    , m_name(new QLineEdit(Q(editor.GetName()), this))
    , m_scope(new CReportScopeWidget(library, m_editor, this))
    , m_available(new QStringListModel(this))
    , m_availableView(new QListView(this))
    , m_columns(new CReportColumnsModel(m_editor, this))
    , m_columnView(new QListView(this))
{
    setWindowTitle(isNew ? "New Printed Report" : "Printed Report");
    m_availableView->setModel(m_available);
    m_availableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_availableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_columnView->setModel(m_columns);

    auto* nameForm = new QFormLayout;
    nameForm->addRow("&Name:", m_name);

    auto* add = new QPushButton("A&dd >", this);
    auto* remove = new QPushButton("< &Remove", this);
    auto* up = new QPushButton("Move &Up", this);
    auto* down = new QPushButton("Move Do&wn", this);
    auto* defaults = new QPushButton("D&efault Columns", this);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addSpacing(12);
    middle->addWidget(up);
    middle->addWidget(down);
    middle->addSpacing(12);
    middle->addWidget(defaults);
    middle->addStretch();
    auto* columnsBox = new QGroupBox("Columns", this);
    auto* columns = new QGridLayout(columnsBox);
    columns->addWidget(BuddyLabel("A&vailable:", m_availableView, columnsBox), 0, 0);
    columns->addWidget(BuddyLabel("In the report, left to ri&ght:", m_columnView, columnsBox), 0, 2);
    columns->addWidget(m_availableView, 1, 0);
    columns->addLayout(middle, 1, 1);
    columns->addWidget(m_columnView, 1, 2);

    auto* sortBox = new QGroupBox("Sort the rows by", this);
    auto* sort = new QGridLayout(sortBox);
    const char* const labels[] = { "&1.", "&2.", "&3.", "&4." };
    for (int k = 0; k < CCustomPrintReportEditor::SORT_KEY_COUNT; ++k) {
        m_sortProps[k] = new QComboBox(sortBox);
        m_sortProps[k]->setMinimumContentsLength(18);
        m_descending[k] = new QCheckBox("Descending", sortBox);
        m_descending[k]->setAccessibleName(QString("Descending %1").arg(k + 1));
        // Left to right, then down: 1 2 / 3 4.
        sort->addWidget(BuddyLabel(labels[k], m_sortProps[k], sortBox), k / 2, (k % 2) * 3);
        sort->addWidget(m_sortProps[k], k / 2, (k % 2) * 3 + 1);
        sort->addWidget(m_descending[k], k / 2, (k % 2) * 3 + 2);
    }
    sort->setColumnStretch(1, 1);
    sort->setColumnStretch(4, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameForm);
    layout->addWidget(m_scope, 2);
    layout->addWidget(columnsBox, 3);
    layout->addWidget(sortBox);
    layout->addWidget(buttons);
    resize(720, 720);

    // The combos are empty until filled: the keys are set after.
    CCustomPrintReportEditor::CSortKey keys[CCustomPrintReportEditor::SORT_KEY_COUNT];
    for (int k = 0; k < CCustomPrintReportEditor::SORT_KEY_COUNT; ++k)
        keys[k] = m_editor.GetSortKey(k);
    FillProperties();
    for (int k = 0; k < CCustomPrintReportEditor::SORT_KEY_COUNT; ++k)
        SetSortKey(k, Q(keys[k].prop), keys[k].descending);

    connect(add, &QPushButton::clicked, this, &CCustomPrintReportDlg::AddSelectedColumns);
    connect(remove, &QPushButton::clicked, this, &CCustomPrintReportDlg::RemoveSelectedColumn);
    connect(up, &QPushButton::clicked, this, [this] { MoveSelectedColumn(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveSelectedColumn(1); });
    connect(defaults, &QPushButton::clicked, this, &CCustomPrintReportDlg::UseDefaultColumns);
    connect(m_availableView, &QListView::doubleClicked, this, &CCustomPrintReportDlg::AddSelectedColumns);
    connect(m_columnView, &QListView::doubleClicked, this, &CCustomPrintReportDlg::RemoveSelectedColumn);
    connect(m_scope, &CReportScopeWidget::MediaTypesChanged, this, &CCustomPrintReportDlg::FillProperties);
    connect(m_columns, &QAbstractItemModel::rowsInserted, this, &CCustomPrintReportDlg::FillProperties);
    connect(m_columns, &QAbstractItemModel::rowsRemoved, this, &CCustomPrintReportDlg::FillProperties);
    connect(m_columns, &QAbstractItemModel::modelReset, this, &CCustomPrintReportDlg::FillProperties);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCustomPrintReportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_name->setFocus();
}

void CCustomPrintReportDlg::TakeWidgets()
{
    m_editor.SetName(m_name->text().trimmed().toStdString());
    m_scope->Store(m_editor);
    for (int k = 0; k < CCustomPrintReportEditor::SORT_KEY_COUNT; ++k)
        m_editor.SetSortKey(k, m_sortProps[k]->currentData().toString().toStdString(), m_descending[k]->isChecked());
}

const CCustomPrintReportEditor& CCustomPrintReportDlg::GetEditor()
{
    TakeWidgets();
    return m_editor;
}

void CCustomPrintReportDlg::FillProperties()
{
    TakeWidgets();
    const QStringList props = CReportScopeWidget::SortedProps(m_library, m_editor);
    QStringList available;
    for (const QString& prop : props)
        if (std::find(m_editor.GetColumns().begin(), m_editor.GetColumns().end(), prop.toStdString())
            == m_editor.GetColumns().end())
            available << prop;
    m_available->setStringList(available);
    for (QComboBox* combo : m_sortProps)
        CReportScopeWidget::FillPropCombo(combo, props);
}

bool CCustomPrintReportDlg::SetSortKey(int key, const QString& prop, bool descending)
{
    if (key < 0 || key >= CCustomPrintReportEditor::SORT_KEY_COUNT)
        return false;
    CReportScopeWidget::ChooseProp(m_sortProps[key], prop);
    m_descending[key]->setChecked(descending && !prop.isEmpty());
    return true;
}

int CCustomPrintReportDlg::SelectedColumn() const
{
    const QModelIndex current = m_columnView->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CCustomPrintReportDlg::AddSelectedColumns()
{
    QStringList chosen;
    for (const QModelIndex& index : m_availableView->selectionModel()->selectedIndexes())
        chosen << index.data().toString();
    if (chosen.isEmpty() && m_availableView->currentIndex().isValid())
        chosen << m_availableView->currentIndex().data().toString();
    for (const QString& prop : chosen)
        m_columns->AddColumn(prop);
    if (!chosen.isEmpty())
        m_columnView->setCurrentIndex(m_columns->index(m_columns->rowCount() - 1));
}

void CCustomPrintReportDlg::RemoveSelectedColumn()
{
    const int row = SelectedColumn();
    if (row >= 0 && m_columns->RemoveColumn(row) && m_columns->rowCount() > 0)
        m_columnView->setCurrentIndex(m_columns->index(std::min(row, m_columns->rowCount() - 1)));
}

void CCustomPrintReportDlg::MoveSelectedColumn(int step)
{
    const int row = SelectedColumn();
    if (row >= 0 && m_columns->MoveColumn(row, row + step))
        m_columnView->setCurrentIndex(m_columns->index(row + step));
}

void CCustomPrintReportDlg::UseDefaultColumns()
{
    TakeWidgets();
    m_editor.UseDefaultColumns(m_library);
    m_columns->Reload();
}

void CCustomPrintReportDlg::accept()
{
    TakeWidgets();
    const CString problem = m_editor.Check(m_otherNames);
    if (!problem.empty()) {
        CMessageBox::Warn(this, windowTitle(), Q(problem));
        return;
    }
    QDialog::accept();
}
