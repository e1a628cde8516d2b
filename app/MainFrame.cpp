#include "app/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/BrowserLauncher.h"
#include "app/CommandIds.h"
#include "app/EditTarget.h"
#include "app/HelpController.h"
#include "app/MediaTypeBar.h"
#include "app/MessageBox.h"
#include "app/dialogs/NotAvailableDlg.h"
#include "app/dialogs/SettingsDlg.h"
#include "app/doc/LibraryCommands.h"
#include "app/doc/ReportWindows.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/ReportView.h"
#include "app/views/View.h"
#include "app/views/ViewFactory.h"
#include "data/model/MediaUtils.h"
#include "data/session/VemoLibrarySettings.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "data/store/ResearchEntry.h"
#include "platform/appcfg/Rect.h"
#include "platform/util/AppLogger.h"

namespace {

// Digits grouped as the user's locale groups them.
QString Grouped(int n)
{
    return QLocale().toString(n);
}

} // namespace

CMainFrame::CMainFrame(CVemoLibraryDoc* doc, CVemoLibrarySettings* settings, QWidget* parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_settings(settings)
{
    setObjectName("mainFrame");
    setWindowTitle("VemoLibrary");
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    m_mediaBar = new CMediaTypeBar(this);
    addToolBar(Qt::LeftToolBarArea, m_mediaBar);
    m_help = new CHelpController(this);
    m_help->ApplyWhatsThis();
    connect(m_mediaBar, &CMediaTypeBar::MediaTypeClicked, this,
        [this](int mediaType) { OnCommand(MediaTypeCommand(mediaType)); });
    ApplyKeptShape();

    if (m_doc) {
        m_doc->SetDialogParent(this);
        connect(m_doc, &CVemoLibraryDoc::TitleChanged, this,
            [this](const QString& title) { setWindowTitle(title.isEmpty() ? QString("VemoLibrary") : title); });
        connect(m_doc, &CVemoLibraryDoc::MediaTypeRequested, this, &CMainFrame::ShowMediaType);
        connect(m_doc, &CVemoLibraryDoc::MediaBarRebuildRequested, this, &CMainFrame::RebuildMediaBar);
        // Whether there is a library (and archives of it) may have changed.
        connect(m_doc, &CVemoLibraryDoc::LibraryClosing, this, &CMainFrame::ScheduleCommandStates);
        connect(m_doc, &CVemoLibraryDoc::MediaBarRebuildRequested, this, &CMainFrame::ScheduleCommandStates);
        connect(m_doc, &CVemoLibraryDoc::TitleChanged, this, &CMainFrame::ScheduleCommandStates);
        connect(m_doc, &CVemoLibraryDoc::UpdateAllViews, this, &CMainFrame::ScheduleCommandStates);
    }
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::OnFocusChanged);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdateEditStates);
    SwitchView(0);
}

CMainFrame::~CMainFrame()
{
    // Hiding the window as it goes moves the focus: nothing may reach this
    // half-destroyed frame then.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    for (const QMetaObject::Connection& connection : m_focusWatch)
        disconnect(connection);
    if (m_view)
        disconnect(m_view, nullptr, this, nullptr);
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, this);
    action->setData(id);
    if (!keys.isEmpty())
        action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    if (menu)
        menu->addAction(action);
    m_actions.insert(id, action);
    return action;
}

QAction* CMainFrame::AddHiddenCommand(int id, const QString& text, const QList<QKeySequence>& keys)
{
    QAction* action = AddCommand(nullptr, id, text, keys);
    addAction(action);
    return action;
}

