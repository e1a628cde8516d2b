#include "app/views/MediaView.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "app/BalloonTip.h"
#include "app/CommandIds.h"
#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/ItemPage.h"
#include "app/pages/PageFactory.h"
#include "app/pages/SubItemsPage.h"
#include "app/views/FormBuilder.h"
#include "app/views/FormField.h"
#include "app/views/ItemFilterModel.h"
#include "app/views/ItemListModel.h"
#include "app/views/ItemLookup.h"
#include "data/model/Cassette.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordAlbum.h"
#include "data/model/ReelToReel.h"
#include "data/model/TrackMedia.h"
#include "data/model/VideoTape.h"
#include "data/session/VemoLibrarySettings.h"
#include "data/store/Library.h"
#include "net/lookup/ProductCodes.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

namespace {

QString PictureName(int mediaType)
{
    const CMediaTypeInfo* info = CMediaRegistry::Find(mediaType);
    return info && info->picture ? QString(info->picture) : QString();
}

const char* const REMOVE_QUESTION
    = "VemoLibrary is about to permanently remove the following %1:\n\n%2\n\nDeletions are not reversible. Continue?";
const char* const REMOVE_ONE_QUESTION = "VemoLibrary is about to permanently remove the one %1 from this "
                                        "Library.\n\nDeletions are not reversible. Continue?";
const char* const REMOVE_ALL_QUESTION = "VemoLibrary is about to permanently remove all %1 %2 from this "
                                        "Library.\n\nDeletions are not reversible. Continue?";
const char* const RELOCATE_QUESTION = "Should VemoLibrary flag all the %1 in this Library as being located in \"%2\"?";

QStringList ToQt(const CStringList& list)
{
    QStringList names;
    names.reserve(static_cast<qsizetype>(list.GetCount()));
    for (const CString& name : list)
        names << Q(name);
    return names;
}

// The derived name list an edit of the field makes stale; -1 for none.
int StaleList(CNameSource source)
{
    switch (source) {
    case CNameSource::artists:
        return CVemoLibraryDoc::ListArtists;
    case CNameSource::actors:
        return CVemoLibraryDoc::ListActors;
    case CNameSource::directors:
        return CVemoLibraryDoc::ListDirectors;
    case CNameSource::authors:
        return CVemoLibraryDoc::ListAuthors;
    case CNameSource::locations:
        return CVemoLibraryDoc::ListLocations;
    case CNameSource::manufacturers:
        return CVemoLibraryDoc::ListManufacturers;
    default:
        return -1;
    }
}

// Saving stays off while the view fills or creates, and comes back as it was.
class CSaveOff {
public:
    explicit CSaveOff(CVemoLibraryDoc* doc)
        : m_doc(doc)
        , m_was(doc && doc->GetSaveEnabled())
    {
        if (m_doc)
            m_doc->SetSaveEnabled(false);
    }
    ~CSaveOff()
    {
        if (m_doc)
            m_doc->SetSaveEnabled(m_was);
    }

private:
    CVemoLibraryDoc* m_doc;
    bool m_was;
};

// Selection changes made by the view itself.
class CFilling {
public:
    explicit CFilling(bool& flag)
        : m_flag(flag)
        , m_was(flag)
    {
        m_flag = true;
    }
    ~CFilling() { m_flag = m_was; }

private:
    bool& m_flag;
    bool m_was;
};

QPixmap Picture(const QString& name, int size, qreal ratio)
{
    QSvgRenderer renderer(QString(":/icons/%1.svg").arg(name));
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    return pixmap;
}

// The letter after "&" in a label, lower case; empty when there is none.
QString MnemonicOf(const QString& label)
{
    const qsizetype at = label.indexOf('&');
    return at >= 0 && at + 1 < label.size() ? label.mid(at + 1, 1).toLower() : QString();
}

// The page tabs' titles with a mnemonic each, no two tabs alike: a letter
// of the title that the form (taken) does not use where there is one, a
// letter shared with a form field only when the form and the other tabs use
// all of the title's. A title keeps its own mnemonic where it can.
QStringList TabTitles(const QStringList& titles, const QString& taken)
{
    const qsizetype count = titles.size();
    QStringList plain;
    std::vector<QString> letters(count);
    std::vector<QString> candidates(count);
    for (qsizetype tab = 0; tab < count; ++tab) {
        plain << QString(titles[tab]).remove('&');
        for (QChar letter : MnemonicOf(titles[tab]) + plain[tab].toLower())
            if (letter.isLetterOrNumber() && !letters[tab].contains(letter))
                letters[tab] += letter;
        for (QChar letter : letters[tab])
            if (!taken.contains(letter))
                candidates[tab] += letter;
    }
    // A tab takes a free letter, or one whose tab can move on to another of
    // its own (an augmenting path).
    std::map<QChar, qsizetype> holder;
    std::function<bool(qsizetype, std::set<QChar>&)> place = [&](qsizetype tab, std::set<QChar>& seen) {
        for (QChar letter : candidates[tab]) {
            if (!seen.insert(letter).second)
                continue;
            auto held = holder.find(letter);
            if (held == holder.end() || place(held->second, seen)) {
                holder[letter] = tab;
                return true;
            }
        }
        return false;
    };
    const auto assign = [&](qsizetype tab) {
        // A free letter first, so that no earlier tab moves without need.
        for (QChar letter : candidates[tab])
            if (!holder.contains(letter)) {
                holder[letter] = tab;
                return true;
            }
        std::set<QChar> seen;
        return place(tab, seen);
    };
    std::vector<qsizetype> without;
    for (qsizetype tab = 0; tab < count; ++tab)
        if (!assign(tab))
            without.push_back(tab);
    for (qsizetype tab : without) {
        candidates[tab] = letters[tab];
        assign(tab);
    }
    for (const auto& [letter, tab] : holder)
        plain[tab].insert(plain[tab].toLower().indexOf(letter), '&');
    return plain;
}

QStringList ListOf(void (*get)(CStringList&))
{
    CStringList list;
    get(list);
    return ToQt(list);
}

} // namespace

