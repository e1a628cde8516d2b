#include "platform/util/NumberTextConv.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <clocale>
#include <cmath>
#include <limits>

namespace {

struct IntText {
    std::int64_t value;
    int width;
    const char* pad;
    bool grouping;
    const char* expected;
};

class NumberToStringForms : public ::testing::TestWithParam<IntText> { };

TEST_P(NumberToStringForms, PadsAndGroups)
{
    const IntText& c = GetParam();
    EXPECT_EQ(CNumberTextConv::NumberToString(c.value, c.width, c.pad, c.grouping), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, NumberToStringForms,
    ::testing::Values(IntText { 5, 2, "0", false, "05" }, IntText { 12, 2, "0", false, "12" },
        IntText { 123, 2, "0", false, "123" }, IntText { 7, 0, "", false, "7" }, IntText { 7, 4, "", false, "7" },
        IntText { 0, 0, "", false, "0" }, IntText { 42, 6, "0", false, "000042" },
        IntText { -5, 4, "0", false, "-005" }, IntText { -5, 4, " ", false, "  -5" },
        IntText { 5, 5, "ab", false, "abab5" },
        IntText { 42, 3, "\xC3\xA9", false,
            "\xC3\xA9"
            "42" },
        IntText { 123, 0, "", true, "123" }, IntText { 1000, 0, "", true, "1,000" },
        IntText { 1234567, 0, "", true, "1,234,567" }, IntText { -1000, 0, "", true, "-1,000" },
        IntText { 1234, 6, "0", true, "01,234" }, IntText { INT64_MIN, 0, "", false, "-9223372036854775808" },
        IntText { INT64_MIN, 0, "", true, "-9,223,372,036,854,775,808" },
        IntText { INT64_MAX, 0, "", true, "9,223,372,036,854,775,807" }));

TEST(NumberTextConv, HugeWidthIsCapped)
{
    EXPECT_EQ(CNumberTextConv::NumberToString(1, INT_MAX, "0", false).size(), 4096u);
    EXPECT_EQ(CNumberTextConv::DoubleToString(1.5, 1, false, INT_MAX, " ", false).size(), 4096u);
}

struct DoubleText {
    double value;
    int decimals;
    bool grouping;
    int width;
    const char* pad;
    bool trimZeros;
    const char* expected;
};

class DoubleToStringForms : public ::testing::TestWithParam<DoubleText> { };

TEST_P(DoubleToStringForms, RoundsGroupsPadsAndTrims)
{
    const DoubleText& c = GetParam();
    EXPECT_EQ(
        CNumberTextConv::DoubleToString(c.value, c.decimals, c.grouping, c.width, c.pad, c.trimZeros), c.expected);
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Table, DoubleToStringForms,
    ::testing::Values(DoubleText { 1234.5, 2, true, 0, "", false, "1,234.50" },
        DoubleText { 1234.5, 2, true, 0, "", true, "1,234.5" },
        DoubleText { 1234.5, 2, false, 0, "", false, "1234.50" }, DoubleText { 2.0, 2, false, 0, "", true, "2" },
        DoubleText { 3.14159, 0, false, 0, "", false, "3" }, DoubleText { 3.14159, 3, false, 0, "", false, "3.142" },
        DoubleText { 0.999, 2, false, 0, "", false, "1.00" }, DoubleText { -1.5, 1, false, 0, "", false, "-1.5" },
        DoubleText { -0.001, 2, false, 0, "", false, "0.00" }, DoubleText { -0.0, 0, false, 0, "", false, "0" },
        DoubleText { 5.5, 1, false, 6, "0", false, "0005.5" }, DoubleText { -5.5, 1, false, 6, " ", false, "  -5.5" },
        DoubleText { 7.25, -3, false, 0, "", false, "7" },
        DoubleText { 1e20, 0, true, 0, "", false, "100,000,000,000,000,000,000" },
        DoubleText { NaN, 2, false, 0, "", false, "0.00" }, DoubleText { Inf, 0, false, 0, "", false, "0" },
        DoubleText { -Inf, 2, false, 0, "", true, "0" }));

TEST(NumberTextConv, LargestDoubleIsWrittenInFull)
{
    const CString text = CNumberTextConv::DoubleToString(DBL_MAX, 2, true, 0, "", false);
    EXPECT_EQ(text.substr(0, 12), "179,769,313,");
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
    EXPECT_EQ(CNumberTextConv::GetDoubleFromString(text), DBL_MAX);
}

TEST(NumberTextConv, TextsReadBackWhatTheyWrite)
{
    for (std::int64_t value : { 0LL, 1LL, -1LL, 999LL, 1000LL, -1234567LL, static_cast<long long>(INT_MAX),
             static_cast<long long>(INT_MIN) }) {
        for (bool grouping : { false, true }) {
            const CString text = CNumberTextConv::NumberToString(value, 0, "", grouping);
            EXPECT_EQ(CNumberTextConv::GetDoubleFromString(text), static_cast<double>(value)) << text;
            if (!grouping) {
                EXPECT_EQ(CNumberTextConv::GetNumberFromString(text), value) << text;
            }
        }
        if (value > 0) {
            EXPECT_EQ(CNumberTextConv::ParseNumber(CNumberTextConv::NumberToString(value, 8, "0", false)), value);
        }
    }
    for (double value : { 0.0, 0.5, -2.25, 19.99, 1234567.891, -0.125, 1e15 + 0.5 }) {
        for (int decimals : { 0, 2, 4 }) {
            const CString text = CNumberTextConv::DoubleToString(value, decimals, true, 0, "", false);
            const double read = CNumberTextConv::GetDoubleFromString(text);
            EXPECT_EQ(CNumberTextConv::DoubleToString(read, decimals, true, 0, "", false), text);
            double strict = 0.0;
            const CString plain = CNumberTextConv::DoubleToString(value, decimals, false, 0, "", true);
            ASSERT_TRUE(CNumberTextConv::TryParseDouble(plain, strict)) << plain;
            EXPECT_EQ(strict, CNumberTextConv::GetDoubleFromString(plain)) << plain;
        }
    }
}

struct TextDouble {
    CString text;
    double expected;
};

class DoubleFromString : public ::testing::TestWithParam<TextDouble> { };

TEST_P(DoubleFromString, ReadsTheLeadingRun)
{
    const double read = CNumberTextConv::GetDoubleFromString(GetParam().text);
    EXPECT_EQ(read, GetParam().expected) << GetParam().text;
    EXPECT_FALSE(read == 0.0 && std::signbit(read)) << "negative zero from " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, DoubleFromString,
    ::testing::Values(TextDouble { "12", 12.0 }, TextDouble { "1,234.5", 1234.5 }, TextDouble { "-3.25", -3.25 },
        TextDouble { "  7", 7.0 }, TextDouble { "1.2.3", 1.2 }, TextDouble { "10b", 10.0 }, TextDouble { ".5", 0.5 },
        TextDouble { "1-2", 1.0 }, TextDouble { "2,5", 25.0 }, TextDouble { "abc", 0.0 }, TextDouble { "", 0.0 },
        TextDouble { "-", 0.0 }, TextDouble { "-0", 0.0 }, TextDouble { "+5", 0.0 },
        TextDouble { "1" + CString(400, '0'), DBL_MAX }, TextDouble { "-1" + CString(400, '0'), -DBL_MAX },
        TextDouble { "0." + CString(400, '0') + "1", 0.0 }));

struct TextInt {
    CString text;
    int expected;
};

class ParseNumberCases : public ::testing::TestWithParam<TextInt> { };

TEST_P(ParseNumberCases, TakesTheFirstRunOfDigits)
{
    EXPECT_EQ(CNumberTextConv::ParseNumber(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, ParseNumberCases,
    ::testing::Values(TextInt { "BK-0012", 12 }, TextInt { "-5", -5 }, TextInt { "ID -5", -5 }, TextInt { "abc", 0 },
        TextInt { "", 0 }, TextInt { "0012", 12 }, TextInt { "A12B34", 12 }, TextInt { "Vol. 3", 3 },
        TextInt { "\xC3\x84-7", 7 }, TextInt { "2147483647", INT_MAX }, TextInt { "2147483648", INT_MAX },
        TextInt { "-2147483648", INT_MIN }, TextInt { "-99999999999", INT_MIN }, TextInt { CString(500, '9'), INT_MAX },
        TextInt { CString(30, '0') + "42", 42 }));

class NumberFromStringCases : public ::testing::TestWithParam<TextInt> { };

TEST_P(NumberFromStringCases, ReadsLikeAtoiButSaturates)
{
    EXPECT_EQ(CNumberTextConv::GetNumberFromString(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, NumberFromStringCases,
    ::testing::Values(TextInt { " 42x", 42 }, TextInt { "-17", -17 }, TextInt { "+8", 8 }, TextInt { "x5", 0 },
        TextInt { "", 0 }, TextInt { "- 5", 0 }, TextInt { "3,5", 3 }, TextInt { "99999999999", INT_MAX },
        TextInt { "-2147483648", INT_MIN }, TextInt { "-" + CString(50, '9'), INT_MIN }));

struct StrictCase {
    CString text;
    bool ok;
    double value;
};

class TryParseIntCases : public ::testing::TestWithParam<StrictCase> { };

TEST_P(TryParseIntCases, AcceptOnlyWholeNumbersInRange)
{
    int value = 12345;
    EXPECT_EQ(CNumberTextConv::TryParseInt(GetParam().text, value), GetParam().ok) << GetParam().text;
    EXPECT_EQ(value, GetParam().ok ? GetParam().value : 12345) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, TryParseIntCases,
    ::testing::Values(StrictCase { "42", true, 42 }, StrictCase { " -7 ", true, -7 }, StrictCase { "+3", true, 3 },
        StrictCase { "007", true, 7 }, StrictCase { "2147483647", true, INT_MAX },
        StrictCase { "-2147483648", true, INT_MIN }, StrictCase { "2147483648", false, 0 },
        StrictCase { "-2147483649", false, 0 }, StrictCase { "1" + CString(30, '0'), false, 0 },
        StrictCase { "", false, 0 }, StrictCase { "  ", false, 0 }, StrictCase { "-", false, 0 },
        StrictCase { "4 2", false, 0 }, StrictCase { "4x", false, 0 }, StrictCase { "1.0", false, 0 },
        StrictCase { "--1", false, 0 }));

class TryParseDoubleCases : public ::testing::TestWithParam<StrictCase> { };

TEST_P(TryParseDoubleCases, AcceptOnlyPlainDecimals)
{
    double value = 12345.0;
    EXPECT_EQ(CNumberTextConv::TryParseDouble(GetParam().text, value), GetParam().ok) << GetParam().text;
    EXPECT_EQ(value, GetParam().ok ? GetParam().value : 12345.0) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, TryParseDoubleCases,
    ::testing::Values(StrictCase { "1.5", true, 1.5 }, StrictCase { " -0.25 ", true, -0.25 },
        StrictCase { ".5", true, 0.5 }, StrictCase { "5.", true, 5.0 }, StrictCase { "+2", true, 2.0 },
        StrictCase { "0." + CString(400, '0') + "1", true, 0.0 }, StrictCase { ".", false, 0 },
        StrictCase { "1,000", false, 0 }, StrictCase { "1e5", false, 0 }, StrictCase { "", false, 0 },
        StrictCase { "abc", false, 0 }, StrictCase { "1.2.3", false, 0 }, StrictCase { "nan", false, 0 },
        StrictCase { "inf", false, 0 }, StrictCase { "1" + CString(400, '0'), false, 0 }));

TEST(NumberTextConv, TextsIgnoreTheProcessLocale)
{
    const char* before = std::setlocale(LC_NUMERIC, nullptr);
    const CString saved = before ? before : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const CString written = CNumberTextConv::DoubleToString(1.5, 1, false, 0, "", false);
    const double read = CNumberTextConv::GetDoubleFromString("2.25");
    double strict = 0.0;
    const bool parsed = CNumberTextConv::TryParseDouble("3.5", strict);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(written, "1.5");
    EXPECT_EQ(read, 2.25);
    EXPECT_TRUE(parsed);
    EXPECT_EQ(strict, 3.5);
}

} // namespace