void CMainFrame::CreateMenus()
{
    QMenu* app = menuBar()->addMenu("&VemoLibrary");
    AddCommand(app, ID_APP_ABOUT, "&About...");
    QMenu* howTo = app->addMenu("&How-to");
    AddCommand(howTo, ID_HOWTO_OVERVIEW, "&User Interface Overview");
    howTo->addSeparator();
    AddCommand(howTo, ID_HOWTO_ADD_LIBRARY, "&Add a Library");
    AddCommand(howTo, ID_HOWTO_SELECT_MEDIA, "&Select Media Types to View");
    AddCommand(howTo, ID_HOWTO_DATA_ENTRY, "&Data Entry");
    howTo->addSeparator();
    AddCommand(howTo, ID_HOWTO_PRINTED_REPORTS, "&Printed Reports");
    AddCommand(howTo, ID_HOWTO_WEB_REPORTS, "&Web Reports");
    howTo->addSeparator();
    AddCommand(howTo, ID_HOWTO_QA, "&Q&&A");
    AddCommand(app, ID_MORE_INFO, "&More Info");
    AddCommand(app, ID_HISTORY, "Hist&ory");
    app->addSeparator();
    AddCommand(app, ID_TECH_SUPPORT, "&e-mail Tech Support");
    AddCommand(app, ID_FEEDBACK, "&Feedback");
    AddCommand(app, ID_PRODUCT_WEB_SITE, "&VemoLibrary on the Web");
    app->addSeparator();
    AddCommand(app, ID_SETTINGS, "&Settings...");
    app->addSeparator();
    AddCommand(app, ID_APP_EXIT, "E&xit");

    m_libraryMenu = menuBar()->addMenu("&Library");
    AddCommand(m_libraryMenu, ID_LIBRARY_NEW, "Ne&w");
    m_libraryMenu->addSeparator();
    AddCommand(m_libraryMenu, ID_LIBRARY_NOTES, "&Notes...");
    AddCommand(m_libraryMenu, ID_LIBRARY_RENAME, "Ren&ame...");
    AddCommand(m_libraryMenu, ID_LIBRARY_COPY, "&Copy...");
    m_libraryMenu->addSeparator();
    AddCommand(m_libraryMenu, ID_LIBRARY_DELETE, "&Delete...");
    AddCommand(m_libraryMenu, ID_LIBRARY_RESTORE, "&Restore...");
    m_libraryMenu->addSeparator();
    AddCommand(m_libraryMenu, ID_LIBRARY_IMPORT, "&Import...");

    QMenu* edit = menuBar()->addMenu("&Edit");
    AddCommand(edit, ID_EDIT_UNDO, "&Undo\tCtrl+Z", { QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace") });
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_CUT, "Cu&t\tCtrl+X", { QKeySequence("Ctrl+X") });
    AddCommand(edit, ID_EDIT_COPY, "&Copy\tCtrl+C", { QKeySequence("Ctrl+C") });
    AddCommand(edit, ID_EDIT_PASTE, "&Paste\tCtrl+V", { QKeySequence("Ctrl+V") });
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A", { QKeySequence("Ctrl+A") });
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_SEARCH, "&Search...\tCtrl+F", { QKeySequence("Ctrl+F") });
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_DELETE_ALL, "&Delete All...");
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_CATEGORIES, "Catego&ries...");
    AddCommand(edit, ID_EDIT_CHECKOUT_SETTINGS, "Check-&out Settings...");
    AddCommand(edit, ID_EDIT_MEDIA_SETTINGS, "M&edia Settings...");
    AddCommand(edit, ID_EDIT_PERSONS, "Perso&ns...");
    AddCommand(edit, ID_EDIT_PUBLISHERS, "Pu&blishers...");
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_UPDATE_LENGTH, "Update Length &Field");
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_LOOKUP, "&Look up\tCtrl+L", { QKeySequence("Ctrl+L") });
    AddCommand(edit, ID_EDIT_UNDO_LOOKUP, "Undo Loo&k-up");

    m_researchMenu = menuBar()->addMenu("Re&search");
    AddCommand(m_researchMenu, ID_RESEARCH_MANAGE, "&Manage List...");

    // The separator above comes with the media types listed (FillViewMenu).
    m_viewMenu = menuBar()->addMenu("Vie&w");
    AddCommand(m_viewMenu, ID_VIEW_SELECT_MEDIA_TYPES, "Select Media T&ypes...");

    QMenu* reports = menuBar()->addMenu("&Reports");
    AddCommand(reports, ID_REPORTS_CUSTOM_PRINT, "Custom &Print Reports...");
    AddCommand(reports, ID_REPORTS_CUSTOM_WEB, "Custom &Web Reports...");
    reports->addSeparator();
    AddCommand(reports, ID_REPORTS_INVENTORY, "&Inventory Summary...");
    AddCommand(reports, ID_REPORTS_RESERVED, "&Reserved...");
    AddCommand(reports, ID_REPORTS_CHECKED_OUT, "&Checked-out...");
    reports->addSeparator();
    AddCommand(reports, ID_REPORTS_PRINT_SETTINGS, "Printed Reports &Settings...");

    AddHiddenCommand(ID_HELP, "Help", { QKeySequence("F1") });
    AddHiddenCommand(ID_CONTEXT_HELP, "Context Help", { QKeySequence("Shift+F1") });
    AddHiddenCommand(ID_NEW_ITEM, "New Item", { QKeySequence("F4") });
    AddHiddenCommand(ID_NEW_SUB_ITEM, "New Sub-item", { QKeySequence("F5") });
    AddHiddenCommand(ID_NEXT_ITEM, "Next Item", { QKeySequence("F6") });
    AddHiddenCommand(ID_PREVIOUS_ITEM, "Previous Item", { QKeySequence("Shift+F6") });
    AddHiddenCommand(ID_SAVE_GLOBAL_MANAGERS, "Save Global Managers", {});

    connect(m_libraryMenu, &QMenu::aboutToShow, this, &CMainFrame::FillLibraryMenu);
    connect(m_researchMenu, &QMenu::aboutToShow, this, &CMainFrame::FillResearchMenu);
    connect(m_viewMenu, &QMenu::aboutToShow, this, &CMainFrame::FillViewMenu);
    for (QMenu* menu : { app, edit, reports })
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar("Standard");
    m_toolBar->setObjectName("standardToolBar");
    m_toolBar->setMovable(false);
    const std::pair<int, const char*> buttons[] = {
        { ID_EDIT_COPY, "Copy" },
        { ID_EDIT_PASTE, "Paste" },
        { ID_EDIT_CUT, "Cut" },
        { ID_EDIT_UNDO, "Undo" },
        { 0, nullptr },
        { ID_EDIT_SEARCH, "Search" },
        { 0, nullptr },
        { ID_MORE_INFO, "Info" },
        { ID_CONTEXT_HELP, "Context" },
        { ID_APP_ABOUT, "About" },
    };
    for (const auto& [id, label] : buttons) {
        if (!label) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.value(id);
        action->setIconText(label);
        m_toolBar->addAction(action);
    }
    m_versionSeparator = m_toolBar->addSeparator();
    m_versionAction = AddCommand(nullptr, ID_UPGRADE_NOTICE, "Display Upgrade Notice");
    m_versionAction->setIconText("Version");
    m_toolBar->addAction(m_versionAction);
    m_versionSeparator->setVisible(false);
    m_versionAction->setVisible(false);
}

