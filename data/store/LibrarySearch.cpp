#include "data/store/LibrarySearch.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "data/model/AudioTapeRecording.h"
#include "data/model/Book.h"
#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/ItemLists.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordingTrack.h"
#include "data/model/Track.h"
#include "data/model/VideoTape.h"
#include "data/store/LibraryImpl.h"
#include "data/store/MediaMgr.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/ReadGate.h"
#include "platform/util/StringUtils.h"
#include "platform/util/TextEncoding.h"

namespace {

// Text a user would search for: free text and list values, not derived ones
// (the media name, counts).
bool IsSearchedProp(const CString& prop)
{
    bool derived, yesNo, number, date, text, list, noGridEdit;
    CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
    return text && !derived;
}

void AddText(CString& text, std::string_view value)
{
    if (value.empty())
        return;
    // ASCII, most text by far, is folded where it lands; other text takes
    // the full folding.
    if (!CTextEncoding::IsAscii(value)) {
        text += CStringUtils::ToLower(CString(value));
    } else {
        const std::size_t at = text.size();
        text += value;
        for (std::size_t i = at; i < text.size(); ++i)
            if (text[i] >= 'A' && text[i] <= 'Z')
                text[i] = static_cast<char>(text[i] + ('a' - 'A'));
    }
    text += '\n';
}

void AddCustomText(CString& text, const CItem& item)
{
    const CCustomValueMgr* values = item.GetCategoryID() > 0 ? item.GetCustomValues() : nullptr;
    if (!values)
        return;
    for (int i = 0; i < values->GetValueCount(); ++i)
        if (const CCustomValue* value = values->GetValueAt(i); value && value->GetType() == CCustomValue::stringValue)
            AddText(text, value->GetStringValue());
}

CString Collect(const CItem& item, CMapStringToString& data)
{
    for (auto& entry : data)
        entry.second.clear();
    item.GetData(data);
    CString text;
    for (const auto& entry : data)
        AddText(text, entry.second);
    return text;
}

bool Matches(const CString& text, const std::vector<CString>& words)
{
    for (const CString& word : words)
        if (text.find(word) == CString::npos)
            return false;
    return true;
}

CMapStringToString SearchedProps(const CStringArray& props)
{
    CMapStringToString data;
    for (const CString& prop : props)
        if (IsSearchedProp(prop))
            data.SetAt(prop, CString());
    return data;
}

} // namespace

// ---------------------------------------------------------------------------

CString CLibrarySearch::MediaItemText(const CMediaItem& item, CMapStringToString& data)
{
    CString text = Collect(item, data);
    AddCustomText(text, item);
    return text;
}

CString CLibrarySearch::SubItemText(const CMediaSubItem& sub, CMapStringToString& data)
{
    // The families' own fields are read directly: a sub-item's property map
    // would ask its whole medium too.
    CString text;
    if (const auto* track = dynamic_cast<const CTrack*>(&sub)) {
        AddText(text, track->GetTitle());
        if (track->GetLength() > 0)
            AddText(text, track->GetLengthText());
        if (const auto* recording = dynamic_cast<const CRecordingTrack*>(&sub);
            recording && recording->GetSource() != CRecordingTrack::srcUnknown)
            AddText(text, CRecordingTrack::ParseSource(recording->GetSource()));
        if (const auto* tape = dynamic_cast<const CAudioTapeRecording*>(&sub); tape && tape->GetStart() > 0)
            AddText(text, tape->GetStartText());
        if (const auto* video = dynamic_cast<const CVideoTapeRecording*>(&sub); video && video->GetStart() > 0)
            AddText(text, video->GetStartText());
    } else if (const auto* chapter = dynamic_cast<const CBookChapter*>(&sub)) {
        AddText(text, chapter->GetTitle());
        AddText(text, chapter->GetDescription());
    } else if (const auto* article = dynamic_cast<const CMagazineArticle*>(&sub)) {
        AddText(text, article->GetTitle());
        AddText(text, article->GetSubTitle());
        AddText(text, article->GetAuthor());
        AddText(text, article->GetSeriesNumber());
        AddText(text, article->GetDescription());
        const CCategoryMgr* categories = CCategoryMgr::GetInstance();
        if (const CCategory* category = categories ? categories->GetCategory(article->GetCategoryID()) : nullptr)
            AddText(text, category->GetName());
    } else {
        text = Collect(sub, data);
    }
    AddCustomText(text, sub);
    return text;
}

