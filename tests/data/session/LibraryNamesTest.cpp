#include <gtest/gtest.h>

#include "data/session/LibraryNames.h"
#include "support/TempDir.h"

namespace {

struct NameCase {
    std::string name;
    CString message; // "" when the name is accepted
};

class NewLibraryName : public ::testing::TestWithParam<NameCase> { };

// The program's dialogs and the tool both ask CheckNewName; the first rule
// broken decides the message.
TEST_P(NewLibraryName, FirstBrokenRuleIsTold)
{
    EXPECT_EQ(
        CLibraryNames::CheckNewName(GetParam().name, CStringArray { "Stamps", "My Library" }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Cases, NewLibraryName,
    ::testing::Values(NameCase { "Coins", "" }, NameCase { "Caf\xC3\xA9 \xE2\x82\xAC", "" },
        NameCase { "STAMPS", CLibraryNames::EXISTS_MESSAGE }, NameCase { "", CLibraryNames::BLANK_MESSAGE },
        NameCase { " \t ", CLibraryNames::BLANK_MESSAGE }, NameCase { "a/b", CLibraryNames::BAD_CHARS_MESSAGE },
        NameCase { "a:b", CLibraryNames::BAD_CHARS_MESSAGE },
        NameCase { "line\nbreak", CLibraryNames::CONTROL_MESSAGE },
        NameCase { "del\x7F", CLibraryNames::CONTROL_MESSAGE },
        NameCase { "bad \xC3(", CLibraryNames::CONTROL_MESSAGE }, NameCase { ".", CLibraryNames::LEADING_DOT_MESSAGE },
        NameCase { "..", CLibraryNames::LEADING_DOT_MESSAGE },
        NameCase { ".hidden", CLibraryNames::LEADING_DOT_MESSAGE }, NameCase { "dots. inside.", "" },
        NameCase { std::string(200, 'x'), "" }, NameCase { std::string(201, 'x'), CLibraryNames::TOO_LONG_MESSAGE },
        // 100 two-byte letters fit, 101 do not.
        NameCase { [] {
                      std::string s;
                      for (int i = 0; i < 101; ++i)
                          s += "\xC3\xA9";
                      return s;
                  }(),
            CLibraryNames::TOO_LONG_MESSAGE },
        NameCase { "VemoLibrary2", CLibraryNames::RESERVED_MESSAGE },
        NameCase { "vemolibrary2", CLibraryNames::RESERVED_MESSAGE }, NameCase { "VemoLibrary2 Stamps", "" }));

TEST(LibraryNamesTest, FortyLibrariesAreTheLimit)
{
    CStringArray existing;
    for (int i = 0; i < CLibraryNames::MAX_LIBRARIES; ++i)
        existing.Add("Library " + std::to_string(i));
    EXPECT_EQ(CLibraryNames::CheckNewName("One more", existing), CLibraryNames::LIMIT_MESSAGE);
    // The name is checked first.
    EXPECT_EQ(CLibraryNames::CheckNewName("a|b", existing), CLibraryNames::BAD_CHARS_MESSAGE);
    existing.RemoveAt(0);
    EXPECT_EQ(CLibraryNames::CheckNewName("One more", existing), "");
}

TEST(LibraryNamesTest, ListsLibraryFilesAndResolvesNamesIgnoringCase)
{
    vemotest::TempDir dir;
    for (const char* file : { "b.vly", "A.vly", "c.VLY", "VemoLibrary2.dat", "d.vly.lock", "e.vly.tmp-1" })
        vemotest::WriteAll(dir.File(file), "x");
    const CString folder = dir.Path() + "/";
    EXPECT_EQ(CLibraryNames::List(folder), (CStringArray { "A", "b" }));
    EXPECT_EQ(CLibraryNames::Resolve(folder, "a"), "A");
    EXPECT_EQ(CLibraryNames::Resolve(folder, "c"), "");
}

TEST(LibraryNamesTest, NewNamesSkipNamesTakenInAnyCase)
{
    EXPECT_EQ(CLibraryNames::NewLibraryName({}), "My Library");
    EXPECT_EQ(CLibraryNames::NewLibraryName({ "my library", "My Library #2" }), "My Library #3");
    EXPECT_EQ(CLibraryNames::NewLibraryName({ "My Library", "My Library #2", "MY LIBRARY #3" }), "My Library #4");
}

} // namespace
