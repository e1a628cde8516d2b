// Test entry point: every test program runs with its own XDG folders under a
// temporary root, so no test ever touches the real home folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vemotest-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 2;
    setenv("VEMO_TEST_TMP", pattern.c_str(), 1);
    setenv("XDG_DATA_HOME", (pattern + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
    setenv("HOME", (pattern + "/home").c_str(), 1);
    std::filesystem::create_directories(pattern + "/home");

    ::testing::InitGoogleMock(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(pattern, ec);
    return rc;
}