std::vector<CString> CLibrarySearch::SplitWords(const CString& text)
{
    std::vector<CString> words;
    const CString folded = CStringUtils::ToLower(text);
    std::size_t i = 0;
    while (i < folded.size()) {
        const std::size_t start = folded.find_first_not_of(" \t\r\n", i);
        if (start == CString::npos)
            break;
        std::size_t end = folded.find_first_of(" \t\r\n", start);
        if (end == CString::npos)
            end = folded.size();
        CString word = folded.substr(start, end - start);
        if (std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(std::move(word));
        i = end;
    }
    return words;
}

// ---------------------------------------------------------------------------
// The index of one media type.

class CLibrarySearch::CTypeIndex {
public:
    // An empty index for the manager's type; Add each item in list order,
    // then Finish.
    explicit CTypeIndex(const CMediaMgr& mgr);
    void Add(const CMediaItem& item);
    // orderStamp is the manager's when the items were taken; false forces
    // the list order to be taken again at the next search.
    void Finish(std::uint64_t orderStamp, bool orderKnown);

    // The item's kept texts no longer count; they are made again when next
    // needed.
    void Forget(const CMediaItem* item);
    // Made anew once a good part of the items was changed.
    bool IsWornOut() const { return m_fresh.size() > 64 + m_items.size() / 4; }
    void Search(const CMediaMgr& mgr, const std::vector<CString>& words, bool subItems, CItemList& results);

private:
    static constexpr std::size_t NO_SLOT = static_cast<std::size_t>(-1);

    // The texts of an item changed (or added) since the index was made.
    struct CFresh {
        CString text;
        std::vector<const CMediaSubItem*> subs;
        std::vector<CString> subTexts;
    };

    const CFresh& FreshTexts(const CMediaItem& item);
    // The list order of the manager as slots (NO_SLOT for items made since).
    void FollowOrder(const CMediaMgr& mgr);
    // Per slot, whether its text holds every word (words longest first).
    static void MatchWords(const std::string& text, const std::vector<std::size_t>& ends,
        const std::vector<CString>& words, std::vector<char>& matched);
    static bool HoldsSubItem(const CMediaItem& item, const CMediaSubItem* sub);

    CMapStringToString m_mediaData;
    CMapStringToString m_subData;
    // Per slot: the item, the end of its text, its first sub-item.
    std::string m_text;
    std::vector<std::size_t> m_ends;
    std::vector<const CMediaItem*> m_items;
    std::vector<bool> m_stale;
    std::vector<std::size_t> m_firstSub; // one more than slots
    std::string m_subText;
    std::vector<std::size_t> m_subEnds;
    std::vector<const CMediaSubItem*> m_subs;
    std::unordered_map<const CMediaItem*, std::size_t> m_slotOf;
    std::unordered_map<const CMediaItem*, CFresh> m_fresh;
    // The manager's list as (item, slot), valid while its order stamp holds.
    std::vector<std::pair<const CMediaItem*, std::size_t>> m_order;
    std::uint64_t m_orderStamp = 0;
};

CLibrarySearch::CTypeIndex::CTypeIndex(const CMediaMgr& mgr)
    : m_mediaData(SearchedProps(CMediaRegistry::GetDataProps(mgr.GetMediaType())))
    , m_subData(SearchedProps(CMediaRegistry::GetSubItemOwnProps(mgr.GetMediaType())))
{
    const std::size_t count = static_cast<std::size_t>(mgr.GetItemCount());
    m_ends.reserve(count);
    m_items.reserve(count);
    m_stale.reserve(count);
    m_firstSub.reserve(count + 1);
    m_slotOf.reserve(count);
    m_order.reserve(count);
}

void CLibrarySearch::CTypeIndex::Add(const CMediaItem& item)
{
    m_slotOf[&item] = m_items.size();
    m_order.emplace_back(&item, m_items.size());
    m_items.push_back(&item);
    m_stale.push_back(false);
    m_text += MediaItemText(item, m_mediaData);
    m_ends.push_back(m_text.size());
    m_firstSub.push_back(m_subs.size());
    for (POSITION pos = item.GetHeadSubItem(); pos;) {
        const CMediaSubItem* sub = item.GetNextSubItem(pos);
        m_subs.push_back(sub);
        if (sub)
            m_subText += SubItemText(*sub, m_subData);
        m_subEnds.push_back(m_subText.size());
    }
}

void CLibrarySearch::CTypeIndex::Finish(std::uint64_t orderStamp, bool orderKnown)
{
    m_firstSub.push_back(m_subs.size());
    m_orderStamp = orderStamp;
    if (!orderKnown) {
        m_order.clear();
        m_orderStamp = ~orderStamp;
    }
}

void CLibrarySearch::CTypeIndex::Forget(const CMediaItem* item)
{
    if (auto found = m_slotOf.find(item); found != m_slotOf.end())
        m_stale[found->second] = true;
    m_fresh.erase(item);
}

const CLibrarySearch::CTypeIndex::CFresh& CLibrarySearch::CTypeIndex::FreshTexts(const CMediaItem& item)
{
    auto found = m_fresh.find(&item);
    if (found != m_fresh.end() && static_cast<int>(found->second.subs.size()) == item.GetSubItemCount())
        return found->second;
    CFresh fresh;
    fresh.text = MediaItemText(item, m_mediaData);
    for (POSITION pos = item.GetHeadSubItem(); pos;) {
        const CMediaSubItem* sub = item.GetNextSubItem(pos);
        fresh.subs.push_back(sub);
        fresh.subTexts.push_back(sub ? SubItemText(*sub, m_subData) : CString());
    }
    return m_fresh[&item] = std::move(fresh);
}

void CLibrarySearch::CTypeIndex::FollowOrder(const CMediaMgr& mgr)
{
    if (mgr.GetOrderStamp() == m_orderStamp)
        return;
    const CMediaItemList& items = mgr.GetItems();
    m_order.clear();
    for (const CMediaItem* item : items) {
        if (!item)
            continue;
        auto found = m_slotOf.find(item);
        m_order.emplace_back(item, found == m_slotOf.end() ? NO_SLOT : found->second);
    }
    m_orderStamp = mgr.GetOrderStamp();
}

bool CLibrarySearch::CTypeIndex::HoldsSubItem(const CMediaItem& item, const CMediaSubItem* sub)
{
    for (POSITION pos = item.GetHeadSubItem(); pos;)
        if (item.GetNextSubItem(pos) == sub)
            return true;
    return false;
}

void CLibrarySearch::CTypeIndex::MatchWords(const std::string& text, const std::vector<std::size_t>& ends,
    const std::vector<CString>& words, std::vector<char>& matched)
{
    matched.assign(ends.size(), 0);
    if (words.empty())
        return;
    const char* base = text.data();
    // The first word is looked for in the whole text; each slot it occurs in
    // is a candidate, and the search goes on after that slot's text.
    std::vector<std::size_t> candidates;
    const CString& first = words.front();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const void* hit = ::memmem(base + pos, text.size() - pos, first.data(), first.size());
        if (!hit)
            break;
        const std::size_t at = static_cast<const char*>(hit) - base;
        const std::size_t slot = std::upper_bound(ends.begin(), ends.end(), at) - ends.begin();
        candidates.push_back(slot);
        pos = ends[slot];
    }
    // The other words only within the candidates' texts.
    for (std::size_t w = 1; w < words.size() && !candidates.empty(); ++w) {
        const CString& word = words[w];
        std::size_t kept = 0;
        for (std::size_t slot : candidates) {
            const std::size_t start = slot == 0 ? 0 : ends[slot - 1];
            if (::memmem(base + start, ends[slot] - start, word.data(), word.size()))
                candidates[kept++] = slot;
        }
        candidates.resize(kept);
    }
    for (std::size_t slot : candidates)
        matched[slot] = 1;
}

