#pragma once
// Numbers to text and back. Stored and exchanged texts use "." as the decimal
// point and "," as the digit-group separator.

#include <cstdint>

#include "platform/util/VemoTypes.h"

class CNumberTextConv {
public:
    // Decimal text of value, left-padded with pad (repeated) to at least
    // width characters; with grouping, digits are grouped by three with ",".
    // Width 0 and an empty pad give the plain number.
    static CString NumberToString(std::int64_t value, int width, const CString& pad, bool grouping);

    // Text of value with the given number of decimals (rounded); grouping as
    // above; padded like NumberToString; with trimZeros, trailing zeros of
    // the fraction (and a bare ".") are dropped.
    static CString DoubleToString(double value, int decimals, bool grouping, int width, const CString& pad,
                                  bool trimZeros);

    // The double of a text made of digits, ".", "," and "-": "," are group
    // separators (ignored), the first "." is the decimal point, a leading
    // "-" makes it negative; reading stops at the first other character.
    // Leading white space is skipped. No digits give 0.
    static double GetDoubleFromString(const CString& text);

    // The value of the first run of decimal digits in the text (a "-" just
    // before it makes it negative); 0 when there is none; saturates at the
    // int range. "BK-0012" gives 12; "-5" gives -5; "abc" gives 0.
    static int ParseNumber(const CString& text);

    // Like atoi: optional white space and sign, then digits; 0 otherwise;
    // saturates at the int range.
    static int GetNumberFromString(const CString& text);

    // Strict whole-number test: optional sign and digits only, after trimming
    // white space; false for empty text or a value outside the int range.
    static bool TryParseInt(const CString& text, int& value);
    // Strict decimal test: like TryParseInt, with an optional fraction.
    static bool TryParseDouble(const CString& text, double& value);
};