void CMainFrame::CreateStatusBar()
{
    m_entriesPane = new QLabel(this);
    m_entriesPane->setObjectName("entriesPane");
    m_entriesPane->setToolTip("Number of entries of this media type");
    m_reservedPane = new QLabel(this);
    m_reservedPane->setObjectName("reservedPane");
    m_reservedPane->setToolTip("Number of entries which are reserved");
    m_checkedOutPane = new QLabel(this);
    m_checkedOutPane->setObjectName("checkedOutPane");
    m_checkedOutPane->setToolTip("Number of entries which are checked out");
    statusBar()->addPermanentWidget(m_entriesPane);
    statusBar()->addPermanentWidget(m_reservedPane);
    statusBar()->addPermanentWidget(m_checkedOutPane);
    m_entriesPane->hide();
    m_reservedPane->hide();
    m_checkedOutPane->hide();
}

QString CMainFrame::EntriesText(int entries)
{
    return Grouped(entries) + (entries == 1 ? " entry" : " entries");
}

QString CMainFrame::ReservedText(int reserved)
{
    return Grouped(reserved) + " reserved";
}

QString CMainFrame::CheckedOutText(int checkedOut)
{
    return Grouped(checkedOut) + " checked-out";
}

void CMainFrame::UpdateStatusCounts(int entries, int reserved, int checkedOut)
{
    m_entriesPane->setText(EntriesText(entries));
    m_entriesPane->show();
    m_reservedPane->setText(ReservedText(reserved));
    m_reservedPane->setVisible(reserved > 0);
    m_checkedOutPane->setText(CheckedOutText(checkedOut));
    m_checkedOutPane->setVisible(checkedOut > 0);
}

void CMainFrame::RebuildMediaBar()
{
    m_mediaBar->Rebuild(m_doc ? m_doc->GetMediaTypes() : nullptr);
    m_mediaBar->SetPressed(GetMediaTypeOnScreen());
}

