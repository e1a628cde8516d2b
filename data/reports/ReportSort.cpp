#include "data/reports/ReportSort.h"

#include <algorithm>

#include "data/model/Item.h"
#include "data/model/MediaUtils.h"
#include "data/store/LibraryImpl.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/OleDateTime.h"
#include "platform/util/StringUtils.h"
#include "platform/util/TextEncoding.h"

namespace {

enum class KeyKind { none, number, date, seriesNumber, text };

KeyKind Classify(const CString& prop)
{
    if (prop.empty())
        return KeyKind::none;
    bool derived, yesNo, number, date, text, list, noGridEdit;
    CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
    if (number)
        return KeyKind::number;
    if (date)
        return KeyKind::date;
    if (prop == CMediaUtils::MEDIA_PROP_SERIESNUMBER)
        return KeyKind::seriesNumber;
    return KeyKind::text;
}

struct CKey {
    CString text; // series number and text: the value as it is
    CString folded; // text: lower-cased, when the value is valid UTF-8
    bool foldedValid = false;
    double number = 0.0;
    COleDateTime date = COleDateTime::Null();
};

template <class T> int Sign(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

CKey MakeKey(const CItem& item, const CString& prop, KeyKind kind, const CLibraryImpl* library)
{
    CKey key;
    switch (kind) {
    case KeyKind::none:
        break;
    case KeyKind::number:
        key.number = CNumberTextConv::GetDoubleFromString(CReportSort::GetValue(&item, prop, library, false));
        break;
    case KeyKind::date:
        CDateTimeUtils::ConvertDateNumbers(CReportSort::GetValue(&item, prop, library, false), key.date);
        break;
    case KeyKind::seriesNumber:
        key.text = CReportSort::GetValue(&item, prop, library, true);
        break;
    case KeyKind::text:
        key.text = CReportSort::GetValue(&item, prop, library, true);
        // Byte order of lower-cased UTF-8 is the order of the folded
        // characters; other bytes need the character-wise comparison.
        key.foldedValid = CTextEncoding::IsValidUtf8(key.text);
        if (key.foldedValid)
            key.folded = CStringUtils::ToLower(key.text);
        break;
    }
    return key;
}

struct CEntry {
    CItem* item;
    CKey keys[CReportSort::KEY_COUNT];
};

} // namespace

bool CReportSort::IsTextProp(const CString& prop)
{
    const KeyKind kind = Classify(prop);
    return kind == KeyKind::text || kind == KeyKind::seriesNumber;
}

CString CReportSort::GetValue(const CItem* item, const CString& prop, const CLibraryImpl* library)
{
    return GetValue(item, prop, library, IsTextProp(prop));
}

CString CReportSort::GetValue(const CItem* item, const CString& prop, const CLibraryImpl* library, bool withCustom)
{
    if (!item || prop.empty())
        return CString();
    CMapStringToString values;
    values.SetAt(prop, CString());
    item->GetData(values);
    if (withCustom && library)
        library->GatherCustomFieldDataForItem(item, values);
    return values.begin()->second;
}

void CReportSort::Sort(CItemList& items, const CString& prop1, const CString& prop2, const CString& prop3,
    const CString& prop4, const CLibraryImpl* library)
{
    if (items.GetCount() < 2)
        return;
    std::vector<CItem*> sorted(items.begin(), items.end());
    Sort(sorted, prop1, prop2, prop3, prop4, library);
    std::size_t i = 0;
    for (POSITION pos = items.GetHeadPosition(); pos; ++i) {
        POSITION here = pos;
        items.GetNext(pos);
        items.SetAt(here, sorted[i]);
    }
}

void CReportSort::Sort(std::vector<CItem*>& items, const CString& prop1, const CString& prop2, const CString& prop3,
    const CString& prop4, const CLibraryImpl* library)
{
    if (items.size() < 2)
        return;
    const CString* props[KEY_COUNT] = { &prop1, &prop2, &prop3, &prop4 };
    KeyKind kinds[KEY_COUNT];
    for (int k = 0; k < KEY_COUNT; ++k)
        kinds[k] = Classify(*props[k]);

    std::vector<CEntry> entries(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        entries[i].item = items[i];
        if (items[i])
            for (int k = 0; k < KEY_COUNT; ++k)
                entries[i].keys[k] = MakeKey(*items[i], *props[k], kinds[k], library);
    }

    auto compare = [&kinds](const CEntry& a, const CEntry& b) -> int {
        if (!a.item || !b.item)
            return a.item ? -1 : (b.item ? 1 : 0);
        for (int k = 0; k < KEY_COUNT; ++k) {
            const CKey& ka = a.keys[k];
            const CKey& kb = b.keys[k];
            int c = 0;
            switch (kinds[k]) {
            case KeyKind::none:
                continue;
            case KeyKind::number:
                c = Sign(ka.number, kb.number);
                break;
            case KeyKind::date:
                c = CDateTimeUtils::Compare(ka.date, kb.date);
                break;
            case KeyKind::seriesNumber:
                // A series number decides alone, equal or not.
                return CMediaUtils::CompareSeriesNumbers(ka.text, kb.text);
            case KeyKind::text:
                if (ka.foldedValid && kb.foldedValid) {
                    const int raw = ka.folded.compare(kb.folded);
                    c = raw < 0 ? -1 : (raw > 0 ? 1 : 0);
                } else {
                    c = CStringUtils::CompareNoCase(ka.text, kb.text);
                }
                break;
            }
            if (c != 0)
                return c;
        }
        return 0;
    };
    std::stable_sort(
        entries.begin(), entries.end(), [&compare](const CEntry& a, const CEntry& b) { return compare(a, b) < 0; });
    for (std::size_t i = 0; i < entries.size(); ++i)
        items[i] = entries[i].item;
}
