// The main window: command ids and keys, the dynamic menus, the media-type
// bar, switching views and the status bar panes.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "AppDialogDriver.h"
#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/MediaTypeBar.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/MediaView.h"
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
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("reserved");
        QTest::addColumn<int>("checkedOut");
        QTest::addColumn<QString>("entriesText");
        QTest::addColumn<QString>("reservedText");
        QTest::addColumn<QString>("checkedOutText");
        QTest::newRow("one entry") << 1 << 0 << 0 << "1 entry"
                                   << ""
                                   << "";
        QTest::newRow("none") << 0 << 0 << 0 << "0 entries"
                              << ""
                              << "";
        QTest::newRow("grouped") << 12345 << 1 << 1234 << "12,345 entries"
                                 << "1 reserved"
                                 << "1,234 checked-out";
        QTest::newRow("two") << 2 << 2 << 0 << "2 entries"
                             << "2 reserved"
                             << "";
    }
    void statusPanesTexts()
    {
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
        auto* view = qobject_cast<CMediaView*>(m_frame->GetActiveView());
        QVERIFY(view);
        QCOMPARE(QString(view->metaObject()->className()), QString("CBookView"));
        QCOMPARE(view->ItemTexts().size(), 2);
        QVERIFY(view->ItemTexts().filter("Penny Black").size() == 1);
        QCOMPARE(m_frame->GetEntriesPane()->text(), QString("2 entries"));
        QVERIFY(!m_frame->GetReservedPane()->isVisibleTo(m_frame.get()));

        // The selection is kept per library and type, and comes back.
        view->ItemList()->setCurrentIndex(1);
        QString chosen = view->CurrentItemText();
        m_frame->SwitchView(CMediaUtils::MEDIA_CD);
        QCOMPARE(m_frame->GetEntriesPane()->text(), QString("0 entries"));
        m_frame->SwitchView(CMediaUtils::MEDIA_BOOK);
        view = qobject_cast<CMediaView*>(m_frame->GetActiveView());
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
        m_frame->OnCommand(ID_EDIT_DELETE_ALL);
        QCOMPARE(m_box->LastTitle(), QString("Delete All"));
        QVERIFY(m_box->LastText().contains("not there yet"));
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
