#include "data/store/MediaMgr.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <typeinfo>
#include <vector>

#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/MediaValueLists.h"
#include "data/model/VideoMedia.h"
#include "data/store/CustomField.h"
#include "data/store/ItemSort.h"
#include "platform/util/Archive.h"
#include "platform/util/Clock.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/StringUtils.h"

namespace {

// The smallest record a media item can have (CItem and CMediaItem parts with
// empty strings and no optional parts); a stored item count is checked
// against it before anything is made.
constexpr std::size_t MIN_MEDIA_ITEM_RECORD = 51;

// A custom value as text: "Y"/"N", the date, or the string.
CString ValueText(const CCustomValue& value)
{
    switch (value.GetType()) {
    case CCustomValue::booleanValue:
        return value.GetBoolValue() ? "Y" : "N";
    case CCustomValue::dateValue:
        return CDateTimeUtils::ConvertDateNumbers(value.GetDateValue(), false, false, false, false);
    case CCustomValue::stringValue:
        return value.GetStringValue();
    }
    return CString();
}

// The value array that holds an item's custom values: its own when it has a
// category, its medium's for a sub-item without one.
CCustomValueMgr* ValueArrayFor(CItem* item)
{
    if (item->GetCategoryID() >= 1)
        return item->GetCustomValues();
    if (auto* sub = dynamic_cast<CMediaSubItem*>(item); sub && sub->GetParent())
        return sub->GetParent()->GetCustomValues();
    return nullptr;
}

// The value at index, made (of kind) when the slot is empty.
CCustomValue* EnsureValue(CCustomValueMgr& values, int index, CCustomValue::ValueType kind)
{
    CCustomValue* value = values.GetValueAt(index);
    if (!value) {
        value = new CCustomValue(kind);
        values.SetAt(index, value);
    }
    return value;
}

} // namespace

// Duplicate candidates by the hash of their key, in one table with open
// addressing: a large type holds many items, and the table is dropped and
// built again whenever the list is sorted. A candidate counts only when its
// own key is the one looked for.
class CMediaMgr::CIndex {
public:
    struct CEntry {
        std::uint32_t hash = 0;
        std::uint32_t ordinal = 0; // list order when built, then import order; GONE for a removed entry
        CMediaItem* item = nullptr; // null in a free slot
    };
    static constexpr std::uint32_t GONE = ~std::uint32_t(0);
    std::uint32_t nextOrdinal = 0;
    // The highest library ID number per numbering id, kept up to date by
    // imports so that numbering a new row does not look at every item.
    std::map<int, int> highestNumbers;
    bool numbersKnown = false;

    explicit CIndex(std::size_t expected) { Resize(expected); }
    static std::uint32_t Hash(const CString& key) { return static_cast<std::uint32_t>(std::hash<CString> {}(key)); }
    void Add(CMediaItem* item, const CString& key) { Place(CEntry { Hash(key), nextOrdinal++, item }); }
    // Calls f(entry) for every entry whose key hashes as key does.
    template <class F> void ForEach(const CString& key, F&& f) const
    {
        const std::uint32_t hash = Hash(key);
        for (std::size_t at = hash & Mask(); !IsFree(m_slots[at]); at = (at + 1) & Mask())
            if (m_slots[at].item && m_slots[at].hash == hash)
                f(m_slots[at]);
    }
    // Moves item from its old key to its new one, keeping its place in order.
    void Rekey(CMediaItem* item, const CString& oldKey, const CString& newKey)
    {
        const std::uint32_t oldHash = Hash(oldKey);
        const std::uint32_t newHash = Hash(newKey);
        if (oldHash == newHash)
            return;
        for (std::size_t at = oldHash & Mask(); !IsFree(m_slots[at]); at = (at + 1) & Mask())
            if (m_slots[at].item == item) {
                const std::uint32_t ordinal = m_slots[at].ordinal;
                m_slots[at] = CEntry { 0, GONE, nullptr };
                Place(CEntry { newHash, ordinal, item });
                return;
            }
    }

private:
    static bool IsFree(const CEntry& entry) { return !entry.item && entry.ordinal != GONE; }
    std::size_t Mask() const { return m_slots.size() - 1; }
    void Resize(std::size_t count)
    {
        std::size_t size = 16;
        while (size * 3 < (count + 1) * 4)
            size *= 2;
        std::vector<CEntry> old(size);
        old.swap(m_slots);
        m_taken = 0;
        for (const CEntry& entry : old)
            if (entry.item)
                Place(entry);
    }
    void Place(const CEntry& entry)
    {
        if ((m_taken + 1) * 4 > m_slots.size() * 3)
            Resize(m_taken + 1);
        std::size_t at = entry.hash & Mask();
        while (m_slots[at].item)
            at = (at + 1) & Mask();
        if (IsFree(m_slots[at]))
            ++m_taken;
        m_slots[at] = entry;
    }