void CMainFrame::ShowMediaType(int mediaType)
{
    m_mediaBar->SetPressed(mediaType);
    SwitchView(mediaType);
}

void CMainFrame::SwitchView(int mediaType)
{
    emit ViewSwitched(mediaType);
    CView* old = m_view;
    if (old)
        old->OnAboutToBeReplaced();
    CView* view = CViewFactory::Create(mediaType, m_doc, this);
    if (!view) {
        VemoLog("{58E1C3A7-B90D-4F26-8A4E-C7D2F16B0E93}");
        return;
    }
    connect(view, &CView::StatusCountsChanged, this, &CMainFrame::UpdateStatusCounts);
    connect(view, &CView::CommandStatesChanged, this, [this] { UpdateStatesOf(Rule::View); });
    connect(view, &CView::BasicReportRequested, this, &CMainFrame::ShowBasicReport);
    m_view = view;
    setCentralWidget(view);
    if (!view->IsMediaView()) {
        m_entriesPane->hide();
        m_reservedPane->hide();
        m_checkedOutPane->hide();
    }
    view->OnInitialUpdate();
    view->setFocus();
    if (CMediaUtils::IsValidMediaID(mediaType) && m_doc)
        m_doc->RememberMediaType(mediaType);
    UpdateCommandStates();
}

void CMainFrame::ShowBasicReport(int mediaType)
{
    if (m_view)
        m_view->OnAboutToBeReplaced();
    CView* view = new CReportView(m_doc, mediaType, this);
    m_view = view;
    setCentralWidget(view);
    m_entriesPane->hide();
    m_reservedPane->hide();
    m_checkedOutPane->hide();
    m_mediaBar->SetPressed(0);
    view->OnInitialUpdate();
    view->setFocus();
    UpdateCommandStates();
}

bool CMainFrame::IsMediaViewActive() const
{
    return m_view && m_view->IsMediaView();
}

int CMainFrame::GetMediaTypeOnScreen() const
{
    return m_view ? m_view->GetMediaType() : 0;
}

QAction* CMainFrame::FindAction(int id) const
{
    return m_actions.value(id);
}

void CMainFrame::ClearDynamic(QMenu* menu)
{
    for (QAction* action : m_dynamic.value(menu))
        delete action;
    m_dynamic.remove(menu);
    delete m_groups.take(menu);
}

QList<QAction*> CMainFrame::DynamicEntries(QMenu* menu) const
{
    QList<QAction*> entries;
    for (QAction* action : m_dynamic.value(menu))
        if (!action->isSeparator())
            entries << action;
    return entries;
}

void CMainFrame::FillLibraryMenu()
{
    ClearDynamic(m_libraryMenu);
    UpdateCommandStates();
    if (!m_settings)
        return;
    QList<QAction*> added;
    QAction* before = m_libraryMenu->actions().value(0);
    auto* group = new QActionGroup(this);
    m_groups.insert(m_libraryMenu, group);
    const CString loaded = m_doc ? m_doc->GetLibraryName() : CString();
    int count = std::min(m_settings->GetLibraryCount(), MAX_DYNAMIC_ENTRIES);
    for (int i = 0; i < count; ++i) {
        CString name = m_settings->LibraryAt(i);
        auto* action = new QAction(QString::fromStdString(name), m_libraryMenu);
        int id = ID_LIBRARY_FIRST + i;
        action->setData(id);
        action->setCheckable(true);
        action->setChecked(name == loaded);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_libraryMenu->insertAction(before, action);
        added << action;
    }
    if (!added.isEmpty())
        added << m_libraryMenu->insertSeparator(before);
    m_dynamic.insert(m_libraryMenu, added);
}

void CMainFrame::FillResearchMenu()
{
    ClearDynamic(m_researchMenu);
    UpdateCommandStates();
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    if (!library)
        return;
    QList<QAction*> added;
    QAction* before = m_researchMenu->actions().value(0);
    int count = std::min(library->GetResearchEntryCount(), MAX_DYNAMIC_ENTRIES);
    for (int i = 0; i < count; ++i) {
        CResearchEntry* entry = library->GetResearchEntryAt(i);
        if (!entry)
            continue;
        auto* action = new QAction(QString::fromStdString(entry->GetName()), m_researchMenu);
        int id = ID_RESEARCH_FIRST + i;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_researchMenu->insertAction(before, action);
        added << action;
    }
    if (!added.isEmpty())
        added << m_researchMenu->insertSeparator(before);
    m_dynamic.insert(m_researchMenu, added);
}

