#include "app/doc/VemoLibraryDoc.h"

#include <QApplication>
#include <QGuiApplication>

#include "app/Clock.h"
#include "app/MessageBox.h"
#include "app/VemoLibrarySettings.h"
#include "app/dialogs/LibraryCopyDlg.h"
#include "app/dialogs/LibraryDeleteDlg.h"
#include "app/dialogs/LibraryRenameDlg.h"
#include "app/dialogs/LibraryRestoreDlg.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/dialogs/MediaTypesDlg.h"
#include "app/dialogs/VemoLibraryNotesDlg.h"
#include "app/doc/LibraryCommands.h"
#include "app/doc/ReportWindows.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/MediaTypeSelection.h"
#include "data/store/SharedData.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Archive.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

const char* const kDataFileProblem = "VemoLibrary Data File Problem";
const char* const kReadProblem = "VemoLibrary was unable to read the Library data file.";
const char* const kSaveProblem = "VemoLibrary was unable to save the Library data file.";
const char* const kOverwriteQuestion
    = "VemoLibrary could not read all of the Library data file \"%1\" when it was loaded. Saving now replaces "
      "that file with what was read, and everything that could not be read is lost from it (the copy in the "
      "Archives directory keeps it).\n\nSave the Library anyway?";
const char* const kLockedMessage
    = "The Library \"%1\" is being changed by %2. VemoLibrary shows it, but cannot save changes to it until "
      "that program has finished.";
const char* const kLockFailedMessage
    = "VemoLibrary cannot lock the Library \"%1\" against changes by other programs (%2). VemoLibrary shows it, "
      "but cannot save changes to it.";
const char* const kLimitMessage = "VemoLibrary has a hard-wired upper limit to the number of Libraries it can "
                                  "support. You cannot create any more Libraries.\n\nIf this is a problem, "
                                  "please let us know.";
const char* const kRenameFailed = "VemoLibrary was unable to rename one or more of the files on your hard-drive. "
                                  "The Library name will remain the same.";
const char* const kCopyFailed = "VemoLibrary was unable to copy the Library data file to \"%1\". No Library was added.";
const char* const kRestoreFailed
    = "VemoLibrary was unable to restore %1! Current data will remain, and no harm was done.";

QString Q(const CString& text)
{
    return QString::fromStdString(text);
}

// The wait cursor while a library is read or written.
class CWaitCursor {
public:
    CWaitCursor()
    {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor), m_set = true;
    }
    ~CWaitCursor()
    {
        if (m_set)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool m_set = false;
};

} // namespace

CVemoLibraryDoc::CVemoLibraryDoc(CVemoLibrarySettings* settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_reportWindows(new CReportWindows(this))
    , m_commands(new CLibraryCommands(this))
{
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(0);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        // A save that cannot happen now waits for the change or the
        // SetSaveEnabled that makes it possible, instead of spinning.
        if (DoIdleWork() || (m_modified && m_saveEnabled && !m_idleSaveBlocked && !m_overwriteRefused))
            ScheduleIdle();
    });
    if (m_settings)
        m_fileMgmt.Configure(DataDir(), ARCHIVE_COUNT);
}

CVemoLibraryDoc::~CVemoLibraryDoc()
{
    CloseLibrary();
}

CString CVemoLibraryDoc::DataDir() const
{
    return m_settings ? m_settings->GetApplicationPath() : CString();
}

void CVemoLibraryDoc::SetAutoIdle(bool on)
{
    m_autoIdle = on;
    if (!on)
        m_idleTimer.stop();
}

void CVemoLibraryDoc::ScheduleIdle()
{
    if (m_autoIdle && !m_idleTimer.isActive())
        m_idleTimer.start();
}

void CVemoLibraryDoc::ShowProblem(const QString& text)
{
    CMessageBox::Warn(m_dialogParent, kDataFileProblem, text);
}

bool CVemoLibraryDoc::OnNewDocument()
{
    if (!m_settings) {
        VemoLog("{8C5B1E4A-2F0D-4C7B-9E61-3A5D7F2B9C10}");
        return true;
    }
    m_fileMgmt.Configure(DataDir(), ARCHIVE_COUNT);
    if (!CPublisherMgr::GetInstance() || !CPersonMgr::GetInstance() || !CMagazineMgr::GetInstance()) {
        VemoLog("{1E7A3C95-6B2D-4F80-A4C7-D09E5B1F3A26}");
        return false;
    }
    LoadSharedData();
    m_settings->RefreshLibraryList();
    if (m_settings->GetLibraryCount() > 0)
        OpenLibrary(m_settings->GetCurrentLibrary(), false);
    return true;
}

