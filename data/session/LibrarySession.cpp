#include "data/session/LibrarySession.h"

#include <chrono>
#include <future>
#include <new>
#include <thread>

#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/session/LibraryNames.h"
#include "data/session/SessionPrompts.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/LibrarySnapshot.h"
#include "data/store/SharedData.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Archive.h"
#include "platform/util/Clock.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

const char* const kRenameTitle = "Library Rename";
const char* const kRenameCheckTitle = "Rename Library";
const char* const kCopyTitle = "Copy Library";
const char* const kDeleteTitle = "Delete Library";
const char* const kRestoreTitle = "Restore Library";

const char* const kRenameFailed = "VemoLibrary was unable to rename one or more of the files on your hard-drive. "
                                  "The Library name will remain the same.";
const char* const kCopyFailed = "VemoLibrary was unable to copy the Library data file to \"%s\". No Library was added.";
const char* const kRestoreFailed
    = "VemoLibrary was unable to restore %s! Current data will remain, and no harm was done.";
const char* const kReplaceQuestion
    = "The Library \"%s\" exists already. Restoring replaces ALL of its content with the data contained in an older "
      "Library version (its current content is kept as a backup copy).\n\nContinue?";
const char* const kNoSuchLibrary = "There is no library named \"%s\" in %s";

const char* const kLoadedEmptyQuestion
    = "VemoLibrary could not read the Library data file \"%s\" when it was loaded, so the Library shows none of its "
      "content, only the changes made since. Saving now replaces that file with what is shown, and everything the "
      "file held is lost from it (the copy in the Archives directory keeps it).";
const char* const kLinksLostQuestion
    = "VemoLibrary could not read the shared data file \"%s\", which holds the persons, publishers and magazine "
      "titles of all Libraries, so the items of the Library \"%s\" lost their links to the records it could not "
      "read. Saving now writes the Library without those links.\n\nSave the Library anyway?";
const char* const kSharedUnreadable = "The shared data file %s cannot be read (%s)";
const char* const kSharedOffer
    = "VemoLibrary could not read the shared data file \"%s\", which holds the persons, publishers and magazine "
      "titles of all Libraries (%s). VemoLibrary will not write over it; items that refer to records it could "
      "not read show none.";

// Why a lock could not be had: held by another program, or not made at all.
struct CLockFailure {
    bool held = false;
    CString reason; // the holder, or what failed
};

bool TryLock(CFileLock& lock, const CString& path, const CString& programName, CLockFailure& failure)
{
    const CFileLock::CResult result = lock.Acquire(path, programName);
    if (result.Acquired())
        return true;
    failure.held = result.outcome == CFileLock::HELD_ELSEWHERE;
    failure.reason = failure.held ? result.holder : result.error;
    return false;
}

CString DescribeLockFailure(
    const CString& name, const CLockFailure& failure, const CString& heldTail, const CString& failedTail)
{
    if (failure.held)
        return CStringUtils::Format("The Library \"%s\" is in use by %s", name.c_str(), failure.reason.c_str())
            + heldTail;
    return CStringUtils::Format("The Library \"%s\" cannot be locked against changes by other programs (%s).",
               name.c_str(), failure.reason.c_str())
        + failedTail;
}

bool ReadIfPresent(const CString& path, std::string& bytes, CString& error)
{
    bytes.clear();
    if (!CFileUtils::DoesFileExist(path) || CFileUtils::IsFileEmpty(path))
        return true;
    return CFileUtils::ReadFileBytes(path, bytes, &error);
}

void ResetSharedLists()
{
    CPublisherMgr::DeleteInstance();
    CPersonMgr::DeleteInstance();
    CMagazineMgr::DeleteInstance();
}

} // namespace

CLibrarySession::CLibrarySession(const CString& dataDir, const CString& programName, CSessionPrompts& prompts)
    : m_folder(dataDir)
    , m_programName(programName)
    , m_prompts(prompts)
    , m_archives(m_folder.Dir(), ARCHIVE_COUNT)
{
}

CLibrarySession::~CLibrarySession()
{
    Close();
}

CStringArray CLibrarySession::ListLibraries() const
{
    return CLibraryNames::List(m_folder.Dir());
}

// ---------------------------------------------------------------------------
// Shared data

