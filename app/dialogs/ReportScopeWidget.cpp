#include "app/dialogs/ReportScopeWidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QListView>
#include <QPushButton>

#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/EditorModels.h"
#include "data/model/Category.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomReportEditor.h"
#include "data/store/Library.h"

namespace {

// A check list with "All" and "None" under it.
QWidget* WithButtons(QListView* view, CCheckListModel* model, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* all = new QPushButton("All", box);
    auto* none = new QPushButton("None", box);
    QObject::connect(all, &QPushButton::clicked, model, [model] { model->SetAllChecked(true); });
    QObject::connect(none, &QPushButton::clicked, model, [model] { model->SetAllChecked(false); });
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view, 0, 0, 1, 3);
    layout->addWidget(all, 1, 0);
    layout->addWidget(none, 1, 1);
    layout->setColumnStretch(2, 1);
    return box;
}

} // namespace

CReportScopeWidget::CReportScopeWidget(const CLibrary& library, const CCustomReportEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_mediaTypes(new CCheckListModel(this))
    , m_categories(new CCheckListModel(this))
    , m_mediaTypeView(new QListView(this))
    , m_categoryView(new QListView(this))
{
    std::vector<CCheckListModel::CEntry> types;
    CUIntArray ids;
    CMediaUtils::GetAlphaOrderedMediaIDs(ids);
    for (UINT id : ids) {
        const int type = static_cast<int>(id);
        types.push_back({ type, Q(CMediaUtils::GetMediaNamePlural(type)), editor.GetMediaTypes().GetShow(type) });
    }
    m_mediaTypes->SetEntries(std::move(types));
    std::vector<CCheckListModel::CEntry> categories;
    for (POSITION pos = library.GetHeadCategory(); pos;)
        if (const CCategory* category = library.GetNextCategory(pos))
            categories.push_back({ category->GetUniqueID(), Q(category->GetName()),
                editor.IsCategorySelected(category->GetUniqueID()) });
    m_categories->SetEntries(std::move(categories));
    m_mediaTypeView->setModel(m_mediaTypes);
    m_categoryView->setModel(m_categories);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuddyLabel("&Media types:", m_mediaTypeView, this), 0, 0);
    layout->addWidget(BuddyLabel("Cate&gories:", m_categoryView, this), 0, 1);
    layout->addWidget(WithButtons(m_mediaTypeView, m_mediaTypes, this), 1, 0);
    layout->addWidget(WithButtons(m_categoryView, m_categories, this), 1, 1);
    connect(m_mediaTypes, &CCheckListModel::CheckChanged, this, &CReportScopeWidget::MediaTypesChanged);
}

void CReportScopeWidget::Store(CCustomReportEditor& editor) const
{
    CMediaTypeSelection selected;
    for (int type : m_mediaTypes->CheckedIDs())
        selected.SetShow(type, true);
    editor.GetMediaTypes() = selected;
    for (int row = 0; row < m_categories->rowCount(); ++row) {
        const int id = m_categories->index(row).data(Qt::UserRole).toInt();
        editor.SetCategorySelected(id, m_categories->IsChecked(id));
    }
}

QStringList CReportScopeWidget::SortedProps(const CLibrary& library, const CCustomReportEditor& editor)
{
    CStringArray found;
    editor.GetAvailableProps(library, found);
    QStringList props;
    for (const CString& prop : found)
        props << Q(prop);
    props.sort(Qt::CaseInsensitive);
    return props;
}

void CReportScopeWidget::FillPropCombo(QComboBox* combo, const QStringList& props)
{
    const QString current = combo->currentData().toString();
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItem("(none)", QString());
    for (const QString& prop : props)
        combo->addItem(prop, prop);
    ChooseProp(combo, current);
}

void CReportScopeWidget::ChooseProp(QComboBox* combo, const QString& prop)
{
    if (combo->findData(prop) < 0)
        combo->addItem(prop.isEmpty() ? QString("(none)") : prop, prop);
    combo->setCurrentIndex(combo->findData(prop));
}
