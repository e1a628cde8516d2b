#include "net/TagConvUtils.h"

#include "platform/util/DateTimeUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

const CString CTagConvUtils::TAG_BACKLINK = "{BACKLINK_TO}";
const CString CTagConvUtils::TAG_FORWARDLINK = "{FORWARDLINK_TO}";
const CString CTagConvUtils::TAG_IMAGE_FILENAME = "{IMAGE_FILENAME}";
const CString CTagConvUtils::TAG_IMAGE_FILE = "{IMAGE_FILE}";
const CString CTagConvUtils::TAG_IMAGE_WIDTH = "{IMAGE_WIDTH}";
const CString CTagConvUtils::TAG_IMAGE_HEIGHT = "{IMAGE_HEIGHT}";

namespace {

const char* const YES_TEXT = "Y";
const char* const NO_TEXT = "N";
const char* const EMPTY_TITLE_TEXT = "(none)";
const char* const NBSP_TEXT = "&nbsp;";
const char* const ANCHOR_END_LOWER = "</a>";
const char* const ANCHOR_END_UPPER = "</A>";
// What the date formatter of the earlier program gave for an unset date.
const char* const UNSET_DATE_TEXT = "-1/-1/-1";

bool Contains(const CString& text, const CString& what)
{
    return text.find(what) != CString::npos;
}

// An empty tag would match everywhere; it never stands for anything.
void ReplaceAll(CString& text, const CString& tag, const CString& value)
{
    if (!tag.empty())
        CStringUtils::Replace(text, tag, value);
}

// The n-th anchor that starts at linkTag: its start and the position of the
// nearest closing anchor after it, in either spelling.
bool FindLinkAnchor(const CString& text, const CString& linkTag, int n, int& start, int& close)
{
    int lowerStart = -1, lowerClose = -1, upperStart = -1, upperClose = -1;
    bool lower = CStringUtils::FindOccurrencePair(text, linkTag, ANCHOR_END_LOWER, n, lowerStart, lowerClose)
        && lowerStart != -1;
    bool upper = CStringUtils::FindOccurrencePair(text, linkTag, ANCHOR_END_UPPER, n, upperStart, upperClose)
        && upperStart != -1;
    if (lower && (!upper || lowerClose <= upperClose)) {
        start = lowerStart;
        close = lowerClose;
        return true;
    }
    if (upper) {
        start = upperStart;
        close = upperClose;
        return true;
    }
    return false;
}

} // namespace

bool CTagConvUtils::HaveAnyTag(const CString& text)
{
    return text.find('{') != CString::npos;
}

void CTagConvUtils::ReplaceTag(CString& text, const CString& tag, const CString& value)
{
    ReplaceAll(text, tag, value);
}

void CTagConvUtils::ReplaceTag(CString& text, const CString& tag, int value, bool grouping)
{
    if (!tag.empty() && Contains(text, tag))
        ReplaceAll(text, tag, CNumberTextConv::NumberToString(value, 0, "", grouping));
}

void CTagConvUtils::ReplaceTag(
    CString& text, const CString& tag, double value, int digits, bool grouping, bool trimZeros)
{
    if (!tag.empty() && Contains(text, tag))
        ReplaceAll(text, tag, CNumberTextConv::DoubleToString(value, digits, grouping, 0, "", trimZeros));
}

void CTagConvUtils::ReplaceTag(CString& text, const CString& tag, const COleDateTime& date, bool dateOnly)
{
    if (tag.empty() || !Contains(text, tag))
        return;
    CString dateText = CDateTimeUtils::ConvertDateNumbers(date, false, false, false, !dateOnly);
    if (dateText == UNSET_DATE_TEXT)
        dateText.clear();
    ReplaceAll(text, tag, dateText);
}

void CTagConvUtils::ReplaceTagEmptyIfZero(CString& text, const CString& tag, int value, bool grouping)
{
    if (value > 0)
        ReplaceTag(text, tag, value, grouping);
    else
        ReplaceAll(text, tag, "");
}

void CTagConvUtils::ReplaceTagIfEmpty(CString& text, const CString& tag, const CString& value, const CString& fallback)
{
    ReplaceAll(text, tag, value.empty() ? fallback : value);
}

void CTagConvUtils::ReplaceTagYesNo(CString& text, const CString& tag, bool yes)
{
    ReplaceAll(text, tag, yes ? YES_TEXT : NO_TEXT);
}

void CTagConvUtils::ReplaceTitleTag(CString& text, const CString& tag, const CString& value)
{
    if (tag.empty() || !Contains(text, tag))
        return;
    if (!value.empty())
        ReplaceAll(text, tag, value);
    else
        ReplaceHREFEmptyString(text, tag, EMPTY_TITLE_TEXT);
}

void CTagConvUtils::ReplaceHREFEmptyString(CString& text, const CString& tag, const CString& replacement)
{
    if (tag.empty())
        return;
    if (Contains(text, TAG_FORWARDLINK) || Contains(text, TAG_BACKLINK)) {
        // Both kinds of link are visited for each n, so a line holding a back
        // link and a forward link gets the replacement in either anchor.
        for (int n = 1;; ++n) {
            bool anyAnchor = false;
            for (const CString* linkTag : { &TAG_FORWARDLINK, &TAG_BACKLINK }) {
                int start = -1, close = -1;
                if (!FindLinkAnchor(text, *linkTag, n, start, close))
                    continue;
                anyAnchor = true;
                CString inside = text.substr(start, close - start);
                ReplaceAll(inside, tag, replacement);
                text = text.substr(0, start) + inside + text.substr(close);
            }
            if (!anyAnchor)
                break;
        }
    }
    ReplaceAll(text, tag, "");
}

