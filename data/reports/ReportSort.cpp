#include "data/reports/ReportSort.h"

#include <algorithm>

#include "data/model/Item.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
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
    else if (prop == U::MEDIA_PROP_MEDIA || prop == U::MEDIA_PROP_CATEGORY || prop == U::MEDIA_PROP_CATEGORYDESC) {
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

void CReportSort::GetValues(
    const CItem* item, const CString* const props[], int count, const CLibraryImpl* library, CString values[])
{
    for (int i = 0; i < count; ++i)
        values[i].clear();
    if (!item)
        return;
    const auto* media = dynamic_cast<const CMediaItem*>(item);
    CMapStringToString data;
    CMapStringToString custom;
    for (int i = 0; i < count; ++i) {
        if (props[i]->empty())
            continue;
        if (!media || !DirectValue(*media, *props[i], values[i]))
            data.SetAt(*props[i], CString());
        if (library && IsTextProp(*props[i]))
            custom.SetAt(*props[i], CString());
    }
    if (!data.IsEmpty())
        item->GetData(data);
    for (int i = 0; i < count; ++i)
        if (const CString* value = data.PLookup(*props[i]))
            values[i] = *value;
    if (custom.IsEmpty())
        return;
    // Seed with the data values: a custom field of the same name replaces
    // them, no field leaves them.
    for (int i = 0; i < count; ++i)
        if (CString* slot = custom.PLookup(*props[i]))
            *slot = values[i];
    library->GatherCustomFieldDataForItem(item, custom);
    for (int i = 0; i < count; ++i)
        if (const CString* value = custom.PLookup(*props[i]))
            values[i] = *value;
}

CString CReportSort::GetValue(const CItem* item, const CString& prop, const CLibraryImpl* library)
{
    const CString* props[] = { &prop };
    CString value;
    GetValues(item, props, 1, library, &value);
    return value;
}

std::vector<CReportSort::CRow> CReportSort::SortRows(
    const std::vector<CItem*>& items, const std::vector<CString>& props, const CLibraryImpl* library)
{
    static const CString NONE;
    const CString* keys[KEY_COUNT];
    KeyKind kinds[KEY_COUNT];
    for (int k = 0; k < KEY_COUNT; ++k) {
        keys[k] = k < static_cast<int>(props.size()) ? &props[k] : &NONE;
        kinds[k] = Classify(*keys[k]);
    }

    std::vector<CRow> rows(items.size());
    struct CEntry {
        const CRow* row;
        CKey keys[KEY_COUNT];
    };
    std::vector<CEntry> entries(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        rows[i].item = items[i];
        GetValues(items[i], keys, KEY_COUNT, library, rows[i].values);
        entries[i].row = &rows[i];
        for (int k = 0; k < KEY_COUNT; ++k)
            entries[i].keys[k] = MakeKey(rows[i].values[k], kinds[k]);
    }
    if (items.size() < 2)
        return rows;

    std::stable_sort(entries.begin(), entries.end(), [&kinds](const CEntry& a, const CEntry& b) {
        if (!a.row->item || !b.row->item)
            return a.row->item && !b.row->item;
        for (int k = 0; k < KEY_COUNT; ++k) {
            bool decided = false;
            const int c = CompareKeys(a.keys[k], b.keys[k], kinds[k], decided);
            if (c != 0 || decided)
                return c < 0;
        }
        return false;
    });
    std::vector<CRow> sorted;
    sorted.reserve(rows.size());
    for (CEntry& entry : entries)
        sorted.push_back(std::move(*const_cast<CRow*>(entry.row)));
    return sorted;
}

void CReportSort::Sort(CItemList& items, const CString& prop1, const CString& prop2, const CString& prop3,
    const CString& prop4, const CLibraryImpl* library)
{
    if (items.GetCount() < 2)
        return;
    const std::vector<CRow> rows
        = SortRows(std::vector<CItem*>(items.begin(), items.end()), { prop1, prop2, prop3, prop4 }, library);
    std::size_t i = 0;
    for (POSITION pos = items.GetHeadPosition(); pos; ++i) {
        POSITION here = pos;
        items.GetNext(pos);
        items.SetAt(here, rows[i].item);
    }
}
