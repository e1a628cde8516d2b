#include <gtest/gtest.h>

#include <ostream>

#include "net/HtmlValueEscaper.h"

namespace {

using E = CHtmlValueEscaper;

CString M(const CString& value)
{
    return E::Mark(value);
}

struct PageCase {
    const char* name;
    CString page; // values marked
    CString expected;
};

void PrintTo(const PageCase& c, std::ostream* os)
{
    *os << c.name;
}

class FinishTest : public ::testing::TestWithParam<PageCase> { };

} // namespace

TEST_P(FinishTest, EscapesEachValueForWhereItLanded)
{
    EXPECT_EQ(E::Finish(GetParam().page), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Places, FinishTest,
    ::testing::Values(
        // Text and quoted values were escaped enough when they went in.
        PageCase { "text", "<p>" + M("Tom &amp; Jerry &lt;b&gt;") + "</p>", "<p>Tom &amp; Jerry &lt;b&gt;</p>" },
        PageCase { "quoted", "<img alt=\"Picture of " + M("x&quot; onerror=&quot;y") + "\">",
            "<img alt=\"Picture of x&quot; onerror=&quot;y\">" },
        PageCase { "single-quoted", "<a title='" + M("it&#39;s a b") + "'>", "<a title='it&#39;s a b'>" },
        PageCase { "comment", "<!-- " + M("a b=c") + " -->", "<!-- a b=c -->" },
        PageCase {
            "style", "<style>p{}</style><STYLE>" + M("a b") + "</style>", "<style>p{}</style><STYLE>a b</style>" },
        // In a tag a value cannot end its value or make another attribute.
        PageCase {
            "unquoted", "<h2 class=" + M("x onmouseover=alert(1)") + ">", "<h2 class=x&#32;onmouseover&#61;alert(1)>" },
        PageCase { "unquoted after text", "<h2 class=big-" + M("a\tb`") + " id=t>", "<h2 class=big-a&#9;b&#96; id=t>" },
        PageCase { "attribute place", "<td " + M("a/onclick=x") + ">", "<td a&#47;onclick&#61;x>" },
        PageCase { "tag name", "<" + M("b onclick=x") + ">", "<b&#32;onclick&#61;x>" },
        PageCase { "after a quoted value", "<a id=\"x\"" + M(" onclick=y") + ">", "<a id=\"x\"&#32;onclick&#61;y>" },
        // Addresses that could run script are dropped, whoever wrote which part.
        PageCase { "script address", "<a href=\"" + M("javascript:alert(1)") + "\">", "<a href=\"\">" },
        PageCase { "hidden script address", "<a HREF='" + M(" JaVa&#9;Script:x") + "'>", "<a HREF=''>" },
        PageCase { "unquoted script address", "<img src=" + M("data:text/html,x") + " alt=x>", "<img src=\"\" alt=x>" },
        PageCase { "address in two values", "<a href=\"" + M("java") + M("script:x") + "\">", "<a href=\"\">" },
        PageCase { "address the template began", "<a href=\"java" + M("script:x") + "\">", "<a href=\"\">" },
        PageCase { "web address", "<a href=\"" + M("https://example.com/?a=1&amp;b=2") + "\">",
            "<a href=\"https://example.com/?a=1&amp;b=2\">" },
        PageCase { "query value", "<a href=\"https://example.com/?q=" + M("javascript:x") + "\">",
            "<a href=\"https://example.com/?q=javascript:x\">" },
        PageCase { "page name", "<a href=" + M("Books_LVL2_A%20B.htm") + ">", "<a href=Books_LVL2_A%20B.htm>" },
        PageCase { "the template's own address", "<a href=\"javascript:history.back()\">" + M("Back") + "</a>",
            "<a href=\"javascript:history.back()\">Back</a>" },
        // Script gets a value only as escapes, which are text in a string.
        PageCase { "event attribute", "<a onclick=\"show('" + M("&#39;);alert(1);(&#39;") + "')\">",
            "<a onclick=\"show('\\x27\\x29\\x3Balert\\x281\\x29\\x3B\\x28\\x27')\">" },
        PageCase { "script", "<script>var t = \"" + M("&quot;;x()//") + "\";</script><p>" + M("a b") + "</p>",
            "<script>var t = \"\\x22\\x3Bx\\x28\\x29\\x2F\\x2F\";</script><p>a b</p>" },
        PageCase { "script end in a string", "<script>s='</scripts>'+" + M("a b") + "</script >" + M("a b"),
            "<script>s='</scripts>'+a\\x20b</script >a b" },
        // Marker bytes never reach the page.
        PageCase { "stray markers",
            CString("a\x02"
                    "b")
                + M("c\x01"
                    "d"),
            "abcd" },
        PageCase { "no end marker",
            CString("<p>\x01"
                    "a b"),
            "<p>a b" }));

TEST(HtmlValueEscaperTest, EmptyValuesAndPagesWithoutValuesStayAsTheyAre)
{
    EXPECT_EQ(E::Mark(""), "");
    const CString page = "<a href=\"javascript:void(0)\" class=a b>x</a>";
    EXPECT_EQ(E::Finish(page), page);
}

struct AddressCase {
    const char* address;
    bool safe;
};

void PrintTo(const AddressCase& c, std::ostream* os)
{
    *os << '"' << c.address << '"';
}

class SafeAddressTest : public ::testing::TestWithParam<AddressCase> { };

TEST_P(SafeAddressTest, OnlyRelativeAndKnownSchemesAreSafe)
{
    EXPECT_EQ(E::IsSafeAddress(GetParam().address), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(Addresses, SafeAddressTest,
    ::testing::Values(AddressCase { "", true }, AddressCase { "Books.htm", true }, AddressCase { "#top", true },
        AddressCase { "//host/x", true }, AddressCase { "Chapter 1: Intro.htm", true },
        AddressCase { "HTTP://example.com", true }, AddressCase { "https://x/?a=b:c", true },
        AddressCase { "ftp://x/y", true }, AddressCase { "mailto:me@example.com", true },
        AddressCase { "file:///home/me/a.pdf", true }, AddressCase { "javascript:x", false },
        AddressCase { " \x01javascript:x", false }, AddressCase { "java\nscript:x", false },
        AddressCase { "&#1;javascript:x", false }, AddressCase { "jav&#x61;script:x", false },
        AddressCase { "jav&#97script:x", false }, AddressCase { "javascript&colon;x", false },
        AddressCase { "java&Tab;script:x", false }, AddressCase { "java&unknown;script:x", false },
        AddressCase { "data:text/html,x", false }, AddressCase { "vbscript:x", false },
        AddressCase { "c:\\books\\a.pdf", false }));
