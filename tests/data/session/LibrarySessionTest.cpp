// The library session as the program (Interactive) and the tool (Change,
// Read) use it: archive copies around loads, the earlier format written
// back, locks, the shared data file written by more than one process, and
// the library commands.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <set>

#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/session/LibraryNames.h"
#include "data/session/LibrarySession.h"
#include "data/session/SessionPrompts.h"
#include "data/session/SharedLists.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/LibrarySnapshot.h"
#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "platform/util/FileUtils.h"
#include "platform/util/Person.h"
#include "support/TempDir.h"

namespace {

using Access = CLibrarySession::Access;
using SaveKind = CLibrarySession::SaveKind;

// Records what the session says; answers questions from queues (no, and
// the last choice, when they are empty).
class CRecordingPrompts : public CSessionPrompts {
public:
    void Tell(const CString&, const CString& text) override { texts.push_back(text); }
    bool Confirm(const CString&, const CString& text) override
    {
        texts.push_back(text);
        const bool yes = !confirms.empty() && confirms.front();
        if (!confirms.empty())
            confirms.pop_front();
        return yes;
    }
    int Choose(const CString&, const CString& text, const std::vector<CString>& choices) override
    {
        texts.push_back(text);
        return static_cast<int>(choices.size()) - 1;
    }
    CString All() const
    {
        CString all;
        for (const CString& text : texts)
            all += text + "\n";
        return all;
    }

    std::vector<CString> texts;
    std::deque<bool> confirms;
};

void ResetSharedLists()
{
    CPublisherMgr::DeleteInstance();
    CPersonMgr::DeleteInstance();
    CMagazineMgr::DeleteInstance();
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedLists(); }
    void TearDown() override
    {
        CFileUtils::SetWriteLimitForTesting(-1);
        m_session.reset();
        ResetSharedLists();
    }

    CLibrarySession& NewSession()
    {
        m_session.reset();
        m_session = std::make_unique<CLibrarySession>(m_dir.Path(), "VemoLibrary", m_prompts);
        return *m_session;
    }
    std::string Path(const CString& name) const { return m_dir.File(name + ".vly"); }
    std::string SharedPath() const { return m_dir.File("VemoLibrary2.dat"); }

    // A library file with notes and books (title, publisher id). The
    // session's library goes first: libraries share the category list.
    void WriteLibrary(const CString& name, const CString& notes, const std::vector<std::pair<CString, int>>& books = {})
    {
        m_session.reset();
        CLibrary library(true, true);
        library.SetName(name);
        library.SetNotes(notes);
        for (const auto& [title, publisher] : books) {
            CMediaItem* book = library.CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr);
            book->SetTitle(title);
            book->SetPublisherID(publisher);
        }
        CString error;
        ASSERT_TRUE(CLibraryFile::Write(library, Path(name), error)) << error;
    }
    // A shared data file holding these publishers, ids from 1.
    void WriteShared(const std::vector<CString>& publishers)
    {
        ResetSharedLists();
        for (const CString& name : publishers)
            CPublisherMgr::GetInstance()->GetPublisher(name, true);
        vemotest::WriteAll(SharedPath(), CLibrarySnapshot::SharedBytes());
        ResetSharedLists();
    }
    // The publisher names the shared data file holds, by id.
    std::map<int, CString> SharedPublishers() const
    {
        const CSharedLists lists = CSharedLists::FromBytes(vemotest::ReadAll(SharedPath()));
        std::map<int, CString> names;
        for (const CPerson& publisher : lists.publishers.records)
            names[publisher.GetUniqueID()] = publisher.GetLastName();
        return names;
    }
    CMediaItem* FirstBook() const
    {
        POSITION pos = m_session->GetLibrary()->GetHeadItem(CMediaUtils::MEDIA_BOOK);
        return pos ? m_session->GetLibrary()->GetNextItem(CMediaUtils::MEDIA_BOOK, pos) : nullptr;
    }
    int ArchiveCount(const CString& name) const { return m_session->GetArchives().GetArchivesCount(name); }
    // Archive contents of a library, newest first.
    std::vector<std::string> Archives(const CString& name) const
    {
        CStringList list;
        m_session->GetArchives().GetRestoreCandidates(name, "vly", list);
        std::vector<std::string> contents;
        for (const CString& archive : list)
            if (CDataFileMgmt::GetDataFileTitle(archive) == name)
                contents.push_back(vemotest::ReadAll(m_session->GetArchives().GetArchivePath(archive)));
        return contents;
    }

    vemotest::TempDir m_dir;
    CRecordingPrompts m_prompts;
    std::unique_ptr<CLibrarySession> m_session;
};

