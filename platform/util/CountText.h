#pragma once
// Counts in words: "1 item", "2 items", "0 items". Every count the program
// shows goes through here so that no text says "1 items".

#include <cstdint>

#include "platform/util/VemoTypes.h"

class CCountText {
public:
    // count, a blank and the noun: singular for exactly 1, else plural
    // (singular + "s" when plural is empty). With grouping, digits are
    // grouped by three with ",".
    static CString Of(
        std::int64_t count, const CString& singular, const CString& plural = CString(), bool grouping = false);
    // Only the noun that goes with count.
    static CString Noun(std::int64_t count, const CString& singular, const CString& plural = CString());
};