    std::vector<CEntry> m_slots;
    std::size_t m_taken = 0; // slots not free, removed entries included
};

CMediaMgr::CMediaMgr(int mediaType)
    : m_mediaType(mediaType)
    , m_primarySort(GetInfo().primarySort)
    , m_secondarySort(GetInfo().secondarySort)
{
    m_basicReport.SetName(CMediaUtils::GetMediaNameSingular(mediaType) + " Report");
    m_basicReport.GetMediaIDs().SetShow(mediaType, true);
    m_basicReport.SetSortOrder(m_primarySort, m_secondarySort, CString(), CString());
    for (const CString& column : GetInfo().defaultColumns)
        m_basicReport.AddColumn(column);
}

CMediaMgr::~CMediaMgr()
{
    for (CMediaItem* item : m_items)
        delete item;
}

const CMediaTypeInfo& CMediaMgr::GetInfo() const
{
    return *CMediaRegistry::Find(m_mediaType);
}

CMediaItem* CMediaMgr::CreateDefaultItem() const
{
    return GetInfo().createItem();
}

bool CMediaMgr::IsOwnItem(const CMediaItem* item) const
{
    return item && typeid(*item) == GetInfo().itemClass;
}

const CMediaItemList& CMediaMgr::GetItems() const
{
    if (m_unsorted)
        const_cast<CMediaMgr*>(this)->Sort();
    return m_items;
}

bool CMediaMgr::HoldsItem(const CMediaItem* item) const
{
    return item && m_items.Find(const_cast<CMediaItem*>(item)) != nullptr;
}

CMediaItem* CMediaMgr::CreateItem(const CMediaItem* source, int id, bool append)
{
    const bool copy = IsOwnItem(source);
    CMediaItem* item = copy ? source->Clone() : CreateDefaultItem();
    if (!item)
        return nullptr;
    if (!copy)
        InitNewItem(*item, id);
    if (!append)
        return item;
    m_items.AddTail(item);
    ListChanged();
    // A copy keeps its own location unless the type names one for new items.
    const CString location = GetDefaultLocation(GetItemID(*item));
    if (!location.empty() || !copy)
        item->SetLocation(location);
    AssignNewLibraryID(*item);
    InvalidateIndex();
    return item;
}

void CMediaMgr::DestroyItem(CMediaItem* item)
{
    if (!item)
        return;
    for (POSITION pos = item->GetHeadSubItem(); pos;) {
        CMediaSubItem* sub = item->GetNextSubItem(pos);
        if (sub && sub->GetCategoryID() > 0)
            sub->SetCategoryID(1);
    }
    if (item->GetCategoryID() > 0)
        item->SetCategoryID(1);
    delete item;
}

bool CMediaMgr::DeleteItem(CMediaItem* item)
{
    POSITION pos = item ? m_items.Find(item) : nullptr;
    if (!pos)
        return false;
    m_items.RemoveAt(pos);
    ListChanged();
    InvalidateIndex();
    DestroyItem(item);
    return true;
}

void CMediaMgr::DeleteAllItems()
{
    CMediaItemList items;
    items.Swap(m_items);
    InvalidateIndex();
    ListChanged();
    m_unsorted = false;
    for (CMediaItem* item : items)
        DestroyItem(item);
}

void CMediaMgr::SetSortOrder(const CString& primary, const CString& secondary, bool force)
{
    if (!force && primary == m_primarySort && secondary == m_secondarySort)
        return;
    m_primarySort = primary;
    m_secondarySort = secondary;
    m_basicReport.SetSortOrder(primary, secondary, CString(), CString());
    Sort();
}

