#include <gtest/gtest.h>

#include "platform/util/TextEncoding.h"

namespace {

TEST(TextEncodingTest, EveryWindows1252ByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    CString utf8 = CTextEncoding::FromWindows1252(all);
    EXPECT_TRUE(CTextEncoding::IsValidUtf8(utf8));
    EXPECT_TRUE(CTextEncoding::FitsWindows1252(utf8));
    EXPECT_EQ(CTextEncoding::ToWindows1252(utf8), all);
}

// Texts are checked for bytes above 0x7F a word at a time, the last word
// overlapping: one such byte anywhere, at any length, is decoded.
TEST(TextEncodingTest, OneWindows1252ByteAnywhereIsDecoded)
{
    for (std::size_t length = 1; length <= 20; ++length)
        for (std::size_t at = 0; at < length; ++at) {
            std::string bytes(length, 'a');
            bytes[at] = char(0xE9);
            CString expected(length - 1, 'a');
            expected.insert(at, "\xC3\xA9");
            EXPECT_EQ(CTextEncoding::FromWindows1252(bytes), expected) << length << ' ' << at;
        }
}

struct Cp1252Case {
    unsigned char byte;
    const char* utf8;
};

class Cp1252Mapping : public ::testing::TestWithParam<Cp1252Case> { };

TEST_P(Cp1252Mapping, MapsBothWays)
{
    const auto& c = GetParam();
    EXPECT_EQ(CTextEncoding::FromWindows1252(std::string(1, char(c.byte))), c.utf8);
    EXPECT_EQ(CTextEncoding::ToWindows1252(c.utf8), std::string(1, char(c.byte)));
}

INSTANTIATE_TEST_SUITE_P(Bytes, Cp1252Mapping,
    ::testing::Values(Cp1252Case { 0x41, "A" }, Cp1252Case { 0x80, "\u20AC" }, Cp1252Case { 0x81, "\u0081" },
        Cp1252Case { 0x8A, "\u0160" }, Cp1252Case { 0x8D, "\u008D" }, Cp1252Case { 0x8F, "\u008F" },
        Cp1252Case { 0x90, "\u0090" }, Cp1252Case { 0x93, "\u201C" }, Cp1252Case { 0x99, "\u2122" },
        Cp1252Case { 0x9D, "\u009D" }, Cp1252Case { 0x9F, "\u0178" }, Cp1252Case { 0xA0, "\u00A0" },
        Cp1252Case { 0xE9, "\u00E9" }, Cp1252Case { 0xFF, "\u00FF" }));

TEST(TextEncodingTest, CharactersOutsideWindows1252DoNotFit)
{
    EXPECT_FALSE(CTextEncoding::FitsWindows1252("a\u03A9b"));
    EXPECT_FALSE(CTextEncoding::FitsWindows1252("\U0001F600"));
    EXPECT_FALSE(CTextEncoding::FitsWindows1252("\u0080")); // C1 control without a 1252 byte
    EXPECT_EQ(CTextEncoding::ToWindows1252("a\u03A9b"), "a?b");
}

struct Utf16Case {
    const char* utf8;
    std::string utf16;
};

class Utf16Mapping : public ::testing::TestWithParam<Utf16Case> { };

TEST_P(Utf16Mapping, EncodesAndDecodes)
{
    const auto& c = GetParam();
    EXPECT_EQ(CTextEncoding::ToUtf16LE(c.utf8), c.utf16);
    EXPECT_EQ(CTextEncoding::Utf16Length(c.utf8), c.utf16.size() / 2);
    EXPECT_EQ(CTextEncoding::FromUtf16LE(c.utf16), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf16Mapping,
    ::testing::Values(Utf16Case { "", "" }, Utf16Case { "A", std::string("A\0", 2) },
        Utf16Case { "\u00E9", std::string("\xE9\0", 2) }, Utf16Case { "\u20AC", "\xAC\x20" },
        Utf16Case { "\u03A9x", std::string("\xA9\x03x\0", 4) },
        Utf16Case { "\U0001F600", std::string("\x3D\xD8\x00\xDE", 4) },
        Utf16Case { "\U0010FFFF", "\xFF\xDB\xFF\xDF" }));

TEST(TextEncodingTest, BrokenUtf16BecomesReplacementCharacters)
{
    EXPECT_EQ(CTextEncoding::FromUtf16LE(std::string("\x3D\xD8"
                                                     "A\0",
                  4)),
        "\uFFFDA"); // lone high surrogate
    EXPECT_EQ(CTextEncoding::FromUtf16LE(std::string("\x00\xDE", 2)), "\uFFFD"); // lone low surrogate
    EXPECT_EQ(CTextEncoding::FromUtf16LE(std::string("A\0B", 3)), "A\uFFFD"); // half a unit
}

struct Utf8Case {
    std::string bytes;
    bool valid;
    const char* lenient;
};

class Utf8Validity : public ::testing::TestWithParam<Utf8Case> { };

TEST_P(Utf8Validity, ValidatesAndRepairs)
{
    const auto& c = GetParam();
    EXPECT_EQ(CTextEncoding::IsValidUtf8(c.bytes), c.valid);
    EXPECT_EQ(CTextEncoding::ToUtf8Lenient(c.bytes), c.lenient);
}

INSTANTIATE_TEST_SUITE_P(Sequences, Utf8Validity,
    ::testing::Values(Utf8Case { "plain", true, "plain" }, Utf8Case { "caf\xC3\xA9", true, "caf\u00E9" },
        Utf8Case { "\xF0\x9F\x98\x80", true, "\U0001F600" }, Utf8Case { "caf\xE9", false, "caf\u00E9" },
        Utf8Case { "\x80", false, "\u20AC" }, Utf8Case { "\xC0\x80", false, "\u00C0\u20AC" }, // overlong
        Utf8Case { "\xED\xA0\x80", false, "\u00ED\u00A0\u20AC" }, // surrogate
        Utf8Case { "\xF4\x90\x80\x80", false, "\u00F4\u0090\u20AC\u20AC" }, // above U+10FFFF
        Utf8Case { "\xE2\x82", false, "\u00E2\u201A" })); // cut short

TEST(TextEncodingTest, InvalidUtf8KeepsItsBytesThroughWindows1252)
{
    const std::string latin = "Stra\xDF"
                              "e \x80 caf\xC3\xA9";
    EXPECT_TRUE(CTextEncoding::FitsWindows1252(latin));
    EXPECT_EQ(CTextEncoding::ToWindows1252(latin),
        "Stra\xDF"
        "e \x80 caf\xE9");
}

} // namespace
