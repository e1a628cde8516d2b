#include "platform/util/FileUtils.h"

#include <gtest/gtest.h>

#include <ctime>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>
#include <vector>

#include "platform/util/DirUtils.h"
#include "platform/util/TextEncoding.h"
#include "support/TempDir.h"

using vemotest::ReadAll;
using vemotest::TempDir;
using vemotest::WriteAll;

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

std::vector<CString> FolderNames(const CString& dir)
{
    CStringList names;
    CDirUtils::ListFiles(dir, "", names);
    return ToVector(names);
}

// ---- Reading text files as lines ----

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<CString> lines;
};

class ReadFileContentTest : public ::testing::TestWithParam<ReadCase> { };

TEST_P(ReadFileContentTest, SplitsAtEveryLineEnd)
{
    TempDir dir;
    WriteAll(dir.File("in.txt"), GetParam().bytes);
    CStringList lines = ToList({ "left over" });
    ASSERT_TRUE(CFileUtils::ReadFileContent(dir.File("in.txt"), lines));
    EXPECT_EQ(ToVector(lines), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadFileContentTest,
    ::testing::Values(ReadCase { "Empty", "", {} }, ReadCase { "NoLineEnd", "a", { "a" } },
        ReadCase { "FinalLf", "a\n", { "a" } }, ReadCase { "OnlyLf", "\n", { "" } },
        ReadCase { "OnlyCr", "\r", { "" } }, ReadCase { "EmptyMiddle", "a\n\nb", { "a", "", "b" } },
        ReadCase { "MixedEnds", "a\r\nb\rc\nd", { "a", "b", "c", "d" } },
        ReadCase { "CrCrLf", "a\r\r\nb", { "a", "", "b" } }, ReadCase { "TwoCrLf", "\r\n\r\n", { "", "" } },
        ReadCase { "Bom", "\xEF\xBB\xBFx\ny\n", { "x", "y" } }, ReadCase { "BomOnly", "\xEF\xBB\xBF", {} },
        ReadCase { "Utf8", "Caf\xC3\xA9\n", { "Caf\xC3\xA9" } },
        ReadCase { "Windows1252", "Caf\xE9 \x80\n", { "Caf\xC3\xA9 \xE2\x82\xAC" } }),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(FileUtilsRead, MissingFileReportsAndKeepsList)
{
    TempDir dir;
    CStringList lines = ToList({ "kept" });
    CString error;
    EXPECT_FALSE(CFileUtils::ReadFileContent(dir.File("missing.txt"), lines, &error));
    EXPECT_NE(error.find("missing.txt"), CString::npos);
    EXPECT_EQ(ToVector(lines), std::vector<CString> { "kept" });
    std::string bytes;
    EXPECT_FALSE(CFileUtils::ReadFileBytes(dir.Path(), bytes));
}

// Whatever a name leads to, the read answers with an error that says what
// is wrong, without hanging, and without allocating for what it refuses.
TEST(FileUtilsRead, WhatCannotBeAFileToReadIsRefusedFirst)
{
    TempDir dir;
    const std::string fifo = dir.File("fifo.vly");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.File("huge.vly");
    WriteAll(huge, "");
    // Sparse: no disk is used.
    ASSERT_EQ(::truncate(huge.c_str(), CFileUtils::MAX_READ_BYTES + 1), 0);
    const std::string link = dir.File("zero.vly");
    ASSERT_EQ(::symlink("/dev/zero", link.c_str()), 0);

    const std::pair<std::string, std::string> cases[] = {
        { dir.Path(), "Is a directory" },
        { fifo, "not a regular file" },
        { "/dev/zero", "not a regular file" },
        { link, "not a regular file" },
        { huge, "too large (2147483649 bytes" },
    };
    for (const auto& [path, reason] : cases) {
        std::string bytes = "kept";
        CString error;
        EXPECT_FALSE(CFileUtils::ReadFileBytes(path, bytes, &error)) << path;
        EXPECT_NE(error.find(reason), CString::npos) << path << ": " << error;
        EXPECT_NE(error.find(path), CString::npos) << error;
        EXPECT_EQ(bytes, "kept");
    }
}

// ---- Writing lines and comparing content ----

TEST(FileUtilsWrite, WrittenLinesReadBackAndCompareIdentical)
{
    TempDir dir;
    const CString path = dir.File("page.htm");
    const CStringList lines = ToList({ "<html>", "", "Zoë", "</html>" });
    EXPECT_FALSE(CFileUtils::IsContentIdentical(path, lines));

    ASSERT_TRUE(CFileUtils::WriteFileContent(path, lines));
    EXPECT_EQ(ReadAll(path), "<html>\n\nZoë\n</html>\n");
    CStringList back;
    ASSERT_TRUE(CFileUtils::ReadFileContent(path, back));
    EXPECT_EQ(ToVector(back), ToVector(lines));

    EXPECT_TRUE(CFileUtils::IsContentIdentical(path, lines));
    EXPECT_FALSE(CFileUtils::IsContentIdentical(path, ToList({ "<html>", "", "Zoe", "</html>" })));
    EXPECT_FALSE(CFileUtils::IsContentIdentical(path, ToList({ "<html>", "", "Zoë", "</html>", "" })));
    WriteAll(path, "<html>\r\n\r\nZoë\r\n</html>\r\n");
    EXPECT_FALSE(CFileUtils::IsContentIdentical(path, lines));
}

TEST(FileUtilsWrite, FilesIdentical)
{
    TempDir dir;
    WriteAll(dir.File("a"), "same bytes");
    WriteAll(dir.File("b"), "same bytes");
    WriteAll(dir.File("c"), "same bytez");
    WriteAll(dir.File("d"), "same");
    WriteAll(dir.File("e"), "");
    WriteAll(dir.File("f"), "");
    EXPECT_TRUE(CFileUtils::AreFilesIdentical(dir.File("a"), dir.File("b")));
    EXPECT_TRUE(CFileUtils::AreFilesIdentical(dir.File("a"), dir.File("a")));
    EXPECT_TRUE(CFileUtils::AreFilesIdentical(dir.File("e"), dir.File("f")));
    EXPECT_FALSE(CFileUtils::AreFilesIdentical(dir.File("a"), dir.File("c")));
    EXPECT_FALSE(CFileUtils::AreFilesIdentical(dir.File("a"), dir.File("d")));
    EXPECT_FALSE(CFileUtils::AreFilesIdentical(dir.File("a"), dir.File("missing")));
    EXPECT_FALSE(CFileUtils::AreFilesIdentical(dir.File("missing"), dir.File("missing")));

    // Larger than one read buffer, differing only near the end.
    std::string big(200000, 'x');
    WriteAll(dir.File("big1"), big);
    big[199990] = 'y';
    WriteAll(dir.File("big2"), big);
    EXPECT_FALSE(CFileUtils::AreFilesIdentical(dir.File("big1"), dir.File("big2")));
}

// ---- Queries ----

TEST(FileUtilsQuery, ExistenceAndSize)
{
    TempDir dir;
    WriteAll(dir.File("f"), "12345");
    WriteAll(dir.File("empty"), "");
    EXPECT_TRUE(CFileUtils::DoesFileExist(dir.File("f")));
    EXPECT_FALSE(CFileUtils::DoesFileExist(dir.Path()));
    EXPECT_FALSE(CFileUtils::DoesFileExist(dir.File("missing")));
    EXPECT_FALSE(CFileUtils::DoesFileExist(""));
    EXPECT_EQ(CFileUtils::GetFileSize(dir.File("f")), 5);
    EXPECT_EQ(CFileUtils::GetFileSize(dir.File("missing")), -1);
    EXPECT_FALSE(CFileUtils::IsFileEmpty(dir.File("f")));
    EXPECT_TRUE(CFileUtils::IsFileEmpty(dir.File("empty")));
    EXPECT_TRUE(CFileUtils::IsFileEmpty(dir.File("missing")));
}

TEST(FileUtilsQuery, MakeFileWritable)
{
    TempDir dir;
    const CString path = dir.File("ro");
    WriteAll(path, "x");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    if (::geteuid() != 0) {
        EXPECT_FALSE(CFileUtils::IsFileWritable(path));
    }
    EXPECT_TRUE(CFileUtils::MakeFileWritable(path));
    EXPECT_TRUE(CFileUtils::IsFileWritable(path));
    EXPECT_FALSE(CFileUtils::MakeFileWritable(dir.File("missing")));
    EXPECT_FALSE(CFileUtils::IsFileWritable(dir.File("missing")));
}

TEST(FileUtilsQuery, ModificationTimeIsLocalWallClock)
{
    TempDir dir;
    const CString path = dir.File("f");
    WriteAll(path, "x");
    struct tm local = {};
    local.tm_year = 2020 - 1900;
    local.tm_mon = 4;
    local.tm_mday = 6;
    local.tm_hour = 7;
    local.tm_min = 8;
    local.tm_sec = 9;
    local.tm_isdst = -1;
    struct utimbuf times;
    times.actime = times.modtime = std::mktime(&local);
    ASSERT_EQ(::utime(path.c_str(), &times), 0);

    COleDateTime when = CFileUtils::GetModificationTime(path);
    EXPECT_EQ(when.GetStatus(), COleDateTime::valid);
    // 6 May 2020 is day 43957; then 07:08:09 as a fraction of the day.
    EXPECT_NEAR(when.GetValue(), 43957.0 + (7 * 3600 + 8 * 60 + 9) / 86400.0, 1e-9);
    EXPECT_EQ(CFileUtils::GetModificationTime(dir.File("missing")).GetStatus(), COleDateTime::invalid);
}

// ---- Copy, move, delete ----

TEST(FileUtilsCopy, CopiesAndKeepsExistingTargetWhenAsked)
{
    TempDir dir;
    WriteAll(dir.File("src"), "new content");
    WriteAll(dir.File("dst"), "old content");
    CString error;
    EXPECT_FALSE(CFileUtils::CopyFile(dir.File("src"), dir.File("dst"), true, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadAll(dir.File("dst")), "old content");

    EXPECT_TRUE(CFileUtils::CopyFile(dir.File("src"), dir.File("dst"), false));
    EXPECT_EQ(ReadAll(dir.File("dst")), "new content");
    EXPECT_TRUE(CFileUtils::CopyFile(dir.File("src"), dir.File("fresh"), true));
    EXPECT_EQ(ReadAll(dir.File("fresh")), "new content");
    EXPECT_EQ(ReadAll(dir.File("src")), "new content");
    // No temporary files are left behind.
    EXPECT_EQ(FolderNames(dir.Path()), (std::vector<CString> { "dst", "fresh", "src" }));
}

TEST(FileUtilsCopy, KeepsPermissionsAndSurvivesSelfCopy)
{
    TempDir dir;
    WriteAll(dir.File("src"), "data");
    ASSERT_EQ(::chmod(dir.File("src").c_str(), 0640), 0);
    ASSERT_TRUE(CFileUtils::CopyFile(dir.File("src"), dir.File("dst"), false));
    struct stat st;
    ASSERT_EQ(::stat(dir.File("dst").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    EXPECT_TRUE(CFileUtils::CopyFile(dir.File("src"), dir.File("src"), false));
    EXPECT_EQ(ReadAll(dir.File("src")), "data");
}

TEST(FileUtilsCopy, FailuresLeaveNoTrace)
{
    TempDir dir;
    CString error;
    EXPECT_FALSE(CFileUtils::CopyFile(dir.File("missing"), dir.File("dst"), false, &error));
    EXPECT_NE(error.find("missing"), CString::npos);
    EXPECT_FALSE(CFileUtils::CopyFile(dir.Path(), dir.File("dst"), false));
    WriteAll(dir.File("src"), "data");
    ASSERT_TRUE(CDirUtils::CreateDir(dir.File("sub")));
    EXPECT_FALSE(CFileUtils::CopyFile(dir.File("src"), dir.File("sub"), false));
    EXPECT_FALSE(CFileUtils::CopyFile(dir.File("src"), dir.File("nofolder/dst"), false));
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<CString> { "src" });
}

TEST(FileUtilsMove, RenamesButNeverOverwrites)
{
    TempDir dir;
    WriteAll(dir.File("a"), "A");
    WriteAll(dir.File("b"), "B");
    CString error;
    EXPECT_FALSE(CFileUtils::MoveFile(dir.File("a"), dir.File("b"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadAll(dir.File("a")), "A");
    EXPECT_EQ(ReadAll(dir.File("b")), "B");

    EXPECT_TRUE(CFileUtils::MoveFile(dir.File("a"), dir.File("c")));
    EXPECT_FALSE(CFileUtils::DoesFileExist(dir.File("a")));
    EXPECT_EQ(ReadAll(dir.File("c")), "A");
    EXPECT_FALSE(CFileUtils::MoveFile(dir.File("a"), dir.File("d")));
}

TEST(FileUtilsMove, AcrossFileSystems)
{
    TempDir dir;
    CString other = "/dev/shm/vemo-move-XXXXXX";
    struct stat here, there;
    if (!::mkdtemp(other.data()))
        GTEST_SKIP() << "no second file system";
    ::stat(dir.Path().c_str(), &here);
    ::stat(other.c_str(), &there);
    if (here.st_dev == there.st_dev) {
        ::rmdir(other.c_str());
        GTEST_SKIP() << "temporary folders share one file system";
    }
    WriteAll(dir.File("a"), "across");
    bool moved = CFileUtils::MoveFile(dir.File("a"), other + "/a");
    CString content = ReadAll(other + "/a");
    ::unlink((other + "/a").c_str());
    ::rmdir(other.c_str());
    EXPECT_TRUE(moved);
    EXPECT_EQ(content, "across");
    EXPECT_FALSE(CFileUtils::DoesFileExist(dir.File("a")));
}

TEST(FileUtilsDelete, FilesAndLinksOnly)
{
    TempDir dir;
    WriteAll(dir.File("target"), "t");
    ASSERT_EQ(::symlink(dir.File("target").c_str(), dir.File("link").c_str()), 0);
    EXPECT_TRUE(CFileUtils::DeleteFile(dir.File("link")));
    EXPECT_TRUE(CFileUtils::DoesFileExist(dir.File("target")));
    EXPECT_TRUE(CFileUtils::DeleteFile(dir.File("target")));
    EXPECT_FALSE(CFileUtils::DoesFileExist(dir.File("target")));
    CString error;
    EXPECT_FALSE(CFileUtils::DeleteFile(dir.File("target"), &error));
    EXPECT_FALSE(error.empty());
    ASSERT_TRUE(CDirUtils::CreateDir(dir.File("sub")));
    EXPECT_FALSE(CFileUtils::DeleteFile(dir.File("sub")));
    EXPECT_TRUE(CDirUtils::DoesDirExist(dir.File("sub")));
}

// ---- Safe file names ----

struct NameCase {
    const char* name;
    CString input;
    CString expected;
};

class ReplaceBadFileCharsTest : public ::testing::TestWithParam<NameCase> { };

TEST_P(ReplaceBadFileCharsTest, GivesOneSafeName)
{
    const NameCase& c = GetParam();
    CString safe = CFileUtils::ReplaceBadFileChars(c.input);
    EXPECT_EQ(safe, c.expected);
    if (!c.input.empty()) {
        EXPECT_EQ(safe.find('/'), CString::npos);
        EXPECT_NE(safe[0], '.');
        EXPECT_LE(safe.size(), 255u);
    }
}

const CString kLongName = [] {
    CString s;
    for (int i = 0; i < 150; ++i)
        s += "é"; // 300 bytes
    return s;
}();

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceBadFileCharsTest,
    ::testing::Values(NameCase { "Plain", "Abbey Road (1969)", "Abbey Road (1969)" },
        NameCase { "Unicode", "Motörhead – Ace", "Motörhead – Ace" }, NameCase { "Empty", "", "" },
        NameCase { "ParentPath", "../x", "___x" }, NameCase { "Slash", "a/b", "a_b" },
        NameCase { "DotDot", "..", "__" }, NameCase { "Dot", ".", "_" }, NameCase { "Hidden", ".hidden", "_hidden" },
        NameCase { "InnerDotsKept", "a..b.txt", "a..b.txt" },
        NameCase { "WindowsChars", "a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i" },
        NameCase { "Controls",
            CString("a\0b\tc\nd\x7F"
                    "e",
                9),
            "a_b_c_d_e" },
        NameCase { "C1Control",
            "a\xC2\x85"
            "b",
            "a_b" },
        NameCase { "BadUtf8", "a\xFF\xC3(", "a__(" },
        NameCase { "LongKeepsExtension", kLongName + ".htm", kLongName.substr(0, 250) + ".htm" },
        NameCase { "LongOddCut", "x" + kLongName + ".htm", "x" + kLongName.substr(0, 250) + ".htm" },
        NameCase { "LongNoExtension", kLongName, kLongName.substr(0, 254) },
        NameCase { "LongHugeExtension", "a." + kLongName, "a." + kLongName.substr(0, 252) }),
    [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.name; });

TEST(ReplaceBadFileChars, ReplacementItselfMustBeSafe)
{
    EXPECT_EQ(CFileUtils::ReplaceBadFileChars("a/b", "-"), "a-b");
    EXPECT_EQ(CFileUtils::ReplaceBadFileChars("a/b", "/"), "a_b");
    EXPECT_EQ(CFileUtils::ReplaceBadFileChars("..", "."), "__");
    EXPECT_EQ(CFileUtils::ReplaceBadFileChars("a/b", ""), "ab");
    EXPECT_EQ(CFileUtils::ReplaceBadFileChars("..", ""), "_");
    EXPECT_EQ(CFileUtils::ReplaceBadFileChars("/.x", ""), "_.x");
}

// ---- Path parts ----

struct PathCase {
    CString path;
    CString nameWithExt;
    CString nameWithoutExt;
    CString dir;
    CString ext;
};

class PathPartsTest : public ::testing::TestWithParam<PathCase> { };

TEST_P(PathPartsTest, SplitsPath)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(CFileUtils::ParseFileNameFromPath(c.path, true), c.nameWithExt);
    EXPECT_EQ(CFileUtils::ParseFileNameFromPath(c.path, false), c.nameWithoutExt);
    EXPECT_EQ(CFileUtils::ParseDirFromPath(c.path), c.dir);
    EXPECT_EQ(CFileUtils::ParseExtension(c.path), c.ext);
}

INSTANTIATE_TEST_SUITE_P(Cases, PathPartsTest,
    ::testing::Values(PathCase { "/home/u/pics/cover.jpg", "cover.jpg", "cover", "/home/u/pics/", "jpg" },
        PathCase { "cover.JPG", "cover.JPG", "cover", "", "JPG" }, PathCase { "/a.b/c", "c", "c", "/a.b/", "" },
        PathCase { "/a/archive.tar.gz", "archive.tar.gz", "archive.tar", "/a/", "gz" },
        PathCase { "/a/.profile", ".profile", ".profile", "/a/", "" }, PathCase { "/a/dir/", "", "", "/a/dir/", "" },
        PathCase { "", "", "", "", "" }, PathCase { "/", "", "", "/", "" }));

} // namespace

namespace {

TEST(ReplaceBadFileChars, RandomBytesGiveValidSafeNames)
{
    std::mt19937 rng(77);
    for (int round = 0; round < 2000; ++round) {
        CString name(1 + rng() % 300, '\0');
        for (char& c : name)
            c = static_cast<char>(rng() % 4 == 0 ? '.' : rng() % 256);
        CString safe = CFileUtils::ReplaceBadFileChars(name);
        ASSERT_FALSE(safe.empty());
        ASSERT_LE(safe.size(), 255u);
        ASSERT_NE(safe[0], '.');
        ASSERT_TRUE(CTextEncoding::IsValidUtf8(safe));
        for (unsigned char c : safe)
            ASSERT_FALSE(c < 0x20 || c == 0x7F || c == '/' || c == '\\');
    }
}

} // namespace
