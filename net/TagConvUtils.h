#pragma once
// Replacement of brace-enclosed tags ("{IMAGE_FILE}") in single lines of an
// HTML template or in a whole template held as a list of lines. Matching is
// exact and case-sensitive; every replacement covers all occurrences. Values
// are put in as given: callers escape them for HTML first.

#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class CTagConvUtils {
public:
    static const CString TAG_BACKLINK;
    static const CString TAG_FORWARDLINK;
    static const CString TAG_IMAGE_FILENAME;
    static const CString TAG_IMAGE_FILE;
    static const CString TAG_IMAGE_WIDTH;
    static const CString TAG_IMAGE_HEIGHT;

    // A line without "{" cannot hold a tag; the block operations skip it.
    static bool HaveAnyTag(const CString& text);

    static void ReplaceTag(CString& text, const CString& tag, const CString& value);
    // The number in the user's format, digits grouped when grouping is set.
    static void ReplaceTag(CString& text, const CString& tag, int value, bool grouping);
    static void ReplaceTag(CString& text, const CString& tag, double value, int digits, bool grouping, bool trimZeros);
    // The date alone when dateOnly is set, else with its time; a date that
    // is not valid leaves the tag empty.
    static void ReplaceTag(CString& text, const CString& tag, const COleDateTime& date, bool dateOnly);
    static void ReplaceTagEmptyIfZero(CString& text, const CString& tag, int value, bool grouping);
    static void ReplaceTagIfEmpty(CString& text, const CString& tag, const CString& value, const CString& fallback);
    static void ReplaceTagYesNo(CString& text, const CString& tag, bool yes);
    // An empty title still shows "(none)" as the text of a forward or back
    // link, so the link stays clickable; outside links it disappears.
    static void ReplaceTitleTag(CString& text, const CString& tag, const CString& value);

    // Removes the listed tags, putting "&nbsp;" in their place when nbsp is
    // set (so that empty table cells keep their borders).
    static void RemoveAllTags(CString& text, bool nbsp, const CStringList& tags);
    static void RemoveAllTags(CString& text, bool nbsp, const CMapStringToString& tags);

    // With a URL, fills urlTag and drops the two block tags; without one,
    // removes everything from beginTag to endTag.
    static void ReplaceURLBlock(
        CStringList& lines, const CString& beginTag, const CString& endTag, const CString& urlTag, const CString& url);
    // Fills the image tags with the bare file name of imagePath and its size
    // (a size below 1 leaves the size tag empty), or removes the block when
    // there is no file name. Returns whether a file tag was filled.
    static bool ReplaceImageBlock(CStringList& lines, const CString& beginTag, const CString& endTag,
        const CString& imagePath, int width, int height);

    // Moves the text of the first beginTag...endTag block out of the
    // template into output (one entry per line of the block) and sets
    // lineIndex to the line where the block began, the place for what the
    // caller generates from it; -1 when there is no block. A block without
    // its end tag runs to the end of the template.
    static void ParseHTMLBetweenTags(
        CStringList& lines, const CString& beginTag, const CString& endTag, CStringList& output, int& lineIndex);

protected:
    // Inside forward and back link anchors tag becomes replacement,
    // elsewhere it becomes empty.
    static void ReplaceHREFEmptyString(CString& text, const CString& tag, const CString& replacement);
};
