#include "data/store/DelimitedTextReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "platform/util/StringUtils.h"
#include "platform/util/TextEncoding.h"

namespace {

constexpr std::size_t BLOCK_BYTES = 64 * 1024;

struct CDelimiter {
    const char* name;
    char character;
};

const CDelimiter DELIMITERS[] = {
    { "tab", '\t' },
    { "comma", ',' },
    { "period", '.' },
    { "dash", '-' },
    { "space", ' ' },
    // Spreadsheets of many locales write it, the comma being their decimal point.
    { "semicolon", ';' },
};

bool IsHighSurrogate(unsigned char low, unsigned char high)
{
    const unsigned unit = low | (unsigned(high) << 8);
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

const CStringArray& CDelimitedTextReader::GetDelimiterNames()
{
    static const CStringArray names = [] {
        CStringArray list;
        for (const CDelimiter& delimiter : DELIMITERS)
            list.Add(delimiter.name);
        return list;
    }();
    return names;
}

bool CDelimitedTextReader::DelimiterFromName(const CString& name, char& delimiter)
{
    for (const CDelimiter& entry : DELIMITERS) {
        if (CStringUtils::EqualsNoCase(name, entry.name)) {
            delimiter = entry.character;
            return true;
        }
    }
    return false;
}

CDelimitedTextReader::CDelimitedTextReader(char delimiter)
    : m_delimiter(delimiter)
{
    for (const char stop : { '\r', '\n', '\0' }) {
        m_plainStops[static_cast<unsigned char>(stop)] = true;
        m_quotedStops[static_cast<unsigned char>(stop)] = true;
    }
    m_plainStops[static_cast<unsigned char>(delimiter)] = true;
    m_quotedStops[static_cast<unsigned char>('"')] = true;
}

CDelimitedTextReader::~CDelimitedTextReader() = default;

bool CDelimitedTextReader::Open(const CString& path)
{
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!file->is_open()) {
        m_error = CStringUtils::Format("Cannot open %s: %s", path.c_str(), std::strerror(errno));
        return false;
    }
    m_file = std::move(file);
    return true;
}

void CDelimitedTextReader::OpenBytes(std::string bytes)
{
    m_file.reset();
    m_buffer = std::move(bytes);
    m_pos = 0;
}

void CDelimitedTextReader::DetectEncoding()
{
    const std::string_view head(m_buffer.data() + m_pos, m_buffer.size() - m_pos);
    if (head.starts_with("\xEF\xBB\xBF")) {
        m_pos += 3;
    } else if (head.starts_with("\xFF\xFE")) {
        m_pos += 2;
        m_encoding = Encoding::utf16le;
    } else if (head.starts_with("\xFE\xFF")) {
        m_pos += 2;
        m_encoding = Encoding::utf16be;
    }
    if (m_encoding != Encoding::bytes) {
        m_buffer.erase(0, m_pos);
        m_pos = 0;
        ConvertUtf16(m_buffer);
    }
}

// Turns a block of UTF-16 into UTF-8, keeping an odd byte or a high surrogate
// at its end for the next block.
void CDelimitedTextReader::ConvertUtf16(std::string& block)
{
    std::string units = std::move(m_pendingUtf16);
    units += block;
    m_pendingUtf16.clear();
    if (m_encoding == Encoding::utf16be)
        for (std::size_t i = 0; i + 1 < units.size(); i += 2)
            std::swap(units[i], units[i + 1]);
    if (!m_file || m_file->eof()) {
        // The whole input is here: a lone last byte is no character.
        if (units.size() % 2 != 0)
            units.resize(units.size() - 1);
    } else {
        std::size_t keep = units.size() % 2;
        const std::size_t whole = units.size() - keep;
        if (whole >= 2 && IsHighSurrogate(units[whole - 2], units[whole - 1]))
            keep += 2;
        m_pendingUtf16 = units.substr(units.size() - keep);
        if (m_encoding == Encoding::utf16be)
            for (std::size_t i = 0; i + 1 < m_pendingUtf16.size(); i += 2)
                std::swap(m_pendingUtf16[i], m_pendingUtf16[i + 1]);
        units.resize(units.size() - keep);
    }
    block = CTextEncoding::FromUtf16LE(units);
}

bool CDelimitedTextReader::Fill()
{
    while (m_pos >= m_buffer.size() || !m_started) {
        if (m_started && (m_eof || !m_file)) {
            m_eof = true;
            return false;
        }
        if (m_file) {
            m_buffer.resize(BLOCK_BYTES);
            m_file->read(m_buffer.data(), static_cast<std::streamsize>(BLOCK_BYTES));
            m_buffer.resize(static_cast<std::size_t>(m_file->gcount()));
            m_pos = 0;
            if (m_file->bad()) {
                Fail("the file could not be read to its end");
                return false;
            }
            if (m_buffer.empty() && m_pendingUtf16.empty()) {
                m_started = true;
                m_eof = true;
                return false;
            }
            if (m_started && m_encoding != Encoding::bytes)
                ConvertUtf16(m_buffer);
        }
        if (!m_started) {
            m_started = true;
            DetectEncoding();
        }
    }
    return true;
}

bool CDelimitedTextReader::Fail(const CString& what)
{
    m_error = CStringUtils::Format("Row %d (line %d): %s", m_rowNumber, m_rowLine, what.c_str());
    return false;
}

bool CDelimitedTextReader::ReadRow(CStringArray& cells)
{
    cells.RemoveAll();
    return ReadCells<true>([&cells](const std::string& cell) {
        cells.Add(CTextEncoding::ToUtf8Lenient(cell));
        return cells.size();
    });
}

bool CDelimitedTextReader::ReadRow(std::string& text, int& count)
{
    text.clear();
    count = 0;
    return ReadCells<true>([&](const std::string& cell) {
        if (CTextEncoding::IsValidUtf8(cell))
            text += cell;
        else
            text += CTextEncoding::ToUtf8Lenient(cell);
        text += '\0';
        return static_cast<std::size_t>(++count);
    });
}

bool CDelimitedTextReader::SkipRow(int& count)
{
    count = 0;
    return ReadCells<false>([&count](const std::string&) { return static_cast<std::size_t>(++count); });
}

// end(cell) keeps a cell and returns the number of cells kept.
template <bool keep, class End> bool CDelimitedTextReader::ReadCells(End&& end)
{
    if (HasError() || !More())
        return false;
    ++m_rowNumber;
    m_rowLine = m_line;

    enum class State { cellStart, unquoted, quoted, afterQuote };
    State state = State::cellStart;
    std::string& cell = m_cell;
    cell.clear();
    std::size_t rowBytes = 0;
    bool hasContent = false;
    int quoteLine = m_line;
    while (true) {
        if (!More()) {
            if (HasError())
                return false;
            if (state == State::quoted)
                return Fail(CStringUtils::Format(
                    "the quoted cell opened on line %d is not closed before the end of the file", quoteLine));
            if (hasContent)
                end(cell);
            return true;
        }
        // The plain bytes of a cell go in one run, as far as the row may reach.
        if (state == State::unquoted || state == State::quoted) {
            const auto& stops = state == State::quoted ? m_quotedStops : m_plainStops;
            const std::size_t limit = std::min(m_buffer.size(), m_pos + (m_maxRowBytes - rowBytes));
            std::size_t end = m_pos;
            while (end < limit && !stops[static_cast<unsigned char>(m_buffer[end])])
                ++end;
            if constexpr (keep)
                cell.append(m_buffer, m_pos, end - m_pos);
            rowBytes += end - m_pos;
            m_pos = end;
            if (m_pos == m_buffer.size())
                continue;
        }
        const char c = m_buffer[m_pos++];
        if (++rowBytes > m_maxRowBytes) {
            if (state == State::quoted)
                return Fail(CStringUtils::Format(
                    "the quoted cell opened on line %d runs on for more than %zu bytes; a closing quote may be missing",
                    quoteLine, m_maxRowBytes));
            return Fail(CStringUtils::Format(
                "the row is longer than %zu bytes; the file does not look like delimited text", m_maxRowBytes));
        }
        if (c == '\0')
            return Fail("the file holds NUL bytes; it is not a text file");
        const bool lineBreak = c == '\r' || c == '\n';
        if (lineBreak && More() && c == '\r' && m_buffer[m_pos] == '\n')
            ++m_pos;
        if (HasError())
            return false;

        if (state == State::quoted) {
            if (c == '"') {
                state = State::afterQuote;
            } else if (lineBreak) {
                ++m_line;
                if constexpr (keep)
                    cell += '\n';
            } else if constexpr (keep) {
                cell += c;
            }
            continue;
        }
        if (state == State::afterQuote && c == '"') {
            if constexpr (keep)
                cell += '"';
            state = State::quoted;
            continue;
        }
        if (lineBreak) {
            ++m_line;
            if (hasContent)
                end(cell);
            return true;
        }
        hasContent = true;
        if (c == m_delimiter) {
            const std::size_t kept = end(cell);
            cell.clear();
            if (kept >= m_maxCells)
                return Fail(CStringUtils::Format("the row has more than %zu cells", m_maxCells));
            state = State::cellStart;
        } else if (c == '"' && state == State::cellStart) {
            state = State::quoted;
            quoteLine = m_line;
        } else {
            // Text after a closing quote, or a quote inside a plain cell, is
            // kept as it stands.
            if constexpr (keep)
                cell += c;
            state = State::unquoted;
        }
    }
}

CString CDelimitedTextReader::FindProperty(const CString& cell, const CCustomFieldMgr* fields)
{
    const CString name = CStringUtils::Trim(cell);
    if (name.empty())
        return CString();
    for (const CString& prop : CMediaUtils::GetAllDataProps())
        if (CStringUtils::EqualsNoCase(prop, name))
            return prop;
    if (fields)
        for (int i = 0; i < fields->GetFieldCount(); ++i)
            if (const CCustomField* field = fields->GetFieldAt(i);
                field && CStringUtils::EqualsNoCase(field->GetName(), name))
                return field->GetName();
    return CString();
}

bool CDelimitedTextReader::IsHeaderRow(const CStringArray& cells, const CCustomFieldMgr* fields)
{
    bool named = false;
    for (const CString& cell : cells) {
        if (CStringUtils::IsEffectivelyEmpty(cell))
            continue;
        if (FindProperty(cell, fields).empty())
            return false;
        named = true;
    }
    return named;
}

bool CDelimitedTextReader::ProposeMapping(
    const CStringArray& firstRow, const CCustomFieldMgr* fields, int columnCount, CStringArray& mapping)
{
    mapping.RemoveAll();
    const bool header = IsHeaderRow(firstRow, fields);
    std::set<CString> taken;
    for (int i = 0; i < columnCount; ++i) {
        CString prop;
        if (header && i < firstRow.GetSize())
            prop = FindProperty(firstRow.GetAt(i), fields);
        if (prop.empty() || !taken.insert(prop).second)
            prop = IGNORE_COLUMN;
        mapping.Add(prop);
    }
    return header;
}
