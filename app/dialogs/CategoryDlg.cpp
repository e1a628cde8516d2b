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

namespace {

const char* const kTitle = "Categories";

QString Q(const CString& text)
{
    return QString::fromStdString(text);
}

} // namespace

CCategoryDlg::CCategoryDlg(const std::vector<const CCategory*>& categories, QWidget* parent)
    : QDialog(parent)
    , m_list(new QListWidget(this))
    , m_description(new QLabel(this))
    , m_usage(new QLabel(this))
    , m_name(new QLineEdit(this))
    , m_newDescription(new QLineEdit(this))
    , m_delete(new QPushButton("&Delete", this))
{
    setWindowTitle(kTitle);
    for (const CCategory* category : categories) {
        if (!category)
            continue;
        m_entries.push_back({ Q(category->GetName()), Q(category->GetDescription()), category->GetUniqueID(),
            category->GetDepItems(), category->GetName() == CCategory::GetNoCategory() });
    }
    m_description->setWordWrap(true);

    auto* add = new QPushButton("&Add", this);
    auto* newBox = new QGroupBox("New category", this);
    auto* form = new QFormLayout(newBox);
    form->addRow("&Name:", m_name);
    form->addRow("D&escription:", m_newDescription);
    form->addRow(QString(), add);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(m_delete);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("&Categories of this Library:", this));
    layout->addWidget(m_list, 1);
    layout->addWidget(m_description);
    layout->addWidget(m_usage);
    layout->addLayout(listButtons);
    layout->addWidget(newBox);
    layout->addWidget(buttons);
    resize(380, 480);

    FillList();
    connect(m_list, &QListWidget::currentRowChanged, this, &CCategoryDlg::ShowSelected);
    connect(add, &QPushButton::clicked, this, &CCategoryDlg::AddFromFields);
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
    if (row < 0 || row >= static_cast<int>(m_entries.size())) {
        m_description->clear();
        m_usage->clear();
        m_delete->setEnabled(false);
        return;
    }
    const CEntry& entry = m_entries[static_cast<std::size_t>(row)];
    m_description->setText(entry.description);
    m_usage->setText(UsageText(entry.items));
    m_delete->setEnabled(!entry.none);
}

bool CCategoryDlg::AddCategory(const QString& name, const QString& description)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        CMessageBox::Warn(this, kTitle, "A category name cannot be blank.");
        return false;
    }
    if (trimmed == Q(CCategory::GetNoCategory())) {
        CMessageBox::Warn(this, kTitle, QString("\"%1\" stands for no category and cannot be added.").arg(trimmed));
        return false;
    }
    for (const CEntry& entry : m_entries)
        if (entry.name.compare(trimmed, Qt::CaseInsensitive) == 0) {
            CMessageBox::Warn(this, kTitle, QString("A category named \"%1\" already exists.").arg(entry.name));
            return false;
        }
    m_entries.push_back({ trimmed, description, 0, 0, false });
    FillList();
    m_list->setCurrentRow(static_cast<int>(m_entries.size()) - 1);
    return true;
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