namespace {

CItemSort::CValueSource MakeValueSource(const CMediaMgr& mgr)
{
    CItemSort::CValueSource source;
    source.libraryIDNumber = [&mgr](const CMediaItem& item) {
        return mgr.GetNumberingSettings(item).ParseNumberFromID(item.GetLibraryID());
    };
    source.customFieldText = [&mgr](const CMediaItem& item, const CString& name) {
        CMapStringToString values;
        values.SetAt(name, CString());
        mgr.GatherCustomFieldData(&item, values);
        return values.begin()->second;
    };
    return source;
}

} // namespace

void CMediaMgr::Sort()
{
    CItemSort::Sort(m_items, m_primarySort, m_secondarySort, MakeValueSource(*this));
    m_unsorted = false;
    ListChanged();
    InvalidateIndex();
}

void CMediaMgr::SortBy(const CString& prop)
{
    CItemSort::Sort(m_items, prop, CString(), MakeValueSource(*this));
    ListChanged();
    InvalidateIndex();
}

bool CMediaMgr::SupportsSortOrder(const CString& prop) const
{
    static const std::pair<const CString*, unsigned> named[] = {
        { &CMediaUtils::MEDIA_PROP_LIBRARYID, SORT_LIBRARYID },
        { &CMediaUtils::MEDIA_PROP_TITLE, SORT_TITLE },
        { &CMediaUtils::MEDIA_PROP_ARTIST, SORT_ARTIST },
        { &CMediaUtils::MEDIA_PROP_AUTHOR, SORT_AUTHOR },
        { &CMediaUtils::MEDIA_PROP_MAGAZINE, SORT_MAGAZINE },
        { &CMediaUtils::MEDIA_PROP_MAGISSUE, SORT_ISSUE },
        { &CMediaUtils::MEDIA_PROP_COMPOSER, SORT_COMPOSER },
    };
    for (const auto& [name, flag] : named)
        if (*name == prop)
            return (GetInfo().sortOrders & flag) != 0;
    return false;
}

#define VEMO_NAMED_SORT(Name, prop)                                                                                    \
    void CMediaMgr::SortBy##Name()                                                                                     \
    {                                                                                                                  \
        if (SupportsSortOrder(prop))                                                                                   \
            SortBy(prop);                                                                                              \
    }
VEMO_NAMED_SORT(LibraryID, CMediaUtils::MEDIA_PROP_LIBRARYID)
VEMO_NAMED_SORT(Title, CMediaUtils::MEDIA_PROP_TITLE)
VEMO_NAMED_SORT(Artist, CMediaUtils::MEDIA_PROP_ARTIST)
VEMO_NAMED_SORT(Author, CMediaUtils::MEDIA_PROP_AUTHOR)
VEMO_NAMED_SORT(Magazine, CMediaUtils::MEDIA_PROP_MAGAZINE)
VEMO_NAMED_SORT(Issue, CMediaUtils::MEDIA_PROP_MAGISSUE)
VEMO_NAMED_SORT(Composer, CMediaUtils::MEDIA_PROP_COMPOSER)
#undef VEMO_NAMED_SORT

CString CMediaMgr::GetDefaultLocation(int /*id*/) const
{
    return m_defaultLocation;
}

void CMediaMgr::SetDefaultLocation(int /*id*/, const CString& location)
{
    m_defaultLocation = location;
}

bool CMediaMgr::Covers(const CMediaItem& item, int id) const
{
    return id == m_mediaType || id == GetItemID(item);
}

void CMediaMgr::RelocateMedia(int id, const CString& location)
{
    for (CMediaItem* item : m_items)
        if (item && Covers(*item, id))
            item->SetLocation(location);
}

CLibraryIDSettings* CMediaMgr::GetLibraryIDSettings(int id)
{
    return id == m_mediaType ? &m_libraryIDSettings : nullptr;
}

const CLibraryIDSettings& CMediaMgr::GetNumberingSettings(const CMediaItem& item) const
{
    const CLibraryIDSettings* settings = const_cast<CMediaMgr*>(this)->GetLibraryIDSettings(GetItemID(item));
    return settings ? *settings : m_libraryIDSettings;
}

int CMediaMgr::GetNextFreeNumber(const CMediaItem& item) const
{
    const int id = GetItemID(item);
    const CLibraryIDSettings& settings = GetNumberingSettings(item);
    int highest = 0;
    for (const CMediaItem* other : m_items)
        if (other && other != &item && GetItemID(*other) == id)
            highest = std::max(highest, settings.ParseNumberFromID(other->GetLibraryID()));
    return highest + 1;
}

