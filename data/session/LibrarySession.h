#pragma once
// One library of the data folder, opened, saved, archived, renamed, copied,
// deleted and restored the same way by the program and the tool.
//
// Opening reads the shared data file first (items refer to its publishers,
// persons and magazine titles), then the library; a session that may change
// the library takes its lock first and an archive copy of each file as it
// was. A library file of the earlier format is converted and written back
// at once. Saving writes the shared data (when it changed) and then the
// library, each whole or not at all; the shared data is read, merged with
// what other processes wrote meanwhile and written under a lock of its own,
// and put back when the library cannot be written after it.
//
// A file that cannot be read is never written over unasked: the tool
// refuses to change its library, the program shows the library empty and
// asks before its first save. Problems go to the user through the prompts.

#include <memory>
#include <string>

#include "data/session/SharedLists.h"
#include "platform/appcfg/DataFileMgmt.h"
#include "platform/appcfg/FileLock.h"
#include "platform/util/DataFolder.h"
#include "platform/util/VemoTypes.h"

class CLibrary;
class CSessionPrompts;

class CLibrarySession {
public:
    static constexpr int ARCHIVE_COUNT = 10;
    // How long a writer of the shared data file waits for another one.
    static constexpr int SHARED_LOCK_WAIT_MS = 10000;

    enum class Access {
        // Reads only: no lock, no archive copy, a conversion stays in memory.
        Read,
        // Changes and saves (the tool): refused while another program holds
        // the library or a file cannot be read.
        Change,
        // Changes and saves (the program): a library another program holds
        // is shown but not saved until it is free; a file that cannot be
        // read leaves the library empty and asks before it is written over.
        Interactive,
    };
    enum class Command { Rename, Delete };
    enum class SaveKind {
        Explicit, // a failed save says so every time
        Idle, // a failed save says so once, and is not tried again until a further change
        Quiet, // the caller tells the user itself
    };

    static inline const CString PROBLEM_TITLE = "VemoLibrary Data File Problem";
    static inline const CString READ_PROBLEM = "VemoLibrary was unable to read the Library data file.";
    static inline const CString SAVE_PROBLEM = "VemoLibrary was unable to save the Library data file.";

    // programName names this program in lock files ("VemoLibrary"); prompts
    // must outlive the session.
    CLibrarySession(const CString& dataDir, const CString& programName, CSessionPrompts& prompts);
    // Closes the library without saving it.
    ~CLibrarySession();
    CLibrarySession(const CLibrarySession&) = delete;
    CLibrarySession& operator=(const CLibrarySession&) = delete;

    const CDataFolder& GetFolder() const { return m_folder; }
    CDataFileMgmt& GetArchives() { return m_archives; }
    const CDataFileMgmt& GetArchives() const { return m_archives; }
    // The libraries of the folder, ordered ignoring case.
    CStringArray ListLibraries() const;

    // Shared data. Load archives the file (unless only reading) and reads
    // it; a file that cannot be read is told once, is never written over,
    // and libraries opened while it is so count as not read whole. The
    // program is offered the newest archive copy that can be read.
    bool LoadSharedData(Access access);
    bool IsSharedDataLoaded() const { return m_sharedLoaded; }
    bool IsSharedDataDamaged() const { return m_sharedDamaged; }
    // Whether the shared lists differ from the file as last read or written.
    bool SharedDataChanged() const;
    // Writes the shared lists merged with the file's current content (see
    // CSharedLists::Merge); the open library follows moved ids and is then
    // marked modified. False when nothing could be written.
    bool SaveSharedData();
    // The new ids the last write of the shared data gave records this
    // process had added, because another process had taken theirs meanwhile.
    const CSharedLists::IdMoves& GetLastIdMoves() const { return m_lastMoves; }

    // Opens the library name (exactly that name). isNew makes a new, empty
    // library with the default web reports, which must not exist yet; the
    // caller saves it. The current library is closed first, unsaved.
    bool Open(const CString& name, Access access, bool isNew = false);
    // A new library for the tool: the name rules, the limit, then Open as
    // new, the creation note and the first save.
    bool Create(const CString& name);
    // "This Library was created on <today>." as the library's notes.
    void AddCreationNote();
    // Destroys the library without saving it and gives its lock up.
    void Close();
    // Close, but the library is handed to the caller instead of destroyed
    // (a process about to end leaves it to the end of the process).
    std::unique_ptr<CLibrary> CloseKeepingLibrary();

    CLibrary* GetLibrary() const { return m_library.get(); }
    const CString& GetName() const { return m_name; }
    const CString& GetPath() const { return m_path; }
    Access GetAccess() const { return m_access; }
    bool HoldsLock() const { return m_lock.IsHeld(); }
    // The file was of the earlier format (and, unless only reading, has
    // been written back in the current one, its wish list beside it).
    bool WasConverted() const { return m_converted; }

    bool IsModified() const { return m_modified; }
    void MarkModified();
    // Forgets the changes (they will not be written).
    void DropChanges() { m_modified = false; }
    // Writes the shared data (when it changed) and the library; a change
    // made meanwhile stays marked. False when nothing was written.
    bool Save(SaveKind kind);
    // Whether an idle pass may save now: a change waits, its last save did
    // not fail, and it is not waiting for the user's consent.
    bool MayIdleSave() const;