CMediaView::CMediaView(CVemoLibraryDoc* doc, int mediaType, QWidget* parent)
    : CView(doc, mediaType, parent)
    , m_picture(PictureName(mediaType))
    , m_model(new CItemListModel(this))
    , m_proxy(new CItemFilterModel(this))
{
    setObjectName(QString("mediaView%1").arg(mediaType));
    m_proxy->setSourceModel(m_model);
    // An edited entry stays where it is until the list is filled again.
    m_proxy->setDynamicSortFilter(false);
}

CMediaView::~CMediaView()
{
    // The children go after this part of the view: their last signals (a
    // focus loss, a model reset) must not reach it.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    // Nor may a field ask this part for its names.
    for (CFormField* field : m_fields)
        field->SetNamesSource(nullptr);
    disconnect(qApp, nullptr, this, nullptr);
}

void CMediaView::BuildForm()
{
    if (m_built)
        return;
    m_built = true;
    auto* layout = new QVBoxLayout(this);
    BuildHeader(layout);

    // The fields above, the pages below; the user may move the line
    // between them.
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("formSplit");
    split->setChildrenCollapsible(false);
    auto* top = new QWidget(split);
    auto* middle = new QHBoxLayout(top);
    middle->setContentsMargins(0, 0, 0, 0);
    auto* form = new QWidget(this);
    form->setObjectName("form");
    auto* grid = new QGridLayout(form);
    grid->setContentsMargins(0, 0, 0, 0);
    CFieldList descs;
    DescribeFields(descs);
    descs << CFieldDesc { U::MEDIA_PROP_LIBRARYID, "Library &ID" }
          << CFieldDesc { U::MEDIA_PROP_CATEGORY, "&Category", CFieldKind::choice, CFieldValidation::none,
                 CChoiceSource::categories }
          << CFieldDesc { U::MEDIA_PROP_DATEACQ, "Ac&quired", CFieldKind::date, CFieldValidation::dateAcquired }
          << CFieldDesc { U::MEDIA_PROP_PRICE, "&Price", CFieldKind::money, CFieldValidation::price }
          << CFieldDesc { U::MEDIA_PROP_LOCATION, "&Location", CFieldKind::line, CFieldValidation::none,
                 CChoiceSource::none, CNameSource::locations }
          << CFieldDesc { U::MEDIA_PROP_YEAR, "&Year", CFieldKind::number }
          << CFieldDesc { U::MEDIA_PROP_DESCRIPTION, "&Description", CFieldKind::multiLine, CFieldValidation::none,
                 CChoiceSource::none, CNameSource::none, true };
    m_fields = CFormBuilder::Build(descs, grid, form, this);
    grid->setRowStretch(grid->rowCount(), 1);
    for (CFormField* field : m_fields) {
        connect(field, &CFormField::Edited, this, [this, field] { OnFieldEdited(field); });
        connect(field, &CFormField::Finished, this, [this, field] {
            if (field == m_editedField)
                TakeOver();
        });
    }
    if (!LookupProp().empty()) {
        m_lookup = new CItemLookup(GetDocument(), GetMediaType(), this);
        connect(m_lookup, &CItemLookup::ItemFilled, this, &CMediaView::OnItemFilled);
        connect(m_lookup, &CItemLookup::StateChanged, this, [this] {
            UpdateButtons();
            emit CommandStatesChanged();
        });
        // Enter after a scanned code (or a typed one) looks it up.
        if (CFormField* field = FieldOf(LookupProp()))
            if (auto* line = qobject_cast<QLineEdit*>(field->Editor()))
                connect(line, &QLineEdit::returnPressed, this, [this, field] { OnLookupEnter(field); });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || !isAncestorOf(now) || qobject_cast<QPushButton*>(now))
            return;
        m_lastField = nullptr;
        for (CFormField* field : m_fields)
            if (field->Holds(now))
                m_lastField = field;
    });
    middle->addWidget(form, 1);
    BuildButtons(middle);
    split->addWidget(top);
    BuildPages(split);
    // The fields start at their least height (a shorter description), the
    // pages take the rest.
    split->setSizes({ 1, 1000 });
    layout->addWidget(split, 1);

    // The cycle of Tab: list, fields, pages, list again (focusNextPrevChild
    // closes it). The filter and the buttons lead into it.
    QList<QWidget*> chain { m_filter };
    for (QPushButton* button : m_buttons)
        chain << button;
    chain << m_list;
    for (CFormField* field : m_fields)
        chain << field->Editor();
    chain << m_pageTabs;
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
    RefreshAllChoices();
    ShowItem(nullptr);
}

void CMediaView::BuildHeader(QBoxLayout* layout)
{
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName("picture");
    picture->setPixmap(Picture(m_picture, 48, devicePixelRatioF()));
    picture->setAccessibleName(Q(U::GetMediaNamePlural(GetMediaType())));
    top->addWidget(picture, 0, Qt::AlignTop);

    auto* title = new QLabel(Q(U::GetMediaNamePlural(GetMediaType())), this);
    title->setObjectName("viewTitle");
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);

    m_list = new QComboBox(this);
    m_list->setObjectName("itemList");
    m_list->setAccessibleName("Item");
    m_list->setModel(m_proxy);
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_list->setMinimumContentsLength(30);
    m_list->setMaxVisibleItems(20);
    if (auto* view = qobject_cast<QListView*>(m_list->view()))
        view->setUniformItemSizes(true);
    m_list->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QComboBox::currentIndexChanged, this, &CMediaView::OnListChanged);
    // A view that gets the focus hands it to the list, where typing finds
    // an entry.
    setFocusProxy(m_list);
    auto* listLabel = new QLabel("It&em:", this);
    listLabel->setBuddy(m_list);

    m_filter = new QLineEdit(this);
    m_filter->setObjectName("itemFilter");
    m_filter->setAccessibleName("Filter");
    m_filter->setPlaceholderText("Narrow the list");
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, this, &CMediaView::OnFilterChanged);
    auto* filterLabel = new QLabel("Filte&r:", this);
    filterLabel->setBuddy(m_filter);

    auto* right = new QGridLayout;
    right->addWidget(title, 0, 0, 1, 4);
    right->addWidget(listLabel, 1, 0);
    right->addWidget(m_list, 1, 1);
    right->addWidget(filterLabel, 1, 2);
    right->addWidget(m_filter, 1, 3);
    right->setColumnStretch(1, 3);
    right->setColumnStretch(3, 1);
    top->addLayout(right, 1);
    layout->addLayout(top);
}

