#pragma once
// Pieces of the texts that list an item (GetUniqueDescription): the parts an
// item names are joined the same way for every media type.

#include <initializer_list>

#include "platform/util/VemoTypes.h"

class CItemTextUtils {
public:
    // "\"text\"", or "" for an empty text.
    static CString Quoted(const CString& text);
    // The non-empty parts joined by " - ".
    static CString JoinDash(std::initializer_list<CString> parts);
    // " (text)", or "" for an empty text.
    static CString Parenthesized(const CString& text);
    // The text of a video medium: "title" - subtitle (series number); with
    // sortProp "Lead Actor" or "Director", that person leads.
    static CString VideoText(const CString& title, const CString& subTitle, const CString& seriesNumber,
        const CString& leadActor, const CString& director, const CString& sortProp);
};
