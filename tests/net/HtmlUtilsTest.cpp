#include <gtest/gtest.h>

#include <ostream>

#include "net/HtmlUtils.h"

namespace {

struct EscapeCase {
    const char* input;
    const char* expected;
};

void PrintTo(const EscapeCase& c, std::ostream* os)
{
    *os << '"' << c.input << '"';
}

class EscapeTextTest : public ::testing::TestWithParam<EscapeCase> { };
class EscapeAttributeTest : public ::testing::TestWithParam<EscapeCase> { };
class EscapeUrlPathTest : public ::testing::TestWithParam<EscapeCase> { };

} // namespace

TEST_P(EscapeTextTest, Escapes)
{
    EXPECT_EQ(CHtmlUtils::EscapeText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, EscapeTextTest,
    ::testing::Values(EscapeCase { "", "" }, EscapeCase { "Tom & Jerry", "Tom &amp; Jerry" },
        EscapeCase { "<script>alert('x')</script>", "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;" },
        EscapeCase { "\"Quoted\" title", "&quot;Quoted&quot; title" },
        // A value that looks like an entity is text, not markup.
        EscapeCase { "&amp; &#60;", "&amp;amp; &amp;#60;" },
        EscapeCase { "Ärger über Öl – 5 €", "Ärger über Öl – 5 €" },
        EscapeCase { "line\nbreak\ttab", "line\nbreak\ttab" }));

TEST_P(EscapeAttributeTest, Escapes)
{
    EXPECT_EQ(CHtmlUtils::EscapeAttribute(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, EscapeAttributeTest,
    ::testing::Values(EscapeCase { "x\" onmouseover=\"alert(1)", "x&quot; onmouseover=&quot;alert(1)" },
        EscapeCase { "it's `ok`", "it&#39;s &#96;ok&#96;" }, EscapeCase { "a\tb\r\nc", "a&#9;b&#13;&#10;c" },
        EscapeCase { "bell\x07 del\x7f", "bell del" }, EscapeCase { "Ärger", "Ärger" }));

TEST(HtmlUtilsTest, NoSingleByteEscapesAQuotedAttribute)
{
    for (int byte = 0; byte < 256; ++byte) {
        const CString escaped = CHtmlUtils::EscapeAttribute(CString(1, static_cast<char>(byte)) + "x");
        EXPECT_EQ(escaped.find_first_of("\"'<>`"), CString::npos) << byte;
        const std::size_t amp = escaped.find('&');
        if (amp != CString::npos) {
            EXPECT_NE(escaped.find(';', amp), CString::npos) << byte;
        }
    }
}

TEST_P(EscapeUrlPathTest, Escapes)
{
    EXPECT_EQ(CHtmlUtils::EscapeUrlPath(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, EscapeUrlPathTest,
    ::testing::Values(EscapeCase { "Books_LVL2_Dune.htm", "Books_LVL2_Dune.htm" },
        EscapeCase { "sub/dir/file-1_2~.htm", "sub/dir/file-1_2~.htm" }, EscapeCase { "My Page.htm", "My%20Page.htm" },
        EscapeCase { "a#b?c.htm", "a%23b%3Fc.htm" }, EscapeCase { "100%.htm", "100%25.htm" },
        EscapeCase { "\"'<>.htm", "%22%27%3C%3E.htm" }, EscapeCase { "Tom & Jerry.jpg", "Tom%20%26%20Jerry.jpg" },
        // A name must not turn into an address with a scheme.
        EscapeCase { "javascript:alert(1)", "javascript%3Aalert%281%29" }, EscapeCase { "Ärger.jpg", "%C3%84rger.jpg" },
        EscapeCase { "tab\there", "tab%09here" }, EscapeCase { "back\\slash", "back%5Cslash" }));
