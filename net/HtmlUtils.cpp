#include "net/HtmlUtils.h"

namespace {

// The entity of one of the five characters that markup gives a meaning to,
// or null for any other character.
const char* MarkupEntity(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    default:
        return nullptr;
    }
}

bool IsUnreservedInPath(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == '.'
        || c == '-' || c == '_' || c == '~';
}

} // namespace

CString CHtmlUtils::EscapeText(const CString& text)
{
    CString result;
    result.reserve(text.size());
    for (char c : text) {
        if (const char* entity = MarkupEntity(c))
            result += entity;
        else
            result += c;
    }
    return result;
}

CString CHtmlUtils::EscapeAttribute(const CString& text)
{
    CString result;
    result.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (const char* entity = MarkupEntity(c))
            result += entity;
        else if (c == '`')
            result += "&#96;";
        else if (c == '\t')
            result += "&#9;";
        else if (c == '\n')
            result += "&#10;";
        else if (c == '\r')
            result += "&#13;";
        else if (byte < 0x20 || byte == 0x7F)
            continue;
        else
            result += c;
    }
    return result;
}

CString CHtmlUtils::EscapeUrlPath(const CString& path)
{
    static const char HEX[] = "0123456789ABCDEF";
    CString result;
    result.reserve(path.size());
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreservedInPath(byte)) {
            result += c;
        } else {
            result += '%';
            result += HEX[byte >> 4];
            result += HEX[byte & 0x0F];
        }
    }
    return result;
}
