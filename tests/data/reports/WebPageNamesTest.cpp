#include <gtest/gtest.h>

#include "data/reports/WebPageNames.h"
#include "data/reports/WebReportGenerator.h"

namespace {

TEST(WebPageNamesTest, NamesFollowHomePageLevelAndValues)
{
    CWebPageNames names("/out/My Books.htm");
    EXPECT_EQ(names.GetHomeName(), "My Books.htm");
    EXPECT_EQ(names.Allocate(2, { "Dune", "1" }), "My Books_LVL2_Dune1.htm");
    EXPECT_EQ(names.Allocate(2, { "", "" }), "My Books_LVL2_(none).htm");
    EXPECT_EQ(names.Allocate(2, { "", "2" }), "My Books_LVL2_2.htm");
    EXPECT_EQ(names.Allocate(3, { "", "", "A/B", "" }), "My Books_LVL3_(none)A_B.htm");
}

TEST(WebPageNamesTest, NamesThatWouldMeetGetAStableHash)
{
    CWebPageNames first("/out/Home.htm");
    const CString plain = first.Allocate(2, { "AC/DC", "" });
    const CString folded = first.Allocate(2, { "ac_dc", "" });
    const CString again = first.Allocate(2, { "AC/DC", "" }); // another group, same values
    EXPECT_EQ(plain, "Home_LVL2_AC_DC.htm");
    EXPECT_NE(folded, plain);
    EXPECT_NE(again, folded);
    EXPECT_NE(again, plain);
    EXPECT_EQ(folded.size(), plain.size() + 9);

    CWebPageNames second("/out/Home.htm");
    EXPECT_EQ(second.Allocate(2, { "AC/DC", "" }), plain);
    EXPECT_EQ(second.Allocate(2, { "ac_dc", "" }), folded);
}

TEST(WebPageNamesTest, LongNamesAreCutOnACharacterAndStayApart)
{
    CWebPageNames names("/out/Home.htm");
    CString longValue;
    for (int i = 0; i < 200; ++i)
        longValue += "\xe2\x82\xac"; // €, three bytes
    const CString a = names.Allocate(3, { longValue, "", "a", "" });
    const CString b = names.Allocate(3, { longValue, "", "b", "" });
    EXPECT_LE(a.size(), CWebPageNames::MAX_NAME_BYTES);
    EXPECT_LE(b.size(), CWebPageNames::MAX_NAME_BYTES);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a.ends_with(".htm"));
    // The cut fell between characters: the name without its suffix is
    // whole euro signs after the prefix.
    const CString middle = a.substr(10, a.size() - 10 - 13);
    EXPECT_EQ(middle.size() % 3, 0u) << middle.size();
}

struct PageCase {
    const char* name;
    bool expected;
};

class IsPageOfReportTest : public ::testing::TestWithParam<PageCase> { };

TEST_P(IsPageOfReportTest, OnlyLevelPagesOfThisReport)
{
    EXPECT_EQ(CWebPageNames::IsPageOfReport(GetParam().name, "Books"), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, IsPageOfReportTest,
    ::testing::Values(PageCase { "Books_LVL2_x.htm", true }, PageCase { "Books_LVL3_.HTM", true },
        PageCase { "Books.htm", false }, PageCase { "MyBooks_LVL2_x.htm", false },
        PageCase { "Books_LVL4_x.htm", false }, PageCase { "Books_LVL2_x.html", false },
        PageCase { "books_LVL2_x.htm", false }, PageCase { "Books_LVL2_x.htm.bak", false }));

struct SplitCase {
    const char* name;
    std::vector<CString> lines;
    bool openEnded;
    bool found;
    std::vector<CString> before, inner, after;
};

class SplitBlockTest : public ::testing::TestWithParam<SplitCase> { };

std::vector<CString> ToVector(const CStringList& list)
{
    return std::vector<CString>(list.begin(), list.end());
}

TEST_P(SplitBlockTest, CutsTheFirstBlock)
{
    const SplitCase& c = GetParam();
    CStringList lines, before, inner, after;
    for (const CString& line : c.lines)
        lines.AddTail(line);
    EXPECT_EQ(CWebReportGenerator::SplitBlock(lines, "{B}", "{E}", before, inner, after, c.openEnded), c.found);
    EXPECT_EQ(ToVector(before), c.before);
    EXPECT_EQ(ToVector(inner), c.inner);
    EXPECT_EQ(ToVector(after), c.after);
}

INSTANTIATE_TEST_SUITE_P(Blocks, SplitBlockTest,
    ::testing::Values(SplitCase { "OneLine", { "a{B}b{E}c" }, false, true, { "a" }, { "b" }, { "c" } },
        SplitCase { "Lines", { "x", "a {B}", "b", " {E} c", "{B}y{E}" }, false, true, { "x", "a " }, { "b" },
            { " c", "{B}y{E}" } },
        SplitCase { "EmptyBlock", { "{B}{E}" }, false, true, {}, {}, {} },
        SplitCase { "EndBeforeBegin", { "{E}", "{B}i{E}" }, false, true, { "{E}" }, { "i" }, {} },
        SplitCase { "NoEnd", { "a{B}b", "c" }, false, false, {}, {}, {} },
        SplitCase { "NoEndOpen", { "a{B}b", "c" }, true, true, { "a" }, { "b", "c" }, {} },
        SplitCase { "None", { "plain", "{X}" }, true, false, {}, {}, {} }),
    [](const auto& info) { return info.param.name; });

} // namespace
