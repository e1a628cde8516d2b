#include "data/reports/WebPageNames.h"

#include <cstdint>

#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

const char* const PAGE_EXT = ".htm";
const char* const NONE_VALUE = "(none)";
// "_" and eight hex digits.
constexpr std::size_t HASH_SUFFIX_BYTES = 9;

} // namespace

CWebPageNames::CWebPageNames(const CString& homePage)
    : m_homeName(CFileUtils::ParseFileNameFromPath(homePage, true))
    , m_homeBase(CFileUtils::ParseFileNameFromPath(homePage, false))
{
    m_taken.insert(CStringUtils::ToLower(m_homeName));
}

CString CWebPageNames::LevelMarker(int level)
{
    return CStringUtils::Format("_LVL%d_", level);
}

bool CWebPageNames::IsPageOfReport(const CString& fileName, const CString& homeBase)
{
    if (!CStringUtils::MatchLastChars(fileName, PAGE_EXT, true))
        return false;
    for (int level = 2; level <= 3; ++level)
        if (CStringUtils::MatchFirstChars(fileName, homeBase + LevelMarker(level), false))
            return true;
    return false;
}

CString CWebPageNames::HashSuffix(const std::vector<CString>& values, int attempt)
{
    // FNV-1a over the values, each closed by its length, so that no two
    // different value lists feed the same bytes.
    std::uint32_t hash = 2166136261u;
    auto feed = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 16777619u;
    };
    for (const CString& value : values) {
        for (char c : value)
            feed(static_cast<unsigned char>(c));
        for (int shift = 0; shift < 32; shift += 8)
            feed(static_cast<unsigned char>(value.size() >> shift));
    }
    for (int shift = 0; shift < 32; shift += 8)
        feed(static_cast<unsigned char>(static_cast<unsigned>(attempt) >> shift));
    return CStringUtils::Format("_%08x", hash);
}

CString CWebPageNames::Allocate(int level, const std::vector<CString>& values)
{
    CString stem = m_homeBase + LevelMarker(level);
    for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
        const bool none = values[i].empty() && values[i + 1].empty();
        stem += CFileUtils::ReplaceBadFileChars(none ? CString(NONE_VALUE) : values[i]);
        stem += CFileUtils::ReplaceBadFileChars(values[i + 1]);
    }
    // Room is kept for the hash, so that a name made unique stays in bounds.
    const std::size_t room = MAX_NAME_BYTES - HASH_SUFFIX_BYTES - CString(PAGE_EXT).size();
    const bool cut = stem.size() > room;
    if (cut)
        stem = CStringUtils::TruncateUtf8(stem, room);
    CString name = stem + PAGE_EXT;
    // A cut name may stand for many groups: it always carries the hash.
    for (int attempt = 0; cut || !m_taken.insert(CStringUtils::ToLower(name)).second; ++attempt) {
        name = stem + HashSuffix(values, attempt) + PAGE_EXT;
        if (m_taken.insert(CStringUtils::ToLower(name)).second)
            break;
    }
    return name;
}
