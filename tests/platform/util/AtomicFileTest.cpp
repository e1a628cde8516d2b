#include <gtest/gtest.h>

#include <filesystem>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

int CountTempFiles(const std::string& path)
{
    int n = 0;
    const std::string prefix = fs::path(CFileUtils::TempFilePrefix(path)).filename().string();
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            ++n;
    return n;
}

class AtomicFileTest : public ::testing::Test {
protected:
    void TearDown() override { CFileUtils::SetWriteLimitForTesting(-1); }

    vemotest::TempDir m_dir;
    const std::string m_old = std::string(5000, 'o');
    const std::string m_new = std::string(3000, 'n') + std::string(3000, '\0');
};

TEST_F(AtomicFileTest, WritesNewFileAndReplacesKeepingPermissions)
{
    const std::string path = m_dir.File("lib.vly");
    CString error;
    ASSERT_TRUE(CFileUtils::WriteFileAtomic(path, m_old, &error)) << error;
    EXPECT_EQ(vemotest::ReadAll(path), m_old);

    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(CFileUtils::WriteFileAtomic(path, m_new, &error)) << error;
    EXPECT_EQ(vemotest::ReadAll(path), m_new);
    struct stat st { };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(CountTempFiles(path), 0);
}

class FailingWrite : public AtomicFileTest, public ::testing::WithParamInterface<std::int64_t> { };

TEST_P(FailingWrite, LeavesTheOldFileWhole)
{
    const std::string path = m_dir.File("lib.vly");
    vemotest::WriteAll(path, m_old);
    CFileUtils::SetWriteLimitForTesting(GetParam());
    CString error;
    EXPECT_FALSE(CFileUtils::WriteFileAtomic(path, m_new, &error));
    EXPECT_NE(error.find("No space left on device"), CString::npos) << error;
    EXPECT_EQ(vemotest::ReadAll(path), m_old);
    EXPECT_EQ(CountTempFiles(path), 0);
}

INSTANTIATE_TEST_SUITE_P(Limits, FailingWrite, ::testing::Values(0, 1, 2999, 3000, 5999));

TEST_F(AtomicFileTest, LimitAppliesPerFile)
{
    CFileUtils::SetWriteLimitForTesting(6000);
    EXPECT_TRUE(CFileUtils::WriteFileAtomic(m_dir.File("a"), m_new));
    EXPECT_TRUE(CFileUtils::WriteFileAtomic(m_dir.File("b"), m_new));
    EXPECT_FALSE(CFileUtils::WriteFileAtomic(m_dir.File("c"), m_new + "!"));
}

TEST_F(AtomicFileTest, MissingOrUnusableFolderFailsCleanly)
{
    vemotest::WriteAll(m_dir.File("plain"), "x");
    for (const std::string& path : { m_dir.File("none/lib.vly"), m_dir.File("plain/lib.vly"), std::string() }) {
        CString error;
        EXPECT_FALSE(CFileUtils::WriteFileAtomic(path, m_new, &error)) << path;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(fs::exists(m_dir.File("none")));
    EXPECT_EQ(vemotest::ReadAll(m_dir.File("plain")), "x");
}

TEST_F(AtomicFileTest, ReadOnlyFolderKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string folder = m_dir.File("ro");
    fs::create_directory(folder);
    const std::string path = folder + "/lib.vly";
    vemotest::WriteAll(path, m_old);
    ::chmod(folder.c_str(), 0555);
    CString error;
    EXPECT_FALSE(CFileUtils::WriteFileAtomic(path, m_new, &error));
    EXPECT_NE(error.find("Permission denied"), CString::npos) << error;
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(vemotest::ReadAll(path), m_old);
    EXPECT_EQ(CountTempFiles(path), 0);
}

TEST_F(AtomicFileTest, FolderThatCannotBeListedStillSaves)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string folder = m_dir.File("wx");
    fs::create_directory(folder);
    const std::string path = folder + "/lib.vly";
    ::chmod(folder.c_str(), 0333);
    CString error;
    EXPECT_TRUE(CFileUtils::WriteFileAtomic(path, m_new, &error)) << error;
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(vemotest::ReadAll(path), m_new);
}

TEST_F(AtomicFileTest, RemovesOnlyItsOwnStaleTempFiles)
{
    const std::string path = m_dir.File("lib.vly");
    vemotest::WriteAll(path, m_old);
    // No process can have this id: the file is a leftover.
    vemotest::WriteAll(CFileUtils::TempFilePrefix(path) + "2147483646-0-abc", "partial");
    vemotest::WriteAll(CFileUtils::TempFilePrefix(path) + "x", "partial");
    vemotest::WriteAll(CFileUtils::TempFilePrefix(m_dir.File("other.vly")) + "1", "other");
    vemotest::WriteAll(m_dir.File("lib.vly.bak"), "backup");

    EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(path), 2);
    EXPECT_EQ(CountTempFiles(path), 0);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_TRUE(fs::exists(m_dir.File("lib.vly.bak")));
    EXPECT_TRUE(fs::exists(CFileUtils::TempFilePrefix(m_dir.File("other.vly")) + "1"));
    EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(m_dir.File("none/lib.vly")), 0);
}

TEST_F(AtomicFileTest, KeepsTheTempFileOfASaveInProgress)
{
    const std::string path = m_dir.File("lib.vly");
    pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        ::pause();
        ::_exit(0);
    }
    const std::string inProgress = CFileUtils::TempFilePrefix(path) + std::to_string(writer) + "-0-abc";
    vemotest::WriteAll(inProgress, "partial");

    EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(path), 0);
    EXPECT_TRUE(fs::exists(inProgress));

    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(path), 1);
    EXPECT_FALSE(fs::exists(inProgress));
}

TEST_F(AtomicFileTest, SyncDirNeedsAFolder)
{
    EXPECT_TRUE(CDirUtils::SyncDir(m_dir.Path()));
    EXPECT_FALSE(CDirUtils::SyncDir(m_dir.File("none")));
}

} // namespace
