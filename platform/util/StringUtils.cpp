#include "platform/util/StringUtils.h"

#include <cstdio>
#include <unordered_set>
#include <vector>

namespace {

// One character of a UTF-8 string: its code point (or, for a byte that does
// not start a well-formed sequence, a value above the Unicode range so that it
// never equals a real character) and its byte length.
struct Unit {
    std::uint32_t key;
    std::size_t len;
    bool valid;
};

constexpr std::uint32_t kBadByteBase = 0x110000;

bool IsCont(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Decodes the character at i; only the bytes in [i, s.size()) are read.
Unit DecodeAt(std::string_view s, std::size_t i)
{
    const std::size_t left = s.size() - i;
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80)
        return { b0, 1, true };
    Unit bad { kBadByteBase + b0, 1, false };
    std::size_t len = 0;
    std::uint32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0; // no overlong forms
        else if (b0 == 0xED)
            hi = 0x9F; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return bad;
    }
    if (left < len)
        return bad;
    const auto b1 = static_cast<unsigned char>(s[i + 1]);
    if (b1 < lo || b1 > hi)
        return bad;
    cp = (cp << 6) | (b1 & 0x3F);
    for (std::size_t k = 2; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (!IsCont(b))
            return bad;
        cp = (cp << 6) | (b & 0x3F);
    }
    return { cp, len, true };
}

// Latin-1 capitals are U+00C0..U+00DE except the multiplication sign; their
// small forms lie 0x20 above. ß and ÿ have no single-character partner here.
std::uint32_t FoldLower(std::uint32_t cp)
{
    if (cp >= 'A' && cp <= 'Z')
        return cp + 0x20;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
        return cp + 0x20;
    return cp;
}

std::uint32_t FoldUpper(std::uint32_t cp)
{
    if (cp >= 'a' && cp <= 'z')
        return cp - 0x20;
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)
        return cp - 0x20;
    return cp;
}

// Comparison key of the character at i (bad bytes stay as they are).
std::uint32_t FoldedKeyAt(std::string_view s, std::size_t i, std::size_t& len)
{
    Unit u = DecodeAt(s, i);
    len = u.len;
    return u.valid ? FoldLower(u.key) : u.key;
}

// True when what matches text at byte i, character by character ignoring case;
// on success end is the byte just past the match.
bool MatchFoldedAt(const CString& text, std::size_t i, const CString& what, std::size_t& end)
{
    std::size_t j = 0;
    while (j < what.size()) {
        if (i >= text.size())
            return false;
        std::size_t lenT = 0, lenW = 0;
        if (FoldedKeyAt(text, i, lenT) != FoldedKeyAt(what, j, lenW))
            return false;
        i += lenT;
        j += lenW;
    }
    end = i;
    return true;
}

void AppendUtf8(CString& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

template <class Fold> CString MapCase(const CString& text, Fold fold)
{
    // Plain ASCII, by far the most common, maps byte by byte in place; the
    // rest is decoded from the first byte that is not.
    CString out = text;
    std::size_t i = 0;
    for (; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 0x80)
            break;
        out[i] = static_cast<char>(fold(c));
    }
    if (i == out.size())
        return out;
    out.resize(i);
    while (i < text.size()) {
        Unit u = DecodeAt(text, i);
        std::uint32_t mapped = u.valid ? fold(u.key) : u.key;
        if (!u.valid || mapped == u.key)
            out.append(text, i, u.len);
        else
            AppendUtf8(out, mapped);
        i += u.len;
    }
    return out;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

template <class Parts> void SplitInto(const CString& line, const CString& delimiter, Parts& parts)
{
    parts.RemoveAll();
    if (delimiter.empty()) {
        parts.Add(line);
        return;
    }
    std::size_t from = 0;
    for (;;) {
        std::size_t at = line.find(delimiter, from);
        if (at == CString::npos) {
            parts.Add(line.substr(from));
            return;
        }
        parts.Add(line.substr(from, at - from));
        from = at + delimiter.size();
    }
}

// CStringList has AddTail where CStringArray has Add.
struct ListAdder {
    CStringList& list;
    void RemoveAll() { list.RemoveAll(); }
    void Add(const CString& s) { list.AddTail(s); }
};

} // namespace

void CStringUtils::SplitLine(const CString& line, const CString& delimiter, CStringArray& parts)
{
    SplitInto(line, delimiter, parts);
}

void CStringUtils::SplitLine(const CString& line, const CString& delimiter, CStringList& parts)
{
    ListAdder adder { parts };
    SplitInto(line, delimiter, adder);
}

bool CStringUtils::IsEffectivelyEmpty(std::string_view text)
{
    for (char c : text)
        if (!IsSpace(c))
            return false;
    return true;
}

void CStringUtils::RemoveDuplicates(CStringList& list)
{
    std::unordered_set<CString> seen;
    POSITION pos = list.GetHeadPosition();
    while (pos) {
        POSITION here = pos;
        const CString& s = list.GetNext(pos);
        if (!seen.insert(s).second)
            list.RemoveAt(here);
    }
}

bool CStringUtils::FindOccurrencePair(
    const CString& text, const CString& first, const CString& second, int n, int& firstPos, int& secondPos)
{
    firstPos = secondPos = -1;
    if (n < 1 || first.empty() || second.empty())
        return false;
    std::size_t at = CString::npos;
    std::size_t from = 0;
    for (int k = 0; k < n; ++k) {
        at = text.find(first, from);
        if (at == CString::npos)
            return false;
        from = at + first.size();
    }
    std::size_t end = text.find(second, from);
    if (end == CString::npos)
        return false;
    firstPos = static_cast<int>(at);
    secondPos = static_cast<int>(end);
    return true;
}

