#pragma once
// Makes item values safe to put into generated HTML pages, so that a value
// such as "Tom & Jerry" or "<script>" shows as written and cannot change the
// page's markup.

#include "platform/util/VemoTypes.h"

class CHtmlUtils {
public:
    // For element content: & < > " ' become entities.
    static CString EscapeText(const CString& text);
    // For a value inside a quoted attribute: as EscapeText, and the back
    // quote as well; tab and line ends become character references so they
    // survive attribute normalisation; other control characters are dropped.
    static CString EscapeAttribute(const CString& text);
    // For a relative link address (a page or picture file name, possibly
    // with folders): every byte other than letters, digits, "/", ".", "-",
    // "_" and "~" is percent-encoded, so spaces, quotes, "#", "?", ":" and
    // non-ASCII names all reach the file they name.
    static CString EscapeUrlPath(const CString& path);
};
