#include <gtest/gtest.h>

#include <filesystem>

#include "platform/appcfg/TemplateInstaller.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

TEST(TemplateInstallerTest, TemplatesBesideTheProgramComeFirst)
{
    vemotest::TempDir root;
    fs::create_directories(root.File("bin"));
    // Without an installed copy the source tree's templates are found.
    const CString fallback = CTemplateInstaller::FindShippedTemplates(root.File("bin"));
    EXPECT_TRUE(fs::exists(fs::path(fallback) / "Books.htm")) << fallback;
    EXPECT_TRUE(fs::exists(fs::path(CTemplateInstaller::FindShippedTemplates()) / "Books.htm"));

    fs::create_directories(root.File("share/vemolibrary/templates"));
    EXPECT_EQ(CTemplateInstaller::FindShippedTemplates(root.File("bin")), root.File("share/vemolibrary/templates"));
}

TEST(TemplateInstallerTest, OnlyMissingFilesAreCopied)
{
    vemotest::TempDir from;
    vemotest::TempDir to;
    fs::create_directories(from.File("img"));
    vemotest::WriteAll(from.File("Books.htm"), "shipped");
    vemotest::WriteAll(from.File("img/logo.png"), "png");
    vemotest::WriteAll(to.File("Books.htm"), "changed by the user");
    EXPECT_EQ(CTemplateInstaller::CopyMissing(from.Path(), to.Path()), 1);
    EXPECT_EQ(vemotest::ReadAll(to.File("Books.htm")), "changed by the user");
    EXPECT_EQ(vemotest::ReadAll(to.File("img/logo.png")), "png");
    EXPECT_EQ(CTemplateInstaller::CopyMissing(from.Path(), to.Path()), 0);
    EXPECT_EQ(CTemplateInstaller::CopyMissing(from.File("missing"), to.Path()), -1);
}