// --- What the program and the tool do alike -------------------------------

class ChangingSession : public SessionTest, public ::testing::WithParamInterface<Access> { };

INSTANTIATE_TEST_SUITE_P(ProgramAndTool, ChangingSession, ::testing::Values(Access::Interactive, Access::Change),
    [](const auto& info) { return info.param == Access::Interactive ? "Program" : "Tool"; });

TEST_P(ChangingSession, EveryLoadTakesACopyAndTheSurplusGoesDuplicatesFirst)
{
    for (int version = 1; version <= 12; ++version) {
        // Versions 1..6 distinct, then the same content six times.
        WriteLibrary("Stamps", "version " + std::to_string(std::min(version, 6)));
        ASSERT_TRUE(NewSession().Open("Stamps", GetParam()));
    }
    const std::vector<std::string> archives = Archives("Stamps");
    ASSERT_EQ(archives.size(), 10u);
    // Every distinct version is still there.
    EXPECT_EQ(std::set<std::string>(archives.begin(), archives.end()).size(), 6u);

    // Reading only leaves the archives alone.
    ASSERT_TRUE(NewSession().Open("Stamps", Access::Read));
    EXPECT_EQ(Archives("Stamps").size(), 10u);
}

TEST_P(ChangingSession, EarlierFormatIsWrittenBackAtOnce)
{
    {
        CLibrary old(true, true);
        old.CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr)->SetTitle("Moby Dick");
        std::string bytes;
        CString error;
        ASSERT_TRUE(CLibraryFile::WriteEarlierFormatBytes(old, bytes, error)) << error;
        vemotest::WriteAll(Path("Old"), bytes);
    }
    ASSERT_TRUE(NewSession().Open("Old", Access::Read));
    EXPECT_TRUE(m_session->WasConverted());
    EXPECT_EQ(vemotest::ReadAll(Path("Old"))[0], 1);

    ASSERT_TRUE(NewSession().Open("Old", GetParam()));
    EXPECT_FALSE(m_session->IsModified());
    EXPECT_EQ(vemotest::ReadAll(Path("Old"))[0], 2);
    EXPECT_TRUE(std::filesystem::exists(SharedPath()));
    EXPECT_EQ(ArchiveCount("Old"), 1);
}

// A second process wrote the shared data file after this one read it, and
// handed out the same publisher id: both publishers stay, and this
// process's book follows its publisher to a new id.
TEST_P(ChangingSession, SharedDataWrittenMeanwhileIsMergedNotOverwritten)
{
    WriteShared({ "Base", "Gone" });
    WriteLibrary("Mine", "");
    CLibrarySession& session = NewSession();
    ASSERT_TRUE(session.Open("Mine", GetParam()));

    {
        CSharedLists other = CSharedLists::FromManagers();
        other.publishers.records.erase(other.publishers.records.begin() + 1); // "Gone" removed there
        CPerson theirs(CString(), CString(), "Theirs");
        theirs.SetUniqueID(3);
        other.publishers.records.push_back(theirs);
        CPerson both(CString(), CString(), "Both");
        both.SetUniqueID(4);
        other.publishers.records.push_back(both);
        other.publishers.nextID = 5;
        vemotest::WriteAll(SharedPath(), other.ToBytes());
    }
    // Here: "Mine" and "Both" take ids 3 and 4 as well.
    CPublisherMgr* publishers = CPublisherMgr::GetInstance();
    const int mine = publishers->GetPublisher("Mine", true)->GetUniqueID();
    const int both = publishers->GetPublisher("both", true)->GetUniqueID();
    ASSERT_EQ(mine, 3);
    ASSERT_EQ(both, 4);
    for (const auto& [title, id] : { std::pair<CString, int> { "Dune", mine }, { "Emma", both } }) {
        CMediaItem* book = session.GetLibrary()->CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr);
        book->SetTitle(title);
        book->SetPublisherID(id);
    }
    session.MarkModified();
    ASSERT_TRUE(session.Save(SaveKind::Explicit)) << m_prompts.All();

    const std::map<int, CString> expected { { 1, "Base" }, { 3, "Theirs" }, { 4, "Both" }, { 5, "Mine" } };
    EXPECT_EQ(SharedPublishers(), expected);
    // Read back as a new process would.
    ResetSharedLists();
    ASSERT_TRUE(NewSession().Open("Mine", Access::Read));
    std::map<CString, CString> bookPublishers;
    for (POSITION pos = m_session->GetLibrary()->GetHeadItem(CMediaUtils::MEDIA_BOOK); pos;) {
        const CMediaItem* book = m_session->GetLibrary()->GetNextItem(CMediaUtils::MEDIA_BOOK, pos);
        bookPublishers[book->GetTitle()]
            = CPublisherMgr::GetInstance()->GetPublisher(book->GetPublisherID())->GetLastName();
    }
    EXPECT_EQ(bookPublishers, (std::map<CString, CString> { { "Dune", "Mine" }, { "Emma", "Both" } }));
}

