#include "cli/JsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include <nlohmann/json.hpp>

namespace {

using json = nlohmann::json;

CString Dump(const json& value)
{
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

} // namespace

CString CJsonWriter::Quote(const CString& text)
{
    CTreeText quoted;
    AppendQuoted(quoted, text);
    return CString(quoted.View());
}

void CJsonWriter::AppendQuoted(CTreeText& out, const CString& text)
{
    // Printable ASCII without quotes or backslashes (most texts) is written
    // as it stands; the rest goes through the library's escaping.
    const bool plain
        = std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (!plain) {
        out.Add(Dump(json(text)));
        return;
    }
    char* at = out.Room(text.size() + 2);
    *at++ = '"';
    std::memcpy(at, text.data(), text.size());
    at += text.size();
    *at++ = '"';
    out.Commit(at);
}

void CJsonWriter::Indent()
{
    char* at = m_text.Room(m_levels.size() * 2 + 1);
    *at++ = '\n';
    std::memset(at, ' ', m_levels.size() * 2);
    m_text.Commit(at + m_levels.size() * 2);
}

void CJsonWriter::Start(const CString& key)
{
    if (m_levels.empty())
        return;
    CLevel& level = m_levels.back();
    if (!level.empty)
        m_text.Add(',');
    level.empty = false;
    Indent();
    if (level.isObject) {
        AppendQuoted(m_text, key);
        m_text.Add(": ");
    }
}

void CJsonWriter::End(char close)
{
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty)
        Indent();
    m_text.Add(close);
    Written();
}

void CJsonWriter::BeginObject(const CString& key)
{
    Start(key);
    m_text.Add('{');
    m_levels.push_back({ true });
}

void CJsonWriter::EndObject()
{
    End('}');
}

void CJsonWriter::BeginArray(const CString& key)
{
    Start(key);
    m_text.Add('[');
    m_levels.push_back({ false });
}

void CJsonWriter::EndArray()
{
    End(']');
}

void CJsonWriter::String(const CString& key, const CString& value)
{
    Start(key);
    AppendQuoted(m_text, value);
    Written();
}

void CJsonWriter::Integer(const CString& key, std::int64_t value)
{
    Start(key);
    char text[24];
    m_text.Add(
        std::string_view(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text)));
    Written();
}

void CJsonWriter::Real(const CString& key, double value)
{
    Start(key);
    // Whole amounts are written without a fraction ("12", not "12.0");
    // infinities and NaN, which JSON has not, come out as null.
    constexpr double WHOLE_LIMIT = 9007199254740992.0; // 2^53
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < WHOLE_LIMIT)
        m_text.Add(Dump(json(static_cast<std::int64_t>(value))));
    else
        m_text.Add(Dump(json(value)));
    Written();
}

void CJsonWriter::Bool(const CString& key, bool value)
{
    Start(key);
    m_text.Add(value ? "true" : "false");
    Written();
}

void CJsonWriter::Finish()
{
    m_text.Add('\n');
    Flush();
    if (m_stream)
        m_stream->flush();
}

std::unique_ptr<CTreeWriter> CJsonWriter::ForkArray(CTreeText& text, int before) const
{
    auto fork = std::make_unique<CJsonWriter>(text);
    fork->m_levels = m_levels;
    fork->m_levels.back().empty = before == 0;
    return fork;
}

void CJsonWriter::JoinArray(CTreeText& text, int count)
{
    CLevel& array = m_levels.back();
    array.empty = array.empty && count == 0;
    Append(text);
}
