#include "platform/util/StringUtils.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<CString> ToVector(const CStringList& list)
{
    return std::vector<CString>(list.begin(), list.end());
}

CStringList ToList(const std::vector<CString>& lines)
{
    CStringList list;
    for (const CString& s : lines)
        list.AddTail(s);
    return list;
}

// ---- SplitLine ----

struct SplitCase {
    CString line;
    CString delimiter;
    std::vector<CString> parts;
};

class SplitLineTest : public ::testing::TestWithParam<SplitCase> { };

TEST_P(SplitLineTest, ArrayAndListAgree)
{
    const SplitCase& c = GetParam();
    CStringArray arr;
    arr.Add("stale");
    CStringUtils::SplitLine(c.line, c.delimiter, arr);
    EXPECT_EQ(std::vector<CString>(arr.begin(), arr.end()), c.parts);

    CStringList list;
    list.AddTail("stale");
    CStringUtils::SplitLine(c.line, c.delimiter, list);
    EXPECT_EQ(ToVector(list), c.parts);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitLineTest,
    ::testing::Values(SplitCase { "1:02:03", ":", { "1", "02", "03" } }, SplitCase { "", ":", { "" } },
        SplitCase { ":", ":", { "", "" } }, SplitCase { "a::b:", ":", { "a", "", "b", "" } },
        SplitCase { "a\tb\tc", "\t", { "a", "b", "c" } }, SplitCase { "a, b,, c", ", ", { "a", "b,", "c" } },
        SplitCase { "no delimiter", ";", { "no delimiter" } }, SplitCase { "abc", "", { "abc" } },
        SplitCase { "aaa", "aa", { "", "a" } }, SplitCase { "Ä:ö", ":", { "Ä", "ö" } }));

// ---- Case-insensitive compare and search ----

struct CompareCase {
    CString a;
    CString b;
    int expected;
};

class CompareNoCaseTest : public ::testing::TestWithParam<CompareCase> { };