QPushButton* CMediaView::AddButton(QBoxLayout* buttons, const QString& text, std::function<void()> command)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [command] { command(); });
    buttons->addWidget(button);
    m_buttons << button;
    return button;
}

void CMediaView::BuildButtons(QBoxLayout* layout)
{
    auto* buttons = new QVBoxLayout;
    m_newButton = AddButton(buttons, "New", [this] { NewItem(); });
    m_newButton->setToolTip("New item (F4)");
    m_itemButtons << AddButton(buttons, "Copy", [this] { CopyItem(); });
    m_itemButtons << AddButton(buttons, "Delete", [this] { DeleteItem(); });

    auto* sort = new QPushButton("Sort By", this);
    sort->setAutoDefault(false);
    m_sortMenu = new QMenu(sort);
    auto* group = new QActionGroup(m_sortMenu);
    QList<SortEntry> entries;
    DescribeSortOrders(entries);
    for (const SortEntry& entry : entries) {
        QAction* action = m_sortMenu->addAction(entry.text);
        action->setCheckable(true);
        action->setData(Q(entry.prop));
        group->addAction(action);
        const CString prop = entry.prop;
        connect(action, &QAction::triggered, this, [this, prop] { SortBy(prop); });
    }
    connect(m_sortMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : m_sortMenu->actions())
            action->setChecked(action->data().toString() == SortProperty());
    });
    sort->setMenu(m_sortMenu);
    buttons->addWidget(sort);
    m_buttons << sort;

    m_itemButtons << AddButton(buttons, "Relocate...", [this] { Relocate(); });
    AddButton(buttons, "Library ID Format...", [this] { OpenLibraryIDFormat(); });
    AddButton(buttons, "Custom Fields...", [this] { OpenCustomFields(); });
    AddButton(buttons, "Basic Report", [this] { ShowBasicReport(); });
    AddOwnButtons(buttons);
    if (!LookupProp().empty()) {
        m_lookupButton = AddButton(buttons, "Look up", [this] { LookUp(); });
        m_lookupButton->setToolTip("Fill the item from an online service by its ISBN, barcode, catalogue number or "
                                   "title (Ctrl+L)");
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);

    // The list's context menu: the sort orders and the item commands.
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addActions(m_sortMenu->actions());
        menu.addSeparator();
        menu.addAction("New Item\tF4", this, &CMediaView::NewItem)->setEnabled(IsCommandEnabled(ID_NEW_ITEM));
        menu.addAction("Next Item\tF6", this, &CMediaView::SelectNext)->setEnabled(IsCommandEnabled(ID_NEXT_ITEM));
        menu.addAction("Previous Item\tShift+F6", this, &CMediaView::SelectPrevious)
            ->setEnabled(IsCommandEnabled(ID_PREVIOUS_ITEM));
        menu.exec(m_list->mapToGlobal(at));
    });
}

void CMediaView::BuildPages(QSplitter* split)
{
    m_pageTabs = new QTabWidget(this);
    m_pageTabs->setObjectName("itemPages");
    m_pages = CPageFactory::CreatePages(GetMediaType(), GetDocument(), m_pageTabs);
    // The tabs' mnemonics give way to the form's, which are always in reach.
    QString taken = "er";
    for (CFormField* field : m_fields)
        taken += MnemonicOf(field->Desc().label);
    QStringList titles;
    for (CItemPage* page : m_pages)
        titles << page->Title();
    titles = TabTitles(titles, taken);
    for (qsizetype tab = 0; tab < m_pages.size(); ++tab) {
        CItemPage* page = m_pages[tab];
        const QString& title = titles[tab];
        // A page taller or wider than the room below the fields scrolls in
        // its tab rather than stretching the window past its usual size.
        auto* scroll = new QScrollArea(m_pageTabs);
        scroll->setObjectName("pageScroll");
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setFocusPolicy(Qt::NoFocus);
        scroll->setWidgetResizable(true);
        scroll->setWidget(page);
        m_pageTabs->addTab(scroll, title);
        connect(page, &CItemPage::ItemChanged, this, &CMediaView::OnPageChanged);
    }
    // A type without pages gives the fields the room.
    m_pageTabs->setVisible(!m_pages.isEmpty());
    m_pageTabs->setMinimumHeight(120);
    split->addWidget(m_pageTabs);
    // Room beyond the fields' goes to the pages.
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    // A page's pending edit goes in when the focus moves on to the rest of
    // the form, as a field's does.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (!now || !isAncestorOf(now))
            return;
        if (CItemPage* page = PageHolding(old); page && PageHolding(now) != page)
            page->TakeOver();
    });
}

CItemPage* CMediaView::PageHolding(QWidget* widget) const
{
    // Up through the parents, past popup windows, to a page of this view.
    for (QWidget* at = widget; at && at != this; at = at->parentWidget())
        if (auto* page = qobject_cast<CItemPage*>(at); page && m_pages.contains(page))
            return page;
    return nullptr;
}

void CMediaView::DescribeFields(CFieldList& fields) const
{
    fields << CFieldDesc { U::MEDIA_PROP_TITLE, "&Title", CFieldKind::line, CFieldValidation::none, CChoiceSource::none,
        CNameSource::none, true };
}

