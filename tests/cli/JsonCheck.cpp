#include "JsonCheck.h"

#include <cstdlib>

namespace vemotest {

namespace {

const JsonValue& NullValue()
{
    static const JsonValue none;
    return none;
}

class Parser {
public:
    explicit Parser(const std::string& text)
        : m_text(text)
    {
    }

    bool ParseDocument(JsonValue& value, std::string& error)
    {
        if (!Value(value, 0) || (SkipBlanks(), m_pos != m_text.size())) {
            error = (m_error.empty() ? "text after the value" : m_error) + " at byte " + std::to_string(m_pos);
            return false;
        }
        return true;
    }

private:
    bool Fail(const char* what)
    {
        if (m_error.empty())
            m_error = what;
        return false;
    }

    void SkipBlanks()
    {
        while (m_pos < m_text.size()
            && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool Literal(const char* word)
    {
        const std::string w(word);
        if (m_text.compare(m_pos, w.size(), w) != 0)
            return Fail("bad literal");
        m_pos += w.size();
        return true;
    }

    bool Value(JsonValue& value, int depth)
    {
        if (depth > 200)
            return Fail("nesting too deep");
        SkipBlanks();
        if (m_pos >= m_text.size())
            return Fail("value expected");
        const char c = m_text[m_pos];
        if (c == '{')
            return Object(value, depth);
        if (c == '[')
            return Array(value, depth);
        if (c == '"') {
            value.kind = JsonValue::Kind::string;
            return String(value.string);
        }
        if (c == 't' || c == 'f') {
            value.kind = JsonValue::Kind::boolean;
            value.boolean = c == 't';
            return Literal(c == 't' ? "true" : "false");
        }
        if (c == 'n') {
            value.kind = JsonValue::Kind::null;
            return Literal("null");
        }
        return Number(value);
    }

    bool Number(JsonValue& value)
    {
        const std::size_t start = m_pos;
        auto digits = [&] {
            const std::size_t from = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9')
                ++m_pos;
            return m_pos > from;
        };
        if (m_pos < m_text.size() && m_text[m_pos] == '-')
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '0')
            ++m_pos;
        else if (!digits())
            return Fail("bad number");
        if (m_pos < m_text.size() && m_text[m_pos] == '.') {
            ++m_pos;
            if (!digits())
                return Fail("bad fraction");
        }
        if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            ++m_pos;
            if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-'))
                ++m_pos;
            if (!digits())
                return Fail("bad exponent");
        }
        value.kind = JsonValue::Kind::number;
        value.number = std::strtod(m_text.substr(start, m_pos - start).c_str(), nullptr);
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    bool Hex4(unsigned& code)
    {
        if (m_pos + 4 > m_text.size())
            return Fail("short \\u escape");
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_pos++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= unsigned(h - '0');
            else if (h >= 'a' && h <= 'f')
                code |= unsigned(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                code |= unsigned(h - 'A' + 10);
            else
                return Fail("bad \\u escape");
        }
        return true;
    }

    // One UTF-8 sequence, checked the way RFC 3629 reads it.
    bool Utf8(std::string& out)
    {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(m_text[i]); };
        const unsigned char lead = byte(m_pos);
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        unsigned code = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        if (lead < 0xC2 || lead > 0xF4 || m_pos + length > m_text.size())
            return Fail("malformed UTF-8");
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(m_pos + k) & 0xC0) != 0x80)
                return Fail("malformed UTF-8");
            code = (code << 6) | (byte(m_pos + k) & 0x3F);
        }
        const unsigned min = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return Fail("malformed UTF-8");
        out.append(m_text, m_pos, length);
        m_pos += length;
        return true;
    }

    bool String(std::string& out)
    {
        ++m_pos;
        out.clear();
        while (true) {
            if (m_pos >= m_text.size())
                return Fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(m_text[m_pos]);
            if (c == '"') {
                ++m_pos;
                return true;
            }
            if (c < 0x20)
                return Fail("control character in string");
            if (c >= 0x80) {
                if (!Utf8(out))
                    return false;
                continue;
            }
            ++m_pos;
            if (c != '\\') {
                out += char(c);
                continue;
            }
            if (m_pos >= m_text.size())
                return Fail("unterminated escape");
            const char e = m_text[m_pos++];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                unsigned code = 0;
                if (!Hex4(code))
                    return false;
                if (code >= 0xD800 && code <= 0xDBFF) {
                    unsigned low = 0;
                    if (m_text.compare(m_pos, 2, "\\u") != 0)
                        return Fail("lone surrogate");
                    m_pos += 2;
                    if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF)
                        return Fail("lone surrogate");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xDC00 && code <= 0xDFFF) {
                    return Fail("lone surrogate");
                }
                AppendUtf8(out, code);
                break;
            }
            default:
                return Fail("bad escape");
            }
        }
    }

    bool Array(JsonValue& value, int depth)
    {
        value.kind = JsonValue::Kind::array;
        ++m_pos;
        SkipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == ']') {
            ++m_pos;
            return true;
        }
        while (true) {
            value.elements.emplace_back();
            if (!Value(value.elements.back(), depth + 1))
                return false;
            SkipBlanks();
            if (m_pos < m_text.size() && m_text[m_pos] == ',') {
                ++m_pos;
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == ']') {
                ++m_pos;
                return true;
            }
            return Fail("',' or ']' expected");
        }
    }

    bool Object(JsonValue& value, int depth)
    {
        value.kind = JsonValue::Kind::object;
        ++m_pos;
        SkipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == '}') {
            ++m_pos;
            return true;
        }
        while (true) {
            SkipBlanks();
            if (m_pos >= m_text.size() || m_text[m_pos] != '"')
                return Fail("member name expected");
            std::string key;
            if (!String(key))
                return false;
            SkipBlanks();
            if (m_pos >= m_text.size() || m_text[m_pos] != ':')
                return Fail("':' expected");
            ++m_pos;
            value.members.emplace_back(key, JsonValue());
            if (!Value(value.members.back().second, depth + 1))
                return false;
            SkipBlanks();
            if (m_pos < m_text.size() && m_text[m_pos] == ',') {
                ++m_pos;
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == '}') {
                ++m_pos;
                return true;
            }
            return Fail("',' or '}' expected");
        }
    }

    const std::string& m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

} // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const
{
    for (const auto& [name, member] : members)
        if (name == key)
            return member;
    return NullValue();
}

const JsonValue& JsonValue::operator[](std::size_t index) const
{
    return index < elements.size() ? elements[index] : NullValue();
}

bool JsonValue::Has(const std::string& key) const
{
    for (const auto& member : members)
        if (member.first == key)
            return true;
    return false;
}

bool ParseJson(const std::string& text, JsonValue& value, std::string& error)
{
    value = JsonValue();
    return Parser(text).ParseDocument(value, error);
}

} // namespace vemotest
