#pragma once
// Text search over a library: every word (ignoring case) must occur in the
// text properties of an item, or in the properties the caller chose, of the
// selected media types; media items and their sub-items each answer for
// themselves. Searches over all text properties keep each item's folded
// text until the item is reported changed (NoteItemChanged), so repeated
// searches do not ask every item for its data again.

#include <unordered_map>
#include <vector>

#include "data/store/Library.h"
#include "platform/util/VemoTypes.h"

class CItem;
class CItemList;
class CLibraryImpl;
class CMediaItem;
class CMediaMgr;
class CMediaTypeSelection;

class CLibrarySearch {
public:
    explicit CLibrarySearch(const CLibraryImpl& library)
        : m_library(library)
    {
    }

    // Appends the matching items: per selected type in id order, each media
    // item in list order followed by its matching sub-items. No words, no
    // results.
    void Search(const CTextSearchOptions& options, const CMediaTypeSelection& selection, CItemList& results);

    // Drops the kept text of an item (of a sub-item: of its medium), or of all.
    void Forget(const CItem* item);
    void ForgetAll() { m_texts.clear(); }

    // The words of a search text, folded to lower case; split at blanks,
    // tabs and line breaks.
    static std::vector<CString> SplitWords(const CString& text);

private:
    struct CTexts {
        CString item;
        std::vector<CString> subItems;
    };
    // The properties searched for one media type, as reusable maps.
    struct CTypeProps {
        CMapStringToString media;
        CMapStringToString subItem;
        std::vector<CString> customFields; // chosen custom field names
    };

    CTypeProps MakeTypeProps(const CMediaMgr& mgr, const CStringList& chosen) const;
    const CTexts& TextsOf(const CMediaItem& item, CTypeProps& props);
    static CString Collect(const CItem& item, CMapStringToString& data, const CMediaMgr& mgr,
        const std::vector<CString>& customFields, bool allCustomText);
    static bool Matches(const CString& text, const std::vector<CString>& words);

    const CLibraryImpl& m_library;
    std::unordered_map<const CMediaItem*, CTexts> m_texts;
};