void CMediaView::DescribeSortOrders(QList<SortEntry>& entries) const
{
    entries << SortEntry { "&Library ID", U::MEDIA_PROP_LIBRARYID } << SortEntry { "&Title", U::MEDIA_PROP_TITLE };
}

void CMediaView::OnInitialUpdate()
{
    BuildForm();
    Fill();
}

void CMediaView::OnUpdate(int hint)
{
    switch (hint) {
    case CVemoLibraryDoc::HintNewLibrary:
    case CVemoLibraryDoc::HintImport:
    case CVemoLibraryDoc::HintLibraryIDFormat:
        Fill();
        break;
    case CVemoLibraryDoc::HintSharedData:
        RefreshChoices(CChoiceSource::magazines);
        ShowField(U::MEDIA_PROP_MAGAZINE);
        break;
    case CVemoLibraryDoc::HintCategories:
        // A deleted category leaves its items in the none category.
        RefreshChoices(CChoiceSource::categories);
        ShowField(U::MEDIA_PROP_CATEGORY);
        break;
    case CVemoLibraryDoc::HintArtists:
    case CVemoLibraryDoc::HintActors:
    case CVemoLibraryDoc::HintDirectors:
    case CVemoLibraryDoc::HintAuthors:
    case CVemoLibraryDoc::HintLocations:
    case CVemoLibraryDoc::HintManufacturers:
        // The hints of the rebuilt lists come in the order of the lists.
        RefreshNames(
            static_cast<CNameSource>(static_cast<int>(CNameSource::artists) + hint - CVemoLibraryDoc::HintArtists));
        break;
    default:
        break;
    }
    // Media settings (the cassette counter) and custom fields are the
    // pages' concern; they hear every hint.
    for (CItemPage* page : m_pages)
        page->OnUpdate(hint);
}

void CMediaView::OnAboutToBeReplaced()
{
    TakeOverAll();
}

void CMediaView::OnLibraryClosing()
{
    // The library was saved before it closes, so what is still being edited
    // (a field, a page's editor) is written now and the library saved once
    // more.
    CVemoLibraryDoc* doc = GetDocument();
    const bool wasModified = doc && doc->IsModified();
    const bool fieldTaken = TakeOver();
    for (CItemPage* page : m_pages)
        page->TakeOver();
    if (doc && (fieldTaken || (!wasModified && doc->IsModified())))
        doc->SaveLibrary();
    if (m_lookup) {
        m_lookup->Cancel();
        m_lookup->Forget();
    }
    for (CItemPage* page : m_pages)
        page->SetItem(nullptr);
    CFilling filling(m_filling);
    m_model->Clear();
    ShowItem(nullptr);
    emit CommandStatesChanged();
}

// ---------------------------------------------------------------------------
// Filling and selecting

CString CMediaView::ListTextOf(const CMediaItem* item) const
{
    return item ? item->GetUniqueDescription(false, m_sortProp) : CString();
}

QString CMediaView::SortProperty() const
{
    return Q(m_sortProp);
}

void CMediaView::Fill()
{
    BuildForm();
    TakeOverAll();
    CVemoLibraryDoc* doc = GetDocument();
    CLibrary* library = doc ? doc->GetLibrary() : nullptr;
    {
        CSaveOff saveOff(doc);
        CFilling filling(m_filling);
        CString secondary;
        if (doc)
            doc->GetSortOrder(GetMediaType(), m_sortProp, secondary);
        // The item on screen stays chosen (a refill after sorting); else the
        // one remembered for this library and type; else the first.
        CMediaItem* keep = m_item;
        m_model->Fill(library, GetMediaType());
        int row = keep ? m_model->RowOf(keep) : -1;
        if (row < 0 && doc)
            row = m_model->RowOfText(Q(doc->GetRememberedItem(GetMediaType())));
        int proxyRow = row >= 0 ? m_proxy->mapFromSource(m_model->index(row)).row() : -1;
        if (proxyRow < 0 && m_proxy->rowCount() > 0)
            proxyRow = 0;
        m_list->setCurrentIndex(proxyRow);
        ShowItem(ItemAtProxyRow(proxyRow));
        RefreshAllNames();
    }
    RememberSelection();
    UpdateCounts();
    emit CommandStatesChanged();
}

CMediaItem* CMediaView::ItemAtProxyRow(int row) const
{
    if (row < 0 || row >= m_proxy->rowCount())
        return nullptr;
    return m_model->ItemAt(m_proxy->mapToSource(m_proxy->index(row, 0)).row());
}

int CMediaView::ProxyRowOf(const CMediaItem* item) const
{
    const int row = m_model->RowOf(item);
    return row < 0 ? -1 : m_proxy->mapFromSource(m_model->index(row)).row();
}

void CMediaView::ShowItem(CMediaItem* item)
{
    // A look-up fills the item it started for, or nothing.
    if (m_lookup && item != m_item)
        m_lookup->Cancel();
    m_item = item;
    m_fieldEdited = false;
    m_editedField = nullptr;
    CMapStringToString data;
    for (CFormField* field : m_fields)
        data.SetAt(field->Desc().prop, CString());
    if (item)
        item->GetData(data);
    for (CFormField* field : m_fields) {
        const CString* value = data.PLookup(field->Desc().prop);
        field->SetText(value ? Q(*value) : QString());
        field->SetEnabled(item != nullptr);
    }
    for (CItemPage* page : m_pages)
        page->SetItem(item);
    UpdateButtons();
    OnItemShown(item);
}

void CMediaView::UpdateButtons()
{
    const bool haveLibrary = GetDocument() && GetDocument()->GetLibrary();
    for (QPushButton* button : m_buttons)
        button->setEnabled(haveLibrary);
    for (QPushButton* button : m_itemButtons)
        button->setEnabled(m_item != nullptr);
    if (m_lookupButton)
        m_lookupButton->setEnabled(m_item && !m_lookup->IsRunning());
}

