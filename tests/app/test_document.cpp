// The library document: creating, loading (with its archive copies),
// saving at idle, failed saves and loads, and the library commands after
// their dialogs.

#include <QSignalSpy>
#include <QtTest>

#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "app/dialogs/LibraryRestoreDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/MediaUtils.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/Clock.h"

namespace {

const CString kReadProblem = "VemoLibrary was unable to read the Library data file.";
const CString kSaveProblem = "VemoLibrary was unable to save the Library data file.";

} // namespace

class TestDocument : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        CClock::SetNowForTesting(COleDateTime(2024, 3, 9, 10, 30, 0));
    }
    void cleanup()
    {
        CFileUtils::SetWriteLimitForTesting(-1);
        DropDocument();
        CClock::ResetForTesting();
    }

    void firstStartCreatesMyLibrary()
    {
        QSignalSpy shown(m_doc.get(), &CVemoLibraryDoc::MediaTypeRequested);
        QSignalSpy hints(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
        QVERIFY(m_doc->OnNewDocument());
        QVERIFY(!m_doc->GetLibrary());
        QCOMPARE(m_settings->GetLibraryCount(), 0);

        m_doc->CreateNewLibrary();
        QVERIFY(m_doc->GetLibrary());
        QCOMPARE(m_doc->GetLibraryName(), CString("My Library"));
        QCOMPARE(m_doc->GetLibrary()->GetNotes(), CString("This Library was created on 2024-03-09."));
        QVERIFY(!m_doc->IsModified());
        QVERIFY(CFileUtils::DoesFileExist(m_home->LibraryPath("My Library")));
        QCOMPARE(m_settings->GetCurrentLibrary(), CString("My Library"));
        QCOMPARE(m_settings->GetLibraryCount(), 1);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().first().toInt(), CMediaUtils::MEDIA_BOOK);
        QVERIFY(hints.contains(QVariantList { int(CVemoLibraryDoc::HintNewLibrary) }));
        QVERIFY(m_doc->HoldsLock());

        // What was saved reads back with its note.
        CLibrary reread(false, true);
        bool converted = false;
        CString error;
        QVERIFY(CLibraryFile::Read(reread, m_home->LibraryPath("My Library"), converted, error));
        QCOMPARE(reread.GetNotes(), CString("This Library was created on 2024-03-09."));
    }

    void newLibraryTakesTheNextFreeName()
    {
        WriteLibraryFile(m_home->LibraryPath("My Library"), "My Library");
        WriteLibraryFile(m_home->LibraryPath("My Library #2"), "My Library #2");
        m_doc->CreateNewLibrary();
        QCOMPARE(m_doc->GetLibraryName(), CString("My Library #3"));
        QCOMPARE(m_settings->GetLibraryCount(), 3);
    }

    void fortyLibrariesAreTheLimit()
    {
        for (int i = 0; i < 40; ++i)
            QVERIFY(CFileUtils::WriteFileAtomic(m_home->LibraryPath("Library " + std::to_string(i)), ""));
        m_doc->CreateNewLibrary();
        QVERIFY(!m_doc->GetLibrary());
        QCOMPARE(m_box->Count(), 1);
        QCOMPARE(m_box->LastTitle(), QString("New Library"));
        QCOMPARE(m_box->LastText(),
            QString("VemoLibrary has a hard-wired upper limit to the number of Libraries it can support. You cannot "
                    "create any more Libraries.\n\nIf this is a problem, please let us know."));
        m_settings->RefreshLibraryList();
        QCOMPARE(m_settings->GetLibraryCount(), 40);
    }

    void startUpOpensTheCurrentLibrary()
    {
        WriteLibraryFile(m_home->LibraryPath("Coins"), "Coins", { "Gold Rush" });
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black", "Inverted Jenny" });
        m_settings->SetCurrentLibrary("Stamps");
        QSignalSpy titles(m_doc.get(), &CVemoLibraryDoc::TitleChanged);
        QVERIFY(m_doc->OnNewDocument());
        QCOMPARE(m_doc->GetLibraryName(), CString("Stamps"));
        QCOMPARE(m_doc->GetItemCount(CMediaUtils::MEDIA_BOOK), 2);
        QCOMPARE(titles.last().first().toString(), QString("Stamps"));
        // Loading took an archive copy.
        QCOMPARE(m_doc->GetDataFileMgmt().GetArchivesCount("Stamps"), 1);
        QCOMPARE(m_doc->GetFilePath(), m_home->LibraryPath("Stamps"));
    }

    void versionThreeFileShowsTheReadProblemAndIsNotWrittenBack()
    {
        const CString path = m_home->LibraryPath("Future");
        const std::string bytes("\x03\x00garbage that is no library", 29);
        QVERIFY(CFileUtils::WriteFileAtomic(path, bytes));
        m_doc->OpenLibrary("Future", false);
        QVERIFY(m_doc->GetLibrary());
        QCOMPARE(m_doc->GetLibraryName(), CString("Future"));
        QCOMPARE(m_doc->GetItemCount(CMediaUtils::MEDIA_BOOK), 0);
        QCOMPARE(m_box->Count(), 1);
        QCOMPARE(m_box->LastTitle(), QString("VemoLibrary Data File Problem"));
        QCOMPARE(m_box->LastText(), Q(kReadProblem));
        QVERIFY(!m_doc->IsModified());
        QVERIFY(m_doc->LoadFailed());

        // Closing without a change writes nothing.
        m_doc->CloseLibrary();
        QCOMPARE(FileBytes(path), bytes);

        // A change is written over the file only once the user agrees.
        m_doc->OpenLibrary("Future", false);
        m_box->Clear();
        m_doc->SetNotes("typed after the failed load");
        m_box->SetNextAnswer(CMessageBox::No);
        m_doc->DoIdleWork();
        QCOMPARE(m_box->Count(), 1);
        QVERIFY(m_box->ShownMessages().first().question);
        QCOMPARE(FileBytes(path), bytes);
        QVERIFY(m_doc->IsModified());
        // Refused once, idle passes do not ask again.
        m_doc->DoIdleWork();
        m_doc->SetNotes("more typing");
        m_doc->DoIdleWork();
        QCOMPARE(m_box->Count(), 1);

        m_box->SetNextAnswer(CMessageBox::Yes);
        QVERIFY(m_doc->SaveLibrary());
        QVERIFY(FileBytes(path) != bytes);
        QVERIFY(!m_doc->IsModified());
    }

    void versionOneFileIsConvertedAndWrittenBackAtOnce()
    {
        const CString path = m_home->LibraryPath("Old Times");
        {
            CLibrary old(true, true);
            old.SetName("Old Times");
            old.CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr)->SetTitle("Moby Dick");
            std::string bytes;
            CString error;
            QVERIFY2(CLibraryFile::WriteEarlierFormatBytes(old, bytes, error), error.c_str());
            QVERIFY(CFileUtils::WriteFileAtomic(path, bytes));
            QCOMPARE(static_cast<int>(bytes[0]), 1);
        }
        m_doc->OpenLibrary("Old Times", false);
        QCOMPARE(m_box->Count(), 0);
        QVERIFY(!m_doc->IsModified());
        QCOMPARE(m_doc->GetItemCount(CMediaUtils::MEDIA_BOOK), 1);
        std::string written = FileBytes(path);
        QVERIFY(written.size() > 2);
        QCOMPARE(static_cast<int>(written[0]), 2);
        QCOMPARE(static_cast<int>(written[1]), 0);
        QVERIFY(CFileUtils::DoesFileExist(m_home->DataDir() + CSharedData_FILE()));
        // The original stays in the archive.
        QCOMPARE(m_doc->GetDataFileMgmt().GetArchivesCount("Old Times"), 1);
    }

    void idleWorkSavesFirstThenRebuildsOneListPerPass()
    {
        m_doc->CreateNewLibrary();
        const CString path = m_doc->GetFilePath();
        QVERIFY(CFileUtils::DeleteFile(path));
        QSignalSpy hints(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
        m_doc->MarkListStale(CVemoLibraryDoc::ListAuthors);
        m_doc->MarkListStale(CVemoLibraryDoc::ListArtists);
        m_doc->SetNotes("changed");

        QVERIFY(m_doc->DoIdleWork());
        QVERIFY(CFileUtils::DoesFileExist(path));
        QVERIFY(!m_doc->IsModified());
        QCOMPARE(hints.count(), 0);

        QVERIFY(m_doc->DoIdleWork());
        QCOMPARE(hints.count(), 1);
        QCOMPARE(hints.last().first().toInt(), int(CVemoLibraryDoc::HintArtists));

        // The search indexes of the load still wait.
        QVERIFY(m_doc->DoIdleWork());
        QCOMPARE(hints.count(), 2);
        QCOMPARE(hints.last().first().toInt(), int(CVemoLibraryDoc::HintAuthors));
        QVERIFY(m_doc->IsSearchPreparePending());

        // Then one media type's index per pass, until none is left.
        int passes = 1;
        while (m_doc->DoIdleWork() && passes <= CMediaUtils::MEDIA_TYPE_IDLAST)
            ++passes;
        QVERIFY(passes <= CMediaUtils::MEDIA_TYPE_IDLAST);
        QVERIFY(!m_doc->IsSearchPreparePending());
        QVERIFY(!m_doc->DoIdleWork());
        QCOMPARE(hints.count(), 2);
    }

    void searchIndexesWaitForSavesAndListsAndStopWithTheLibrary()
    {
        m_doc->CreateNewLibrary();
        QVERIFY(m_doc->IsSearchPreparePending());
        m_doc->SetNotes("changed");
        m_doc->MarkListStale(CVemoLibraryDoc::ListActors);
        QVERIFY(m_doc->DoIdleWork()); // the save
        QVERIFY(m_doc->DoIdleWork()); // the actors
        QVERIFY(m_doc->IsSearchPreparePending());
        m_doc->CloseLibrary();
        QVERIFY(!m_doc->IsSearchPreparePending());
        QVERIFY(!m_doc->DoIdleWork());
    }

    void aChangeReachesTheDiskAtTheNextIdleMoment()
    {
        m_doc->CreateNewLibrary();
        m_doc->SetAutoIdle(true);
        m_doc->SetNotes("saved when idle");
        QVERIFY(m_doc->IsModified());
        QTRY_VERIFY(!m_doc->IsModified());
        CLibrary reread(false, true);
        bool converted = false;
        CString error;
        QVERIFY(CLibraryFile::Read(reread, m_doc->GetFilePath(), converted, error));
        QCOMPARE(reread.GetNotes(), CString("saved when idle"));
    }

    void nothingIsSavedWhileSavingIsSwitchedOff()
    {
        m_doc->CreateNewLibrary();
        m_doc->SetSaveEnabled(false);
        m_doc->SetNotes("while a view fills");
        m_doc->DoIdleWork();
        QVERIFY(m_doc->IsModified());
        m_doc->SetSaveEnabled(true);
        m_doc->DoIdleWork();
        QVERIFY(!m_doc->IsModified());
    }

    void aFailedSaveIsShownOnceAndKeepsTheOldFile()
    {
        m_doc->CreateNewLibrary();
        const std::string before = FileBytes(m_doc->GetFilePath());
        m_box->Clear();
        CFileUtils::SetWriteLimitForTesting(0);
        m_doc->SetNotes("will not fit");
        m_doc->DoIdleWork();
        QCOMPARE(m_box->Count(), 1);
        QCOMPARE(m_box->LastText(), Q(kSaveProblem));
        QCOMPARE(m_box->LastTitle(), QString("VemoLibrary Data File Problem"));
        QVERIFY(m_doc->IsModified());
        QCOMPARE(FileBytes(m_doc->GetFilePath()), before);

        // No retry at every idle pass, and no second message for a retry
        // after a further change.
        for (int i = 0; i < 5; ++i)
            m_doc->DoIdleWork();
        m_doc->SetNotes("still will not fit");
        m_doc->DoIdleWork();
        QCOMPARE(m_box->Count(), 1);
        QVERIFY(m_doc->IsModified());

        CFileUtils::SetWriteLimitForTesting(-1);
        m_doc->DoIdleWork();
        QVERIFY(m_doc->IsModified());
        m_doc->SetNotes("fits again");
        m_doc->DoIdleWork();
        QVERIFY(!m_doc->IsModified());
        QVERIFY(FileBytes(m_doc->GetFilePath()) != before);
    }

    void idleWorkStopsWhileItMayDoNothing()
    {
        m_doc->CreateNewLibrary();
        m_doc->SetAutoIdle(true);
        m_doc->SetSaveEnabled(false);
        m_doc->SetNotes("while a view fills");
        m_doc->MarkListStale(CVemoLibraryDoc::ListAuthors);
        m_doc->PrepareSearchAtIdle();
        QVERIFY(!m_doc->IsIdlePending());
        QVERIFY(!m_doc->DoIdleWork());
        QVERIFY(m_doc->IsListStale(CVemoLibraryDoc::ListAuthors));

        m_doc->SetSaveEnabled(true);
        QVERIFY(m_doc->IsIdlePending());
        QTRY_VERIFY(!m_doc->IsModified());
        QTRY_VERIFY(!m_doc->IsIdlePending());
        QVERIFY(!m_doc->IsListStale(CVemoLibraryDoc::ListAuthors));
        QVERIFY(!m_doc->IsSearchPreparePending());

        // A save that failed waits for the next change, without passes.
        CFileUtils::SetWriteLimitForTesting(0);
        m_doc->SetNotes("will not fit");
        QTRY_VERIFY(!m_doc->IsIdlePending());
        QVERIFY(m_doc->IsModified());
    }

    void aFailedSaveAtExitOffersToTryAgainOrToStayOpen()
    {
        m_doc->CreateNewLibrary();
        const std::string before = FileBytes(m_doc->GetFilePath());
        m_box->Clear();
        CFileUtils::SetWriteLimitForTesting(0);
        m_doc->SetNotes("not on disk yet");

        // Stay Open is what Escape chooses.
        QVERIFY(!m_doc->QueryClose());
        QCOMPARE(m_box->Count(), 1);
        QVERIFY(m_box->LastText().startsWith(Q(kSaveProblem)));
        QVERIFY(m_doc->IsModified());
        // Try Again tries again, and asks again when it fails again.
        m_box->SetNextChoice(0);
        QVERIFY(!m_doc->QueryClose());
        QCOMPARE(m_box->Count(), 3);
        QCOMPARE(FileBytes(m_doc->GetFilePath()), before);

        CFileUtils::SetWriteLimitForTesting(-1);
        QVERIFY(m_doc->QueryClose());
        QCOMPARE(m_box->Count(), 3);
        QVERIFY(!m_doc->IsModified());
        QVERIFY(FileBytes(m_doc->GetFilePath()) != before);

        // Close Without Saving leaves the file as it is.
        const std::string saved = FileBytes(m_doc->GetFilePath());
        CFileUtils::SetWriteLimitForTesting(0);
        m_doc->SetNotes("given up");
        m_box->SetNextChoice(1);
        QVERIFY(m_doc->QueryClose());
        QVERIFY(!m_doc->GetLibrary());
        QCOMPARE(FileBytes(m_home->LibraryPath("My Library")), saved);
    }

    // Opening another library asks the same before the changes go.
    void aFailedSaveBeforeOpeningAnotherLibraryAsksToo()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black" });
        m_doc->CreateNewLibrary();
        m_settings->RefreshLibraryList();
        const std::string before = FileBytes(m_doc->GetFilePath());
        m_box->Clear();
        CFileUtils::SetWriteLimitForTesting(0);
        m_doc->SetNotes("not on disk yet");

        QVERIFY(!m_doc->OpenLibrary("Stamps", false));
        QCOMPARE(m_box->Count(), 1);
        QVERIFY(m_box->LastText().contains("open the other Library without them"));
        QCOMPARE(m_doc->GetLibraryName(), CString("My Library"));
        QVERIFY(m_doc->IsModified());

        m_box->SetNextChoice(1);
        QVERIFY(m_doc->OpenLibrary("Stamps", false));
        QCOMPARE(m_doc->GetLibraryName(), CString("Stamps"));
        QCOMPARE(FileBytes(m_home->LibraryPath("My Library")), before);
        CFileUtils::SetWriteLimitForTesting(-1);
    }

    void aFailedLoadOffersTheLastGoodCopy()
    {
        const CString path = m_home->LibraryPath("Stamps");
        WriteLibraryFile(path, "Stamps", { "Penny Black" });
        m_doc->OpenLibrary("Stamps", false);
        m_doc->CloseLibrary();
        const std::string good = FileBytes(path);
        QVERIFY(CFileUtils::WriteFileAtomic(path, good.substr(0, good.size() * 8 / 10)));

        m_doc->OpenLibrary("Stamps", false);
        QCOMPARE(m_box->LastText(), Q(kReadProblem));
        QCOMPARE(m_doc->GetItemCount(CMediaUtils::MEDIA_BOOK), 0);
        m_doc->SetNotes("typed after the failed load");
        // Restore Copy.
        m_box->SetNextChoice(1);
        QVERIFY(!m_doc->SaveLibrary());
        const CTestMessageBox::Shown question = m_box->ShownMessages().last();
        QVERIFY(question.question);
        QVERIFY2(question.text.contains("shows none of its content") && question.text.contains("restore that copy"),
            qPrintable(question.text));
        QCOMPARE(m_doc->GetItemCount(CMediaUtils::MEDIA_BOOK), 1);
        QVERIFY(!m_doc->IsModified());
        QVERIFY(!m_doc->LoadFailed());
        QCOMPARE(FileBytes(path), good);
    }

    void aFailedLoadKeepsEveryGoodArchive()
    {
        const CString path = m_home->LibraryPath("Stamps");
        WriteLibraryFile(path, "Stamps", { "Penny Black" });
        for (int i = 0; i < CVemoLibraryDoc::ARCHIVE_COUNT; ++i)
            m_doc->OpenLibrary("Stamps", false);
        m_doc->CloseLibrary();
        CDataFileMgmt& archives = m_doc->GetDataFileMgmt();
        QCOMPARE(archives.GetArchivesCount("Stamps"), 10);

        QVERIFY(CFileUtils::WriteFileAtomic(path, std::string("\x02\x00\x07", 3)));
        m_doc->OpenLibrary("Stamps", false);
        m_doc->CloseLibrary();
        QCOMPARE(archives.GetArchivesCount("Stamps"), 11);
        // The same damaged file again adds no copy.
        m_doc->OpenLibrary("Stamps", false);
        m_doc->CloseLibrary();
        QCOMPARE(archives.GetArchivesCount("Stamps"), 11);
        QCOMPARE(m_box->Count(), 2);

        WriteLibraryFile(path, "Stamps", { "Penny Black" });
        m_doc->OpenLibrary("Stamps", false);
        QCOMPARE(archives.GetArchivesCount("Stamps"), 10);
    }

    void renameMovesTheFileAndTheName()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        m_doc->OpenLibrary("Stamps", false);
        m_settings->SetLastMediaType("Stamps", 3);
        QSignalSpy titles(m_doc.get(), &CVemoLibraryDoc::TitleChanged);
        QVERIFY(m_doc->RenameLibrary("Postage"));
        QCOMPARE(m_doc->GetLibraryName(), CString("Postage"));
        QCOMPARE(m_doc->GetFilePath(), m_home->LibraryPath("Postage"));
        QCOMPARE(m_settings->GetCurrentLibrary(), CString("Postage"));
        QCOMPARE(m_settings->GetLastMediaType("Postage"), 3);
        QCOMPARE(titles.last().first().toString(), QString("Postage"));
        QVERIFY(!CFileUtils::DoesFileExist(m_home->LibraryPath("Stamps")));
        QVERIFY(CFileUtils::DoesFileExist(m_home->LibraryPath("Postage")));
        QCOMPARE(m_doc->GetDataFileMgmt().GetArchivesCount("Postage"), 1);
        QVERIFY(m_doc->HoldsLock());
    }

    // A crash must reopen what was last shown, and a deleted library must
    // leave nothing in the settings: both are written when they change.
    void settingsFollowTheLibraryAndTypeAtOnce()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        WriteLibraryFile(m_home->LibraryPath("Coins"), "Coins");
        const auto stored = [this] {
            auto read = std::make_unique<CVemoLibrarySettings>("/opt/vemo/bin/");
            read->SetSettingsFile(m_settings->GetSettingsFile());
            bool firstRun = false;
            read->Read(firstRun);
            return read;
        };
        m_doc->OpenLibrary("Stamps", false);
        m_doc->RememberMediaType(CMediaUtils::MEDIA_CD);
        QCOMPARE(stored()->GetCurrentLibrary(), CString("Stamps"));
        QCOMPARE(stored()->GetLastMediaType("Stamps"), int(CMediaUtils::MEDIA_CD));
        m_doc->DeleteLibrary(false, true);
        QCOMPARE(stored()->GetCurrentLibrary(), CString("Coins"));
        QCOMPARE(stored()->GetLastMediaType("Stamps"), 0);
    }

    void aFailedRenameKeepsTheName()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        WriteLibraryFile(m_home->LibraryPath("Coins"), "Coins");
        m_doc->OpenLibrary("Stamps", false);
        QVERIFY(!m_doc->RenameLibrary("Coins"));
        QCOMPARE(m_box->LastTitle(), QString("Library Rename"));
        QCOMPARE(m_box->LastText(),
            QString("VemoLibrary was unable to rename one or more of the files on your hard-drive. The Library name "
                    "will remain the same."));
        QCOMPARE(m_doc->GetLibraryName(), CString("Stamps"));
        QVERIFY(m_doc->HoldsLock());
    }

    void copyAddsALibraryAndMayLoadIt()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black" });
        m_doc->OpenLibrary("Stamps", false);
        m_doc->SetNotes("unsaved change goes into the copy");
        QVERIFY(m_doc->CopyLibrary("copy of Stamps", false));
        QCOMPARE(m_doc->GetLibraryName(), CString("Stamps"));
        QVERIFY(m_settings->HasLibrary("copy of Stamps"));

        // The reserved name is refused here too, as by the tool.
        QVERIFY(!m_doc->CopyLibrary("VemoLibrary2", true));
        QCOMPARE(m_box->LastTitle(), QString("Copy Library"));
        QVERIFY(!m_settings->HasLibrary("VemoLibrary2"));

        QVERIFY(m_doc->CopyLibrary("Stamps 2", true));
        QCOMPARE(m_doc->GetLibraryName(), CString("Stamps 2"));
        QCOMPARE(m_doc->GetItemCount(CMediaUtils::MEDIA_BOOK), 1);
        QCOMPARE(m_doc->GetLibrary()->GetNotes(), CString("unsaved change goes into the copy"));
    }

    void deletingTheLastLibraryCreatesANewOne()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        m_doc->OpenLibrary("Stamps", false);
        m_doc->SetNotes("deleted anyway");
        m_doc->DeleteLibrary(false, true);
        QVERIFY(!CFileUtils::DoesFileExist(m_home->LibraryPath("Stamps")));
        QCOMPARE(m_doc->GetDataFileMgmt().GetArchivesCount("Stamps"), 0);
        QCOMPARE(m_doc->GetLibraryName(), CString("My Library"));
        QCOMPARE(m_settings->GetLibraryCount(), 1);
    }

    void deletingWithPreservedArchivesLoadsTheFirstOtherLibrary()
    {
        WriteLibraryFile(m_home->LibraryPath("Coins"), "Coins");
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        m_doc->OpenLibrary("Stamps", false);
        m_doc->SetNotes("latest state");
        m_doc->DeleteLibrary(true, false);
        QVERIFY(!CFileUtils::DoesFileExist(m_home->LibraryPath("Stamps")));
        QCOMPARE(m_doc->GetDataFileMgmt().GetArchivesCount("Stamps"), 2);
        QCOMPARE(m_doc->GetLibraryName(), CString("Coins"));
    }

    void restoreLinesTellWhatARestoreDoes()
    {
        WriteLibraryFile(m_home->LibraryPath("Coins"), "Coins");
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        m_doc->OpenLibrary("Coins", false);
        m_doc->OpenLibrary("Stamps", false);
        m_doc->SaveSharedData();
        m_doc->LoadSharedData();
        QVERIFY(m_doc->CanRestore());

        m_settings->RefreshLibraryList();
        QList<CLibraryRestoreDlg::Line> lines = CLibraryRestoreDlg::BuildLines(
            m_doc->GetDataFileMgmt(), "Stamps", CClock::Now(), m_settings->GetLibraries());
        QCOMPARE(lines.size(), 2);
        // Coins still exists: restoring its copy replaces it.
        QRegularExpression coins("^Coins \\(1\\), .+, .+: will REPLACE Library \"Coins\"$");
        QRegularExpression stamps("^Stamps \\(1\\), .+, .+: will REPLACE current Library$");
        QStringList texts;
        for (const auto& line : lines)
            texts << line.text;
        QVERIFY2(texts.filter(coins).size() == 1, qPrintable(texts.join(" | ")));
        QVERIFY2(texts.filter(stamps).size() == 1, qPrintable(texts.join(" | ")));
    }

    void restoringAnotherLibrarysArchiveAddsAndLoadsIt()
    {
        WriteLibraryFile(m_home->LibraryPath("Coins"), "Coins", { "Gold Rush" });
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        m_doc->OpenLibrary("Coins", false);
        m_doc->OpenLibrary("Stamps", false);
        QVERIFY(m_doc->GetDataFileMgmt().DeleteDataFile("Coins.vly", false));
        m_settings->RefreshLibraryList();
        QVERIFY(!m_settings->HasLibrary("Coins"));

        CString coinsArchive;
        for (const auto& line : CLibraryRestoreDlg::BuildLines(m_doc->GetDataFileMgmt(), "Stamps", CClock::Now()))
            if (line.text.startsWith("Coins"))
                coinsArchive = line.archiveFile;
        QVERIFY(!coinsArchive.empty());
        QSignalSpy shown(m_doc.get(), &CVemoLibraryDoc::MediaTypeRequested);
        QVERIFY(m_doc->RestoreLibrary(coinsArchive));
        QCOMPARE(m_doc->GetLibraryName(), CString("Coins"));
        QCOMPARE(m_doc->GetItemCount(CMediaUtils::MEDIA_BOOK), 1);
        QVERIFY(m_settings->HasLibrary("Coins"));
        QCOMPARE(shown.count(), 1);
    }

    void restoringTheLoadedLibraryBringsBackTheOldContent()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black" });
        m_doc->OpenLibrary("Stamps", false);
        m_doc->GetLibrary()->CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr)->SetTitle("Inverted Jenny");
        m_doc->MarkModified();
        CStringList archives;
        m_doc->GetDataFileMgmt().GetRestoreCandidates("Stamps", "vly", archives);
        QCOMPARE(archives.GetCount(), 1);
        QVERIFY(m_doc->RestoreLibrary(archives.GetHead()));
        QCOMPARE(m_doc->GetItemCount(CMediaUtils::MEDIA_BOOK), 1);
        // The state replaced is itself kept as an archive.
        CStringList after;
        m_doc->GetDataFileMgmt().GetRestoreCandidates("Stamps", "vly", after);
        QVERIFY(after.GetCount() >= 2);
    }

    void lastMediaTypeFallsBackToTheFirstShownType()
    {
        m_doc->CreateNewLibrary();
        CMediaTypeSelection* selection = m_doc->GetMediaTypes();
        selection->SetShowAll(false);
        selection->SetShow(CMediaUtils::MEDIA_SOFTWARE, true);
        selection->SetShow(CMediaUtils::MEDIA_CD, true);
        m_settings->SetLastMediaType("My Library", 0);
        QCOMPARE(m_doc->LastMediaType(), CMediaUtils::MEDIA_CD);
        selection->SetShowAll(false);
        QCOMPARE(m_doc->LastMediaType(), CMediaUtils::MEDIA_BOOK);
        m_doc->RememberMediaType(CMediaUtils::MEDIA_DVD);
        QCOMPARE(m_doc->LastMediaType(), CMediaUtils::MEDIA_DVD);
    }

    void aLibraryHeldByAnotherProgramIsNotWritten()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        CFileLock other;
        QVERIFY(other.Acquire(m_home->LibraryPath("Stamps"), "vemolibrary-cli").Acquired());
        const std::string before = FileBytes(m_home->LibraryPath("Stamps"));
        m_doc->OpenLibrary("Stamps", false);
        QCOMPARE(m_box->Count(), 1);
        QVERIFY(m_box->LastText().contains("vemolibrary-cli"));
        m_doc->SetNotes("not while the other holds it");
        m_doc->DoIdleWork();
        QVERIFY(m_doc->IsModified());
        QCOMPARE(FileBytes(m_home->LibraryPath("Stamps")), before);
        other.Release();
        m_doc->SetNotes("now it may");
        m_doc->DoIdleWork();
        QVERIFY(!m_doc->IsModified());
    }

private:
    static CString CSharedData_FILE() { return "VemoLibrary2.dat"; }
};

QTEST_MAIN(TestDocument)
#include "test_document.moc"
