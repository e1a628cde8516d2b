// Template tag conversion on any template, tag and value: no crash, no
// sanitizer report, no hang. The input is split at NUL bytes into the
// template (lines at "\n"), a begin tag, an end tag, a value and a number.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "net/TagConvUtils.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vemofuzz::Prepare();
    std::vector<std::string> parts = SplitAt(std::string_view(reinterpret_cast<const char*>(data), size), '\0');
    parts.resize(5);
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
    return 0;
}
