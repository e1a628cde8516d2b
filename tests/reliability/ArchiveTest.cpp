// Archive copies around loads: a copy is taken before every load, a file
// that cannot be read never pushes the good copies out, at most ten copies
// stay, and a restore archives the current file first. The document runs
// this sequence on every load (OpenAsTheProgramDoes below): copy without
// pruning, read, then prune after a good read or drop the copy of a bad
// file that the newest copy already holds.
#include <gtest/gtest.h>

#include "SampleLibrary.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "platform/appcfg/DataFileMgmt.h"
#include "platform/util/FileUtils.h"
#include "support/TempDir.h"

namespace {

const CString kName = "Stamps";
const CString kFile = "Stamps.vly";

class ArchivesAroundLoads : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_mgmt.Configure(m_dir.Path(), 10);
        m_good = vemotest::SampleLibraryBytes(24);
        m_damaged = m_good.substr(0, m_good.size() / 2);
        vemotest::WriteAll(Path(), m_good);
    }

    CString Path() const { return m_dir.File(kFile); }

    bool OpenAsTheProgramDoes()
    {
        CString newArchive;
        const bool archived = m_mgmt.BackupDataFile(kFile, false, &newArchive);
        CLibrary library(true, false);
        bool converted = false;
        CString error;
        const bool loaded = CLibraryFile::Read(library, Path(), converted, error);
        if (!archived)
            return loaded;
        if (loaded) {
            m_mgmt.PruneArchives(kFile);
            return true;
        }
        CStringList candidates;
        m_mgmt.GetRestoreCandidates(kName, "vly", candidates);
        for (const CString& archive : candidates) {
            if (archive == newArchive || CDataFileMgmt::GetDataFileTitle(archive) != kName)
                continue;
            if (CFileUtils::AreFilesIdentical(m_mgmt.GetArchivePath(archive), m_mgmt.GetArchivePath(newArchive)))
                m_mgmt.DiscardArchive(newArchive);
            break;
        }
        return false;
    }

    // Archive contents, newest first.
    std::vector<std::string> Archives() const
    {
        CStringList candidates;
        m_mgmt.GetRestoreCandidates(kName, "vly", candidates);
        std::vector<std::string> contents;
        for (const CString& archive : candidates)
            contents.push_back(vemotest::ReadAll(m_mgmt.GetArchivePath(archive)));
        return contents;
    }

    vemotest::TempDir m_dir;
    CDataFileMgmt m_mgmt;
    std::string m_good;
    std::string m_damaged;
};

TEST_F(ArchivesAroundLoads, ACopyIsTakenBeforeTheLoad)
{
    ASSERT_TRUE(OpenAsTheProgramDoes());
    EXPECT_EQ(Archives(), std::vector<std::string> { m_good });
}

TEST_F(ArchivesAroundLoads, ADamagedFileLoadedTwentyTimesKeepsTheLastGoodCopy)
{
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(OpenAsTheProgramDoes());
    vemotest::WriteAll(Path(), m_damaged);
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(OpenAsTheProgramDoes());

    const std::vector<std::string> archives = Archives();
    ASSERT_EQ(archives.size(), 10u);
    EXPECT_EQ(archives.front(), m_damaged);
    for (std::size_t i = 1; i < archives.size(); ++i)
        EXPECT_EQ(archives[i], m_good) << "copy " << i;
}

TEST_F(ArchivesAroundLoads, ElevenLoadsOfAGoodFileKeepTen)
{
    for (int i = 0; i < 11; ++i)
        ASSERT_TRUE(OpenAsTheProgramDoes());
    EXPECT_EQ(m_mgmt.GetArchivesCount(kName), 10);
}

TEST_F(ArchivesAroundLoads, RestoreArchivesTheCurrentFileFirst)
{
    ASSERT_TRUE(OpenAsTheProgramDoes());
    CStringList candidates;
    m_mgmt.GetRestoreCandidates(kName, "vly", candidates);
    ASSERT_EQ(candidates.GetCount(), 1);
    const CString goodCopy = candidates.GetHead();
    vemotest::WriteAll(Path(), m_damaged);

    ASSERT_TRUE(m_mgmt.RestoreDataFile(goodCopy, kName, "vly"));
    EXPECT_EQ(vemotest::ReadAll(Path()), m_good);
    const std::vector<std::string> archives = Archives();
    ASSERT_EQ(archives.size(), 2u);
    EXPECT_EQ(archives.front(), m_damaged);
    EXPECT_TRUE(OpenAsTheProgramDoes());
}

} // namespace
