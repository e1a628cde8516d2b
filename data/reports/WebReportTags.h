#pragma once
// The tags web report templates may use: the fixed tags of the page
// structure and one tag per data property ("Track #" gives "{TRACK#}"). One
// table per process, built on first use; the library that owns the shared
// lists destroys it.

#include "platform/util/VemoTypes.h"

class CWebReportTags {
public:
    static const CString TAG_BACKLINK;
    static const CString TAG_FORWARDLINK;
    static const CString TAG_COUNT_ITEMS_NEXT_PAGE;
    static const CString TAG_WEBREPORT_NAME;
    static const CString TAG_REPEAT_BEGIN;
    static const CString TAG_REPEAT_END;
    static const CString TAG_IMAGE_BEGIN;
    static const CString TAG_IMAGE_END;
    static const CString TAG_URL_BEGIN;
    static const CString TAG_URL_END;
    static const CString TAG_CHAPTERS_BEGIN;
    static const CString TAG_CHAPTERS_END;
    static const CString TAG_CHAPTERS_BEGIN_REPEAT;
    static const CString TAG_CHAPTERS_END_REPEAT;
    static const CString TAG_TRACKS_BEGIN;
    static const CString TAG_TRACKS_END;
    static const CString TAG_TRACKS_BEGIN_REPEAT;
    static const CString TAG_TRACKS_END_REPEAT;
    static const CString TAG_ARTICLES_BEGIN;
    static const CString TAG_ARTICLES_END;
    static const CString TAG_ARTICLES_BEGIN_REPEAT;
    static const CString TAG_ARTICLES_END_REPEAT;
    static const CString TAG_CUSTOMFIELD_PREFIX;
    static const CString TAG_CUSTOMVALUE_PREFIX;

    static CWebReportTags* GetInstance();
    static void DeleteInstance();

    // A property's tag: "{" + name + "}" upper-cased; blanks, "/" and "-"
    // become "_", then "_#" becomes "#" and "_&_" becomes "&"; "." and "?"
    // are removed.
    static CString MakeTagFromProperty(const CString& prop);

    // Tag to property name; fixed tags map to "".
    const CMapStringToString& GetTags() const { return m_tags; }
    // The property a tag stands for; null for a fixed or unknown tag.
    const CString* FindProperty(const CString& tag) const;
    bool IsTag(const CString& tag) const { return m_tags.PLookup(tag) != nullptr; }
    // Every tag, in table order (for RemoveAllTags).
    const CStringList& GetTagList() const { return m_tagList; }

private:
    CWebReportTags();

    CMapStringToString m_tags;
    CStringList m_tagList;
};