void CMainFrame::FillViewMenu()
{
    ClearDynamic(m_viewMenu);
    UpdateCommandStates();
    const CMediaTypeSelection* selection = m_doc ? m_doc->GetMediaTypes() : nullptr;
    QAction* before = m_viewMenu->actions().value(0);
    QList<QAction*> added;
    if (selection) {
        auto* group = new QActionGroup(this);
        m_groups.insert(m_viewMenu, group);
        CUIntArray ids;
        CMediaUtils::GetAlphaOrderedMediaIDs(ids);
        const int onScreen = GetMediaTypeOnScreen();
        for (UINT id : ids) {
            int type = static_cast<int>(id);
            if (!selection->GetShow(type))
                continue;
            auto* action = new QAction(QString::fromStdString(CMediaUtils::GetMediaNamePlural(type)), m_viewMenu);
            int command = MediaTypeCommand(type);
            action->setData(command);
            action->setCheckable(true);
            action->setChecked(type == onScreen);
            group->addAction(action);
            connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
            m_viewMenu->insertAction(before, action);
            added << action;
        }
    }
    if (!added.isEmpty())
        added << m_viewMenu->insertSeparator(before);
    m_dynamic.insert(m_viewMenu, added);
}

const std::vector<CMainFrame::CCommand>& CMainFrame::Commands()
{
    using F = CMainFrame;
    // Commands that need a library run only with one, so their handlers
    // have a document.
    const auto view = [](F& f, int id) { f.RunInView(id); };
    const auto edit = [](F& f, int id) { CEditTarget(f.EditFocus()).Run(id); };
    const auto topic = [](F& f, int id) { f.m_help->ShowTopic(id); };
    static const std::vector<CCommand> commands = {
        // The three ranges.
        { ID_MEDIA_TYPE_FIRST, ID_MEDIA_TYPE_LAST, false, Rule::Always,
            [](F& f, int id) { f.ShowMediaTypeCommand(id); } },
        { ID_LIBRARY_FIRST, ID_LIBRARY_LAST, false, Rule::Settings,
            [](F& f, int id) {
                if (f.m_doc)
                    f.m_doc->LoadLibraryAt(id - ID_LIBRARY_FIRST);
            } },
        { ID_RESEARCH_FIRST, ID_RESEARCH_LAST, true, Rule::Always,
            [](F& f, int id) { f.OpenResearchEntry(id - ID_RESEARCH_FIRST); } },

        // VemoLibrary menu.
        { ID_APP_ABOUT, ID_APP_ABOUT, false, Rule::Always, [](F& f, int) { f.ShowAbout(); } },
        { ID_HOWTO_OVERVIEW, ID_HOWTO_OVERVIEW, false, Rule::Always, topic },
        { ID_HOWTO_ADD_LIBRARY, ID_HOWTO_ADD_LIBRARY, false, Rule::Always, topic },
        { ID_HOWTO_SELECT_MEDIA, ID_HOWTO_SELECT_MEDIA, false, Rule::Always, topic },
        { ID_HOWTO_DATA_ENTRY, ID_HOWTO_DATA_ENTRY, false, Rule::Always, topic },
        { ID_HOWTO_PRINTED_REPORTS, ID_HOWTO_PRINTED_REPORTS, false, Rule::Always, topic },
        { ID_HOWTO_WEB_REPORTS, ID_HOWTO_WEB_REPORTS, false, Rule::Always, topic },
        { ID_HOWTO_QA, ID_HOWTO_QA, false, Rule::Always, topic },
        { ID_MORE_INFO, ID_MORE_INFO, false, Rule::Always, topic },
        { ID_HISTORY, ID_HISTORY, false, Rule::Always, topic },
        { ID_TECH_SUPPORT, ID_TECH_SUPPORT, false, Rule::Always, [](F& f, int) { f.m_help->MailTechSupport(); } },
        { ID_FEEDBACK, ID_FEEDBACK, false, Rule::Always, [](F& f, int) { f.m_help->MailFeedback(); } },
        { ID_PRODUCT_WEB_SITE, ID_PRODUCT_WEB_SITE, false, Rule::Always, [](F& f, int) { f.m_help->OpenWebSite(); } },
        { ID_SETTINGS, ID_SETTINGS, false, Rule::Settings,
            [](F& f, int) {
                CSettingsDlg dlg(*f.m_settings, &f);
                dlg.exec();
            } },
        { ID_APP_EXIT, ID_APP_EXIT, false, Rule::Always, [](F& f, int) { f.close(); } },

        // Library menu.
        { ID_LIBRARY_NEW, ID_LIBRARY_NEW, false, Rule::Settings,
            [](F& f, int) {
                if (f.m_doc)
                    f.m_doc->CreateNewLibrary();
            } },
        { ID_LIBRARY_NOTES, ID_LIBRARY_NOTES, true, Rule::Always, [](F& f, int) { f.m_doc->OnLibraryNotes(); } },
        { ID_LIBRARY_RENAME, ID_LIBRARY_RENAME, true, Rule::Always, [](F& f, int) { f.m_doc->OnLibraryRename(); } },
        { ID_LIBRARY_COPY, ID_LIBRARY_COPY, true, Rule::Always, [](F& f, int) { f.m_doc->OnLibraryCopy(); } },
        { ID_LIBRARY_DELETE, ID_LIBRARY_DELETE, true, Rule::Always, [](F& f, int) { f.m_doc->OnLibraryDelete(); } },
        { ID_LIBRARY_RESTORE, ID_LIBRARY_RESTORE, true, Rule::Restore, [](F& f, int) { f.m_doc->OnLibraryRestore(); } },
        { ID_LIBRARY_IMPORT, ID_LIBRARY_IMPORT, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetCommands()->OnImport(f.GetMediaTypeOnScreen()); } },

        // Edit menu.
        { ID_EDIT_UNDO, ID_EDIT_UNDO, false, Rule::EditField, edit },
        { ID_EDIT_CUT, ID_EDIT_CUT, false, Rule::EditField, edit },
        { ID_EDIT_COPY, ID_EDIT_COPY, false, Rule::EditField, edit },
        { ID_EDIT_PASTE, ID_EDIT_PASTE, false, Rule::EditField, edit },
        { ID_EDIT_SELECT_ALL, ID_EDIT_SELECT_ALL, false, Rule::EditField, edit },
        { ID_EDIT_SEARCH, ID_EDIT_SEARCH, true, Rule::Always, [](F& f, int) { f.m_doc->OnEditSearch(); } },
        { ID_EDIT_DELETE_ALL, ID_EDIT_DELETE_ALL, true, Rule::View, view },
        { ID_EDIT_CATEGORIES, ID_EDIT_CATEGORIES, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetCommands()->OnCategories(); } },
        { ID_EDIT_CHECKOUT_SETTINGS, ID_EDIT_CHECKOUT_SETTINGS, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetCommands()->OnCheckoutSettings(); } },
        { ID_EDIT_MEDIA_SETTINGS, ID_EDIT_MEDIA_SETTINGS, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetCommands()->OnMediaSettings(); } },
        // The shared lists need no library; their uses are counted in the
        // loaded one, if any.
        { ID_EDIT_PERSONS, ID_EDIT_PERSONS, false, Rule::Always,
            [](F& f, int) {
                if (f.m_doc)
                    f.m_doc->GetCommands()->OnPersons();
            } },
        { ID_EDIT_PUBLISHERS, ID_EDIT_PUBLISHERS, false, Rule::Always,
            [](F& f, int) {
                if (f.m_doc)
                    f.m_doc->GetCommands()->OnPublishers();
            } },
        { ID_EDIT_UPDATE_LENGTH, ID_EDIT_UPDATE_LENGTH, true, Rule::View, view },
        { ID_EDIT_LOOKUP, ID_EDIT_LOOKUP, true, Rule::View, view },
        { ID_EDIT_UNDO_LOOKUP, ID_EDIT_UNDO_LOOKUP, true, Rule::View, view },

        // Research, View and Reports menus.
        { ID_RESEARCH_MANAGE, ID_RESEARCH_MANAGE, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetCommands()->OnResearchManage(); } },
        { ID_VIEW_SELECT_MEDIA_TYPES, ID_VIEW_SELECT_MEDIA_TYPES, true, Rule::Always,
            [](F& f, int) { f.m_doc->OnViewSelectMediaTypes(f.GetMediaTypeOnScreen()); } },
        { ID_REPORTS_CUSTOM_PRINT, ID_REPORTS_CUSTOM_PRINT, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetReportWindows()->OpenCustomPrintReports(); } },
        { ID_REPORTS_CUSTOM_WEB, ID_REPORTS_CUSTOM_WEB, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetReportWindows()->OpenCustomWebReports(); } },
        { ID_REPORTS_INVENTORY, ID_REPORTS_INVENTORY, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetReportWindows()->OpenInventorySummary(); } },
        { ID_REPORTS_RESERVED, ID_REPORTS_RESERVED, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetReportWindows()->OpenReserved(); } },
        { ID_REPORTS_CHECKED_OUT, ID_REPORTS_CHECKED_OUT, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetReportWindows()->OpenCheckedOut(); } },
        { ID_REPORTS_PRINT_SETTINGS, ID_REPORTS_PRINT_SETTINGS, true, Rule::Always,
            [](F& f, int) { f.m_doc->GetCommands()->OnPrintedReportsSettings(); } },

        // Hidden commands and keys.
        { ID_UPGRADE_NOTICE, ID_UPGRADE_NOTICE, false, Rule::Always,
            [](F& f, int) {
                CMessageBox::Inform(&f, "VemoLibrary Upgrade",
                    QString("VemoLibrary was upgraded from version %1 to version %2.")
                        .arg(f.m_upgradedFrom, f.m_upgradedTo));
            } },
        { ID_SAVE_GLOBAL_MANAGERS, ID_SAVE_GLOBAL_MANAGERS, false, Rule::Always,
            [](F& f, int) {
                if (f.m_doc)
                    f.m_doc->SaveSharedData();
            } },
        { ID_HELP, ID_HELP, false, Rule::Always, [](F& f, int) { f.m_help->ShowContextHelp(nullptr); } },
        { ID_CONTEXT_HELP, ID_CONTEXT_HELP, false, Rule::Always, [](F& f, int) { f.m_help->StartWhatsThis(); } },
        { ID_NEW_ITEM, ID_NEW_ITEM, true, Rule::View, view },
        { ID_NEW_SUB_ITEM, ID_NEW_SUB_ITEM, true, Rule::View, view },
        { ID_NEXT_ITEM, ID_NEXT_ITEM, true, Rule::View, view },
        { ID_PREVIOUS_ITEM, ID_PREVIOUS_ITEM, true, Rule::View, view },
    };
    return commands;
}

