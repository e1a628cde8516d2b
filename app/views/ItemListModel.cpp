#include "app/views/ItemListModel.h"

#include <algorithm>

#include "data/store/Library.h"

CItemListModel::CItemListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

int CItemListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant CItemListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Entry& entry = m_entries[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        return entry.text;
    case ItemRole:
        return QVariant::fromValue(reinterpret_cast<quintptr>(entry.item));
    default:
        return {};
    }
}

void CItemListModel::Fill(const CLibrary* library, int mediaType)
{
    beginResetModel();
    m_entries.clear();
    if (library) {
        CStringArray texts;
        library->GetItemListTexts(mediaType, texts);
        m_entries.reserve(static_cast<std::size_t>(texts.GetSize()));
        INT_PTR index = 0;
        for (POSITION pos = library->GetHeadItem(mediaType); pos; ++index) {
            CMediaItem* item = library->GetNextItem(mediaType, pos);
            if (!item)
                continue;
            m_entries.push_back(
                { item, index < texts.GetSize() ? QString::fromStdString(texts.GetAt(index)) : QString() });
        }
    }
    endResetModel();
}

void CItemListModel::Clear()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

CMediaItem* CItemListModel::ItemAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_entries[static_cast<std::size_t>(row)].item : nullptr;
}

const QString& CItemListModel::TextAt(int row) const
{
    static const QString none;
    return row >= 0 && row < rowCount() ? m_entries[static_cast<std::size_t>(row)].text : none;
}

int CItemListModel::RowOf(const CMediaItem* item) const
{
    if (!item)
        return -1;
    auto found = std::find_if(m_entries.begin(), m_entries.end(), [item](const Entry& e) { return e.item == item; });
    return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
}

int CItemListModel::RowOfText(const QString& text) const
{
    auto found = std::find_if(m_entries.begin(), m_entries.end(), [&text](const Entry& e) { return e.text == text; });
    return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
}

QString CItemListModel::MakeUnique(const QString& text, int except) const
{
    auto taken = [&](const QString& candidate) {
        for (std::size_t row = 0; row < m_entries.size(); ++row)
            if (static_cast<int>(row) != except && m_entries[row].text == candidate)
                return true;
        return false;
    };
    QString candidate = text;
    for (int n = 2; taken(candidate); ++n)
        candidate = QString("%1 (%2)").arg(text).arg(n);
    return candidate;
}

void CItemListModel::Insert(int row, CMediaItem* item, const QString& text)
{
    row = std::clamp(row, 0, rowCount());
    const QString unique = MakeUnique(text);
    beginInsertRows(QModelIndex(), row, row);
    m_entries.insert(m_entries.begin() + row, { item, unique });
    endInsertRows();
}

bool CItemListModel::Replace(int row, const QString& text)
{
    if (row < 0 || row >= rowCount())
        return false;
    Entry& entry = m_entries[static_cast<std::size_t>(row)];
    const QString unique = MakeUnique(text, row);
    if (unique == entry.text)
        return false;
    entry.text = unique;
    const QModelIndex at = index(row);
    emit dataChanged(at, at, { Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole });
    return true;
}

void CItemListModel::Remove(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.erase(m_entries.begin() + row);
    endRemoveRows();
}
