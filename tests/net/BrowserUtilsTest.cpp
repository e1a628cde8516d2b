#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <thread>

#include "net/BrowserUtils.h"
#include "net/MailUtils.h"
#include "net/MimeAppsList.h"
#include "net/XdgDirs.h"
#include "platform/util/AppLogger.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const char* const HANDLED_VARIABLES[]
    = { "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP", "PATH", "HOME" };

// Every test gets its own XDG tree: user folders, two system config folders,
// two system data folders, a program folder as the only PATH entry and a home.
class BrowserUtilsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : HANDLED_VARIABLES) {
            const char* value = std::getenv(name);
            m_saved[name] = value ? std::optional<CString>(value) : std::nullopt;
        }
        m_root = m_dir.Path();
        for (const char* sub :
            { "config", "etc1", "etc2", "data/applications", "sys1/applications", "sys2/applications", "bin", "home" })
            fs::create_directories(m_root + "/" + sub);
        setenv("XDG_CONFIG_HOME", (m_root + "/config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (m_root + "/etc1:" + m_root + "/etc2").c_str(), 1);
        setenv("XDG_DATA_HOME", (m_root + "/data").c_str(), 1);
        setenv("XDG_DATA_DIRS", (m_root + "/sys1:" + m_root + "/sys2").c_str(), 1);
        unsetenv("XDG_CURRENT_DESKTOP");
        setenv("PATH", (m_root + "/bin").c_str(), 1);
        setenv("HOME", (m_root + "/home").c_str(), 1);
    }

    void TearDown() override
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

    CString Path(const CString& relative) const { return m_root + "/" + relative; }

    void Write(const CString& relative, const CString& content) const
    {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        vemotest::WriteAll(Path(relative), content);
    }

    void WriteEntry(const CString& relative, const CString& name, const CString& exec, const CString& extra = "") const
    {
        Write(relative, "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec + "\n" + extra);
    }

    void WriteDefault(const CString& relative, const CString& ids) const
    {
        Write(relative,
            "[Added Associations]\nx-scheme-handler/http=other.desktop;\n"
            "[Default Applications]\ntext/html=other.desktop\nx-scheme-handler/http="
                + ids + "\n");
    }

    void WriteProgram(const CString& relative, const CString& script = "exit 0") const
    {
        Write(relative, "#!/bin/sh\n" + script + "\n");
        fs::permissions(Path(relative), fs::perms::owner_all);
    }

    vemotest::TempDir m_dir;
    CString m_root;
    std::map<CString, std::optional<CString>> m_saved;
};

std::vector<CString> Vec(const CStringList& list)
{
    return std::vector<CString>(list.begin(), list.end());
}

// Waits for a file that a detached program writes.
CString WaitForFile(const CString& path)
{
    for (int i = 0; i < 500 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return vemotest::ReadAll(path);
}

} // namespace

TEST_F(BrowserUtilsTest, DefaultHandlerFromTheUserSettings)
{
    WriteEntry("sys1/applications/firefox.desktop", "Firefox", "firefox %u", "Icon=firefox\n");
    WriteProgram("bin/firefox");
    WriteDefault("config/mimeapps.list", "firefox.desktop;");
    int index = 0;
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserPath(), Path("bin/firefox"));
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "Firefox");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserIcon(index), "firefox");
    EXPECT_EQ(index, -1);
}

TEST_F(BrowserUtilsTest, ListFilesAreConsultedInPrecedenceOrder)
{
    setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    std::vector<CString> files;
    for (const char* dir : { "config", "etc1", "etc2", "data/applications", "sys1/applications", "sys2/applications" })
        for (const char* name : { "ubuntu-mimeapps.list", "gnome-mimeapps.list", "mimeapps.list" })
            files.push_back(CString(dir) + "/" + name);
    std::vector<CString> expected;
    for (const CString& file : files)
        expected.push_back(Path(file));
    EXPECT_EQ(Vec(CMimeAppsList::GetListFiles()), expected);

    for (std::size_t i = 0; i < files.size(); ++i) {
        const CString id = "b" + std::to_string(i) + ".desktop";
        WriteEntry("sys2/applications/" + id, "Browser " + std::to_string(i), "b");
        WriteDefault(files[i], id);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "Browser " + std::to_string(i)) << files[i];
        fs::remove(Path(files[i]));
    }
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserPath(), "");
}

