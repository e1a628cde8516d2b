#include "app/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMetaObject>
#include <QStatusBar>
#include <QToolBar>

#include "app/BrowserLauncher.h"
#include "app/CommandIds.h"
#include "app/MediaTypeBar.h"
#include "app/MessageBox.h"
#include "app/VemoLibrarySettings.h"
#include "app/dialogs/NotAvailableDlg.h"
#include "app/dialogs/SettingsDlg.h"
#include "app/doc/LibraryCommands.h"
#include "app/doc/ReportWindows.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/ReportView.h"
#include "app/views/View.h"
#include "app/views/ViewFactory.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "data/store/ResearchEntry.h"
#include "platform/appcfg/Rect.h"
#include "platform/util/AppLogger.h"
#include "platform/util/NumberTextConv.h"

namespace {

QString Grouped(int n)
{
    return QString::fromStdString(CNumberTextConv::NumberToString(n, 0, "", true));
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
    connect(m_mediaBar, &CMediaTypeBar::MediaTypeClicked, this,
        [this](int mediaType) { OnCommand(MediaTypeCommand(mediaType)); });
    ApplyKeptShape();

    if (m_doc) {
        m_doc->SetDialogParent(this);
        connect(m_doc, &CVemoLibraryDoc::TitleChanged, this,
            [this](const QString& title) { setWindowTitle(title.isEmpty() ? QString("VemoLibrary") : title); });
        connect(m_doc, &CVemoLibraryDoc::MediaTypeRequested, this, &CMainFrame::ShowMediaType);
        connect(m_doc, &CVemoLibraryDoc::MediaBarRebuildRequested, this, &CMainFrame::RebuildMediaBar);
    }
    SwitchView(0);
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
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_UPDATE_LENGTH, "Update Length &Field");

    m_researchMenu = menuBar()->addMenu("Re&search");
    AddCommand(m_researchMenu, ID_RESEARCH_MANAGE, "&Manage List...");