void CMediaMgr::AssignNewLibraryID(CMediaItem& item)
{
    const CLibraryIDSettings& settings = GetNumberingSettings(item);
    if (settings.GetAutoGenerate())
        item.SetLibraryID(settings.FormatID(GetNextFreeNumber(item)));
}

void CMediaMgr::ApplyRenumber(CLibraryIDSettings& settings, int id)
{
    const CString primary = m_primarySort;
    const CString secondary = m_secondarySort;
    const CString& order = settings.GetRenumberSortOrder();
    const bool reorder = !order.empty() && order != primary;
    if (reorder)
        SortBy(order);
    int number = 0;
    for (CMediaItem* item : m_items)
        if (item && Covers(*item, id))
            item->SetLibraryID(settings.FormatID(++number));
    if (reorder)
        SetSortOrder(primary, secondary, true);
}

bool CMediaMgr::UpdateLibraryIDFormat(CLibraryIDSettings& settings, int id)
{
    const bool clear = settings.GetClearAll();
    const bool renumber = settings.GetRenumberAll();
    const bool reformat = settings.GetApplyChangesToAll();
    settings.SetClearAll(false);
    settings.SetRenumberAll(false);
    settings.SetApplyChangesToAll(false);

    bool any = false;
    for (const CMediaItem* item : m_items)
        any = any || (item && Covers(*item, id));
    if (!any || !(clear || renumber || reformat))
        return false;
    if (clear)
        for (CMediaItem* item : m_items)
            if (item && Covers(*item, id))
                item->SetLibraryID(CString());
    if (renumber)
        ApplyRenumber(settings, id);
    if (reformat)
        for (CMediaItem* item : m_items)
            if (item && Covers(*item, id))
                item->SetLibraryID(settings.FormatID(settings.ParseNumberFromID(item->GetLibraryID())));
    InvalidateIndex();
    return true;
}

int CMediaMgr::FieldIndex(const CCustomField* field) const
{
    for (int i = 0; field && i < m_customFields.GetFieldCount(); ++i)
        if (m_customFields.GetFieldAt(i) == field)
            return i;
    return -1;
}

void CMediaMgr::RemapCustomValues(const std::vector<int>& from, int count)
{
    auto remap = [&](CItem& item) {
        CCustomValueMgr* values = item.GetCategoryID() > 0 ? item.GetCustomValues() : nullptr;
        if (!values)
            return;
        CCustomValueMgr rebuilt;
        for (int k = 0; k < count; ++k) {
            if (const CCustomValue* value = values->GetValueAt(from[static_cast<std::size_t>(k)])) {
                auto* copy = new CCustomValue(*value);
                rebuilt.SetAt(k, copy);
            }
        }
        *values = rebuilt;
    };
    for (CMediaItem* item : m_items) {
        if (!item)
            continue;
        remap(*item);
        for (POSITION pos = item->GetHeadSubItem(); pos;)
            if (CMediaSubItem* sub = item->GetNextSubItem(pos))
                remap(*sub);
    }
}

int CMediaMgr::LongestValueArray() const
{
    // Values may stand beyond the last field; they keep their places.
    int longest = m_customFields.GetFieldCount();
    auto measure = [&longest](const CItem& item) {
        if (item.GetCustomValues())
            longest = std::max(longest, item.GetCustomValues()->GetValueCount());
    };
    for (const CMediaItem* item : m_items) {
        if (!item)
            continue;
        measure(*item);
        for (POSITION pos = item->GetHeadSubItem(); pos;)
            if (const CMediaSubItem* sub = item->GetNextSubItem(pos))
                measure(*sub);
    }
    return longest;
}

bool CMediaMgr::DeleteCustomField(CCustomField* field)
{
    const int index = FieldIndex(field);
    if (index < 0)
        return false;
    const int longest = LongestValueArray();
    std::vector<int> from;
    for (int k = 0; k + 1 < longest; ++k)
        from.push_back(k < index ? k : k + 1);
    RemapCustomValues(from, longest - 1);
    m_customFields.Delete(field);
    return true;
}

