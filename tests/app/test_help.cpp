// The help commands: each opens its section of the user guide, F1 the
// section of the window in front, What's This, the mail and web commands
// and what they say when they cannot; the help window's own controls.

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTextBrowser>
#include <QWhatsThis>
#include <QtTest>

#include "AppDialogDriver.h"
#include "DocumentTestBase.h"
#include "ProductInfo.h"
#include "app/CommandIds.h"
#include "app/HelpController.h"
#include "app/HelpTopics.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/dialogs/CategoryDlg.h"
#include "app/views/View.h"
#include "app/views/ViewFactory.h"
#include "data/model/MediaUtils.h"

namespace {

// A dialog the guide has no section for.
class CUnlistedDlg : public QDialog {
    Q_OBJECT
};

// A media view class that is not written yet.
class CUnlistedView : public CView {
    Q_OBJECT

public:
    CUnlistedView()
        : CView(nullptr, 0)
    {
    }
};

QString SectionShown(CMainFrame& frame)
{
    CHelpWindow* window = frame.GetHelp()->GetHelpWindow();
    return window && window->isVisible() ? window->CurrentSection() : QString();
}

} // namespace

class TestHelp : public QObject, private CDocumentTestBase {
    Q_OBJECT

private slots:
    void initTestCase() { CHelpTopics::SetGuideDirForTesting(VEMO_GUIDE_BUILD_DIR); }
    void init()
    {
        MakeDocument();
        m_frame = std::make_unique<CMainFrame>(m_doc.get(), m_settings.get());
        m_opened.clear();
        m_openFails = false;
        CMainFrame::SetUrlOpenerForTesting([this](const QString& url, QString& reason) {
            m_opened << url;
            reason = "no program";
            return !m_openFails;
        });
    }
    void cleanup()
    {
        CMainFrame::SetUrlOpenerForTesting({});
        m_frame.reset();
        DropDocument();
        CHelpTopics::SetGuideDirForTesting(VEMO_GUIDE_BUILD_DIR);
    }

