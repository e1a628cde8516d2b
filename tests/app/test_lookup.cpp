// The online look-up on the forms: a scanned code with Enter, the search on
// a worker and its result back on the window's thread, the chooser, the fill
// with and without replace, tracks and the cover, undo in one step, cancel
// and failures; its settings. Answers come from a transport of the test,
// never from the network.

#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <mutex>

#include "AppDialogDriver.h"
#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "ViewTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/dialogs/LookupChooserDlg.h"
#include "app/dialogs/SettingsDlg.h"
#include "app/views/FormField.h"
#include "app/views/ItemLookup.h"
#include "app/views/LookupRunner.h"
#include "app/views/MediaView.h"
#include "data/model/MediaUtils.h"
#include "data/model/ReportProperties.h"
#include "data/model/Track.h"
#include "net/lookup/HttpTransport.h"

using U = CMediaUtils;

namespace {

std::string Recorded(const char* name)
{
    return FileBytes(CString(VEMO_TEST_SOURCE_DIR) + "/data/lookup/answers/" + name);
}

std::string PngCover()
{
    QImage image(120, 180, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

const std::string kBookAnswer = R"({"ISBN:9780451526533": {"key": "/books/OL1017798M",
  "title": "The adventures of Tom Sawyer", "authors": [{"name": "Mark Twain"}], "number_of_pages": 216,
  "publishers": [{"name": "Signet Classic"}], "publish_date": "1997",
  "cover": {"large": "https://covers.openlibrary.org/b/id/295577-L.jpg"}}})";

// Answers by the first route whose part is in the address; a held route
// answers only once the request is cancelled. Anything else gets 404.
class CFakeTransport : public CHttpTransport {
public:
    void On(const std::string& part, long status, const std::string& body)
    {
        m_routes.push_back({ part, status, body });
    }
    void Hold(const std::string& part) { m_routes.push_back({ part, 0, {}, true }); }
    // Answers after a while, cancelled or not (a request stuck in the network).
    void Slowly(const std::string& part, long status, const std::string& body, int ms)
    {
        m_routes.push_back({ part, status, body, false, ms });
    }

    CHttpResponse Get(const CHttpRequest& request) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_urls.push_back(request.url);
            m_onWindowThread |= QThread::currentThread() == qApp->thread();
        }
        CHttpResponse response;
        for (const Route& route : m_routes) {
            if (request.url.find(route.part) == std::string::npos)
                continue;
            if (route.hold) {
                while (!(request.cancel && request.cancel->load()))
                    QThread::msleep(5);
                response.failure = CHttpResponse::CANCELLED;
                return response;
            }
            QThread::msleep(static_cast<unsigned long>(route.delayMs));
            response.status = route.status;
            response.body = route.body;
            return response;
        }
        response.status = 404;
        return response;
    }

    std::vector<std::string> Urls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_urls;
    }
    bool AskedOnWindowThread() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_onWindowThread;
    }

private:
    struct Route {
        std::string part;
        long status;
        std::string body;
        bool hold = false;
        int delayMs = 0;
    };
    std::vector<Route> m_routes;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_urls;
    bool m_onWindowThread = false;
};

CString Value(const CMediaItem* item, const CString& prop)
{
    CMapStringToString data;
    data.SetAt(prop, "");
    item->GetData(data);
    return data[prop];
}

// Types text into the field as a barcode scanner does: the digits, then Enter.
void Scan(CFormField* field, const QString& code)
{
    auto* line = qobject_cast<QLineEdit*>(field->Editor());
    QVERIFY(line);
    line->setFocus();
    QTest::keyClicks(line, code);
    QTest::keyClick(line, Qt::Key_Return);
}

// With VEMO_SCREENSHOT_DIR set, a picture of the window for review.
void SaveShot(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("VEMO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        window->grab().save(folder + "/" + name);
}

// Chooses a row of the chooser once it is shown (and its first cover came).
void ChooseWhenShown(int row, bool replace, QStringList* columns = nullptr)
{
    WhenShown<CLookupChooserDlg>([row, replace, columns](CLookupChooserDlg* chooser) {
        if (columns) {
            if (!QTest::qWaitFor([chooser] { return !chooser->List()->topLevelItem(0)->icon(0).isNull(); }, 5000))
                qWarning("no cover came within 5 s: the chooser's picture is taken without it");
            SaveShot(chooser, "lookup-chooser.png");
        }
        if (columns)
            for (int column = 0; column < chooser->List()->columnCount(); ++column)
                *columns << chooser->List()->topLevelItem(row)->text(column);
        chooser->Choose(row);
        chooser->SetReplace(replace);
        chooser->FillButton()->click();
    });
}

} // namespace