    m_viewMenu = menuBar()->addMenu("Vie&w");
    m_viewMenu->addSeparator();
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
    connect(edit, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    connect(reports, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
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
    const CMediaTypeSelection* selection = m_doc ? m_doc->GetMediaTypes() : nullptr;
    // The fixed separator stays at the top of the fixed entries.
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
    m_dynamic.insert(m_viewMenu, added);
}

void CMainFrame::UpdateCommandStates()
{
    const bool haveLibrary = m_doc && m_doc->GetLibrary();
    for (int id : { ID_LIBRARY_NOTES, ID_LIBRARY_RENAME, ID_LIBRARY_COPY, ID_LIBRARY_DELETE, ID_LIBRARY_IMPORT,
             ID_REPORTS_CUSTOM_PRINT, ID_REPORTS_CUSTOM_WEB, ID_REPORTS_INVENTORY, ID_REPORTS_RESERVED,
             ID_REPORTS_CHECKED_OUT, ID_EDIT_SEARCH, ID_EDIT_CATEGORIES, ID_EDIT_CHECKOUT_SETTINGS,
             ID_EDIT_MEDIA_SETTINGS, ID_RESEARCH_MANAGE, ID_REPORTS_PRINT_SETTINGS })
        m_actions.value(id)->setEnabled(haveLibrary);
    m_actions.value(ID_LIBRARY_RESTORE)->setEnabled(m_doc && m_doc->CanRestore());
    m_actions.value(ID_LIBRARY_NEW)->setEnabled(m_settings != nullptr);
}

void CMainFrame::OnCommand(int id)
{
    if (id >= ID_MEDIA_TYPE_FIRST && id <= ID_MEDIA_TYPE_LAST) {
        int mediaType = id - ID_MEDIA_TYPE_FIRST + 1;
        if (mediaType == GetMediaTypeOnScreen()) {
            m_mediaBar->SetPressed(mediaType);
            return;
        }
        if (m_doc)
            m_doc->RememberMediaType(mediaType);
        ShowMediaType(mediaType);
        return;
    }
    if (id >= ID_LIBRARY_FIRST && id <= ID_LIBRARY_LAST) {
        if (m_doc)
            m_doc->LoadLibraryAt(id - ID_LIBRARY_FIRST);
        return;
    }
    if (id >= ID_RESEARCH_FIRST && id <= ID_RESEARCH_LAST) {
        OpenResearchEntry(id - ID_RESEARCH_FIRST);
        return;
    }
    switch (id) {
    case ID_APP_ABOUT:
        ShowAbout();
        return;
    case ID_APP_EXIT:
        close();
        return;
    case ID_SETTINGS:
        if (m_settings) {
            CSettingsDlg dlg(*m_settings, this);
            dlg.exec();
        }
        return;
    case ID_LIBRARY_NEW:
        if (m_doc)
            m_doc->CreateNewLibrary();
        return;
    case ID_LIBRARY_NOTES:
        if (m_doc)
            m_doc->OnLibraryNotes();
        return;
    case ID_LIBRARY_RENAME:
        if (m_doc)
            m_doc->OnLibraryRename();
        return;
    case ID_LIBRARY_COPY:
        if (m_doc)
            m_doc->OnLibraryCopy();
        return;
    case ID_LIBRARY_DELETE:
        if (m_doc)
            m_doc->OnLibraryDelete();
        return;
    case ID_LIBRARY_RESTORE:
        if (m_doc)
            m_doc->OnLibraryRestore();
        return;
    case ID_VIEW_SELECT_MEDIA_TYPES:
        if (m_doc)
            m_doc->OnViewSelectMediaTypes(GetMediaTypeOnScreen());
        return;
    case ID_REPORTS_CUSTOM_PRINT:
        if (m_doc)
            m_doc->GetReportWindows()->OpenCustomPrintReports();
        return;
    case ID_REPORTS_CUSTOM_WEB:
        if (m_doc)
            m_doc->GetReportWindows()->OpenCustomWebReports();
        return;
    case ID_REPORTS_INVENTORY:
        if (m_doc)
            m_doc->GetReportWindows()->OpenInventorySummary();
        return;
    case ID_REPORTS_RESERVED:
        if (m_doc)
            m_doc->GetReportWindows()->OpenReserved();
        return;
    case ID_REPORTS_CHECKED_OUT:
        if (m_doc)
            m_doc->GetReportWindows()->OpenCheckedOut();
        return;
    case ID_LIBRARY_IMPORT:
        if (m_doc)
            m_doc->GetCommands()->OnImport(GetMediaTypeOnScreen());
        return;
    case ID_EDIT_SEARCH:
        if (m_doc)
            m_doc->OnEditSearch();
        return;
    case ID_EDIT_CATEGORIES:
        if (m_doc)
            m_doc->GetCommands()->OnCategories();
        return;
    case ID_EDIT_CHECKOUT_SETTINGS:
        if (m_doc)
            m_doc->GetCommands()->OnCheckoutSettings();
        return;
    case ID_EDIT_MEDIA_SETTINGS:
        if (m_doc)
            m_doc->GetCommands()->OnMediaSettings();
        return;
    case ID_RESEARCH_MANAGE:
        if (m_doc)
            m_doc->GetCommands()->OnResearchManage();
        return;
    case ID_REPORTS_PRINT_SETTINGS:
        if (m_doc)
            m_doc->GetCommands()->OnPrintedReportsSettings();
        return;
    case ID_SAVE_GLOBAL_MANAGERS:
        if (m_doc)
            m_doc->SaveSharedData();
        return;
    case ID_UPGRADE_NOTICE:
        CMessageBox::Inform(this, "VemoLibrary Upgrade",
            QString("VemoLibrary was upgraded from version %1 to version %2.").arg(m_upgradedFrom, m_upgradedTo));
        return;
    case ID_EDIT_UNDO:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_SELECT_ALL:
        EditInFocusWidget(id);
        return;
    default:
        break;
    }
    if (m_view && m_view->OnCommand(id))
        return;
    ShowNotAvailable(id);
}

void CMainFrame::ShowNotAvailable(int id)
{
    QAction* action = m_actions.value(id);
    CNotAvailableDlg::Show(this, action ? action->text() : QString::number(id));
}

void CMainFrame::EditInFocusWidget(int id)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    const char* slot = nullptr;
    switch (id) {
    case ID_EDIT_UNDO:
        slot = "undo";
        break;
    case ID_EDIT_CUT:
        slot = "cut";
        break;
    case ID_EDIT_COPY:
        slot = "copy";
        break;
    case ID_EDIT_PASTE:
        slot = "paste";
        break;
    case ID_EDIT_SELECT_ALL:
        slot = "selectAll";
        break;
    }
    // Text fields have these slots; other widgets simply ignore the command.
    if (slot
        && focus->metaObject()->indexOfMethod(QMetaObject::normalizedSignature((QString(slot) + "()").toLatin1())) >= 0)
        QMetaObject::invokeMethod(focus, slot);
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

bool CMainFrame::ApplyKeptShape()
{
    if (!m_settings) {
        resize(737, 583);
        return false;
    }
    CRect rect;
    bool minimised = false;
    bool maximised = false;
    m_settings->GetAppShape(rect, minimised, maximised);
    if (rect.IsRectEmpty())
        resize(737, 583);
    else
        setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
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
    KeepShape();
    if (m_doc)
        m_doc->CloseLibrary();
    event->accept();
}

void CMainFrame::SetUrlOpenerForTesting(UrlOpener opener)
{
    CBrowserLauncher::SetOpenerForTesting(std::move(opener));
}
