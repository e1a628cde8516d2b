#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/appcfg/AppPaths.h"
#include "platform/util/DirUtils.h"
#include "support/TempDir.h"

namespace {

// Changes environment variables for one test and puts them back.
class AppPathsTest : public ::testing::Test {
protected:
    ~AppPathsTest() override
    {
        for (auto& [name, value] : m_saved)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        CAppPaths::SetDataDirOverride("");
    }
    void Set(const std::string& name, const char* value)
    {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str());
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_F(AppPathsTest, FoldersFollowXdgWithHomeFallbacks)
{
    Set("HOME", "/home/ann");
    Set("XDG_DATA_HOME", "/xdg/data");
    Set("XDG_CONFIG_HOME", "/xdg/config/");
    EXPECT_EQ(CAppPaths::DataDir(), "/xdg/data/VemoLibrary/");
    EXPECT_EQ(CAppPaths::ConfigDir(), "/xdg/config/VemoLibrary/");
    EXPECT_EQ(CAppPaths::SettingsFile(), "/xdg/config/VemoLibrary/VemoLibrary.settings");

    Set("XDG_DATA_HOME", nullptr);
    Set("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(CAppPaths::DataDir(), "/home/ann/.local/share/VemoLibrary/");
    EXPECT_EQ(CAppPaths::ConfigDir(), "/home/ann/.config/VemoLibrary/");
}

TEST_F(AppPathsTest, OverriddenDataDirHoldsEveryDataFile)
{
    CAppPaths::SetDataDirOverride("/srv/vemo");
    EXPECT_EQ(CAppPaths::DataDir(), "/srv/vemo/");
    EXPECT_EQ(CAppPaths::ArchivesDir(), "/srv/vemo/Archives/");
    EXPECT_EQ(CAppPaths::TemplatesDir(), "/srv/vemo/Templates/");
    EXPECT_EQ(CAppPaths::WebReportsDir(), "/srv/vemo/WebReports/");
    EXPECT_EQ(CAppPaths::LogFile(), "/srv/vemo/VemoLibrary.log");
    EXPECT_EQ(CAppPaths::SharedDataFile(), "/srv/vemo/VemoLibrary2.dat");
    EXPECT_EQ(CAppPaths::LibraryFile("My Library"), "/srv/vemo/My Library.vly");

    CAppPaths::SetDataDirOverride("rel/dir");
    EXPECT_EQ(CAppPaths::DataDir().front(), '/');
    EXPECT_EQ(CAppPaths::DataDir().substr(CAppPaths::DataDir().size() - 8), "rel/dir/");
}

TEST_F(AppPathsTest, EnsureDataDirCreatesTheFolders)
{
    vemotest::TempDir dir;
    CAppPaths::SetDataDirOverride(dir.File("new/data"));
    ASSERT_TRUE(CAppPaths::EnsureDataDir());
    for (const CString& folder : { CAppPaths::ArchivesDir(), CAppPaths::TemplatesDir(), CAppPaths::WebReportsDir() })
        EXPECT_TRUE(CDirUtils::DoesDirExist(folder)) << folder;
}

} // namespace
