#include "data/reports/ReportSort.h"

#include <algorithm>
#include <cstdint>

#include "data/model/Book.h"
#include "data/model/Item.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/VideoGame.h"
#include "data/model/VideoMedia.h"
#include "data/model/VideoRecordableMedia.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/LibraryImpl.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/OleDateTime.h"
#include "platform/util/StringUtils.h"
#include "platform/util/TextEncoding.h"

namespace {

using U = CMediaUtils;

enum class KeyKind { none, number, date, seriesNumber, text };

KeyKind Classify(const CString& prop)
{
    if (prop.empty())
        return KeyKind::none;
    bool derived, yesNo, number, date, text, list, noGridEdit;
    U::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
    if (number)
        return KeyKind::number;
    if (date)
        return KeyKind::date;
    if (prop == U::MEDIA_PROP_SERIESNUMBER)
        return KeyKind::seriesNumber;
    return KeyKind::text;
}

// The series number of the media classes that have one, "" for the others
// (as their property maps give it); null when the class is not the one its
// type promises, so that the map is asked instead.
const CString* SeriesNumberOf(const CMediaItem& item)
{
    static const CString NONE;
    const int type = item.GetMediaType();
    bool recordable = false;
    if (type == U::MEDIA_BOOK) {
        const auto* book = dynamic_cast<const CBook*>(&item);
        return book ? &book->GetSeriesNumber() : nullptr;
    }
    if (type == U::MEDIA_VIDEOGAME) {
        const auto* game = dynamic_cast<const CVideoGame*>(&item);
        return game ? &game->GetSeriesNumber() : nullptr;
    }
    if (U::IsMediaTypeVideo(type, recordable)) {
        if (recordable) {
            const auto* video = dynamic_cast<const CVideoRecordableMedia*>(&item);
            return video ? &video->GetSeriesNumber() : nullptr;
        }
        const auto* video = dynamic_cast<const CVideoMedia*>(&item);
        return video ? &video->GetSeriesNumber() : nullptr;
    }
    return &NONE;
}

// A medium's values that need no full property map: its plain fields, and
// those its item base fills (media name, category). Answers as GetData does;
// false for any other property.
bool DirectValue(const CMediaItem& item, const CString& prop, CString& value)
{
    if (prop == U::MEDIA_PROP_TITLE)
        value = item.GetTitle();
    else if (prop == U::MEDIA_PROP_LIBRARYID)
        value = item.GetLibraryID();
    else if (prop == U::MEDIA_PROP_LOCATION)
        value = item.GetLocation();
    else if (prop == U::MEDIA_PROP_DESCRIPTION)
        value = item.GetDescription();
    else if (prop == U::MEDIA_PROP_YEAR)
        value = CStringUtils::Format("%d", item.GetYearPublished());
    else if (prop == U::MEDIA_PROP_DATEACQ)
        value = CDateTimeUtils::ConvertDateNumbers(item.GetDateAcquired(), false, false, false, false);
    else if (prop == U::MEDIA_PROP_SERIESNUMBER) {
        const CString* series = SeriesNumberOf(item);
        if (!series)
            return false;
        value = *series;
    } else if (prop == U::MEDIA_PROP_MEDIA || prop == U::MEDIA_PROP_CATEGORY || prop == U::MEDIA_PROP_CATEGORYDESC) {
        CMapStringToString data;
        data.SetAt(prop, CString());
        item.CItem::GetData(data);
        value = data.begin()->second;
    } else {
        return false;
    }
    return true;
}

struct CKey {
    const CString* text = nullptr; // series number and text
    CString folded; // text: lower-cased, when the value is valid UTF-8
    bool foldedValid = false;
    double number = 0.0;
    COleDateTime date = COleDateTime::Null();
};

CKey MakeKey(const CString& value, KeyKind kind)
{
    CKey key;
    switch (kind) {
    case KeyKind::none:
        break;
    case KeyKind::number:
        key.number = CNumberTextConv::GetDoubleFromString(value);
        break;
    case KeyKind::date:
        CDateTimeUtils::ConvertDateNumbers(value, key.date);
        break;
    case KeyKind::seriesNumber:
        key.text = &value;
        break;
    case KeyKind::text:
        key.text = &value;
        // Byte order of lower-cased UTF-8 is the order of the folded
        // characters; other bytes need the character-wise comparison.
        key.foldedValid = CTextEncoding::IsValidUtf8(value);
        if (key.foldedValid)
            key.folded = CStringUtils::ToLower(value);
        break;
    }
    return key;
}

template <class T> int Sign(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareKeys(const CKey& a, const CKey& b, KeyKind kind, bool& decided)
{
    decided = false;
    switch (kind) {
    case KeyKind::none:
        return 0;
    case KeyKind::number:
        return Sign(a.number, b.number);
    case KeyKind::date:
        return CDateTimeUtils::Compare(a.date, b.date);
    case KeyKind::seriesNumber:
        // A series number decides alone, equal or not.
        decided = true;
        return U::CompareSeriesNumbers(*a.text, *b.text);
    case KeyKind::text:
        if (a.foldedValid && b.foldedValid)
            return Sign(a.folded.compare(b.folded), 0);
        return CStringUtils::CompareNoCase(*a.text, *b.text);
    }
    return 0;
}

} // namespace

bool CReportSort::IsTextProp(const CString& prop)
{
    const KeyKind kind = Classify(prop);
    return kind == KeyKind::text || kind == KeyKind::seriesNumber;
}

namespace {

// What fetching the values of some properties needs, worked out once per
// sort: which properties may come from custom fields, and which media types
// have a custom field of such a name at all.
struct CFetchPlan {
    const CString* const* props = nullptr;
    int count = 0;
    std::vector<char> custom;
    std::uint32_t customTypes = 0; // bit t: type t has a matching field

