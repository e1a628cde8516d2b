#include <gtest/gtest.h>
#include <sys/stat.h>
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

// Acquire's answer as one text for the checks that need only success.
CString Failure(const CFileLock::CResult& result)
{
    return result.Acquired() ? CString() : result.holder + result.error;
}

TEST_F(FileLockTest, HolderIsNamedInTheLockFileUntilRelease)
{
    {
        CFileLock lock;
        const CFileLock::CResult result = lock.Acquire(m_data, "VemoLibrary");
        ASSERT_TRUE(result.Acquired()) << Failure(result);
        EXPECT_EQ(vemotest::ReadAll(m_data + ".lock"), std::to_string(getpid()) + "\nVemoLibrary\n");
        CString holder;
        EXPECT_TRUE(CFileLock::IsLocked(m_data, holder));
        EXPECT_EQ(holder, "VemoLibrary (process " + std::to_string(getpid()) + ")");
    }
    EXPECT_FALSE(CFileUtils::DoesFileExist(m_data + ".lock"));
    EXPECT_FALSE(CFileLock::IsLocked(m_data, m_holder));
}

TEST_F(FileLockTest, SecondAcquireIsHeldElsewhereAndNamesTheHolder)
{
    CFileLock lock;
    ASSERT_TRUE(lock.Acquire(m_data, "VemoLibrary").Acquired());
    CString expected = "VemoLibrary (process " + std::to_string(getpid()) + ")";

    int rc = InChild([&] {
        CFileLock other;
        const CFileLock::CResult result = other.Acquire(m_data, "vemolibrary-cli");
        if (result.outcome != CFileLock::HELD_ELSEWHERE)
            return 1;
        return result.holder == expected && result.error.empty() ? 0 : 2;
    });
    EXPECT_EQ(rc, 0);

    CFileLock sameProcess;
    const CFileLock::CResult result = sameProcess.Acquire(m_data, "VemoLibrary");
    EXPECT_EQ(result.outcome, CFileLock::HELD_ELSEWHERE);
    EXPECT_EQ(result.holder, expected);
    EXPECT_TRUE(lock.IsHeld());
    EXPECT_FALSE(sameProcess.IsHeld());
}

TEST_F(FileLockTest, LockOfAProcessThatIsGoneIsTakenOver)
{
    // The child dies holding the lock, leaving its file behind.
    int rc = InChild([&] {
        CFileLock* leaked = new CFileLock;
        return leaked->Acquire(m_data, "crashed").Acquired() ? 0 : 1;
    });
    ASSERT_EQ(rc, 0);
    ASSERT_TRUE(CFileUtils::DoesFileExist(m_data + ".lock"));
    EXPECT_FALSE(CFileLock::IsLocked(m_data, m_holder));

    CFileLock lock;
    const CFileLock::CResult result = lock.Acquire(m_data, "VemoLibrary");
    EXPECT_TRUE(result.Acquired()) << Failure(result);
    EXPECT_EQ(vemotest::ReadAll(m_data + ".lock"), std::to_string(getpid()) + "\nVemoLibrary\n");
}

TEST_F(FileLockTest, ReleasedLockCanBeTakenByAnother)
{
    CFileLock first;
    ASSERT_TRUE(first.Acquire(m_data, "VemoLibrary").Acquired());
    first.Release();
    EXPECT_EQ(InChild([&] {
        CFileLock second;
        return second.Acquire(m_data, "vemolibrary-cli").Acquired() ? 0 : 1;
    }),
        0);
}

// A lock file that cannot be made is a failure that says why, never a
// holder: the caller must not tell the user to close another program.
TEST_F(FileLockTest, ALockFileThatCannotBeMadeIsAFailureNotAHolder)
{
    const std::string longName = m_dir.File(std::string(252, 'n') + ".vly");
    for (const auto& [path, reason] :
        { std::pair<std::string, std::string> { m_dir.File("none/Lib.vly"), "No such file" },
            { longName, "File name too long" } }) {
        CFileLock lock;
        const CFileLock::CResult result = lock.Acquire(path, "vemolibrary-cli");
        EXPECT_EQ(result.outcome, CFileLock::FAILED) << path;
        EXPECT_TRUE(result.holder.empty()) << result.holder;
        EXPECT_NE(result.error.find(path + ".lock: " + reason), CString::npos) << result.error;
        EXPECT_FALSE(lock.IsHeld());
    }
}

// Whoever can write the data folder must not be able to make the lock
// truncate another file of the user: a link, a second name of that file or
// something that is no file at all in the lock file's place is refused and
// left as it was.
TEST_F(FileLockTest, APlantedLockFileIsRefusedAndItsTargetUntouched)
{
    const std::string victim = m_dir.File("victim.txt");
    const std::string lockPath = CFileLock::LockPathFor(m_data);
    struct Plant {
        const char* what;
        int (*make)(const char* victim, const char* at);
        const char* reason;
    };
    const Plant plants[] = {
        { "symbolic link", [](const char* v, const char* at) { return ::symlink(v, at); }, "symbolic link" },
        { "hard link", [](const char* v, const char* at) { return ::link(v, at); }, "one name" },
        { "FIFO", [](const char*, const char* at) { return ::mkfifo(at, 0600); }, "regular file" },
    };
    for (const Plant& plant : plants) {
        vemotest::WriteAll(victim, "precious\n");
        ASSERT_EQ(plant.make(victim.c_str(), lockPath.c_str()), 0) << plant.what;
        CFileLock lock;
        const CFileLock::CResult result = lock.Acquire(m_data, "vemolibrary-cli");
        EXPECT_EQ(result.outcome, CFileLock::FAILED) << plant.what;
        EXPECT_NE(result.error.find(plant.reason), CString::npos) << plant.what << ": " << result.error;
        EXPECT_EQ(vemotest::ReadAll(victim), "precious\n") << plant.what;
        CString holder;
        EXPECT_FALSE(CFileLock::IsLocked(m_data, holder)) << plant.what;
        ::unlink(lockPath.c_str());
    }
}

} // namespace
