#include "app/dialogs/CategoryDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"

namespace {

const char* const kTitle = "Categories";

} // namespace

CCategoryDlg::CCategoryDlg(const std::vector<const CCategory*>& categories, QWidget* parent)
    : QDialog(parent)
    , m_list(new QListWidget(this))
    , m_usage(new QLabel(this))
    , m_selectedName(new QLineEdit(this))
    , m_selectedDescription(new QLineEdit(this))
    , m_change(new QPushButton("C&hange", this))
    , m_delete(new QPushButton("&Delete", this))
    , m_name(new QLineEdit(this))
    , m_newDescription(new QLineEdit(this))
{
    setWindowTitle(kTitle);
    for (const CCategory* category : categories) {
        if (!category)
            continue;
        m_entries.push_back({ Q(category->GetName()), Q(category->GetDescription()), category->GetUniqueID(),
            category->GetDepItems(), category->GetName() == CCategory::GetNoCategory() });
    }
    m_usage->setObjectName("categoryUsage");

    auto* selectedBox = new QGroupBox("Selected category", this);
    auto* selectedForm = new QFormLayout(selectedBox);
    selectedForm->addRow("Na&me:", m_selectedName);
    selectedForm->addRow("Descri&ption:", m_selectedDescription);
    selectedForm->addRow(QString(), m_usage);
    auto* selectedButtons = new QHBoxLayout;
    selectedButtons->addStretch();
    selectedButtons->addWidget(m_change);
    selectedButtons->addWidget(m_delete);
    selectedForm->addRow(selectedButtons);

    auto* add = new QPushButton("&Add", this);
    auto* newBox = new QGroupBox("New category", this);
    auto* form = new QFormLayout(newBox);
    form->addRow("&Name:", m_name);
    form->addRow("D&escription:", m_newDescription);
    auto* addRow = new QHBoxLayout;
    addRow->addStretch();
    addRow->addWidget(add);
    form->addRow(addRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel("&Categories of this Library:", m_list, this));
    layout->addWidget(m_list, 1);
    layout->addWidget(selectedBox);
    layout->addWidget(newBox);
    layout->addWidget(buttons);
    resize(400, 560);

    FillList();
    connect(m_list, &QListWidget::currentRowChanged, this, &CCategoryDlg::ShowSelected);
    connect(add, &QPushButton::clicked, this, &CCategoryDlg::AddFromFields);
    connect(m_change, &QPushButton::clicked, this, &CCategoryDlg::ChangeSelected);
    connect(m_delete, &QPushButton::clicked, this, &CCategoryDlg::DeleteSelected);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CCategoryDlg::~CCategoryDlg() = default;

QString CCategoryDlg::UsageText(int items)
{
    if (items <= 0)
        return "Category is not used.";
    if (items == 1)
        return "Category is used by 1 Library item.";
    return QString("Category is used by %1 Library items.").arg(items);
}

void CCategoryDlg::FillList()
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const CEntry& entry : m_entries)
        m_list->addItem(entry.name);
    m_list->setCurrentRow(m_entries.empty() ? -1 : 0);
    ShowSelected();
}

void CCategoryDlg::ShowSelected()
{
    const int row = m_list->currentRow();
    const bool valid = row >= 0 && row < static_cast<int>(m_entries.size());
    const CEntry* entry = valid ? &m_entries[static_cast<std::size_t>(row)] : nullptr;
    m_selectedName->setText(entry ? entry->name : QString());
    m_selectedDescription->setText(entry ? entry->description : QString());
    m_usage->setText(entry ? UsageText(entry->items) : QString());
    // The none category is what items fall back to: it keeps its name.
    const bool editable = entry && !entry->none;
    m_selectedName->setEnabled(editable);
    m_selectedDescription->setEnabled(editable);
    m_change->setEnabled(editable);
    m_delete->setEnabled(editable);
}

QString CCategoryDlg::CheckName(const QString& name, int row) const
{
    if (name.isEmpty())
        return "A category name cannot be blank.";
    if (name == Q(CCategory::GetNoCategory()))
        return QString("\"%1\" stands for no category and cannot be used as a name.").arg(name);
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (static_cast<int>(i) != row && m_entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return QString("A category named \"%1\" already exists.").arg(m_entries[i].name);
    return QString();
}

bool CCategoryDlg::AddCategory(const QString& name, const QString& description)
{
    const QString trimmed = name.trimmed();
    const QString problem = CheckName(trimmed, -1);
    if (!problem.isEmpty()) {
        CMessageBox::Warn(this, kTitle, problem);
        return false;
    }
    m_entries.push_back({ trimmed, description.trimmed(), 0, 0, false, false });
    FillList();
    m_list->setCurrentRow(static_cast<int>(m_entries.size()) - 1);
    return true;
}

bool CCategoryDlg::ChangeCategory(const QString& name, const QString& newName, const QString& description)
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        CEntry& entry = m_entries[i];
        if (entry.name != name)
            continue;
        if (entry.none)
            return false;
        const QString trimmed = newName.trimmed();
        const QString problem = CheckName(trimmed, static_cast<int>(i));
        if (!problem.isEmpty()) {
            CMessageBox::Warn(this, kTitle, problem);
            return false;
        }
        entry.name = trimmed;
        entry.description = description.trimmed();
        entry.changed = true;
        FillList();
        m_list->setCurrentRow(static_cast<int>(i));
        return true;
    }
    return false;
}

bool CCategoryDlg::DeleteCategory(const QString& name)
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name != name)
            continue;
        if (m_entries[i].none)
            return false;
        if (m_entries[i].id > 0)
            m_deleted.push_back(m_entries[i].id);
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
        FillList();
        return true;
    }
    return false;
}

void CCategoryDlg::AddFromFields()
{
    if (AddCategory(m_name->text(), m_newDescription->text())) {
        m_name->clear();
        m_newDescription->clear();
    }
}

void CCategoryDlg::ChangeSelected()
{
    if (QListWidgetItem* item = m_list->currentItem())
        ChangeCategory(item->text(), m_selectedName->text(), m_selectedDescription->text());
}

void CCategoryDlg::DeleteSelected()
{
    if (QListWidgetItem* item = m_list->currentItem())
        DeleteCategory(item->text());
}

std::vector<std::unique_ptr<CCategory>> CCategoryDlg::TakeAdded()
{
    std::vector<std::unique_ptr<CCategory>> added;
    for (CEntry& entry : m_entries)
        if (entry.id == 0 && !entry.none) {
            added.push_back(std::make_unique<CCategory>(entry.name.toStdString(), entry.description.toStdString()));
            // Taken once: a second call hands out nothing more.
            entry.id = -1;
        }
    return added;
}

std::vector<CCategoryDlg::CChange> CCategoryDlg::GetChanged() const
{
    std::vector<CChange> changed;
    for (const CEntry& entry : m_entries)
        if (entry.id > 0 && entry.changed)
            changed.push_back({ entry.id, entry.name.toStdString(), entry.description.toStdString() });
    return changed;
}