void CVemoLibraryDoc::OpenLibrary(const CString& name, bool isNew)
{
    CWaitCursor wait;
    CloseLibrary();
    if (name.empty()) {
        VemoLog("{4A0F6D2C-93B1-4E57-8C2A-6F1D0B7E5A93}");
        return;
    }
    if (!m_settings)
        return;

    try {
        m_library = new CLibrary(isNew, true);
    } catch (...) {
        m_library = nullptr;
    }
    if (!m_library) {
        VemoLog("{B3D92E10-7C4A-4F6B-A1E8-52C0D9F4A7B6}");
        return;
    }
    const CString dataDir = DataDir();
    if (isNew)
        m_library->AddDefaultCustomWebReports(m_settings->TemplatesDir(), m_settings->WebReportsDir());
    m_library->SetPathImport(dataDir);
    m_library->SetPathExport(dataDir);
    m_library->SetPathCustomWebReportOutput(m_settings->WebReportsDir());
    m_library->SetPathCustomWebReportImage(m_settings->WebReportsDir());
    m_library->SetPathUserCustomWebReportTemplate(m_settings->TemplatesDir());
    m_library->SetPathCustomFieldDefault(dataDir);
    m_library->SetName(name);
    m_filePath = m_settings->LibraryPath(name);

    AcquireLock();
    // Every load keeps a copy of the file as it was; the oldest copies go
    // only once this one has proved readable.
    const CString dataFile = name + "." + CVemoLibrarySettings::LIBRARY_EXT;
    CString newArchive;
    bool archived = m_fileMgmt.BackupDataFile(dataFile, false, &newArchive);

    m_settings->SetCurrentLibrary(name);
    emit TitleChanged(Q(name));

    bool loaded = true;
    if (CFileUtils::DoesFileExist(m_filePath) && !CFileUtils::IsFileEmpty(m_filePath))
        loaded = ReadLibraryFile();
    if (archived)
        SettleArchive(dataFile, newArchive, loaded);
    RefreshReportContext();
    PrepareSearchAtIdle();
}

bool CVemoLibraryDoc::ReadLibraryFile()
{
    bool converted = false;
    CString error;
    if (!CLibraryFile::Read(*m_library, m_filePath, converted, error)) {
        VemoLog("{6F2A8B41-D5C3-4E9A-B7F0-1C3E5A7D9B24}");
        m_loadFailed = true;
        ShowProblem(kReadProblem);
        return false;
    }
    if (m_library->GetPathCustomWebReportOutput().empty())
        m_library->SetPathCustomWebReportOutput(m_settings->WebReportsDir());
    if (m_library->GetPathUserCustomWebReportTemplate().empty())
        m_library->SetPathUserCustomWebReportTemplate(m_settings->TemplatesDir());
    if (converted) {
        if (m_library->GetCustomWebReportCount() == 0)
            m_library->AddDefaultCustomWebReports(m_settings->TemplatesDir(), m_settings->WebReportsDir());
        // The converter may have written a wish list library beside it.
        m_settings->RefreshLibraryList();
        SaveSharedData();
        MarkModified();
        SaveLibrary();
    }
    return true;
}

// After a load: a readable file lets the oldest archives go; an unreadable
// one keeps them all, and its copy is dropped when the newest archive holds
// the same bytes already (a file that fails at every start would otherwise
// push every good copy out one by one).
void CVemoLibraryDoc::SettleArchive(const CString& dataFile, const CString& newArchive, bool loaded)
{
    if (loaded) {
        m_fileMgmt.PruneArchives(dataFile);
        return;
    }
    const CString title = CDataFileMgmt::GetDataFileTitle(newArchive);
    const CString ext = CFileUtils::ParseExtension(dataFile);
    CStringList candidates;
    m_fileMgmt.GetRestoreCandidates(title, ext, candidates);
    CString previous;
    for (const CString& archive : candidates) {
        if (archive == newArchive || !CDataFileMgmt::IsArchiveFileMatch(title, archive)
            || CDataFileMgmt::GetDataFileTitle(archive) != title)
            continue;
        // Candidates of one title come newest first.
        previous = archive;
        break;
    }
    if (!previous.empty()
        && CFileUtils::AreFilesIdentical(m_fileMgmt.GetArchivePath(previous), m_fileMgmt.GetArchivePath(newArchive)))
        m_fileMgmt.DiscardArchive(newArchive);
}