void CMediaView::OnListChanged(int proxyRow)
{
    if (m_filling)
        return;
    CMediaItem* item = ItemAtProxyRow(proxyRow);
    if (!item || item == m_item)
        return;
    TakeOverAll();
    ShowItem(item);
    RememberSelection();
    emit CommandStatesChanged();
}

void CMediaView::SelectSourceRow(int row)
{
    const int proxyRow = row >= 0 ? m_proxy->mapFromSource(m_model->index(row)).row() : -1;
    {
        CFilling filling(m_filling);
        m_list->setCurrentIndex(proxyRow);
    }
    ShowItem(m_model->ItemAt(row));
    RememberSelection();
}

bool CMediaView::SelectItemText(const QString& text)
{
    const int row = m_model->RowOfText(text);
    const int proxyRow = row >= 0 ? m_proxy->mapFromSource(m_model->index(row)).row() : -1;
    if (proxyRow < 0)
        return false;
    m_list->setCurrentIndex(proxyRow);
    return true;
}

void CMediaView::RememberSelection()
{
    const int row = m_model->RowOf(m_item);
    if (row >= 0 && GetDocument())
        GetDocument()->RememberItem(GetMediaType(), m_model->TextAt(row).toStdString());
}

void CMediaView::UpdateCounts(bool recount)
{
    CVemoLibraryDoc* doc = GetDocument();
    if (!doc)
        return;
    const int type = GetMediaType();
    // Counting the lent items looks at every item of the type.
    if (recount) {
        m_reserved = doc->GetReservedItemCount(type);
        m_checkedOut = doc->GetCheckedOutItemCount(type);
    }
    emit StatusCountsChanged(doc->GetItemCount(type), m_reserved, m_checkedOut);
}

void CMediaView::UpdateListText()
{
    const int row = m_model->RowOf(m_item);
    if (row >= 0 && m_model->Replace(row, Q(ListTextOf(m_item))))
        RememberSelection();
}

void CMediaView::OnFilterChanged(const QString& text)
{
    TakeOver();
    {
        CFilling filling(m_filling);
        m_proxy->SetFilterText(text);
        m_list->setCurrentIndex(ProxyRowOf(m_item));
    }
    // The item on screen stays while it matches; else the first match.
    // Without a match the item stays on screen with an empty list.
    const bool none = m_proxy->rowCount() == 0 && !text.isEmpty();
    m_filter->setStyleSheet(none ? "QLineEdit { background: #fde2e2; }" : QString());
    if (m_list->currentIndex() < 0 && m_proxy->rowCount() > 0)
        m_list->setCurrentIndex(0);
    emit CommandStatesChanged();
}

// ---------------------------------------------------------------------------
// Taking over

void CMediaView::OnFieldEdited(CFormField* field)
{
    if (!m_item || (m_fieldEdited && field == m_editedField))
        return;
    // Another field's edit goes in first (normally its focus loss did that).
    if (m_fieldEdited)
        TakeOver();
    m_editedField = field;
    m_fieldEdited = true;
}

bool CMediaView::TakeOver()
{
    CFormField* field = m_editedField;
    const bool edited = m_fieldEdited;
    m_fieldEdited = false;
    m_editedField = nullptr;
    CVemoLibraryDoc* doc = GetDocument();
    if (!edited || !field || !m_item || !doc || !doc->GetLibrary())
        return false;
    // Undoing the last fill would now undo the user's edit too.
    if (m_lookup)
        m_lookup->Forget(m_item);

    const CFieldDesc& desc = field->Desc();
    const CFieldCheck check = CFieldValidation::Check(desc.check, field->Text().toStdString(), *m_item);
    const int magazines = desc.choices == CChoiceSource::magazines ? doc->GetMagazineTitles().GetCount() : 0;
    CMapStringToString data;
    data.SetAt(desc.prop, check.value);
    m_item->SetData(data, true);
    if (desc.check != CFieldValidation::none)
        field->SetText(Q(check.text));
    else
        ShowField(field);

    doc->MarkItemModified(m_item);
    if (const int list = StaleList(desc.names); list >= 0)
        doc->MarkListStale(static_cast<CVemoLibraryDoc::NameList>(list));
    // A new magazine title lives in the shared data, which must keep it.
    if (desc.choices == CChoiceSource::magazines && doc->GetMagazineTitles().GetCount() != magazines) {
        doc->SaveSharedData();
        RefreshChoices(CChoiceSource::magazines);
    }
    UpdateListText();
    OnFieldTakenOver(desc);
    if (!check.message.empty())
        ShowBalloon(field, Q(check.message));
    return true;
}

void CMediaView::TakeOverAll()
{
    TakeOver();
    for (CItemPage* page : m_pages)
        page->TakeOver();
}

void CMediaView::ShowField(CFormField* field)
{
    if (!field)
        return;
    CMapStringToString data;
    data.SetAt(field->Desc().prop, CString());
    if (m_item)
        m_item->GetData(data);
    field->SetText(Q(data[field->Desc().prop]));
}

void CMediaView::ShowField(const CString& prop)
{
    // Showing a field over the user's pending edit would lose it.
    if (CFormField* field = FieldOf(prop); field && field != m_editedField)
        ShowField(field);
}

void CMediaView::ShowBalloon(CFormField* field, const QString& message)
{
    CBalloonTip::Style style;
    if (CVemoLibraryDoc* doc = GetDocument(); doc && doc->GetSettings()) {
        style.closeButton = doc->GetSettings()->GetBalloonShowCloseButton();
        style.wordsPerMinute = doc->GetSettings()->GetBalloonWPMSpeed();
    }
    CBalloonTip::Current().Show(field->Editor(), Q(CFieldValidation::BALLOON_TITLE), message, style);
}

