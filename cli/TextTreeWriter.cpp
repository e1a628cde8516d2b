#include "cli/TextTreeWriter.h"

#include <charconv>

CString CTextTreeWriter::Label(const CString& key)
{
    if (m_levels.empty())
        return key;
    CLevel& level = m_levels.back();
    level.written = true;
    if (level.isArray)
        return "[" + std::to_string(++level.count) + "]";
    return key;
}

void CTextTreeWriter::Line(const CString& label, const CString& value)
{
    // The outermost object's members are not indented.
    const std::size_t depth = m_levels.empty() ? 0 : m_levels.size() - 1;
    const CString indent(depth * 2, ' ');
    m_out << indent << label << ':';
    if (value.empty()) {
        m_out << '\n';
        return;
    }
    m_out << ' ';
    const CString continuation = indent + CString(label.size() + 2, ' ');
    for (std::size_t start = 0;;) {
        const std::size_t end = value.find('\n', start);
        m_out.write(
            value.data() + start, static_cast<std::streamsize>((end == CString::npos ? value.size() : end) - start));
        m_out << '\n';
        if (end == CString::npos)
            break;
        start = end + 1;
        m_out << continuation;
    }
}

void CTextTreeWriter::Begin(const CString& key, bool isArray)
{
    if (!m_levels.empty())
        Line(Label(key), CString());
    m_levels.push_back({ isArray });
}

void CTextTreeWriter::End()
{
    const CLevel level = m_levels.back();
    m_levels.pop_back();
    if (!level.written && !m_levels.empty()) {
        const CString indent(m_levels.size() * 2, ' ');
        m_out << indent << (level.isArray ? "(none)" : "(empty)") << '\n';
    }
}

void CTextTreeWriter::BeginObject(const CString& key)
{
    Begin(key, false);
}

void CTextTreeWriter::EndObject()
{
    End();
}

void CTextTreeWriter::BeginArray(const CString& key)
{
    Begin(key, true);
}

void CTextTreeWriter::EndArray()
{
    End();
}

void CTextTreeWriter::String(const CString& key, const CString& value)
{
    Line(Label(key), value);
}

void CTextTreeWriter::Integer(const CString& key, std::int64_t value)
{
    Line(Label(key), std::to_string(value));
}

void CTextTreeWriter::Real(const CString& key, double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    Line(Label(key), CString(text, result.ptr));
}

void CTextTreeWriter::Bool(const CString& key, bool value)
{
    Line(Label(key), value ? "yes" : "no");
}

void CTextTreeWriter::Finish()
{
    m_out.flush();
}