// The shared data goes first; when the library cannot be written after it,
// the shared data file is put back as it was.
TEST_P(ChangingSession, AFailedSaveLeavesBothFilesAsTheyWere)
{
    WriteShared({ "Base" });
    WriteLibrary("Mine", "before");
    const std::string sharedBefore = vemotest::ReadAll(SharedPath());
    const std::string libraryBefore = vemotest::ReadAll(Path("Mine"));
    CLibrarySession& session = NewSession();
    ASSERT_TRUE(session.Open("Mine", GetParam()));
    const int added = CPublisherMgr::GetInstance()->GetPublisher("Added", true)->GetUniqueID();
    CMediaItem* book = session.GetLibrary()->CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr);
    book->SetPublisherID(added);
    session.MarkModified();

    std::string libraryBytes;
    CString error;
    ASSERT_TRUE(CLibraryFile::WriteBytes(*session.GetLibrary(), libraryBytes, error));
    const std::size_t sharedSize = CLibrarySnapshot::SharedBytes().size();
    ASSERT_LT(sharedSize + 16, libraryBytes.size());
    CFileUtils::SetWriteLimitForTesting(static_cast<std::int64_t>(sharedSize + 16));
    EXPECT_FALSE(session.Save(SaveKind::Explicit));
    EXPECT_EQ(vemotest::ReadAll(SharedPath()), sharedBefore);
    EXPECT_EQ(vemotest::ReadAll(Path("Mine")), libraryBefore);
    EXPECT_TRUE(session.IsModified());

    CFileUtils::SetWriteLimitForTesting(-1);
    session.MarkModified();
    ASSERT_TRUE(session.Save(SaveKind::Explicit)) << m_prompts.All();
    EXPECT_EQ(SharedPublishers(), (std::map<int, CString> { { 1, "Base" }, { 2, "Added" } }));
}

// Lists this session never read from the file are merged into it too.
TEST_F(SessionTest, SharedDataSavedWithoutALoadKeepsTheFilesRecords)
{
    WriteShared({ "Base" });
    CLibrarySession& session = NewSession();
    CPublisherMgr::GetInstance()->GetPublisher("Mine", true);
    ASSERT_TRUE(session.SaveSharedData()) << m_prompts.All();
    EXPECT_EQ(SharedPublishers(), (std::map<int, CString> { { 1, "Base" }, { 2, "Mine" } }));
}

// --- Where the program and the tool differ --------------------------------

TEST_F(SessionTest, ALibraryHeldElsewhereIsShownByTheProgramAndRefusedByTheTool)
{
    WriteLibrary("Alpha", "");
    CFileLock other;
    ASSERT_TRUE(other.Acquire(Path("Alpha"), "vemolibrary-cli").Acquired());

    EXPECT_FALSE(NewSession().Open("Alpha", Access::Change));
    EXPECT_NE(m_prompts.All().find("is in use by vemolibrary-cli"), CString::npos) << m_prompts.All();
    EXPECT_NE(m_prompts.All().find("close it there"), CString::npos);

    m_prompts.texts.clear();
    CLibrarySession& session = NewSession();
    ASSERT_TRUE(session.Open("Alpha", Access::Interactive));
    EXPECT_FALSE(session.HoldsLock());
    EXPECT_NE(m_prompts.All().find("cannot save changes to it until"), CString::npos) << m_prompts.All();
    session.MarkModified();
    EXPECT_FALSE(session.Save(SaveKind::Idle));
    // Neither renamed nor deleted while the other holds it.
    EXPECT_FALSE(session.Rename("Gamma"));
    EXPECT_FALSE(session.Delete(false, true));
    EXPECT_TRUE(std::filesystem::exists(Path("Alpha")));
    EXPECT_FALSE(std::filesystem::exists(Path("Gamma")));
    EXPECT_NE(m_prompts.All().find("it cannot be deleted while that program has it open"), CString::npos);

    other.Release();
    EXPECT_TRUE(session.Save(SaveKind::Explicit));
    EXPECT_TRUE(session.Rename("Gamma"));
    EXPECT_TRUE(std::filesystem::exists(Path("Gamma")));
}