void CLibrarySearch::CTypeIndex::Search(
    const CMediaMgr& mgr, const std::vector<CString>& words, bool subItems, CItemList& results)
{
    FollowOrder(mgr);
    // The longest word first: it is likely the rarest.
    std::vector<CString> ordered = words;
    std::stable_sort(
        ordered.begin(), ordered.end(), [](const CString& a, const CString& b) { return a.size() > b.size(); });
    std::vector<char> itemMatched;
    std::vector<char> subMatched;
    MatchWords(m_text, m_ends, ordered, itemMatched);
    if (subItems)
        MatchWords(m_subText, m_subEnds, ordered, subMatched);

    for (const auto& [constItem, slot] : m_order) {
        auto* item = const_cast<CMediaItem*>(constItem);
        if (slot != NO_SLOT && !m_stale[slot]) {
            if (itemMatched[slot])
                results.AddTail(item);
            if (!subItems)
                continue;
            // A kept sub-item is handed out only while its medium still holds it.
            for (std::size_t i = m_firstSub[slot]; i < m_firstSub[slot + 1]; ++i)
                if (subMatched[i] && m_subs[i] && HoldsSubItem(*item, m_subs[i]))
                    results.AddTail(const_cast<CMediaSubItem*>(m_subs[i]));
            continue;
        }
        const CFresh& fresh = FreshTexts(*item);
        if (Matches(fresh.text, words))
            results.AddTail(item);
        if (!subItems)
            continue;
        for (std::size_t i = 0; i < fresh.subs.size(); ++i)
            if (fresh.subs[i] && Matches(fresh.subTexts[i], words))
                results.AddTail(const_cast<CMediaSubItem*>(fresh.subs[i]));
    }
}