void CMediaView::OnPageChanged()
{
    if (!m_item || !GetDocument())
        return;
    if (m_lookup)
        m_lookup->Forget(m_item);
    GetDocument()->MarkItemModified(m_item);
    UpdateListText();
    // A page may reserve or lend the item, or add its first track.
    UpdateCounts();
    emit CommandStatesChanged();
}

void CMediaView::OnMediaSizeChanged()
{
    for (CItemPage* page : m_pages)
        if (auto* subItems = qobject_cast<CSubItemsPage*>(page))
            subItems->OnMediaSizeChanged();
}

// ---------------------------------------------------------------------------
// Choices and suggestions

void CMediaView::RefreshChoices(CChoiceSource source)
{
    CVemoLibraryDoc* doc = GetDocument();
    QStringList shown;
    QStringList values;
    switch (source) {
    case CChoiceSource::categories:
        if (doc)
            shown = ToQt(doc->GetCategoryNames());
        break;
    case CChoiceSource::cover:
        shown = QStringList { "Hardcover", "Paperback" };
        values = QStringList { "Y", "N" };
        break;
    case CChoiceSource::magazines:
        if (doc)
            shown = ToQt(doc->GetMagazineTitles());
        shown.sort(Qt::CaseInsensitive);
        break;
    case CChoiceSource::cassetteTypes:
        shown = ListOf(&CCassette::GetTapeTypeList);
        break;
    case CChoiceSource::tapeWidths:
        shown = ListOf(&CReelToReel::GetTapeWidthList);
        break;
    case CChoiceSource::recordSpeeds:
        shown = ListOf(&CRecordAlbum::GetSpeedList);
        break;
    case CChoiceSource::videoTapeFormats:
        shown = ListOf(&CVideoTape::GetTypeList);
        break;
    case CChoiceSource::none:
        return;
    }
    for (CFormField* field : m_fields)
        if (field->Desc().choices == source)
            field->SetChoices(shown, values);
}

void CMediaView::RefreshAllChoices()
{
    for (CFormField* field : m_fields)
        RefreshChoices(field->Desc().choices);
}

QStringList CMediaView::NamesOf(CNameSource source) const
{
    CVemoLibraryDoc* doc = GetDocument();
    if (!doc || !doc->GetLibrary())
        return {};
    if (const int list = StaleList(source); list >= 0)
        return ToQt(doc->GetNameList(static_cast<CVemoLibraryDoc::NameList>(list)));
    CStringList lists[5];
    doc->GetSheetMusicLists(lists[0], lists[1], lists[2], lists[3], lists[4]);
    switch (source) {
    case CNameSource::composers:
        return ToQt(lists[0]);
    case CNameSource::arrangers:
        return ToQt(lists[1]);
    case CNameSource::wordsBy:
        return ToQt(lists[2]);
    case CNameSource::musicBy:
        return ToQt(lists[3]);
    case CNameSource::instrumentation:
        return ToQt(lists[4]);
    default:
        return {};
    }
}

void CMediaView::RefreshNames(CNameSource source)
{
    // Made when a field first needs them, not before the view is shown:
    // with a large library a list takes long. Fields sharing a source
    // share one making.
    auto names = std::make_shared<std::optional<QStringList>>();
    for (CFormField* field : m_fields)
        if (field->Desc().names == source)
            field->SetNamesSource([this, source, names] {
                if (!*names)
                    *names = NamesOf(source);
                return **names;
            });
}

void CMediaView::RefreshAllNames()
{
    QList<CNameSource> done;
    for (CFormField* field : m_fields) {
        const CNameSource source = field->Desc().names;
        if (source != CNameSource::none && !done.contains(source)) {
            RefreshNames(source);
            done << source;
        }
    }
}

// ---------------------------------------------------------------------------
// Commands

bool CMediaView::OnCommand(int id)
{
    switch (id) {
    case ID_NEW_ITEM:
        NewItem();
        return true;
    case ID_NEW_SUB_ITEM:
        AddSubItem();
        return true;
    case ID_NEXT_ITEM:
        SelectNext();
        return true;
    case ID_PREVIOUS_ITEM:
        SelectPrevious();
        return true;
    case ID_EDIT_DELETE_ALL:
        DeleteAllItems();
        return true;
    case ID_EDIT_UPDATE_LENGTH:
        UpdateLengthField();
        return true;
    case ID_EDIT_LOOKUP:
        LookUp();
        return true;
    case ID_EDIT_UNDO_LOOKUP:
        UndoLookUp();
        return true;
    default:
        return false;
    }
}

bool CMediaView::IsCommandEnabled(int id) const
{
    const bool haveLibrary = GetDocument() && GetDocument()->GetLibrary();
    const int row = m_list ? m_list->currentIndex() : -1;
    switch (id) {
    case ID_NEW_ITEM:
        return haveLibrary;
    case ID_NEW_SUB_ITEM:
        return m_item && SubItemPage();
    case ID_NEXT_ITEM:
        return row >= 0 && row + 1 < m_proxy->rowCount();
    case ID_PREVIOUS_ITEM:
        return row > 0;
    case ID_EDIT_DELETE_ALL:
        return m_model->rowCount() > 0;
    case ID_EDIT_UPDATE_LENGTH:
        return CanUpdateLength();
    case ID_EDIT_LOOKUP:
        return m_lookup && m_item && !m_lookup->IsRunning();
    case ID_EDIT_UNDO_LOOKUP:
        return m_lookup && m_lookup->CanUndo(m_item);
    default:
        return false;
    }
}

void CMediaView::NewItem()
{
    CreateItem(false);
}

void CMediaView::CopyItem()
{
    CreateItem(true);
}