// A lock file that cannot be made is not "in use" by anybody.
TEST_F(SessionTest, ALockThatCannotBeMadeIsToldAsSuch)
{
    WriteLibrary("Alpha", "");
    std::filesystem::create_directory(Path("Alpha") + ".lock");
    EXPECT_FALSE(NewSession().Open("Alpha", Access::Change));
    EXPECT_EQ(m_prompts.All().find("in use"), CString::npos) << m_prompts.All();
    EXPECT_NE(m_prompts.All().find("cannot be locked"), CString::npos) << m_prompts.All();
    EXPECT_NE(m_prompts.All().find("Is a directory"), CString::npos) << m_prompts.All();
}

TEST_F(SessionTest, AnUnreadableLibraryIsRefusedByTheToolAndShownEmptyByTheProgram)
{
    WriteLibrary("Stamps", "good");
    ASSERT_TRUE(NewSession().Open("Stamps", Access::Interactive));
    const std::string good = vemotest::ReadAll(Path("Stamps"));
    const std::string damaged = good.substr(0, good.size() * 8 / 10);
    vemotest::WriteAll(Path("Stamps"), damaged);

    EXPECT_FALSE(NewSession().Open("Stamps", Access::Change));
    CLibrarySession& session = NewSession();
    ASSERT_TRUE(session.Open("Stamps", Access::Interactive));
    ASSERT_TRUE(session.NeedsOverwriteConsent());
    // The question says the file would be replaced by what is shown, and
    // offers the last good copy.
    EXPECT_NE(session.OverwriteQuestion(true).find("shows none of its content"), CString::npos);
    EXPECT_NE(session.OverwriteQuestion(true).find("restore that copy"), CString::npos);
    EXPECT_EQ(vemotest::ReadAll(session.GetArchives().GetArchivePath(session.GetLoadCopy())), good);
    session.MarkModified();
    EXPECT_FALSE(session.Save(SaveKind::Explicit));
    EXPECT_EQ(vemotest::ReadAll(Path("Stamps")), damaged);
    session.AnswerOverwrite(true);
    EXPECT_TRUE(session.Save(SaveKind::Explicit));
}

// Fifty publishers saved, the file cut: it is never written over, the user
// is told once, and the program may take the last good copy back.
TEST_F(SessionTest, ADamagedSharedDataFileIsNotWrittenOver)
{
    std::vector<CString> names;
    for (int i = 1; i <= 50; ++i)
        names.push_back("Publisher " + std::to_string(i));
    WriteShared(names);
    WriteLibrary("Books", "", { { "Dune", 46 } });
    ASSERT_TRUE(NewSession().LoadSharedData(Access::Interactive));
    const std::string good = vemotest::ReadAll(SharedPath());
    const std::string cut = good.substr(0, good.size() * 6 / 10);
    vemotest::WriteAll(SharedPath(), cut);

    // The tool changes nothing.
    ResetSharedLists();
    EXPECT_FALSE(NewSession().Open("Books", Access::Change));
    EXPECT_EQ(vemotest::ReadAll(SharedPath()), cut);

    // The program declines the copy: nothing is written, and saving the
    // library needs consent, since its items lost their publishers.
    ResetSharedLists();
    m_prompts.texts.clear();
    CLibrarySession& session = NewSession();
    EXPECT_FALSE(session.LoadSharedData(Access::Interactive));
    ASSERT_EQ(m_prompts.texts.size(), 1u);
    EXPECT_NE(m_prompts.texts[0].find("Restore the copy"), CString::npos) << m_prompts.texts[0];
    EXPECT_FALSE(session.SaveSharedData());
    ASSERT_TRUE(session.Open("Books", Access::Interactive));
    EXPECT_TRUE(session.NeedsOverwriteConsent());
    EXPECT_NE(session.OverwriteQuestion(false).find("lost their links"), CString::npos);
    EXPECT_EQ(m_prompts.texts.size(), 1u);
    EXPECT_EQ(vemotest::ReadAll(SharedPath()), cut);

    // Taking the copy back brings every publisher back.
    ResetSharedLists();
    m_prompts.confirms = { true };
    CLibrarySession& again = NewSession();
    EXPECT_TRUE(again.LoadSharedData(Access::Interactive));
    EXPECT_EQ(vemotest::ReadAll(SharedPath()), good);
    ASSERT_TRUE(again.Open("Books", Access::Interactive));
    EXPECT_FALSE(again.NeedsOverwriteConsent());
    EXPECT_EQ(CPublisherMgr::GetInstance()->GetPublisher(FirstBook()->GetPublisherID())->GetLastName(), "Publisher 46");
}

