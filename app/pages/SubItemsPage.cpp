#include "app/pages/SubItemsPage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/MessageBox.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/PageSupport.h"
#include "app/pages/SubItemDelegate.h"
#include "app/pages/SubItemFieldsDlg.h"
#include "app/pages/SubItemModel.h"
#include "data/model/MediaFactory.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"

using namespace PageSupport;
using Field = CSubItemGrid::Field;
using Kind = CSubItemGrid::Kind;
using SubItems = CSubItemGrid::SubItems;

namespace {

const QString kDeleteArticle = "VemoLibrary is about to permanently remove this article.\n\nContinue?";

// Room for the header and a typical value, in the grid's font.
int ColumnWidth(const CSubItemGrid::Column& column, const QFontMetrics& metrics)
{
    int content = 0;
    switch (column.field) {
    case Field::Disc:
    case Field::Side:
        content = metrics.horizontalAdvance("00");
        break;
    case Field::Source:
    case Field::Category:
        content = metrics.horizontalAdvance("Record Album");
        break;
    default:
        switch (column.kind) {
        case Kind::Number:
            content = metrics.horizontalAdvance("00000");
            break;
        case Kind::Time:
            content = metrics.horizontalAdvance("00:00:00");
            break;
        case Kind::Date:
            content = metrics.horizontalAdvance("2000-00-00");
            break;
        default:
            content = metrics.horizontalAdvance("Some words");
            break;
        }
    }
    return std::max(metrics.horizontalAdvance(Q(column.header)) + 24, content + 14);
}

// A button of the row below the grid, no wider than its text needs.
QToolButton* MakeButton(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    return button;
}

} // namespace

CSubItemGrid::SubItems CSubItemsPage::SubItemsOf(int mediaType)
{
    const std::unique_ptr<CMediaItem> prototype(CMediaFactory::CreateMediaItem(mediaType));
    return prototype ? CSubItemGrid::GetSubItems(*prototype) : SubItems::None;
}

CSubItemsPage::CSubItemsPage(CVemoLibraryDoc* doc, int mediaType, QWidget* parent)
    : CItemPage(doc, parent)
    , m_mediaType(mediaType)
    , m_subItems(SubItemsOf(mediaType))
    , m_model(new CSubItemModel(this))
    , m_grid(new QTableView(this))
    , m_new(MakeButton("&New", this))
    , m_insert(MakeButton("In&sert", this))
    , m_delete(MakeButton("&Delete", this))
    , m_up(MakeButton("&Move Up", this))
    , m_down(MakeButton("Move Do&wn", this))
    , m_renumber(MakeButton("Renumber", this))
    , m_fields(MakeButton("Custom &Fields...", this))
    , m_length(new QLabel(this))
    , m_remaining(new QLabel(this))
{
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new CSubItemDelegate(m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->setAccessibleName(Title().remove('&'));
    if (const std::unique_ptr<CMediaItem> prototype { CMediaFactory::CreateMediaItem(mediaType) }) {
        m_renumber->setVisible(CSubItemGrid::CanRenumber(*prototype));
        // Sub-items made with a category keep values of the type's fields.
        const std::unique_ptr<CMediaSubItem> sub(prototype->CreateSubItem(nullptr));
        m_subItemsHaveFields = sub && sub->GetCustomValues();
    } else {
        m_renumber->hide();
    }
    m_fields->setVisible(m_subItemsHaveFields);

    m_new->setToolTip("New sub-item at the end (F5)");
    m_insert->setToolTip("New sub-item before the selected one");
    m_renumber->setToolTip("Number the rows 1, 2, 3... in the order shown");
    m_fields->setToolTip("The custom field values of the selected row");
    connect(m_new, &QToolButton::clicked, this, &CSubItemsPage::AddSubItem);
    connect(m_insert, &QToolButton::clicked, this, &CSubItemsPage::InsertSubItem);
    connect(m_delete, &QToolButton::clicked, this, &CSubItemsPage::DeleteSubItem);
    connect(m_up, &QToolButton::clicked, this, &CSubItemsPage::MoveUp);
    connect(m_down, &QToolButton::clicked, this, &CSubItemsPage::MoveDown);
    connect(m_renumber, &QToolButton::clicked, this, &CSubItemsPage::Renumber);
    connect(m_fields, &QToolButton::clicked, this, &CSubItemsPage::EditSubItemFields);
    connect(m_model, &CSubItemModel::SubItemEdited, this, &CSubItemsPage::Changed);
    // Not from inside the editor's own commit: a modal notice there would
    // run while the editor is being closed.
    connect(
        m_model, &CSubItemModel::ValueCorrected, this,
        [this](const QString& message) { ShowDataModified(this, CText(message)); }, Qt::QueuedConnection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CSubItemsPage::UpdateState);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CSubItemsPage::UpdateState);
    // The title takes the width the other columns leave, also after the
    // user widened one of them.
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
        if (column != m_titleColumn)
            FitTitle();
    });

    // The buttons in a row below the grid, the totals below them: the grid
    // keeps the page's width, and the page fits the room below the fields.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (QToolButton* button : { m_new, m_insert, m_delete, m_up, m_down, m_renumber, m_fields })
        buttons->addWidget(button);
    buttons->addStretch();
    auto* summary = new QHBoxLayout;
    summary->addWidget(m_length);
    summary->addStretch();
    summary->addWidget(m_remaining);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    layout->addLayout(summary);
    SetItem(nullptr);
}

