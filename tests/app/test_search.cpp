// Edit, Search...: one window at a time, what a search finds by media type
// and property, the texts searched for, showing a found item, and the texts
// that reach the library when the window or the library closes.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "app/MainFrame.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/MediaView.h"
#include "data/model/Book.h"
#include "data/model/MediaUtils.h"
#include "data/model/Track.h"

class TestSearch : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        m_doc->CreateNewLibrary();
        QVERIFY(Library());
        AddBook("Dune", "Frank Herbert");
        AddBook("Dune Messiah", "Frank Herbert");
        AddBook("Emma", "Jane Austen");
        Library()->CreateMediaItem(CMediaUtils::MEDIA_CD, nullptr)->SetTitle("Dune Soundtrack");
        m_doc->MarkItemModified(nullptr);
        Library()->AddSearchString("austen");
        Library()->AddSearchString("older");
        QVERIFY(m_doc->SaveLibrary());
    }
    void cleanup() { DropDocument(); }

    void oneWindowOfferingTheStoredTexts()
    {
        CLibrarySearchDlg* dlg = m_doc->OnEditSearch();
        QVERIFY(dlg);
        QCOMPARE(m_doc->OnEditSearch(), dlg);
        QCOMPARE(dlg->GetSearchCombo()->count(), 2);
        QCOMPARE(dlg->GetSearchCombo()->itemText(0), QString("austen"));
        QCOMPARE(dlg->GetSearchCombo()->itemText(1), QString("older"));
    }

    void searchLooksInTheChosenTypesAndProperties()
    {
        CLibrarySearchDlg* dlg = OpenSearch();
        dlg->SetMediaTypeChecked(CMediaUtils::MEDIA_CD, true);
        dlg->SetSearchText("DUNE");
        QCOMPARE(dlg->Search(), 3);

        dlg->SetMediaTypeChecked(CMediaUtils::MEDIA_CD, false);
        QCOMPARE(dlg->Search(), 2);
        QVERIFY(dlg->GetResultText(0).contains("Dune"));

        dlg->SetSearchText("herbert");
        QCOMPARE(dlg->Search(), 2);
        QVERIFY(dlg->SetPropertyChecked("Title", true));
        QCOMPARE(dlg->Search(), 0);
        QVERIFY(dlg->SetPropertyChecked("Author", true));
        QCOMPARE(dlg->Search(), 2);

        // Blank text finds nothing and is not kept.
        dlg->SetSearchText("  ");
        QCOMPARE(dlg->Search(), 0);
        QCOMPARE(dlg->GetSearchStrings(), (CStringArray { "herbert", "DUNE", "austen", "older" }));
    }

    void tracksAreFoundOnlyWithSubItemsAndShownAfterTheirMedium()
    {
        CMediaItem* album = Library()->CreateMediaItem(CMediaUtils::MEDIA_CD, nullptr);
        album->SetTitle("Kind of Blue");
        auto* track = static_cast<CTrack*>(album->CreateSubItem(nullptr));
        track->SetTitle("Flamenco Sketches");
        album->AddSubItem(track);
        m_doc->MarkItemModified(album);

        CLibrarySearchDlg* dlg = OpenSearch();
        dlg->SetMediaTypeChecked(CMediaUtils::MEDIA_CD, true);
        dlg->SetSearchText("flamenco");
        QCOMPARE(dlg->Search(), 1);
        QCOMPARE(dlg->GetResultItem(0), static_cast<CItem*>(track));
        QVERIFY(dlg->GetResultText(0).contains("Kind of Blue"));
        QVERIFY2(dlg->GetResultText(0).contains("Flamenco Sketches"), qPrintable(dlg->GetResultText(0)));
        dlg->SetIncludeSubItems(false);
        QCOMPARE(dlg->Search(), 0);

        // Showing a track shows its album.
        dlg->SetIncludeSubItems(true);
        dlg->Search();
        QSignalSpy shown(m_doc.get(), &CVemoLibraryDoc::MediaTypeRequested);
        dlg->ShowResult(0);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().first().toInt(), CMediaUtils::MEDIA_CD);
        QVERIFY(m_doc->GetRememberedItem(CMediaUtils::MEDIA_CD).find("Kind of Blue") != CString::npos);
    }

    void textsSearchedForComeFirstOnceAndAreCapped()
    {
        CLibrarySearchDlg* dlg = m_doc->OnEditSearch();
        for (const char* text : { "emma", "older", "emma" }) {
            dlg->SetSearchText(text);
            dlg->Search();
        }
        QCOMPARE(dlg->GetSearchStrings(), (CStringArray { "emma", "older", "austen" }));
        for (int i = 0; i < CLibrarySearchDlg::MAX_SEARCH_STRINGS + 5; ++i) {
            dlg->SetSearchText(QString("word%1").arg(i));
            dlg->Search();
        }
        QCOMPARE(int(dlg->GetSearchStrings().GetSize()), CLibrarySearchDlg::MAX_SEARCH_STRINGS);
        QCOMPARE(dlg->GetSearchStrings().GetAt(0), CString("word24"));
    }

    void showingAResultSwitchesToItsTypeWithTheItemChosen()
    {
        CLibrarySearchDlg* dlg = OpenSearch();
        dlg->SetSearchText("emma");
        QCOMPARE(dlg->Search(), 1);
        QSignalSpy shown(m_doc.get(), &CVemoLibraryDoc::MediaTypeRequested);
        dlg->ShowResult(0);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().first().toInt(), CMediaUtils::MEDIA_BOOK);
        CStringArray texts;
        Library()->GetItemListTexts(CMediaUtils::MEDIA_BOOK, texts);
        const CString remembered = m_doc->GetRememberedItem(CMediaUtils::MEDIA_BOOK);
        QVERIFY(std::find(texts.begin(), texts.end(), remembered) != texts.end());
        QVERIFY(remembered.find("Emma") != CString::npos);
    }

    void theMainWindowShowsTheFoundItem()
    {
        CMainFrame frame(m_doc.get(), m_settings.get());
        frame.ShowMediaType(CMediaUtils::MEDIA_BOOK);
        CLibrarySearchDlg* dlg = OpenSearch();
        for (const char* title : { "emma", "messiah" }) {
            dlg->SetSearchText(title);
            QCOMPARE(dlg->Search(), 1);
            dlg->ShowResult(0);
            QCOMPARE(frame.GetMediaTypeOnScreen(), CMediaUtils::MEDIA_BOOK);
            auto* view = qobject_cast<CMediaView*>(frame.GetActiveView());
            QVERIFY(view && view->GetCurrentItem());
            QVERIFY(view->CurrentItemText().contains(title, Qt::CaseInsensitive));
        }
    }

    // Seen in use: after a found item was shown, a search for another of
    // its texts missed it until pressed again. Driven as a user would,
    // with idle passes running and the shown item taken over by its view.
    void anItemJustShownIsFoundByItsOtherTextsAtOnce()
    {
        AddBook("The Hobbit", "J. R. R. Tolkien");
        CMediaItem* hobbit = FindBook("The Hobbit");
        hobbit->SetLocation("Attic shelf");
        m_doc->MarkItemModified(hobbit);
        m_doc->SetAutoIdle(true);
        CMainFrame frame(m_doc.get(), m_settings.get());
        frame.ShowMediaType(CMediaUtils::MEDIA_CD);
        frame.show();
        CLibrarySearchDlg* dlg = OpenSearch();
        QLineEdit* edit = dlg->GetSearchCombo()->lineEdit();
        const auto search = [&](const char* text) {
            edit->selectAll();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::qWait(20);
            return dlg->GetResultCount();
        };
        QCOMPARE(search("hobbit"), 1);
        emit dlg->GetResultList()->itemDoubleClicked(dlg->GetResultList()->topLevelItem(0), 1);
        QTest::qWait(20);
        QCOMPARE(frame.GetMediaTypeOnScreen(), CMediaUtils::MEDIA_BOOK);
        QCOMPARE(search("attic"), 1);
        QCOMPARE(dlg->GetResultItem(0), static_cast<CItem*>(hobbit));
        // A view that takes the shown item over tells the library.
        m_doc->MarkItemModified(hobbit);
        QCOMPARE(search("tolkien attic"), 1);
        frame.close();
    }

    void closingTheLibraryStoresTheWindowsTextsAndClosesIt()
    {
        QPointer<CLibrarySearchDlg> dlg = m_doc->OnEditSearch();
        dlg->SetSearchText("messiah");
        dlg->Search();
        m_doc->CloseLibrary();
        QVERIFY(!m_doc->GetSearchDlg());
        QVERIFY(!dlg || !dlg->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!dlg);

        CLibrary reread(false, true);
        bool converted = false;
        CString error;
        QVERIFY(CLibraryFile::Read(reread, m_home->LibraryPath("My Library"), converted, error));
        QCOMPARE(StoredStrings(reread), (CStringArray { "messiah", "austen", "older" }));
    }

    void closingTheWindowStoresItsTexts()
    {
        CLibrarySearchDlg* dlg = OpenSearch();
        dlg->SetSearchText("emma");
        dlg->Search();
        QVERIFY(!m_doc->IsModified());
        dlg->reject();
        QVERIFY(!m_doc->GetSearchDlg());
        QVERIFY(m_doc->IsModified());
        QCOMPARE(StoredStrings(*Library()), (CStringArray { "emma", "austen", "older" }));
        // A new window starts from them.
        QCOMPARE(m_doc->OnEditSearch()->GetSearchCombo()->itemText(0), QString("emma"));
    }

private:
    CLibrary* Library() const { return m_doc->GetLibrary(); }

    CLibrarySearchDlg* OpenSearch()
    {
        CLibrarySearchDlg* dlg = m_doc->OnEditSearch();
        dlg->SetMediaTypeChecked(CMediaUtils::MEDIA_BOOK, true);
        return dlg;
    }

    void AddBook(const CString& title, const CString& author)
    {
        auto* book = static_cast<CBook*>(Library()->CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr));
        book->SetTitle(title);
        book->SetAuthor(author);
    }

    CMediaItem* FindBook(const CString& title) const
    {
        for (POSITION pos = Library()->GetHeadItem(CMediaUtils::MEDIA_BOOK); pos;)
            if (CMediaItem* item = Library()->GetNextItem(CMediaUtils::MEDIA_BOOK, pos); item->GetTitle() == title)
                return item;
        return nullptr;
    }

    static CStringArray StoredStrings(const CLibrary& library)
    {
        CStringArray strings;
        for (int i = 0; i < library.GetSearchStringCount(); ++i)
            strings.Add(library.GetSearchStringAt(i));
        return strings;
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