// --- Library commands ------------------------------------------------------

TEST_F(SessionTest, RestoringKeepsEveryVersionOnceAndAsksBeforeReplacing)
{
    for (int version = 1; version <= 11; ++version) {
        WriteLibrary("Stamps", "version " + std::to_string(version));
        ASSERT_TRUE(NewSession().Open("Stamps", Access::Interactive));
    }
    std::vector<std::string> before = Archives("Stamps");
    ASSERT_EQ(before.size(), 10u);
    CStringList candidates;
    m_session->GetArchives().GetRestoreCandidates("Stamps", "vly", candidates);
    const CString oldest = candidates.GetTail();
    const std::string oldestBytes = vemotest::ReadAll(m_session->GetArchives().GetArchivePath(oldest));
    const std::string current = vemotest::ReadAll(Path("Stamps"));

    // Another library open: replacing Stamps is asked first.
    WriteLibrary("Coins", "");
    CLibrarySession& session = NewSession();
    ASSERT_TRUE(session.Open("Coins", Access::Interactive));
    CString restored;
    EXPECT_FALSE(session.Restore(oldest, false, restored));
    EXPECT_EQ(vemotest::ReadAll(Path("Stamps")), current);
    m_prompts.confirms = { true };
    ASSERT_TRUE(session.Restore(oldest, false, restored));
    EXPECT_EQ(restored, "Stamps");
    EXPECT_EQ(vemotest::ReadAll(Path("Stamps")), oldestBytes);
    ASSERT_TRUE(NewSession().Open("Stamps", Access::Interactive));

    const std::vector<std::string> after = Archives("Stamps");
    EXPECT_EQ(std::set<std::string>(after.begin(), after.end()), std::set<std::string>(before.begin(), before.end()));
    EXPECT_EQ(after.size(), 10u);
}

TEST_F(SessionTest, RestoreFollowsTheNameRules)
{
    WriteLibrary("stamps", "lower case");
    NewSession().GetArchives().BackupDataFile("stamps.vly");
    std::filesystem::remove(Path("stamps"));
    WriteLibrary("Stamps", "upper case");
    vemotest::WriteAll(m_dir.File("Archives/.hidden000001.vly"), vemotest::ReadAll(Path("Stamps")));

    CLibrarySession& session = NewSession();
    CString restored;
    m_prompts.confirms = { true };
    ASSERT_TRUE(session.Restore("stamps000001.vly", false, restored));
    EXPECT_EQ(restored, "Stamps");
    EXPECT_EQ(session.ListLibraries(), (CStringArray { "Stamps" }));
    EXPECT_FALSE(session.Restore(".hidden000001.vly", false, restored));
    EXPECT_EQ(m_prompts.texts.back(), CLibraryNames::LEADING_DOT_MESSAGE);
}

// Archives kept when a library was deleted are not rotated away by a new
// library of the same name.
TEST_F(SessionTest, PreservedArchivesOutliveANewLibraryOfTheSameName)
{
    ASSERT_TRUE(NewSession().Create("My Library"));
    for (int load = 0; load < 3; ++load)
        ASSERT_TRUE(NewSession().Open("My Library", Access::Interactive));
    ASSERT_TRUE(m_session->Delete(true, false));
    const std::vector<std::string> preserved = Archives("My Library");
    ASSERT_EQ(preserved.size(), 4u);

    ASSERT_TRUE(NewSession().Create("My Library"));
    for (int load = 0; load < 12; ++load) {
        WriteLibrary("My Library", "load " + std::to_string(load));
        ASSERT_TRUE(NewSession().Open("My Library", Access::Interactive));
    }
    EXPECT_EQ(Archives("My Library (deleted)"), preserved);
    EXPECT_EQ(Archives("My Library").size(), 10u);
}

TEST_F(SessionTest, NamesUpToTheLimitSaveAndArchive)
{
    const CString longest(CLibraryNames::MAX_NAME_BYTES, 'n');
    ASSERT_TRUE(NewSession().Create(longest)) << m_prompts.All();
    ASSERT_TRUE(NewSession().Open(longest, Access::Change));
    m_session->MarkModified();
    EXPECT_TRUE(m_session->Save(SaveKind::Explicit)) << m_prompts.All();
    EXPECT_EQ(ArchiveCount(longest), 1);
    EXPECT_FALSE(NewSession().Create(longest + "n"));
    EXPECT_EQ(m_prompts.texts.back(), CLibraryNames::TOO_LONG_MESSAGE);
}

} // namespace