const CMainFrame::CCommand* CMainFrame::FindCommand(int id)
{
    for (const CCommand& command : Commands())
        if (id >= command.first && id <= command.last)
            return &command;
    return nullptr;
}

bool CMainFrame::IsEnabled(const CCommand& command, int id) const
{
    if (command.needsLibrary && !(m_doc && m_doc->GetLibrary()))
        return false;
    switch (command.rule) {
    case Rule::Always:
        return true;
    case Rule::Settings:
        return m_settings != nullptr;
    case Rule::Restore:
        return m_doc && m_doc->CanRestore();
    case Rule::EditField:
        return CEditTarget(EditFocus()).CanRun(id);
    case Rule::View:
        return m_view && m_view->IsCommandEnabled(id);
    }
    return false;
}

bool CMainFrame::IsCommandEnabled(int id) const
{
    const CCommand* command = FindCommand(id);
    return command && IsEnabled(*command, id);
}

void CMainFrame::UpdateCommandStates()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(IsCommandEnabled(it.key()));
}

void CMainFrame::UpdateStatesOf(Rule rule)
{
    for (const CCommand& command : Commands()) {
        if (command.rule != rule)
            continue;
        for (int id = command.first; id <= command.last; ++id)
            if (QAction* action = m_actions.value(id))
                action->setEnabled(IsEnabled(command, id));
    }
}

