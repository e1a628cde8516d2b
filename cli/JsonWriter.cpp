#include "cli/JsonWriter.h"

#include <charconv>
#include <cmath>

#include "platform/util/StringUtils.h"

namespace {

// Length of the well-formed UTF-8 sequence at text[i]; 0 when none starts
// there (overlong forms, surrogates and code points above U+10FFFF count as
// malformed).
std::size_t SequenceLength(const CString& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

CString CJsonWriter::Quote(const CString& text)
{
    CString out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20) {
                out += CStringUtils::Format("\\u%04x", c);
            } else if (const std::size_t length = SequenceLength(text, i); length == 0) {
                out += "\xEF\xBF\xBD";
            } else {
                out.append(text, i, length);
                i += length;
                continue;
            }
        }
        ++i;
    }
    out += '"';
    return out;
}

void CJsonWriter::Indent()
{
    m_out << '\n';
    for (std::size_t i = 0; i < m_levels.size(); ++i)
        m_out << "  ";
}

void CJsonWriter::Start(const CString& key)
{
    if (m_levels.empty())
        return;
    CLevel& level = m_levels.back();
    if (!level.empty)
        m_out << ',';
    level.empty = false;
    Indent();
    if (level.isObject)
        m_out << Quote(key) << ": ";
}

void CJsonWriter::End(char close)
{
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty)
        Indent();
    m_out << close;
}

void CJsonWriter::BeginObject(const CString& key)
{
    Start(key);
    m_out << '{';
    m_levels.push_back({ true });
}

void CJsonWriter::EndObject()
{
    End('}');
}

void CJsonWriter::BeginArray(const CString& key)
{
    Start(key);
    m_out << '[';
    m_levels.push_back({ false });
}

void CJsonWriter::EndArray()
{
    End(']');
}

void CJsonWriter::String(const CString& key, const CString& value)
{
    Start(key);
    m_out << Quote(value);
}

void CJsonWriter::Integer(const CString& key, std::int64_t value)
{
    Start(key);
    m_out << value;
}

void CJsonWriter::Real(const CString& key, double value)
{
    Start(key);
    // JSON has no infinities or NaN.
    if (!std::isfinite(value)) {
        m_out << "null";
        return;
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    m_out.write(text, result.ptr - text);
}

void CJsonWriter::Bool(const CString& key, bool value)
{
    Start(key);
    m_out << (value ? "true" : "false");
}

void CJsonWriter::Finish()
{
    m_out << '\n';
    m_out.flush();
}