// ---------------------------------------------------------------------------

CLibrarySearch::CLibrarySearch(const CLibraryImpl& library)
    : m_library(library)
{
}

CLibrarySearch::~CLibrarySearch()
{
    StopBuilding();
}

void CLibrarySearch::Forget(const CItem* item)
{
    // A sub-item answers with its medium's type. Most changes come while no
    // index of that type exists (the tool's import): that is told before
    // any type test.
    const int type = item ? item->GetMediaType() : 0;
    if (!CMediaUtils::IsValidMediaID(type))
        return;
    CReadGate::CHold hold(ActiveGate());
    if (!m_indexes[type] && !(m_build.index && m_build.type == type))
        return;
    if (const auto* sub = dynamic_cast<const CMediaSubItem*>(item))
        item = sub->GetParent();
    const auto* media = dynamic_cast<const CMediaItem*>(item);
    if (!media)
        return;
    if (m_indexes[type])
        m_indexes[type]->Forget(media);
    if (m_build.index && m_build.type == type) {
        m_build.index->Forget(media);
        m_build.forgotten.insert(media);
    }
}

void CLibrarySearch::ForgetAll()
{
    CReadGate::CHold hold(ActiveGate());
    for (auto& index : m_indexes)
        index.reset();
    m_build = CBuild();
}

bool CLibrarySearch::BeginBuild()
{
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        const CMediaMgr* mgr = m_library.GetMediaMgr(type);
        const auto& index = m_indexes[type];
        if (!mgr || mgr->GetItemCount() == 0 || (index && !index->IsWornOut()))
            continue;
        m_build = CBuild();
        m_build.type = type;
        m_build.index = std::make_unique<CTypeIndex>(*mgr);
        // A later change of the list's order shows as a changed stamp.
        m_build.stamp = mgr->GetOrderStamp();
        for (const CMediaItem* item : mgr->GetItems())
            if (item)
                m_build.items.push_back(item);
        m_build.next = 0;
        return true;
    }
    return false;
}

bool CLibrarySearch::BuildSome(std::size_t budget)
{
    if (!m_build.index && !BeginBuild())
        return false;
    for (; budget > 0 && m_build.next < m_build.items.size(); --budget) {
        const CMediaItem* item = m_build.items[m_build.next++];
        // A forgotten item may be gone; it is read afresh when searched.
        if (!m_build.forgotten.count(item))
            m_build.index->Add(*item);
    }
    if (m_build.next < m_build.items.size())
        return true;
    m_build.index->Finish(m_build.stamp, m_build.forgotten.empty());
    m_indexes[m_build.type] = std::move(m_build.index);
    m_build = CBuild();
    return true;
}

