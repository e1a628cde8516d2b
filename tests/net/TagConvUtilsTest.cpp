#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "net/TagConvUtils.h"

namespace {

CStringList Lines(const std::vector<CString>& lines)
{
    CStringList list;
    for (const CString& line : lines)
        list.AddTail(line);
    return list;
}

std::vector<CString> Vec(const CStringList& list)
{
    return std::vector<CString>(list.begin(), list.end());
}

} // namespace

TEST(TagConvUtilsTest, PlainReplacementCoversEveryOccurrenceAndIsCaseSensitive)
{
    CString text = "{TITLE} - {title} - {TITLE}";
    CTagConvUtils::ReplaceTag(text, "{TITLE}", CString("Dune"));
    EXPECT_EQ(text, "Dune - {title} - Dune");

    // A value holding the tag is put in once, not expanded again.
    text = "{A}{A}";
    CTagConvUtils::ReplaceTag(text, "{A}", CString("x{A}"));
    EXPECT_EQ(text, "x{A}x{A}");

    text = "keep {A}";
    CTagConvUtils::ReplaceTag(text, "", CString("never"));
    EXPECT_EQ(text, "keep {A}");
}

TEST(TagConvUtilsTest, NumberTagsUseTheNumberFormatter)
{
    CString text = "{N} and {N}";
    CTagConvUtils::ReplaceTag(text, "{N}", 1234567, true);
    EXPECT_EQ(text, "1,234,567 and 1,234,567");

    text = "{N}";
    CTagConvUtils::ReplaceTag(text, "{N}", -42, false);
    EXPECT_EQ(text, "-42");

    text = "{PRICE}";
    CTagConvUtils::ReplaceTag(text, "{PRICE}", 1234.5, 2, true, false);
    EXPECT_EQ(text, "1,234.50");

    text = "{PRICE}";
    CTagConvUtils::ReplaceTag(text, "{PRICE}", 19.5, 2, false, true);
    EXPECT_EQ(text, "19.5");

    text = "no tag here";
    CTagConvUtils::ReplaceTag(text, "{N}", 5, false);
    EXPECT_EQ(text, "no tag here");
}

TEST(TagConvUtilsTest, DateTagsWithAndWithoutTime)
{
    const COleDateTime date(2024, 3, 5, 14, 30, 15);
    CString text = "[{D}]";
    CTagConvUtils::ReplaceTag(text, "{D}", date, true);
    EXPECT_EQ(text, "[2024-03-05]");

    text = "[{D}]";
    CTagConvUtils::ReplaceTag(text, "{D}", date, false);
    EXPECT_EQ(text, "[2024-03-05 14:30:15]");

    // An unset or broken date leaves the tag empty rather than showing junk.
    COleDateTime invalid(2024, 1, 1, 0, 0, 0);
    invalid.SetStatus(COleDateTime::invalid);
    for (const COleDateTime& notValid : { COleDateTime::Null(), invalid }) {
        text = "[{D}]";
        CTagConvUtils::ReplaceTag(text, "{D}", notValid, true);
        EXPECT_EQ(text, "[]");
    }
}

struct EmptyIfZeroCase {
    int value;
    bool grouping;
    const char* expected;
};

void PrintTo(const EmptyIfZeroCase& c, std::ostream* os)
{
    *os << c.value << (c.grouping ? " grouped" : "");
}

class ReplaceTagEmptyIfZeroTest : public ::testing::TestWithParam<EmptyIfZeroCase> { };

TEST_P(ReplaceTagEmptyIfZeroTest, OnlyPositiveValuesShow)
{
    CString text = "<td>{DISCS}</td>";
    CTagConvUtils::ReplaceTagEmptyIfZero(text, "{DISCS}", GetParam().value, GetParam().grouping);
    EXPECT_EQ(text, CString("<td>") + GetParam().expected + "</td>");
}

