#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
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

    // Not 0600: that is the temporary file's own mode.
    for (mode_t mode : { 0640, 0604, 0444 }) {
        ::chmod(path.c_str(), mode);
        ASSERT_TRUE(CFileUtils::WriteFileAtomic(path, m_new, &error)) << error;
        EXPECT_EQ(vemotest::ReadAll(path), m_new);
        struct stat st { };
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
    EXPECT_EQ(CountTempFiles(path), 0);
}

// A file that may hold a key: no one but its owner may read it, whether it
// is new or replaces a file others could read.
TEST_F(AtomicFileTest, OwnerOnlyFilesLoseGroupAndOtherPermissions)
{
    const std::string path = m_dir.File("settings.dat");
    auto modeOf = [&path] {
        struct stat st { };
        EXPECT_EQ(::stat(path.c_str(), &st), 0);
        return st.st_mode & 07777;
    };
    CString error;
    ASSERT_TRUE(CFileUtils::WriteOwnerOnlyFileAtomic(path, m_old, &error)) << error;
    EXPECT_EQ(modeOf(), 0600u);
    for (auto [before, after] : { std::pair<mode_t, mode_t> { 0644, 0600 }, { 0440, 0400 }, { 0700, 0700 } }) {
        ::chmod(path.c_str(), before);
        ASSERT_TRUE(CFileUtils::WriteOwnerOnlyFileAtomic(path, m_new, &error)) << error;
        EXPECT_EQ(vemotest::ReadAll(path), m_new);
        EXPECT_EQ(modeOf(), after) << std::oct << before;
    }
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
    const std::string prefix = CFileUtils::TempFilePrefix(path);
    vemotest::WriteAll(path, m_old);
    // Leftovers, whatever process id they name: ours (a pid used again
    // after a restart) as well as one no process has.
    const std::string leftovers[]
        = { prefix + "2147483646-0badf00d", prefix + std::to_string(::getpid()) + "-00c0ffee" };
    for (const std::string& leftover : leftovers)
        vemotest::WriteAll(leftover, "partial");
    // Not ours: libraries whose names look like the old temporary names,
    // other suffixes, the temporary file of another target, and a link and
    // a folder named like leftovers.
    const std::string kept[] = { m_dir.File("lib.vly.tmp-old.vly"), m_dir.File("lib.vly.tmp-1-2-0badf00d"),
        prefix + "x", prefix + "1-0badf00d.vly", prefix + "1-0BADF00D", prefix + "-0badf00d",
        CFileUtils::TempFilePrefix(m_dir.File("other.vly")) + "1-0badf00d", m_dir.File("lib.vly.bak") };
    for (const std::string& name : kept)
        vemotest::WriteAll(name, "keep");
    ASSERT_EQ(::symlink(path.c_str(), (prefix + "2-0badf00d").c_str()), 0);
    fs::create_directory(prefix + "3-0badf00d");

    EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(path), 2);
    for (const std::string& leftover : leftovers)
        EXPECT_FALSE(fs::exists(leftover)) << leftover;
    for (const std::string& name : kept)
        EXPECT_EQ(vemotest::ReadAll(name), "keep") << name;
    EXPECT_TRUE(fs::is_symlink(prefix + "2-0badf00d"));
    EXPECT_TRUE(fs::is_directory(prefix + "3-0badf00d"));
    EXPECT_EQ(vemotest::ReadAll(path), m_old);
    EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(m_dir.File("none/lib.vly")), 0);

    // Across a folder the same rule holds for every target.
    EXPECT_EQ(CFileUtils::RemoveStaleTempFilesIn(m_dir.Path()), 1);
    EXPECT_FALSE(fs::exists(CFileUtils::TempFilePrefix(m_dir.File("other.vly")) + "1-0badf00d"));
    EXPECT_EQ(vemotest::ReadAll(m_dir.File("lib.vly.tmp-1-2-0badf00d")), "keep");
}

// A temporary file whose writer holds its lock is a save at work, even when
// it carries this process's id; once the lock is gone it is a leftover.
TEST_F(AtomicFileTest, KeepsTheTempFileOfASaveInProgress)
{
    const std::string path = m_dir.File("lib.vly");
    const std::string inProgress = CFileUtils::TempFilePrefix(path) + std::to_string(::getpid()) + "-0abc0def";
    vemotest::WriteAll(inProgress, "partial");
    int writer = ::open(inProgress.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);

    EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(path), 0);
    EXPECT_EQ(CFileUtils::RemoveStaleTempFilesIn(m_dir.Path()), 0);
    CString error;
    EXPECT_TRUE(CFileUtils::WriteFileAtomic(path, m_new, &error)) << error;
    EXPECT_TRUE(fs::exists(inProgress));

    ::close(writer);
    EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(path), 1);
    EXPECT_FALSE(fs::exists(inProgress));
}

// A library that is a link stays one, however the link is written: the
// file it points to gets the new content (with its permissions), and the
// temporary file is made beside it. What is no regular file is refused.
TEST_F(AtomicFileTest, SavesThroughALinkToTheFileItPointsTo)
{
    fs::create_directory(m_dir.File("real"));
    const std::string real = m_dir.File("real/lib.vly");
    ASSERT_EQ(::symlink("real/lib.vly", m_dir.File("hop.vly").c_str()), 0);
    for (const std::string& text : { std::string("real/lib.vly"), real, std::string("hop.vly") }) {
        const std::string link = m_dir.File("lib.vly");
        ASSERT_EQ(::symlink(text.c_str(), link.c_str()), 0);
        CString error;
        ASSERT_TRUE(CFileUtils::WriteFileAtomic(link, m_old, &error)) << error;
        ::chmod(real.c_str(), 0640);
        ASSERT_TRUE(CFileUtils::WriteFileAtomic(link, m_new, &error)) << error;
        EXPECT_TRUE(fs::is_symlink(link)) << text;
        EXPECT_EQ(vemotest::ReadAll(real), m_new) << text;
        EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0640)) << text;
        EXPECT_EQ(CountTempFiles(real), 0);
        // A leftover beside the real file is found through the link.
        vemotest::WriteAll(CFileUtils::TempFilePrefix(real) + "1-0badf00d", "partial");
        EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(link), 1) << text;
        fs::remove(link);
        fs::remove(real);
    }

    const std::string fifo = m_dir.File("fifo.vly");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    CString error;
    EXPECT_FALSE(CFileUtils::WriteFileAtomic(fifo, m_new, &error));
    EXPECT_NE(error.find("not a regular file"), CString::npos) << error;
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// The temporary name must fit where the target's name does.
TEST_F(AtomicFileTest, ANameOfAnyLengthSaves)
{
    for (std::size_t length : { 200, 232, 250, 255 }) {
        const std::string path = m_dir.File(std::string(length - 4, 'x') + ".vly");
        CString error;
        EXPECT_TRUE(CFileUtils::WriteFileAtomic(path, m_new, &error)) << length << ": " << error;
        EXPECT_EQ(vemotest::ReadAll(path), m_new);
        vemotest::WriteAll(CFileUtils::TempFilePrefix(path) + "1-0badf00d", "partial");
        EXPECT_EQ(CFileUtils::RemoveStaleTempFiles(path), 1) << length;
        fs::remove(path);
    }
}

TEST_F(AtomicFileTest, SyncDirNeedsAFolder)
{
    EXPECT_TRUE(CDirUtils::SyncDir(m_dir.Path()));
    EXPECT_FALSE(CDirUtils::SyncDir(m_dir.File("none")));
}

} // namespace
