#pragma once
// The one source of "now" for the program, the tool and the data core, so
// that tests can fix the time that creation notes, "today" custom values,
// "last run" texts and archive ages are computed from.

#include "platform/util/OleDateTime.h"

class CClock {
public:
    static COleDateTime Now();
    // A fixed time answered by Now() until ResetForTesting.
    static void SetNowForTesting(const COleDateTime& now);
    static void ResetForTesting();
};