INSTANTIATE_TEST_SUITE_P(Values, ReplaceTagEmptyIfZeroTest,
    ::testing::Values(EmptyIfZeroCase { 0, false, "" }, EmptyIfZeroCase { -3, true, "" },
        EmptyIfZeroCase { 1, false, "1" }, EmptyIfZeroCase { 1234, true, "1,234" },
        EmptyIfZeroCase { 1234, false, "1234" }));

TEST(TagConvUtilsTest, FallbackTag)
{
    CString text = "{V}|{V}";
    CTagConvUtils::ReplaceTagIfEmpty(text, "{V}", "", "&nbsp;");
    EXPECT_EQ(text, "&nbsp;|&nbsp;");
    text = "{V}";
    CTagConvUtils::ReplaceTagIfEmpty(text, "{V}", "value", "&nbsp;");
    EXPECT_EQ(text, "value");
}

struct TitleCase {
    const char* line;
    const char* value;
    const char* expected;
};

void PrintTo(const TitleCase& c, std::ostream* os)
{
    *os << '"' << c.line << "\" with \"" << c.value << '"';
}

class ReplaceTitleTagTest : public ::testing::TestWithParam<TitleCase> { };

TEST_P(ReplaceTitleTagTest, EmptyTitlesKeepLinksClickable)
{
    CString text = GetParam().line;
    CTagConvUtils::ReplaceTitleTag(text, "{TITLE}", GetParam().value);
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReplaceTitleTagTest,
    ::testing::Values(
        TitleCase { "<a href=\"{FORWARDLINK_TO}\">{TITLE}</a>", "", "<a href=\"{FORWARDLINK_TO}\">(none)</a>" },
        TitleCase { "<A HREF=\"{BACKLINK_TO}\">{TITLE}</A>", "", "<A HREF=\"{BACKLINK_TO}\">(none)</A>" },
        TitleCase { "<td>{TITLE}</td>", "", "<td></td>" },
        TitleCase { "{TITLE}: <a href=\"{FORWARDLINK_TO}\">{TITLE}</a> ({TITLE})", "",
            ": <a href=\"{FORWARDLINK_TO}\">(none)</a> ()" },
        TitleCase { "<a href=\"{FORWARDLINK_TO}\">{TITLE}</a><a href=\"{FORWARDLINK_TO}\">{TITLE}</a>", "",
            "<a href=\"{FORWARDLINK_TO}\">(none)</a><a href=\"{FORWARDLINK_TO}\">(none)</a>" },
        // A back link and a forward link on one line both keep their text.
        TitleCase { "<a href=\"{BACKLINK_TO}\">{TITLE}</a> | <a href=\"{FORWARDLINK_TO}\">{TITLE}</a>", "",
            "<a href=\"{BACKLINK_TO}\">(none)</a> | <a href=\"{FORWARDLINK_TO}\">(none)</a>" },
        // The anchor ends at its own closing tag, whichever spelling comes first.
        TitleCase { "<a href=\"{FORWARDLINK_TO}\">{TITLE}</a> {TITLE} </A>", "",
            "<a href=\"{FORWARDLINK_TO}\">(none)</a>  </A>" },
        TitleCase { "<a href=\"{FORWARDLINK_TO}\">{TITLE}", "", "<a href=\"{FORWARDLINK_TO}\">" },
        TitleCase { "<a href=\"{FORWARDLINK_TO}\">{TITLE}</a> {TITLE}", "Tom &amp; Jerry",
            "<a href=\"{FORWARDLINK_TO}\">Tom &amp; Jerry</a> Tom &amp; Jerry" },
        TitleCase { "no title here", "", "no title here" }));

TEST(TagConvUtilsTest, RemoveAllTagsLeavesTextWithoutBracesAlone)
{
    const CStringList tags = Lines({ "{A}", "{B}" });
    for (const CString& original : { CString("plain text"), CString("   "), CString() }) {
        CString text = original;
        CTagConvUtils::RemoveAllTags(text, true, tags);
        EXPECT_EQ(text, original);
    }
}

