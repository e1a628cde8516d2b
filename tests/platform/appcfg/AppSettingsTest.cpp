#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/appcfg/AppPaths.h"
#include "platform/appcfg/AppSettings.h"
#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

namespace {

// Stands in for a program's settings: its own record after the base's.
class CTestSettings : public CAppSettings {
public:
    explicit CTestSettings(const CString& file)
        : CAppSettings("/opt/vemo/bin", "VemoLibrary")
    {
        SetSettingsFile(file);
        SetVersionNumber(2, 0, 4);
    }

    void Serialize(CArchive& ar) override
    {
        CAppSettings::Serialize(ar);
        WORD version = ar.SerializeVersion(3);
        if (ar.IsLoading() && version > 3)
            throw CArchiveException(CArchiveException::badFormat, "too new");
        ar.Serialize(m_currentLibrary);
        ar.Serialize(m_folders);
    }

    CString m_currentLibrary = "My Library";
    CStringList m_folders;
};

void FillNonDefault(CTestSettings& s)
{
    s.SetAppShape(CRect(10, 20, 810, 620), false, true);
    s.SetBalloonShowCloseButton(false);
    s.SetBalloonWPMSpeed(321);
    s.SetPrintMargins(CRect(250, 300, 350, 400));
    s.SetLastRun(COleDateTime(2024, 5, 17, 13, 45, 10));
    s.SetVersionNumber(2, 1, 7);
    s.SetUpgradeVersionNumber(2, 2, 0);
    s.SetAutomaticUpgrading(true);
    s.m_currentLibrary = "Stamps";
    s.m_folders.AddTail("/home/me/Pictures");
    s.m_folders.AddTail("Bücher");
}

void ExpectSame(const CTestSettings& a, const CTestSettings& b)
{
    CRect ra, rb;
    bool mina, maxa, minb, maxb;
    a.GetAppShape(ra, mina, maxa);
    b.GetAppShape(rb, minb, maxb);
    EXPECT_EQ(ra, rb);
    EXPECT_EQ(mina, minb);
    EXPECT_EQ(maxa, maxb);
    EXPECT_EQ(a.GetBalloonShowCloseButton(), b.GetBalloonShowCloseButton());
    EXPECT_EQ(a.GetBalloonWPMSpeed(), b.GetBalloonWPMSpeed());
    EXPECT_EQ(a.GetPrintMargins(), b.GetPrintMargins());
    EXPECT_EQ(a.GetLastRun(), b.GetLastRun());
    EXPECT_EQ(a.GetVersionNumber(), b.GetVersionNumber());
    EXPECT_EQ(a.GetUpgradeVersionNumber(), b.GetUpgradeVersionNumber());
    EXPECT_EQ(a.GetAutomaticUpgrading(), b.GetAutomaticUpgrading());
    EXPECT_EQ(a.m_currentLibrary, b.m_currentLibrary);
    EXPECT_EQ(std::vector<CString>(a.m_folders.begin(), a.m_folders.end()),
        std::vector<CString>(b.m_folders.begin(), b.m_folders.end()));
}

class AppSettingsTest : public ::testing::Test {
protected:
    vemotest::TempDir m_dir;
    CString m_file = m_dir.File("cfg/VemoLibrary.settings");
};

TEST_F(AppSettingsTest, NothingStoredIsAFirstRunWithDefaults)
{
    CTestSettings s(m_file);
    bool firstRun = false;
    ASSERT_TRUE(s.Read(firstRun));
    EXPECT_TRUE(firstRun);
    CRect rect;
    bool minimised = true, maximised = true;
    s.GetAppShape(rect, minimised, maximised);
    EXPECT_EQ(rect.Width(), 737);
    EXPECT_EQ(rect.Height(), 583);
    EXPECT_FALSE(minimised || maximised);
    EXPECT_EQ(s.GetVersionNumber().ToString(), "2.0.4");
    EXPECT_FALSE(s.GetLastRun().IsValid());
}

TEST_F(AppSettingsTest, SavedRecordReadsBackWithTheDerivedFieldsAfterTheBase)
{
    CTestSettings saved(m_file);
    FillNonDefault(saved);
    ASSERT_TRUE(saved.Save()) << saved.GetLastError();

    CTestSettings read(m_file);
    bool firstRun = true;
    ASSERT_TRUE(read.Read(firstRun)) << read.GetLastError();
    EXPECT_FALSE(firstRun);
    ExpectSame(saved, read);

    // The 82-byte base record, then the derived record's version word.
    std::string bytes = vemotest::ReadAll(m_file);
    ASSERT_GT(bytes.size(), 84u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x01\x00", 2));
    EXPECT_EQ(bytes.substr(82, 2), std::string("\x03\x00", 2));
    // The settings may hold a look-up service's key: only their owner reads them.
    EXPECT_EQ(std::filesystem::status(m_file).permissions(),
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(AppSettingsTest, DefaultsLiveInTheUserConfigFolder)
{
    CAppSettings s("/usr/bin", "VemoLibrary");
    EXPECT_EQ(s.GetSettingsFile(), CAppPaths::ConfigDir() + "VemoLibrary.settings");
    EXPECT_EQ(s.GetApplicationPath(), CAppPaths::DataDir());
    EXPECT_EQ(s.GetApplicationDocsPath(), "/usr/share/doc/vemolibrary/");
    EXPECT_EQ(s.GetApplicationName(), "VemoLibrary");
}

// What a reader held before a failed read, which must survive it.
void FillOther(CTestSettings& s)
{
    s.SetAppShape(CRect(1, 2, 303, 404), true, false);
    s.SetBalloonWPMSpeed(99);
    s.m_currentLibrary = "Keep";
    s.m_folders.AddTail("/keep");
}

TEST_F(AppSettingsTest, EveryCutOfARecordFailsAndKeepsEveryField)
{
    CTestSettings writer(m_file);
    FillNonDefault(writer);
    ASSERT_TRUE(writer.Save());
    std::string good = vemotest::ReadAll(m_file);

    for (std::size_t cut = 1; cut < good.size(); ++cut) {
        std::string bad = good.substr(0, cut);
        vemotest::WriteAll(m_file, bad);
        CTestSettings before(m_file);
        CTestSettings reader(m_file);
        FillOther(before);
        FillOther(reader);
        bool firstRun = true;
        EXPECT_FALSE(reader.Read(firstRun)) << "cut at " << cut;
        EXPECT_FALSE(firstRun);
        ExpectSame(before, reader);
        EXPECT_EQ(vemotest::ReadAll(m_file + ".unreadable"), bad);
    }
}

// What a newer version adds after the record must not cost the user every
// setting: the record is read and the rest ignored.
TEST_F(AppSettingsTest, BytesAfterTheRecordAreIgnored)
{
    CTestSettings writer(m_file);
    FillNonDefault(writer);
    ASSERT_TRUE(writer.Save());
    const std::string good = vemotest::ReadAll(m_file);
    for (const std::string& extra : { std::string(1, '\0'), std::string("\x05\x00newer fields", 14) }) {
        vemotest::WriteAll(m_file, good + extra);
        CTestSettings reader(m_file);
        bool firstRun = true;
        EXPECT_TRUE(reader.Read(firstRun)) << reader.GetLastError();
        EXPECT_FALSE(firstRun);
        ExpectSame(writer, reader);
        EXPECT_FALSE(std::filesystem::exists(m_file + ".unreadable"));
    }
}

TEST_F(AppSettingsTest, TooNewRecordsAreRefused)
{
    CTestSettings writer(m_file);
    FillNonDefault(writer);
    ASSERT_TRUE(writer.Save());
    std::string good = vemotest::ReadAll(m_file);

    for (std::size_t at : { std::size_t(0), std::size_t(82) }) {
        std::string bad = good;
        bad[at] = 9;
        vemotest::WriteAll(m_file, bad);
        CTestSettings before(m_file);
        CTestSettings reader(m_file);
        FillOther(before);
        FillOther(reader);
        bool firstRun = true;
        EXPECT_FALSE(reader.Read(firstRun));
        ExpectSame(before, reader);
    }
}

TEST_F(AppSettingsTest, FailedSaveKeepsThePreviousRecord)
{
    CTestSettings s(m_file);
    ASSERT_TRUE(s.Save());
    std::string before = vemotest::ReadAll(m_file);
    FillNonDefault(s);
    CFileUtils::SetWriteLimitForTesting(10);
    EXPECT_FALSE(s.Save());
    CFileUtils::SetWriteLimitForTesting(-1);
    EXPECT_FALSE(s.GetLastError().empty());
    EXPECT_EQ(vemotest::ReadAll(m_file), before);
}

TEST_F(AppSettingsTest, UnusableStoredValuesReadAsDefaults)
{
    CTestSettings s(m_file);
    s.SetAppShape(CRect(40, 50, 40, 10), false, false);
    ASSERT_TRUE(s.Save());
    bool firstRun;
    CTestSettings read(m_file);
    ASSERT_TRUE(read.Read(firstRun));
    CRect rect;
    bool minimised, maximised;
    read.GetAppShape(rect, minimised, maximised);
    EXPECT_EQ(rect, CRect(40, 50, 40 + 737, 50 + 583));

    read.SetBalloonWPMSpeed(0);
    EXPECT_EQ(read.GetBalloonWPMSpeed(), CAppSettings::DEFAULT_WPM_SPEED);
}

TEST_F(AppSettingsTest, UpgradeDoneRaisesTheVersionOnlyToANewerUpgrade)
{
    CTestSettings s(m_file);
    s.UpgradeDone();
    EXPECT_EQ(s.GetVersionNumber(), CVersionNumber(2, 0, 4));
    s.SetUpgradeVersionNumber(2, 0, 3);
    s.UpgradeDone();
    EXPECT_EQ(s.GetVersionNumber(), CVersionNumber(2, 0, 4));
    s.SetUpgradeVersionNumber(2, 0, 10);
    s.UpgradeDone();
    EXPECT_EQ(s.GetVersionNumber(), CVersionNumber(2, 0, 10));
    EXPECT_TRUE(s.GetUpgradeVersionNumber().IsZero());
}

} // namespace
