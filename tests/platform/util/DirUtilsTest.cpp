#include "platform/util/DirUtils.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <vector>

#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

using vemotest::TempDir;
using vemotest::WriteAll;

namespace {

std::vector<CString> List(const CString& dir, const CString& ext)
{
    CStringList names;
    CDirUtils::ListFiles(dir, ext, names);
    return std::vector<CString>(names.begin(), names.end());
}

TEST(DirUtils, TrailingSeparator)
{
    for (auto [in, out] : std::vector<std::pair<CString, CString>> {
             { "", "" }, { "/", "/" }, { "/a", "/a/" }, { "/a/", "/a/" }, { "rel", "rel/" } }) {
        EXPECT_EQ(CDirUtils::WithTrailingSeparator(in), out);
        CString path = in;
        CDirUtils::EnsureTrailingBackslash(path);
        EXPECT_EQ(path, out);
    }
}

TEST(DirUtils, CreateNestedAndTestExistence)
{
    TempDir dir;
    const CString nested = dir.File("a/b/c");
    EXPECT_FALSE(CDirUtils::DoesDirExist(nested));
    EXPECT_TRUE(CDirUtils::CreateDir(nested));
    EXPECT_TRUE(CDirUtils::DoesDirExist(nested));
    EXPECT_TRUE(CDirUtils::DoesDirExist(nested + "/"));
    EXPECT_TRUE(CDirUtils::CreateDir(nested)); // already there

    WriteAll(dir.File("file"), "x");
    EXPECT_FALSE(CDirUtils::DoesDirExist(dir.File("file")));
    EXPECT_FALSE(CDirUtils::CreateDir(dir.File("file")));
    EXPECT_FALSE(CDirUtils::CreateDir(dir.File("file/sub")));
    EXPECT_FALSE(CDirUtils::CreateDir(""));
    EXPECT_FALSE(CDirUtils::DoesDirExist(""));
}

TEST(DirUtils, ListFilesByExtensionSorted)
{
    TempDir dir;
    for (const char* name : { "b.htm", "a.HTM", "c.html", "d.htm.bak", "noext", ".htm", "Z.htm" })
        WriteAll(dir.File(name), "x");
    ASSERT_TRUE(CDirUtils::CreateDir(dir.File("folder.htm")));
    ASSERT_EQ(::symlink(dir.File("b.htm").c_str(), dir.File("link.htm").c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("gone").c_str(), dir.File("dangling.htm").c_str()), 0);

    EXPECT_EQ(List(dir.Path(), "htm"), (std::vector<CString> { "Z.htm", "a.HTM", "b.htm", "link.htm" }));
    EXPECT_EQ(List(dir.Path(), "HTML"), std::vector<CString> { "c.html" });
    EXPECT_EQ(List(dir.Path() + "/", ""),
        (std::vector<CString> { ".htm", "Z.htm", "a.HTM", "b.htm", "c.html", "d.htm.bak", "link.htm", "noext" }));
    EXPECT_TRUE(List(dir.File("missing"), "").empty());

    // Names are appended to what the list holds.
    CStringList names;
    names.AddTail("first");
    CDirUtils::ListFiles(dir.Path(), "html", names);
    EXPECT_EQ(std::vector<CString>(names.begin(), names.end()), (std::vector<CString> { "first", "c.html" }));
}

TEST(DirUtils, DeleteDirRemovesTreeButNotLinkTargets)
{
    TempDir dir;
    ASSERT_TRUE(CDirUtils::CreateDir(dir.File("keep")));
    WriteAll(dir.File("keep/precious"), "x");
    ASSERT_TRUE(CDirUtils::CreateDir(dir.File("gone/sub")));
    WriteAll(dir.File("gone/sub/f"), "x");
    ASSERT_EQ(::symlink(dir.File("keep").c_str(), dir.File("gone/link").c_str()), 0);

    EXPECT_TRUE(CDirUtils::DeleteDir(dir.File("gone")));
    EXPECT_FALSE(CDirUtils::DoesDirExist(dir.File("gone")));
    EXPECT_TRUE(CFileUtils::DoesFileExist(dir.File("keep/precious")));

    // A link to a folder is not a folder to empty.
    ASSERT_EQ(::symlink(dir.File("keep").c_str(), dir.File("alias").c_str()), 0);
    EXPECT_FALSE(CDirUtils::DeleteDir(dir.File("alias")));
    EXPECT_TRUE(CFileUtils::DoesFileExist(dir.File("keep/precious")));

    EXPECT_FALSE(CDirUtils::DeleteDir(dir.File("missing")));
    EXPECT_FALSE(CDirUtils::DeleteDir(dir.File("keep/precious")));
    EXPECT_FALSE(CDirUtils::DeleteDir(""));
    EXPECT_FALSE(CDirUtils::DeleteDir("//"));
}

} // namespace
