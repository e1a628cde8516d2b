#include "cli/JsonWriter.h"

#include <cmath>

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
    return Dump(json(text));
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
    m_out << Dump(json(value));
}

void CJsonWriter::Real(const CString& key, double value)
{
    Start(key);
    // Whole amounts are written without a fraction ("12", not "12.0");
    // infinities and NaN, which JSON has not, come out as null.
    constexpr double WHOLE_LIMIT = 9007199254740992.0; // 2^53
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < WHOLE_LIMIT)
        m_out << Dump(json(static_cast<std::int64_t>(value)));
    else
        m_out << Dump(json(value));
}

void CJsonWriter::Bool(const CString& key, bool value)
{
    Start(key);
    m_out << Dump(json(value));
}

void CJsonWriter::Finish()
{
    m_out << '\n';
    m_out.flush();
}