TEST_F(BrowserUtilsTest, FirstInstalledEntryOfTheListWins)
{
    WriteEntry("sys1/applications/hidden.desktop", "Hidden", "h", "Hidden=true\n");
    WriteEntry("sys1/applications/tryexec.desktop", "Not Installed", "t", "TryExec=not-there\n");
    WriteEntry("sys1/applications/good.desktop", "Good", "g", "TryExec=g\n");
    WriteEntry("sys1/applications/other.desktop", "Other", "o");
    WriteProgram("bin/g");
    WriteDefault("config/mimeapps.list", "missing.desktop; hidden.desktop;tryexec.desktop;good.desktop");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "Good");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserPath(), Path("bin/g"));
}

TEST_F(BrowserUtilsTest, ListWithoutAnInstalledEntryDefersToTheNextFile)
{
    WriteEntry("sys1/applications/good.desktop", "Good", "g");
    WriteDefault("config/mimeapps.list", "gone.desktop");
    WriteDefault("sys2/applications/mimeapps.list", "good.desktop");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "Good");
}

TEST_F(BrowserUtilsTest, UserEntriesOverrideAndHideSystemEntries)
{
    WriteEntry("sys1/applications/web.desktop", "System Web", "web");
    WriteEntry("sys2/applications/web.desktop", "Lower Web", "web");
    WriteDefault("config/mimeapps.list", "web.desktop");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "System Web");

    WriteEntry("data/applications/web.desktop", "My Web", "web");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "My Web");

    WriteEntry("data/applications/web.desktop", "My Web", "web", "Hidden=true\n");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "");
}

TEST_F(BrowserUtilsTest, DesktopIdsMapDashesToSubfolders)
{
    WriteEntry("sys1/applications/kde4/konqueror.desktop", "Konqueror", "konqueror");
    EXPECT_EQ(CXdgDirs::FindDesktopFile("kde4-konqueror.desktop"), Path("sys1/applications/kde4/konqueror.desktop"));
    WriteDefault("config/mimeapps.list", "kde4-konqueror.desktop");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "Konqueror");

    // An id never reaches outside the applications folders.
    WriteEntry("sys1/evil.desktop", "Evil", "evil");
    EXPECT_EQ(CXdgDirs::FindDesktopFile("..-evil.desktop"), "");
    EXPECT_EQ(CXdgDirs::FindDesktopFile("../evil.desktop"), "");
}

TEST_F(BrowserUtilsTest, BrowserPathIsAnExistingProgram)
{
    WriteDefault("config/mimeapps.list", "web.desktop");
    WriteProgram("opt/My Browser/browser");

    WriteEntry("sys1/applications/web.desktop", "Web", "\"" + Path("opt/My Browser/browser") + "\" %U");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserPath(), Path("opt/My Browser/browser"));

    WriteEntry("sys1/applications/web.desktop", "Web", "env MOZ_X=1 browser-in-path %u");
    WriteProgram("bin/browser-in-path");
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserPath(), Path("bin/browser-in-path"));

    for (const CString& exec : { CString("not-in-path %u"), Path("opt/none/browser"), CString("%u") }) {
        WriteEntry("sys1/applications/web.desktop", "Web", exec);
        EXPECT_EQ(CBrowserUtils::GetDefaultBrowserPath(), "") << exec;
        EXPECT_EQ(CBrowserUtils::GetDefaultBrowserName(), "Web");
    }
}

namespace {

struct IconCase {
    const char* icon;
    const char* expected; // "@HOME@" stands for the home folder
    int index;
};

void PrintTo(const IconCase& c, std::ostream* os)
{
    *os << '"' << c.icon << '"';
}

class BrowserIconTest : public BrowserUtilsTest, public ::testing::WithParamInterface<IconCase> { };

} // namespace

