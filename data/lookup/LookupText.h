#pragma once
// Text from an online answer made fit for an item field: markup and control
// characters removed, the common entities decoded, white space collapsed,
// invalid UTF-8 dropped and the length capped, so that a hostile answer
// cannot put more than plain text into the library.

#include <cstddef>

#include "platform/util/VemoTypes.h"

class CLookupText {
public:
    static constexpr std::size_t FIELD_LIMIT = 1000;
    static constexpr std::size_t LONG_FIELD_LIMIT = 8000;

    static CString Clean(const CString& text, std::size_t maxBytes = FIELD_LIMIT);
    // The first year (1000..2999) in a date text ("May 16, 2005", "c1997",
    // "2010-07-16"); 0 when there is none.
    static int FindYear(const CString& text);
};