void CMainFrame::UpdateEditStates()
{
    UpdateStatesOf(Rule::EditField);
}

void CMainFrame::ScheduleCommandStates()
{
    if (m_statesPending)
        return;
    m_statesPending = true;
    QTimer::singleShot(0, this, [this] {
        m_statesPending = false;
        UpdateCommandStates();
    });
}

QWidget* CMainFrame::EditFocus() const
{
    // The field this window gives the keys to, also while another window
    // is active (the commands are then out of reach anyway).
    return focusWidget();
}

void CMainFrame::OnFocusChanged()
{
    for (const QMetaObject::Connection& connection : m_focusWatch)
        disconnect(connection);
    m_focusWatch = CEditTarget(EditFocus()).Watch(this, [this] { UpdateEditStates(); });
    UpdateEditStates();
}

void CMainFrame::OnCommand(int id)
{
    const CCommand* command = FindCommand(id);
    if (!command) {
        // Ids of the views' own menus.
        RunInView(id);
        return;
    }
    if (IsEnabled(*command, id))
        command->run(*this, id);
}

void CMainFrame::ShowMediaTypeCommand(int id)
{
    int mediaType = id - ID_MEDIA_TYPE_FIRST + 1;
    if (mediaType == GetMediaTypeOnScreen()) {
        m_mediaBar->SetPressed(mediaType);
        return;
    }
    if (m_doc)
        m_doc->RememberMediaType(mediaType);
    ShowMediaType(mediaType);
}

