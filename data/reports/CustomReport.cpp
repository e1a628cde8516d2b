#include "data/reports/CustomReport.h"

#include <cstdint>

#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/ItemLists.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/LibraryImpl.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

namespace {

// A position names the id it stands at (offset by one, so that no id gives
// a null position).
POSITION ToPos(int id)
{
    return reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(static_cast<std::uint32_t>(id)) + 1);
}

int FromPos(POSITION pos)
{
    return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pos) - 1));
}

} // namespace

bool CCustomReport::operator==(const CCustomReport& other) const
{
    return CStringUtils::EqualsNoCase(m_name, other.m_name);
}

void CCustomReport::RemoveCategory(int id)
{
    m_categories.RemoveKey(id);
    m_newCategories.RemoveKey(id);
}

POSITION CCustomReport::HeadOf(const CIdSet& set)
{
    return set.empty() ? nullptr : ToPos(set.begin()->first);
}

int CCustomReport::NextOf(const CIdSet& set, POSITION& pos)
{
    if (!pos)
        return 0;
    const int id = FromPos(pos);
    auto next = set.upper_bound(id);
    pos = next == set.end() ? nullptr : ToPos(next->first);
    return id;
}

void CCustomReport::SerializeIds(CArchive& ar, CIdSet& set)
{
    if (ar.IsStoring()) {
        ar.WriteInt(static_cast<std::int32_t>(set.GetCount()));
        for (const auto& entry : set)
            ar.WriteInt(entry.first);
        return;
    }
    set.RemoveAll();
    const std::int32_t count = ar.ReadCount(4);
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    for (std::int32_t i = 0; i < count; ++i) {
        const int id = ar.ReadInt();
        if (categories && categories->GetCategory(id))
            set.SetAt(id, 1);
    }
}

void CCustomReport::Serialize(CArchive& ar)
{
    ar.SerializeVersion(1);
    ar.Serialize(m_name);
    m_mediaIDs.Serialize(ar);
    SerializeIds(ar, m_categories);
    SerializeIds(ar, m_newCategories);
}

void CCustomReport::AdjustText(const CString& prop, CString& text)
{
    if (text.empty())
        return;
    if (text == "0") {
        text.clear();
        return;
    }
    if (prop == CMediaUtils::MEDIA_PROP_CATEGORY && text == CCategory::GetNoCategory()) {
        text.clear();
        return;
    }
    if (prop == CMediaUtils::MEDIA_PROP_LENGTH && (text == "0:00" || text == "00:00")) {
        text.clear();
        return;
    }
    if (text == "N") {
        bool derived, yesNo, number, date, isText, list, noGridEdit;
        CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, isText, list, noGridEdit);
        if (yesNo)
            text.clear();
    }
}

bool CCustomReport::PropCallsForSubItems(
    const CString& prop, const CMediaTypeSelection& selection, const CLibraryImpl* library)
{
    if (prop.empty())
        return false;
    const bool magazines = selection.GetShow(CMediaUtils::MEDIA_MAGAZINE);
    if (CMediaUtils::IsDataPropSubItemProp(prop, magazines))
        return true;
    if (!magazines || !library)
        return false;
    // Articles carry custom values of their own.
    const CCustomFieldMgr* fields = library->GetCustomFieldMgr(CMediaUtils::MEDIA_MAGAZINE);
    for (int i = 0; fields && i < fields->GetFieldCount(); ++i)
        if (fields->GetFieldAt(i)->GetName() == prop)
            return true;
    return false;
}

void CCustomReport::FilterByCategory(CItemList& items) const
{
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        POSITION here = pos;
        const CItem* item = items.GetNext(pos);
        if (!item)
            continue;
        const int id = item->GetCategoryID() <= 0 ? 1 : item->GetCategoryID();
        if (!m_categories.Contains(id) && !m_newCategories.Contains(id))
            items.RemoveAt(here);
    }
}

void CCustomReport::SwapForSubItems(CItemList& items)
{
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        POSITION here = pos;
        const auto* media = dynamic_cast<const CMediaItem*>(items.GetNext(pos));
        if (!media || media->GetSubItemCount() == 0)
            continue;
        for (POSITION sub = media->GetHeadSubItem(); sub;)
            items.InsertBefore(here, media->GetNextSubItem(sub));
        items.RemoveAt(here);
    }
}