void CTagConvUtils::RemoveAllTags(CString& text, bool nbsp, const CStringList& tags)
{
    if (CStringUtils::IsEffectivelyEmpty(text) || !HaveAnyTag(text))
        return;
    const CString replacement = nbsp ? NBSP_TEXT : "";
    for (const CString& tag : tags) {
        ReplaceAll(text, tag, replacement);
        if (!HaveAnyTag(text))
            break;
    }
}

void CTagConvUtils::RemoveAllTags(CString& text, bool nbsp, const CMapStringToString& tags)
{
    if (CStringUtils::IsEffectivelyEmpty(text) || !HaveAnyTag(text))
        return;
    const CString replacement = nbsp ? NBSP_TEXT : "";
    for (const auto& entry : tags) {
        ReplaceAll(text, entry.first, replacement);
        if (!HaveAnyTag(text))
            break;
    }
}

void CTagConvUtils::ReplaceURLBlock(
    CStringList& lines, const CString& beginTag, const CString& endTag, const CString& urlTag, const CString& url)
{
    if (url.empty()) {
        CStringUtils::ReplaceTextBlock(lines, beginTag, endTag, url, false);
        return;
    }
    // The block tags go first, so that a URL that happens to contain one
    // of them is put in whole.
    for (CString& line : lines) {
        if (!HaveAnyTag(line))
            continue;
        ReplaceAll(line, beginTag, "");
        ReplaceAll(line, endTag, "");
        ReplaceAll(line, urlTag, url);
    }
}

bool CTagConvUtils::ReplaceImageBlock(
    CStringList& lines, const CString& beginTag, const CString& endTag, const CString& imagePath, int width, int height)
{
    const CString fileName = imagePath.empty() ? CString() : CFileUtils::ParseFileNameFromPath(imagePath, true);
    if (fileName.empty()) {
        CStringUtils::ReplaceTextBlock(lines, beginTag, endTag, "", false);
        return false;
    }
    const CString widthText = width >= 1 ? CStringUtils::Format("%d", width) : CString();
    const CString heightText = height >= 1 ? CStringUtils::Format("%d", height) : CString();
    bool filled = false;
    for (CString& line : lines) {
        if (!HaveAnyTag(line))
            continue;
        if (Contains(line, TAG_IMAGE_FILENAME)) {
            ReplaceAll(line, TAG_IMAGE_FILENAME, fileName);
            filled = true;
        }
        if (Contains(line, TAG_IMAGE_FILE)) {
            // The picture is copied next to the pages, so the link is the bare name.
            ReplaceAll(line, TAG_IMAGE_FILE, fileName);
            filled = true;
        }
        ReplaceAll(line, TAG_IMAGE_WIDTH, widthText);
        ReplaceAll(line, TAG_IMAGE_HEIGHT, heightText);
        ReplaceAll(line, beginTag, "");
        ReplaceAll(line, endTag, "");
    }
    return filled;
}

void CTagConvUtils::ParseHTMLBetweenTags(
    CStringList& lines, const CString& beginTag, const CString& endTag, CStringList& output, int& lineIndex)
{
    lineIndex = -1;
    if (beginTag.empty() || endTag.empty())
        return;
    bool inBlock = false;
    int lineNumber = 0;
    for (POSITION pos = lines.GetHeadPosition(); pos; ++lineNumber) {
        POSITION current = pos;
        CString& line = lines.GetNext(pos);
        const bool mayHoldTag = HaveAnyTag(line);

        if (inBlock) {
            const std::size_t endPos = mayHoldTag ? line.find(endTag) : CString::npos;
            if (endPos == CString::npos) {
                output.AddTail(line);
                lines.RemoveAt(current);
                continue;
            }
            if (endPos > 0)
                output.AddTail(line.substr(0, endPos));
            // What precedes the end tag now lives in the output; what follows
            // it (often the closing markup of the page) stays in the template.
            CString rest = line.substr(endPos + endTag.size());
            if (rest.empty())
                lines.RemoveAt(current);
            else
                line = rest;
            return;
        }

        if (!mayHoldTag)
            continue;
        const std::size_t beginPos = line.find(beginTag);
        if (beginPos == CString::npos)
            continue; // an end tag before any begin tag closes nothing
        const std::size_t innerPos = beginPos + beginTag.size();
        const std::size_t endPos = line.find(endTag, innerPos);
        lineIndex = lineNumber;
        if (endPos != CString::npos) {
            output.AddTail(line.substr(innerPos, endPos - innerPos));
            line = line.substr(0, beginPos) + line.substr(endPos + endTag.size());
            return;
        }
        CString after = line.substr(innerPos);
        if (!after.empty())
            output.AddTail(after);
        if (beginPos == 0)
            lines.RemoveAt(current);
        else
            line.erase(beginPos);
        inBlock = true;
    }
}
