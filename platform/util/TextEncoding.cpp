#include "platform/util/TextEncoding.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80 to 0x9F; the five unassigned bytes keep their C1
// code points so that any byte sequence reads back unchanged.
constexpr char32_t kCp1252High[32] = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

char32_t Cp1252ToUnicode(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char32_t(b);
}

// The Windows-1252 byte of a code point, or -1 when it has none.
int UnicodeToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == cp)
            return 0x80 + i;
    return -1;
}

// Decodes the well-formed UTF-8 sequence at s[i] (no overlong forms, no
// surrogates, nothing above U+10FFFF); false when s[i] does not start one.
bool DecodeUtf8At(std::string_view s, std::size_t& i, char32_t& cp)
{
    auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b0 = byteAt(i);
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    }
    std::size_t len;
    char32_t value;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        value = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        value = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0;
        else if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        value = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return false;
    }
    if (s.size() - i < len)
        return false;
    for (std::size_t k = 1; k < len; ++k) {
        unsigned char b = byteAt(i + k);
        if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF))
            return false;
        value = (value << 6) | (b & 0x3F);
    }
    cp = value;
    i += len;
    return true;
}

// Calls f with every character; a byte that does not start valid UTF-8 is
// taken as a Windows-1252 character, so text from any source keeps its bytes.
template <class F> void ForEachCodePoint(std::string_view s, F f)
{
    std::size_t i = 0;
    while (i < s.size()) {
        char32_t cp;
        if (!DecodeUtf8At(s, i, cp))
            cp = Cp1252ToUnicode(static_cast<unsigned char>(s[i++]));
        f(cp);
    }
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16Unit(std::string& out, char32_t unit)
{
    out += char(unit & 0xFF);
    out += char((unit >> 8) & 0xFF);
}

} // namespace

bool CTextEncoding::IsAscii(std::string_view s)
{
    // Every loaded text passes here, most of them short: whole words, the
    // last one overlapping the one before, so no text ends in a byte loop.
    constexpr std::uint64_t kHigh8 = 0x8080808080808080ull;
    constexpr std::uint32_t kHigh4 = 0x80808080u;
    const char* p = s.data();
    const std::size_t n = s.size();
    if (n >= 8) {
        std::uint64_t word;
        for (std::size_t i = 0; i + 8 <= n; i += 8) {
            std::memcpy(&word, p + i, 8);
            if (word & kHigh8)
                return false;
        }
        std::memcpy(&word, p + n - 8, 8);
        return !(word & kHigh8);
    }
    if (n >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + n - 4, 4);
        return !((head | tail) & kHigh4);
    }
    unsigned any = 0;
    for (std::size_t i = 0; i < n; ++i)
        any |= static_cast<unsigned char>(p[i]);
    return any < 0x80;
}

bool CTextEncoding::FitsWindows1252(const CString& utf8)
{
    bool fits = true;
    ForEachCodePoint(utf8, [&](char32_t cp) {
        if (UnicodeToCp1252(cp) < 0)
            fits = false;
    });
    return fits;
}

std::string CTextEncoding::ToWindows1252(const CString& utf8)
{
    if (IsAscii(utf8))
        return utf8;
    std::string out;
    out.reserve(utf8.size());
    ForEachCodePoint(utf8, [&](char32_t cp) {
        int b = UnicodeToCp1252(cp);
        out += b < 0 ? '?' : char(b);
    });
    return out;
}

namespace {

// Bytes with at least one above 0x7F; out sized exactly first when it is new:
// loaded texts stay in memory as long as the library.
void DecodeWindows1252(CString& out, std::string_view bytes)
{
    std::size_t length = 0;
    for (char c : bytes) {
        const char32_t cp = Cp1252ToUnicode(static_cast<unsigned char>(c));
        length += cp < 0x80 ? 1 : cp < 0x800 ? 2 : 3;
    }
    out.clear();
    out.reserve(length);
    for (char c : bytes)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
}

} // namespace

CString CTextEncoding::FromWindows1252(std::string_view bytes)
{
    CString out;
    AssignFromWindows1252(out, bytes);
    return out;
}

void CTextEncoding::AssignFromWindows1252(CString& out, std::string_view bytes)
{
    if (IsAscii(bytes))
        out.assign(bytes);
    else
        DecodeWindows1252(out, bytes);
}

std::string CTextEncoding::ToUtf16LE(const CString& utf8)
{
    std::string out;
    out.reserve(utf8.size() * 2);
    ForEachCodePoint(utf8, [&](char32_t cp) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            AppendUtf16Unit(out, 0xD800 + (cp >> 10));
            AppendUtf16Unit(out, 0xDC00 + (cp & 0x3FF));
        } else {
            AppendUtf16Unit(out, cp);
        }
    });
    return out;
}

CString CTextEncoding::FromUtf16LE(std::string_view bytes)
{
    auto unitAt = [&](std::size_t i) {
        return char32_t(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    CString out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        char32_t unit = unitAt(i);
        i += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < bytes.size()) {
            char32_t low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        AppendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : unit);
    }
    if (i < bytes.size()) // a dangling half unit
        AppendUtf8(out, kReplacement);
    return out;
}

std::size_t CTextEncoding::Utf16Length(const CString& utf8)
{
    std::size_t n = 0;
    ForEachCodePoint(utf8, [&](char32_t cp) { n += cp >= 0x10000 ? 2 : 1; });
    return n;
}

bool CTextEncoding::IsValidUtf8(const std::string& bytes)
{
    if (IsAscii(bytes))
        return true;
    std::size_t i = 0;
    char32_t cp;
    while (i < bytes.size())
        if (!DecodeUtf8At(bytes, i, cp))
            return false;
    return true;
}

CString CTextEncoding::ToUtf8Lenient(const std::string& bytes)
{
    if (IsValidUtf8(bytes))
        return bytes;
    CString out;
    out.reserve(bytes.size() + bytes.size() / 2);
    ForEachCodePoint(bytes, [&](char32_t cp) { AppendUtf8(out, cp); });
    return out;
}
