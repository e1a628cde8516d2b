// Template tag conversion on any template, tag and value, and the naming of
// the web report pages whose names go into the links: no crash, no sanitizer
// report, no hang. The input is split at NUL bytes into the template (lines
// at "\n"), a begin tag, an end tag, a value, a number, the home page and
// then one part per page, its sort values split at 0x01. Every page name is
// one file name inside the output folder (no '/', no NUL, no leading dot
// unless the home page has one, at most 255 bytes), valid UTF-8 when the
// home page and values are, and no two pages of a run share a name, even
// ignoring case, whatever values they were named after.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <unordered_set>

#include "FuzzSupport.h"
#include "data/reports/WebPageNames.h"
#include "net/TagConvUtils.h"
#include "platform/util/StringUtils.h"

namespace {

std::vector<std::string> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

CStringList Lines(const std::string& text)
{
    CStringList lines;
    for (const std::string& line : SplitAt(text, '\n'))
        lines.AddTail(line);
    return lines;
}

bool IsUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t len = 0;
        std::uint32_t cp = 0;
        if (lead < 0x80) {
            len = 1;
            cp = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            len = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            len = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            len = 4;
            cp = lead & 0x07;
        } else {
            return false;
        }
        if (i + len > text.size())
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        const std::uint32_t least[] = { 0, 0, 0x80, 0x800, 0x10000 };
        if (cp < least[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

// Names the pages of one run and puts each name into the template's links.
void NamePages(const std::vector<std::string>& parts, const CString& linkTag, const CString& line)
{
    const CString& homePage = parts[5];
    CWebPageNames names(homePage);
    const CString& home = names.GetHomeName();
    bool utf8 = IsUtf8(homePage);
    std::vector<std::vector<CString>> pages;
    for (std::size_t p = 6; p < parts.size() && pages.size() < 16; ++p) {
        pages.push_back(SplitAt(parts[p], '\x01'));
        for (const CString& value : pages.back())
            utf8 = utf8 && IsUtf8(value);
    }
    std::unordered_set<CString> seen { CStringUtils::ToLower(home) };
    // The first pages twice: the same values must still give a page of its
    // own (each repeat tries the names taken before it, so a few will do).
    for (std::size_t round = 0; round < 2; ++round) {
        const std::size_t count = round == 0 ? pages.size() : std::min<std::size_t>(pages.size(), 4);
        for (std::size_t page = 0; page < count; ++page) {
            const std::vector<CString>& values = pages[page];
            const CString name = names.Allocate(values.size() > 2 ? 3 : 2, values);
            if (name.empty() || name.find('/') != CString::npos || name.find('\0') != CString::npos)
                vemofuzz::Fail("a page name is not one file name");
            if (name[0] == '.' && (home.empty() || home[0] != '.'))
                vemofuzz::Fail("a page name starts with a dot");
            if (name.size() > CWebPageNames::MAX_NAME_BYTES)
                vemofuzz::Fail("a page name is longer than 255 bytes");
            if (utf8 && !IsUtf8(name))
                vemofuzz::Fail("a page name made of UTF-8 text is not UTF-8");
            // A home page name too long to leave room for the level marker
            // gives cut names that cannot carry it.
            const bool markerFits = names.GetHomeBase().size() + 6 + 9 + 4 <= CWebPageNames::MAX_NAME_BYTES;
            if (markerFits && !CWebPageNames::IsPageOfReport(name, names.GetHomeBase()))
                vemofuzz::Fail("a page name is not known as a page of its report");
            if (!seen.insert(CStringUtils::ToLower(name)).second)
                vemofuzz::Fail("two pages of a run share a name");
            // Each link into the template as it stands: names put into one
            // another would grow the text without bound.
            CString linked = line;
            CTagConvUtils::ReplaceTag(linked, linkTag, name);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vemofuzz::Prepare();
    std::vector<std::string> parts = SplitAt(std::string_view(reinterpret_cast<const char*>(data), size), '\0');
    if (parts.size() < 6)
        parts.resize(6);
    const std::string& text = parts[0];
    const std::string& beginTag = parts[1];
    const std::string& endTag = parts[2];
    const std::string& value = parts[3];
    const int number = parts[4].empty() ? 0 : static_cast<int>(static_cast<signed char>(parts[4][0])) * 1000003;

    CString line = text;
    CTagConvUtils::HaveAnyTag(line);
    CTagConvUtils::ReplaceTag(line, beginTag, value);
    CTagConvUtils::ReplaceTag(line, endTag, number, true);
    CTagConvUtils::ReplaceTag(line, beginTag, number / 7.0, number & 7, true, true);
    CTagConvUtils::ReplaceTag(line, endTag, COleDateTime(number / 100.0), number & 1);
    CTagConvUtils::ReplaceTagEmptyIfZero(line, beginTag, number, false);
    CTagConvUtils::ReplaceTagIfEmpty(line, endTag, value, beginTag);
    CTagConvUtils::ReplaceTagYesNo(line, value, number & 2);
    CTagConvUtils::ReplaceTitleTag(line, beginTag, value);

    CStringList tags;
    tags.AddTail(beginTag);
    tags.AddTail(endTag);
    CString stripped = text;
    CTagConvUtils::RemoveAllTags(stripped, number & 4, tags);
    CMapStringToString tagMap;
    tagMap.SetAt(beginTag, value);
    tagMap.SetAt(value, endTag);
    stripped = text;
    CTagConvUtils::RemoveAllTags(stripped, number & 8, tagMap);

    CStringList lines = Lines(text);
    CTagConvUtils::ReplaceURLBlock(lines, beginTag, endTag, value, number & 16 ? value : CString());
    lines = Lines(text);
    CTagConvUtils::ReplaceImageBlock(lines, beginTag, endTag, value, number, number / 3);
    lines = Lines(text);
    CStringList block;
    int lineIndex = 0;
    CTagConvUtils::ParseHTMLBetweenTags(lines, beginTag, endTag, block, lineIndex);
    if (lineIndex < -1 || lineIndex > static_cast<int>(Lines(text).GetCount()))
        vemofuzz::Fail("the block position lies outside the template");
    NamePages(parts, endTag, line);
    return 0;
}
