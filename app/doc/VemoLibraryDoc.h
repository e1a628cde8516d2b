#pragma once
// The program's one document: owns the loaded library and is where
// libraries are created, loaded, saved (at idle), archived, restored,
// copied, renamed and deleted, and where the shared data file is read and
// written. Views and the main window learn of changes through its signals.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "platform/appcfg/DataFileMgmt.h"
#include "platform/appcfg/FileLock.h"
#include "platform/appcfg/Rect.h"
#include "platform/util/Font.h"
#include "platform/util/VemoTypes.h"

class CItem;
class CLibrary;
class CLibraryCommands;
class CLibrarySearchDlg;
class CMediaSubItem;
class CMediaTypeSelection;
class CReportWindows;
class CVemoLibrarySettings;
class QWidget;

// The print and tool-tip settings handed to report windows and dialogs.
struct ReportContext {
    bool balloonCloseButton = true;
    unsigned int balloonWpmSpeed = 0;
    bool portrait = true;
    CFont* headerFont = nullptr; // owned by the library
    CFont* contentFont = nullptr;
    CFont* footerFont = nullptr;
    COLORREF headerColor = 0;
    COLORREF contentColor = 0;
    COLORREF footerColor = 0;
    CRect margins;
};

class CVemoLibraryDoc : public QObject {
    Q_OBJECT

public:
    enum UpdateHint {
        HintPrintSettings = 100,
        HintNewLibrary = 101,
        HintSharedData = 102,
        HintMediaSettings = 103,
        HintCategories = 104,
        HintCustomFields = 105,
        HintImport = 106,
        HintLibraryIDFormat = 107,
        HintArtists = 108,
        HintActors = 109,
        HintDirectors = 110,
        HintAuthors = 111,
        HintLocations = 112,
        HintManufacturers = 113,
    };
    Q_ENUM(UpdateHint)

    // The derived name lists, in the order idle passes rebuild them.
    enum NameList { ListArtists, ListActors, ListDirectors, ListAuthors, ListLocations, ListManufacturers };
    static constexpr int NAME_LIST_COUNT = 6;

    static constexpr int ARCHIVE_COUNT = 10;
    static inline const CString FILE_TYPE = "VemoLibrary\n\nVemoLibrary\nVemoLibrary Files (*.vly)\n.vly\n"
                                            "VemoLibrary.Document\nVemoLib Document";

    // settings may be null: the program then runs without libraries.
    explicit CVemoLibraryDoc(CVemoLibrarySettings* settings, QObject* parent = nullptr);
    // Closes (and if needed saves) the library.
    ~CVemoLibraryDoc() override;

    // Where dialogs and messages are parented.
    void SetDialogParent(QWidget* parent) { m_dialogParent = parent; }
    QWidget* GetDialogParent() const { return m_dialogParent; }
    // Idle passes run from a zero-interval timer; tests that drive
    // DoIdleWork themselves turn it off.
    void SetAutoIdle(bool on);

    // Start-up: shared data, library list, the current library.
    bool OnNewDocument();
    void OpenLibrary(const CString& name, bool isNew);
    void CloseLibrary();
    // Writes the library now; false when nothing was written.
    bool SaveLibrary();
    void LoadSharedData();
    bool SaveSharedData();
    void MarkModified();
    // After a view or dialog changed items directly: the library refreshes
    // what it derives from them (search texts, duplicates, order), then the
    // library is marked modified. A null item means many items.
    void MarkItemModified(const CItem* item);
    bool IsModified() const { return m_modified; }
    void MarkListStale(NameList list);
    bool IsListStale(NameList list) const { return m_listStale[list]; }
    // One pass: a save when modified, otherwise one stale name list; true
    // while more work is pending.
    bool DoIdleWork();

    void CreateNewLibrary();
    void InitNewLibrary();
    // Loads entry index of the library list (Library menu).
    void LoadLibraryAt(int index);
    int LastMediaType() const;
    void RememberMediaType(int mediaType);
    void RememberItem(int mediaType, const CString& text);
    CString GetRememberedItem(int mediaType) const;

    // The library-level commands after their dialogs; each returns whether
    // it did what was asked.
    void SetNotes(const CString& notes);
    bool RenameLibrary(const CString& newName);
    bool CopyLibrary(const CString& newName, bool loadCopy);
    void DeleteLibrary(bool preserveArchives, bool deleteArchives);
    bool RestoreLibrary(const CString& archiveFile);
    bool CanRestore() const;
    // Makes selection the library's shown media types; when the type on
    // screen is no longer shown, the first shown type (by id) replaces it.
    void ApplyMediaTypeSelection(const CMediaTypeSelection& selection, int typeOnScreen);