TEST_P(BrowserIconTest, IconOfTheHandler)
{
    WriteEntry("sys1/applications/web.desktop", "Web", "web", CString("Icon=") + GetParam().icon + "\n");
    WriteDefault("config/mimeapps.list", "web.desktop");
    CString expected = GetParam().expected;
    if (expected.rfind("@HOME@", 0) == 0)
        expected = Path("home") + expected.substr(6);
    int index = 99;
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserIcon(index), expected);
    EXPECT_EQ(index, GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Icons, BrowserIconTest,
    ::testing::Values(IconCase { "firefox", "firefox", -1 }, IconCase { "~/icons/b.png", "@HOME@/icons/b.png", -1 },
        IconCase { "$HOME/b.png", "@HOME@/b.png", -1 }, IconCase { "${HOME}/b.png", "@HOME@/b.png", -1 },
        IconCase { "$HOMEX/b.png", "$HOMEX/b.png", -1 }, IconCase { "/usr/share/b.ico,3", "/usr/share/b.ico", 3 },
        IconCase { "~/b.ico,12", "@HOME@/b.ico", 12 }, IconCase { "", "", -1 }));

TEST_F(BrowserUtilsTest, IconInTheHomeFolderWithoutAHomeIsLogged)
{
    WriteEntry("sys1/applications/web.desktop", "Web", "web", "Icon=~/b.png\n");
    WriteDefault("config/mimeapps.list", "web.desktop");
    unsetenv("HOME");
    int index = 0;
    EXPECT_EQ(CBrowserUtils::GetDefaultBrowserIcon(index), "");
    const CStringList lines = CAppLogger::GetInstance()->GetLines();
    ASSERT_FALSE(lines.IsEmpty());
    EXPECT_NE(lines.GetTail().find("{98931B32-82F1-4E44-9811-439B4419B11C}"), CString::npos);
}

TEST_F(BrowserUtilsTest, InstalledBrowsersInTheirFixedOrder)
{
    WriteEntry("sys2/applications/org.gnome.Epiphany.desktop", "Web", "epiphany");
    WriteEntry("sys1/applications/chromium.desktop", "Chromium", "chromium");
    WriteEntry("sys1/applications/firefox-esr.desktop", "Firefox ESR", "firefox-esr");
    WriteEntry("sys1/applications/org.mozilla.firefox.desktop", "Firefox Flatpak", "firefox");
    WriteEntry("sys1/applications/opera.desktop", "Opera", "opera", "NoDisplay=true\n");
    WriteEntry("sys1/applications/brave-browser.desktop", "Brave", "brave");
    WriteEntry("data/applications/brave-browser.desktop", "Brave", "brave", "Hidden=true\n");
    WriteEntry("sys1/applications/google-chrome.desktop", "Google Chrome", "chrome", "TryExec=google-chrome\n");
    WriteEntry("sys1/applications/org.kde.falkon.desktop", "Chromium", "falkon");
    WriteEntry("sys1/applications/kde4/konqueror.desktop", "Konqueror", "konqueror");
    WriteEntry("sys1/applications/vim.desktop", "Vim", "vim");

    CStringList names;
    names.AddTail("left over");
    CBrowserUtils::GetInstalledBrowsers(names);
    // Falkon's entry repeats a name already listed, so it is not listed twice.
    EXPECT_EQ(Vec(names), (std::vector<CString> { "Firefox ESR", "Chromium", "Web", "Konqueror" }));

    WriteProgram("bin/google-chrome");
    CBrowserUtils::GetInstalledBrowsers(names);
    EXPECT_EQ(Vec(names), (std::vector<CString> { "Firefox ESR", "Chromium", "Google Chrome", "Web", "Konqueror" }));
}

TEST_F(BrowserUtilsTest, OpenURLHandsTheAddressOverAsOneArgument)
{
    const CString out = Path("args.txt");
    WriteProgram(
        "bin/xdg-open", "printf '%s\\n' \"$#\" \"$1\" > '" + out + ".tmp' && /bin/mv '" + out + ".tmp' '" + out + "'");
    const CString url = "file:///tmp/My Report.htm?a=1&b=\"2\";$(touch " + Path("pwned") + ")`id`";
    CString error = "stale";
    ASSERT_TRUE(CBrowserUtils::OpenURL(url, error)) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(WaitForFile(out), "1\n" + url + "\n");
    EXPECT_FALSE(fs::exists(Path("pwned")));
}

