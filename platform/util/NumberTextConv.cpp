#include "platform/util/NumberTextConv.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

// Every conversion here is independent of the process locale (the program's
// window toolkit switches LC_NUMERIC to the user's), so stored texts always
// use "." and ",".

namespace {

// Longer widths are taken as this, so a stray width cannot ask for gigabytes.
constexpr int MAX_WIDTH = 4096;
// Decimals beyond this add only noise digits of the binary value.
constexpr int MAX_DECIMALS = 30;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Bytes of multi-byte UTF-8 characters count as letters.
bool IsWordChar(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

std::size_t CountCharacters(const CString& text)
{
    std::size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

CString GroupDigits(const CString& digits)
{
    CString grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i >= lead && (i - lead) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// Pads body (without its sign) to width characters. A pad made of digits
// goes between the sign and the number ("-007"); any other pad goes in front
// of the sign ("  -7").
CString PadNumber(bool negative, const CString& body, int width, const CString& pad)
{
    const CString sign = negative ? "-" : "";
    if (pad.empty() || width <= 0)
        return sign + body;
    const std::size_t target = static_cast<std::size_t>(width > MAX_WIDTH ? MAX_WIDTH : width);
    const std::size_t padLength = CountCharacters(pad);
    std::size_t length = CountCharacters(body) + sign.size();
    CString fill;
    while (length < target) {
        fill += pad;
        length += padLength;
    }
    bool digitPad = true;
    for (char c : pad)
        digitPad = digitPad && IsDigit(c);
    return digitPad ? sign + fill + body : fill + sign + body;
}

// value as int, clamped to the int range.
int Saturate(bool negative, unsigned long long magnitude)
{
    if (negative)
        return magnitude >= static_cast<unsigned long long>(INT_MAX) + 1ULL ? INT_MIN : -static_cast<int>(magnitude);
    return magnitude >= static_cast<unsigned long long>(INT_MAX) ? INT_MAX : static_cast<int>(magnitude);
}

// Reads the digits at text[pos...] into a magnitude that stops growing past
// the int range; pos ends after the digits.
unsigned long long ReadMagnitude(const CString& text, std::size_t& pos)
{
    constexpr unsigned long long LIMIT = static_cast<unsigned long long>(INT_MAX) + 1ULL;
    unsigned long long magnitude = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (magnitude < LIMIT)
            magnitude = magnitude * 10 + static_cast<unsigned long long>(text[pos] - '0');
        ++pos;
    }
    return magnitude;
}

// Converts "digits[.digits]" (no sign) to a double; a value beyond the
// double range saturates at DBL_MAX, one below its precision gives 0.
double ParseUnsignedDecimal(const CString& digits)
{
    if (digits.empty() || digits == ".")
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        bool nonZeroWhole = false;
        for (char c : digits) {
            if (c == '.')
                break;
            nonZeroWhole = nonZeroWhole || c != '0';
        }
        return nonZeroWhole ? DBL_MAX : 0.0;
    }
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

CString TrimBlanks(const CString& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Splits an optional sign off a trimmed text; false when nothing follows it.
bool SplitSign(const CString& text, bool& negative, CString& rest)
{
    negative = false;
    rest = text;
    if (!rest.empty() && (rest[0] == '-' || rest[0] == '+')) {
        negative = rest[0] == '-';
        rest.erase(0, 1);
    }
    return !rest.empty();
}

} // namespace

CString CNumberTextConv::NumberToString(std::int64_t value, int width, const CString& pad, bool grouping)
{
    const bool negative = value < 0;
    // Negating in unsigned arithmetic keeps INT64_MIN defined.
    const std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(value)
                                             : static_cast<std::uint64_t>(value);
    CString digits = std::to_string(magnitude);
    if (grouping)
        digits = GroupDigits(digits);
    return PadNumber(negative, digits, width, pad);
}

CString CNumberTextConv::DoubleToString(
    double value, int decimals, bool grouping, int width, const CString& pad, bool trimZeros)
{
    // Infinities and NaN have no place in stored texts; they are written as 0.
    if (!std::isfinite(value))
        value = 0.0;
    if (decimals < 0)
        decimals = 0;
    if (decimals > MAX_DECIMALS)
        decimals = MAX_DECIMALS;

    // DBL_MAX in fixed form with MAX_DECIMALS decimals takes 340 characters.
    char buffer[400];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, decimals);
    CString text = result.ec == std::errc() ? CString(buffer, result.ptr) : CString("0");

    const std::size_t point = text.find('.');
    CString whole = point == CString::npos ? text : text.substr(0, point);
    CString fraction = point == CString::npos ? CString() : text.substr(point + 1);
    if (trimZeros) {
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
    }
    // A value that rounds to zero is written without a sign.
    const bool nonZero
        = whole.find_first_not_of('0') != CString::npos || fraction.find_first_not_of('0') != CString::npos;
    const bool negative = std::signbit(value) && nonZero;
    if (grouping)
        whole = GroupDigits(whole);
    CString body = whole;
    if (!fraction.empty())
        body += "." + fraction;
    return PadNumber(negative, body, width, pad);
}

double CNumberTextConv::GetDoubleFromString(const CString& text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && text[pos] == '-') {
        negative = true;
        ++pos;
    }
    CString digits;
    bool seenPoint = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            digits += c;
        } else if (c == ',') {
            continue;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            digits += c;
        } else {
            break;
        }
    }
    const double value = ParseUnsignedDecimal(digits);
    // No negative zero: "-0" reads as plain 0.
    return negative && value != 0.0 ? -value : value;
}

