#include "cli/TextTreeWriter.h"

#include <charconv>
#include <cstring>

std::string_view CTextTreeWriter::Label(const CString& key)
{
    if (m_levels.empty())
        return key;
    CLevel& level = m_levels.back();
    level.written = true;
    if (!level.isArray)
        return key;
    m_number[0] = '[';
    char* end = std::to_chars(m_number + 1, m_number + sizeof m_number - 1, ++level.count).ptr;
    *end++ = ']';
    return std::string_view(m_number, static_cast<std::size_t>(end - m_number));
}

void CTextTreeWriter::Line(std::string_view label, std::string_view value)
{
    // The outermost object's members are not indented.
    const std::size_t indent = m_levels.empty() ? 0 : 2 * (m_levels.size() - 1);
    std::size_t end = value.find('\n');
    // Most lines hold one line of value: written in one piece.
    std::size_t length = end == std::string_view::npos ? value.size() : end;
    char* at = m_text.Room(indent + label.size() + length + 3);
    std::memset(at, ' ', indent);
    at += indent;
    std::memcpy(at, label.data(), label.size());
    at += label.size();
    *at++ = ':';
    if (!value.empty()) {
        *at++ = ' ';
        std::memcpy(at, value.data(), length);
        at += length;
    }
    *at++ = '\n';
    m_text.Commit(at);
    while (end != std::string_view::npos) {
        // Continued under the value.
        const std::size_t start = end + 1;
        end = value.find('\n', start);
        length = (end == std::string_view::npos ? value.size() : end) - start;
        m_text.Add(indent + label.size() + 2, ' ');
        m_text.Add(value.substr(start, length));
        m_text.Add('\n');
    }
    Written();
}

void CTextTreeWriter::Begin(const CString& key, bool isArray)
{
    if (!m_levels.empty())
        Line(Label(key), std::string_view());
    m_levels.push_back({ isArray });
}

void CTextTreeWriter::End()
{
    const CLevel level = m_levels.back();
    m_levels.pop_back();
    if (!level.written && !m_levels.empty()) {
        m_text.Add(m_levels.size() * 2, ' ');
        m_text.Add(level.isArray ? "(none)\n" : "(empty)\n");
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
    const std::string_view label = Label(key);
    char text[24];
    Line(label,
        std::string_view(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text)));
}

void CTextTreeWriter::Real(const CString& key, double value)
{
    const std::string_view label = Label(key);
    char text[32];
    Line(label,
        std::string_view(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text)));
}

void CTextTreeWriter::Bool(const CString& key, bool value)
{
    Line(Label(key), value ? "yes" : "no");
}

void CTextTreeWriter::Finish()
{
    Flush();
    if (m_stream)
        m_stream->flush();
}

std::unique_ptr<CTreeWriter> CTextTreeWriter::ForkArray(CTreeText& text, int before) const
{
    auto fork = std::make_unique<CTextTreeWriter>(text);
    fork->m_levels = m_levels;
    CLevel& array = fork->m_levels.back();
    array.count = before;
    array.written = before > 0;
    return fork;
}

void CTextTreeWriter::JoinArray(CTreeText& text, int count)
{
    CLevel& array = m_levels.back();
    array.count += count;
    array.written = array.written || count > 0;
    Append(text);
}