bool CStringUtils::ReplaceTextBlock(
    CStringList& lines, const CString& beginTag, const CString& endTag, const CString& replacement, bool firstOnly)
{
    if (beginTag.empty() || endTag.empty())
        return false;
    bool found = false;
    POSITION pos = lines.GetHeadPosition();
    std::size_t column = 0;
    while (pos) {
        CString& line = lines.GetAt(pos);
        std::size_t b = line.find(beginTag, column);
        if (b == CString::npos) {
            lines.GetNext(pos);
            column = 0;
            continue;
        }
        // The end tag may sit on this line or on a later one.
        POSITION endPos = pos;
        std::size_t e = line.find(endTag, b + beginTag.size());
        while (e == CString::npos) {
            lines.GetNext(endPos);
            if (!endPos)
                return found; // an unclosed block is left as it is
            e = lines.GetAt(endPos).find(endTag);
        }
        CString joined = line.substr(0, b) + replacement + lines.GetAt(endPos).substr(e + endTag.size());
        while (endPos != pos) {
            POSITION prev = endPos;
            lines.GetPrev(prev);
            lines.RemoveAt(endPos);
            endPos = prev;
        }
        line = std::move(joined);
        found = true;
        column = b + replacement.size();
        if (IsEffectivelyEmpty(line)) {
            POSITION drop = pos;
            lines.GetNext(pos);
            lines.RemoveAt(drop);
            column = 0;
        }
        if (firstOnly)
            break;
    }
    return found;
}

bool CStringUtils::MatchFirstChars(const CString& text, const CString& prefix, bool ignoreCase)
{
    if (!ignoreCase)
        return text.compare(0, prefix.size(), prefix) == 0 && text.size() >= prefix.size();
    std::size_t end = 0;
    return MatchFoldedAt(text, 0, prefix, end);
}

bool CStringUtils::MatchLastChars(const CString& text, const CString& suffix, bool ignoreCase)
{
    if (suffix.size() > text.size())
        return false;
    if (!ignoreCase)
        return text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
    // Folding keeps byte lengths, so a match can only start where the
    // suffix's byte length says; it must start on a character boundary.
    const std::size_t start = text.size() - suffix.size();
    for (std::size_t i = 0; i < text.size(); i += DecodeAt(text, i).len) {
        if (i == start) {
            std::size_t end = 0;
            return MatchFoldedAt(text, i, suffix, end) && end == text.size();
        }
        if (i > start)
            break;
    }
    return suffix.empty();
}

int CStringUtils::CompareNoCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        std::size_t lenA = 0, lenB = 0;
        std::uint32_t ka = FoldedKeyAt(a, i, lenA);
        std::uint32_t kb = FoldedKeyAt(b, j, lenB);
        if (ka != kb)
            return ka < kb ? -1 : 1;
        i += lenA;
        j += lenB;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

int CStringUtils::FindNoCase(const CString& text, const CString& what, int start)
{
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) > text.size())
        return -1;
    for (std::size_t i = 0; i <= text.size();) {
        if (i >= static_cast<std::size_t>(start)) {
            std::size_t end = 0;
            if (MatchFoldedAt(text, i, what, end))
                return static_cast<int>(i);
        }
        if (i == text.size())
            break;
        i += DecodeAt(text, i).len;
    }
    return -1;
}

CString CStringUtils::ToLower(const CString& text)
{
    return MapCase(text, FoldLower);
}

CString CStringUtils::ToUpper(const CString& text)
{
    return MapCase(text, FoldUpper);
}

int CStringUtils::Replace(CString& text, const CString& from, const CString& to)
{
    if (from.empty())
        return 0;
    int count = 0;
    CString out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t at = text.find(from, pos);
        if (at == CString::npos)
            break;
        out.append(text, pos, at - pos);
        out += to;
        pos = at + from.size();
        ++count;
    }
    if (count > 0) {
        out.append(text, pos, CString::npos);
        text = std::move(out);
    }
    return count;
}

CString CStringUtils::Trim(const CString& text)
{
    return TrimRight(TrimLeft(text));
}

CString CStringUtils::TrimLeft(const CString& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return text.substr(i);
}

CString CStringUtils::TrimRight(const CString& text)
{
    std::size_t n = text.size();
    while (n > 0 && IsSpace(text[n - 1]))
        --n;
    return text.substr(0, n);
}

CString CStringUtils::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CString out = FormatV(format, args);
    va_end(args);
    return out;
}

CString CStringUtils::FormatV(const char* format, va_list args)
{
    if (!format)
        return CString();
    // Most texts are short: one pass into a buffer on the stack.
    char small[256];
    va_list sizing;
    va_copy(sizing, args);
    int needed = std::vsnprintf(small, sizeof small, format, sizing);
    va_end(sizing);
    if (needed <= 0)
        return CString();
    if (static_cast<std::size_t>(needed) < sizeof small)
        return CString(small, static_cast<std::size_t>(needed));
    std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
    va_list writing;
    va_copy(writing, args);
    int written = std::vsnprintf(buffer.data(), buffer.size(), format, writing);
    va_end(writing);
    if (written < 0)
        return CString();
    return CString(buffer.data(), static_cast<std::size_t>(std::min(written, needed)));
}

CString CStringUtils::TruncateUtf8(const CString& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t cut = 0;
    while (cut < text.size()) {
        std::size_t len = DecodeAt(text, cut).len;
        if (cut + len > maxBytes)
            break;
        cut += len;
    }
    return text.substr(0, cut);
}