    // The library (or the shared data it needs) could not be read whole
    // when it was opened: its file is written over only with the user's
    // consent, asked with OverwriteQuestion. The tool never gets that far.
    bool NeedsOverwriteConsent() const { return m_loadFailed || m_sharedDamagedAtOpen; }
    bool OverwriteRefused() const { return m_overwriteRefused; }
    void AnswerOverwrite(bool consent);
    // offerCopy: the question offers GetLoadCopy (buttons Save, Restore
    // Copy, Don't Save); otherwise it is a yes/no question.
    CString OverwriteQuestion(bool offerCopy) const;
    // The archive copy the question offers instead: the newest one that
    // differs from the file that could not be read ("" when none).
    const CString& GetLoadCopy() const { return m_loadCopy; }

    // The library commands. Each checks the name rules and the other
    // program's lock, tells the user why it refused or failed, and returns
    // whether it did what was asked. The library is saved first when
    // modified, so that the files hold the latest state.
    // Whether this program may rename or delete the open library: it holds
    // its lock, or takes it now; tells why not.
    bool LockForCommand(Command command);
    bool Rename(const CString& newName);
    bool Copy(const CString& newName);
    // preserve keeps one more archive of the latest state; deleteArchives
    // removes every archive (otherwise they stay for a later restore). The
    // library is closed afterwards.
    bool Delete(bool preserve, bool deleteArchives);
    // Whether any library has an archive copy.
    bool CanRestore() const;
    // The library an archive restores to: the existing one of its name
    // ignoring case, else a new one of its name.
    CString RestoreTarget(const CString& archive) const;
    // Restores archive (a file of the archive folder) over RestoreTarget:
    // an existing library after the user confirms (unless replaceConfirmed
    // says the caller asked already), a new one after the name rules and
    // the limit. The open library must not be the target; close it first.
    // restoredName receives the library restored.
    bool Restore(const CString& archive, bool replaceConfirmed, CString& restoredName);

private:
    bool ReadSharedFile(const std::string& bytes, CString& error);
    // The lists were just read from bytes, the file's content.
    void AcceptSharedFile(const std::string& bytes);
    void TellSharedProblem(Access access, const CString& error);
    void OfferSharedArchive(const CString& error);
    // Reads the shared data file again when another process changed it,
    // keeping this process's own changes.
    void RefreshSharedData();
    // Merges this process's lists into bytes, the file's content now (not
    // empty): the lists become the merged ones and the open library follows
    // moved ids. Bytes that cannot be read leave the lists as they were.
    bool MergeSharedFile(const std::string& bytes, CString& error);
    // Writes the shared lists under the file's lock, merged with what the
    // file holds by then; previous receives what it held.
    bool WriteSharedData(CString& error, std::string& previous, bool& hadPrevious);
    // After the library could not be written: what it does not refer to
    // yet goes back too, unless another writer has merged it since.
    void PutSharedDataBack(const std::string& previous, bool hadPrevious);
    bool LockSharedData(CFileLock& lock, CString& error) const;

    void SetPaths(CLibrary& library) const;
    bool ReadLibraryFile();
    void AfterConversion();
    // Takes the open library's lock; tells why not (the program once per
    // reason).
    bool AcquireLock();
    // Takes the lock of library name for a command ("renamed"); tells why not.
    bool TakeLock(CFileLock& lock, const CString& name, const CString& doing, const CString& title);
    void TellSaveProblem(SaveKind kind, const CString& detail);

    // Archive copies: one before each load, settled after it.
    CString TakeLoadCopy(const CString& file);
    void SettleLoadCopy(const CString& file, const CString& copy, bool loaded);
    // The newest archive of file whose bytes differ from the file's.
    CString NewestDifferentArchive(const CString& file) const;
    // Archives left by a deleted library of this name move to a name of
    // their own, so that a new library of the name cannot rotate them away.
    void SetAsideOrphanArchives(const CString& name);

    CDataFolder m_folder;
    CString m_programName;
    CSessionPrompts& m_prompts;
    CDataFileMgmt m_archives;

    bool m_sharedLoaded = false;
    bool m_sharedDamaged = false;
    bool m_sharedProblemTold = false;
    // Lists not yet in the file although they may equal what was read.
    bool m_sharedDirty = false;
    // The shared data file as last read or written, and the lists then.
    std::string m_sharedFileBytes;
    std::string m_sharedListBytes;
    CSharedLists::IdMoves m_lastMoves;

    std::unique_ptr<CLibrary> m_library;
    CString m_name;
    CString m_path;
    Access m_access = Access::Read;
    CFileLock m_lock;
    CString m_lockProblemTold;
    bool m_modified = false;
    bool m_saveBlocked = false;
    bool m_saveProblemTold = false;
    bool m_loadFailed = false;
    bool m_sharedDamagedAtOpen = false;
    bool m_overwriteRefused = false;
    bool m_converted = false;
    CString m_loadCopy;
};