void CVemoLibraryDoc::AcquireLock()
{
    if (m_lock.IsHeld() || m_filePath.empty())
        return;
    const CFileLock::CResult lock = m_lock.Acquire(m_filePath, CVemoLibrarySettings::APP_NAME);
    if (lock.Acquired())
        return;
    VemoLog("{0D7C4B9E-1A62-4F3D-8E5B-7C2A9F0E6D41}");
    const QString problem = lock.outcome == CFileLock::HELD_ELSEWHERE
        ? QString(kLockedMessage).arg(Q(GetLibraryName()), Q(lock.holder))
        : QString(kLockFailedMessage).arg(Q(GetLibraryName()), Q(lock.error));
    // Each try at a save asks again; the same problem is told once.
    if (problem.toStdString() != m_lockProblem) {
        m_lockProblem = problem.toStdString();
        ShowProblem(problem);
    }
}

void CVemoLibraryDoc::CloseLibrary()
{
    if (!m_library)
        return;
    TakeSearchStrings();
    m_reportWindows->CloseManagers();
    if (m_modified)
        Save(SaveKind::Explicit);
    DiscardLibrary();
}

void CVemoLibraryDoc::DiscardLibrary()
{
    if (!m_library)
        return;
    if (m_searchDlg) {
        // Its results point into the library.
        m_searchDlg->disconnect(this);
        m_searchDlg->ClearResults();
        m_searchDlg->close();
        m_searchDlg->deleteLater();
        m_searchDlg.clear();
    }
    m_reportWindows->CloseManagers();
    emit LibraryClosing();
    delete m_library;
    m_library = nullptr;
    m_lock.Release();
    m_lockProblem.clear();
    m_filePath.clear();
    m_modified = false;
    for (bool& stale : m_listStale)
        stale = false;
    m_idleSaveBlocked = false;
    m_saveProblemShown = false;
    m_loadFailed = false;
    m_overwriteRefused = false;
    m_searchPrepPending = false;
    m_reportContext = ReportContext();
}

bool CVemoLibraryDoc::SaveLibrary()
{
    return Save(SaveKind::Explicit);
}

bool CVemoLibraryDoc::Save(SaveKind kind)
{
    if (!m_library) {
        VemoLog("{C81F5A3D-4E2B-4B96-9A07-E3D6B1C8F452}");
        m_modified = false;
        return false;
    }
    // A change made while saving is switched off stays marked, so that the
    // next pass writes it.
    if (!m_saveEnabled || m_filePath.empty())
        return false;

    if (m_loadFailed) {
        if (kind == SaveKind::Idle && m_overwriteRefused)
            return false;
        QString question = QString(kOverwriteQuestion).arg(Q(GetLibraryName()));
        if (!CMessageBox::Confirm(m_dialogParent, kDataFileProblem, question)) {
            m_overwriteRefused = true;
            return false;
        }
        m_loadFailed = false;
        m_overwriteRefused = false;
    }

    CWaitCursor wait;
    AcquireLock();
    CString error;
    bool written = false;
    if (!m_lock.IsHeld()) {
        VemoLog("{7B3E0C62-A9D4-4F18-B5E2-0F6C8D3A1E97}");
    } else {
        if (CFileUtils::DoesFileExist(m_filePath) && !CFileUtils::IsFileWritable(m_filePath))
            CFileUtils::MakeFileWritable(m_filePath);
        written = CLibraryFile::Write(*m_library, m_filePath, error);
        if (!written)
            VemoLog("{E2A64F1B-8D3C-4A7E-96B0-5C1F7D2E8A39}");
    }
    if (!written) {
        m_idleSaveBlocked = true;
        if (kind == SaveKind::Explicit || !m_saveProblemShown) {
            m_saveProblemShown = true;
            ShowProblem(kSaveProblem);
        }
        return false;
    }
    m_modified = false;
    m_idleSaveBlocked = false;
    m_saveProblemShown = false;
    return true;
}