void CMediaView::CreateItem(bool copy)
{
    CVemoLibraryDoc* doc = GetDocument();
    CLibrary* library = doc ? doc->GetLibrary() : nullptr;
    if (!library || (copy && !m_item))
        return;
    TakeOverAll();
    // The new entry must show, whatever the filter held.
    m_filter->clear();
    {
        CSaveOff saveOff(doc);
        CMediaItem* item = doc->CreateMediaItem(GetMediaType(), copy ? m_item : nullptr);
        if (!item)
            return;
        // The entry goes where the library's order puts the item.
        int row = 0;
        for (POSITION pos = library->GetHeadItem(GetMediaType()); pos; ++row)
            if (library->GetNextItem(GetMediaType(), pos) == item)
                break;
        m_model->Insert(row, item, Q(ListTextOf(item)));
        SelectSourceRow(m_model->RowOf(item));
    }
    // A new item (a copy too) is neither reserved nor lent.
    UpdateCounts(false);
    emit CommandStatesChanged();
    if (QWidget* first = FirstEditor())
        first->setFocus(Qt::OtherFocusReason);
}

void CMediaView::SelectNext()
{
    const int row = m_list->currentIndex();
    if (row >= 0 && row + 1 < m_proxy->rowCount())
        m_list->setCurrentIndex(row + 1);
}

void CMediaView::SelectPrevious()
{
    const int row = m_list->currentIndex();
    if (row > 0)
        m_list->setCurrentIndex(row - 1);
}

CItemPage* CMediaView::SubItemPage() const
{
    // The page on top first, then any other that adds sub-items.
    if (CItemPage* current = m_pageTabs ? m_pages.value(m_pageTabs->currentIndex()) : nullptr;
        current && current->CanAddSubItem())
        return current;
    for (CItemPage* page : m_pages)
        if (page->CanAddSubItem())
            return page;
    return nullptr;
}

void CMediaView::AddSubItem()
{
    if (!m_item)
        return;
    TakeOver();
    if (CItemPage* page = SubItemPage()) {
        m_pageTabs->setCurrentIndex(static_cast<int>(m_pages.indexOf(page)));
        page->AddSubItem();
    }
}

void CMediaView::DeleteItem()
{
    CVemoLibraryDoc* doc = GetDocument();
    if (!m_item || !doc)
        return;
    TakeOverAll();
    const QString singular = Q(U::GetMediaNameSingular(GetMediaType()));
    if (m_item->HasSignificantData()
        && !CMessageBox::Confirm(doc->GetDialogParent(), "Remove",
            QString(REMOVE_QUESTION).arg(singular, Q(m_item->GetUniqueDescription(false, m_sortProp)))))
        return;

    CMediaItem* doomed = m_item;
    if (m_lookup)
        m_lookup->Forget(doomed);
    int proxyRow = ProxyRowOf(doomed);
    {
        CFilling filling(m_filling);
        for (CItemPage* page : m_pages)
            page->SetItem(nullptr);
        m_item = nullptr;
        m_model->Remove(m_model->RowOf(doomed));
        doc->DeleteItem(doomed);
    }
    // The entry now at the same place, else the new last one.
    const int count = m_proxy->rowCount();
    if (proxyRow < 0 || proxyRow >= count)
        proxyRow = count - 1;
    CMediaItem* next = ItemAtProxyRow(proxyRow);
    SelectSourceRow(m_model->RowOf(next));
    if (next)
        m_list->setFocus(Qt::OtherFocusReason);
    UpdateCounts();
    emit CommandStatesChanged();
}

void CMediaView::DeleteAllItems()
{
    CVemoLibraryDoc* doc = GetDocument();
    const int count = doc ? doc->GetItemCount(GetMediaType()) : 0;
    if (count == 0)
        return;
    TakeOverAll();
    const int type = GetMediaType();
    const QString question = count == 1 ? QString(REMOVE_ONE_QUESTION).arg(Q(U::GetMediaNameSingular(type)))
                                        : QString(REMOVE_ALL_QUESTION).arg(count).arg(Q(U::GetMediaNamePlural(type)));
    if (!CMessageBox::Confirm(doc->GetDialogParent(), "Remove All", question))
        return;
    if (m_lookup)
        m_lookup->Forget();
    {
        CFilling filling(m_filling);
        for (CItemPage* page : m_pages)
            page->SetItem(nullptr);
        m_item = nullptr;
        m_model->Clear();
        doc->DeleteItems(type);
    }
    ShowItem(nullptr);
    UpdateCounts();
    emit CommandStatesChanged();
}

void CMediaView::SortBy(const CString& prop)
{
    CVemoLibraryDoc* doc = GetDocument();
    if (!doc || !doc->GetLibrary())
        return;
    TakeOverAll();
    // The type's usual order breaks ties, unless it is the order chosen.
    const CMediaTypeInfo* info = CMediaRegistry::Find(GetMediaType());
    CString secondary = info ? CString(info->primarySort) : CString();
    if (secondary == prop)
        secondary = info ? CString(info->secondarySort) : CString();
    doc->SetSortOrder(GetMediaType(), prop, secondary);
    Fill();
}

bool CMediaView::CanUpdateLength() const
{
    const auto* medium = dynamic_cast<const CTrackMedia*>(m_item);
    return HasLengthField() && medium && medium->GetSubItemCount() > 0;
}

void CMediaView::UpdateLengthField()
{
    if (!CanUpdateLength())
        return;
    TakeOverAll();
    const auto* medium = dynamic_cast<const CTrackMedia*>(m_item);
    CMapStringToString data;
    data.SetAt(U::MEDIA_PROP_LENGTH, U::ConvertToHHMMSS(medium->GetContentSize()));
    m_item->SetData(data, true);
    ShowField(U::MEDIA_PROP_LENGTH);
    GetDocument()->MarkItemModified(m_item);
    UpdateListText();
}

void CMediaView::Relocate()
{
    CVemoLibraryDoc* doc = GetDocument();
    if (!m_item || !doc)
        return;
    TakeOverAll();
    const CString location = m_item->GetLocation();
    const QString question = QString(RELOCATE_QUESTION).arg(Q(U::GetMediaNamePlural(GetMediaType())), Q(location));
    if (!CMessageBox::Confirm(doc->GetDialogParent(), "Re-locate Media", question))
        return;
    doc->RelocateMedia(GetMediaType(), location);
}

