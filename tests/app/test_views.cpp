// The media views: every type's form builds and takes over every field it
// shows; checked fields and their balloons; New, Copy, Delete and Delete
// All; the item list model, its filter and the selection kept per library
// and type; take-over on focus loss and before the library goes; keyboard;
// the property pages below the fields.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "ViewTestSupport.h"
#include "app/BalloonTip.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/pages/SubItemModel.h"
#include "app/pages/SubItemsPage.h"
#include "app/views/FormField.h"
#include "app/views/ItemListModel.h"
#include "app/views/MediaView.h"
#include "app/views/ReportGrid.h"
#include "app/views/ReportView.h"
#include "app/views/SuggestLineEdit.h"
#include "app/views/ViewFactory.h"
#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/Category.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/model/SubItemGrid.h"
#include "data/model/Track.h"
#include "data/model/TrackMedia.h"

using U = CMediaUtils;

namespace {

// The properties whose editing belongs to the property pages (publisher,
// check-out, picture, features, audio and video formats, the electronic
// file), to the shared magazine titles, or that the system derives.
bool EditedElsewhere(const CString& prop)
{
    static const QStringList elsewhere = { "Media", "Category Desc.", "Publisher", "Publisher Address",
        "Publisher e-mail", "Publisher Phone", "Publisher URL", "Check-out Status", "Check-outs", "Image File",
        "Image Width", "Image Height", "Tracks", "Chapters", "Articles", "Electronic File or URL", "Subscription?",
        "Subscription Cost", "Subscription Number", "Subscription Exp. Date", "Pan & Scan", "Widescreen", "Channels" };
    bool derived, yesNo, number, date, text, list, noGrid;
    CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGrid);
    // The feature and sound flags are yes/no properties of the pages.
    const bool pageFlag = yesNo && prop != U::MEDIA_PROP_CDSINGLE && prop != U::MEDIA_PROP_ENHANCEDCD
        && prop != U::MEDIA_PROP_HARDCOVER;
    return pageFlag || elsewhere.contains(Q(prop));
}

// A text each field takes as it is, and the text it then holds.
QPair<QString, QString> ValidEntry(const CFormField& field)
{
    const CFieldDesc& desc = field.Desc();
    switch (desc.check) {
    case CFieldValidation::price:
        return { "12.5", "12.50" };
    case CFieldValidation::discs:
        return { "3", "3" };
    case CFieldValidation::pages:
        return { "320", "320" };
    case CFieldValidation::mediaSize:
        return { "30", "30" };
    case CFieldValidation::tapeSize:
        return { "1200", "1200" };
    case CFieldValidation::contentSize:
        return { "45:30", "45:30" };
    case CFieldValidation::mediaLength:
        return { "1:45", "1:45" };
    case CFieldValidation::region:
        return { "2", "2" };
    case CFieldValidation::dateAcquired:
        return { "2023-12-24", "2023-12-24" };
    case CFieldValidation::none:
        break;
    }
    if (desc.kind == CFieldKind::number)
        return { "4", "4" };
    if (desc.prop == U::MEDIA_PROP_SPEED)
        return { "45", "45" };
    return { "Some " + field.Name(), "Some " + field.Name() };
}

// Types text into a field as the user would; choices pick their last entry.
void Enter(CFormField* field, const QString& text)
{
    QWidget* editor = field->Editor();
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->selectAll();
        if (text.isEmpty())
            QTest::keyClick(line, Qt::Key_Backspace);
        else
            QTest::keyClicks(line, text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
        plain->selectAll();
        QTest::keyClicks(plain, text);
    } else if (auto* check = qobject_cast<QCheckBox*>(editor)) {
        check->click();
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->isEditable()) {
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), text);
        } else {
            combo->setCurrentIndex(combo->count() - 1);
            emit combo->activated(combo->count() - 1);
        }
    }
}

CString ItemValue(const CMediaItem* item, const CString& prop)
{
    CMapStringToString data;
    data.SetAt(prop, "");
    item->GetData(data);
    return data[prop];
}

} // namespace

