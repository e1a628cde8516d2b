// A save that fails part-way (the disk fills up) reports the failure,
// leaves the previous file byte for byte as it was and no temporary file
// behind, and the next save succeeds once there is room again: with the
// write limit of the atomic write at every 4 KiB step of each file, and on
// a real full file system (a small tmpfs) where the machine lets us mount
// one.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

#include "SaveTargets.h"
#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vemotest::SaveTarget;

constexpr std::int64_t kStep = 4096;

bool HasTempFiles(const std::string& path)
{
    const std::string prefix = fs::path(CFileUtils::TempFilePrefix(path)).filename().string();
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            return true;
    return false;
}

struct WriteLimitOff {
    ~WriteLimitOff() { CFileUtils::SetWriteLimitForTesting(-1); }
};

struct FailCase {
    const char* name;
    std::unique_ptr<SaveTarget> (*make)();
};

class SaveFailsAtEveryStep : public ::testing::TestWithParam<FailCase> { };

TEST_P(SaveFailsAtEveryStep, KeepsThePreviousFileWhole)
{
    std::unique_ptr<SaveTarget> target = GetParam().make();
    vemotest::ScratchDir dir;
    const std::string path = dir.File("data");
    std::string error;
    WriteLimitOff off;
    const std::int64_t newSize = static_cast<std::int64_t>(target->Bytes(1).size());
    ASSERT_TRUE(target->Save(path, 0, error)) << error;

    int failurePoints = 0;
    for (std::int64_t limit = 0; limit < newSize; limit += kStep) {
        CFileUtils::SetWriteLimitForTesting(limit);
        error.clear();
        EXPECT_FALSE(target->Save(path, 1, error)) << "limit " << limit;
        EXPECT_FALSE(error.empty()) << "limit " << limit;
        ASSERT_EQ(vemotest::ReadAll(path), target->Bytes(0)) << "limit " << limit;
        EXPECT_FALSE(HasTempFiles(path)) << "limit " << limit;
        ++failurePoints;

        // Once there is room the same save goes through (shown at a sample
        // of the steps: each is a whole save).
        if (limit % (16 * kStep) == 0 || limit + kStep >= newSize) {
            CFileUtils::SetWriteLimitForTesting(-1);
            ASSERT_TRUE(target->Save(path, 1, error)) << error << "; after limit " << limit;
            ASSERT_EQ(vemotest::ReadAll(path), target->Bytes(1));
            ASSERT_TRUE(target->Save(path, 0, error)) << error;
        }
    }
    // A limit the whole file fits in is no failure.
    CFileUtils::SetWriteLimitForTesting(newSize);
    EXPECT_TRUE(target->Save(path, 0, error)) << error;
    EXPECT_EQ(vemotest::ReadAll(path), target->Bytes(0));
    std::cout << "[ figures  ] " << target->Name() << ": " << failurePoints << " failure points of a " << newSize
              << "-byte file\n";
}

INSTANTIATE_TEST_SUITE_P(Files, SaveFailsAtEveryStep,
    ::testing::Values(FailCase { "Library1000Items", [] { return vemotest::MakeLibraryTarget(1000); } },
        FailCase { "SharedData", [] { return vemotest::MakeSharedDataTarget(300); } },
        FailCase { "Settings", [] { return vemotest::MakeSettingsTarget(); } }),
    [](const auto& info) { return std::string(info.param.name); });

// A tmpfs of 64 KiB, unmounted again when the test ends.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const std::string& where)
        : m_where(where)
    {
        fs::create_directories(where);
        m_mounted = ::mount("vemotest", where.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0700") == 0;
        m_error = m_mounted ? 0 : errno;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount2(m_where.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return m_mounted; }
    int Error() const { return m_error; }

private:
    std::string m_where;
    bool m_mounted = false;
    int m_error = 0;
};

// Fills the file system with one file until no byte more fits.
void FillUp(const std::string& filler)
{
    int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const std::string block(1024, 'x');
    for (;;) {
        ssize_t n = ::write(fd, block.data(), block.size());
        if (n < 0 && errno == ENOSPC)
            break;
        ASSERT_GT(n, 0) << std::strerror(errno);
    }
    // The last bytes of a page still fit one by one.
    while (::write(fd, "x", 1) == 1) { }
    ::close(fd);
}

class FullFileSystem : public ::testing::TestWithParam<FailCase> { };

TEST_P(FullFileSystem, SaveFailsCleanlyAndSucceedsOnceThereIsRoom)
{
    vemotest::TempDir dir;
    SmallFileSystem small(dir.File("small"));
    if (!small.Mounted())
        GTEST_SKIP() << "no tmpfs could be mounted here: " << std::strerror(small.Error());
    std::unique_ptr<SaveTarget> target = GetParam().make();
    ASSERT_LT(target->Bytes(0).size() + target->Bytes(1).size(), 60u * 1024) << "the files must fit the tmpfs";
    const std::string path = dir.File("small/data");
    const std::string filler = dir.File("small/filler");
    std::string error;

    ASSERT_TRUE(target->Save(path, 0, error)) << error;
    FillUp(filler);
    error.clear();
    EXPECT_FALSE(target->Save(path, 1, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(vemotest::ReadAll(path), target->Bytes(0));
    EXPECT_FALSE(HasTempFiles(path));
    EXPECT_TRUE(target->Load(path, error)) << error;

    ASSERT_TRUE(fs::remove(filler));
    EXPECT_TRUE(target->Save(path, 1, error)) << error;
    EXPECT_EQ(vemotest::ReadAll(path), target->Bytes(1));
}

INSTANTIATE_TEST_SUITE_P(Files, FullFileSystem,
    ::testing::Values(FailCase { "Library", [] { return vemotest::MakeLibraryTarget(24); } },
        FailCase { "SharedData", [] { return vemotest::MakeSharedDataTarget(40); } },
        FailCase { "Settings", [] { return vemotest::MakeSettingsTarget(); } }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
