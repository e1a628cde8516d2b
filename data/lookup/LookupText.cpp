#include "data/lookup/LookupText.h"

#include <cctype>
#include <cstring>

#include "platform/util/StringUtils.h"
#include "platform/util/TextEncoding.h"

namespace {

// A code point as UTF-8, through its UTF-16 form.
void AppendUtf8(CString& out, unsigned long code)
{
    std::string utf16;
    auto unit = [&](unsigned long u) {
        utf16 += static_cast<char>(u & 0xFF);
        utf16 += static_cast<char>(u >> 8);
    };
    if (code < 0x10000) {
        unit(code);
    } else {
        unit(0xD800 + ((code - 0x10000) >> 10));
        unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
    out += CTextEncoding::FromUtf16LE(utf16);
}

// The entity at text[pos] ("&amp;", "&#233;", "&#xE9;"), appended decoded;
// the number of bytes it took, 0 when it is none.
std::size_t DecodeEntity(const CString& text, std::size_t pos, CString& out)
{
    static const struct {
        const char* name;
        const char* value;
    } named[] = { { "amp", "&" }, { "lt", "<" }, { "gt", ">" }, { "quot", "\"" }, { "apos", "'" }, { "nbsp", " " } };
    const std::size_t semicolon = text.find(';', pos);
    if (semicolon == CString::npos || semicolon - pos > 10)
        return 0;
    const CString name = text.substr(pos + 1, semicolon - pos - 1);
    for (const auto& entity : named) {
        if (name == entity.name) {
            out += entity.value;
            return semicolon - pos + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const CString digits = name.substr(hex ? 2 : 1);
    if (digits.empty())
        return 0;
    unsigned long code = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)) || (!hex && !std::isdigit(static_cast<unsigned char>(c))))
            return 0;
        code = code * (hex ? 16 : 10)
            + static_cast<unsigned long>(std::isdigit(static_cast<unsigned char>(c))
                    ? c - '0'
                    : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    AppendUtf8(out, code);
    return semicolon - pos + 1;
}

CString DecodeEntities(const CString& text)
{
    CString out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            if (const std::size_t taken = DecodeEntity(text, i, out)) {
                i += taken;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

// A tag starts with "<" and a letter, "/", "!" or "?".
bool IsTagStart(const CString& text, std::size_t pos)
{
    if (text[pos] != '<' || pos + 1 >= text.size())
        return false;
    const char next = text[pos + 1];
    return std::isalpha(static_cast<unsigned char>(next)) || next == '/' || next == '!' || next == '?';
}

} // namespace

CString CLookupText::Clean(const CString& text, std::size_t maxBytes)
{
    const CString decoded = DecodeEntities(text);
    CString out;
    out.reserve(decoded.size());
    bool space = false;
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        if (IsTagStart(decoded, i)) {
            const std::size_t end = decoded.find('>', i);
            if (end != CString::npos) {
                i = end;
                continue;
            }
        }
        const auto c = static_cast<unsigned char>(decoded[i]);
        if (c < 0x20 || c == 0x7F || c == ' ') {
            space = space || !out.empty();
            continue;
        }
        if (space) {
            out += ' ';
            space = false;
        }
        out += static_cast<char>(c);
    }
    return CStringUtils::TruncateUtf8(out, maxBytes);
}

int CLookupText::FindYear(const CString& text)
{
    for (std::size_t i = 0; i + 4 <= text.size(); ++i) {
        const bool before = i > 0 && std::isdigit(static_cast<unsigned char>(text[i - 1]));
        const bool after = i + 4 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 4]));
        if (before || after)
            continue;
        bool digits = true;
        for (std::size_t k = i; k < i + 4; ++k)
            digits = digits && std::isdigit(static_cast<unsigned char>(text[k]));
        if (!digits)
            continue;
        const int year = std::stoi(text.substr(i, 4));
        if (year >= 1000 && year <= 2999)
            return year;
    }
    return 0;
}
