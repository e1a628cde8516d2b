#include "app/dialogs/LibrarySearchDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/ItemLists.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/StringUtils.h"

CLibrarySearchDlg::CLibrarySearchDlg(CVemoLibraryDoc* doc, const CStringArray& searchStrings, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_text(new QComboBox(this))
    , m_mediaTypes(new QListWidget(this))
    , m_properties(new QListWidget(this))
    , m_subItems(new QCheckBox("Include &tracks, chapters, articles and recordings", this))
    , m_resultList(new QTreeWidget(this))
{
    setWindowTitle("Search");
    for (const CString& text : searchStrings)
        if (m_searchStrings.GetSize() < MAX_SEARCH_STRINGS && !text.empty())
            m_searchStrings.Add(text);
    m_text->setEditable(true);
    m_text->setInsertPolicy(QComboBox::NoInsert);
    for (const CString& text : m_searchStrings)
        m_text->addItem(Q(text));
    m_text->setCurrentText(QString());

    const CMediaTypeSelection* shown = doc ? doc->GetMediaTypes() : nullptr;
    const bool anyShown = shown && shown->HaveSelection();
    CUIntArray ids;
    CMediaUtils::GetAlphaOrderedMediaIDs(ids);
    for (UINT id : ids) {
        const int type = static_cast<int>(id);
        auto* item = new QListWidgetItem(Q(CMediaUtils::GetMediaNamePlural(type)), m_mediaTypes);
        item->setData(Qt::UserRole, type);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(!anyShown || shown->GetShow(type) ? Qt::Checked : Qt::Unchecked);
    }
    m_subItems->setChecked(true);
    FillProperties();

    m_resultList->setHeaderLabels({ "Media Type", "Item" });
    m_resultList->setRootIsDecorated(false);
    m_resultList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto* search = new QPushButton("&Search", this);
    search->setDefault(true);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* grid = new QGridLayout;
    grid->addWidget(BuddyLabel("Search &for:", m_text, this), 0, 0);
    grid->addWidget(m_text, 0, 1);
    grid->addWidget(search, 0, 2);
    grid->addWidget(BuddyLabel("In these &media types:", m_mediaTypes, this), 1, 0);
    grid->addWidget(BuddyLabel("Only in these &properties (none checked: all):", m_properties, this), 1, 1);
    grid->addWidget(m_mediaTypes, 2, 0);
    grid->addWidget(m_properties, 2, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_subItems);
    layout->addWidget(BuddyLabel("&Items found (double-click to show one):", m_resultList, this));
    layout->addWidget(m_resultList, 1);
    layout->addWidget(close);
    resize(640, 600);

    connect(search, &QPushButton::clicked, this, &CLibrarySearchDlg::Search);
    connect(m_text->lineEdit(), &QLineEdit::returnPressed, this, &CLibrarySearchDlg::Search);
    connect(m_mediaTypes, &QListWidget::itemChanged, this, &CLibrarySearchDlg::FillProperties);
    connect(m_resultList, &QTreeWidget::itemDoubleClicked, this,
        [this](QTreeWidgetItem* item) { ShowResult(m_resultList->indexOfTopLevelItem(item)); });
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CStringArray CLibrarySearchDlg::GetSearchStrings() const
{
    return m_searchStrings;
}

void CLibrarySearchDlg::SetSearchText(const QString& text)
{
    m_text->setCurrentText(text);
}

void CLibrarySearchDlg::SetMediaTypeChecked(int mediaType, bool checked)
{
    for (int row = 0; row < m_mediaTypes->count(); ++row) {
        QListWidgetItem* item = m_mediaTypes->item(row);
        if (item->data(Qt::UserRole).toInt() == mediaType)
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

bool CLibrarySearchDlg::IsMediaTypeChecked(int mediaType) const
{
    for (int row = 0; row < m_mediaTypes->count(); ++row) {
        QListWidgetItem* item = m_mediaTypes->item(row);
        if (item->data(Qt::UserRole).toInt() == mediaType)
            return item->checkState() == Qt::Checked;
    }
    return false;
}

bool CLibrarySearchDlg::SetPropertyChecked(const QString& prop, bool checked)
{
    const QList<QListWidgetItem*> found = m_properties->findItems(prop, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    found.first()->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

void CLibrarySearchDlg::SetIncludeSubItems(bool include)
{
    m_subItems->setChecked(include);
}

// The properties of the checked types, keeping the checks already made.
void CLibrarySearchDlg::FillProperties()
{
    QSet<QString> checked;
    for (int row = 0; row < m_properties->count(); ++row)
        if (m_properties->item(row)->checkState() == Qt::Checked)
            checked.insert(m_properties->item(row)->text());
    m_properties->clear();
    CMediaTypeSelection selection;
    for (int row = 0; row < m_mediaTypes->count(); ++row) {
        QListWidgetItem* item = m_mediaTypes->item(row);
        selection.SetShow(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
    }
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return;
    CStringList props;
    library->GetMediaTypeDataProps(selection, props);
    QStringList names;
    for (const CString& prop : props)
        names << Q(prop);
    names.sort(Qt::CaseInsensitive);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, m_properties);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(checked.contains(name) ? Qt::Checked : Qt::Unchecked);
    }
}

void CLibrarySearchDlg::RememberText(const CString& text)
{
    for (int i = 0; i < m_searchStrings.GetSize(); ++i)
        if (m_searchStrings.GetAt(i) == text) {
            m_searchStrings.RemoveAt(i);
            break;
        }
    m_searchStrings.InsertAt(0, text);
    while (m_searchStrings.GetSize() > MAX_SEARCH_STRINGS)
        m_searchStrings.RemoveAt(m_searchStrings.GetSize() - 1);
    const QSignalBlocker block(m_text);
    m_text->clear();
    for (const CString& entry : m_searchStrings)
        m_text->addItem(Q(entry));
    m_text->setCurrentIndex(0);
}

int CLibrarySearchDlg::Search()
{
    ClearResults();
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const CString text = CStringUtils::Trim(m_text->currentText().toStdString());
    if (!library || text.empty())
        return 0;
    RememberText(text);

    CTextSearchOptions options;
    options.text = text;
    options.includeSubItems = m_subItems->isChecked();
    for (int row = 0; row < m_properties->count(); ++row)
        if (m_properties->item(row)->checkState() == Qt::Checked)
            options.properties.AddTail(m_properties->item(row)->text().toStdString());
    CMediaTypeSelection selection;
    for (int row = 0; row < m_mediaTypes->count(); ++row) {
        QListWidgetItem* item = m_mediaTypes->item(row);
        selection.SetShow(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
    }
    CItemList found;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    library->DoTextSearch(options, selection, found);
    QApplication::restoreOverrideCursor();
    for (CItem* item : found) {
        m_results.push_back(item);
        auto* row = new QTreeWidgetItem(m_resultList);
        row->setText(0, Q(CMediaUtils::GetMediaNameSingular(CMediaUtils::GetItemMediaID(item))));
        row->setText(1, Q(DescribeItem(item)));
    }
    return GetResultCount();
}

// A medium as its type's list shows it; a sub-item after its medium.
CString CLibrarySearchDlg::DescribeItem(const CItem* item) const
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const auto* sub = dynamic_cast<const CMediaSubItem*>(item);
    const CMediaItem* medium = sub ? sub->GetParent() : dynamic_cast<const CMediaItem*>(item);
    if (!library || !medium)
        return CString();
    CString primary;
    CString secondary;
    const int type = CMediaUtils::GetItemMediaID(medium);
    library->GetSortOrder(type, primary, secondary);
    CString text = medium->GetUniqueDescription(false, primary);
    if (!sub || !CMediaRegistry::Find(type))
        return text;
    CMapStringToString data;
    const CStringArray& own = CMediaRegistry::GetSubItemOwnProps(type);
    for (const CString& prop : own)
        data.SetAt(prop, CString());
    sub->GetData(data);
    // A title tells a sub-item apart best; numbers come first in the list.
    CString first;
    for (const CString& prop : own) {
        CString value;
        if (!data.Lookup(prop, value) || CStringUtils::IsEffectivelyEmpty(value))
            continue;
        if (CStringUtils::FindNoCase(prop, "Title") >= 0)
            return text + " - " + value;
        if (first.empty())
            first = value;
    }
    return first.empty() ? text : text + " - " + first;
}

CItem* CLibrarySearchDlg::GetResultItem(int index) const
{
    return index >= 0 && index < GetResultCount() ? m_results[static_cast<std::size_t>(index)] : nullptr;
}

QString CLibrarySearchDlg::GetResultText(int index) const
{
    QTreeWidgetItem* row = m_resultList->topLevelItem(index);
    return row ? row->text(1) : QString();
}

void CLibrarySearchDlg::ShowResult(int index)
{
    if (CItem* item = GetResultItem(index); item && m_doc)
        m_doc->ShowItem(item);
}

void CLibrarySearchDlg::ClearResults()
{
    m_results.clear();
    m_resultList->clear();
}

void CLibrarySearchDlg::ForgetItems(const std::function<bool(const CMediaItem*)>& deleted)
{
    for (int index = GetResultCount() - 1; index >= 0; --index) {
        const CItem* item = m_results[static_cast<std::size_t>(index)];
        const auto* sub = dynamic_cast<const CMediaSubItem*>(item);
        const CMediaItem* medium = sub ? sub->GetParent() : dynamic_cast<const CMediaItem*>(item);
        if (!deleted(medium))
            continue;
        m_results.erase(m_results.begin() + index);
        delete m_resultList->takeTopLevelItem(index);
    }
}