bool CMediaMgr::SwapCustomFields(CCustomField* a, CCustomField* b)
{
    const int first = FieldIndex(a);
    const int second = FieldIndex(b);
    if (first < 0 || second < 0)
        return false;
    const int count = LongestValueArray();
    std::vector<int> from;
    for (int k = 0; k < count; ++k)
        from.push_back(k == first ? second : (k == second ? first : k));
    RemapCustomValues(from, count);
    m_customFields.SwapOrder(a, b);
    return true;
}

void CMediaMgr::SetDefaultCustomValues(CItem* item) const
{
    if (!item || m_customFields.GetFieldCount() == 0 || item->GetCategoryID() <= 0)
        return;
    CCustomValueMgr* values = item->GetCustomValues();
    if (!values)
        return;
    for (int i = 0; i < m_customFields.GetFieldCount(); ++i) {
        const CCustomField* field = m_customFields.GetFieldAt(i);
        switch (field->GetDataType()) {
        case CF_TEXT:
        case CF_SELECTIONLIST:
        case CF_LOCALFILENAME:
            if (!field->GetInitialValue().empty())
                EnsureValue(*values, i, CCustomValue::stringValue)->SetValue(field->GetInitialValue());
            break;
        case CF_DATE:
            if (field->GetInitialValueDateToday())
                EnsureValue(*values, i, CCustomValue::dateValue)->SetValue(CClock::Now());
            break;
        case CF_TRUEFALSE:
            if (field->GetInitialValueBooleanOn())
                EnsureValue(*values, i, CCustomValue::booleanValue)->SetValue(true);
            break;
        case CF_WEBADDRESS:
            break;
        }
    }
}

void CMediaMgr::GatherCustomFieldData(const CItem* item, CMapStringToString& values) const
{
    if (!item || m_customFields.GetFieldCount() == 0 || item->GetCategoryID() < 1 || !item->GetCustomValues())
        return;
    const CCustomValueMgr& stored = *item->GetCustomValues();
    for (int i = 0; i < m_customFields.GetFieldCount(); ++i) {
        CString* slot = values.PLookup(m_customFields.GetFieldAt(i)->GetName());
        const CCustomValue* value = stored.GetValueAt(i);
        if (slot && value)
            *slot = ValueText(*value);
    }
}

void CMediaMgr::SetCustomFieldData(CItem* item, const CMapStringToString& values, bool apply) const
{
    if (!item || values.IsEmpty() || !apply || m_customFields.GetFieldCount() == 0)
        return;
    CCustomValueMgr* stored = ValueArrayFor(item);
    if (!stored)
        return;
    for (int i = 0; i < m_customFields.GetFieldCount(); ++i) {
        const CCustomField* field = m_customFields.GetFieldAt(i);
        const CString* text = values.PLookup(field->GetName());
        if (!text)
            continue;
        switch (field->GetDataType()) {
        case CF_TEXT:
        case CF_SELECTIONLIST:
        case CF_LOCALFILENAME:
        case CF_WEBADDRESS:
            EnsureValue(*stored, i, CCustomValue::stringValue)->SetValue(*text);
            break;
        case CF_DATE: {
            COleDateTime date;
            CDateTimeUtils::ConvertDateNumbers(*text, date);
            EnsureValue(*stored, i, CCustomValue::dateValue)->SetValue(date);
            break;
        }
        case CF_TRUEFALSE:
            EnsureValue(*stored, i, CCustomValue::booleanValue)->SetValue(CMediaUtils::IsYes(*text));
            break;
        }
    }
}

void CMediaMgr::PrepareBasicReport(CCustomPrintReport& report, bool allColumns) const
{
    report.SetName(CMediaUtils::GetMediaNamePlural(m_mediaType) + " Report");
    report.GetMediaIDs() = CMediaTypeSelection();
    report.GetMediaIDs().SetShow(m_mediaType, true);
    report.SetSortOrder(GetInfo().primarySort, GetInfo().secondarySort, CString(), CString());
    report.ClearColumns();
    if (!allColumns) {
        for (const CString& column : GetInfo().defaultColumns)
            report.AddColumn(column);
        return;
    }
    for (const CString& prop : CMediaRegistry::GetDataProps(m_mediaType))
        report.AddColumn(prop);
    for (const CString& prop : CMediaRegistry::GetSubItemDataProps(m_mediaType))
        report.AddColumn(prop);
}

