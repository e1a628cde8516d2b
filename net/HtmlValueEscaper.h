#pragma once
// Makes the values that a template's tags are replaced with safe where they
// land. A value is escaped for element text as it goes in
// (CHtmlUtils::EscapeText), which is not enough everywhere a template may
// put a tag, and only the finished page shows where each value landed. So
// a value goes in between two marker bytes (Mark), and Finish reads the
// page as a browser's tokenizer does and makes each marked value safe for
// its place:
// - element text, comments and quoted attribute values: as it is;
// - an unquoted attribute value, or anywhere else inside a tag: blanks,
//   "=", the back quote (and "/" outside a value) become references, so
//   the value stays one value and adds no attribute;
// - script (a script element, an "on..." event attribute): every byte but
//   ASCII letters, digits and non-ASCII text becomes a JavaScript escape,
//   so the value can only be the text of a script's string;
// - an address attribute (href, src, ...) that holds a value: the whole
//   address is dropped unless it is relative or http, https, ftp, mailto
//   or file.
// Text between markers that the template wrote itself is not trusted:
// template text is to be stripped of marker bytes before values go in.

#include "platform/util/VemoTypes.h"

class CHtmlValueEscaper {
public:
    static constexpr char MARK_BEGIN = '\x01';
    static constexpr char MARK_END = '\x02';

    // The value, already escaped for element text, between the markers;
    // "" stays "".
    static CString Mark(const CString& escapedValue);
    static void StripMarks(CString& text);
    // The page with each marked value made safe for its place and every
    // marker gone; a page without markers comes back as it is.
    static CString Finish(const CString& page);
    // Whether an attribute's address (as written, with character
    // references) runs no script: relative, or one of the schemes above.
    static bool IsSafeAddress(const CString& address);
};