void CVemoLibraryDoc::LoadSharedData()
{
    if (!m_settings)
        return;
    CString newArchive;
    bool archived = m_fileMgmt.BackupDataFile(CSharedData::FILE_NAME, false, &newArchive);
    const CString path = DataDir() + CSharedData::FILE_NAME;
    bool loaded = true;
    if (CFileUtils::DoesFileExist(path) && !CFileUtils::IsFileEmpty(path)) {
        try {
            CArchive ar = CArchive::FromFile(path);
            CSharedData::Serialize(ar);
        } catch (const CArchiveException&) {
            VemoLog("{5A9C2E7F-0B1D-4C63-8F4A-D2E7B9C1A058}");
            loaded = false;
        }
    }
    m_sharedLoadFailed = !loaded;
    if (archived)
        SettleArchive(CSharedData::FILE_NAME, newArchive, loaded);
}

bool CVemoLibraryDoc::SaveSharedData()
{
    if (!m_settings || !CPublisherMgr::GetInstance() || !CPersonMgr::GetInstance() || !CMagazineMgr::GetInstance())
        return false;
    const CString path = DataDir() + CSharedData::FILE_NAME;
    if (CFileUtils::DoesFileExist(path) && !CFileUtils::IsFileWritable(path))
        CFileUtils::MakeFileWritable(path);
    try {
        CArchive ar;
        CSharedData::Serialize(ar);
        ar.WriteToFile(path);
    } catch (const CArchiveException&) {
        VemoLog("{93F0D6B2-5E7A-4C1D-A8B3-6E2F9C0D7B15}");
        return false;
    }
    return true;
}

void CVemoLibraryDoc::MarkModified()
{
    m_modified = true;
    m_idleSaveBlocked = false;
    ScheduleIdle();
}

void CVemoLibraryDoc::MarkItemModified(const CItem* item)
{
    if (!m_library)
        return;
    if (item)
        m_library->NoteItemChanged(item);
    else
        m_library->NoteItemsChanged();
    MarkModified();
}

void CVemoLibraryDoc::MarkListStale(NameList list)
{
    if (list < 0 || list >= NAME_LIST_COUNT)
        return;
    m_listStale[list] = true;
    ScheduleIdle();
}

bool CVemoLibraryDoc::DoIdleWork()
{
    if (!m_library)
        return false;
    if (m_modified && !m_idleSaveBlocked && !(m_loadFailed && m_overwriteRefused)) {
        Save(SaveKind::Idle);
    } else {
        bool rebuilt = false;
        for (int list = 0; list < NAME_LIST_COUNT; ++list) {
            if (!m_listStale[list])
                continue;
            switch (list) {
            case ListArtists:
                m_library->RefreshArtistsList();
                break;
            case ListActors:
                m_library->RefreshActorsList();
                break;
            case ListDirectors:
                m_library->RefreshDirectorsList();
                break;
            case ListAuthors:
                m_library->RefreshAuthorsList();
                break;
            case ListLocations:
                m_library->RefreshLocationsList();
                break;
            case ListManufacturers:
                m_library->RefreshManufacturersList();
                break;
            }
            m_listStale[list] = false;
            emit UpdateAllViews(HintArtists + list);
            rebuilt = true;
            break;
        }
        // Only when nothing else waits: one media type's search index.
        if (!rebuilt && m_searchPrepPending && !m_library->PrepareSearch())
            m_searchPrepPending = false;
    }
    for (bool stale : m_listStale)
        if (stale)
            return true;
    return m_searchPrepPending;
}

void CVemoLibraryDoc::PrepareSearchAtIdle()
{
    if (!m_library)
        return;
    m_searchPrepPending = true;
    ScheduleIdle();
}

CLibrarySearchDlg* CVemoLibraryDoc::OnEditSearch()
{
    if (!m_library)
        return nullptr;
    if (!m_searchDlg) {
        CStringArray strings;
        for (int i = 0; i < m_library->GetSearchStringCount(); ++i)
            strings.Add(m_library->GetSearchStringAt(i));
        m_searchDlg = new CLibrarySearchDlg(this, strings, m_dialogParent);
        m_searchDlg->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_searchDlg, &QDialog::finished, this, [this] {
            TakeSearchStrings();
            m_searchDlg.clear();
        });
    }
    m_searchDlg->show();
    m_searchDlg->raise();
    m_searchDlg->activateWindow();
    return m_searchDlg;
}

