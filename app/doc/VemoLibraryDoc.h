#pragma once
// The program's one document: the Qt side of the library session. It holds
// the loaded library through a CLibrarySession (which opens, saves,
// archives, renames, copies, deletes and restores libraries and keeps the
// shared data file, as the tool does), asks and tells the user through
// CMessageBox, saves at idle, and lets views and the main window learn of
// changes through its signals.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "data/session/LibrarySession.h"
#include "platform/appcfg/Rect.h"
#include "platform/util/Font.h"
#include "platform/util/VemoTypes.h"

class CItem;
class CLibrary;
class CMediaItem;
class CVideoTape;
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

    static constexpr int ARCHIVE_COUNT = CLibrarySession::ARCHIVE_COUNT;
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
    // Whether an idle pass is scheduled.
    bool IsIdlePending() const { return m_idleTimer.isActive(); }

    // Start-up: shared data, library list, the current library.
    bool OnNewDocument();
    // Another library loaded first is let go as QueryClose(true) says;
    // false when it stays loaded or name cannot be opened.
    bool OpenLibrary(const CString& name, bool isNew);
    void CloseLibrary();
    // Before the window closes (or, with switching, another library takes
    // the loaded one's place): saves a change; one that cannot be saved
    // offers to try again, to stay, or to go on without it (the library is
    // then discarded). False to stay.
    bool QueryClose(bool switching = false);
    // Writes the library now; false when nothing was written.
    bool SaveLibrary();
    void LoadSharedData();
    bool SaveSharedData();
    void MarkModified();
    // After a view or dialog changed items directly: the library refreshes
    // what it derives from them (search texts, duplicates, order), then the
    // library is marked modified. A null item means many items.
    void MarkItemModified(const CItem* item);
    bool IsModified() const { return m_session->IsModified(); }
    void MarkListStale(NameList list);
    bool IsListStale(NameList list) const { return m_listStale[list]; }
    // One pass: a save when modified, otherwise one stale name list or one
    // search index; true while more work is pending that a pass may do
    // (none while saving is switched off).
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
    // Restores an archive; replacing the loaded library closes it first,
    // and with dropChanges without saving what was changed since.
    bool RestoreLibrary(const CString& archiveFile, bool dropChanges = false);
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
    // No work is left for idle passes or in the background.
    bool IsAtRest() const;

    CLibrary* GetLibrary() const { return m_session->GetLibrary(); }
    CVemoLibrarySettings* GetSettings() const { return m_settings; }
    CLibrarySession& GetSession() { return *m_session; }
    CDataFileMgmt& GetDataFileMgmt() { return m_session->GetArchives(); }
    const CString& GetFilePath() const { return m_session->GetPath(); }
    CString GetLibraryName() const;
    const ReportContext& GetReportContext() const { return m_reportContext; }
    // After the print settings changed.
    void RefreshReportContext();
    bool GetSaveEnabled() const { return m_saveEnabled; }
    void SetSaveEnabled(bool enabled);
    // True after a load that could not read the whole file.
    bool LoadFailed() const { return m_session->NeedsOverwriteConsent(); }
    bool HoldsLock() const { return m_session->HoldsLock(); }

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
    class CPrompts;
    using SaveKind = CLibrarySession::SaveKind;

    bool Save(SaveKind kind);
    // Asks before a library that was not read whole is written over; true
    // when the save may go on.
    bool AskOverwrite(SaveKind kind);
    // Destroys the library without writing it.
    void DiscardLibrary();
    // Windows and views let go of the library before it goes.
    void ReleaseLibraryViews();
    void ForgetLibraryState();
    void ShowLoadedLibrary();
    void ScheduleIdle();
    bool HasIdleWork() const;
    // The search window's texts become the library's; true when it was open.
    bool TakeSearchStrings();
    CString DataDir() const;
    // Writes the settings at once, so that a crash reopens the library and
    // type last shown; a failure is logged and tried again at the next change.
    void SaveSettingsNow();

    CVemoLibrarySettings* m_settings;
    bool m_saveEnabled = true;
    // The library is being closed: a question cannot offer to replace it.
    bool m_closing = false;
    bool m_listStale[NAME_LIST_COUNT] = {};
    ReportContext m_reportContext;
    QPointer<QWidget> m_dialogParent;
    std::unique_ptr<CPrompts> m_prompts;
    std::unique_ptr<CLibrarySession> m_session;

    CReportWindows* m_reportWindows;
    CLibraryCommands* m_commands;
    QPointer<CLibrarySearchDlg> m_searchDlg;
    bool m_searchPrepPending = false;
    QTimer m_idleTimer;
    bool m_autoIdle = true;

    // Item operations for the media views
    // (app/doc/VemoLibraryDocItems.cpp). Each does nothing, or answers null,
    // 0 or an empty value, without a library.