QString CSubItemsPage::Title() const
{
    switch (m_subItems) {
    case SubItems::Chapters:
        return "&Chapters";
    case SubItems::Articles:
        return "A&rticles";
    case SubItems::Tracks:
        return m_mediaType == CMediaUtils::MEDIA_8TRACK ? "&Programs/Tracks" : "&Tracks";
    case SubItems::Recordings:
        // A recordable CD holds tracks, however they were recorded.
        return m_mediaType == CMediaUtils::MEDIA_CDREC ? "&Tracks" : "&Recordings";
    case SubItems::None:
        break;
    }
    return "&Items";
}

void CSubItemsPage::SetItem(CMediaItem* item)
{
    TakeOver();
    m_item = item;
    m_model->SetItem(item);
    QHeaderView* header = m_grid->horizontalHeader();
    int texts = 0;
    for (int column = 0; column < m_model->columnCount(); ++column)
        texts += m_model->ColumnAt(column).kind == Kind::Text ? 1 : 0;
    // With one or two texts the title takes the width that is left. More
    // texts (articles) start at a width that shows a few words, the title
    // more, the last column takes the rest, and the grid scrolls sideways.
    // Numbers, times and choices keep their widths.
    const bool titleFills = texts <= 2;
    header->setStretchLastSection(!titleFills);
    m_titleColumn = -1;
    const QFontMetrics metrics = m_grid->fontMetrics();
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const CSubItemGrid::Column& info = m_model->ColumnAt(column);
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        if (info.kind == Kind::Text && titleFills && info.field == Field::Title)
            m_titleColumn = column;
        else if (info.kind == Kind::Text)
            m_grid->setColumnWidth(column, info.field == Field::Title ? 200 : 110);
        else
            m_grid->setColumnWidth(column, ColumnWidth(info, metrics));
    }
    FitTitle();
    setEnabled(item != nullptr);
    if (m_model->rowCount() > 0)
        SelectRow(0, false);
    // A new item shows its first columns, whichever cell is current.
    m_grid->horizontalScrollBar()->setValue(0);
    UpdateState();
}

void CSubItemsPage::FitTitle()
{
    if (m_titleColumn < 0 || m_titleColumn >= m_model->columnCount())
        return;
    int others = 0;
    for (int column = 0; column < m_model->columnCount(); ++column)
        others += column == m_titleColumn ? 0 : m_grid->columnWidth(column);
    // Never so narrow that a title shows no more than a word; below that
    // the grid scrolls sideways.
    const int least = m_grid->fontMetrics().averageCharWidth() * 18;
    m_grid->setColumnWidth(m_titleColumn, std::max(least, m_grid->viewport()->width() - others));
}

bool CSubItemsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        FitTitle();
    return CItemPage::eventFilter(watched, event);
}

