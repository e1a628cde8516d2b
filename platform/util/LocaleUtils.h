#pragma once
// The few locale facts the data core uses. They are fixed values so that
// stored texts read back the same on every machine; the program may show
// numbers and dates in the user's locale on its own.

#include "platform/util/VemoTypes.h"

class CLocaleUtils {
public:
    static CString GetTimeSeparator();          // ":"
    static CString GetDecimalSeparator();       // "."
    static CString GetThousandSeparator();      // ","
    static int GetCurrencyFractionDigits();     // 2
    static CString GetCurrencySymbol();         // "$"
};
