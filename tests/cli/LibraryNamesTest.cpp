#include <gtest/gtest.h>

#include "cli/LibraryNames.h"
#include "support/TempDir.h"

namespace {

struct NameCase {
    const char* name;
    const char* error; // "" when the name is accepted
};

class NewLibraryName : public ::testing::TestWithParam<NameCase> { };

TEST_P(NewLibraryName, IsCheckedAsTheProgramChecksIt)
{
    CString error;
    const bool accepted = CLibraryNames::CheckNewName(GetParam().name, CStringArray { "Stamps", "My Library" }, error);
    EXPECT_EQ(accepted, *GetParam().error == '\0') << error;
    EXPECT_NE(error.find(GetParam().error), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Cases, NewLibraryName,
    ::testing::Values(NameCase { "Coins", "" }, NameCase { "STAMPS", "already exists" },
        NameCase { "  ", "cannot be blank" }, NameCase { "a/b", "cannot contain" },
        NameCase { "a:b", "cannot contain" }, NameCase { "line\nbreak", "cannot contain" },
        NameCase { "VemoLibrary2", "reserved name" }));

TEST(LibraryNamesTest, FortyLibrariesAreTheLimit)
{
    CStringArray existing;
    for (int i = 0; i < CLibraryNames::MAX_LIBRARIES; ++i)
        existing.Add("Library " + std::to_string(i));
    CString error;
    EXPECT_FALSE(CLibraryNames::CheckNewName("One more", existing, error));
    EXPECT_EQ(error, CLibraryNames::LIMIT_MESSAGE);
    existing.RemoveAt(0);
    EXPECT_TRUE(CLibraryNames::CheckNewName("One more", existing, error));
}

TEST(LibraryNamesTest, ListsLibraryFilesAndResolvesNamesIgnoringCase)
{
    vemotest::TempDir dir;
    for (const char* file : { "b.vly", "A.vly", "c.VLY", "VemoLibrary2.dat", "d.vly.lock" })
        vemotest::WriteAll(dir.File(file), "x");
    const CString folder = dir.Path() + "/";
    EXPECT_EQ(CLibraryNames::List(folder), (CStringArray { "A", "b" }));
    EXPECT_EQ(CLibraryNames::Resolve(folder, "a"), "A");
    EXPECT_EQ(CLibraryNames::Resolve(folder, "c"), "");
}

} // namespace