void CMediaMgr::AppendItems(CItemList& items, bool subItems) const
{
    for (CMediaItem* item : GetItems()) {
        if (!item)
            continue;
        if (!subItems || item->GetCategoryID() > 0) {
            items.AddTail(item);
            continue;
        }
        for (POSITION pos = item->GetHeadSubItem(); pos;)
            items.AddTail(item->GetNextSubItem(pos));
    }
}

void CMediaMgr::OnCategoryDeleted(int id)
{
    if (id >= 1) {
        for (CMediaItem* item : m_items) {
            if (!item)
                continue;
            if (item->GetCategoryID() == id)
                item->SetCategoryID(1);
            // Articles carry categories of their own.
            for (POSITION pos = item->GetHeadSubItem(); pos;) {
                CMediaSubItem* sub = item->GetNextSubItem(pos);
                if (sub && sub->GetCategoryID() == id)
                    sub->SetCategoryID(1);
            }
        }
    }
    m_basicReport.RemoveCategory(id);
}

void CMediaMgr::AddValues(const CMediaValueLists& lists) const
{
    for (const CMediaItem* item : m_items)
        lists.AddValues(item);
}

CString CMediaMgr::ItemKey(const CMediaItem& item) const
{
    if (GetInfo().duplicateKey == CDuplicateKey::magazineIssue) {
        const auto* issue = dynamic_cast<const CMagazineIssue*>(&item);
        if (!issue)
            return CString();
        return CStringUtils::ToLower(issue->GetMagazineName()) + '\x1f' + CStringUtils::ToLower(issue->GetIssue());
    }
    return CStringUtils::ToLower(item.GetTitle());
}

void CMediaMgr::InvalidateIndex() const
{
    m_index.reset();
}

CMediaMgr::CIndex& CMediaMgr::GetIndex() const
{
    if (!m_index) {
        auto index = std::make_unique<CIndex>(m_items.GetCount());
        for (CMediaItem* item : GetItems())
            if (item)
                index->Add(item, ItemKey(*item));
        m_index = std::move(index);
    }
    return *m_index;
}

bool CMediaMgr::IsDuplicate(const CMediaItem& candidate, const CMediaItem& item)
{
    if (&candidate == &item)
        return false;
    const CString& own = item.GetLibraryID();
    const CString& other = candidate.GetLibraryID();
    if (own.empty() == other.empty())
        return (own.empty() || CStringUtils::EqualsNoCase(own, other)) && candidate == item;
    // One of the two has no ID yet (an imported row, or an item numbered
    // after an earlier import): the other key fields decide. The types whose
    // equality takes in the ID are shown the item with the candidate's ID.
    auto& probe = const_cast<CMediaItem&>(item);
    const CString saved = own;
    probe.SetLibraryID(other);
    const bool same = candidate == probe;
    probe.SetLibraryID(saved);
    return same;
}

CMediaItem* CMediaMgr::FindDuplicate(const CMediaItem* item) const
{
    if (!item)
        return nullptr;
    if (GetInfo().duplicateKey == CDuplicateKey::none) {
        for (CMediaItem* candidate : GetItems())
            if (candidate && IsDuplicate(*candidate, *item))
                return candidate;
        return nullptr;
    }
    return FindIndexedDuplicate(*item, ItemKey(*item));
}

CMediaItem* CMediaMgr::FindIndexedDuplicate(const CMediaItem& item, const CString& key) const
{
    const CIndex::CEntry* first = nullptr;
    GetIndex().ForEach(key, [&](const CIndex::CEntry& entry) {
        if ((!first || entry.ordinal < first->ordinal) && IsDuplicate(*entry.item, item) && ItemKey(*entry.item) == key)
            first = &entry;
    });
    return first ? first->item : nullptr;
}

