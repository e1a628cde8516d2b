#include <gtest/gtest.h>

#include <ostream>

#include "net/DesktopEntry.h"
#include "support/TempDir.h"

namespace {

struct ExecCase {
    const char* exec;
    const char* program;
};

void PrintTo(const ExecCase& c, std::ostream* os)
{
    *os << '"' << c.exec << '"';
}

class ExecProgramTest : public ::testing::TestWithParam<ExecCase> { };

} // namespace

TEST_P(ExecProgramTest, FirstWordOfExec)
{
    EXPECT_EQ(CDesktopEntry::ParseExecProgram(GetParam().exec), GetParam().program);
}

INSTANTIATE_TEST_SUITE_P(Values, ExecProgramTest,
    ::testing::Values(ExecCase { "firefox %u", "firefox" }, ExecCase { "/usr/bin/firefox", "/usr/bin/firefox" },
        ExecCase { "  spaced\t prog  ", "spaced" },
        ExecCase { "\"/opt/My Browser/browser\" %U", "/opt/My Browser/browser" },
        ExecCase { "\"/opt/say \\\"hi\\\"/b\" --new", "/opt/say \"hi\"/b" },
        ExecCase { "env BAMF_DESKTOP_FILE_HINT=/x.desktop /snap/bin/firefox %u", "/snap/bin/firefox" },
        ExecCase { "%u firefox", "firefox" }, ExecCase { "%u", "" }, ExecCase { "", "" }, ExecCase { "env", "" }));

TEST(DesktopEntryTest, ExecArgumentsFollowTheQuotingRules)
{
    const CStringArray words = CDesktopEntry::SplitExec("prog --a=\"x y\" 100%% \"$\\$HOME\" %F");
    ASSERT_EQ(words.GetSize(), 4);
    EXPECT_EQ(words[1], "--a=x y");
    EXPECT_EQ(words[2], "100%");
    EXPECT_EQ(words[3], "$$HOME");
}

TEST(DesktopEntryTest, ReadsTheEntryGroupOnly)
{
    vemotest::TempDir dir;
    vemotest::WriteAll(dir.File("b.desktop"),
        "# comment\r\n"
        "[Desktop Entry]\r\n"
        "Name = Web\\sBrowser\r\n"
        "Name[de]=Netzleser\r\n"
        "Exec=browser %u\r\n"
        "Icon=~/icons/b.png\r\n"
        "NoDisplay=true\r\n"
        "Name=Second Name\r\n"
        "[Desktop Action new-window]\r\n"
        "Exec=other\r\n"
        "Hidden=true\r\n");
    CDesktopEntry entry;
    ASSERT_TRUE(entry.Load(dir.File("b.desktop")));
    EXPECT_EQ(entry.GetName(), "Web Browser");
    EXPECT_EQ(entry.GetExec(), "browser %u");
    EXPECT_EQ(entry.GetProgram(), "browser");
    EXPECT_EQ(entry.GetIcon(), "~/icons/b.png");
    EXPECT_TRUE(entry.IsNoDisplay());
    EXPECT_FALSE(entry.IsHidden());

    vemotest::WriteAll(dir.File("no-group.desktop"), "Name=Loose\n[Other]\nName=x\n");
    EXPECT_FALSE(entry.Load(dir.File("no-group.desktop")));
    EXPECT_TRUE(entry.GetName().empty());
    EXPECT_FALSE(entry.Load(dir.File("missing.desktop")));
    EXPECT_FALSE(entry.Load(dir.Path()));
}
