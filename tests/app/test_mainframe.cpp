// The main window: command ids and keys, when commands are enabled, the
// dynamic menus, the media-type bar, switching views and the status bar
// panes.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "AppDialogDriver.h"
#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "app/CommandIds.h"
#include "app/EditTarget.h"
#include "app/MainFrame.h"
#include "app/MediaTypeBar.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/MediaPlaceholderView.h"
#include "data/model/MediaUtils.h"
#include "data/store/MediaTypeSelection.h"
#include "data/store/ResearchEntry.h"

namespace {

QStringList Texts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (QAction* action : actions)
        texts << action->text();
    return texts;
}

QList<int> Ids(const QList<QAction*>& actions)
{
    QList<int> ids;
    for (QAction* action : actions)
        ids << action->data().toInt();
    return ids;
}

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QString("-") : action->text());
    return texts;
}

const std::pair<int, QChar> EDIT_COMMANDS[] = { { ID_EDIT_UNDO, 'U' }, { ID_EDIT_CUT, 'X' }, { ID_EDIT_COPY, 'C' },
    { ID_EDIT_PASTE, 'V' }, { ID_EDIT_SELECT_ALL, 'A' } };

// A field of the kind named, in the state its name says.
QWidget* MakeField(const QString& kind, QWidget* parent)
{
    if (kind.startsWith("line") || kind == "password") {
        auto* line = new QLineEdit(parent);
        if (kind == "line typed")
            QTest::keyClicks(line, "Dune");
        else if (kind != "line empty")
            line->setText("Dune");
        line->setReadOnly(kind.contains("read-only"));
        if (kind == "password")
            line->setEchoMode(QLineEdit::Password);
        if (kind.contains("selected") || kind == "password")
            line->selectAll();
        return line;
    }
    if (kind.startsWith("plain")) {
        auto* plain = new QPlainTextEdit("Dune Messiah", parent);
        plain->setReadOnly(kind.contains("read-only"));
        plain->selectAll();
        return plain;
    }
    if (kind.contains("combo")) {
        auto* combo = new QComboBox(parent);
        combo->addItems({ "Rock", "Jazz" });
        combo->setEditable(kind == "editable combo");
        if (combo->lineEdit())
            combo->lineEdit()->selectAll();
        return combo;
    }
    if (kind == "spin box") {
        auto* spin = new QSpinBox(parent);
        spin->setValue(42);
        spin->selectAll();
        return spin;
    }
    if (kind.startsWith("grid")) {
        auto* grid = new QTableWidget(2, 2, parent);
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column)
                grid->setItem(row, column, new QTableWidgetItem(QString("%1%2").arg(QChar('a' + row)).arg(column)));
        grid->setSelectionMode(
            kind.contains("single") ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
        if (kind.contains("selected"))
            grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);
        return grid;
    }
    return new QLabel("Title", parent);
}

} // namespace