    // The commands themselves: dialog, then the operation above.
    void OnLibraryNotes();
    void OnLibraryRename();
    void OnLibraryCopy();
    void OnLibraryDelete();
    void OnLibraryRestore();
    void OnViewSelectMediaTypes(int typeOnScreen);

    // The Reports menu's windows; the managers close with the library.
    CReportWindows* GetReportWindows() const { return m_reportWindows; }
    // Import and the dialogs of the library's settings and lists.
    CLibraryCommands* GetCommands() const { return m_commands; }

    // Edit, Search...: opens the search window, or gives the open one the
    // focus; null without a library.
    CLibrarySearchDlg* OnEditSearch();
    CLibrarySearchDlg* GetSearchDlg() const;
    // Shows an item the search found: its media type's view, with the item
    // chosen.
    void ShowItem(const CItem* item);
    // Idle passes make the search indexes again (after many changes).
    void PrepareSearchAtIdle();
    bool IsSearchPreparePending() const { return m_searchPrepPending; }

    CLibrary* GetLibrary() const { return m_library; }
    CVemoLibrarySettings* GetSettings() const { return m_settings; }
    CDataFileMgmt& GetDataFileMgmt() { return m_fileMgmt; }
    const CString& GetFilePath() const { return m_filePath; }
    CString GetLibraryName() const;
    const ReportContext& GetReportContext() const { return m_reportContext; }
    // After the print settings changed.
    void RefreshReportContext();
    bool GetSaveEnabled() const { return m_saveEnabled; }
    void SetSaveEnabled(bool enabled);
    // True after a load that could not read the whole file.
    bool LoadFailed() const { return m_loadFailed; }
    bool HoldsLock() const { return m_lock.IsHeld(); }

    // Counts of a media type (0 without a library).
    int GetItemCount(int mediaType) const;
    int GetReservedItemCount(int mediaType) const;
    int GetCheckedOutItemCount(int mediaType) const;
    CMediaTypeSelection* GetMediaTypes() const;

signals:
    void UpdateAllViews(int hint);
    void TitleChanged(const QString& title);
    // The main window is to show this media type (press its button, switch
    // the view).
    void MediaTypeRequested(int mediaType);
    void MediaBarRebuildRequested();
    // The library is about to be destroyed: drop every pointer into it.
    void LibraryClosing();

private:
    enum class SaveKind { Explicit, Idle };

    bool Save(SaveKind kind);
    bool ReadLibraryFile();
    void SettleArchive(const CString& dataFile, const CString& newArchive, bool loaded);
    void AcquireLock();
    // Destroys the library without writing it.
    void DiscardLibrary();
    void ShowLoadedLibrary();
    void ScheduleIdle();
    // The search window's texts become the library's; true when it was open.
    bool TakeSearchStrings();
    void ShowProblem(const QString& text);
    CString DataDir() const;

    CVemoLibrarySettings* m_settings;
    bool m_saveEnabled = true;
    bool m_modified = false;
    bool m_listStale[NAME_LIST_COUNT] = {};
    CLibrary* m_library = nullptr;
    CDataFileMgmt m_fileMgmt;
    ReportContext m_reportContext;
    CString m_filePath;

    CFileLock m_lock;
    CString m_lockProblem;
    // A failed save is not tried again at every idle pass, only after a
    // further change or when saved on purpose; its message shows once.
    bool m_idleSaveBlocked = false;
    bool m_saveProblemShown = false;
    // A library that could not be read whole is only written over its file
    // when the user confirms; after a refusal idle passes leave it alone.
    bool m_loadFailed = false;
    bool m_overwriteRefused = false;
    bool m_sharedLoadFailed = false;

    CReportWindows* m_reportWindows;
    CLibraryCommands* m_commands;
    QPointer<CLibrarySearchDlg> m_searchDlg;
    bool m_searchPrepPending = false;
    QPointer<QWidget> m_dialogParent;
    QTimer m_idleTimer;
    bool m_autoIdle = true;

    // Operations for the item pages
public:
    // Deletes a sub-item from its medium: an open search window first drops
    // results that would point at it; the library is marked modified.
    void DeleteSubItem(CMediaSubItem* subItem);
    // After a page added or changed a person or publisher: writes the shared
    // data file and sends HintSharedData; false when the file was not written.
    bool SharedDataChanged();
    // The folder the picture chooser opens for an item of the media type
    // (books keep their own), and the folder of a chosen picture, kept in the
    // settings and saved at once.
    CString GetImageDir(int mediaType) const;
    void RememberImageDir(int mediaType, const CString& dir);
};