void CSubItemsPage::TakeOver()
{
    // An open editor commits what it holds, as a field does on losing focus.
    QWidget* editor = m_grid->indexWidget(m_grid->currentIndex());
    if (!editor)
        return;
    auto* delegate = m_grid->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CSubItemsPage::OnUpdate(int hint)
{
    switch (hint) {
    case CVemoLibraryDoc::HintMediaSettings:
        // The cassette counter may have turned from a count into a time.
        SetItem(m_item);
        break;
    case CVemoLibraryDoc::HintCategories:
        m_grid->viewport()->update();
        break;
    default:
        break;
    }
}

bool CSubItemsPage::CanAddSubItem() const
{
    return m_item && m_model->columnCount() > 0;
}

bool CSubItemsPage::AddSubItem()
{
    if (!CanAddSubItem())
        return false;
    TakeOver();
    const int row = NewSubItem(m_model->rowCount());
    if (row < 0)
        return false;
    Changed();
    SelectRow(row, true);
    return true;
}

bool CSubItemsPage::InsertSubItem()
{
    if (!CanAddSubItem())
        return false;
    TakeOver();
    const int current = CurrentRow();
    const int row = NewSubItem(current < 0 ? 0 : current);
    if (row < 0)
        return false;
    Changed();
    SelectRow(row, true);
    return true;
}

bool CSubItemsPage::DeleteSubItem()
{
    const int row = CurrentRow();
    if (!m_item || row < 0)
        return false;
    TakeOver();
    if (m_subItems == SubItems::Articles && !CMessageBox::Confirm(this, "Delete Article", kDeleteArticle))
        return false;
    CVemoLibraryDoc* doc = GetDocument();
    CMediaItem* item = m_item;
    m_model->RemoveSubItem(row, [doc, item](CMediaSubItem* sub) {
        if (doc)
            doc->DeleteSubItem(sub);
        else
            item->DeleteSubItem(sub);
    });
    emit ItemChanged();
    SelectRow(std::min(row, m_model->rowCount() - 1), false);
    UpdateState();
    return true;
}

bool CSubItemsPage::MoveUp()
{
    const int row = CurrentRow();
    TakeOver();
    if (!m_model->MoveSubItem(row, row - 1))
        return false;
    Changed();
    SelectRow(row - 1, false);
    return true;
}

bool CSubItemsPage::MoveDown()
{
    const int row = CurrentRow();
    TakeOver();
    if (!m_model->MoveSubItem(row, row + 1))
        return false;
    Changed();
    SelectRow(row + 1, false);
    return true;
}

bool CSubItemsPage::Renumber()
{
    if (!m_item || !CSubItemGrid::CanRenumber(*m_item) || m_model->rowCount() == 0)
        return false;
    TakeOver();
    m_model->Renumber();
    Changed();
    return true;
}

bool CSubItemsPage::EditSubItemFields()
{
    CMediaSubItem* sub = m_model->SubItemAt(CurrentRow());
    if (!m_item || !sub || !sub->GetCustomValues())
        return false;
    TakeOver();
    CSubItemFieldsDlg dialog(GetDocument(), sub, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.IsChanged())
        return false;
    Changed();
    return true;
}

void CSubItemsPage::OnMediaSizeChanged()
{
    // Fewer discs move tracks to the last one.
    m_model->Refresh();
    UpdateState();
}

int CSubItemsPage::NewSubItem(int row)
{
    row = m_model->InsertSubItem(row);
    CMediaSubItem* sub = m_model->SubItemAt(row);
    CLibrary* library = GetDocument() ? GetDocument()->GetLibrary() : nullptr;
    if (sub && sub->UsesCategory() && library) {
        library->SetDefaultCustomValues(sub);
        m_model->Refresh();
    }
    return row;
}

QString CSubItemsPage::LengthText() const
{
    return m_length->text();
}

QString CSubItemsPage::RemainingText() const
{
    return m_remaining->text();
}

int CSubItemsPage::CurrentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CSubItemsPage::SelectRow(int row, bool edit)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int title = m_model->FindColumn(Field::Title);
    const QModelIndex index = m_model->index(row, title < 0 ? 0 : title);
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
    if (edit) {
        m_grid->setFocus();
        m_grid->edit(index);
    }
}

void CSubItemsPage::Changed()
{
    // The library's search texts include the sub-items' own.
    if (CVemoLibraryDoc* doc = GetDocument(); doc && m_item)
        doc->MarkItemModified(m_item);
    emit ItemChanged();
    UpdateState();
}

void CSubItemsPage::UpdateState()
{
    const int row = CurrentRow();
    const bool canAdd = CanAddSubItem();
    m_new->setEnabled(canAdd);
    m_insert->setEnabled(canAdd);
    m_delete->setEnabled(m_item && row >= 0);
    m_up->setEnabled(m_item && row > 0);
    m_down->setEnabled(m_item && row >= 0 && row < m_model->rowCount() - 1);
    m_renumber->setEnabled(m_item && m_model->rowCount() > 0);
    const CMediaSubItem* sub = m_item ? m_model->SubItemAt(row) : nullptr;
    m_fields->setEnabled(sub && sub->GetCustomValues());
    m_length->setText(m_item ? Q(CSubItemGrid::GetLengthSummary(*m_item)) : QString());
    m_remaining->setText(m_item ? Q(CSubItemGrid::GetRemainingSummary(*m_item)) : QString());
    m_length->setVisible(!m_length->text().isEmpty());
    m_remaining->setVisible(!m_remaining->text().isEmpty());
}
