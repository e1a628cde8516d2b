#include <gtest/gtest.h>

#include "data/store/LibraryIDSettings.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

CLibraryIDSettings Format(const CString& prefix, int digits, const CString& postfix)
{
    CLibraryIDSettings settings;
    settings.SetPrefix(prefix);
    settings.SetDigitCount(digits);
    settings.SetPostfix(postfix);
    return settings;
}

struct IDCase {
    const char* prefix;
    int digits;
    const char* postfix;
    int number;
    const char* id;
};

class LibraryIDTest : public testing::TestWithParam<IDCase> { };

TEST_P(LibraryIDTest, FormatsAndReadsBack)
{
    const IDCase& c = GetParam();
    const CLibraryIDSettings settings = Format(c.prefix, c.digits, c.postfix);
    EXPECT_EQ(settings.FormatID(c.number), c.id);
    if (c.number > 0) {
        EXPECT_EQ(settings.ParseNumberFromID(c.id), c.number);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LibraryIDTest,
    testing::Values(IDCase { "BK", 4, "", 7, "BK0007" }, IDCase { "BK", 4, "", 0, "" }, IDCase { "BK", 4, "", -3, "" },
        IDCase { "", 1, "", 42, "42" }, IDCase { "", 3, "", 12345, "12345" }, IDCase { "CD-", 3, "/A", 9, "CD-009/A" },
        IDCase { "V", 2, "x", 12, "V12x" }));

struct ParseCase {
    const char* id;
    int number;
};

class ParseNumberFromIDTest : public testing::TestWithParam<ParseCase> { };

TEST_P(ParseNumberFromIDTest, CutsPrefixAndPostfixWherePresent)
{
    const CLibraryIDSettings settings = Format("BK", 4, "-7");
    EXPECT_EQ(settings.ParseNumberFromID(GetParam().id), GetParam().number) << GetParam().id;
}

INSTANTIATE_TEST_SUITE_P(Table, ParseNumberFromIDTest,
    testing::Values(ParseCase { "", 0 }, ParseCase { "   ", 0 }, ParseCase { "BK0012-7", 12 },
        ParseCase { "bk0012-7", 12 }, ParseCase { "0012", 12 }, ParseCase { "X15", 15 }, ParseCase { "BK0003", 3 }));

TEST(LibraryIDSettingsTest, RecordHoldsOnlyThePersistedFields)
{
    CLibraryIDSettings settings = Format("BK", 4, "z");
    settings.SetAutoGenerate(true);
    settings.SetRenumberAll(true);
    settings.SetClearAll(true);
    settings.SetApplyChangesToAll(true);
    settings.SetRenumberSortOrder("Title");
    const std::string bytes = StoreBytes(settings);
    EXPECT_EQ(bytes,
        std::string("\x01\x00\x01\x00\x04\x00\x00\x00\x02"
                    "BK\x01z",
            13));

    CLibraryIDSettings read;
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_TRUE(read == settings);
    EXPECT_FALSE(read.GetRenumberAll() || read.GetClearAll() || read.GetApplyChangesToAll());
    EXPECT_EQ(read.GetRenumberSortOrder(), "");

    std::string zeroDigits = bytes;
    zeroDigits[4] = 0;
    LoadBytes(read, zeroDigits);
    EXPECT_EQ(read.GetDigitCount(), 1);

    CLibraryIDSettings target;
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_TRUE(target == CLibraryIDSettings());
}

} // namespace
