#include "data/model/MediaSubItem.h"

#include "data/model/MediaItem.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"

CMediaSubItem::CMediaSubItem(bool usesCategory)
{
    if (usesCategory)
        Link(CItemCategory(true));
}

CMediaSubItem::CMediaSubItem(const CMediaSubItem& source)
    : CItem(source)
{
    if (source.m_linked)
        Link(source.m_link->category);
}

CMediaSubItem::~CMediaSubItem()
{
    if (m_linked)
        delete m_link;
}

void CMediaSubItem::Link(const CItemCategory& category)
{
    CMediaItem* parent = GetParent();
    auto* link = new CCategoryLink(category);
    link->parent = parent;
    if (m_linked)
        delete m_link;
    m_link = link;
    m_linked = true;
}

CItemCategory* CMediaSubItem::MakeCategory()
{
    // A stored record may give a category to a sub-item made without one.
    if (!m_linked)
        Link(CItemCategory(false));
    return &m_link->category;
}

bool CMediaSubItem::operator==(const CItem& other) const
{
    if (this == &other)
        return false;
    const auto* otherSubItem = dynamic_cast<const CMediaSubItem*>(&other);
    if (!otherSubItem)
        return false;
    const CMediaItem* parent = GetParent();
    const CMediaItem* otherParent = otherSubItem->GetParent();
    if (parent == otherParent)
        return true;
    return parent && otherParent && *parent == *otherParent;
}

void CMediaSubItem::GetData(CMapStringToString& data) const
{
    // The medium answers first so that a sub-item with a category of its own
    // shows that category rather than its medium's.
    if (const CMediaItem* parent = GetParent(); parent && !CPropMapIndex::OwnerAnswered(data))
        parent->GetData(data);
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
    SetParent(nullptr);
    return *this;
}
