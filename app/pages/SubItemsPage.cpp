#include "app/pages/SubItemsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
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

int ColumnWidth(const CSubItemGrid::Column& column)
{
    switch (column.field) {
    case Field::Disc:
    case Field::Side:
        return 50;
    case Field::Source:
        return 140;
    case Field::Category:
        return 110;
    default:
        break;
    }
    switch (column.kind) {
    case Kind::Number:
        return 60;
    case Kind::Time:
        return 75;
    default:
        return 95;
    }
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
    , m_new(new QPushButton("&New", this))
    , m_insert(new QPushButton("In&sert", this))
    , m_delete(new QPushButton("&Delete", this))
    , m_up(new QPushButton("&Move Up", this))
    , m_down(new QPushButton("Move Do&wn", this))
    , m_renumber(new QPushButton("Renumber", this))
    , m_fields(new QPushButton("Custom &Fields...", this))
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
    connect(m_new, &QPushButton::clicked, this, &CSubItemsPage::AddSubItem);
    connect(m_insert, &QPushButton::clicked, this, &CSubItemsPage::InsertSubItem);
    connect(m_delete, &QPushButton::clicked, this, &CSubItemsPage::DeleteSubItem);
    connect(m_up, &QPushButton::clicked, this, &CSubItemsPage::MoveUp);
    connect(m_down, &QPushButton::clicked, this, &CSubItemsPage::MoveDown);
    connect(m_renumber, &QPushButton::clicked, this, &CSubItemsPage::Renumber);
    connect(m_fields, &QPushButton::clicked, this, &CSubItemsPage::EditSubItemFields);
    connect(m_model, &CSubItemModel::SubItemEdited, this, &CSubItemsPage::Changed);
    // Not from inside the editor's own commit: a modal notice there would
    // run while the editor is being closed.
    connect(
        m_model, &CSubItemModel::ValueCorrected, this,
        [this](const QString& message) { ShowDataModified(this, CText(message)); }, Qt::QueuedConnection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CSubItemsPage::UpdateState);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CSubItemsPage::UpdateState);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : { m_new, m_insert, m_delete, m_up, m_down, m_renumber, m_fields })
        buttons->addWidget(button);
    buttons->addStretch();
    auto* grid = new QHBoxLayout;
    grid->addWidget(m_grid, 1);
    grid->addLayout(buttons);
    auto* summary = new QHBoxLayout;
    summary->addWidget(m_length);
    summary->addStretch();
    summary->addWidget(m_remaining);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
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
    const bool titleStretches = texts <= 2;
    header->setStretchLastSection(!titleStretches);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const CSubItemGrid::Column& info = m_model->ColumnAt(column);
        if (info.kind == Kind::Text && titleStretches && info.field == Field::Title) {
            header->setSectionResizeMode(column, QHeaderView::Stretch);
        } else if (info.kind == Kind::Text) {
            header->setSectionResizeMode(column, QHeaderView::Interactive);
            m_grid->setColumnWidth(column, info.field == Field::Title ? 200 : 110);
        } else {
            header->setSectionResizeMode(column, QHeaderView::Interactive);
            m_grid->setColumnWidth(column, ColumnWidth(info));
        }
    }
    setEnabled(item != nullptr);
    if (m_model->rowCount() > 0)
        SelectRow(0, false);
    // A new item shows its first columns, whichever cell is current.
    m_grid->horizontalScrollBar()->setValue(0);
    UpdateState();
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
    m_length->setText(m_item ? QText(CSubItemGrid::GetLengthSummary(*m_item)) : QString());
    m_remaining->setText(m_item ? QText(CSubItemGrid::GetRemainingSummary(*m_item)) : QString());
}