class TestLookup : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        m_transport = std::make_shared<CFakeTransport>();
        CLookupRunner::SetTransportForTesting(m_transport);
        m_frame = std::make_unique<CMainFrame>(m_doc.get(), m_settings.get());
        m_doc->CreateNewLibrary();
        QVERIFY(m_doc->GetLibrary());
    }
    void cleanup()
    {
        m_frame.reset();
        DeleteTopLevelDialogs();
        CLookupRunner::SetTransportForTesting(nullptr);
        m_transport.reset();
        DropDocument();
    }

    // A scanner types 13 digits and Enter into the ISBN field of a new book:
    // the search runs off the window's thread, the chooser shows the book,
    // and the chosen one fills the empty fields and brings its cover.
    void aScannedIsbnFillsANewBookWithItsCover()
    {
        m_transport->On("/api/books?bibkeys=ISBN:9780451526533", 200, kBookAnswer);
        m_transport->On("/b/id/295577-", 200, PngCover());
        CMediaView* view = Show(U::MEDIA_BOOK);
        view->NewItem();
        CMediaItem* book = view->GetCurrentItem();
        m_doc->SaveLibrary();
        QVERIFY(!m_doc->IsModified());

        QStringList columns;
        ChooseWhenShown(0, false, &columns);
        Scan(view->FindField("ISBN"), "9780451526533");
        QTRY_COMPARE_WITH_TIMEOUT(Q(book->GetTitle()), QString("The adventures of Tom Sawyer"), 15000);

        QVERIFY(!m_transport->AskedOnWindowThread());
        QCOMPARE(columns,
            QStringList(
                { "The adventures of Tom Sawyer", "Mark Twain", "1997", "Signet Classic", "Book", "Open Library" }));
        QCOMPARE(Value(book, U::MEDIA_PROP_AUTHOR), CString("Mark Twain"));
        QCOMPARE(Value(book, U::MEDIA_PROP_PAGES), CString("216"));
        QCOMPARE(Value(book, U::MEDIA_PROP_PUBLISHER), CString("Signet Classic"));
        // The form shows what the item holds, and the library is to be saved.
        QCOMPARE(view->FindField("Title")->Text(), QString("The adventures of Tom Sawyer"));
        QCOMPARE(view->FindField("Author")->Text(), QString("Mark Twain"));
        QVERIFY(m_doc->IsModified());
        QVERIFY(view->CurrentItemText().contains("Tom Sawyer"));
        // The cover is in the picture folder and is the item's picture.
        const CString picture = book->GetReportProperties()->GetImageFile();
        QVERIFY(picture.rfind(view->Lookup()->PictureDir(), 0) == 0);
        QCOMPARE(FileBytes(picture), PngCover());
        QVERIFY(m_frame->IsCommandEnabled(ID_EDIT_UNDO_LOOKUP));
        QVERIFY(!view->Lookup()->IsRunning());
        m_frame->resize(1000, 760);
        for (int tab = 0; tab < view->PageTabs()->count(); ++tab)
            if (view->PageTabs()->tabText(tab).remove('&').contains("Picture"))
                view->PageTabs()->setCurrentIndex(tab);
        SaveShot(m_frame.get(), "lookup-filled-book.png");
    }

    // Only empty fields are filled unless Replace is ticked; undo puts back
    // what the fill changed, in one step, and only while nothing else did.
    void replaceAndUndo_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("empty fields only") << false;
        QTest::newRow("replace") << true;
    }
    void replaceAndUndo()
    {
        QFETCH(bool, replace);
        m_transport->On("/api/books", 200, kBookAnswer);
        CMediaView* view = Show(U::MEDIA_BOOK);
        view->NewItem();
        CMediaItem* book = view->GetCurrentItem();
        CMapStringToString typed { { U::MEDIA_PROP_TITLE, "Tom Sawyer" }, { U::MEDIA_PROP_ISBN, "9780451526533" } };
        book->SetData(typed, true);
        const CString pages = Value(book, U::MEDIA_PROP_PAGES);
        view = Show(U::MEDIA_BOOK);

        ChooseWhenShown(0, replace);
        m_frame->OnCommand(ID_EDIT_LOOKUP);
        QTRY_COMPARE_WITH_TIMEOUT(Value(book, U::MEDIA_PROP_AUTHOR), CString("Mark Twain"), 15000);
        QCOMPARE(Q(book->GetTitle()), replace ? QString("The adventures of Tom Sawyer") : QString("Tom Sawyer"));
        QCOMPARE(view->FindField("Title")->Text(), Q(book->GetTitle()));

        QVERIFY(m_frame->IsCommandEnabled(ID_EDIT_UNDO_LOOKUP));
        m_frame->OnCommand(ID_EDIT_UNDO_LOOKUP);
        QCOMPARE(Q(book->GetTitle()), QString("Tom Sawyer"));
        QCOMPARE(Value(book, U::MEDIA_PROP_AUTHOR), CString());
        QCOMPARE(Value(book, U::MEDIA_PROP_PAGES), pages);
        QCOMPARE(view->FindField("Author")->Text(), QString());
        QVERIFY(!m_frame->IsCommandEnabled(ID_EDIT_UNDO_LOOKUP));

        // An edit after a fill leaves nothing to undo: undo would lose it.
        ChooseWhenShown(0, replace);
        m_frame->OnCommand(ID_EDIT_LOOKUP);
        QTRY_VERIFY_WITH_TIMEOUT(m_frame->IsCommandEnabled(ID_EDIT_UNDO_LOOKUP), 15000);
        auto* pagesField = qobject_cast<QLineEdit*>(view->FindField("Pages")->Editor());
        pagesField->setFocus();
        pagesField->selectAll();
        QTest::keyClicks(pagesField, "300");
        QVERIFY(view->TakeOver());
        QVERIFY(!m_frame->IsCommandEnabled(ID_EDIT_UNDO_LOOKUP));
    }

    // A CD by its barcode: the release's tracks on both discs come in, and
    // undo takes them out again.
    void aBarcodeBringsTheTracksOfARelease()
    {
        m_transport->On("/ws/2/release?query=", 200, Recorded("musicbrainz-search-barcode.json"));
        m_transport->On("/ws/2/release/", 200, Recorded("musicbrainz-release-multidisc.json"));
        CMediaView* view = Show(U::MEDIA_CD);
        view->NewItem();
        CMediaItem* cd = view->GetCurrentItem();
        ChooseWhenShown(0, false);
        Scan(view->FindField("Jacket Number"), "724384960650");
        QTRY_COMPARE_WITH_TIMEOUT(cd->GetSubItemCount(), 5, 20000);
        QVERIFY(m_transport->Urls().front().find("barcode") != std::string::npos);
        QVERIFY(!Value(cd, U::MEDIA_PROP_ARTIST).empty());
        QStringList titles;
        for (POSITION pos = cd->GetHeadSubItem(); pos;)
            titles << Q(CString(static_cast<const CTrack*>(cd->GetNextSubItem(pos))->GetTitle()));
        QVERIFY(titles.contains("Comfortably Numb"));

        view->UndoLookUp();
        QCOMPARE(cd->GetSubItemCount(), 0);
        QCOMPARE(Value(cd, U::MEDIA_PROP_ARTIST), CString());
    }

    // A chooser closed while its covers are still on the way, then a second
    // look-up: the second chooser gets its covers once the first fetch ends.
    void aLaterChooserGetsItsCoversAfterAnEarlierFetch()
    {
        m_transport->On("/api/books?bibkeys=ISBN:9780451526533", 200, kBookAnswer);
        m_transport->Slowly("/b/id/295577-", 200, PngCover(), 1500);
        CMediaView* view = Show(U::MEDIA_BOOK);
        view->NewItem();
        auto coverAsked = [this] {
            const std::vector<std::string> urls = m_transport->Urls();
            return std::any_of(urls.begin(), urls.end(),
                [](const std::string& url) { return url.find("/b/id/") != std::string::npos; });
        };
        WhenShown<CLookupChooserDlg>([&coverAsked](CLookupChooserDlg* chooser) {
            QVERIFY(QTest::qWaitFor(coverAsked, 3000));
            chooser->reject();
        });
        Scan(view->FindField("ISBN"), "9780451526533");
        QTRY_VERIFY(!view->Lookup()->IsRunning());
        bool covered = false;
        WhenShown<CLookupChooserDlg>(
            [&covered](CLookupChooserDlg* chooser) {
                covered
                    = QTest::qWaitFor([chooser] { return !chooser->List()->topLevelItem(0)->icon(0).isNull(); }, 5000);
                chooser->reject();
            },
            500);
        view->LookUp();
        QTRY_VERIFY_WITH_TIMEOUT(covered, 8000);
    }

    // Cancel while the service has not answered: the look-up ends at once
    // and nothing changes; a failed answer is told and changes nothing.
    void cancelAndFailuresChangeNothing()
    {
        m_transport->Hold("/api/books");
        CMediaView* view = Show(U::MEDIA_BOOK);
        view->NewItem();
        CMediaItem* book = view->GetCurrentItem();
        m_doc->SaveLibrary();
        Scan(view->FindField("ISBN"), "0451526538");
        QTRY_VERIFY(view->Lookup()->Progress() && view->Lookup()->Progress()->isVisible());
        QVERIFY(!m_frame->IsCommandEnabled(ID_EDIT_LOOKUP));
        view->Lookup()->Progress()->findChild<QPushButton*>()->click();
        QTRY_VERIFY(m_frame->IsCommandEnabled(ID_EDIT_LOOKUP));
        QCOMPARE(m_box->Count(), 0);

        auto broken = std::make_shared<CFakeTransport>();
        broken->On("/api/books", 500, "<html>oops</html>");
        CLookupRunner::SetTransportForTesting(broken);
        view->LookUp();
        QTRY_COMPARE_WITH_TIMEOUT(m_box->Count(), 1, 15000);
        QVERIFY2(m_box->LastText().contains("HTTP status 500"), qPrintable(m_box->LastText()));
        QCOMPARE(Q(book->GetTitle()), QString());
        QCOMPARE(Value(book, U::MEDIA_PROP_ISBN), CString("0451526538"));
        QVERIFY(!m_frame->IsCommandEnabled(ID_EDIT_UNDO_LOOKUP));
    }

    // A form no source can answer tells why instead of asking anyone.
    void whatCannotBeLookedUpIsTold_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("sources");
        QTest::addColumn<QString>("said");
        QTest::newRow("book, Open Library off") << int(U::MEDIA_BOOK) << "musicbrainz,omdb"
                                                << "No look-up source that is on can find Books by title";
        QTest::newRow("film without a key") << int(U::MEDIA_DVD) << "omdb"
                                            << "OMDb API key";
        QTest::newRow("game without a key") << int(U::MEDIA_VIDEOGAME) << "openlibrary,omdb"
                                            << "OMDb API key";
        // A misread scan is not searched as a title.
        QTest::newRow("wrong check digit") << int(U::MEDIA_BOOK) << "openlibrary"
                                           << "\"9780451526534\" is no valid ISBN or barcode";
    }
    void whatCannotBeLookedUpIsTold()
    {
        QFETCH(int, type);
        QFETCH(QString, sources);
        QFETCH(QString, said);
        CLookupOptions options;
        CString error;
        QVERIFY(CLookupOptions::ParseSourceList(sources.toStdString(), options.sources, error));
        m_settings->SetLookupOptions(options);
        CMediaView* view = Show(type);
        QVERIFY(view->FindButton("Look up"));
        view->NewItem();
        if (said.contains("no valid ISBN")) {
            Scan(view->FindField("ISBN"), "9780451526534");
        } else {
            view->FindField("Title")->SetText("Alien");
            view->FindButton("Look up")->click();
        }
        QCOMPARE(m_box->Count(), 1);
        QVERIFY2(m_box->LastText().contains(said), qPrintable(m_box->LastText()));
        QVERIFY(m_transport->Urls().empty());
        // Types without a look-up have no button.
        QVERIFY(!Show(U::MEDIA_MAGAZINE)->FindButton("Look up"));
    }

    // The Settings dialog orders the sources, turns them on and off and
    // takes the film key; the next look-up uses them.
    void settingsChooseTheSources()
    {
        CSettingsDlg dlg(*m_settings);
        QListWidget* list = dlg.SourceList();
        QCOMPARE(list->count(), 3);
        list->setCurrentRow(2); // omdb
        dlg.MoveSource(-1);
        dlg.MoveSource(-1);
        list->item(2)->setCheckState(Qt::Unchecked); // musicbrainz
        dlg.FilmKeyBox()->setText(" abc123 ");
        QVERIFY(dlg.OkButton()->isEnabled());
        dlg.accept();
        const CLookupOptions& options = m_settings->GetLookupOptions();
        QCOMPARE(options.sources, (std::vector<CString> { "omdb", "openlibrary" }));
        QCOMPARE(options.filmApiKey, CString("abc123"));
        QVERIFY(CLookupRunner::Service(options)->FindSource("omdb")->IsAvailable());
        QVERIFY(!CLookupRunner::Service(options)->FindSource("musicbrainz"));
    }

private:
    CMediaView* Active() const { return ActiveMediaView(*m_frame); }
    CMediaView* Show(int type) { return ShowMediaView(*m_frame, type); }

    std::shared_ptr<CFakeTransport> m_transport;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(TestLookup)
#include "test_lookup.moc"
