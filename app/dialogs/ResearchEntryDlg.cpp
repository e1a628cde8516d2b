#include "app/dialogs/ResearchEntryDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "platform/util/CountText.h"

namespace {

const char* const kTitle = "Research Web Sites";

} // namespace

CResearchEntryDlg::CResearchEntryDlg(const std::vector<CResearchEntry*>& entries, int maxEntries, QWidget* parent)
    : QDialog(parent)
    , m_maxEntries(maxEntries)
    , m_list(new QTreeWidget(this))
    , m_name(new QLineEdit(this))
    , m_url(new QLineEdit(this))
    , m_delete(new QPushButton("&Delete", this))
{
    setWindowTitle(kTitle);
    for (CResearchEntry* entry : entries)
        if (entry)
            m_entries.push_back({ entry, nullptr });
    m_list->setHeaderLabels({ "Name", "Web Address" });
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto* add = new QPushButton("&Add", this);
    auto* newBox = new QGroupBox("New research web site", this);
    auto* form = new QFormLayout(newBox);
    form->addRow("&Name:", m_name);
    form->addRow("&Web address:", m_url);
    form->addRow(QString(), add);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(m_delete);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel("&Research web sites of this Library:", m_list, this));
    layout->addWidget(m_list, 1);
    layout->addLayout(listButtons);
    layout->addWidget(newBox);
    layout->addWidget(buttons);
    resize(560, 440);

    FillList();
    connect(m_list, &QTreeWidget::currentItemChanged, this,
        [this] { m_delete->setEnabled(m_list->currentItem() != nullptr); });
    connect(add, &QPushButton::clicked, this, &CResearchEntryDlg::AddFromFields);
    connect(m_delete, &QPushButton::clicked, this, &CResearchEntryDlg::DeleteSelected);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CResearchEntryDlg::~CResearchEntryDlg() = default;

void CResearchEntryDlg::FillList()
{
    m_list->clear();
    for (const CEntry& entry : m_entries)
        new QTreeWidgetItem(m_list, { Q(entry.Get().GetName()), Q(entry.Get().GetURL()) });
    m_list->sortItems(0, Qt::AscendingOrder);
    m_delete->setEnabled(false);
}

bool CResearchEntryDlg::AddEntry(const QString& name, const QString& url)
{
    const QString trimmedName = name.trimmed();
    const QString trimmedUrl = url.trimmed();
    if (GetEntryCount() >= m_maxEntries) {
        CMessageBox::Warn(this, kTitle,
            QString("The Research menu holds at most %1. Please delete one before adding another.")
                .arg(QString::fromStdString(CCountText::Of(m_maxEntries, "web site"))));
        return false;
    }
    if (trimmedName.isEmpty() || trimmedUrl.isEmpty()) {
        CMessageBox::Warn(this, kTitle, "A research web site needs both a name and a web address.");
        return false;
    }
    auto entry = std::make_unique<CResearchEntry>(trimmedName.toStdString(), trimmedUrl.toStdString());
    for (const CEntry& other : m_entries)
        if (other.Get() == *entry) {
            CMessageBox::Warn(this, kTitle,
                QString("A research web site named \"%1\" already exists.").arg(Q(other.Get().GetName())));
            return false;
        }
    m_entries.push_back({ nullptr, std::move(entry) });
    FillList();
    return true;
}

bool CResearchEntryDlg::DeleteEntry(const QString& name)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (Q(it->Get().GetName()) != name)
            continue;
        if (it->existing)
            m_deleted.push_back(it->existing);
        m_entries.erase(it);
        FillList();
        return true;
    }
    return false;
}

void CResearchEntryDlg::AddFromFields()
{
    if (AddEntry(m_name->text(), m_url->text())) {
        m_name->clear();
        m_url->clear();
    }
}

void CResearchEntryDlg::DeleteSelected()
{
    if (QTreeWidgetItem* item = m_list->currentItem())
        DeleteEntry(item->text(0));
}

CArray<CResearchEntry*, CResearchEntry*> CResearchEntryDlg::TakeAdded()
{
    CArray<CResearchEntry*, CResearchEntry*> added;
    for (CEntry& entry : m_entries)
        if (entry.added) {
            // From here on the library's; the list keeps showing it.
            entry.existing = entry.added.release();
            added.Add(entry.existing);
        }
    return added;
}

CArray<CResearchEntry*, CResearchEntry*> CResearchEntryDlg::GetDeleted() const
{
    CArray<CResearchEntry*, CResearchEntry*> deleted;
    for (CResearchEntry* entry : m_deleted)
        deleted.Add(entry);
    return deleted;
}