class TestMainFrame : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        m_frame = std::make_unique<CMainFrame>(m_doc.get(), m_settings.get());
    }
    void cleanup()
    {
        m_frame.reset();
        DropDocument();
    }

    void statusPanesTexts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("reserved");
        QTest::addColumn<int>("checkedOut");
        QTest::addColumn<QString>("entriesText");
        QTest::addColumn<QString>("reservedText");
        QTest::addColumn<QString>("checkedOutText");
        QTest::newRow("one entry") << "en_US" << 1 << 0 << 0 << "1 entry"
                                   << ""
                                   << "";
        QTest::newRow("none") << "en_US" << 0 << 0 << 0 << "0 entries"
                              << ""
                              << "";
        QTest::newRow("grouped") << "en_US" << 12345 << 1 << 1234 << "12,345 entries"
                                 << "1 reserved"
                                 << "1,234 checked-out";
        QTest::newRow("two") << "en_US" << 2 << 2 << 0 << "2 entries"
                             << "2 reserved"
                             << "";
        // The locale's grouping, not a comma everywhere.
        QTest::newRow("grouped in German") << "de_DE" << 12345 << 0 << 1234567 << "12.345 entries"
                                           << ""
                                           << "1.234.567 checked-out";
        QTest::newRow("grouped in Swiss German") << "de_CH" << 1234 << 0 << 0 << "1’234 entries"
                                                 << ""
                                                 << "";
    }
    void statusPanesTexts()
    {
        QFETCH(QString, locale);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        auto restore = qScopeGuard([&before] { QLocale::setDefault(before); });
        QFETCH(int, entries);
        QFETCH(int, reserved);
        QFETCH(int, checkedOut);
        QFETCH(QString, entriesText);
        QFETCH(QString, reservedText);
        QFETCH(QString, checkedOutText);
        m_frame->UpdateStatusCounts(entries, reserved, checkedOut);
        QCOMPARE(m_frame->GetEntriesPane()->text(), entriesText);
        QCOMPARE(m_frame->GetReservedPane()->isVisibleTo(m_frame.get()), !reservedText.isEmpty());
        QCOMPARE(m_frame->GetCheckedOutPane()->isVisibleTo(m_frame.get()), !checkedOutText.isEmpty());
        if (!reservedText.isEmpty())
            QCOMPARE(m_frame->GetReservedPane()->text(), reservedText);
        if (!checkedOutText.isEmpty())
            QCOMPARE(m_frame->GetCheckedOutPane()->text(), checkedOutText);
    }

    void commandsCarryTheirIdsAndKeys()
    {
        QCOMPARE(m_frame->FindAction(ID_APP_ABOUT)->text(), QString("&About..."));
        QCOMPARE(m_frame->FindAction(ID_LIBRARY_RESTORE)->text(), QString("&Restore..."));
        QCOMPARE(m_frame->FindAction(ID_REPORTS_PRINT_SETTINGS)->data().toInt(), 45161);
        QCOMPARE(m_frame->FindAction(ID_EDIT_UNDO)->shortcuts(),
            QList<QKeySequence>({ QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace") }));
        QCOMPARE(m_frame->FindAction(ID_EDIT_SEARCH)->shortcut(), QKeySequence("Ctrl+F"));
        QCOMPARE(m_frame->FindAction(ID_NEW_ITEM)->shortcut(), QKeySequence("F4"));
        QCOMPARE(m_frame->FindAction(ID_PREVIOUS_ITEM)->shortcut(), QKeySequence("Shift+F6"));
        QCOMPARE(m_frame->FindAction(ID_CONTEXT_HELP)->shortcut(), QKeySequence("Shift+F1"));
        QStringList menus;
        for (QAction* action : m_frame->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, QStringList({ "&VemoLibrary", "&Library", "&Edit", "Re&search", "Vie&w", "&Reports" }));
        QStringList toolbar;
        for (QAction* action : m_frame->GetToolBar()->actions())
            if (action->isVisible())
                toolbar << (action->isSeparator() ? "-" : action->iconText());
        QCOMPARE(
            toolbar, QStringList({ "Copy", "Paste", "Cut", "Undo", "-", "Search", "-", "Info", "Context", "About" }));
    }

    void aboutSaysWhatTheProgramDoes()
    {
        m_frame->OnCommand(ID_APP_ABOUT);
        QVERIFY(m_box->LastText().endsWith(CMainFrame::ABOUT_TEXT));
        QVERIFY(CMainFrame::ABOUT_TEXT.startsWith("VemoLibrary makes it easy for you to maintain"));
    }

    void withoutALibraryTheLibraryMenuHasOnlyItsFixedEntries()
    {
        m_frame->FillLibraryMenu();
        QVERIFY(m_frame->DynamicEntries(m_frame->GetLibraryMenu()).isEmpty());
        QCOMPARE(m_frame->GetLibraryMenu()->actions().first()->text(), QString("Ne&w"));
        QVERIFY(!m_frame->FindAction(ID_LIBRARY_RESTORE)->isEnabled());
        QVERIFY(!m_frame->FindAction(ID_LIBRARY_NOTES)->isEnabled());
    }

    void researchMenuFollowsWhetherALibraryIsOpen()
    {
        m_doc->CreateNewLibrary();
        m_frame->FillResearchMenu();
        QVERIFY(m_frame->FindAction(ID_RESEARCH_MANAGE)->isEnabled());
        QVERIFY(!m_frame->DynamicEntries(m_frame->GetResearchMenu()).isEmpty());
        m_doc->CloseLibrary();
        m_frame->FillResearchMenu();
        QVERIFY(!m_frame->FindAction(ID_RESEARCH_MANAGE)->isEnabled());
        QVERIFY(m_frame->DynamicEntries(m_frame->GetResearchMenu()).isEmpty());
    }

    void libraryMenuListsEveryLibraryWithTheLoadedOneChecked()
    {
        WriteLibraryFile(m_home->LibraryPath("Coins"), "Coins");
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black" });
        m_settings->RefreshLibraryList();
        m_doc->OpenLibrary("Stamps", false);
        m_frame->FillLibraryMenu();
        QList<QAction*> entries = m_frame->DynamicEntries(m_frame->GetLibraryMenu());
        QCOMPARE(Texts(entries), QStringList({ "Coins", "Stamps" }));
        QCOMPARE(Ids(entries), QList<int>({ 45063, 45064 }));
        QVERIFY(!entries[0]->isChecked());
        QVERIFY(entries[1]->isChecked());
        QVERIFY(m_frame->GetLibraryMenu()->actions().at(2)->isSeparator());
        QVERIFY(m_frame->FindAction(ID_LIBRARY_RESTORE)->isEnabled());

        // Filling again replaces the entries; choosing one loads it.
        m_frame->FillLibraryMenu();
        QCOMPARE(m_frame->DynamicEntries(m_frame->GetLibraryMenu()).size(), 2);
        m_frame->DynamicEntries(m_frame->GetLibraryMenu()).first()->trigger();
        QCOMPARE(m_doc->GetLibraryName(), CString("Coins"));
        QCOMPARE(m_frame->windowTitle(), QString("Coins"));
        QVERIFY(m_frame->IsMediaViewActive());
    }

    void researchMenuListsTheEntries()
    {
        m_doc->CreateNewLibrary();
        CLibrary* library = m_doc->GetLibrary();
        CArray<CResearchEntry*, CResearchEntry*> add;
        add.Add(new CResearchEntry("Beta Books", "https://beta.example/"));
        add.Add(new CResearchEntry("Alpha Music", "https://alpha.example/"));
        int before = library->GetResearchEntryCount();
        CArray<CResearchEntry*, CResearchEntry*> remove;
        library->UpdateResearchEntries(&remove, &add);
        m_frame->FillResearchMenu();
        QList<QAction*> entries = m_frame->DynamicEntries(m_frame->GetResearchMenu());
        QCOMPARE(entries.size(), before + 2);
        QList<int> expectedIds;
        QStringList expectedTexts;
        for (int i = 0; i < library->GetResearchEntryCount(); ++i) {
            expectedIds << ID_RESEARCH_FIRST + i;
            expectedTexts << Q(library->GetResearchEntryAt(i)->GetName());
        }
        QCOMPARE(Ids(entries), expectedIds);
        QCOMPARE(Texts(entries), expectedTexts);

        QString opened;
        CMainFrame::SetUrlOpenerForTesting([&opened](const QString& url, QString& reason) {
            opened = url;
            reason = "No browser here.";
            return false;
        });
        int alpha = expectedTexts.indexOf("Alpha Music");
        entries[alpha]->trigger();
        CMainFrame::SetUrlOpenerForTesting(nullptr);
        QCOMPARE(opened, QString("https://alpha.example/"));
        QCOMPARE(m_box->LastTitle(), QString("View Research Web Site"));
        QCOMPARE(m_box->LastText(),
            QString("Unable to launch the web browser for https://alpha.example/. No browser here."));
    }

    void softwareAndBooksAreListedAlphabetically()
    {
        m_doc->CreateNewLibrary();
        CMediaTypeSelection* selection = m_doc->GetMediaTypes();
        selection->SetShowAll(false);
        selection->SetShow(CMediaUtils::MEDIA_SOFTWARE, true);
        selection->SetShow(CMediaUtils::MEDIA_BOOK, true);
        m_frame->RebuildMediaBar();
        m_frame->ShowMediaType(CMediaUtils::MEDIA_SOFTWARE);

        CMediaTypeBar* bar = m_frame->GetMediaBar();
        QCOMPARE(bar->ButtonTypes(), QList<int>({ CMediaUtils::MEDIA_BOOK, CMediaUtils::MEDIA_SOFTWARE }));
        QCOMPARE(bar->ButtonLabels(),
            QStringList({ Q(CMediaUtils::GetMediaNameAbbrv(CMediaUtils::MEDIA_BOOK)),
                Q(CMediaUtils::GetMediaNameAbbrv(CMediaUtils::MEDIA_SOFTWARE)) }));
        QCOMPARE(bar->GetPressed(), CMediaUtils::MEDIA_SOFTWARE);

        m_frame->FillViewMenu();
        QList<QAction*> entries = m_frame->DynamicEntries(m_frame->GetViewMenu());
        QCOMPARE(Texts(entries), QStringList({ "Books", "Software" }));
        QCOMPARE(Ids(entries), QList<int>({ 45000, 45014 }));
        QVERIFY(!entries[0]->isChecked());
        QVERIFY(entries[1]->isChecked());

        // A click on a button switches the view and records the type.
        bar->ButtonFor(CMediaUtils::MEDIA_BOOK)->click();
        QCOMPARE(m_frame->GetMediaTypeOnScreen(), CMediaUtils::MEDIA_BOOK);
        QCOMPARE(m_settings->GetLastMediaType("My Library"), CMediaUtils::MEDIA_BOOK);
        QCOMPARE(bar->GetPressed(), CMediaUtils::MEDIA_BOOK);
    }

    void hidingTheTypeOnScreenSwitchesToTheFirstShownType()
    {
        m_doc->CreateNewLibrary();
        m_frame->RebuildMediaBar();
        m_frame->ShowMediaType(CMediaUtils::MEDIA_DVD);
        CMediaTypeSelection selection;
        selection.SetShowAll(false);
        selection.SetShow(CMediaUtils::MEDIA_VIDEOGAME, true);
        selection.SetShow(CMediaUtils::MEDIA_CD, true);
        m_doc->ApplyMediaTypeSelection(selection, m_frame->GetMediaTypeOnScreen());
        QCOMPARE(m_frame->GetMediaTypeOnScreen(), CMediaUtils::MEDIA_CD);
        QCOMPARE(m_frame->GetMediaBar()->GetPressed(), CMediaUtils::MEDIA_CD);
        QCOMPARE(m_frame->GetMediaBar()->ButtonTypes().size(), 2);
        QVERIFY(m_doc->IsModified());

        // A type still shown stays on screen.
        selection.SetShow(CMediaUtils::MEDIA_BOOK, true);
        m_doc->ApplyMediaTypeSelection(selection, m_frame->GetMediaTypeOnScreen());
        QCOMPARE(m_frame->GetMediaTypeOnScreen(), CMediaUtils::MEDIA_CD);
    }

    void viewsStandForTheirTypeAndListItsItems()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black", "Inverted Jenny" });
        m_doc->OpenLibrary("Stamps", false);
        m_frame->SwitchView(CMediaUtils::MEDIA_BOOK);
        auto* view = qobject_cast<CMediaPlaceholderView*>(m_frame->GetActiveView());
        QVERIFY(view);
        QCOMPARE(view->GetViewClass(), QString("CBookView"));
        QCOMPARE(view->ItemTexts().size(), 2);
        QVERIFY(view->ItemTexts().filter("Penny Black").size() == 1);
        QCOMPARE(m_frame->GetEntriesPane()->text(), QString("2 entries"));
        QVERIFY(!m_frame->GetReservedPane()->isVisibleTo(m_frame.get()));

        // The selection is kept per library and type, and comes back.
        view->ItemList()->setCurrentRow(1);
        QString chosen = view->CurrentItemText();
        m_frame->SwitchView(CMediaUtils::MEDIA_CD);
        QCOMPARE(m_frame->GetEntriesPane()->text(), QString("0 entries"));
        m_frame->SwitchView(CMediaUtils::MEDIA_BOOK);
        view = qobject_cast<CMediaPlaceholderView*>(m_frame->GetActiveView());
        QCOMPARE(view->CurrentItemText(), chosen);
        m_frame->OnCommand(ID_PREVIOUS_ITEM);
        QVERIFY(view->CurrentItemText() != chosen);

        // Any other value gives the empty view and records nothing.
        m_frame->SwitchView(0);
        QVERIFY(!m_frame->IsMediaViewActive());
        QCOMPARE(m_settings->GetLastMediaType("Stamps"), CMediaUtils::MEDIA_BOOK);
    }

    void libraryCommandsOpenTheirWindows_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("import") << ID_LIBRARY_IMPORT;
        QTest::newRow("categories") << ID_EDIT_CATEGORIES;
        QTest::newRow("check-out settings") << ID_EDIT_CHECKOUT_SETTINGS;
        QTest::newRow("media settings") << ID_EDIT_MEDIA_SETTINGS;
        QTest::newRow("research list") << ID_RESEARCH_MANAGE;
        QTest::newRow("printed reports settings") << ID_REPORTS_PRINT_SETTINGS;
    }
    void libraryCommandsOpenTheirWindows()
    {
        QFETCH(int, id);
        m_frame->OnCommand(id);
        // Without a library the command does nothing.
        QCOMPARE(m_box->Count(), 0);

        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        m_settings->RefreshLibraryList();
        m_doc->OpenLibrary("Stamps", false);
        m_frame->FillLibraryMenu();
        QVERIFY(m_frame->FindAction(id)->isEnabled());
        QString shown;
        WhenShown<QDialog>([&](QDialog* dlg) {
            shown = dlg->metaObject()->className();
            dlg->reject();
        });
        m_frame->OnCommand(id);
        QVERIFY(shown.endsWith("Dlg"));
        QCOMPARE(m_box->Count(), 0);
    }

    void searchOpensOneModelessWindow()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        m_settings->RefreshLibraryList();
        m_doc->OpenLibrary("Stamps", false);
        m_frame->OnCommand(ID_EDIT_SEARCH);
        CLibrarySearchDlg* dlg = m_doc->GetSearchDlg();
        QVERIFY(dlg && dlg->isVisible() && !dlg->isModal());
        m_frame->OnCommand(ID_EDIT_SEARCH);
        QCOMPARE(m_doc->GetSearchDlg(), dlg);
    }

    void commandsWithoutTheirFeatureSaySo()
    {
        m_frame->OnCommand(ID_HOWTO_OVERVIEW);
        QCOMPARE(m_box->LastTitle(), QString("User Interface Overview"));
        QVERIFY(m_box->LastText().contains("not there yet"));
        // A command the view cannot run now is disabled and does nothing.
        m_frame->OnCommand(ID_EDIT_DELETE_ALL);
        QCOMPARE(m_box->Count(), 1);
    }

    void commandStatesFollowTheLibraryAndTheView_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("withoutLibrary");
        QTest::addColumn<bool>("onEmptyType");
        QTest::addColumn<bool>("onFirstOfTwoBooks");
        QTest::newRow("about") << ID_APP_ABOUT << true << true << true;
        QTest::newRow("new library") << ID_LIBRARY_NEW << true << true << true;
        QTest::newRow("notes") << ID_LIBRARY_NOTES << false << true << true;
        QTest::newRow("search") << ID_EDIT_SEARCH << false << true << true;
        QTest::newRow("select media types") << ID_VIEW_SELECT_MEDIA_TYPES << false << true << true;
        QTest::newRow("delete all") << ID_EDIT_DELETE_ALL << false << false << false;
        QTest::newRow("update length field") << ID_EDIT_UPDATE_LENGTH << false << false << false;
        QTest::newRow("new item") << ID_NEW_ITEM << false << false << false;
        QTest::newRow("new sub-item") << ID_NEW_SUB_ITEM << false << false << false;
        QTest::newRow("next item") << ID_NEXT_ITEM << false << false << true;
        QTest::newRow("previous item") << ID_PREVIOUS_ITEM << false << false << false;
        QTest::newRow("paste without a field") << ID_EDIT_PASTE << false << false << false;
    }
    void commandStatesFollowTheLibraryAndTheView()
    {
        QFETCH(int, id);
        QFETCH(bool, withoutLibrary);
        QFETCH(bool, onEmptyType);
        QFETCH(bool, onFirstOfTwoBooks);
        QApplication::clipboard()->setText("on the clipboard");
        QCOMPARE(m_frame->IsCommandEnabled(id), withoutLibrary);
        QCOMPARE(m_frame->FindAction(id)->isEnabled(), withoutLibrary);

        // The actions follow without a menu being opened.
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black", "Inverted Jenny" });
        m_settings->RefreshLibraryList();
        m_doc->OpenLibrary("Stamps", false);
        m_frame->ShowMediaType(CMediaUtils::MEDIA_CD);
        QCoreApplication::processEvents();
        QCOMPARE(m_frame->IsCommandEnabled(id), onEmptyType);
        QCOMPARE(m_frame->FindAction(id)->isEnabled(), onEmptyType);
        m_frame->ShowMediaType(CMediaUtils::MEDIA_BOOK);
        QCOMPARE(m_frame->IsCommandEnabled(id), onFirstOfTwoBooks);
        QCOMPARE(m_frame->FindAction(id)->isEnabled(), onFirstOfTwoBooks);

        m_doc->CloseLibrary();
        QCoreApplication::processEvents();
        QCOMPARE(m_frame->FindAction(id)->isEnabled(), withoutLibrary);
    }

    void nextAndPreviousFollowTheItemOnScreen()
    {
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black", "Inverted Jenny" });
        m_doc->OpenLibrary("Stamps", false);
        m_frame->ShowMediaType(CMediaUtils::MEDIA_BOOK);
        m_frame->FindAction(ID_NEXT_ITEM)->trigger();
        QVERIFY(m_frame->FindAction(ID_PREVIOUS_ITEM)->isEnabled());
        QVERIFY(!m_frame->FindAction(ID_NEXT_ITEM)->isEnabled());
        // A disabled command does nothing, whoever asks.
        auto* view = qobject_cast<CMediaPlaceholderView*>(m_frame->GetActiveView());
        const QString last = view->CurrentItemText();
        m_frame->OnCommand(ID_NEXT_ITEM);
        QCOMPARE(view->CurrentItemText(), last);
        QCOMPARE(m_box->Count(), 0);
    }

    void editCommandsFitTheField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("clipboard");
        // U undo, X cut, C copy, V paste, A select all.
        QTest::addColumn<QString>("enabled");
        QTest::newRow("not a field") << "label"
                                     << "text"
                                     << "";
        QTest::newRow("empty line") << "line empty"
                                    << "text"
                                    << "V";
        QTest::newRow("empty line, empty clipboard") << "line empty"
                                                     << ""
                                                     << "";
        QTest::newRow("line") << "line"
                              << "text"
                              << "VA";
        QTest::newRow("typed line") << "line typed"
                                    << "text"
                                    << "UVA";
        QTest::newRow("selection") << "line selected"
                                   << "text"
                                   << "XCVA";
        QTest::newRow("read-only selection") << "line read-only selected"
                                             << "text"
                                             << "CA";
        QTest::newRow("password") << "password"
                                  << "text"
                                  << "VA";
        QTest::newRow("plain text") << "plain"
                                    << "text"
                                    << "XCVA";
        QTest::newRow("read-only plain text") << "plain read-only"
                                              << "text"
                                              << "CA";
        QTest::newRow("editable combo box") << "editable combo"
                                            << "text"
                                            << "XCVA";
        QTest::newRow("combo box") << "fixed combo"
                                   << "text"
                                   << "";
        QTest::newRow("spin box") << "spin box"
                                  << "text"
                                  << "XCVA";
        QTest::newRow("grid") << "grid"
                              << "text"
                              << "A";
        QTest::newRow("grid with selection") << "grid selected"
                                             << "text"
                                             << "CA";
        QTest::newRow("single-selection grid") << "grid single selected"
                                               << "text"
                                               << "C";
    }
    void editCommandsFitTheField()
    {
        QFETCH(QString, field);
        QFETCH(QString, clipboard);
        QFETCH(QString, enabled);
        QApplication::clipboard()->setText(clipboard);
        QWidget parent;
        CEditTarget target(MakeField(field, &parent));
        QString can;
        for (const auto& [id, letter] : EDIT_COMMANDS)
            if (target.CanRun(id))
                can += letter;
        QCOMPARE(can, enabled);
    }

    void editCommandsFollowTheFocusAndActThere()
    {
        m_frame->show();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QApplication::clipboard()->setText("Arrakis");
        auto* line = new QLineEdit("Dune", m_frame->GetActiveView());
        auto* grid = qobject_cast<QTableWidget*>(MakeField("grid selected", m_frame->GetActiveView()));
        line->show();
        grid->show();
        line->setFocus();
        QCOMPARE(QApplication::focusWidget(), line);
        QVERIFY(m_frame->FindAction(ID_EDIT_PASTE)->isEnabled());
        QVERIFY(!m_frame->FindAction(ID_EDIT_COPY)->isEnabled());

        // A selection made in the field enables Cut and Copy at once.
        line->selectAll();
        QVERIFY(m_frame->FindAction(ID_EDIT_COPY)->isEnabled());
        m_frame->FindAction(ID_EDIT_CUT)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("Dune"));
        QVERIFY(line->text().isEmpty());
        QVERIFY(m_frame->FindAction(ID_EDIT_UNDO)->isEnabled());
        m_frame->FindAction(ID_EDIT_UNDO)->trigger();
        QCOMPARE(line->text(), QString("Dune"));

        // Copy from a grid takes its selected cells, a line per row.
        grid->setFocus();
        QVERIFY(!m_frame->FindAction(ID_EDIT_PASTE)->isEnabled());
        m_frame->FindAction(ID_EDIT_COPY)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("a0\ta1\nb0\tb1"));

        // Without a field nothing of the Edit menu applies.
        m_frame->GetActiveView()->setFocus();
        for (const auto& [id, letter] : EDIT_COMMANDS)
            QVERIFY2(!m_frame->FindAction(id)->isEnabled(), qPrintable(QString(letter)));
    }

    void viewMenuHasASeparatorOnlyUnderMediaTypes()
    {
        m_frame->FillViewMenu();
        QCOMPARE(MenuTexts(m_frame->GetViewMenu()), QStringList({ "Select Media T&ypes..." }));
        m_doc->CreateNewLibrary();
        CMediaTypeSelection* selection = m_doc->GetMediaTypes();
        selection->SetShowAll(false);
        selection->SetShow(CMediaUtils::MEDIA_BOOK, true);
        m_frame->FillViewMenu();
        QCOMPARE(MenuTexts(m_frame->GetViewMenu()), QStringList({ "Books", "-", "Select Media T&ypes..." }));
        m_doc->CloseLibrary();
        m_frame->FillViewMenu();
        QCOMPARE(MenuTexts(m_frame->GetViewMenu()), QStringList({ "Select Media T&ypes..." }));
    }

    void firstStartCentresTheWindow()
    {
        const QRect area = m_frame->screen()->availableGeometry();
        QCOMPARE(m_frame->size(), QSize(737, 583));
        QVERIFY(qAbs(m_frame->geometry().center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(m_frame->geometry().center().y() - area.center().y()) <= 1);

        // A kept shape is used as it is.
        m_frame->setGeometry(40, 50, 600, 400);
        m_frame->KeepShape();
        m_frame->setGeometry(0, 0, 100, 100);
        m_frame->ApplyKeptShape();
        QCOMPARE(m_frame->geometry(), QRect(40, 50, 600, 400));
    }

    void closingKeepsTheShapeAndSaves()
    {
        m_doc->CreateNewLibrary();
        m_doc->SetNotes("closing saves");
        m_frame->setGeometry(40, 50, 800, 600);
        m_frame->close();
        QVERIFY(!m_doc->GetLibrary());
        CRect rect;
        bool minimised = true;
        bool maximised = true;
        m_settings->GetAppShape(rect, minimised, maximised);
        QCOMPARE(rect.Width(), 800);
        QCOMPARE(rect.Height(), 600);
        QVERIFY(!maximised);
        CLibrary reread(false, true);
        bool converted = false;
        CString error;
        QVERIFY(CLibraryFile::Read(reread, m_home->LibraryPath("My Library"), converted, error));
        QCOMPARE(reread.GetNotes(), CString("closing saves"));
    }

private:
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(TestMainFrame)
#include "test_mainframe.moc"
