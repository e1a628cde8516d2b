#pragma once
// The program's one source of "now", so that tests can fix the time that
// creation notes, "last run" texts and archive ages are computed from.

#include "platform/util/OleDateTime.h"

class CClock {
public:
    static COleDateTime Now();
    // A fixed time answered by Now() until ResetForTesting.
    static void SetNowForTesting(const COleDateTime& now);
    static void ResetForTesting();
};
