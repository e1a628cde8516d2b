#include "app/pages/SubItemModel.h"

#include <algorithm>

#include "app/pages/PageSupport.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"

using namespace PageSupport;
using Field = CSubItemGrid::Field;
using Kind = CSubItemGrid::Kind;

CSubItemModel::CSubItemModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void CSubItemModel::SetItem(CMediaItem* item)
{
    m_item = item;
    Reload();
}

void CSubItemModel::Reload()
{
    beginResetModel();
    m_columns = m_item ? CSubItemGrid::GetColumns(*m_item) : std::vector<CSubItemGrid::Column>();
    Resync();
    endResetModel();
}

void CSubItemModel::Resync()
{
    m_rows.clear();
    if (!m_item || m_columns.empty())
        return;
    m_rows.reserve(m_item->GetSubItemCount());
    for (POSITION pos = m_item->GetHeadSubItem(); pos;)
        m_rows.push_back(m_item->GetNextSubItem(pos));
}

void CSubItemModel::RowsChanged(int first, int last)
{
    if (first <= last && last < rowCount())
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

CMediaSubItem* CSubItemModel::SubItemAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[row] : nullptr;
}

int CSubItemModel::RowOf(const CMediaSubItem* sub) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (m_rows[row] == sub)
            return row;
    return -1;
}

int CSubItemModel::FindColumn(CSubItemGrid::Field field) const
{
    for (int column = 0; column < columnCount(); ++column)
        if (m_columns[column].field == field)
            return column;
    return -1;
}

int CSubItemModel::InsertSubItem(int row)
{
    if (!m_item || m_columns.empty())
        return -1;
    row = std::clamp(row, 0, rowCount());
    beginInsertRows(QModelIndex(), row, row);
    CSubItemGrid::Insert(*m_item, row);
    Resync();
    endInsertRows();
    // Later rows of the disc may have moved up one number.
    RowsChanged(row + 1, rowCount() - 1);
    return row;
}

bool CSubItemModel::RemoveSubItem(int row, const std::function<void(CMediaSubItem*)>& destroy)
{
    CMediaSubItem* sub = SubItemAt(row);
    if (!sub)
        return false;
    CSubItemGrid::CloseGap(*m_item, *sub);
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    destroy(sub);
    // The row is gone, so the sub-item must be too.
    if (m_item->FindSubItem(sub) >= 0)
        m_item->DeleteSubItem(sub);
    endRemoveRows();
    RowsChanged(row, rowCount() - 1);
    return true;
}

bool CSubItemModel::MoveSubItem(int from, int to)
{
    if (!SubItemAt(from) || !SubItemAt(to) || from == to)
        return false;
    if (!beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to))
        return false;
    CSubItemGrid::Move(*m_item, from, to);
    Resync();
    endMoveRows();
    RowsChanged(std::min(from, to), std::max(from, to));
    return true;
}

void CSubItemModel::Renumber()
{
    if (!m_item)
        return;
    CSubItemGrid::Renumber(*m_item);
    RowsChanged(0, rowCount() - 1);
}

void CSubItemModel::Refresh()
{
    RowsChanged(0, rowCount() - 1);
}

int CSubItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CSubItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant CSubItemModel::data(const QModelIndex& index, int role) const
{
    const CMediaSubItem* sub = index.isValid() ? SubItemAt(index.row()) : nullptr;
    if (!sub || index.column() >= columnCount())
        return QVariant();
    const CSubItemGrid::Column& column = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Q(CSubItemGrid::GetText(*sub, column.field));
    case Qt::TextAlignmentRole:
        if (column.field == Field::Disc || column.field == Field::Side)
            return QVariant::fromValue(Qt::AlignCenter);
        if (column.kind == Kind::Number || column.kind == Kind::Time)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case KindRole:
        return static_cast<int>(column.kind);
    case ChoicesRole: {
        QStringList choices;
        for (const CString& choice : CSubItemGrid::GetChoices(*m_item, column.field))
            choices << Q(choice);
        return choices;
    }
    default:
        return QVariant();
    }
}

QVariant CSubItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return Q(m_columns[section].header);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CSubItemModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool CSubItemModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    CMediaSubItem* sub = index.isValid() ? SubItemAt(index.row()) : nullptr;
    if (!sub || role != Qt::EditRole || index.column() >= columnCount())
        return false;
    const CSubItemGrid::Edit edit = CSubItemGrid::SetText(*sub, m_columns[index.column()], CText(value.toString()));
    if (edit.changed) {
        RowsChanged(index.row(), index.row());
        emit SubItemEdited();
    }
    if (!edit.message.empty())
        emit ValueCorrected(Q(edit.message));
    return true;
}
