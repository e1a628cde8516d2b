#include "data/store/ItemSort.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "data/model/AudioRecordableMedia.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/Book.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordableMedia.h"
#include "data/model/SheetMusic.h"
#include "data/model/VideoMedia.h"
#include "data/model/VideoRecordableMedia.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

namespace {

template <class T> int Sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareText(const CString& a, const CString& b)
{
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The names books and sheet music are sorted by, read without a property
// map (a map per item costs more than the rest of a sort).
const CString* PrintField(const CMediaItem& item, const CString& prop)
{
    if (const auto* book = dynamic_cast<const CBook*>(&item)) {
        if (prop == CMediaUtils::MEDIA_PROP_AUTHOR)
            return &book->GetAuthor();
        if (prop == CMediaUtils::MEDIA_PROP_SUBTITLE)
            return &book->GetSubTitle();
        if (prop == CMediaUtils::MEDIA_PROP_SERIESNUMBER)
            return &book->GetSeriesNumber();
    } else if (const auto* music = dynamic_cast<const CSheetMusic*>(&item)) {
        if (prop == CMediaUtils::MEDIA_PROP_COMPOSER)
            return &music->GetComposer();
    }
    return nullptr;
}

// The fields of the video families, read without a property map.
const CString* VideoField(const CMediaItem& item, const CString& prop)
{
    if (const auto* video = dynamic_cast<const CVideoMedia*>(&item)) {
        if (prop == CMediaUtils::MEDIA_PROP_SUBTITLE)
            return &video->GetSubTitle();
        if (prop == CMediaUtils::MEDIA_PROP_SERIESNUMBER)
            return &video->GetSeriesNumber();
        if (prop == CMediaUtils::MEDIA_PROP_LEADACTOR)
            return &video->GetLeadActor();
        if (prop == CMediaUtils::MEDIA_PROP_COSTAR)
            return &video->GetCoStar();
        if (prop == CMediaUtils::MEDIA_PROP_DIRECTOR)
            return &video->GetDirector();
    } else if (const auto* rec = dynamic_cast<const CVideoRecordableMedia*>(&item)) {
        if (prop == CMediaUtils::MEDIA_PROP_SUBTITLE)
            return &rec->GetSubTitle();
        if (prop == CMediaUtils::MEDIA_PROP_SERIESNUMBER)
            return &rec->GetSeriesNumber();
        if (prop == CMediaUtils::MEDIA_PROP_LEADACTOR)
            return &rec->GetLeadActor();
        if (prop == CMediaUtils::MEDIA_PROP_COSTAR)
            return &rec->GetCoStar();
        if (prop == CMediaUtils::MEDIA_PROP_DIRECTOR)
            return &rec->GetDirector();
    }
    return nullptr;
}

// The common fields, read directly; null when the property map must answer.
const CString* DirectField(const CMediaItem& item, const CString& prop)
{
    if (prop == CMediaUtils::MEDIA_PROP_TITLE)
        return &item.GetTitle();
    if (prop == CMediaUtils::MEDIA_PROP_LIBRARYID)
        return &item.GetLibraryID();
    if (prop == CMediaUtils::MEDIA_PROP_LOCATION)
        return &item.GetLocation();
    if (prop == CMediaUtils::MEDIA_PROP_DESCRIPTION)
        return &item.GetDescription();
    if (prop == CMediaUtils::MEDIA_PROP_ARTIST) {
        if (const auto* audio = dynamic_cast<const CAudioTrackMedia*>(&item))
            return &audio->GetArtist();
        if (const auto* rec = dynamic_cast<const CAudioRecordableMedia*>(&item))
            return &rec->GetArtist();
        return nullptr;
    }
    if (prop == CMediaUtils::MEDIA_PROP_MANUFACTURER) {
        if (const auto* rec = dynamic_cast<const CRecordableMedia*>(&item))
            return &rec->GetManufacturer();
        return nullptr;
    }
    if (const CString* field = PrintField(item, prop))
        return field;
    return VideoField(item, prop);
}

} // namespace

bool CItemSort::SeriesNumberValue(const CString& text, double& value)
{
    return CMediaUtils::GetSeriesNumberValue(text, value);
}

CString CItemSort::GetValue(const CMediaItem& item, const CString& prop)
{
    if (const CString* field = DirectField(item, prop))
        return *field;
    CMapStringToString data;
    data.SetAt(prop, CString());
    item.GetData(data);
    return data.begin()->second;
}

CItemSort::KeyKind CItemSort::ClassifyKey(const CString& prop)
{
    if (prop.empty())
        return KeyKind::none;
    if (prop == CMediaUtils::MEDIA_PROP_LIBRARYID)
        return KeyKind::libraryID;
    if (prop == CMediaUtils::MEDIA_PROP_SERIESNUMBER)
        return KeyKind::seriesNumber;
    bool derived, yesNo, number, date, text, list, noGridEdit;
    CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
    if (number)
        return KeyKind::number;
    if (date)
        return KeyKind::date;
    return KeyKind::text;
}

CItemSort::CKey CItemSort::MakeKey(
    const CMediaItem& item, const CString& prop, KeyKind kind, const CValueSource& source)
{
    CKey key;
    switch (kind) {
    case KeyKind::none:
        break;
    case KeyKind::libraryID:
        key.number = source.libraryIDNumber ? source.libraryIDNumber(item) : 0;
        break;
    case KeyKind::number:
        if (prop == CMediaUtils::MEDIA_PROP_YEAR)
            key.number = item.GetYearPublished();
        else if (prop == CMediaUtils::MEDIA_PROP_PRICE)
            key.number = item.GetPrice();
        else
            key.number = CNumberTextConv::GetDoubleFromString(GetValue(item, prop));
        break;
    case KeyKind::date: {
        COleDateTime date = COleDateTime::Null();
        if (prop == CMediaUtils::MEDIA_PROP_DATEACQ)
            date = item.GetDateAcquired();
        else
            CDateTimeUtils::ConvertDateNumbers(GetValue(item, prop), date);
        key.rank = date.GetStatus() == COleDateTime::valid ? 2 : (date.GetStatus() == COleDateTime::invalid ? 1 : 0);
        key.number = key.rank == 2 ? date.GetValue() : 0.0;
        break;
    }
    case KeyKind::seriesNumber: {
        const CString text = GetValue(item, prop);
        key.empty = text.empty();
        key.rank = SeriesNumberValue(text, key.number) ? 1 : 0;
        key.text = CStringUtils::ToLower(text);
        break;
    }
    case KeyKind::text:
        if (CMediaUtils::IsDataProp(prop))
            key.text = CStringUtils::ToLower(GetValue(item, prop));
        else if (source.customFieldText)
            key.text = CStringUtils::ToLower(source.customFieldText(item, prop));
        break;
    }
    return key;
}

int CItemSort::CompareKeys(const CKey& a, const CKey& b, KeyKind kind)
{
    switch (kind) {
    case KeyKind::none:
        return 0;
    case KeyKind::text:
        return CompareText(a.text, b.text);
    case KeyKind::number:
    case KeyKind::libraryID:
        return Sign(a.number, b.number);
    case KeyKind::date:
        if (a.rank != b.rank)
            return Sign(a.rank, b.rank);
        return Sign(a.number, b.number);
    case KeyKind::seriesNumber:
        if (a.empty || b.empty)
            return a.empty == b.empty ? 0 : (a.empty ? -1 : 1);
        if (a.rank && b.rank && a.number != b.number)
            return Sign(a.number, b.number);
        return CompareText(a.text, b.text);
    }
    return 0;
}

void CItemSort::Sort(
    CMediaItemList& items, const CString& primary, const CString& secondary, const CValueSource& source)
{
    if (items.GetCount() < 2)
        return;
    const KeyKind kind1 = ClassifyKey(primary);
    const KeyKind kind2 = ClassifyKey(secondary);
    // The keys apart from a list of indexes that the sort moves, so that a
    // large type is sorted with a few bytes an item beside its keys. The
    // secondary key is made only for items whose primary key another item
    // shares: a stable sort by the primary key and then, within each run of
    // equal primary keys, by the secondary one gives the order of both.
    std::vector<POSITION> positions;
    std::vector<CKey> keys;
    std::vector<bool> nulls;
    const std::size_t count = static_cast<std::size_t>(items.GetCount());
    positions.reserve(count);
    keys.reserve(count);
    nulls.reserve(count);
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        positions.push_back(pos);
        const CMediaItem* item = items.GetNext(pos);
        nulls.push_back(item == nullptr);
        keys.push_back(item ? MakeKey(*item, primary, kind1, source) : CKey());
    }
    std::vector<std::uint32_t> order(positions.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::uint32_t>(i);
    auto byPrimary = [&](std::uint32_t a, std::uint32_t b) {
        if (nulls[a] || nulls[b])
            return !nulls[a] && nulls[b];
        return CompareKeys(keys[a], keys[b], kind1) < 0;
    };
    std::stable_sort(order.begin(), order.end(), byPrimary);
    if (kind2 != KeyKind::none) {
        std::vector<CKey> run;
        std::vector<std::uint32_t> runOrder;
        std::vector<std::uint32_t> sorted;
        for (auto first = order.begin(); first != order.end();) {
            auto last = std::upper_bound(first, order.end(), *first, byPrimary);
            if (last - first > 1 && !nulls[*first]) {
                run.clear();
                for (auto at = first; at != last; ++at)
                    run.push_back(MakeKey(*items.GetAt(positions[*at]), secondary, kind2, source));
                runOrder.resize(run.size());
                for (std::size_t i = 0; i < run.size(); ++i)
                    runOrder[i] = static_cast<std::uint32_t>(i);
                std::stable_sort(runOrder.begin(), runOrder.end(),
                    [&](std::uint32_t a, std::uint32_t b) { return CompareKeys(run[a], run[b], kind2) < 0; });
                sorted.clear();
                for (const std::uint32_t i : runOrder)
                    sorted.push_back(first[i]);
                std::copy(sorted.begin(), sorted.end(), first);
            }
            first = last;
        }
    }
    for (const std::uint32_t i : order)
        items.MoveBefore(positions[i], nullptr);
}

void CItemSort::GetListTexts(const CMediaItemList& items, const CString& sortProp, CStringArray& texts)
{
    texts.RemoveAll();
    texts.SetSize(items.GetCount());
    INT_PTR index = 0;
    for (const CMediaItem* item : items)
        texts[index++] = item ? item->GetUniqueDescription(false, sortProp) : CString();
    // Texts are nearly always unique already: checked without copies first.
    {
        std::unordered_set<std::string_view> seen;
        seen.reserve(static_cast<std::size_t>(texts.GetSize()));
        bool unique = true;
        for (const CString& text : texts)
            if (!seen.insert(text).second) {
                unique = false;
                break;
            }
        if (unique)
            return;
    }
    std::unordered_set<CString> used;
    std::unordered_map<CString, int> repeats;
    for (CString& text : texts) {
        const CString base = text;
        // A repeated text gets the next number that makes it unique.
        for (int& n = repeats[base]; !used.insert(text).second;)
            text = base + CStringUtils::Format(" (%d)", ++n + 1);
    }
}