CLibrarySearchDlg* CVemoLibraryDoc::GetSearchDlg() const
{
    return m_searchDlg.data();
}

bool CVemoLibraryDoc::TakeSearchStrings()
{
    if (!m_searchDlg || !m_library)
        return false;
    m_library->ClearSearchStrings();
    for (const CString& text : m_searchDlg->GetSearchStrings())
        m_library->AddSearchString(text);
    MarkModified();
    return true;
}

void CVemoLibraryDoc::ShowItem(const CItem* item)
{
    if (!m_library || !item)
        return;
    const auto* sub = dynamic_cast<const CMediaSubItem*>(item);
    const CMediaItem* medium = sub ? sub->GetParent() : dynamic_cast<const CMediaItem*>(item);
    const int type = medium ? CMediaUtils::GetItemMediaID(medium) : 0;
    if (!CMediaUtils::IsValidMediaID(type))
        return;
    // The view chooses the item remembered for its type when it fills.
    CStringArray texts;
    m_library->GetItemListTexts(type, texts);
    int index = 0;
    for (POSITION pos = m_library->GetHeadItem(type); pos; ++index) {
        if (m_library->GetNextItem(type, pos) != medium)
            continue;
        if (index < texts.GetSize())
            RememberItem(type, texts.GetAt(index));
        break;
    }
    RememberMediaType(type);
    emit MediaTypeRequested(type);
}

void CVemoLibraryDoc::SetSaveEnabled(bool enabled)
{
    m_saveEnabled = enabled;
    if (enabled && m_modified)
        ScheduleIdle();
}

void CVemoLibraryDoc::CreateNewLibrary()
{
    if (!m_settings) {
        VemoLog("{2D8E6A1F-C4B7-4903-9E5D-B1A0F7C3E286}");
        return;
    }
    m_settings->RefreshLibraryList();
    if (m_settings->GetLibraryCount() >= CVemoLibrarySettings::MAX_LIBRARIES) {
        CMessageBox::Warn(m_dialogParent, "New Library", kLimitMessage);
        return;
    }
    OpenLibrary(m_settings->NewLibraryName(), true);
    if (!m_library)
        return;
    InitNewLibrary();
    emit MediaBarRebuildRequested();
}

void CVemoLibraryDoc::InitNewLibrary()
{
    if (!m_library)
        return;
    CString today = CDateTimeUtils::ConvertDateNumbers(CClock::Now(), false, false, false, false);
    m_library->SetNotes(CStringUtils::Format("This Library was created on %s.", today.c_str()));
    MarkModified();
    bool saved = SaveLibrary();
    m_settings->RefreshLibraryList();
    emit MediaTypeRequested(CMediaUtils::MEDIA_BOOK);
    emit UpdateAllViews(HintNewLibrary);
    // Filling the views counts as no change; a failed save stays pending.
    if (saved)
        m_modified = false;
}

void CVemoLibraryDoc::LoadLibraryAt(int index)
{
    if (!m_settings)
        return;
    CString name = m_settings->LibraryAt(index);
    if (name.empty() || !CFileUtils::DoesFileExist(m_settings->LibraryPath(name)))
        return;
    if (m_library && name == m_library->GetName())
        return;
    OpenLibrary(name, false);
    ShowLoadedLibrary();
}

void CVemoLibraryDoc::ShowLoadedLibrary()
{
    emit MediaBarRebuildRequested();
    emit MediaTypeRequested(LastMediaType());
}

int CVemoLibraryDoc::LastMediaType() const
{
    if (!m_library)
        return 0;
    if (m_settings) {
        int type = m_settings->GetLastMediaType(m_library->GetName());
        if (type != 0)
            return type;
    }
    if (const CMediaTypeSelection* selection = m_library->GetMediaTypes())
        for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
            if (selection->GetShow(type))
                return type;
    return CMediaUtils::MEDIA_BOOK;
}

void CVemoLibraryDoc::RememberMediaType(int mediaType)
{
    if (m_library && m_settings)
        m_settings->SetLastMediaType(m_library->GetName(), mediaType);
}

void CVemoLibraryDoc::RememberItem(int mediaType, const CString& text)
{
    if (m_library && m_settings)
        m_settings->SetLastItem(m_library->GetName(), mediaType, text);
}

CString CVemoLibraryDoc::GetRememberedItem(int mediaType) const
{
    return m_library && m_settings ? m_settings->GetLastItem(m_library->GetName(), mediaType) : CString();
}