TEST(TagConvUtilsTest, RemoveAllTagsFromListAndMap)
{
    CString text = "<td>{A}</td><td>{B}</td><td>{A}</td><td>{KEEP}</td>";
    CString fromList = text;
    CTagConvUtils::RemoveAllTags(fromList, true, Lines({ "{A}", "", "{B}" }));
    EXPECT_EQ(fromList, "<td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td><td>{KEEP}</td>");

    CMapStringToString map;
    map.SetAt("{A}", "Title");
    map.SetAt("{B}", "");
    CString fromMap = text;
    CTagConvUtils::RemoveAllTags(fromMap, false, map);
    EXPECT_EQ(fromMap, "<td></td><td></td><td></td><td>{KEEP}</td>");
}

TEST(TagConvUtilsTest, UrlBlockIsFilledOrRemoved)
{
    const CStringList page = Lines({ "<p>before</p>", "{IF_HAVE_URL_BEGIN}<a href=\"{ONLINE_URL}\">", "web site</a>",
        "{IF_HAVE_URL_END}", "<p>after</p>" });

    CStringList filled = page;
    CTagConvUtils::ReplaceURLBlock(
        filled, "{IF_HAVE_URL_BEGIN}", "{IF_HAVE_URL_END}", "{ONLINE_URL}", "http://example.org/{IF_HAVE_URL_END}");
    EXPECT_EQ(Vec(filled),
        (std::vector<CString> { "<p>before</p>", "<a href=\"http://example.org/{IF_HAVE_URL_END}\">", "web site</a>",
            "", "<p>after</p>" }));

    CStringList removed = page;
    CTagConvUtils::ReplaceURLBlock(removed, "{IF_HAVE_URL_BEGIN}", "{IF_HAVE_URL_END}", "{ONLINE_URL}", "");
    EXPECT_EQ(Vec(removed), (std::vector<CString> { "<p>before</p>", "<p>after</p>" }));
}

TEST(TagConvUtilsTest, ImageBlockUsesTheBareFileNameAndOmitsUnknownSizes)
{
    CStringList page = Lines({ "<h1>{TITLE}</h1>", "{IF_HAVE_IMAGE_BEGIN}",
        "<img src=\"{IMAGE_FILE}\" width=\"{IMAGE_WIDTH}\" height=\"{IMAGE_HEIGHT}\"",
        " alt=\"{IMAGE_FILENAME}\">{IF_HAVE_IMAGE_END}" });
    EXPECT_TRUE(CTagConvUtils::ReplaceImageBlock(
        page, "{IF_HAVE_IMAGE_BEGIN}", "{IF_HAVE_IMAGE_END}", "/home/me/Pictures/covers/dune cover.jpg", 0, 120));
    EXPECT_EQ(Vec(page),
        (std::vector<CString> { "<h1>{TITLE}</h1>", "", "<img src=\"dune cover.jpg\" width=\"\" height=\"120\"",
            " alt=\"dune cover.jpg\">" }));
}

TEST(TagConvUtilsTest, ImageBlockWithoutAFileNameIsRemoved)
{
    const CStringList page = Lines({ "top", "{IMG_B}<img src=\"{IMAGE_FILE}\">", "{IMG_E}", "bottom" });
    for (const CString& path : { CString(), CString("/home/me/Pictures/") }) {
        CStringList lines = page;
        EXPECT_FALSE(CTagConvUtils::ReplaceImageBlock(lines, "{IMG_B}", "{IMG_E}", path, 10, 10)) << path;
        EXPECT_EQ(Vec(lines), (std::vector<CString> { "top", "bottom" })) << path;
    }
}

TEST(TagConvUtilsTest, ImageBlockWithoutFileTagsReportsNothingFilled)
{
    CStringList lines = Lines({ "{IMG_B}<div style=\"width:{IMAGE_WIDTH}px\"></div>{IMG_E}" });
    EXPECT_FALSE(CTagConvUtils::ReplaceImageBlock(lines, "{IMG_B}", "{IMG_E}", "/p/a.png", 300, -1));
    EXPECT_EQ(lines.GetHead(), "<div style=\"width:300px\"></div>");
}