public:
    // A new item of the type, a copy of source when it is of the type's
    // class; the library owns it. Marks the library modified.
    CMediaItem* CreateMediaItem(int mediaType, CMediaItem* source);
    // An open search window drops the item (and its sub-items) first; marks
    // the library modified.
    void DeleteItem(CMediaItem* item);
    // Every item of the type, likewise.
    void DeleteItems(int mediaType);
    void GetSortOrder(int mediaType, CString& primary, CString& secondary) const;
    // Stores the type's sort order and sorts; marks the library modified.
    void SetSortOrder(int mediaType, const CString& primary, const CString& secondary);
    CString GetDefaultLocation(int mediaType) const;
    // Every item of the type gets location; marks the library modified.
    void RelocateMedia(int mediaType, const CString& location);
    // A derived name list, in list order.
    const CStringList& GetNameList(NameList list) const;
    void GetSheetMusicLists(CStringList& composers, CStringList& arrangers, CStringList& wordsBy, CStringList& musicBy,
        CStringList& instrumentation) const;
    // The category names, the none category first, then by name.
    CStringList GetCategoryNames() const;
    // The shared magazine titles (with or without a library).
    CStringList GetMagazineTitles() const;
    // A tape whose format numbers its tapes automatically gets the next
    // number of that format; true when its library ID changed. A format
    // without automatic numbering leaves the ID as typed.
    bool RefreshLibraryID(CVideoTape* tape);

    // Operations for the item pages
public:
    // Deletes a sub-item from its medium: an open search window first drops
    // results that would point at it; the library is marked modified.
    void DeleteSubItem(CMediaSubItem* subItem);
    // After a page added or changed a person or publisher: writes the shared
    // data file and sends HintSharedData; false when the file was not written.
    bool SharedDataChanged();
    // The id a publisher or person added before SharedDataChanged has now:
    // when another program had taken its id meanwhile, the write gave it a
    // new one (and the library's items followed).
    int PublisherIDNow(int id) const;
    int PersonIDNow(int id) const;
    // The folder the picture chooser opens for an item of the media type
    // (books keep their own), and the folder of a chosen picture, kept in the
    // settings and saved at once.
    CString GetImageDir(int mediaType) const;
    void RememberImageDir(int mediaType, const CString& dir);

    // Opening a library file named on the command line or handed over by a
    // second start (VemoLibraryDocOpenFile.cpp).
public:
    // A library of the data folder opens; any other .vly file is offered
    // to be copied in first (asking again before it replaces a library of
    // the same name, which keeps an archive copy). False when no library
    // was opened from the file.
    bool OpenLibraryFile(const QString& path);

    // Manager dialogs
public:
    // The dialogs a media view opens (app/doc/VemoLibraryDocDialogs.cpp):
    // the custom fields of a media type, the library ID format of a media
    // type or video tape format id (typeOnScreen decides the hint), and the
    // magazine titles, which returns the title chosen when OK was pressed.
    void OnCustomFields(int mediaType);
    void OnLibraryIDFormat(int mediaType, int typeOnScreen);
    int OnMagazineTitles(int selectedTitleId);
};