bool CLibrarySession::ReadSharedFile(const std::string& bytes, CString& error)
{
    // Reading adds to what the lists hold, so they start afresh.
    ResetSharedLists();
    if (bytes.empty())
        return true;
    try {
        CArchive in { std::string_view(bytes) };
        CSharedData::Serialize(in);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return true;
}

bool CLibrarySession::LoadSharedData(Access access)
{
    m_sharedLoaded = true;
    const CString file = CDataFolder::SharedDataFileName();
    const CString copy = access == Access::Read ? CString() : TakeLoadCopy(file);
    std::string bytes;
    CString error;
    bool loaded = ReadIfPresent(m_folder.SharedDataPath(), bytes, error) && ReadSharedFile(bytes, error);
    if (!copy.empty())
        SettleLoadCopy(file, copy, loaded);
    if (loaded) {
        AcceptSharedFile(bytes);
        return true;
    }
    VemoLog("{5A9C2E7F-0B1D-4C63-8F4A-D2E7B9C1A058}");
    m_sharedDamaged = true;
    TellSharedProblem(access, error);
    return !m_sharedDamaged;
}

void CLibrarySession::AcceptSharedFile(const std::string& bytes)
{
    m_sharedDamaged = false;
    m_sharedDirty = false;
    m_sharedFileBytes = bytes;
    m_sharedListBytes = CLibrarySnapshot::SharedBytes();
}

void CLibrarySession::TellSharedProblem(Access access, const CString& error)
{
    if (m_sharedProblemTold)
        return;
    m_sharedProblemTold = true;
    const CString text = CStringUtils::Format(kSharedUnreadable, m_folder.SharedDataPath().c_str(), error.c_str());
    switch (access) {
    case Access::Read:
        m_prompts.Tell(PROBLEM_TITLE, text + "; publishers, persons and magazine titles are missing.");
        break;
    case Access::Change:
        m_prompts.Tell(PROBLEM_TITLE, text + "; nothing was changed.");
        break;
    case Access::Interactive:
        OfferSharedArchive(error);
        break;
    }
}

void CLibrarySession::OfferSharedArchive(const CString& error)
{
    const CString file = CDataFolder::SharedDataFileName();
    const CString path = m_folder.SharedDataPath();
    CString text = CStringUtils::Format(kSharedOffer, path.c_str(), error.c_str());

    // The newest copy that reads whole; looking reads each into the lists,
    // so what they held is put back afterwards.
    const std::string held = CLibrarySnapshot::SharedBytes();
    CString offered;
    CStringList candidates;
    m_archives.GetRestoreCandidates(CDataFolder::SHARED_DATA_TITLE, CDataFolder::SHARED_DATA_EXT, candidates);
    for (const CString& archive : candidates) {
        const CString archivePath = m_archives.GetArchivePath(archive);
        std::string bytes;
        CString readError;
        if (CDataFileMgmt::GetDataFileTitle(archive) != CDataFolder::SHARED_DATA_TITLE
            || CFileUtils::AreFilesIdentical(archivePath, path) || !CFileUtils::ReadFileBytes(archivePath, bytes))
            continue;
        if (ReadSharedFile(bytes, readError)) {
            offered = archive;
            break;
        }
    }
    CLibrarySnapshot::RestoreShared(held);
    if (offered.empty()) {
        m_prompts.Tell(PROBLEM_TITLE, text);
        return;
    }
    text += CStringUtils::Format("\n\nRestore the copy of it made %s, with the persons, publishers and magazine "
                                 "titles as they were then (the file as it is now is kept as a backup copy)?",
        m_archives.GetArchiveAgeText(offered, CClock::Now()).c_str());
    if (!m_prompts.Confirm(PROBLEM_TITLE, text))
        return;
    std::string bytes;
    CString readError;
    if (m_archives.RestoreDataFile(offered, CDataFolder::SHARED_DATA_TITLE, CDataFolder::SHARED_DATA_EXT)
        && ReadIfPresent(path, bytes, readError) && ReadSharedFile(bytes, readError)) {
        AcceptSharedFile(bytes);
        return;
    }
    VemoLog("{2F7C9B41-6A3E-4D08-B15C-8E0A4D6F3C27}");
    CLibrarySnapshot::RestoreShared(held);
    m_prompts.Tell(PROBLEM_TITLE, CStringUtils::Format(kRestoreFailed, m_archives.GetArchivePath(offered).c_str()));
}

bool CLibrarySession::SharedDataChanged() const
{
    if (!m_sharedLoaded)
        return false;
    return m_sharedDirty || CLibrarySnapshot::SharedBytes() != m_sharedListBytes;
}

void CLibrarySession::RefreshSharedData()
{
    std::string bytes;
    CString error;
    if (!ReadIfPresent(m_folder.SharedDataPath(), bytes, error)) {
        VemoLog("{B8D04A62-3C1F-4E95-A7B2-5D9E1F0C6A38}");
        return;
    }
    if (bytes == m_sharedFileBytes && !m_sharedDamaged)
        return;
    // A file that is gone is written again from the lists held.
    if (bytes.empty() && !m_sharedDamaged)
        return;
    if (m_sharedDamaged || !SharedDataChanged()) {
        // Nothing of this process's own waits: the file as it is now.
        if (!ReadSharedFile(bytes, error)) {
            m_sharedDamaged = true;
            TellSharedProblem(m_access, error);
            return;
        }
        AcceptSharedFile(bytes);
        return;
    }
    MergeSharedFile(bytes, error);
}

bool CLibrarySession::MergeSharedFile(const std::string& bytes, CString& error)
{
    const CSharedLists ours = CSharedLists::FromManagers();
    CSharedLists base, theirs;
    try {
        base = CSharedLists::FromBytes(m_sharedFileBytes);
        theirs = CSharedLists::FromBytes(bytes);
    } catch (const std::exception& e) {
        CLibrarySnapshot::RestoreShared(ours.ToBytes());
        VemoLog("{E1A57C3D-9B24-4F60-8D1E-2C7B5A9F0E43}");
        m_sharedDamaged = true;
        TellSharedProblem(m_access, e.what());
        error = e.what();
        return false;
    }
    CSharedLists::IdMoves moves;
    CLibrarySnapshot::RestoreShared(CSharedLists::Merge(base, ours, theirs, moves).ToBytes());
    m_lastMoves = moves;
    // The file holds theirs; what differs from it is this process's own.
    m_sharedFileBytes = bytes;
    m_sharedListBytes = theirs.ToBytes();
    if (m_library && CSharedLists::MoveReferences(*m_library, moves))
        MarkModified();
    return true;
}

bool CLibrarySession::LockSharedData(CFileLock& lock, CString& error) const
{
    const CString path = m_folder.SharedDataPath();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(SHARED_LOCK_WAIT_MS);
    for (;;) {
        CLockFailure failure;
        if (TryLock(lock, path, m_programName, failure))
            return true;
        if (!failure.held || std::chrono::steady_clock::now() >= deadline) {
            error = failure.held ? "it is being written by " + failure.reason
                                 : "it cannot be locked (" + failure.reason + ")";
            return false;
        }
        // Another writer holds it for one read, merge and write.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool CLibrarySession::WriteSharedData(CString& error, std::string& previous, bool& hadPrevious)
{
    m_lastMoves = CSharedLists::IdMoves();
    if (m_sharedDamaged) {
        error = "the shared data file " + m_folder.SharedDataPath() + " could not be read, so it is not written over";
        return false;
    }
    CFileLock lock;
    if (!LockSharedData(lock, error)) {
        error = "the shared data file " + m_folder.SharedDataPath() + " is not written: " + error;
        return false;
    }
    const CString path = m_folder.SharedDataPath();
    std::string current;
    if (!ReadIfPresent(path, current, error))
        return false;
    hadPrevious = CFileUtils::DoesFileExist(path);
    previous = current;

    std::string bytes;
    if (current == m_sharedFileBytes || (current.empty() && !m_sharedFileBytes.empty())) {
        // Nobody else wrote since (or the file is gone): the lists as held.
        bytes = CLibrarySnapshot::SharedBytes();
    } else {
        if (!MergeSharedFile(current, error)) {
            error = "the shared data file " + path + " cannot be read (" + error + "), so it is not written over";
            return false;
        }
        bytes = CLibrarySnapshot::SharedBytes();
    }
    if (CFileUtils::DoesFileExist(path) && !CFileUtils::IsFileWritable(path))
        CFileUtils::MakeFileWritable(path);
    if (!CFileUtils::WriteFileAtomic(path, bytes, &error)) {
        VemoLog("{93F0D6B2-5E7A-4C1D-A8B3-6E2F9C0D7B15}");
        error = path + ": " + error;
        return false;
    }
    m_sharedFileBytes = bytes;
    m_sharedListBytes = CLibrarySnapshot::SharedBytes();
    m_sharedDirty = false;
    return true;
}

void CLibrarySession::PutSharedDataBack(const std::string& previous, bool hadPrevious)
{
    CFileLock lock;
    CString error;
    std::string current;
    const CString path = m_folder.SharedDataPath();
    // Another writer since has merged what was written; it stays.
    if (!LockSharedData(lock, error) || !ReadIfPresent(path, current, error) || current != m_sharedFileBytes) {
        VemoLog("{6C3E8A15-D2B7-4F94-9A0E-3B5F7C1D8E62}");
        return;
    }
    const bool putBack = hadPrevious ? CFileUtils::WriteFileAtomic(path, previous) : CFileUtils::DeleteFile(path);
    if (!putBack) {
        VemoLog("{A4D9F2E7-1B6C-4A83-8E05-7C2D9B3F6A14}");
        return;
    }
    m_sharedFileBytes = hadPrevious ? previous : std::string();
    m_sharedDirty = true;
}

bool CLibrarySession::SaveSharedData()
{
    // Lists not read from the file are merged into it like any other
    // process's, so nothing it holds is lost.
    CString error;
    std::string previous;
    bool hadPrevious = false;
    if (WriteSharedData(error, previous, hadPrevious))
        return true;
    VemoLog("{0E6B3D98-4C2A-4F17-B5D8-9A1C7E3F2B60}");
    if (!m_sharedDamaged)
        m_prompts.Tell(PROBLEM_TITLE, "The shared data file could not be saved: " + error + ".");
    return false;
}

// ---------------------------------------------------------------------------
// Opening and closing

void CLibrarySession::SetPaths(CLibrary& library) const
{
    library.SetPathImport(m_folder.Dir());
    library.SetPathExport(m_folder.Dir());
    library.SetPathCustomWebReportOutput(m_folder.WebReportsDir());
    library.SetPathCustomWebReportImage(m_folder.WebReportsDir());
    library.SetPathUserCustomWebReportTemplate(m_folder.TemplatesDir());
    library.SetPathCustomFieldDefault(m_folder.Dir());
}

bool CLibrarySession::Open(const CString& name, Access access, bool isNew)
{
    Close();
    if (name.empty()) {
        VemoLog("{4A0F6D2C-93B1-4E57-8C2A-6F1D0B7E5A93}");
        return false;
    }
    m_access = access;
    m_name = name;
    m_path = m_folder.LibraryPath(name);
    const bool exists = CFileUtils::DoesFileExist(m_path);
    if (!exists && !isNew && access != Access::Interactive) {
        m_prompts.Tell(PROBLEM_TITLE, CStringUtils::Format(kNoSuchLibrary, name.c_str(), m_folder.Dir().c_str()));
        Close();
        return false;
    }
    if (access != Access::Read && !AcquireLock() && access == Access::Change) {
        Close();
        return false;
    }
    if (isNew && exists) {
        m_prompts.Tell(CLibraryNames::LIMIT_TITLE, CLibraryNames::EXISTS_MESSAGE);
        Close();
        return false;
    }

    // A new library refers to no shared record yet.
    if (m_sharedLoaded)
        RefreshSharedData();
    else if (!isNew)
        LoadSharedData(access);
    if (m_sharedDamaged && access == Access::Change) {
        Close();
        return false;
    }
    m_sharedDamagedAtOpen = m_sharedDamaged && access == Access::Interactive && !isNew;

    try {
        m_library = std::make_unique<CLibrary>(isNew, true);
    } catch (...) {
        VemoLog("{B3D92E10-7C4A-4F6B-A1E8-52C0D9F4A7B6}");
        Close();
        return false;
    }
    if (isNew) {
        SetAsideOrphanArchives(name);
        m_library->AddDefaultCustomWebReports(m_folder.TemplatesDir(), m_folder.WebReportsDir());
    }
    SetPaths(*m_library);
    m_library->SetName(name);
    if (isNew)
        return true;

    const CString file = CDataFolder::LibraryFileName(name);
    // The archive copy is written while the file is read (nothing writes the
    // file before the copy is settled).
    std::future<CString> copyTaken;
    if (access != Access::Read)
        copyTaken = std::async(std::launch::async, [this, &file] { return TakeLoadCopy(file); });
    bool loaded = true;
    if (exists && !CFileUtils::IsFileEmpty(m_path))
        loaded = ReadLibraryFile();
    const CString copy = copyTaken.valid() ? copyTaken.get() : CString();
    if (!copy.empty())
        SettleLoadCopy(file, copy, loaded);
    if (!loaded) {
        if (access != Access::Interactive) {
            Close();
            return false;
        }
        m_loadFailed = true;
        m_loadCopy = NewestDifferentArchive(file);
        return true;
    }
    if (m_converted && access != Access::Read)
        AfterConversion();
    return true;
}

bool CLibrarySession::ReadLibraryFile()
{
    CString error;
    bool read = false;
    if (m_access == Access::Read) {
        // Reading only: the earlier format is converted in memory, and no
        // wish list is written beside the file.
        read = CLibraryFile::ReadOnly(*m_library, m_path, m_converted, error);
    } else {
        read = CLibraryFile::Read(*m_library, m_path, m_converted, error);
    }
    if (!read) {
        VemoLog("{6F2A8B41-D5C3-4E9A-B7F0-1C3E5A7D9B24}");
        m_prompts.Tell(PROBLEM_TITLE, m_access == Access::Interactive ? READ_PROBLEM : m_path + ": " + error);
        return false;
    }
    if (m_library->GetPathCustomWebReportOutput().empty())
        m_library->SetPathCustomWebReportOutput(m_folder.WebReportsDir());
    if (m_library->GetPathUserCustomWebReportTemplate().empty())
        m_library->SetPathUserCustomWebReportTemplate(m_folder.TemplatesDir());
    if (m_converted && m_library->GetCustomWebReportCount() == 0)
        m_library->AddDefaultCustomWebReports(m_folder.TemplatesDir(), m_folder.WebReportsDir());
    return true;
}

void CLibrarySession::AfterConversion()
{
    // The converted file is written back at once in the current format,
    // with the shared records the conversion made.
    SaveSharedData();
    MarkModified();
    Save(SaveKind::Explicit);
}

bool CLibrarySession::Create(const CString& name)
{
    const CString problem = CLibraryNames::CheckNewName(name, ListLibraries());
    if (!problem.empty()) {
        m_prompts.Tell(CLibraryNames::LIMIT_TITLE, problem);
        return false;
    }
    if (!Open(name, Access::Change, true))
        return false;
    AddCreationNote();
    MarkModified();
    return Save(SaveKind::Explicit);
}

void CLibrarySession::AddCreationNote()
{
    if (!m_library)
        return;
    const CString today = CDateTimeUtils::ConvertDateNumbers(CClock::Now(), false, false, false, false);
    m_library->SetNotes(CStringUtils::Format("This Library was created on %s.", today.c_str()));
}

std::unique_ptr<CLibrary> CLibrarySession::CloseKeepingLibrary()
{
    std::unique_ptr<CLibrary> library = std::move(m_library);
    Close();
    return library;
}

void CLibrarySession::Close()
{
    m_library.reset();
    m_lock.Release();
    m_name.clear();
    m_path.clear();
    m_lockProblemTold.clear();
    m_modified = false;
    m_saveBlocked = false;
    m_saveProblemTold = false;
    m_loadFailed = false;
    m_sharedDamagedAtOpen = false;
    m_overwriteRefused = false;
    m_converted = false;
    m_loadCopy.clear();
}

// ---------------------------------------------------------------------------
// Locks

bool CLibrarySession::AcquireLock()
{
    if (m_lock.IsHeld() || m_path.empty())
        return m_lock.IsHeld();
    CLockFailure failure;
    if (TryLock(m_lock, m_path, m_programName, failure)) {
        m_lockProblemTold.clear();
        return true;
    }
    VemoLog("{0D7C4B9E-1A62-4F3D-8E5B-7C2A9F0E6D41}");
    const bool interactive = m_access == Access::Interactive;
    const CString problem = DescribeLockFailure(m_name, failure,
        interactive ? ". VemoLibrary shows it, but cannot save changes to it until that program has finished."
                    : "; close it there and try again.",
        interactive ? " VemoLibrary shows it, but cannot save changes to it." : " Nothing was changed.");
    // The program tells each new reason once; the tool refuses at once.
    if (problem != m_lockProblemTold) {
        m_lockProblemTold = problem;
        m_prompts.Tell(PROBLEM_TITLE, problem);
    }
    return false;
}

bool CLibrarySession::TakeLock(CFileLock& lock, const CString& name, const CString& doing, const CString& title)
{
    CLockFailure failure;
    if (TryLock(lock, m_folder.LibraryPath(name), m_programName, failure))
        return true;
    VemoLog("{C5E2A917-3F8B-4D06-9E41-B7A0D3C62F58}");
    m_prompts.Tell(title,
        DescribeLockFailure(name, failure, "; it cannot be " + doing + " while that program has it open.",
            " It cannot be " + doing + "."));
    return false;
}

// ---------------------------------------------------------------------------
// Saving

void CLibrarySession::MarkModified()
{
    m_modified = true;
    m_saveBlocked = false;
}

bool CLibrarySession::MayIdleSave() const
{
    return m_library && m_access != Access::Read && m_modified && !m_saveBlocked
        && !(NeedsOverwriteConsent() && m_overwriteRefused);
}

void CLibrarySession::AnswerOverwrite(bool consent)
{
    m_overwriteRefused = !consent;
    if (consent) {
        m_loadFailed = false;
        m_sharedDamagedAtOpen = false;
    }
}

CString CLibrarySession::OverwriteQuestion(bool offerCopy) const
{
    if (!m_loadFailed)
        return CStringUtils::Format(kLinksLostQuestion, m_folder.SharedDataPath().c_str(), m_name.c_str());
    CString text = CStringUtils::Format(kLoadedEmptyQuestion, m_name.c_str());
    if (!offerCopy || m_loadCopy.empty())
        return text + "\n\nSave the Library anyway?";
    return text
        + CStringUtils::Format("\n\nThe newest other copy there was made %s. Save the Library anyway, restore that "
                               "copy instead (the changes made since are lost), or leave the file as it is for now?",
            m_archives.GetArchiveAgeText(m_loadCopy, CClock::Now()).c_str());
}

bool CLibrarySession::Save(SaveKind kind)
{
    if (!m_library || m_access == Access::Read) {
        VemoLog("{C81F5A3D-4E2B-4B96-9A07-E3D6B1C8F452}");
        return false;
    }
    // The caller asks first; without consent the file stays as it is.
    if (NeedsOverwriteConsent())
        return false;
    if (!AcquireLock()) {
        VemoLog("{7B3E0C62-A9D4-4F18-B5E2-0F6C8D3A1E97}");
        TellSaveProblem(kind, "the Library is locked");
        return false;
    }

    std::string previous;
    bool hadPrevious = false;
    bool sharedWritten = false;
    CString error;
    // The shared records first: the library refers to them by id, and a
    // merge may move the ids of records this process added.
    if (SharedDataChanged() && !m_sharedDamaged) {
        if (!WriteSharedData(error, previous, hadPrevious)) {
            TellSaveProblem(kind, error);
            return false;
        }
        sharedWritten = true;
    }
    if (CFileUtils::DoesFileExist(m_path) && !CFileUtils::IsFileWritable(m_path))
        CFileUtils::MakeFileWritable(m_path);
    if (!CLibraryFile::Write(*m_library, m_path, error)) {
        VemoLog("{E2A64F1B-8D3C-4A7E-96B0-5C1F7D2E8A39}");
        // What the library does not refer to yet goes back too.
        if (sharedWritten)
            PutSharedDataBack(previous, hadPrevious);
        TellSaveProblem(kind, m_path + ": " + error);
        return false;
    }
    m_modified = false;
    m_saveBlocked = false;
    m_saveProblemTold = false;
    return true;
}

void CLibrarySession::TellSaveProblem(SaveKind kind, const CString& detail)
{
    m_saveBlocked = true;
    if (kind == SaveKind::Quiet || (kind == SaveKind::Idle && m_saveProblemTold))
        return;
    m_saveProblemTold = true;
    m_prompts.Tell(PROBLEM_TITLE, m_access == Access::Interactive ? SAVE_PROBLEM : SAVE_PROBLEM + " (" + detail + ")");
}

// ---------------------------------------------------------------------------
// Archive copies

CString CLibrarySession::TakeLoadCopy(const CString& file)
{
    CString copy;
    return m_archives.BackupDataFile(file, false, &copy) ? copy : CString();
}

// A readable file lets the surplus archives go (duplicates first); an
// unreadable one keeps them all, and its copy is dropped when the newest
// archive holds the same bytes already (a file that fails at every load
// would otherwise push every good copy out one by one).
void CLibrarySession::SettleLoadCopy(const CString& file, const CString& copy, bool loaded)
{
    if (loaded) {
        m_archives.PruneArchives(file);
        return;
    }
    const CString title = CDataFileMgmt::GetDataFileTitle(copy);
    CStringList candidates;
    m_archives.GetRestoreCandidates(title, CFileUtils::ParseExtension(file), candidates);
    for (const CString& archive : candidates) {
        if (archive == copy || CDataFileMgmt::GetDataFileTitle(archive) != title)
            continue;
        // Candidates of one title come newest first.
        if (CFileUtils::AreFilesIdentical(m_archives.GetArchivePath(archive), m_archives.GetArchivePath(copy)))
            m_archives.DiscardArchive(copy);
        break;
    }
}

CString CLibrarySession::NewestDifferentArchive(const CString& file) const
{
    const CString title = CFileUtils::ParseFileNameFromPath(file, false);
    const CString path = m_folder.Dir() + file;
    CStringList candidates;
    m_archives.GetRestoreCandidates(title, CFileUtils::ParseExtension(file), candidates);
    for (const CString& archive : candidates)
        if (CDataFileMgmt::GetDataFileTitle(archive) == title
            && !CFileUtils::AreFilesIdentical(m_archives.GetArchivePath(archive), path))
            return archive;
    return CString();
}

void CLibrarySession::SetAsideOrphanArchives(const CString& name)
{
    if (CFileUtils::DoesFileExist(m_folder.LibraryPath(name)) || m_archives.GetArchivesCount(name) == 0)
        return;
    const CStringArray names = ListLibraries();
    for (int n = 1; n < 1000; ++n) {
        const CString title = n == 1 ? name + " (deleted)" : CStringUtils::Format("%s (deleted %d)", name.c_str(), n);
        if (!CLibraryNames::FindNoCase(names, title).empty() || m_archives.GetArchivesCount(title) > 0)
            continue;
        if (!m_archives.RenameArchives(CDataFolder::LibraryFileName(name), CDataFolder::LibraryFileName(title)))
            VemoLog("{8D2F6B03-E5A1-4C97-B34E-1F9A7C0D5E26}");
        return;
    }
}

// ---------------------------------------------------------------------------
// Library commands

bool CLibrarySession::LockForCommand(Command command)
{
    if (!m_library || m_access == Access::Read)
        return false;
    if (m_lock.IsHeld())
        return true;
    return command == Command::Rename ? TakeLock(m_lock, m_name, "renamed", kRenameTitle)
                                      : TakeLock(m_lock, m_name, "deleted", kDeleteTitle);
}

bool CLibrarySession::Rename(const CString& newName)
{
    if (!m_library || m_access == Access::Read)
        return false;
    // An existing name is refused by the file system below, which never
    // renames over a file.
    const CString problem = CLibraryNames::CheckName(newName);
    if (!problem.empty()) {
        m_prompts.Tell(kRenameCheckTitle, problem);
        return false;
    }
    if (!LockForCommand(Command::Rename))
        return false;
    // The file that is renamed is to hold the latest state.
    if (m_modified)
        Save(SaveKind::Explicit);
    CFileLock newLock;
    if (!TakeLock(newLock, newName, "renamed", kRenameTitle))
        return false;
    SetAsideOrphanArchives(newName);
    if (!m_archives.RenameDataFile(CDataFolder::LibraryFileName(m_name), CDataFolder::LibraryFileName(newName))) {
        VemoLog("{D41A7E6C-2B98-4F35-8C0D-6E3B9F1A7C52}");
        m_prompts.Tell(kRenameTitle, kRenameFailed);
        return false;
    }
    // A process keeps one lock per file; the new name's is taken again as
    // the library's own.
    m_lock.Release();
    newLock.Release();
    m_name = newName;
    m_path = m_folder.LibraryPath(newName);
    m_library->SetName(newName);
    AcquireLock();
    return true;
}

bool CLibrarySession::Copy(const CString& newName)
{
    if (!m_library || m_access == Access::Read)
        return false;
    const CString problem = CLibraryNames::CheckNewName(newName, ListLibraries());
    if (!problem.empty()) {
        m_prompts.Tell(kCopyTitle, problem);
        return false;
    }
    // The copy is made of the file, which is to hold the latest state.
    if (m_modified)
        Save(SaveKind::Explicit);
    CFileLock target;
    if (!TakeLock(target, newName, "created", kCopyTitle))
        return false;
    SetAsideOrphanArchives(newName);
    if (!m_archives.CopyDataFile(CDataFolder::LibraryFileName(m_name), CDataFolder::LibraryFileName(newName))) {
        VemoLog("{A6C1E83B-2F9D-4D57-B04E-8E3A5C7F1D62}");
        m_prompts.Tell(kCopyTitle, CStringUtils::Format(kCopyFailed, newName.c_str()));
        return false;
    }
    return true;
}

bool CLibrarySession::Delete(bool preserve, bool deleteArchives)
{
    if (!LockForCommand(Command::Delete))
        return false;
    const CString file = CDataFolder::LibraryFileName(m_name);
    if (preserve) {
        // The last archive is to hold the latest state.
        if (m_modified)
            Save(SaveKind::Explicit);
        m_archives.BackupDataFile(file);
    }
    // The lock stays until the file is gone.
    m_library.reset();
    const bool deleted = m_archives.DeleteDataFile(file, deleteArchives);
    if (!deleted)
        VemoLog("{F4B7D20E-6C3A-4E81-9D5F-A2C8E1B7063D}");
    Close();
    return deleted;
}

bool CLibrarySession::CanRestore() const
{
    return m_archives.HaveRestoreCandidates(m_name, CDataFolder::LIBRARY_EXT);
}

CString CLibrarySession::RestoreTarget(const CString& archive) const
{
    const CString title = CDataFileMgmt::GetDataFileTitle(archive);
    const CString existing = CLibraryNames::FindNoCase(ListLibraries(), title);
    return existing.empty() ? title : existing;
}

bool CLibrarySession::Restore(const CString& archive, bool replaceConfirmed, CString& restoredName)
{
    const CString title = CDataFileMgmt::GetDataFileTitle(archive);
    const CStringArray names = ListLibraries();
    const CString existing = CLibraryNames::FindNoCase(names, title);
    const CString target = existing.empty() ? title : existing;
    if (m_library && target == m_name) {
        VemoLog("{3E7B1A95-C04D-4F62-A8E3-5D9B2C6F0A71}");
        return false;
    }
    if (existing.empty()) {
        const CString problem = CLibraryNames::CheckNewName(title, names);
        if (!problem.empty()) {
            m_prompts.Tell(kRestoreTitle, problem);
            return false;
        }
    } else if (!replaceConfirmed
        && !m_prompts.Confirm(kRestoreTitle, CStringUtils::Format(kReplaceQuestion, existing.c_str()))) {
        return false;
    }
    CFileLock lock;
    if (!TakeLock(lock, target, "restored", kRestoreTitle))
        return false;
    if (!m_archives.RestoreDataFile(archive, target, CDataFolder::LIBRARY_EXT)) {
        VemoLog("{3C9E5B17-D0A4-4F2E-B6C8-19F7A3E05D84}");
        m_prompts.Tell(kRestoreTitle, CStringUtils::Format(kRestoreFailed, m_archives.GetArchivePath(archive).c_str()));
        return false;
    }
    restoredName = target;
    return true;
}