CMediaItem* CMediaMgr::Import(const CMapStringToString& values, bool overwrite, int defaultDVDRegion)
{
    if (values.IsEmpty())
        return nullptr;
    CMediaItem* imported = CreateDefaultItem();
    imported->SetData(values, true);

    const bool indexed = GetInfo().duplicateKey != CDuplicateKey::none;
    const CString key = indexed ? ItemKey(*imported) : CString();
    if (CMediaItem* existing = indexed ? FindIndexedDuplicate(*imported, key) : FindDuplicate(imported)) {
        const CString libraryID = existing->GetLibraryID();
        existing->SetData(values, overwrite);
        if (m_index && existing->GetLibraryID() != libraryID)
            m_index->numbersKnown = false;
        SetCustomFieldData(existing, values, true);
        TakeImportedValues(*existing, values, overwrite);
        MergeImported(*existing, *imported);
        DestroyItem(imported);
        // Found through the index, its key was the row's.
        if (m_index && indexed)
            m_index->Rekey(existing, key, ItemKey(*existing));
        return existing;
    }

    m_items.AddTail(imported);
    ListChanged();
    if (imported->GetLocation().empty())
        imported->SetLocation(GetDefaultLocation(GetItemID(*imported)));
    if (auto* video = dynamic_cast<CVideoMedia*>(imported); video && !values.Contains(CMediaUtils::MEDIA_PROP_REGION))
        video->SetRegion(defaultDVDRegion);
    if (imported->GetLibraryID().empty())
        AssignImportedLibraryID(*imported);
    else if (m_index && m_index->numbersKnown)
        RaiseHighestNumber(*imported);
    SetDefaultCustomValues(imported);
    SetCustomFieldData(imported, values, true);
    TakeImportedValues(*imported, values, false);
    m_unsorted = true;
    if (m_index && indexed)
        m_index->Add(imported, ItemKey(*imported));
    return imported;
}

void CMediaMgr::AssignImportedLibraryID(CMediaItem& item)
{
    const CLibraryIDSettings& settings = GetNumberingSettings(item);
    if (!settings.GetAutoGenerate())
        return;
    if (!m_index) {
        AssignNewLibraryID(item);
        return;
    }
    if (!m_index->numbersKnown) {
        m_index->highestNumbers.clear();
        for (const CMediaItem* other : m_items)
            if (other && other != &item)
                RaiseHighestNumber(*other);
        m_index->numbersKnown = true;
    }
    item.SetLibraryID(settings.FormatID(m_index->highestNumbers[GetItemID(item)] + 1));
    RaiseHighestNumber(item);
}

void CMediaMgr::RaiseHighestNumber(const CMediaItem& item) const
{
    int& highest = m_index->highestNumbers[GetItemID(item)];
    highest = std::max(highest, GetNumberingSettings(item).ParseNumberFromID(item.GetLibraryID()));
}

void CMediaMgr::MergeImported(CMediaItem& /*existing*/, CMediaItem& /*imported*/) const
{
}

void CMediaMgr::TakeImportedValues(CMediaItem& /*item*/, const CMapStringToString& /*values*/, bool /*overwrite*/) const
{
}

void CMediaMgr::Serialize(CArchive& ar, bool earlier)
{
    const WORD version = ar.SerializeVersion(earlier ? RECORD_VERSION_EARLIER : RECORD_VERSION);
    ar.Serialize(m_primarySort);
    ar.Serialize(m_secondarySort);
    if (version >= 2)
        ar.Serialize(m_defaultLocation);
    m_libraryIDSettings.Serialize(ar);
    m_customFields.Serialize(ar);
    m_basicReport.Serialize(ar);

    if (ar.IsStoring()) {
        GetItems();
        for (POSITION pos = m_items.GetHeadPosition(); pos;) {
            POSITION here = pos;
            if (!m_items.GetNext(pos)) {
                m_items.RemoveAt(here);
                ListChanged();
            }
        }
        ar.WriteInt(static_cast<std::int32_t>(m_items.GetCount()));
        for (CMediaItem* item : m_items)
            item->Serialize(ar);
    } else {
        DeleteAllItems();
        const std::int32_t count = ar.ReadCount(MIN_MEDIA_ITEM_RECORD);
        for (std::int32_t i = 0; i < count; ++i) {
            CMediaItem* item = CreateDefaultItem();
            try {
                item->Serialize(ar);
            } catch (...) {
                DestroyItem(item);
                throw;
            }
            m_items.AddTail(item);
        }
        m_unsorted = false;
        ListChanged();
        InvalidateIndex();
    }
    SerializeExtension(ar, earlier);
}

void CMediaMgr::SerializeExtension(CArchive& ar, bool /*earlier*/)
{
    ar.SerializeVersion(1);
}
