#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/appcfg/DataFileMgmt.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

namespace {

using vemotest::ReadAll;
using vemotest::WriteAll;

using Names = std::vector<std::string>;

Names List(std::initializer_list<const char*> names)
{
    return Names(names.begin(), names.end());
}

Names ToNames(const CStringList& list)
{
    return Names(list.begin(), list.end());
}

class DataFileMgmtTest : public ::testing::Test {
protected:
    DataFileMgmtTest()
        : m_mgmt(m_dir.Path(), 10)
    {
    }

    CString Data(const CString& file) const { return m_dir.Path() + "/" + file; }
    CString Archive(const CString& file) const { return m_mgmt.GetArchivePath(file); }
    void Write(const CString& file, const CString& content) { WriteAll(Data(file), content); }
    Names Archives() const
    {
        CStringList names;
        CDirUtils::ListFiles(m_mgmt.GetArchiveDir(), "", names);
        return ToNames(names);
    }
    // n backups of file, the content of each naming its turn.
    void BackUp(const CString& file, int n, bool prune = true)
    {
        for (int i = 1; i <= n; ++i) {
            Write(file, file + " state " + std::to_string(i));
            ASSERT_TRUE(m_mgmt.BackupDataFile(file, prune)) << i;
        }
    }

    vemotest::TempDir m_dir;
    CDataFileMgmt m_mgmt;
};

TEST_F(DataFileMgmtTest, MissingOrEmptyFilesAreNotArchived)
{
    EXPECT_FALSE(m_mgmt.BackupDataFile("Stamps.vly"));
    Write("Stamps.vly", "");
    EXPECT_FALSE(m_mgmt.BackupDataFile("Stamps.vly"));
    EXPECT_FALSE(m_mgmt.BackupDataFile("../Stamps.vly"));
    EXPECT_TRUE(Archives().empty());
}

TEST_F(DataFileMgmtTest, KeepsTheNewestTenArchivesNumberedInOrder)
{
    BackUp("Stamps.vly", 11);
    Names archives = Archives();
    ASSERT_EQ(archives.size(), 10u);
    EXPECT_EQ(archives.front(), "Stamps000002.vly");
    EXPECT_EQ(archives.back(), "Stamps000011.vly");
    EXPECT_EQ(ReadAll(Archive("Stamps000011.vly")), "Stamps.vly state 11");
    EXPECT_EQ(m_mgmt.GetArchivesCount("Stamps"), 10);
}

// An archive copy killed mid-write leaves a full-size temporary file whose
// target nobody asks for again; the next copy of any file takes it away.
TEST_F(DataFileMgmtTest, LeftoversOfKilledArchiveCopiesGoWithTheNextCopy)
{
    BackUp("Stamps.vly", 1);
    const CString leftover = CFileUtils::TempFilePrefix(Archive("Stamps000002.vly")) + "2147483646-0badf00d";
    WriteAll(leftover, "Stamps.vly state 2, half");
    BackUp("Coins.vly", 1);
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_EQ(Archives(), List({ "Coins000001.vly", "Stamps000001.vly" }));
}

TEST_F(DataFileMgmtTest, NamesEndingInDigitsKeepTheirOwnArchives)
{
    BackUp("Disc 2.vly", 2);
    BackUp("Disc.vly", 11);
    EXPECT_EQ(m_mgmt.GetArchivesCount("Disc 2"), 2);
    EXPECT_EQ(m_mgmt.GetArchivesCount("Disc"), 10);
    EXPECT_EQ(m_mgmt.GetArchivesCount("Disc 20"), 0);
    EXPECT_TRUE(CFileUtils::DoesFileExist(Archive("Disc 2000001.vly")));
}

TEST_F(DataFileMgmtTest, RunningOutOfNumbersRenumbersTheArchives)
{
    BackUp("Stamps.vly", 1);
    std::filesystem::rename(Archive("Stamps000001.vly"), Archive("Stamps999999.vly"));
    BackUp("Stamps.vly", 1);
    EXPECT_EQ(Archives(), List({ "Stamps000001.vly", "Stamps000002.vly" }));
}

struct TitleCase {
    const char* file;
    const char* title;
    const char* sequence;
};

void PrintTo(const TitleCase& c, std::ostream* os)
{
    *os << c.file;
}

class ArchiveTitleTest : public ::testing::TestWithParam<TitleCase> { };

TEST_P(ArchiveTitleTest, TitleIsTheNameBeforeTheSixDigits)
{
    const TitleCase& c = GetParam();
    EXPECT_EQ(CDataFileMgmt::GetDataFileTitle(c.file), c.title);
    EXPECT_EQ(CDataFileMgmt::GetArchiveSequenceText(c.file), c.sequence);
    EXPECT_EQ(CDataFileMgmt::IsArchiveFileMatch(c.title, c.file), *c.title != '\0');
}

INSTANTIATE_TEST_SUITE_P(Names, ArchiveTitleTest,
    ::testing::Values(TitleCase { "Stamps000012.vly", "Stamps", "12" },
        TitleCase { "Stamps 2024000001.vly", "Stamps 2024", "1" }, TitleCase { "My.Lib000100.vly", "My.Lib", "100" },
        TitleCase { "VemoLibrary2000003.dat", "VemoLibrary2", "3" },
        TitleCase { "/data/Archives/X000000.vly", "X", "0" }, TitleCase { "notes000007", "notes", "7" },
        TitleCase { "Stamps.vly", "", "" }, TitleCase { "Stamps12345.vly", "", "" },
        TitleCase { "000001.vly", "", "" }));

TEST_F(DataFileMgmtTest, RestoreCandidatesAreEveryLibrarysArchivesNewestFirst)
{
    EXPECT_FALSE(m_mgmt.HaveRestoreCandidates("B", "vly"));
    BackUp("B.vly", 2);
    BackUp("A.vly", 1);
    BackUp("VemoLibrary2.dat", 1);
    BackUp("VemoLibrary2.vly", 1);
    CStringList list;
    list.AddTail("stale");
    m_mgmt.GetRestoreCandidates("B", "vly", list);
    EXPECT_EQ(ToNames(list), List({ "A000001.vly", "B000002.vly", "B000001.vly", "VemoLibrary2000001.vly" }));
    EXPECT_TRUE(m_mgmt.HaveRestoreCandidates("Z", "vly"));
    m_mgmt.GetRestoreCandidates("B", "dat", list);
    EXPECT_EQ(ToNames(list), List({ "VemoLibrary2000001.dat" }));
}

TEST_F(DataFileMgmtTest, RestoreArchivesTheCurrentFileFirst)
{
    BackUp("Stamps.vly", 10);
    Write("Stamps.vly", "current");
    // The oldest archive is the one that pruning would drop.
    ASSERT_TRUE(m_mgmt.RestoreDataFile("Stamps000001.vly", "Stamps", "vly"));
    EXPECT_EQ(ReadAll(Data("Stamps.vly")), "Stamps.vly state 1");
    EXPECT_EQ(ReadAll(Archive("Stamps000011.vly")), "current");
    EXPECT_EQ(m_mgmt.GetArchivesCount("Stamps"), 10);
}

TEST_F(DataFileMgmtTest, RestoreUnderAnotherNameAddsALibrary)
{
    BackUp("Stamps.vly", 1);
    ASSERT_TRUE(m_mgmt.RestoreDataFile(Archive("Stamps000001.vly"), "Coins", "vly"));
    EXPECT_EQ(ReadAll(Data("Coins.vly")), "Stamps.vly state 1");
    EXPECT_EQ(m_mgmt.GetArchivesCount("Coins"), 0);
}

TEST_F(DataFileMgmtTest, FailedRestoreChangesNothing)
{
    BackUp("Stamps.vly", 10);
    Names before = Archives();
    Write("Stamps.vly", "current");
    EXPECT_FALSE(m_mgmt.RestoreDataFile("Stamps000019.vly", "Stamps", "vly"));
    EXPECT_FALSE(m_mgmt.RestoreDataFile(Data("Stamps.vly"), "Stamps", "vly"));
    EXPECT_FALSE(m_mgmt.RestoreDataFile("Stamps000001.vly", "../Stamps", "vly"));
    // Room for the archive of the current file, not for the restored one.
    CFileUtils::SetWriteLimitForTesting(10);
    EXPECT_FALSE(m_mgmt.RestoreDataFile("Stamps000001.vly", "Stamps", "vly"));
    CFileUtils::SetWriteLimitForTesting(-1);
    EXPECT_EQ(ReadAll(Data("Stamps.vly")), "current");
    EXPECT_EQ(Archives(), before);
}

TEST_F(DataFileMgmtTest, CopyNeverOverwrites)
{
    Write("A.vly", "a");
    Write("B.vly", "b");
    EXPECT_TRUE(m_mgmt.CopyDataFile("A.vly", "copy of A.vly"));
    EXPECT_EQ(ReadAll(Data("copy of A.vly")), "a");
    EXPECT_FALSE(m_mgmt.CopyDataFile("A.vly", "B.vly"));
    EXPECT_FALSE(m_mgmt.CopyDataFile("Missing.vly", "C.vly"));
    EXPECT_EQ(ReadAll(Data("B.vly")), "b");
    EXPECT_FALSE(CFileUtils::DoesFileExist(Data("C.vly")));
}

TEST_F(DataFileMgmtTest, RenameMovesTheDataFileAndItsArchives)
{
    BackUp("Old.vly", 3);
    BackUp("Other.vly", 1);
    ASSERT_TRUE(m_mgmt.RenameDataFile("Old.vly", "New.vly"));
    EXPECT_FALSE(CFileUtils::DoesFileExist(Data("Old.vly")));
    EXPECT_EQ(ReadAll(Data("New.vly")), "Old.vly state 3");
    EXPECT_EQ(Archives(), List({ "New000001.vly", "New000002.vly", "New000003.vly", "Other000001.vly" }));
}

TEST_F(DataFileMgmtTest, RenameNumbersAfterArchivesLeftUnderTheNewName)
{
    BackUp("New.vly", 2);
    ASSERT_TRUE(m_mgmt.DeleteDataFile("New.vly", false));
    BackUp("Old.vly", 1);
    ASSERT_TRUE(m_mgmt.RenameDataFile("Old.vly", "New.vly"));
    EXPECT_EQ(Archives(), List({ "New000001.vly", "New000002.vly", "New000003.vly" }));
    EXPECT_EQ(ReadAll(Archive("New000003.vly")), "Old.vly state 1");
}

TEST_F(DataFileMgmtTest, FailedRenamePutsEveryNameBack)
{
    BackUp("Old.vly", 2);
    Write("Taken.vly", "taken");
    EXPECT_FALSE(m_mgmt.RenameDataFile("Old.vly", "Taken.vly"));
    EXPECT_FALSE(m_mgmt.RenameDataFile("Missing.vly", "New.vly"));

    // A folder where the second archive would go stops the rename half-way.
    std::filesystem::create_directory(Archive("New000002.vly"));
    EXPECT_FALSE(m_mgmt.RenameDataFile("Old.vly", "New.vly"));
    EXPECT_EQ(ReadAll(Data("Old.vly")), "Old.vly state 2");
    EXPECT_FALSE(CFileUtils::DoesFileExist(Data("New.vly")));
    EXPECT_EQ(Archives(), List({ "Old000001.vly", "Old000002.vly" }));
    EXPECT_EQ(ReadAll(Data("Taken.vly")), "taken");
}

TEST_F(DataFileMgmtTest, DeleteWithOrWithoutArchives)
{
    BackUp("A.vly", 2);
    BackUp("B.vly", 2);
    EXPECT_TRUE(m_mgmt.DeleteDataFile("A.vly", false));
    EXPECT_TRUE(m_mgmt.DeleteDataFile("B.vly", true));
    EXPECT_FALSE(CFileUtils::DoesFileExist(Data("A.vly")));
    EXPECT_FALSE(CFileUtils::DoesFileExist(Data("B.vly")));
    EXPECT_EQ(Archives(), List({ "A000001.vly", "A000002.vly" }));
    EXPECT_FALSE(m_mgmt.DeleteDataFile("../A.vly", true));
}

TEST_F(DataFileMgmtTest, DeleteReportsAFileThatStays)
{
    // Undeletable even for root: a folder with content under the file's name.
    std::filesystem::create_directories(Data("A.vly/inside"));
    EXPECT_FALSE(m_mgmt.DeleteDataFile("A.vly", true));
}

TEST_F(DataFileMgmtTest, UnprunedArchivesWaitForPruneOrDiscard)
{
    BackUp("Stamps.vly", 10);
    Write("Stamps.vly", "does not load");
    CString taken;
    ASSERT_TRUE(m_mgmt.BackupDataFile("Stamps.vly", false, &taken));
    EXPECT_EQ(taken, "Stamps000011.vly");
    EXPECT_EQ(m_mgmt.GetArchivesCount("Stamps"), 11);

    EXPECT_TRUE(m_mgmt.DiscardArchive(Archive(taken)));
    EXPECT_EQ(m_mgmt.GetArchivesCount("Stamps"), 10);
    EXPECT_TRUE(CFileUtils::DoesFileExist(Archive("Stamps000001.vly")));

    BackUp("Stamps.vly", 2, false);
    EXPECT_TRUE(m_mgmt.PruneArchives("Stamps.vly"));
    EXPECT_EQ(Archives().front(), "Stamps000003.vly");
    EXPECT_EQ(m_mgmt.GetArchivesCount("Stamps"), 10);
}

TEST_F(DataFileMgmtTest, DiscardTouchesOnlyArchives)
{
    Write("Stamps000001.vly", "a data file, not an archive");
    EXPECT_FALSE(m_mgmt.DiscardArchive(Data("Stamps000001.vly")));
    EXPECT_FALSE(m_mgmt.DiscardArchive(m_mgmt.GetArchiveDir() + "../Stamps000001.vly"));
    EXPECT_TRUE(CFileUtils::DoesFileExist(Data("Stamps000001.vly")));
}

TEST_F(DataFileMgmtTest, ArchiveSizeAndAge)
{
    BackUp("Stamps.vly", 1);
    EXPECT_EQ(m_mgmt.GetArchiveSize("Stamps000001.vly"), 18);
    EXPECT_EQ(m_mgmt.GetArchiveSize("Stamps000002.vly"), -1);
    COleDateTime made = m_mgmt.GetArchiveTime("Stamps000001.vly");
    ASSERT_TRUE(made.IsValid());
    EXPECT_LT(std::abs((COleDateTime::GetCurrentTime() - made).GetTotalMinutes()), 5.0);
    EXPECT_FALSE(m_mgmt.GetArchiveAgeText("Stamps000001.vly", made + COleDateTimeSpan(3.0)).empty());
    EXPECT_EQ(m_mgmt.GetArchiveAgeText("Stamps000002.vly", made), "");
}

struct ByteCase {
    std::int64_t bytes;
    const char* text;
};

void PrintTo(const ByteCase& c, std::ostream* os)
{
    *os << c.bytes;
}

class ByteCountTest : public ::testing::TestWithParam<ByteCase> { };

TEST_P(ByteCountTest, Formats)
{
    EXPECT_EQ(CDataFileMgmt::FormatByteCount(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Counts, ByteCountTest,
    ::testing::Values(ByteCase { -1, "" }, ByteCase { 0, "0 bytes" }, ByteCase { 1, "1 byte" },
        ByteCase { 512, "512 bytes" }, ByteCase { 1023, "1023 bytes" }, ByteCase { 1024, "1.0 KB" },
        ByteCase { 1536, "1.5 KB" }, ByteCase { 1048575, "1.0 MB" }, ByteCase { 2411725, "2.3 MB" },
        ByteCase { 5368709120LL, "5.0 GB" }));

} // namespace