CString CVemoLibraryDoc::GetLibraryName() const
{
    return m_library ? m_library->GetName() : CString();
}

void CVemoLibraryDoc::SetNotes(const CString& notes)
{
    if (!m_library)
        return;
    m_library->SetNotes(notes);
    MarkModified();
}

bool CVemoLibraryDoc::RenameLibrary(const CString& newName)
{
    if (!m_library || !m_settings)
        return false;
    const CString oldName = m_library->GetName();
    const CString ext = "." + CVemoLibrarySettings::LIBRARY_EXT;
    // The file that is renamed is to hold the latest state.
    if (m_modified)
        SaveLibrary();
    m_lock.Release();
    if (!m_fileMgmt.RenameDataFile(oldName + ext, newName + ext)) {
        AcquireLock();
        CMessageBox::Warn(m_dialogParent, "Library Rename", kRenameFailed);
        return false;
    }
    m_settings->RefreshLibraryList();
    m_settings->SetCurrentLibrary(newName);
    m_settings->RenameViewState(oldName, newName);
    m_library->SetName(newName);
    m_filePath = m_settings->LibraryPath(newName);
    AcquireLock();
    emit TitleChanged(Q(newName));
    return true;
}

bool CVemoLibraryDoc::CopyLibrary(const CString& newName, bool loadCopy)
{
    if (!m_library || !m_settings)
        return false;
    const CString ext = "." + CVemoLibrarySettings::LIBRARY_EXT;
    // The copy is made of the file, which is to hold the latest state.
    if (m_modified)
        SaveLibrary();
    bool copied = m_fileMgmt.CopyDataFile(m_library->GetName() + ext, newName + ext);
    m_settings->RefreshLibraryList();
    if (!copied) {
        VemoLog("{A6C1E83B-2F9D-4D57-B04E-8E3A5C7F1D62}");
        CMessageBox::Warn(m_dialogParent, "Copy Library", QString(kCopyFailed).arg(Q(newName)));
        return false;
    }
    if (loadCopy) {
        OpenLibrary(newName, false);
        ShowLoadedLibrary();
    }
    return true;
}

void CVemoLibraryDoc::DeleteLibrary(bool preserveArchives, bool deleteArchives)
{
    if (!m_library || !m_settings)
        return;
    const CString dataFile = m_library->GetName() + "." + CVemoLibrarySettings::LIBRARY_EXT;
    if (preserveArchives) {
        // The last archive is to hold the latest state.
        if (m_modified)
            SaveLibrary();
        m_fileMgmt.BackupDataFile(dataFile);
    }
    // Closing would write the library back after its file is gone.
    DiscardLibrary();
    if (!m_fileMgmt.DeleteDataFile(dataFile, deleteArchives))
        VemoLog("{F4B7D20E-6C3A-4E81-9D5F-A2C8E1B7063D}");
    m_settings->RefreshLibraryList();
    if (m_settings->GetLibraryCount() > 0)
        LoadLibraryAt(0);
    else
        CreateNewLibrary();
}

bool CVemoLibraryDoc::CanRestore() const
{
    return m_library && m_fileMgmt.HaveRestoreCandidates(m_library->GetName(), CVemoLibrarySettings::LIBRARY_EXT);
}

bool CVemoLibraryDoc::RestoreLibrary(const CString& archiveFile)
{
    if (!m_settings)
        return false;
    const CString title = CDataFileMgmt::GetDataFileTitle(archiveFile);
    const CString loadedName = GetLibraryName();
    const bool replacesLoaded = m_library && CDataFileMgmt::IsArchiveFileMatch(loadedName, archiveFile);
    // The loaded library is closed first, so that nothing writes it back
    // over the restored file; restoring archives its latest state.
    if (replacesLoaded)
        CloseLibrary();
    if (title.empty() || !m_fileMgmt.RestoreDataFile(archiveFile, title, CVemoLibrarySettings::LIBRARY_EXT)) {
        VemoLog("{3C9E5B17-D0A4-4F2E-B6C8-19F7A3E05D84}");
        if (replacesLoaded) {
            OpenLibrary(loadedName, false);
            ShowLoadedLibrary();
        }
        CMessageBox::Warn(
            m_dialogParent, "Restore Library", QString(kRestoreFailed).arg(Q(m_fileMgmt.GetArchivePath(archiveFile))));
        return false;
    }
    OpenLibrary(title, false);
    m_settings->RefreshLibraryList();
    ShowLoadedLibrary();
    return true;
}