class TestViews : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        m_balloon = std::make_unique<CTestBalloonTip>();
        m_frame = std::make_unique<CMainFrame>(m_doc.get(), m_settings.get());
        m_doc->CreateNewLibrary();
        QVERIFY(m_doc->GetLibrary());
    }
    void cleanup()
    {
        m_frame.reset();
        m_balloon.reset();
        DropDocument();
    }

    // At the usual window size a sub-item page fits below the fields, its
    // buttons in reach without scrolling, and the title column gets the
    // grid's free width.
    void subItemPagesFitTheWindow_data()
    {
        QTest::addColumn<int>("type");
        for (int type : { U::MEDIA_BOOK, U::MEDIA_MAGAZINE, U::MEDIA_CASSETTE, U::MEDIA_CDREC, U::MEDIA_VIDEOTAPE })
            QTest::newRow(U::GetMediaNamePlural(type).c_str()) << type;
    }
    void subItemPagesFitTheWindow()
    {
        QFETCH(int, type);
        m_frame->resize(737, 583);
        CMediaView* view = Show(type);
        view->NewItem();
        auto* page = view->findChild<CSubItemsPage*>();
        QVERIFY(page);
        for (int row = 0; row < 8; ++row)
            QVERIFY(page->AddSubItem());
        page->TakeOver();
        QApplication::processEvents();
        auto* scroll = qobject_cast<QScrollArea*>(page->parentWidget()->parentWidget());
        QVERIFY(scroll && scroll->isVisible());
        for (const QAbstractButton* button : page->findChildren<QAbstractButton*>())
            if (button->isVisible()) {
                const QRect shown(button->mapTo(scroll->viewport(), QPoint(0, 0)), button->size());
                QVERIFY2(scroll->viewport()->rect().contains(shown), qPrintable(button->text()));
            }
        const QTableView* grid = page->GetGrid();
        int total = 0;
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            total += grid->columnWidth(column);
        QVERIFY(total >= grid->viewport()->width());
        QVERIFY(grid->columnWidth(page->GetModel()->FindColumn(CSubItemGrid::Field::Title)) >= 150);
    }

    // The backbone: every type's view builds, shows the type's picture and
    // every field its item class carries, each with a label and an
    // accessible name, and writes every field into the item.
    void everyTypeTakesOverEveryField_data()
    {
        QTest::addColumn<int>("type");
        for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
            QTest::newRow(U::GetMediaNamePlural(type).c_str()) << type;
    }
    void everyTypeTakesOverEveryField()
    {
        QFETCH(int, type);
        CMediaView* view = Show(type);
        QVERIFY(view);
        QCOMPARE(QString(view->metaObject()->className()), CViewFactory::ViewClassName(type));
        QVERIFY(!view->findChild<QLabel*>("picture")->pixmap().isNull());

        QStringList shown;
        QSet<QChar> mnemonics;
        for (CFormField* field : view->Fields()) {
            shown << Q(field->Desc().prop);
            QVERIFY2(!field->Name().isEmpty() && field->Editor()->accessibleName() == field->Name(),
                qPrintable(field->Name()));
            QVERIFY(!field->Label() || field->Label()->buddy() == field->Editor());
            const QChar mnemonic = field->Desc().label.at(field->Desc().label.indexOf('&') + 1).toLower();
            QVERIFY2(!mnemonics.contains(mnemonic), qPrintable("mnemonic used twice: " + field->Name()));
            mnemonics << mnemonic;
        }
        // Every page tab has a mnemonic that no other tab has; it is one of
        // the form's only when the form and the other tabs use every letter
        // of the tab's title.
        QSet<QChar> tabKeys;
        mnemonics << 'e' << 'r'; // It&em and Filte&r above the form
        for (int tab = 0; tab < view->PageTabs()->count(); ++tab) {
            const QString text = view->PageTabs()->tabText(tab);
            QVERIFY2(text.contains('&'), qPrintable("tab without mnemonic: " + text));
            const QChar key = text.at(text.indexOf('&') + 1).toLower();
            QVERIFY2(!tabKeys.contains(key), qPrintable("tab mnemonic used twice: " + text));
            tabKeys << key;
        }
        for (int tab = 0; tab < view->PageTabs()->count(); ++tab) {
            const QString text = view->PageTabs()->tabText(tab);
            if (mnemonics.contains(text.at(text.indexOf('&') + 1).toLower()))
                for (QChar letter : QString(text).remove('&').toLower())
                    QVERIFY2(!letter.isLetter() || mnemonics.contains(letter) || tabKeys.contains(letter),
                        qPrintable("tab mnemonic shared with the form: " + text));
        }
        // "Length" and "Media Size" are one value of track media.
        if (shown.contains("Length") || shown.contains("Media Size"))
            shown << "Length"
                  << "Media Size";
        for (const CString& prop : CMediaRegistry::GetDataProps(type))
            QVERIFY2(EditedElsewhere(prop) || shown.contains(Q(prop)), prop.c_str());

        view->NewItem();
        CMediaItem* item = view->GetCurrentItem();
        QVERIFY(item);
        m_doc->SaveLibrary();
        for (CFormField* field : view->Fields()) {
            QVERIFY(field->Editor()->isEnabled());
            const auto [typed, expected] = ValidEntry(*field);
            Enter(field, typed);
            // A choice made or a box ticked is taken over at once.
            auto* combo = qobject_cast<QComboBox*>(field->Editor());
            if (!qobject_cast<QCheckBox*>(field->Editor()) && !(combo && !combo->isEditable())) {
                QVERIFY2(view->IsFieldEdited(), qPrintable(field->Name()));
                QVERIFY(view->TakeOver());
            }
            QVERIFY2(!view->IsFieldEdited(), qPrintable(field->Name()));
            const QString held = field->Text();
            QCOMPARE(Q(ItemValue(item, field->Desc().prop)), held);
            if (qobject_cast<QLineEdit*>(field->Editor()) || qobject_cast<QPlainTextEdit*>(field->Editor()))
                QCOMPARE(held, expected);
        }
        QVERIFY(m_doc->IsModified());
        QCOMPARE(m_balloon->Count(), 0);
        // What the form shows is what the item holds.
        const QStringList before = FieldTexts(view);
        view->SelectNext();
        m_frame->SwitchView(type);
        QCOMPARE(FieldTexts(Active()), before);
    }

    // Checked fields: the replacement, the text shown and the balloon.
    void checkedFieldsReplaceAndTell_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("balloon");
        const int cd = U::MEDIA_CD;
        const int dvd = U::MEDIA_DVD;
        QTest::newRow("discs 0") << cd << "Number of Discs"
                                 << "0"
                                 << "1"
                                 << "number-of-discs";
        QTest::newRow("discs 150") << cd << "Number of Discs"
                                   << "150"
                                   << "1"
                                   << "number-of-discs";
        QTest::newRow("discs 007") << cd << "Number of Discs"
                                   << "007"
                                   << "7"
                                   << "number-of-discs";
        QTest::newRow("price -5") << cd << "Price"
                                  << "-5"
                                  << "0.00"
                                  << "price";
        QTest::newRow("region 12") << dvd << "Region"
                                   << "12"
                                   << "1"
                                   << "region";
        QTest::newRow("region 9") << dvd << "Region"
                                  << "9"
                                  << "9"
                                  << "";
        QTest::newRow("tape 90 min") << int(U::MEDIA_CDREC) << "Disc Size (minutes)"
                                     << "90"
                                     << "80"
                                     << "media size";
    }
    void checkedFieldsReplaceAndTell()
    {
        QFETCH(int, type);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, balloon);
        CMediaView* view = Show(type);
        view->NewItem();
        CFormField* edit = view->FindField(field);
        QVERIFY(edit);
        Enter(edit, typed);
        view->TakeOver();
        QCOMPARE(edit->Text(), shown);
        QCOMPARE(Q(ItemValue(view->GetCurrentItem(), edit->Desc().prop)), shown);
        if (balloon.isEmpty()) {
            QCOMPARE(m_balloon->Count(), 0);
            return;
        }
        QCOMPARE(m_balloon->Count(), 1);
        QCOMPARE(m_balloon->LastTitle(), QString("Data Modified"));
        QCOMPARE(m_balloon->ShownBalloons().last().field, field);
        QVERIFY(m_balloon->LastText().startsWith("VemoLibrary modified your " + balloon));
        QVERIFY(m_balloon->LastText().contains("\"" + typed + "\""));
    }

    void takeOverOnFocusLossMarksModifiedAndANameListStale()
    {
        CMediaView* view = Show(U::MEDIA_CD);
        view->NewItem();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_doc->SaveLibrary();
        CFormField* artist = view->FindField("Artist");
        artist->Editor()->setFocus();
        Enter(artist, "Miles Davis");
        QVERIFY(view->IsFieldEdited() && !m_doc->IsModified());
        view->FindField("Title")->Editor()->setFocus();
        QVERIFY(!view->IsFieldEdited());
        QVERIFY(m_doc->IsModified());
        QVERIFY(m_doc->IsListStale(CVemoLibraryDoc::ListArtists));
        QVERIFY(!m_doc->IsListStale(CVemoLibraryDoc::ListLocations));
        // The list text follows, in place, and is what is remembered.
        QCOMPARE(view->CurrentItemText(), QString("Miles Davis"));
        QCOMPARE(m_doc->GetRememberedItem(U::MEDIA_CD), CString("Miles Davis"));

        // The rebuilt list is offered to the field; Enter takes a suggestion.
        while (m_doc->DoIdleWork()) { }
        auto* suggest = qobject_cast<CSuggestLineEdit*>(artist->Editor());
        QVERIFY(suggest->Names().contains("Miles Davis"));
        view->NewItem();
        artist->Editor()->setFocus();
        Enter(artist, "mil");
        QTest::keyClick(suggest, Qt::Key_Return);
        QCOMPARE(suggest->text(), QString("Miles Davis"));
        QCOMPARE(view->GetCurrentItem()->GetUniqueDescription(false, ""), CString("Miles Davis"));
    }

    // New, Copy and Delete on one view of each family.
    // Suggestions are made once, when the field first takes a key (or the
    // focus), not when the view fills; names set outright drop a pending
    // source.
    void suggestionsAreMadeWhenFirstNeeded()
    {
        CSuggestLineEdit edit;
        int made = 0;
        edit.SetNamesSource([&made] {
            ++made;
            return QStringList { "Ada", "Grace" };
        });
        QCOMPARE(made, 0);
        QTest::keyClick(&edit, Qt::Key_A);
        QCOMPARE(made, 1);
        QCOMPARE(edit.Names(), (QStringList { "Ada", "Grace" }));
        QCOMPARE(made, 1);
        edit.SetNamesSource([&made] {
            ++made;
            return QStringList();
        });
        edit.SetNames({ "Hedy" });
        QCOMPARE(edit.Names(), QStringList { "Hedy" });
        QCOMPARE(made, 1);
    }

    void newCopyDelete_data()
    {
        QTest::addColumn<int>("type");
        for (int type : { U::MEDIA_BOOK, U::MEDIA_CD, U::MEDIA_CASSETTE, U::MEDIA_CDREC, U::MEDIA_DVD, U::MEDIA_DVDREC,
                 U::MEDIA_VIDEOTAPE })
            QTest::newRow(U::GetMediaNamePlural(type).c_str()) << type;
    }
    void newCopyDelete()
    {
        QFETCH(int, type);
        CMediaView* view = Show(type);
        QSignalSpy counts(view, &CView::StatusCountsChanged);
        QSignalSpy states(view, &CView::CommandStatesChanged);
        m_doc->SaveLibrary();
        m_frame->OnCommand(ID_NEW_ITEM);
        QVERIFY(m_doc->GetSaveEnabled());
        QVERIFY(m_doc->IsModified());
        QCOMPARE(m_doc->GetItemCount(type), 1);
        QCOMPARE(counts.last().at(0).toInt(), 1);
        QVERIFY(!states.isEmpty());
        Enter(view->FindField("Title"), "Dune");
        view->CopyItem();
        QCOMPARE(m_doc->GetItemCount(type), 2);
        QCOMPARE(view->GetCurrentItem()->GetTitle(), CString("copy of Dune"));
        QCOMPARE(view->FindField("Title")->Text(), QString("copy of Dune"));

        // An item with significant data is only deleted when the user says so.
        m_box->SetNextAnswer(CMessageBox::No);
        view->DeleteItem();
        QCOMPARE(m_box->LastTitle(), QString("Remove"));
        QVERIFY(m_box->LastText().startsWith(QString("VemoLibrary is about to permanently remove the following %1:\n\n")
                                                 .arg(Q(U::GetMediaNameSingular(type)))));
        QCOMPARE(m_doc->GetItemCount(type), 2);
        view->DeleteItem();
        QCOMPARE(m_doc->GetItemCount(type), 1);
        QCOMPARE(view->GetCurrentItem()->GetTitle(), CString("Dune"));
        QCOMPARE(counts.last().at(0).toInt(), 1);

        // One without is deleted without a question; the only one leaves the
        // empty form.
        view->NewItem();
        const int asked = m_box->Count();
        view->DeleteItem();
        QCOMPARE(m_box->Count(), asked);
        view->DeleteItem();
        QCOMPARE(m_doc->GetItemCount(type), 0);
        QVERIFY(!view->GetCurrentItem());
        QVERIFY(!view->FindField("Title")->Editor()->isEnabled());
        QVERIFY(!view->IsCommandEnabled(ID_EDIT_DELETE_ALL));
    }

    void deletingTheLastEntrySelectsTheNewLast()
    {
        CMediaView* view = Show(U::MEDIA_BOOK);
        for (const char* title : { "A", "B", "C" }) {
            view->NewItem();
            Enter(view->FindField("Title"), title);
            view->TakeOver();
        }
        view->SortBy(U::MEDIA_PROP_TITLE);
        view->SelectItemText("\"C\"");
        view->DeleteItem();
        QCOMPARE(view->CurrentItemText(), QString("\"B\""));
        view->SelectItemText("\"A\"");
        view->DeleteItem();
        QCOMPARE(view->CurrentItemText(), QString("\"B\""));
        QCOMPARE(view->ItemTexts(), QStringList { "\"B\"" });
    }

    void deleteAllAsksByCount()
    {
        CMediaView* view = Show(U::MEDIA_CD);
        QVERIFY(!view->IsCommandEnabled(ID_EDIT_DELETE_ALL));
        view->NewItem();
        m_box->SetNextAnswer(CMessageBox::No);
        m_frame->OnCommand(ID_EDIT_DELETE_ALL);
        QCOMPARE(m_box->LastTitle(), QString("Remove All"));
        QCOMPARE(m_box->LastText(),
            QString("VemoLibrary is about to permanently remove the one CD from this Library.\n\nDeletions are not "
                    "reversible. Continue?"));
        QCOMPARE(m_doc->GetItemCount(U::MEDIA_CD), 1);
        view->NewItem();
        view->NewItem();
        m_frame->OnCommand(ID_EDIT_DELETE_ALL);
        QCOMPARE(m_box->LastText(),
            QString("VemoLibrary is about to permanently remove all 3 CDs from this Library.\n\nDeletions are not "
                    "reversible. Continue?"));
        QCOMPARE(m_doc->GetItemCount(U::MEDIA_CD), 0);
        QVERIFY(view->ItemTexts().isEmpty());
        QVERIFY(!view->GetCurrentItem());
    }

    void deletingDropsTheItemFromTheSearchWindow()
    {
        CMediaView* view = Show(U::MEDIA_CD);
        view->NewItem();
        Enter(view->FindField("Title"), "Kind of Blue");
        view->NewItem();
        Enter(view->FindField("Title"), "Blue Train");
        view->TakeOver();
        CMediaItem* doomed = view->GetCurrentItem();
        auto* track = static_cast<CTrack*>(doomed->CreateSubItem(nullptr));
        track->SetTitle("Blue Train");
        doomed->AddSubItem(track);
        m_doc->MarkItemModified(doomed);
        CLibrarySearchDlg* search = m_doc->OnEditSearch();
        search->SetMediaTypeChecked(U::MEDIA_CD, true);
        search->SetSearchText("blue");
        QCOMPARE(search->Search(), 3);
        view->DeleteItem();
        QCOMPARE(search->GetResultCount(), 1);
        QVERIFY(search->GetResultText(0).contains("Kind of Blue"));
    }

    void theListIsAModelThatTheFilterNarrows()
    {
        CMediaView* view = Show(U::MEDIA_BOOK);
        QAbstractItemModelTester tester(view->ListModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester proxyTester(
            view->ItemList()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const char* title : { "Dune", "Emma", "Dune Messiah", "Emma" })
            AddItem(view, title);
        // Equal texts are told apart, so that each entry can be remembered.
        QCOMPARE(view->ItemTexts().filter("Emma").size(), 2);
        QVERIFY(view->ItemTexts().contains("\"Emma\" (2)"));

        view->SelectItemText("\"Dune Messiah\"");
        view->FilterBox()->setText("DUNE");
        QCOMPARE(view->ItemList()->count(), 2);
        QCOMPARE(view->CurrentItemText(), QString("\"Dune Messiah\""));
        view->FilterBox()->setText("emma");
        QCOMPARE(view->ItemList()->count(), 2);
        QVERIFY(view->CurrentItemText().startsWith("\"Emma\""));
        // Without a match the item stays on the form.
        CMediaItem* shown = view->GetCurrentItem();
        view->FilterBox()->setText("zzz");
        QCOMPARE(view->ItemList()->count(), 0);
        QCOMPARE(view->GetCurrentItem(), shown);
        QVERIFY(!view->IsCommandEnabled(ID_NEXT_ITEM));
        view->FilterBox()->clear();
        QCOMPARE(view->ItemList()->count(), 4);
        QCOMPARE(view->GetCurrentItem(), shown);
        // A new item shows whatever the filter held.
        view->FilterBox()->setText("dune");
        view->NewItem();
        QVERIFY(view->FilterBox()->text().isEmpty());
        QCOMPARE(view->ItemList()->count(), 5);
    }

    void reopeningRestoresEachTypesSelection()
    {
        CMediaView* books = Show(U::MEDIA_BOOK);
        for (const char* title : { "A", "B", "C" })
            AddItem(books, title);
        books->SelectItemText("\"B\"");
        CMediaView* cds = Show(U::MEDIA_CD);
        for (const char* title : { "X", "Y", "Z" })
            AddItem(cds, title);
        cds->SelectItemText("\"Y\"");
        const CString name = m_doc->GetLibraryName();
        m_doc->CloseLibrary();
        m_doc->OpenLibrary(name, false);
        QCOMPARE(Show(U::MEDIA_BOOK)->CurrentItemText(), QString("\"B\""));
        QCOMPARE(Show(U::MEDIA_CD)->CurrentItemText(), QString("\"Y\""));
    }

    // Nothing typed is lost when the user switches type or library, or quits.
    void aPendingEditIsTakenOverBeforeTheViewOrLibraryGoes()
    {
        CMediaView* view = Show(U::MEDIA_BOOK);
        AddItem(view, "Dune");
        Enter(view->FindField("Edition"), "First");
        m_frame->OnCommand(MediaTypeCommand(U::MEDIA_CD));
        QCOMPARE(Book()->GetEdition(), CString("First"));

        const CString first = m_doc->GetLibraryName();
        view = Show(U::MEDIA_BOOK);
        Enter(view->FindField("Edition"), "Second");
        m_doc->CreateNewLibrary();
        QCOMPARE(EditionOnDisk(first), CString("Second"));

        m_doc->LoadLibraryAt(0);
        QCOMPARE(m_doc->GetLibraryName(), first);
        view = Show(U::MEDIA_BOOK);
        Enter(view->FindField("Edition"), "Third");
        m_frame->close();
        QCOMPARE(EditionOnDisk(first), CString("Third"));
    }

    void tabCyclesBetweenTheListTheFieldsAndThePages()
    {
        CMediaView* view = Show(U::MEDIA_BOOK);
        AddItem(view, "Dune");
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QWidget* first = view->Fields().first()->Editor();
        QWidget* last = view->Fields().last()->Editor();
        view->ItemList()->setFocus();
        QTest::keyClick(view->ItemList(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), first);
        // Every field in the order of the form.
        for (int i = 1; i < view->Fields().size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(view->Fields().at(i)->Holds(QApplication::focusWidget()));
        }
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), view->ItemList());
        // Past the fields come the pages, and past the pages the list.
        QTest::keyClick(view->ItemList(), Qt::Key_Backtab);
        QVERIFY(view->PageTabs()->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(last, Qt::Key_Tab);
        QVERIFY(view->PageTabs()->isAncestorOf(QApplication::focusWidget()));
        for (int stops = 0; QApplication::focusWidget() != view->ItemList(); ++stops) {
            QVERIFY(stops < 20 && view->PageTabs()->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // The Delete key in the list deletes.
        QTest::keyClick(view->ItemList(), Qt::Key_Delete);
        QCOMPARE(m_box->LastTitle(), QString("Remove"));
        QCOMPARE(m_doc->GetItemCount(U::MEDIA_BOOK), 0);
    }

    void updateLengthFieldTotalsTheTracks()
    {
        CMediaView* cds = Show(U::MEDIA_CD);
        AddItem(cds, "Kind of Blue");
        QVERIFY(!cds->IsCommandEnabled(ID_EDIT_UPDATE_LENGTH));
        for (int length : { 200, 130 }) {
            auto* track = static_cast<CTrack*>(cds->GetCurrentItem()->CreateSubItem(nullptr));
            track->SetLength(length);
            cds->GetCurrentItem()->AddSubItem(track);
        }
        QVERIFY(cds->IsCommandEnabled(ID_EDIT_UPDATE_LENGTH));
        m_doc->SaveLibrary();
        m_frame->OnCommand(ID_EDIT_UPDATE_LENGTH);
        QCOMPARE(cds->FindField("Length")->Text(), QString("05:30"));
        QCOMPARE(static_cast<CTrackMedia*>(cds->GetCurrentItem())->GetMediaSize(), 330);
        QVERIFY(m_doc->IsModified());
        // A recordable disc's size is its capacity, not what is on it.
        CMediaView* discs = Show(U::MEDIA_CDREC);
        AddItem(discs, "Mix");
        discs->GetCurrentItem()->AddSubItem(discs->GetCurrentItem()->CreateSubItem(nullptr));
        QVERIFY(!discs->IsCommandEnabled(ID_EDIT_UPDATE_LENGTH));
    }

    void sortByOffersTheTypesOrdersAndKeepsTheItem_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("books") << int(U::MEDIA_BOOK) << QStringList { "&Library ID", "&Title", "&Author" };
        QTest::newRow("magazines") << int(U::MEDIA_MAGAZINE) << QStringList { "&Library ID", "&Magazine", "I&ssue" };
        QTest::newRow("sheet music") << int(U::MEDIA_SHEETMUSIC)
                                     << QStringList { "&Library ID", "&Title", "&Composer" };
        QTest::newRow("CDs") << int(U::MEDIA_CD) << QStringList { "&Library ID", "&Title", "&Artist" };
        QTest::newRow("DVDs") << int(U::MEDIA_DVD) << QStringList { "&Library ID", "&Title" };
    }
    void sortByOffersTheTypesOrdersAndKeepsTheItem()
    {
        QFETCH(int, type);
        QFETCH(QStringList, entries);
        CMediaView* view = Show(type);
        QStringList texts;
        for (QAction* action : view->SortMenu()->actions())
            texts << action->text();
        QCOMPARE(texts, entries);
        AddItem(view, "Zebra");
        AddItem(view, "Aardvark");
        CMediaItem* current = view->GetCurrentItem();
        m_doc->SaveLibrary();
        view->SortMenu()->actions().at(0)->trigger();
        CString primary, secondary;
        m_doc->GetSortOrder(type, primary, secondary);
        QCOMPARE(primary, U::MEDIA_PROP_LIBRARYID);
        QVERIFY(m_doc->IsModified());
        QCOMPARE(view->GetCurrentItem(), current);
    }

    void relocateAsksThenMovesEveryItemOfTheType()
    {
        CMediaView* view = Show(U::MEDIA_DVD);
        AddItem(view, "Alien");
        AddItem(view, "Brazil");
        Enter(view->FindField("Location"), "Attic");
        m_box->SetNextAnswer(CMessageBox::No);
        view->Relocate();
        QCOMPARE(m_box->LastTitle(), QString("Re-locate Media"));
        QCOMPARE(m_box->LastText(),
            QString("Should VemoLibrary flag all the DVDs in this Library as being located in \"Attic\"?"));
        CMediaItem* other
            = view->ListModel()->ItemAt(view->ListModel()->RowOfText(view->ItemTexts().filter("Alien")[0]));
        QCOMPARE(other->GetLocation(), CString());
        view->Relocate();
        QCOMPARE(other->GetLocation(), CString("Attic"));
        QVERIFY(m_doc->IsListStale(CVemoLibraryDoc::ListLocations));
    }

    void buttonsOpenTheirDialogsAndTheBasicReport()
    {
        CMediaView* view = Show(U::MEDIA_VIDEOTAPE);
        AddItem(view, "Holiday 1998");
        const QList<QPair<QString, QString>> dialogs { { "Library ID Format", "CLibraryIDSettingsDlg" },
            { "Custom Fields", "CCustomFieldsDlg" } };
        for (const auto& [button, dialogClass] : dialogs) {
            QString opened;
            QTimer::singleShot(0, [&opened] {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    opened = dialog->metaObject()->className();
                    dialog->reject();
                }
            });
            view->FindButton(button)->click();
            QCOMPARE(opened, dialogClass);
        }
        view->FindButton("Basic Report")->click();
        auto* report = qobject_cast<CReportView*>(m_frame->GetActiveView());
        QVERIFY(report);
        QCOMPARE(report->GetError(), QString());
        QCOMPARE(report->GetGrid()->RowCount(), 1);
        QVERIFY(!m_frame->IsMediaViewActive());
        m_frame->OnCommand(MediaTypeCommand(U::MEDIA_VIDEOTAPE));
        QVERIFY(Active());
    }

    // A magazine title typed on the form lives in the shared data, which
    // must keep it: the issue only holds the title's id.
    void aNewMagazineTitleIsKeptInTheSharedData()
    {
        CMediaView* view = Show(U::MEDIA_MAGAZINE);
        AddItem(view, "Cover story");
        Enter(view->FindField("Magazine"), "Byte");
        view->TakeOver();
        QCOMPARE(view->CurrentItemText(), QString("Byte - \"Cover story\""));
        CMagazineMgr::DeleteInstance();
        m_doc->LoadSharedData();
        QVERIFY(m_doc->GetMagazineTitles().Find("Byte"));
        auto* combo = qobject_cast<QComboBox*>(view->FindField("Magazine")->Editor());
        QVERIFY(combo->findText("Byte") >= 0);
    }

    void hintsRefreshChoicesAndSuggestions()
    {
        CMediaView* view = Show(U::MEDIA_CD);
        AddItem(view, "Kind of Blue");
        auto* category = qobject_cast<QComboBox*>(view->FindField("Category")->Editor());
        const int before = category->count();
        m_doc->GetLibrary()->AddCategory(new CCategory("Jazz"));
        emit m_doc->UpdateAllViews(CVemoLibraryDoc::HintCategories);
        QCOMPARE(category->count(), before + 1);
        QVERIFY(category->findText("Jazz") >= 0);
        QCOMPARE(view->FindField("Category")->Text(), Q(CCategory::GetNoCategory()));
    }

    // The pages below the fields: tabs of the type's pages, the current item
    // on every page, F5 to the sub-items, a page's change marks the library
    // and is taken over on item switch and quit.
    void pagesFollowTheItemAndTakeOverWithTheFields_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("firstTab");
        QTest::newRow("books") << int(U::MEDIA_BOOK) << "&Chapters";
        QTest::newRow("CDs") << int(U::MEDIA_CD) << "&Tracks";
        QTest::newRow("cassettes") << int(U::MEDIA_CASSETTE) << "&Recordings";
    }
    void pagesFollowTheItemAndTakeOverWithTheFields()
    {
        QFETCH(int, type);
        QFETCH(QString, firstTab);
        CMediaView* view = Show(type);
        QTabWidget* tabs = view->PageTabs();
        QVERIFY(tabs->isVisibleTo(view) && tabs->count() > 1);
        QCOMPARE(tabs->tabText(0).remove('&'), QString(firstTab).remove('&'));
        auto* page = qobject_cast<CSubItemsPage*>(view->Pages().value(0));
        QVERIFY(page && !page->isEnabled());
        QVERIFY(!view->IsCommandEnabled(ID_NEW_SUB_ITEM));

        AddItem(view, "First");
        AddItem(view, "Second");
        QVERIFY(page->isEnabled() && view->IsCommandEnabled(ID_NEW_SUB_ITEM));
        m_doc->SaveLibrary();
        QSignalSpy states(view, &CView::CommandStatesChanged);
        m_frame->OnCommand(ID_NEW_SUB_ITEM);
        QCOMPARE(page->GetModel()->rowCount(), 1);
        QVERIFY(m_doc->IsModified());
        QVERIFY(!states.isEmpty());
        // The grid's open editor is taken over when the item switches...
        QTest::keyClicks(OpenEditor(page), "Opening");
        CMediaItem* second = view->GetCurrentItem();
        const QString secondText = view->CurrentItemText();
        QVERIFY(view->SelectItemText(view->ItemTexts().filter("First").value(0)));
        QCOMPARE(page->GetModel()->rowCount(), 0);
        QCOMPARE(second->GetSubItemCount(), 1);
        QCOMPARE(CSubItemGrid::GetText(*second->GetSubItemAt(0), CSubItemGrid::Field::Title), CString("Opening"));
        // ...and on quit, with the library saved.
        QVERIFY(view->SelectItemText(secondText));
        m_frame->OnCommand(ID_NEW_SUB_ITEM);
        QTest::keyClicks(OpenEditor(page), "Closing");
        const CString library = m_doc->GetLibraryName();
        m_frame->close();
        QCOMPARE(SubItemTitlesOnDisk(library, type), QStringList({ "Opening", "Closing" }));
    }

    // A recordable medium's size field tells the recordings page, which
    // recomputes the time left.
    void theSizeFieldRecomputesTheTimeLeft()
    {
        CMediaView* view = Show(U::MEDIA_CASSETTE);
        AddItem(view, "Mix");
        auto* page = qobject_cast<CSubItemsPage*>(view->Pages().value(0));
        QVERIFY(page);
        Enter(view->FindField("Tape Size (minutes)"), "60");
        view->TakeOver();
        const QString sixty = page->RemainingText();
        Enter(view->FindField("Tape Size (minutes)"), "90");
        view->TakeOver();
        QVERIFY(!page->RemainingText().isEmpty());
        QVERIFY2(page->RemainingText() != sixty, qPrintable(sixty));
    }

