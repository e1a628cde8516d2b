#include "app/views/ItemFilterModel.h"

void CItemFilterModel::SetFilterText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    invalidate();
}

bool CItemFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_text.isEmpty())
        return true;
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    return index.data(Qt::DisplayRole).toString().contains(m_text, Qt::CaseInsensitive);
}