    CFetchPlan(const CString* const* fetchProps, int fetchCount, const CLibraryImpl* library)
        : props(fetchProps)
        , count(fetchCount)
        , custom(static_cast<std::size_t>(std::max(fetchCount, 0)), 0)
    {
        if (!library)
            return;
        for (int i = 0; i < count; ++i)
            custom[i] = !props[i]->empty() && CReportSort::IsTextProp(*props[i]);
        for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
            const CCustomFieldMgr* fields = library->GetCustomFieldMgr(type);
            for (int f = 0; fields && f < fields->GetFieldCount(); ++f)
                for (int i = 0; i < count; ++i)
                    if (custom[i] && fields->GetFieldAt(f)->GetName() == *props[i])
                        customTypes |= 1u << type;
        }
    }
};

void FetchValues(const CItem* item, const CFetchPlan& plan, const CLibraryImpl* library, CString values[])
{
    const int count = plan.count;
    const CString* const* props = plan.props;
    for (int i = 0; i < count; ++i)
        values[i].clear();
    if (!item)
        return;
    const auto* media = dynamic_cast<const CMediaItem*>(item);
    CMapStringToString data;
    for (int i = 0; i < count; ++i)
        if (!props[i]->empty() && (!media || !DirectValue(*media, *props[i], values[i])))
            data.SetAt(*props[i], CString());
    if (!data.IsEmpty())
        item->GetData(data);
    for (int i = 0; i < count; ++i)
        if (const CString* value = data.PLookup(*props[i]))
            values[i] = *value;
    if (!library || plan.customTypes == 0)
        return;
    int type = 0;
    if (media)
        type = media->GetMediaType();
    else if (const auto* sub = dynamic_cast<const CMediaSubItem*>(item))
        type = sub->GetMediaType();
    if (type < U::MEDIA_TYPE_IDFIRST || type > U::MEDIA_TYPE_IDLAST || !(plan.customTypes & (1u << type)))
        return;
    // Seeded with the data values: a custom field of the same name replaces
    // them, no field leaves them.
    CMapStringToString custom;
    for (int i = 0; i < count; ++i)
        if (plan.custom[i])
            custom.SetAt(*props[i], values[i]);
    library->GatherCustomFieldDataForItem(item, custom);
    for (int i = 0; i < count; ++i)
        if (const CString* value = plan.custom[i] ? custom.PLookup(*props[i]) : nullptr)
            values[i] = *value;
}

} // namespace

void CReportSort::GetValues(
    const CItem* item, const CString* const props[], int count, const CLibraryImpl* library, CString values[])
{
    FetchValues(item, CFetchPlan(props, count, library), library, values);
}

CString CReportSort::GetValue(const CItem* item, const CString& prop, const CLibraryImpl* library)
{
    const CString* props[] = { &prop };
    CString value;
    GetValues(item, props, 1, library, &value);
    return value;
}

std::vector<CReportSort::CRow> CReportSort::SortRows(const std::vector<CItem*>& items,
    const std::vector<CString>& props, const CLibraryImpl* library, unsigned descending)
{
    static const CString NONE;
    const CString* keys[KEY_COUNT];
    KeyKind kinds[KEY_COUNT];
    for (int k = 0; k < KEY_COUNT; ++k) {
        keys[k] = k < static_cast<int>(props.size()) ? &props[k] : &NONE;
        kinds[k] = Classify(*keys[k]);
    }

    const CFetchPlan plan(keys, KEY_COUNT, library);
    std::vector<CRow> rows(items.size());
    struct CEntry {
        CKey keys[KEY_COUNT];
    };
    std::vector<CEntry> entries(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        rows[i].item = items[i];
        FetchValues(items[i], plan, library, rows[i].values);
        for (int k = 0; k < KEY_COUNT; ++k)
            entries[i].keys[k] = MakeKey(rows[i].values[k], kinds[k]);
    }
    if (items.size() < 2)
        return rows;

    // The indices move, not the keys.
    std::vector<std::uint32_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::uint32_t>(i);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const CItem* itemA = rows[a].item;
        const CItem* itemB = rows[b].item;
        if (!itemA || !itemB)
            return itemA && !itemB;
        for (int k = 0; k < KEY_COUNT; ++k) {
            bool decided = false;
            int c = CompareKeys(entries[a].keys[k], entries[b].keys[k], kinds[k], decided);
            if (descending & (1u << k))
                c = -c;
            if (c != 0 || decided)
                return c < 0;
        }
        return false;
    });
    std::vector<CRow> sorted;
    sorted.reserve(rows.size());
    for (std::uint32_t i : order)
        sorted.push_back(std::move(rows[i]));
    return sorted;
}

void CReportSort::Sort(CItemList& items, const CString& prop1, const CString& prop2, const CString& prop3,
    const CString& prop4, const CLibraryImpl* library, unsigned descending)
{
    if (items.GetCount() < 2)
        return;
    const std::vector<CRow> rows = SortRows(
        std::vector<CItem*>(items.begin(), items.end()), { prop1, prop2, prop3, prop4 }, library, descending);
    std::size_t i = 0;
    for (POSITION pos = items.GetHeadPosition(); pos; ++i) {
        POSITION here = pos;
        items.GetNext(pos);
        items.SetAt(here, rows[i].item);
    }
}