private:
    CMediaView* Active() const { return ActiveMediaView(*m_frame); }
    CMediaView* Show(int type) { return ShowMediaView(*m_frame, type); }
    static void AddItem(CMediaView* view, const QString& title)
    {
        view->NewItem();
        Enter(view->FindField("Title"), title);
        view->TakeOver();
    }
    CBook* Book() const
    {
        POSITION pos = m_doc->GetLibrary()->GetHeadItem(U::MEDIA_BOOK);
        return static_cast<CBook*>(m_doc->GetLibrary()->GetNextItem(U::MEDIA_BOOK, pos));
    }
    bool ReadFromDisk(const CString& library, CLibrary& read) const
    {
        bool converted = false;
        CString error;
        return CLibraryFile::Read(read, m_home->LibraryPath(library), converted, error);
    }
    // The edition of the first book of a library as its file holds it.
    CString EditionOnDisk(const CString& library) const
    {
        CLibrary read(false, false);
        if (!ReadFromDisk(library, read))
            return "unreadable";
        POSITION pos = read.GetHeadItem(U::MEDIA_BOOK);
        const auto* book = pos ? dynamic_cast<const CBook*>(read.GetNextItem(U::MEDIA_BOOK, pos)) : nullptr;
        return book ? book->GetEdition() : CString("no book");
    }
    // The editor F5 opened on the new sub-item's title.
    static QWidget* OpenEditor(CSubItemsPage* page)
    {
        QWidget* editor = page->GetGrid()->indexWidget(page->GetGrid()->currentIndex());
        if (!editor)
            QTest::qFail("no editor open", __FILE__, __LINE__);
        return editor;
    }
    // The sub-item titles of the type's last item as the library file holds them.
    QStringList SubItemTitlesOnDisk(const CString& library, int type) const
    {
        CLibrary read(false, false);
        if (!ReadFromDisk(library, read))
            return { "unreadable" };
        const CMediaItem* last = nullptr;
        for (POSITION pos = read.GetHeadItem(type); pos;)
            last = read.GetNextItem(type, pos);
        QStringList titles;
        for (int i = 0; last && i < last->GetSubItemCount(); ++i)
            titles << Q(CSubItemGrid::GetText(*last->GetSubItemAt(i), CSubItemGrid::Field::Title));
        return titles;
    }
    static QStringList FieldTexts(const CMediaView* view)
    {
        QStringList texts;
        for (const CFormField* field : view->Fields())
            texts << field->Text();
        return texts;
    }

    std::unique_ptr<CTestBalloonTip> m_balloon;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(TestViews)
#include "test_views.moc"