TEST_P(CompareNoCaseTest, FoldsAsciiAndLatin1)
{
    const CompareCase& c = GetParam();
    EXPECT_EQ(CStringUtils::CompareNoCase(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(CStringUtils::CompareNoCase(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
    EXPECT_EQ(CStringUtils::EqualsNoCase(c.a, c.b), c.expected == 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareNoCaseTest,
    ::testing::Values(CompareCase { "abc", "ABC", 0 }, CompareCase { "", "", 0 }, CompareCase { "", "a", -1 },
        CompareCase { "abc", "abd", -1 }, CompareCase { "ab", "ABC", -1 }, CompareCase { "ÄÖÜ", "äöü", 0 },
        CompareCase { "Ærøskøbing", "ÆRØSKØBING", 0 }, CompareCase { "Þór", "þÓR", 0 }, CompareCase { "çà", "ÇÀ", 0 },
        // Multiplication and division signs are not a case pair.
        CompareCase { "×", "÷", -1 },
        // ß and ÿ have no capital in Latin-1; they only equal themselves.
        CompareCase { "ß", "ss", 1 }, CompareCase { "ÿ", "ÿ", 0 },
        // Code point order: é (U+00E9) after z, ignoring case on both sides.
        CompareCase { "É", "z", 1 }, CompareCase { "Zebra", "apple", 1 },
        // Letters outside Latin-1 compare as they are.
        CompareCase { "Ω", "ω", -1 },
        // Malformed bytes are single units, never equal to a real letter.
        CompareCase { "\xE9", "é", 1 }, CompareCase { "\xC3", "\xC3", 0 }, CompareCase { "a\xC3", "A\xC3", 0 },
        CompareCase { "\xF0\x9F", "\xF0\x9F\x98", -1 }));

TEST(StringUtilsCase, UpperAndLowerKeepOtherCharacters)
{
    EXPECT_EQ(CStringUtils::ToUpper("straße ÿ àé × ÷ ω 1"), "STRAßE ÿ ÀÉ × ÷ ω 1");
    EXPECT_EQ(CStringUtils::ToLower("STRAßE Ÿ ÀÉ × ÷ Ω 1"), "straße Ÿ àé × ÷ Ω 1");
    // A truncated sequence at the end stays as it is (and is not read past).
    EXPECT_EQ(CStringUtils::ToUpper("ab\xC3"), "AB\xC3");
    EXPECT_EQ(CStringUtils::ToLower(CString("A\0B", 3)), CString("a\0b", 3));
}

struct FindCase {
    CString text;
    CString what;
    int start;
    int expected;
};

class FindNoCaseTest : public ::testing::TestWithParam<FindCase> { };

TEST_P(FindNoCaseTest, ReturnsBytePosition)
{
    const FindCase& c = GetParam();
    EXPECT_EQ(CStringUtils::FindNoCase(c.text, c.what, c.start), c.expected) << c.text << " / " << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, FindNoCaseTest,
    ::testing::Values(FindCase { "Hello World", "world", 0, 6 }, FindCase { "Hello World", "WORLD", 7, -1 },
        FindCase { "Müller MÜLLER", "müller", 1, 8 }, FindCase { "ÄÖ", "ö", 0, 2 }, FindCase { "abc", "", 1, 1 },
        FindCase { "abc", "x", 0, -1 }, FindCase { "abc", "a", -5, 0 }, FindCase { "abc", "a", 10, -1 },
        // A start inside a character moves on to the next one.
        FindCase { "éa", "a", 1, 2 },
        // A bad byte does not match the tail of a real character.
        FindCase { "é", "\xA9", 0, -1 }, FindCase { "a\xA9", "\xA9", 0, 1 }));

struct AffixCase {
    CString text;
    CString affix;
    bool ignoreCase;
    bool first;
    bool last;
};

class MatchCharsTest : public ::testing::TestWithParam<AffixCase> { };

TEST_P(MatchCharsTest, PrefixAndSuffix)
{
    const AffixCase& c = GetParam();
    EXPECT_EQ(CStringUtils::MatchFirstChars(c.text, c.affix, c.ignoreCase), c.first);
    EXPECT_EQ(CStringUtils::MatchLastChars(c.text, c.affix, c.ignoreCase), c.last);
}

INSTANTIATE_TEST_SUITE_P(Cases, MatchCharsTest,
    ::testing::Values(AffixCase { "CD-0042", "cd-", true, true, false },
        AffixCase { "CD-0042", "cd-", false, false, false }, AffixCase { "0042-ÄB", "-äb", true, false, true },
        AffixCase { "0042-ÄB", "-äb", false, false, false }, AffixCase { "abc", "", true, true, true },
        AffixCase { "", "a", true, false, false }, AffixCase { "ab", "abc", true, false, false },
        AffixCase { "aba", "A", true, true, true }, AffixCase { "é", "\xA9", true, false, false }));

// ---- Blank, duplicates, replace, trim, format, truncate ----

TEST(StringUtilsMisc, EffectivelyEmpty)
{
    for (const char* blank : { "", " ", "\t\r\n", " \v\f " })
        EXPECT_TRUE(CStringUtils::IsEffectivelyEmpty(blank)) << '"' << blank << '"';
    for (const char* text : { "a", "  x ", "\xC2\xA0" })
        EXPECT_FALSE(CStringUtils::IsEffectivelyEmpty(text)) << '"' << text << '"';
}

TEST(StringUtilsMisc, RemoveDuplicatesKeepsFirstInOrder)
{
    CStringList list = ToList({ "b", "a", "b", "B", "a", "c", "b" });
    CStringUtils::RemoveDuplicates(list);
    EXPECT_EQ(ToVector(list), (std::vector<CString> { "b", "a", "B", "c" }));
}

TEST(StringUtilsMisc, ReplaceCountsNonOverlapping)
{
    CString text = "aaaa";
    EXPECT_EQ(CStringUtils::Replace(text, "aa", "b"), 2);
    EXPECT_EQ(text, "bb");
    text = "a{X}b{X}";
    EXPECT_EQ(CStringUtils::Replace(text, "{X}", "{X}{X}"), 2);
    EXPECT_EQ(text, "a{X}{X}b{X}{X}");
    EXPECT_EQ(CStringUtils::Replace(text, "", "z"), 0);
    EXPECT_EQ(CStringUtils::Replace(text, "none", "z"), 0);
    EXPECT_EQ(text, "a{X}{X}b{X}{X}");
}

TEST(StringUtilsMisc, Trim)
{
    EXPECT_EQ(CStringUtils::Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(CStringUtils::TrimLeft("  a "), "a ");
    EXPECT_EQ(CStringUtils::TrimRight("  a "), "  a");
    EXPECT_EQ(CStringUtils::Trim("   "), "");
}

TEST(StringUtilsMisc, FormatSizesLongOutput)
{
    EXPECT_EQ(CStringUtils::Format("%d-%s-%.2f", 42, "x", 1.5), "42-x-1.50");
    CString big(5000, 'q');
    EXPECT_EQ(CStringUtils::Format("<%s>", big.c_str()), "<" + big + ">");
    EXPECT_EQ(CStringUtils::Format("%s", ""), "");
}

struct TruncateCase {
    CString text;
    std::size_t max;
    CString expected;
};

class TruncateUtf8Test : public ::testing::TestWithParam<TruncateCase> { };

TEST_P(TruncateUtf8Test, CutsOnCharacterBoundary)
{
    const TruncateCase& c = GetParam();
    EXPECT_EQ(CStringUtils::TruncateUtf8(c.text, c.max), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TruncateUtf8Test,
    ::testing::Values(TruncateCase { "abc", 5, "abc" }, TruncateCase { "abc", 2, "ab" }, TruncateCase { "aé", 2, "a" },
        TruncateCase { "aé", 3, "aé" }, TruncateCase { "a€", 3, "a" }, TruncateCase { "😀x", 3, "" },
        TruncateCase { "😀x", 4, "😀" }, TruncateCase { "abc", 0, "" },
        // A stray continuation byte is a character of its own.
        TruncateCase { "a\x80\x80", 2, "a\x80" }));

// ---- FindOccurrencePair ----

struct PairCase {
    CString text;
    CString first;
    CString second;
    int n;
    int firstPos;
    int secondPos;
};

class FindOccurrencePairTest : public ::testing::TestWithParam<PairCase> { };

TEST_P(FindOccurrencePairTest, FindsNthPair)
{
    const PairCase& c = GetParam();
    int firstPos = 99, secondPos = 99;
    bool found = CStringUtils::FindOccurrencePair(c.text, c.first, c.second, c.n, firstPos, secondPos);
    EXPECT_EQ(found, c.firstPos != -1);
    EXPECT_EQ(firstPos, c.firstPos);
    EXPECT_EQ(secondPos, c.secondPos);
}

const CString kLinks = "<a href=\"{FORWARDLINK_TO}\">{TITLE}</a> | <a href=\"{FORWARDLINK_TO}\">{TITLE}</A>";

INSTANTIATE_TEST_SUITE_P(Cases, FindOccurrencePairTest,
    ::testing::Values(PairCase { kLinks, "{FORWARDLINK_TO}", "</a>", 1, 9, 34 },
        // The second lower-case anchor does not exist: the pair is not there.
        PairCase { kLinks, "{FORWARDLINK_TO}", "</a>", 2, -1, -1 },
        PairCase { kLinks, "{FORWARDLINK_TO}", "</A>", 1, 9, 75 },
        PairCase { kLinks, "{FORWARDLINK_TO}", "</A>", 2, 50, 75 },
        PairCase { kLinks, "{FORWARDLINK_TO}", "</A>", 3, -1, -1 },
        PairCase { kLinks, "{BACKLINK_TO}", "</a>", 1, -1, -1 },
        // The second string must follow the first occurrence.
        PairCase { "</a>{X}", "{X}", "</a>", 1, -1, -1 }, PairCase { "abc", "a", "c", 0, -1, -1 },
        PairCase { "abc", "", "c", 1, -1, -1 }, PairCase { "", "a", "b", 1, -1, -1 },
        PairCase { "xx", "x", "x", 1, 0, 1 }));

// ---- ReplaceTextBlock ----

struct BlockCase {
    const char* name;
    std::vector<CString> lines;
    CString replacement;
    bool firstOnly;
    bool found;
    std::vector<CString> expected;
};

class ReplaceTextBlockTest : public ::testing::TestWithParam<BlockCase> { };

TEST_P(ReplaceTextBlockTest, RemovesFromBeginToEnd)
{
    const BlockCase& c = GetParam();
    CStringList lines = ToList(c.lines);
    EXPECT_EQ(CStringUtils::ReplaceTextBlock(lines, "{B}", "{E}", c.replacement, c.firstOnly), c.found);
    EXPECT_EQ(ToVector(lines), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceTextBlockTest,
    ::testing::Values(BlockCase { "SingleLine", { "<p>{B}<img>{E}</p>" }, "", false, true, { "<p></p>" } },
        BlockCase { "SingleLineReplaced", { "x{B}y{E}z" }, "R", true, true, { "xRz" } },
        BlockCase { "WholeLineDropped", { "a", "{B}inner{E}", "b" }, "", false, true, { "a", "b" } },
        BlockCase { "BlankRemainderDropped", { "a", "  {B}x{E} ", "b" }, "", false, true, { "a", "b" } },
        BlockCase { "MultiLine", { "head", "<td>{B}<img", "src=x>", "</img>{E}</td>", "tail" }, "", false, true,
            { "head", "<td></td>", "tail" } },
        BlockCase { "MultiLineOwnLines", { "head", "{B}", "<img src=\"{IMAGE_FILE}\">", "{E}", "tail" }, "", false,
            true, { "head", "tail" } },
        BlockCase { "MultiLineReplaced", { "a{B}", "x", "{E}b" }, "R", false, true, { "aRb" } },
        BlockCase { "EveryBlock", { "1{B}x{E}2{B}y{E}3", "{B}", "{E}4" }, "", false, true, { "123", "4" } },
        BlockCase { "FirstOnly", { "1{B}x{E}2{B}y{E}3", "{B}z{E}" }, "", true, true, { "12{B}y{E}3", "{B}z{E}" } },
        // Blocks do not nest: the first end tag closes the block.
        BlockCase { "NestedLooking", { "a{B}1{B}2{E}3{E}b" }, "", false, true, { "a3{E}b" } },
        // A replacement holding the begin tag is not searched again.
        BlockCase { "ReplacementHoldsTag", { "{B}x{E}{B}y{E}" }, "{B}", false, true, { "{B}{B}" } },
        BlockCase { "MissingEndTag", { "a{B}b", "c", "d" }, "", false, false, { "a{B}b", "c", "d" } },
        BlockCase { "SecondBlockUnclosed", { "a{B}x{E}b{B}c", "d" }, "", false, true, { "ab{B}c", "d" } },
        BlockCase { "EndBeforeBegin", { "{E}a{B}" }, "", false, false, { "{E}a{B}" } },
        BlockCase { "NoBlock", { "plain", "" }, "", false, false, { "plain", "" } },
        BlockCase { "UntouchedEmptyLinesKept", { "", "{B}{E}", "" }, "", false, true, { "", "" } }),
    [](const ::testing::TestParamInfo<BlockCase>& info) { return info.param.name; });

TEST(ReplaceTextBlock, EmptyTagsFindNothing)
{
    CStringList lines = ToList({ "a{E}b" });
    EXPECT_FALSE(CStringUtils::ReplaceTextBlock(lines, "", "{E}", "", false));
    EXPECT_FALSE(CStringUtils::ReplaceTextBlock(lines, "{B}", "", "", false));
    EXPECT_EQ(ToVector(lines), std::vector<CString> { "a{E}b" });
}

} // namespace

namespace {

// Random byte strings (mostly malformed UTF-8 mixed with Latin-1 letters)
// keep the invariants of the case helpers; under the sanitizers this also
// proves that no helper reads past the end of a truncated sequence.
TEST(StringUtilsRandom, MalformedInputKeepsInvariants)
{
    std::mt19937 rng(20240611);
    const std::vector<CString> pieces = { "a", "Z", "é", "É", "ß", "ÿ", "×", "€", "😀", "\xC3", "\xE2\x82",
        "\xF0\x9F\x98", "\x80", "\xFF", "\xED\xA0\x80", "\xC0\xAF", " " };
    for (int round = 0; round < 2000; ++round) {
        CString x;
        int n = static_cast<int>(rng() % 8);
        for (int k = 0; k < n; ++k)
            x += pieces[rng() % pieces.size()];
        const CString upper = CStringUtils::ToUpper(x);
        const CString lower = CStringUtils::ToLower(x);
        ASSERT_EQ(upper.size(), x.size()) << x;
        ASSERT_EQ(lower.size(), x.size()) << x;
        ASSERT_EQ(CStringUtils::CompareNoCase(x, upper), 0) << x;
        ASSERT_EQ(CStringUtils::CompareNoCase(lower, upper), 0) << x;
        ASSERT_EQ(CStringUtils::FindNoCase(upper, lower), 0) << x;
        ASSERT_TRUE(CStringUtils::MatchFirstChars(x, upper, true)) << x;
        ASSERT_TRUE(CStringUtils::MatchLastChars(lower, x, true)) << x;
        std::size_t max = rng() % (x.size() + 2);
        CString cut = CStringUtils::TruncateUtf8(x, max);
        ASSERT_LE(cut.size(), max);
        ASSERT_EQ(x.compare(0, cut.size(), cut), 0);
    }
}

} // namespace