    void everySectionTheProgramOpensIsInTheGuide()
    {
        for (const QString& section : CHelpTopics::AllSections()) {
            QFile page(QString(VEMO_GUIDE_BUILD_DIR) + "/" + section.section('#', 0, 0));
            QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(section));
            const QString anchor = section.section('#', 1);
            if (!anchor.isEmpty())
                QVERIFY2(page.readAll().contains(QString("name=\"%1\"").arg(anchor).toUtf8()), qPrintable(section));
        }
    }

    void helpCommandsOpenTheirSections_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("section");
        QTest::newRow("overview") << ID_HOWTO_OVERVIEW << "getting-started.html#main-window";
        QTest::newRow("add a library") << ID_HOWTO_ADD_LIBRARY << "libraries.html#new-library";
        QTest::newRow("select media types") << ID_HOWTO_SELECT_MEDIA << "getting-started.html#select-media-types";
        QTest::newRow("data entry") << ID_HOWTO_DATA_ENTRY << "items.html";
        QTest::newRow("printed reports") << ID_HOWTO_PRINTED_REPORTS << "printed-reports.html";
        QTest::newRow("web reports") << ID_HOWTO_WEB_REPORTS << "web-reports.html";
        QTest::newRow("Q&A") << ID_HOWTO_QA << "questions.html";
        QTest::newRow("more info") << ID_MORE_INFO << "index.html";
        QTest::newRow("history") << ID_HISTORY << "history.html";
        // F1 with no library: the view without a media type.
        QTest::newRow("F1") << ID_HELP << "getting-started.html#main-window";
    }
    void helpCommandsOpenTheirSections()
    {
        QFETCH(int, id);
        QFETCH(QString, section);
        m_frame->OnCommand(id);
        QCOMPARE(SectionShown(*m_frame), section);
        QCOMPARE(m_box->Count(), 0);
    }

    void f1OpensTheSectionOfTheViewInFront_data()
    {
        QTest::addColumn<int>("mediaType");
        QTest::addColumn<QString>("section");
        QTest::newRow("books") << int(CMediaUtils::MEDIA_BOOK) << "items-print.html#books";
        QTest::newRow("CDs") << int(CMediaUtils::MEDIA_CD) << "items-audio.html#cds";
        QTest::newRow("DVDs") << int(CMediaUtils::MEDIA_DVD) << "items-video.html#dvds";
        QTest::newRow("video tapes") << int(CMediaUtils::MEDIA_VIDEOTAPE) << "items-recordable.html#video-tapes";
        QTest::newRow("video games") << int(CMediaUtils::MEDIA_VIDEOGAME) << "items-software.html#video-games";
    }
    void f1OpensTheSectionOfTheViewInFront()
    {
        QFETCH(int, mediaType);
        QFETCH(QString, section);
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps");
        m_settings->RefreshLibraryList();
        m_doc->OpenLibrary("Stamps", false);
        m_frame->SwitchView(mediaType);
        m_frame->OnCommand(ID_HELP);
        QCOMPARE(SectionShown(*m_frame), section);
    }

    void everyMediaTypeHasItsOwnSection()
    {
        QSet<QString> sections;
        for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
            sections << CHelpTopics::SectionForName(CViewFactory::ViewClassName(type));
        QCOMPARE(sections.size(), CMediaUtils::MEDIA_TYPE_IDLAST);
        QVERIFY(!sections.contains(QString()));
    }

    void windowsFallBackToAChapterOfTheirKind()
    {
        CUnlistedDlg dialog;
        QCOMPARE(CHelpTopics::SectionForWidget(&dialog), CHelpTopics::HOME_PAGE);
        CUnlistedView view;
        QCOMPARE(CHelpTopics::SectionForWidget(&view), QString("items.html"));
        dialog.setObjectName("CCategoryDlg");
        QCOMPARE(CHelpTopics::SectionForWidget(&dialog), QString("categories.html"));
    }

    // F1 in a page below a view's fields opens the page's section; a part
    // that is not listed leaves it to the view.
    void f1InAPageOpensItsSection_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("section");
        QTest::newRow("lending") << "CCheckOutPage"
                                 << "lending.html#lending-an-item";
        QTest::newRow("sub-items") << "CSubItemsPage"
                                   << "items.html#sub-items";
        QTest::newRow("custom values") << "CCustomFieldsPage"
                                       << "custom-fields.html#values";
        QTest::newRow("unlisted") << "fieldsBox"
                                  << "getting-started.html#main-window";
    }
    void f1InAPageOpensItsSection()
    {
        QFETCH(QString, part);
        QFETCH(QString, section);
        QWidget* view = m_frame->GetActiveView();
        QVERIFY(view);
        auto* page = new QWidget(view);
        page->setObjectName(part);
        auto* field = new QLineEdit(page);
        m_frame->show();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        field->setFocus();
        QCOMPARE(QApplication::focusWidget(), field);
        m_frame->OnCommand(ID_HELP);
        QCOMPARE(SectionShown(*m_frame), section);
        // Not past the view: a page outside any view is not one of its parts.
        QCOMPARE(CHelpTopics::SectionForFocus(field, field), QString());
    }

    void f1InADialogOpensItsSection()
    {
        CCategoryDlg dialog({}, m_frame.get());
        QString shown;
        WhenShown<QDialog>([&](QDialog* dlg) {
            QTest::keyClick(dlg, Qt::Key_F1);
            shown = SectionShown(*m_frame);
            // The guide is usable over the modal dialog.
            QCOMPARE(m_frame->GetHelp()->GetHelpWindow()->windowModality(), Qt::ApplicationModal);
            m_frame->GetHelp()->GetHelpWindow()->close();
        });
        dialog.exec();
        QCOMPARE(shown, QString("categories.html"));
    }

    void contextStartsWhatsThisOverTheMainWindow()
    {
        QVERIFY(!m_frame->FindAction(ID_CONTEXT_HELP)->whatsThis().isEmpty());
        QVERIFY(!m_frame->GetEntriesPane()->whatsThis().isEmpty());
        m_frame->OnCommand(ID_CONTEXT_HELP);
        QVERIFY(QWhatsThis::inWhatsThisMode());
        QWhatsThis::leaveWhatsThisMode();
    }

    void mailAndWebCommands_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("url");
        QTest::newRow("tech support")
            << ID_TECH_SUPPORT
            << QString("mailto:%1?subject=VemoLibrary%20Tech%20Support%20Question").arg(VEMO_SUPPORT_EMAIL);
        QTest::newRow("feedback") << ID_FEEDBACK
                                  << QString("mailto:%1?subject=VemoLibrary%20Feedback").arg(VEMO_FEEDBACK_EMAIL);
        QTest::newRow("web site") << ID_PRODUCT_WEB_SITE << QString(VEMO_WEB_SITE);
    }
    void mailAndWebCommands()
    {
        QFETCH(int, id);
        QFETCH(QString, url);
        m_frame->OnCommand(id);
        QCOMPARE(m_opened, QStringList { url });
        QCOMPARE(m_box->Count(), 0);
    }

    void commandsSaySoWhenNothingCanOpen()
    {
        m_openFails = true;
        m_frame->OnCommand(ID_PRODUCT_WEB_SITE);
        QCOMPARE(m_box->LastTitle(), QString("Failed to Launch Browser"));
        QCOMPARE(m_box->LastText(),
            QString("VemoLibrary was unable to launch your web browser. Please start your web browser and go to "
                    "%1.\n\nno program")
                .arg(VEMO_WEB_SITE));
        m_frame->OnCommand(ID_TECH_SUPPORT);
        QCOMPARE(m_box->LastTitle(), CHelpController::MAIL_FAILED_TITLE);
        QVERIFY(m_box->LastText().contains(VEMO_SUPPORT_EMAIL));
        QVERIFY(m_box->LastText().endsWith("no program"));
    }

    void aMissingGuideIsSaid()
    {
        QTemporaryDir empty;
        CHelpTopics::SetGuideDirForTesting(empty.path());
        m_frame->OnCommand(ID_MORE_INFO);
        QCOMPARE(m_box->LastText(), CHelpController::GUIDE_MISSING);
    }

    void helpWindowMovesBackForwardHomeAndFinds()
    {
        CHelpWindow window(VEMO_GUIDE_BUILD_DIR);
        QVERIFY(window.ShowSection("libraries.html#copy"));
        QVERIFY(window.ShowSection("archives.html"));
        QVERIFY(!window.ShowSection("no-such-page.html"));
        window.GetBackAction()->trigger();
        QCOMPARE(window.CurrentSection(), QString("libraries.html#copy"));
        window.GetForwardAction()->trigger();
        QCOMPARE(window.CurrentSection(), QString("archives.html"));
        window.GetHomeAction()->trigger();
        QCOMPARE(window.CurrentSection(), QString("index.html"));
        QVERIFY(window.Find("Library"));
        QVERIFY(window.GetBrowser()->textCursor().hasSelection());
        QVERIFY(!window.Find("no such words anywhere"));
        // A link to another page of the guide stays in the window.
        emit window.GetBrowser()->anchorClicked(QUrl("search.html#research"));
        QCOMPARE(window.CurrentSection(), QString("search.html#research"));
        // One out of the guide goes to the desktop.
        emit window.GetBrowser()->anchorClicked(QUrl("https://example.org/"));
        QCOMPARE(m_opened, QStringList { "https://example.org/" });
    }

private:
    std::unique_ptr<CMainFrame> m_frame;
    QStringList m_opened;
    bool m_openFails = false;
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
