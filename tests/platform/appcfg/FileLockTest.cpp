#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/appcfg/FileLock.h"
#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

namespace {

// Runs body in a child process and returns its exit code.
template <class Body> int InChild(Body body)
{
    pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

class FileLockTest : public ::testing::Test {
protected:
    vemotest::TempDir m_dir;
    CString m_data = m_dir.File("Stamps.vly");
    CString m_holder;
};

TEST_F(FileLockTest, HolderIsNamedInTheLockFileUntilRelease)
{
    {
        CFileLock lock;
        ASSERT_TRUE(lock.Acquire(m_data, "VemoLibrary", m_holder)) << m_holder;
        EXPECT_EQ(vemotest::ReadAll(m_data + ".lock"), std::to_string(getpid()) + "\nVemoLibrary\n");
        CString holder;
        EXPECT_TRUE(CFileLock::IsLocked(m_data, holder));
        EXPECT_EQ(holder, "VemoLibrary (process " + std::to_string(getpid()) + ")");
    }
    EXPECT_FALSE(CFileUtils::DoesFileExist(m_data + ".lock"));
    EXPECT_FALSE(CFileLock::IsLocked(m_data, m_holder));
}

TEST_F(FileLockTest, SecondAcquireFailsAndNamesTheHolder)
{
    CFileLock lock;
    ASSERT_TRUE(lock.Acquire(m_data, "VemoLibrary", m_holder));
    CString expected = "VemoLibrary (process " + std::to_string(getpid()) + ")";

    int rc = InChild([&] {
        CFileLock other;
        CString holder;
        if (other.Acquire(m_data, "vemolibrary-cli", holder))
            return 1;
        return holder == expected ? 0 : 2;
    });
    EXPECT_EQ(rc, 0);

    CFileLock sameProcess;
    EXPECT_FALSE(sameProcess.Acquire(m_data, "VemoLibrary", m_holder));
    EXPECT_EQ(m_holder, expected);
    EXPECT_TRUE(lock.IsHeld());
}

TEST_F(FileLockTest, LockOfAProcessThatIsGoneIsTakenOver)
{
    // The child dies holding the lock, leaving its file behind.
    int rc = InChild([&] {
        CFileLock* leaked = new CFileLock;
        CString holder;
        return leaked->Acquire(m_data, "crashed", holder) ? 0 : 1;
    });
    ASSERT_EQ(rc, 0);
    ASSERT_TRUE(CFileUtils::DoesFileExist(m_data + ".lock"));
    EXPECT_FALSE(CFileLock::IsLocked(m_data, m_holder));

    CFileLock lock;
    EXPECT_TRUE(lock.Acquire(m_data, "VemoLibrary", m_holder)) << m_holder;
    EXPECT_EQ(vemotest::ReadAll(m_data + ".lock"), std::to_string(getpid()) + "\nVemoLibrary\n");
}

TEST_F(FileLockTest, ReleasedLockCanBeTakenByAnother)
{
    CFileLock first;
    ASSERT_TRUE(first.Acquire(m_data, "VemoLibrary", m_holder));
    first.Release();
    EXPECT_EQ(InChild([&] {
        CFileLock second;
        CString holder;
        return second.Acquire(m_data, "vemolibrary-cli", holder) ? 0 : 1;
    }),
        0);
}

} // namespace
