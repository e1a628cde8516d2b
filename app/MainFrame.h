#pragma once
// The main window: the six menus (three of them filled at run time), the
// toolbar, the status bar with the counts of the media type on screen, the
// media-type button bar, and the one content view, which it replaces when
// the user picks another media type. One table says of every command who
// handles it (the frame, the document, the active view or the focused text
// field), whether it needs a library and when it is enabled; the menus,
// the toolbar and the keys follow it.

#include <QHash>
#include <QMainWindow>
#include <QMetaObject>
#include <functional>
#include <vector>

#include "platform/util/VemoTypes.h"

class CMediaTypeBar;
class CVemoLibraryDoc;
class CVemoLibrarySettings;
class CView;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    static inline const QString ABOUT_TEXT
        = "VemoLibrary makes it easy for you to maintain your personal library of various media. Basic and custom "
          "print and web reports can then be generated from this data.";

    // Opens a web address; false with a reason when it cannot.
    using UrlOpener = std::function<bool(const QString& url, QString& reason)>;

    CMainFrame(CVemoLibraryDoc* doc, CVemoLibrarySettings* settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Re-creates the media-type bar from the loaded library's selection.
    void RebuildMediaBar();
    // Presses the type's button, then switches the view.
    void ShowMediaType(int mediaType);
    // The content view of the type (CEmptyView for other values); a media
    // type is recorded as the library's last one.
    void SwitchView(int mediaType);
    bool IsMediaViewActive() const;
    void UpdateStatusCounts(int entries, int reserved, int checkedOut);
    // The media type of the view on screen, 0 for none.
    int GetMediaTypeOnScreen() const;
    CView* GetActiveView() const { return m_view; }

    // After an upgrade: the "Version" toolbar button and its notice.
    void SetUpgraded(const QString& fromVersion, const QString& toVersion);
    // The window's rectangle as the settings keep it, or the default size in
    // the middle of the screen when none is kept yet.
    static QRect KeptGeometry(const CVemoLibrarySettings* settings, bool* maximised = nullptr);
    // Applies the window shape kept in the settings; true when maximised.
    bool ApplyKeptShape();
    void KeepShape();

    // Runs a command as its menu entry, toolbar button or key would: not at
    // all while it is disabled.
    void OnCommand(int id);
    // Whether the command can run now; the actions show it.
    bool IsCommandEnabled(int id) const;
    QAction* FindAction(int id) const;
    QMenu* GetLibraryMenu() const { return m_libraryMenu; }
    QMenu* GetResearchMenu() const { return m_researchMenu; }
    QMenu* GetViewMenu() const { return m_viewMenu; }
    QToolBar* GetToolBar() const { return m_toolBar; }
    CMediaTypeBar* GetMediaBar() const { return m_mediaBar; }
    QLabel* GetEntriesPane() const { return m_entriesPane; }
    QLabel* GetReservedPane() const { return m_reservedPane; }
    QLabel* GetCheckedOutPane() const { return m_checkedOutPane; }

    // The dynamic parts, as they are filled when a menu opens.
    void FillLibraryMenu();
    void FillResearchMenu();
    void FillViewMenu();
    // The dynamic entries now in a menu.
    QList<QAction*> DynamicEntries(QMenu* menu) const;

    static QString EntriesText(int entries);
    static QString ReservedText(int reserved);
    static QString CheckedOutText(int checkedOut);
    static void SetUrlOpenerForTesting(UrlOpener opener);

signals:
    // A view was switched in (the start-up splash goes then).
    void ViewSwitched(int mediaType);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // When a command can run, beside needing a library.
    enum class Rule {
        Always,
        Settings, // the settings are there
        Restore, // the library has archive copies
        EditField, // the focused field can do it
        View, // the active view says so
    };
    struct CCommand {
        int first;
        int last; // the same as first, or the end of a range of ids
        bool needsLibrary;
        Rule rule;
        void (*run)(CMainFrame& frame, int id);
    };
    static const std::vector<CCommand>& Commands();
    static const CCommand* FindCommand(int id);
    bool IsEnabled(const CCommand& command, int id) const;
    QWidget* EditFocus() const;
    // Follows the focused field for the edit commands' states.
    void OnFocusChanged();
    // The actions of the commands of one rule only (those change often).
    void UpdateStatesOf(Rule rule);
    void UpdateEditStates();
    // Once, when control returns to the event loop (the library may be on
    // its way out when the document says so).
    void ScheduleCommandStates();
    void ShowMediaTypeCommand(int id);
    void RunInView(int id);

    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QList<QKeySequence>& keys = {});
    QAction* AddHiddenCommand(int id, const QString& text, const QList<QKeySequence>& keys);
    void ClearDynamic(QMenu* menu);
    void UpdateCommandStates();
    void OpenResearchEntry(int index);
    void ShowAbout();
    void ShowNotAvailable(int id);

    CVemoLibraryDoc* m_doc;
    CVemoLibrarySettings* m_settings;
    QHash<int, QAction*> m_actions;
    QHash<QMenu*, QList<QAction*>> m_dynamic;
    QHash<QMenu*, QActionGroup*> m_groups;
    QMenu* m_libraryMenu = nullptr;
    QMenu* m_researchMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_versionSeparator = nullptr;
    QAction* m_versionAction = nullptr;
    CMediaTypeBar* m_mediaBar = nullptr;
    QLabel* m_entriesPane = nullptr;
    QLabel* m_reservedPane = nullptr;
    QLabel* m_checkedOutPane = nullptr;
    CView* m_view = nullptr;
    QList<QMetaObject::Connection> m_focusWatch;
    bool m_statesPending = false;
    QString m_upgradedFrom;
    QString m_upgradedTo;
};