void CMediaView::OpenLibraryIDFormat()
{
    TakeOverAll();
    if (GetDocument())
        GetDocument()->OnLibraryIDFormat(LibraryIDFormatID(), GetMediaType());
}

void CMediaView::OpenCustomFields()
{
    TakeOverAll();
    if (GetDocument())
        GetDocument()->OnCustomFields(GetMediaType());
}

void CMediaView::ShowBasicReport()
{
    TakeOverAll();
    emit BasicReportRequested(GetMediaType());
}

// ---------------------------------------------------------------------------
// Online look-up

CFormField* CMediaView::LookupSourceField() const
{
    CFormField* lookupField = FieldOf(LookupProp());
    CFormField* title = FieldOf(U::MEDIA_PROP_TITLE);
    if (m_lastField && (m_lastField == lookupField || m_lastField == title) && !m_lastField->Text().trimmed().isEmpty())
        return m_lastField;
    if (lookupField && !lookupField->Text().trimmed().isEmpty())
        return lookupField;
    return title;
}

void CMediaView::LookUp()
{
    if (!m_lookup || !m_item || m_lookup->IsRunning())
        return;
    CFormField* field = LookupSourceField();
    TakeOverAll();
    if (!m_item)
        return;
    m_lookup->Start(
        m_item, field ? field->Text().trimmed() : QString(), field && field->Desc().prop == U::MEDIA_PROP_JACKETNUMBER);
}

void CMediaView::OnLookupEnter(CFormField* field)
{
    if (!m_lookup || !m_item || m_lookup->IsRunning())
        return;
    const QString text = field->Text().trimmed();
    const bool catalogNumber = field->Desc().prop == U::MEDIA_PROP_JACKETNUMBER;
    // A code is looked up even when no source takes it, so that the
    // collector hears why; a title only when a source can answer.
    if (text.isEmpty()
        || (CProductCodes::Classify(text.toStdString()) == CProductCodes::NONE
            && !m_lookup->CanLookUp(text, catalogNumber)))
        return;
    m_lookup->Start(m_item, text, catalogNumber);
}

void CMediaView::UndoLookUp()
{
    if (!m_lookup || !m_item)
        return;
    TakeOverAll();
    m_lookup->Undo(m_item);
}

void CMediaView::OnItemFilled(CMediaItem* item, const CStringArray& changed)
{
    CVemoLibraryDoc* doc = GetDocument();
    if (!doc || item != m_item)
        return;
    doc->MarkItemModified(item);
    for (INT_PTR i = 0; i < changed.GetSize(); ++i)
        if (const CFormField* field = FieldOf(changed[i]))
            if (const int list = StaleList(field->Desc().names); list >= 0)
                doc->MarkListStale(static_cast<CVemoLibraryDoc::NameList>(list));
    // The fields and pages (tracks, picture, publisher) show the item anew.
    ShowItem(item);
    UpdateListText();
    emit CommandStatesChanged();
}

// ---------------------------------------------------------------------------
// Keyboard

QWidget* CMediaView::FirstEditor() const
{
    return m_fields.isEmpty() ? nullptr : m_fields.first()->Editor();
}

QWidget* CMediaView::LastEditor() const
{
    return m_fields.isEmpty() ? nullptr : m_fields.last()->Editor();
}

namespace {

// The widget Tab would move to from widget, among those that take focus.
QWidget* NextTabStop(QWidget* widget, bool next)
{
    QWidget* candidate = widget;
    for (int guard = 0; guard < 10000; ++guard) {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (!candidate || candidate == widget)
            return nullptr;
        if ((candidate->focusPolicy() & Qt::TabFocus) && candidate->isVisibleTo(candidate->window())
            && candidate->isEnabled() && !candidate->focusProxy())
            return candidate;
    }
    return nullptr;
}

} // namespace

bool CMediaView::focusNextPrevChild(bool next)
{
    // Tab cycles: the list, the fields, the pages, the list again.
    QWidget* focus = QApplication::focusWidget();
    QWidget* last = m_pages.isEmpty() ? LastEditor() : m_pageTabs;
    if (focus && last && next && (focus == last || last->isAncestorOf(focus))) {
        QWidget* to = NextTabStop(focus, true);
        if (!to || !(to == last || last->isAncestorOf(to))) {
            m_list->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    if (focus == m_list && !next && last) {
        QWidget* to = m_pages.isEmpty() ? LastEditor() : m_pageTabs;
        if (to && to->isEnabled()) {
            to->setFocus(Qt::BacktabFocusReason);
            return true;
        }
    }
    return CView::focusNextPrevChild(next);
}

bool CMediaView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            DeleteItem();
            return true;
        }
    }
    return CView::eventFilter(watched, event);
}

CFormField* CMediaView::FindField(const QString& name) const
{
    for (CFormField* field : m_fields)
        if (field->Name() == name)
            return field;
    return nullptr;
}

CFormField* CMediaView::FieldOf(const CString& prop) const
{
    for (CFormField* field : m_fields)
        if (field->Desc().prop == prop)
            return field;
    return nullptr;
}

QPushButton* CMediaView::FindButton(const QString& text) const
{
    for (QPushButton* button : m_buttons) {
        QString shown = button->text();
        shown.remove('&');
        if (shown.endsWith("..."))
            shown.chop(3);
        if (shown == text)
            return button;
    }
    return nullptr;
}

QStringList CMediaView::ItemTexts() const
{
    QStringList texts;
    texts.reserve(m_model->rowCount());
    for (int row = 0; row < m_model->rowCount(); ++row)
        texts << m_model->TextAt(row);
    return texts;
}

QString CMediaView::CurrentItemText() const
{
    return m_model->TextAt(m_model->RowOf(m_item));
}
