#include "data/model/MediaSubItem.h"

#include "data/model/MediaItem.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"

CMediaSubItem::CMediaSubItem(bool usesCategory)
    : CItem(usesCategory)
{
}

CMediaSubItem::CMediaSubItem(const CMediaSubItem& source)
    : CItem(source)
{
}

bool CMediaSubItem::operator==(const CItem& other) const
{
    if (this == &other)
        return false;
    const auto* otherSubItem = dynamic_cast<const CMediaSubItem*>(&other);
    if (!otherSubItem)
        return false;
    const CMediaItem* otherParent = otherSubItem->m_parent;
    if (m_parent == otherParent)
        return true;
    return m_parent && otherParent && *m_parent == *otherParent;
}

void CMediaSubItem::GetData(CMapStringToString& data) const
{
    // The medium answers first so that a sub-item with a category of its own
    // shows that category rather than its medium's.
    if (m_parent && !CPropMapIndex::OwnerAnswered(data))
        m_parent->GetData(data);
    CItem::GetData(data);
}

void CMediaSubItem::Serialize(CArchive& ar)
{
    CItem::Serialize(ar);
    ar.SerializeVersion(1);
}

CMediaSubItem& CMediaSubItem::operator=(const CMediaSubItem& source)
{
    if (this == &source)
        return *this;
    CItem::operator=(source);
    m_parent = nullptr;
    return *this;
}