CLibrarySearch::CTypeIndex& CLibrarySearch::ReadyIndex(int type, const CMediaMgr& mgr)
{
    auto& index = m_indexes[type];
    if (m_build.index && m_build.type == type) {
        while (m_build.index && m_build.type == type)
            BuildSome(static_cast<std::size_t>(-1));
    } else if (!index || index->IsWornOut()) {
        index = std::make_unique<CTypeIndex>(mgr);
        for (const CMediaItem* item : mgr.GetItems())
            if (item)
                index->Add(*item);
        index->Finish(mgr.GetOrderStamp(), true);
    }
    return *index;
}

void CLibrarySearch::StartBuilding(CReadGate& gate)
{
    if (m_working.load())
        return;
    StopBuilding();
    m_gate = &gate;
    m_stop = false;
    m_working = true;
    m_worker = std::thread([this] {
        // Steps of a few dozen items keep the owner's waits short.
        // Done is said within the last step, so that the owner, who
        // starts a worker while holding the gate, never finds one ending.
        bool more = true;
        const auto step = [&] {
            more = BuildSome(64);
            if (!more)
                m_working = false;
        };
        while (more && m_gate->Step(m_stop, step)) { }
    });
}

void CLibrarySearch::StopBuilding()
{
    if (!m_worker.joinable())
        return;
    m_stop = true;
    if (CReadGate* gate = ActiveGate())
        gate->Wake();
    m_worker.join();
    m_working = false;
    m_gate = nullptr;
}

void CLibrarySearch::SearchChosen(const CTextSearchOptions& options, const std::vector<CString>& words,
    const CMediaMgr& mgr, CItemList& results) const
{
    const CStringArray& own = CMediaRegistry::GetSubItemOwnProps(mgr.GetMediaType());
    CMapStringToString mediaData;
    CMapStringToString subData;
    CMapStringToString custom;
    for (const CString& prop : options.properties) {
        if (!CMediaUtils::IsDataProp(prop)) {
            custom.SetAt(prop, CString());
            continue;
        }
        mediaData.SetAt(prop, CString());
        if (std::find(own.begin(), own.end(), prop) != own.end())
            subData.SetAt(prop, CString());
    }
    auto textOf = [&](const CItem& item, CMapStringToString& data) {
        CString text = data.IsEmpty() ? CString() : Collect(item, data);
        if (!custom.IsEmpty()) {
            for (auto& entry : custom)
                entry.second.clear();
            mgr.GatherCustomFieldData(&item, custom);
            for (const auto& entry : custom)
                AddText(text, entry.second);
        }
        return text;
    };
    for (CMediaItem* item : mgr.GetItems()) {
        if (!item)
            continue;
        if (Matches(textOf(*item, mediaData), words))
            results.AddTail(item);
        if (!options.includeSubItems)
            continue;
        for (POSITION pos = item->GetHeadSubItem(); pos;) {
            CMediaSubItem* sub = item->GetNextSubItem(pos);
            if (sub && Matches(textOf(*sub, subData), words))
                results.AddTail(sub);
        }
    }
}

bool CLibrarySearch::PrepareNext()
{
    CReadGate::CHold hold(ActiveGate());
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        const CMediaMgr* mgr = m_library.GetMediaMgr(type);
        const auto& index = m_indexes[type];
        if (!mgr || mgr->GetItemCount() == 0 || (index && !index->IsWornOut()))
            continue;
        if (index)
            m_indexes[type].reset();
        ReadyIndex(type, *mgr);
        return true;
    }
    return false;
}

void CLibrarySearch::Search(const CTextSearchOptions& options, const CMediaTypeSelection& selection, CItemList& results)
{
    const std::vector<CString> words = SplitWords(options.text);
    if (words.empty())
        return;
    CReadGate::CHold hold(ActiveGate());
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        const CMediaMgr* mgr = selection.GetShow(type) ? m_library.GetMediaMgr(type) : nullptr;
        if (!mgr || mgr->GetItemCount() == 0)
            continue;
        if (!options.properties.IsEmpty()) {
            SearchChosen(options, words, *mgr, results);
            continue;
        }
        ReadyIndex(type, *mgr).Search(*mgr, words, options.includeSubItems, results);
    }
}