void CVemoLibraryDoc::OnLibraryNotes()
{
    if (!m_library)
        return;
    CVemoLibraryNotesDlg dlg(m_library->GetNotes(), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        SetNotes(dlg.GetNotes());
}

void CVemoLibraryDoc::OnLibraryRename()
{
    if (!m_library || !m_settings)
        return;
    m_settings->RefreshLibraryList();
    CLibraryRenameDlg dlg(m_library->GetName(), m_settings->GetLibraries(), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        RenameLibrary(dlg.GetNewName());
}

void CVemoLibraryDoc::OnLibraryCopy()
{
    if (!m_library || !m_settings)
        return;
    m_settings->RefreshLibraryList();
    CLibraryCopyDlg dlg(m_library->GetName(), m_settings->GetLibraries(), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        CopyLibrary(dlg.GetNewName(), dlg.GetLoadCopy());
}

void CVemoLibraryDoc::OnLibraryDelete()
{
    if (!m_library || !m_settings)
        return;
    CLibraryDeleteDlg dlg(m_library->GetName(), m_fileMgmt.GetArchivesCount(m_library->GetName()), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        DeleteLibrary(dlg.GetPreserve(), dlg.GetDeleteArchives());
}

void CVemoLibraryDoc::OnLibraryRestore()
{
    if (!CanRestore())
        return;
    CLibraryRestoreDlg dlg(m_fileMgmt, m_library->GetName(), CClock::Now(), m_dialogParent);
    if (dlg.exec() == QDialog::Accepted)
        RestoreLibrary(dlg.GetArchiveFile());
}

void CVemoLibraryDoc::RefreshReportContext()
{
    m_reportContext = ReportContext();
    if (m_settings) {
        m_reportContext.balloonCloseButton = m_settings->GetBalloonShowCloseButton();
        m_reportContext.balloonWpmSpeed = m_settings->GetBalloonWPMSpeed();
        m_reportContext.margins = m_settings->GetPrintMargins();
    }
    if (!m_library)
        return;
    m_reportContext.portrait = m_library->GetPrintPortrait();
    m_reportContext.headerFont = m_library->GetPrintHeaderFont();
    m_reportContext.contentFont = m_library->GetPrintContentFont();
    m_reportContext.footerFont = m_library->GetPrintFooterFont();
    m_reportContext.headerColor = m_library->GetPrintHeaderTextColor();
    m_reportContext.contentColor = m_library->GetPrintContentTextColor();
    m_reportContext.footerColor = m_library->GetPrintFooterTextColor();
}

int CVemoLibraryDoc::GetItemCount(int mediaType) const
{
    return m_library ? m_library->GetItemCount(mediaType) : 0;
}

int CVemoLibraryDoc::GetReservedItemCount(int mediaType) const
{
    return m_library ? m_library->GetReservedItemCount(mediaType) : 0;
}

int CVemoLibraryDoc::GetCheckedOutItemCount(int mediaType) const
{
    return m_library ? m_library->GetCheckedoutItemCount(mediaType) : 0;
}

CMediaTypeSelection* CVemoLibraryDoc::GetMediaTypes() const
{
    return m_library ? m_library->GetMediaTypes() : nullptr;
}

void CVemoLibraryDoc::OnViewSelectMediaTypes(int typeOnScreen)
{
    CMediaTypeSelection* selection = GetMediaTypes();
    if (!selection)
        return;
    CMediaTypesDlg dlg(*selection, m_dialogParent);
    if (dlg.exec() == QDialog::Accepted && dlg.IsChanged())
        ApplyMediaTypeSelection(dlg.GetSelection(), typeOnScreen);
}

void CVemoLibraryDoc::ApplyMediaTypeSelection(const CMediaTypeSelection& selection, int typeOnScreen)
{
    CMediaTypeSelection* shown = GetMediaTypes();
    if (!shown)
        return;
    *shown = selection;
    emit MediaBarRebuildRequested();
    if (!shown->GetShow(typeOnScreen)) {
        int first = 0;
        for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST && !first; ++type)
            if (shown->GetShow(type))
                first = type;
        emit MediaTypeRequested(first);
    }
    MarkModified();
}
