#include "net/XdgKeyFile.h"

#include <filesystem>
#include <fstream>

#include "platform/util/StringUtils.h"

namespace {

// Key files are small; anything larger is not one, and is not read whole.
constexpr std::uintmax_t MAX_KEY_FILE_SIZE = 4u * 1024u * 1024u;

} // namespace

bool CXdgKeyFile::Load(const CString& path)
{
    m_groups.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > MAX_KEY_FILE_SIZE)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;

    std::map<CString, CString>* group = nullptr;
    CString line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const CString trimmed = CStringUtils::TrimLeft(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        if (trimmed[0] == '[') {
            const std::size_t close = trimmed.find(']');
            if (close == CString::npos) {
                group = nullptr;
                continue;
            }
            const CString name = trimmed.substr(1, close - 1);
            group = m_groups.count(name) ? nullptr : &m_groups[name];
            continue;
        }
        const std::size_t eq = trimmed.find('=');
        if (!group || eq == CString::npos)
            continue;
        const CString key = CStringUtils::TrimRight(trimmed.substr(0, eq));
        if (key.empty() || key.find('[') != CString::npos)
            continue; // localised variants are not used
        group->emplace(key, CStringUtils::TrimLeft(trimmed.substr(eq + 1)));
    }
    return true;
}

bool CXdgKeyFile::HasGroup(const CString& group) const
{
    return m_groups.count(group) != 0;
}

bool CXdgKeyFile::HasKey(const CString& group, const CString& key) const
{
    auto it = m_groups.find(group);
    return it != m_groups.end() && it->second.count(key) != 0;
}

CString CXdgKeyFile::GetRaw(const CString& group, const CString& key) const
{
    auto it = m_groups.find(group);
    if (it == m_groups.end())
        return CString();
    auto value = it->second.find(key);
    return value == it->second.end() ? CString() : value->second;
}

CString CXdgKeyFile::GetString(const CString& group, const CString& key) const
{
    return Unescape(GetRaw(group, key));
}

bool CXdgKeyFile::GetBool(const CString& group, const CString& key) const
{
    const CString value = GetRaw(group, key);
    return value == "true" || value == "1";
}

CStringList CXdgKeyFile::GetStringList(const CString& group, const CString& key) const
{
    CStringList entries;
    const CString raw = GetRaw(group, key);
    CString entry;
    auto flush = [&]() {
        CString value = CStringUtils::Trim(Unescape(entry));
        if (!value.empty())
            entries.AddTail(value);
        entry.clear();
    };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == ';') {
            entry += "\\;";
            ++i;
        } else if (raw[i] == ';') {
            flush();
        } else {
            entry += raw[i];
        }
    }
    flush();
    return entries;
}

CString CXdgKeyFile::Unescape(const CString& value)
{
    CString result;
    result.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            result += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            result += ' ';
            break;
        case 'n':
            result += '\n';
            break;
        case 't':
            result += '\t';
            break;
        case 'r':
            result += '\r';
            break;
        case '\\':
            result += '\\';
            break;
        case ';':
            result += ';';
            break;
        default:
            // Escapes this format does not know are kept for the reader
            // of the value (Exec has its own quoting rules).
            result += '\\';
            result += value[i];
            break;
        }
    }
    return result;
}