TEST_F(BrowserUtilsTest, OpenURLFallsBackToTheDefaultBrowser)
{
    const CString out = Path("browser.txt");
    WriteProgram(
        "bin/fakebrowser", "printf '%s\\n' \"$1\" > '" + out + ".tmp' && /bin/mv '" + out + ".tmp' '" + out + "'");
    WriteEntry("sys1/applications/fake.desktop", "Fake", "fakebrowser %u");
    WriteDefault("config/mimeapps.list", "fake.desktop");

    CString error;
    ASSERT_TRUE(CBrowserUtils::OpenURL("http://example.org/", error)) << error;
    EXPECT_EQ(WaitForFile(out), "http://example.org/\n");

    // An xdg-open that cannot be executed gives way to the browser as well.
    fs::remove(out);
    Write("bin/xdg-open", "not a program");
    fs::permissions(Path("bin/xdg-open"), fs::perms::owner_all);
    ASSERT_TRUE(CBrowserUtils::OpenURL("http://example.org/", error)) << error;
    EXPECT_EQ(WaitForFile(out), "http://example.org/\n");
}

TEST_F(BrowserUtilsTest, OpenURLRefusesWhatItCannotOpenSafely)
{
    WriteProgram("bin/xdg-open", "touch '" + Path("ran") + "'");
    for (const CString& url :
        { CString(), CString("  "), CString("--help"), CString("-new-window x"), CString("http://a/\nb") }) {
        CString error;
        EXPECT_FALSE(CBrowserUtils::OpenURL(url, error)) << url;
        EXPECT_FALSE(error.empty()) << url;
    }

    fs::remove(Path("bin/xdg-open"));
    CString error;
    EXPECT_FALSE(CBrowserUtils::OpenURL("http://example.org/", error));
    EXPECT_NE(error.find("xdg-open"), CString::npos);

    // A program that exists but cannot run is a failure, not a success.
    Write("bin/xdg-open", "not a program");
    fs::permissions(Path("bin/xdg-open"), fs::perms::owner_all);
    EXPECT_FALSE(CBrowserUtils::OpenURL("http://example.org/", error));
    EXPECT_FALSE(error.empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(Path("ran")));
}

TEST_F(BrowserUtilsTest, MailProgramFromTheDefaultsOrTheMimeCache)
{
    EXPECT_EQ(CMailUtils::FindMailProgram(), "");
    // Listed in a cache, but not installed: no mail program.
    Write("sys2/applications/mimeinfo.cache", "[MIME Cache]\nx-scheme-handler/mailto=gone.desktop;mutt.desktop;\n");
    EXPECT_EQ(CMailUtils::FindMailProgram(), "");
    WriteEntry("sys2/applications/mutt.desktop", "Mutt", "mutt %u");
    EXPECT_EQ(CMailUtils::FindMailProgram(), Path("sys2/applications/mutt.desktop"));
    // The user's default wins over the cache.
    WriteEntry("sys1/applications/mail.desktop", "Mail", "mailer %u");
    Write("config/mimeapps.list", "[Default Applications]\nx-scheme-handler/mailto=mail.desktop\n");
    EXPECT_EQ(CMailUtils::FindMailProgram(), Path("sys1/applications/mail.desktop"));
}

TEST_F(BrowserUtilsTest, OpenMailToHandsTheAddressToTheMailProgram)
{
    const CString out = Path("mail.txt");
    const CString record = "printf '%s\\n' \"$1\" > '" + out + ".tmp' && /bin/mv '" + out + ".tmp' '" + out + "'";
    const CString url = "mailto:support@example.org?subject=VemoLibrary%20Tech%20Support%20Question";
    CString error;
    EXPECT_FALSE(CMailUtils::OpenMailTo(url, error));
    EXPECT_NE(error.find("No mail program"), CString::npos) << error;

    WriteEntry("sys1/applications/mail.desktop", "Mail", "mailer %u");
    Write("config/mimeapps.list", "[Default Applications]\nx-scheme-handler/mailto=mail.desktop\n");
    WriteProgram("bin/xdg-open", record);
    ASSERT_TRUE(CMailUtils::OpenMailTo(url, error)) << error;
    EXPECT_EQ(WaitForFile(out), url + "\n");

    // Without xdg-open the mail program itself gets it.
    fs::remove(out);
    fs::remove(Path("bin/xdg-open"));
    WriteProgram("bin/mailer", record);
    ASSERT_TRUE(CMailUtils::OpenMailTo(url, error)) << error;
    EXPECT_EQ(WaitForFile(out), url + "\n");

    for (const CString& bad : { CString("http://example.org/"), CString("mailto:"), CString("mailto:a@b\n-x") }) {
        EXPECT_FALSE(CMailUtils::OpenMailTo(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}
