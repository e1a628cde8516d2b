#include "platform/util/AppLogger.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

using vemotest::ReadAll;
using vemotest::TempDir;

namespace {

constexpr const char* kGuid = "{50656B09-3819-4EF4-81AE-EFE74EB9065F}";

// Every test starts from a fresh logger and leaves none behind.
class AppLoggerTest : public ::testing::Test {
protected:
    void SetUp() override { CAppLogger::DeleteInstance(); }
    void TearDown() override { CAppLogger::DeleteInstance(); }
};

TEST_F(AppLoggerTest, DefaultFileIsInDataDirectory)
{
    CAppLogger* logger = CAppLogger::GetInstance();
    ASSERT_NE(logger, nullptr);
    EXPECT_EQ(logger, CAppLogger::GetInstance());
    EXPECT_EQ(logger->GetLogFile(), CString(std::getenv("XDG_DATA_HOME")) + "/VemoLibrary/VemoLibrary.log");
}

TEST_F(AppLoggerTest, ForceWriteAppendsPendingLinesOnce)
{
    TempDir dir;
    const CString path = dir.File("new/folder/VemoLibrary.log");
    CAppLogger* logger = CAppLogger::GetInstance();
    logger->SetLogFile(path);
    EXPECT_TRUE(logger->ForceWrite()); // nothing pending: nothing to do
    EXPECT_FALSE(CFileUtils::DoesFileExist(path));

    logger->AddLine(kGuid);
    logger->AddLine("two\nlines");
    EXPECT_TRUE(logger->ForceWrite());
    EXPECT_TRUE(logger->ForceWrite());
    logger->AddLine("third");
    EXPECT_TRUE(logger->ForceWrite());

    const std::regex line(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} (.*))");
    CStringList written;
    ASSERT_TRUE(CFileUtils::ReadFileContent(path, written));
    std::vector<CString> texts;
    for (const CString& l : written) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(l, m, line)) << l;
        texts.push_back(m[1]);
    }
    EXPECT_EQ(texts, (std::vector<CString> { kGuid, "two lines", "third" }));
    EXPECT_EQ(logger->GetLines().GetCount(), 3);
}

TEST_F(AppLoggerTest, UnwritableLogKeepsLinesForLater)
{
    TempDir dir;
    const CString path = dir.File("blocked/VemoLibrary.log");
    vemotest::WriteAll(dir.File("blocked"), "a file where the folder should be");
    CAppLogger* logger = CAppLogger::GetInstance();
    logger->SetLogFile(path);
    logger->AddLine(kGuid);
    EXPECT_FALSE(logger->ForceWrite());

    ASSERT_TRUE(CFileUtils::DeleteFile(dir.File("blocked")));
    EXPECT_TRUE(logger->ForceWrite());
    EXPECT_NE(ReadAll(path).find(kGuid), std::string::npos);
}

// A log planted as a link or a second name of another file must not have
// that file appended to, nor may a FIFO hang the program.
TEST_F(AppLoggerTest, APlantedLogIsNeverWrittenThrough)
{
    TempDir dir;
    const CString path = dir.File("VemoLibrary.log");
    const CString victim = dir.File("victim.txt");
    using Plant = int (*)(const char*, const char*);
    const std::pair<const char*, Plant> plants[] = {
        { "symbolic link", [](const char* v, const char* at) { return ::symlink(v, at); } },
        { "hard link", [](const char* v, const char* at) { return ::link(v, at); } },
        { "FIFO", [](const char*, const char* at) { return ::mkfifo(at, 0600); } },
    };
    CAppLogger* logger = CAppLogger::GetInstance();
    logger->SetLogFile(path);
    for (const auto& [what, plant] : plants) {
        vemotest::WriteAll(victim, "precious\n");
        ASSERT_EQ(plant(victim.c_str(), path.c_str()), 0) << what;
        logger->AddLine(kGuid);
        EXPECT_FALSE(logger->ForceWrite()) << what;
        EXPECT_EQ(ReadAll(victim), "precious\n") << what;
        ASSERT_EQ(::unlink(path.c_str()), 0);
    }
    // The lines wait for a log that can be written.
    EXPECT_TRUE(logger->ForceWrite());
    EXPECT_NE(ReadAll(path).find(kGuid), std::string::npos);
}

TEST_F(AppLoggerTest, DestructionWritesPendingLines)
{
    TempDir dir;
    const CString path = dir.File("VemoLibrary.log");
    CAppLogger::GetInstance()->SetLogFile(path);
    CAppLogger::GetInstance()->AddLine("at exit");
    CAppLogger::DeleteInstance();
    EXPECT_NE(ReadAll(path).find("at exit"), std::string::npos);
}

TEST_F(AppLoggerTest, VemoLogWritesAtOnce)
{
    TempDir dir;
    const CString path = dir.File("VemoLibrary.log");
    CAppLogger::GetInstance()->SetLogFile(path);
    VemoLog(kGuid);
    EXPECT_NE(ReadAll(path).find(kGuid), std::string::npos);
}

TEST_F(AppLoggerTest, ThreadsLoseNoLine)
{
    TempDir dir;
    const CString path = dir.File("VemoLibrary.log");
    CAppLogger::GetInstance()->SetLogFile(path);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 50; ++i) {
                CAppLogger::GetInstance()->AddLine("t" + std::to_string(t) + " " + std::to_string(i));
                if (i % 10 == 0)
                    CAppLogger::GetInstance()->ForceWrite();
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_TRUE(CAppLogger::GetInstance()->ForceWrite());
    CStringList lines;
    ASSERT_TRUE(CFileUtils::ReadFileContent(path, lines));
    EXPECT_EQ(lines.GetCount(), 200);
    EXPECT_EQ(CAppLogger::GetInstance()->GetLines().GetCount(), 200);
}

} // namespace
