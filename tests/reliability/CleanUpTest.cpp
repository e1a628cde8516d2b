// The clean-up of leftover temporary files runs at every load and save, so
// it meets saves at work in other processes and threads: it must never take
// a save's temporary file, whatever moment it comes at.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "SaveTargets.h"
#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

namespace {

TEST(CleanUpBesideASave, NeverMakesTheSaveFail)
{
    vemotest::ScratchDir dir;
    const std::string path = dir.File("data");
    const std::string contents[] = { std::string(5000, 'a'), std::string(7000, 'b') };
    std::atomic<bool> done { false };
    std::atomic<int> cleanUps { 0 };
    std::thread cleaner([&] {
        while (!done) {
            CFileUtils::RemoveStaleTempFiles(path);
            ++cleanUps;
        }
    });
    int failures = 0;
    CString error;
    for (int i = 0; i < 5000; ++i)
        failures += !CFileUtils::WriteFileAtomic(path, contents[i % 2], &error);
    done = true;
    cleaner.join();
    EXPECT_EQ(failures, 0) << error;
    EXPECT_EQ(vemotest::ReadAll(path), contents[1]);
    EXPECT_EQ(CFileUtils::RemoveStaleTempFilesIn(std::filesystem::path(path).parent_path()), 0);
    std::cout << "[ figures  ] 5000 saves beside " << cleanUps << " clean-ups\n";
}

} // namespace