struct ParseCase {
    const char* name;
    std::vector<CString> lines;
    std::vector<CString> output;
    std::vector<CString> rest;
    int lineIndex;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class ParseHTMLBetweenTagsTest : public ::testing::TestWithParam<ParseCase> { };

TEST_P(ParseHTMLBetweenTagsTest, MovesTheFirstBlockOut)
{
    const ParseCase& c = GetParam();
    CStringList lines = Lines(c.lines);
    CStringList output;
    int lineIndex = 99;
    CTagConvUtils::ParseHTMLBetweenTags(lines, "{REPEAT_BEGIN}", "{REPEAT_END}", output, lineIndex);
    EXPECT_EQ(Vec(output), c.output);
    EXPECT_EQ(Vec(lines), c.rest);
    EXPECT_EQ(lineIndex, c.lineIndex);
}

INSTANTIATE_TEST_SUITE_P(Templates, ParseHTMLBetweenTagsTest,
    ::testing::Values(
        ParseCase { "SingleLine", { "<p>", "<ul>{REPEAT_BEGIN}<li>{TITLE}</li>{REPEAT_END}</ul>", "</p>" },
            { "<li>{TITLE}</li>" }, { "<p>", "<ul></ul>", "</p>" }, 1 },
        ParseCase { "SingleLineEmptyBlock", { "a{REPEAT_BEGIN}{REPEAT_END}b" }, { "" }, { "ab" }, 0 },
        ParseCase { "MultiLine",
            { "<html>", "<table>{REPEAT_BEGIN}", "<tr><td>{TITLE}</td></tr>", "<tr>plain</tr>", "{REPEAT_END}",
                "</table>", "</html>" },
            { "<tr><td>{TITLE}</td></tr>", "<tr>plain</tr>" }, { "<html>", "<table>", "</table>", "</html>" }, 1 },
        ParseCase { "BeginTagStartsTheLine", { "a", "{REPEAT_BEGIN}<tr>", "x", "{REPEAT_END}", "b" }, { "<tr>", "x" },
            { "a", "b" }, 1 },
        // The last row goes to the output whole; the markup after the end
        // tag stays in the template.
        ParseCase { "EndLineKeepsWhatFollowsTheEndTag",
            { "<table>{REPEAT_BEGIN}<tr>", "<td>{TITLE}</td>", "</tr>{REPEAT_END}</table>", "</body>" },
            { "<tr>", "<td>{TITLE}</td>", "</tr>" }, { "<table>", "</table>", "</body>" }, 0 },
        ParseCase { "MissingEndRunsToTheEnd", { "a", "x{REPEAT_BEGIN}y", "z", "{OTHER}" }, { "y", "z", "{OTHER}" },
            { "a", "x" }, 1 },
        ParseCase { "NoBlock", { "a {TITLE}", "b" }, {}, { "a {TITLE}", "b" }, -1 },
        ParseCase { "StrayEndTagBeforeTheBlock", { "x{REPEAT_END}y", "{REPEAT_BEGIN}", "in", "{REPEAT_END}" }, { "in" },
            { "x{REPEAT_END}y" }, 1 },
        ParseCase { "EndTagBeforeBeginTagOnOneLine", { "x{REPEAT_END}y{REPEAT_BEGIN}z", "in{REPEAT_END}" },
            { "z", "in" }, { "x{REPEAT_END}y" }, 0 },
        ParseCase { "OnlyTheFirstBlock", { "{REPEAT_BEGIN}one{REPEAT_END}", "{REPEAT_BEGIN}two{REPEAT_END}" },
            { "one" }, { "", "{REPEAT_BEGIN}two{REPEAT_END}" }, 0 }),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return CString(info.param.name); });
