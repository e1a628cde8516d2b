#include "data/store/LibrarySearch.h"

#include "data/model/ItemLists.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomValue.h"
#include "data/store/CustomValueMgr.h"
#include "data/store/LibraryImpl.h"
#include "data/store/MediaMgr.h"
#include "data/store/MediaRegistry.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/StringUtils.h"

namespace {

// Text a user would search for: free text and list values, not derived ones
// (the media name, counts).
bool IsSearchedProp(const CString& prop)
{
    bool derived, yesNo, number, date, text, list, noGridEdit;
    CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
    return text && !derived;
}

bool Contains(const CStringArray& arr, const CString& value)
{
    return std::find(arr.begin(), arr.end(), value) != arr.end();
}

} // namespace

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
        words.push_back(folded.substr(start, end - start));
        i = end;
    }
    return words;
}

bool CLibrarySearch::Matches(const CString& text, const std::vector<CString>& words)
{
    for (const CString& word : words)
        if (text.find(word) == CString::npos)
            return false;
    return true;
}

void CLibrarySearch::Forget(const CItem* item)
{
    if (const auto* sub = dynamic_cast<const CMediaSubItem*>(item))
        item = sub->GetParent();
    if (const auto* media = dynamic_cast<const CMediaItem*>(item))
        m_texts.erase(media);
}

CString CLibrarySearch::Collect(const CItem& item, CMapStringToString& data, const CMediaMgr& mgr,
    const std::vector<CString>& customFields, bool allCustomText)
{
    for (auto& entry : data)
        entry.second.clear();
    item.GetData(data);
    CString text;
    for (const auto& entry : data) {
        if (!entry.second.empty()) {
            text += CStringUtils::ToLower(entry.second);
            text += '\n';
        }
    }
    if (allCustomText) {
        if (const CCustomValueMgr* values = item.GetCategoryID() > 0 ? item.GetCustomValues() : nullptr) {
            for (int i = 0; i < values->GetValueCount(); ++i) {
                const CCustomValue* value = values->GetValueAt(i);
                if (value && value->GetType() == CCustomValue::stringValue && !value->GetStringValue().empty()) {
                    text += CStringUtils::ToLower(value->GetStringValue());
                    text += '\n';
                }
            }
        }
    } else if (!customFields.empty()) {
        CMapStringToString values;
        for (const CString& name : customFields)
            values.SetAt(name, CString());
        mgr.GatherCustomFieldData(&item, values);
        for (const auto& entry : values) {
            if (!entry.second.empty()) {
                text += CStringUtils::ToLower(entry.second);
                text += '\n';
            }
        }
    }
    return text;
}

CLibrarySearch::CTypeProps CLibrarySearch::MakeTypeProps(const CMediaMgr& mgr, const CStringList& chosen) const
{
    CTypeProps props;
    const int type = mgr.GetMediaType();
    const CStringArray& own = CMediaRegistry::GetSubItemOwnProps(type);
    if (chosen.IsEmpty()) {
        for (const CString& prop : CMediaRegistry::GetDataProps(type))
            if (IsSearchedProp(prop))
                props.media.SetAt(prop, CString());
        for (const CString& prop : own)
            if (IsSearchedProp(prop))
                props.subItem.SetAt(prop, CString());
        return props;
    }
    for (const CString& prop : chosen) {
        if (!CMediaUtils::IsDataProp(prop)) {
            props.customFields.push_back(prop);
            continue;
        }
        props.media.SetAt(prop, CString());
        if (Contains(own, prop))
            props.subItem.SetAt(prop, CString());
    }
    return props;
}

const CLibrarySearch::CTexts& CLibrarySearch::TextsOf(const CMediaItem& item, CTypeProps& props)
{
    auto found = m_texts.find(&item);
    if (found != m_texts.end() && static_cast<int>(found->second.subItems.size()) == item.GetSubItemCount())
        return found->second;
    const CMediaMgr& mgr = *m_library.GetMediaMgr(item.GetMediaType());
    CTexts texts;
    texts.item = Collect(item, props.media, mgr, props.customFields, true);
    texts.subItems.reserve(static_cast<std::size_t>(item.GetSubItemCount()));
    for (POSITION pos = item.GetHeadSubItem(); pos;) {
        const CMediaSubItem* sub = item.GetNextSubItem(pos);
        texts.subItems.push_back(sub ? Collect(*sub, props.subItem, mgr, props.customFields, true) : CString());
    }
    return m_texts[&item] = std::move(texts);
}

void CLibrarySearch::Search(const CTextSearchOptions& options, const CMediaTypeSelection& selection, CItemList& results)
{
    const std::vector<CString> words = SplitWords(options.text);
    if (words.empty())
        return;
    const bool allProps = options.properties.IsEmpty();
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        const CMediaMgr* mgr = selection.GetShow(type) ? m_library.GetMediaMgr(type) : nullptr;
        if (!mgr || mgr->GetItemCount() == 0)
            continue;
        CTypeProps props = MakeTypeProps(*mgr, options.properties);
        for (CMediaItem* item : mgr->GetItems()) {
            if (!item)
                continue;
            if (allProps) {
                const CTexts& texts = TextsOf(*item, props);
                if (Matches(texts.item, words))
                    results.AddTail(item);
                if (!options.includeSubItems)
                    continue;
                std::size_t i = 0;
                for (POSITION pos = item->GetHeadSubItem(); pos; ++i) {
                    CMediaSubItem* sub = item->GetNextSubItem(pos);
                    if (sub && Matches(texts.subItems[i], words))
                        results.AddTail(sub);
                }
                continue;
            }
            if (Matches(Collect(*item, props.media, *mgr, props.customFields, false), words))
                results.AddTail(item);
            if (!options.includeSubItems)
                continue;
            for (POSITION pos = item->GetHeadSubItem(); pos;) {
                CMediaSubItem* sub = item->GetNextSubItem(pos);
                if (sub && Matches(Collect(*sub, props.subItem, *mgr, props.customFields, false), words))
                    results.AddTail(sub);
            }
        }
    }
}
