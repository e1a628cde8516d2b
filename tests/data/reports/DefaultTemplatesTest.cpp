#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/ReportProperties.h"
#include "data/reports/CustomWebReport.h"
#include "data/reports/WebReportGenerator.h"
#include "data/store/Library.h"
#include "support/LibraryGenerator.h"
#include "support/TempDir.h"
#include "tests/data/store/LibraryFixture.h"

namespace {

namespace fs = std::filesystem;

bool HaveTidy()
{
    return std::system("tidy -v > /dev/null 2>&1") == 0;
}

// tidy's exit status for the pages: 0 clean, 1 warnings only, 2 errors.
// Run without a shell: page names hold blanks and quotes.
int TidyErrors(const std::vector<std::string>& pages, const std::string& log, std::string& report)
{
    std::vector<std::string> args { "tidy", "-errors", "-quiet", "-utf8", "-f", log };
    args.insert(args.end(), pages.begin(), pages.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "tidy", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    report = vemotest::ReadAll(log);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class DefaultTemplatesTest : public LibraryTest { };

const char* const HOSTILE_TITLE = "Tom & Jerry <i>\"Q\"</i> 'S' {TITLE}";
const char* const ESCAPED_TITLE = "Tom &amp; Jerry &lt;i&gt;&quot;Q&quot;&lt;/i&gt; &#39;S&#39; &#123;TITLE&#125;";

// One item of every type whose values hold markup, with a picture on disk
// and links: what a collector's real titles and scans may look like.
void AddHostileItems(CLibrary& library, const std::string& picture)
{
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        CMediaItem* item = library.CreateMediaItem(type, nullptr);
        CMapStringToString data;
        data.SetAt(CMediaUtils::MEDIA_PROP_TITLE, HOSTILE_TITLE);
        for (const CString* person :
            { &CMediaUtils::MEDIA_PROP_ARTIST, &CMediaUtils::MEDIA_PROP_AUTHOR, &CMediaUtils::MEDIA_PROP_LEADACTOR })
            data.SetAt(*person, "AC/DC & <b>Friends</b>");
        data.SetAt(CMediaUtils::MEDIA_PROP_DESCRIPTION, "<script>alert(1)</script>");
        data.SetAt(CMediaUtils::MEDIA_PROP_ONLINEURL, "https://example.com/?a=1&b=\"<2>\"");
        data.SetAt(CMediaUtils::MEDIA_PROP_EFILEURL, "javascript:alert(1)");
        item->SetData(data, false);
        item->GetReportProperties()->SetImageFile(picture);
        item->GetReportProperties()->SetImageWidth(120);
        item->GetReportProperties()->SetImageHeight(160);
        library.NoteItemChanged(item);
    }
}

TEST_F(DefaultTemplatesTest, EveryDefaultReportRunsAndWritesValidLinkedPages)
{
    vemotest::TempDir root;
    const std::string output = root.Path() + "/web";
    CLibrary library(false, true);
    vemotest::GenerateLibrary(library, { 400, 11 });
    const std::string picture = root.Path() + "/cover art & more.png";
    vemotest::WriteAll(picture, "not really a picture");
    AddHostileItems(library, picture);
    library.AddDefaultCustomWebReports(VEMO_TEMPLATE_SOURCE_DIR, output);
    ASSERT_EQ(library.GetCustomWebReportCount(), 29);

    std::set<std::string> homePages;
    for (int i = 0; i < library.GetCustomWebReportCount(); ++i) {
        CCustomWebReport* report = library.GetCustomWebReportAt(i);
        library.RunCustomWebReport(report, {});
        EXPECT_EQ(report->GetRunErrorMsg(), "") << report->GetName();
        EXPECT_TRUE(fs::exists(report->GetHomePage().c_str())) << report->GetName();
        homePages.insert(fs::path(report->GetHomePage()).filename().string());
    }
    EXPECT_TRUE(fs::exists(output + "/" + CWebReportGenerator::STYLESHEET_NAME));
    EXPECT_EQ(vemotest::ReadAll(output + "/cover art & more.png"), "not really a picture");
    int hostileTitles = 0;
    int pictures = 0;

    std::vector<std::string> pages;
    const std::regex leftoverTag("\\{[A-Z0-9_#&]+\\}");
    const std::regex href("href=\"([^\":]*)\"");
    for (const auto& entry : fs::directory_iterator(output)) {
        if (entry.path().extension() != ".htm")
            continue;
        pages.push_back(entry.path().string());
        const std::string text = vemotest::ReadAll(entry.path().string());
        EXPECT_FALSE(std::regex_search(text, leftoverTag)) << entry.path();
        EXPECT_EQ(text.rfind("<!DOCTYPE html>", 0), 0u) << entry.path();
        EXPECT_EQ(text.find("<script"), std::string::npos) << entry.path();
        EXPECT_EQ(text.find("<i>"), std::string::npos) << entry.path();
        EXPECT_EQ(text.find("javascript:"), std::string::npos) << entry.path();
        hostileTitles += text.find(ESCAPED_TITLE) != std::string::npos;
        pictures += text.find("src=\"cover%20art%20%26%20more.png\"") != std::string::npos;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), href); it != std::sregex_iterator(); ++it) {
            std::string target = (*it)[1];
            if (target.empty() || target == CWebReportGenerator::STYLESHEET_NAME)
                continue;
            std::string decoded;
            for (std::size_t k = 0; k < target.size(); ++k) {
                if (target[k] == '%' && k + 2 < target.size()) {
                    decoded += static_cast<char>(std::stoi(target.substr(k + 1, 2), nullptr, 16));
                    k += 2;
                } else {
                    decoded += target[k];
                }
            }
            EXPECT_TRUE(fs::exists(output + "/" + decoded)) << entry.path() << " links to " << decoded;
        }
    }
    EXPECT_GT(pages.size(), homePages.size());
    EXPECT_GT(hostileTitles, 29);
    // Every media type's entry template shows the picture.
    EXPECT_GE(pictures, 24);

    if (!HaveTidy())
        GTEST_SKIP() << "tidy is not installed";
    for (std::size_t start = 0; start < pages.size(); start += 100) {
        std::vector<std::string> batch(pages.begin() + start, pages.begin() + std::min(pages.size(), start + 100));
        std::string report;
        EXPECT_LT(TidyErrors(batch, root.Path() + "/tidy.log", report), 2) << report;
    }
}

} // namespace