int CNumberTextConv::ParseNumber(const CString& text)
{
    std::size_t pos = 0;
    while (pos < text.size() && !IsDigit(text[pos]))
        ++pos;
    if (pos == text.size())
        return 0;
    // A "-" is a sign only where it does not join two words: "BK-0012" is
    // number 12 of a prefix, "-5" and "ID -5" are minus five.
    const bool negative = pos > 0 && text[pos - 1] == '-' && (pos == 1 || !IsWordChar(text[pos - 2]));
    return Saturate(negative, ReadMagnitude(text, pos));
}

int CNumberTextConv::GetNumberFromString(const CString& text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return Saturate(negative, ReadMagnitude(text, pos));
}

bool CNumberTextConv::TryParseInt(const CString& text, int& value)
{
    bool negative = false;
    CString digits;
    if (!SplitSign(TrimBlanks(text), negative, digits))
        return false;
    for (char c : digits) {
        if (!IsDigit(c))
            return false;
    }
    std::size_t pos = 0;
    const unsigned long long magnitude = ReadMagnitude(digits, pos);
    const unsigned long long limit = static_cast<unsigned long long>(INT_MAX) + (negative ? 1ULL : 0ULL);
    if (magnitude > limit)
        return false;
    value = Saturate(negative, magnitude);
    return true;
}

bool CNumberTextConv::TryParseDouble(const CString& text, double& value)
{
    bool negative = false;
    CString digits;
    if (!SplitSign(TrimBlanks(text), negative, digits))
        return false;
    bool seenPoint = false;
    bool seenDigit = false;
    for (char c : digits) {
        if (c == '.' && !seenPoint)
            seenPoint = true;
        else if (IsDigit(c))
            seenDigit = true;
        else
            return false;
    }
    if (!seenDigit)
        return false;
    double parsed = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), parsed, std::chars_format::fixed);
    // Beyond the double range there is no value to give; below its precision
    // the text is a valid (tiny) number and reads as 0.
    if (result.ec == std::errc::result_out_of_range) {
        parsed = ParseUnsignedDecimal(digits);
        if (parsed != 0.0)
            return false;
    } else if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
        return false;
    }
    value = negative && parsed != 0.0 ? -parsed : parsed;
    return true;
}