void CMainFrame::RunInView(int id)
{
    if (m_view && m_view->OnCommand(id))
        return;
    ShowNotAvailable(id);
}

void CMainFrame::ShowNotAvailable(int id)
{
    QAction* action = m_actions.value(id);
    CNotAvailableDlg::Show(this, action ? action->text() : QString::number(id));
}

void CMainFrame::OpenResearchEntry(int index)
{
    CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    CResearchEntry* entry = library ? library->GetResearchEntryAt(index) : nullptr;
    if (!entry)
        return;
    QString url = QString::fromStdString(entry->GetURL());
    QString reason;
    if (!CBrowserLauncher::Open(url, reason))
        CMessageBox::Warn(
            this, "View Research Web Site", QString("Unable to launch the web browser for %1. %2").arg(url, reason));
}

void CMainFrame::ShowAbout()
{
    CMessageBox::Inform(this, "About VemoLibrary", QString("VemoLibrary %1\n\n%2").arg(VEMO_VERSION, ABOUT_TEXT));
}

void CMainFrame::SetUpgraded(const QString& fromVersion, const QString& toVersion)
{
    m_upgradedFrom = fromVersion;
    m_upgradedTo = toVersion;
    m_versionSeparator->setVisible(true);
    m_versionAction->setVisible(true);
}

QRect CMainFrame::KeptGeometry(const CVemoLibrarySettings* settings, bool* maximised)
{
    CRect rect;
    bool minimised = false;
    bool keptMaximised = false;
    if (settings)
        settings->GetAppShape(rect, minimised, keptMaximised);
    if (maximised)
        *maximised = keptMaximised;
    // The settings' default shape sits in the corner of the screen, where
    // some window managers put the title bar out of reach: until a shape
    // is kept, the window starts in the middle.
    const CRect none(0, 0, CAppSettings::DEFAULT_WIDTH, CAppSettings::DEFAULT_HEIGHT);
    if (!rect.IsRectEmpty() && rect != none)
        return QRect(rect.left, rect.top, rect.Width(), rect.Height());
    QRect window(0, 0, CAppSettings::DEFAULT_WIDTH, CAppSettings::DEFAULT_HEIGHT);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.moveTo(area.left() + std::max(0, (area.width() - window.width()) / 2),
            area.top() + std::max(0, (area.height() - window.height()) / 2));
    }
    return window;
}

bool CMainFrame::ApplyKeptShape()
{
    bool maximised = false;
    setGeometry(KeptGeometry(m_settings, &maximised));
    return maximised;
}

void CMainFrame::KeepShape()
{
    if (!m_settings)
        return;
    QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    m_settings->SetAppShape(
        CRect(normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height()),
        isMinimized(), isMaximized());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A change that cannot be saved may keep the window open.
    if (m_doc && !m_doc->QueryClose()) {
        event->ignore();
        return;
    }
    KeepShape();
    if (m_doc)
        m_doc->CloseLibrary();
    event->accept();
}

void CMainFrame::SetUrlOpenerForTesting(UrlOpener opener)
{
    CBrowserLauncher::SetOpenerForTesting(std::move(opener));
}
