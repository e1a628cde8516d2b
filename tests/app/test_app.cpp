// Start-up and exit as a user meets them: a first start on an empty data
// directory, a second start where the first left off, the templates, the
// splash texts and the hand-over to a running copy.

#include <QSignalSpy>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "app/SplashWindow.h"
#include "app/VemoLibraryApp.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/MediaView.h"
#include "data/model/MediaUtils.h"
#include "platform/appcfg/TemplateInstaller.h"
#include "platform/util/Clock.h"

class TestApp : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<CTestHome>();
        m_box = std::make_unique<CTestMessageBox>();
    }
    void cleanup()
    {
        m_box.reset();
        m_home.reset();
        CClock::ResetForTesting();
    }

    void firstStartCreatesAndShowsMyLibrary()
    {
        CClock::SetNowForTesting(COleDateTime(2024, 5, 1, 9, 0, 0));
        CVemoLibraryApp app("/opt/vemo/bin/");
        app.SetSingleInstanceCheck(false);
        QVERIFY(app.InitInstance());
        QVERIFY(app.IsFirstRun());
        QCOMPARE(m_box->Count(), 0);
        CVemoLibraryDoc* doc = app.GetDocument();
        QCOMPARE(doc->GetLibraryName(), CString("My Library"));
        QCOMPARE(doc->GetLibrary()->GetNotes(), CString("This Library was created on 2024-05-01."));
        QVERIFY(CFileUtils::DoesFileExist(m_home->LibraryPath("My Library")));
        QCOMPARE(app.GetMainFrame()->GetMediaTypeOnScreen(), CMediaUtils::MEDIA_BOOK);
        QCOMPARE(app.GetMainFrame()->windowTitle(), QString("My Library"));
        auto* view = qobject_cast<CMediaView*>(app.GetMainFrame()->GetActiveView());
        QVERIFY(view);
        QCOMPARE(QString(view->metaObject()->className()), QString("CBookView"));
        // The splash said welcome and went when the first view came.
        QVERIFY(!app.GetSplash());
        app.ExitInstance();
        QVERIFY(CFileUtils::DoesFileExist(CAppPaths::SettingsFile()));
    }

    void aSecondStartContinuesWhereTheFirstLeftOff()
    {
        CClock::SetNowForTesting(COleDateTime(2024, 5, 1, 9, 0, 0));
        {
            CVemoLibraryApp app("/opt/vemo/bin/");
            app.SetSingleInstanceCheck(false);
            QVERIFY(app.InitInstance());
            app.GetDocument()->CreateNewLibrary();
            QCOMPARE(app.GetDocument()->GetLibraryName(), CString("My Library #2"));
            app.GetMainFrame()->OnCommand(MediaTypeCommand(CMediaUtils::MEDIA_CD));
            app.GetMainFrame()->close();
            app.ExitInstance();
        }
        CClock::SetNowForTesting(COleDateTime(2024, 5, 4, 9, 0, 0));
        CVemoLibraryApp app("/opt/vemo/bin/");
        app.SetSingleInstanceCheck(false);
        QVERIFY(app.InitInstance());
        QVERIFY(!app.IsFirstRun());
        QCOMPARE(app.GetDocument()->GetLibraryName(), CString("My Library #2"));
        QCOMPARE(app.GetMainFrame()->GetMediaTypeOnScreen(), CMediaUtils::MEDIA_CD);
        QCOMPARE(app.GetSettings()->GetLibraryCount(), 2);
        app.ExitInstance();
    }

    void splashTexts()
    {
        COleDateTime now(2024, 5, 4, 9, 0, 0);
        QCOMPARE(CSplashWindow::Message(true, COleDateTime(2024, 5, 1, 9, 0, 0), now), QString("Welcome!"));
        QCOMPARE(CSplashWindow::Message(false, COleDateTime::Null(), now), QString("Welcome!"));
        QString text = CSplashWindow::Message(false, COleDateTime(2024, 5, 1, 9, 0, 0), now);
        QCOMPARE(text, QString("last run 3 days ago"));
        CSplashWindow splash(false, COleDateTime(2024, 5, 1, 9, 0, 0), now);
        splash.ShowAt(QRect(0, 0, 737, 583));
        QVERIFY(splash.isVisible());
        QTest::mouseClick(&splash, Qt::LeftButton);
        QVERIFY(!splash.isVisible());
    }

    void templatesAreCopiedWithoutReplacingTheUsers()
    {
        QTemporaryDir shipped;
        const CString from = shipped.path().toStdString();
        QVERIFY(CDirUtils::CreateDir(from + "/images"));
        QVERIFY(CFileUtils::WriteFileAtomic(from + "/index.htm", "shipped index"));
        QVERIFY(CFileUtils::WriteFileAtomic(from + "/item.htm", "shipped item"));
        QVERIFY(CFileUtils::WriteFileAtomic(from + "/images/logo.png", "png"));
        const CString to = CAppPaths::TemplatesDir();
        QVERIFY(CFileUtils::WriteFileAtomic(to + "index.htm", "the user's own"));
        QCOMPARE(CTemplateInstaller::CopyMissing(from, to), 2);
        QCOMPARE(FileBytes(to + "index.htm"), std::string("the user's own"));
        QCOMPARE(FileBytes(to + "item.htm"), std::string("shipped item"));
        QCOMPARE(FileBytes(to + "images/logo.png"), std::string("png"));
        QCOMPARE(CTemplateInstaller::CopyMissing(from, to), 0);
        QCOMPARE(CTemplateInstaller::CopyMissing(from + "/missing", to), -1);
    }

    void aSecondCopyHandsOverToTheFirst()
    {
        const QString key = QString::fromStdString(m_home->DataDir());
        CSingleInstance first(key);
        QVERIFY(first.Start());
        QSignalSpy activated(&first, &CSingleInstance::Activated);
        CSingleInstance second(key);
        QVERIFY(!second.Start());
        QVERIFY(activated.wait(3000));
        QCOMPARE(activated.last().at(0).toStringList(), QStringList());
        // Files travel whole, whatever characters their names hold.
        const QStringList files { "/home/me/Our Music.vly", "/tmp/50% off\\n\u00fc.vly", "/tmp/line\nbreak.vly" };
        CSingleInstance third(key);
        QVERIFY(!third.Start(files));
        QVERIFY(activated.wait(3000));
        QCOMPARE(activated.last().at(0).toStringList(), files);
        CSingleInstance other(key + "elsewhere");
        QVERIFY(other.Start());
    }

private:
    std::unique_ptr<CTestHome> m_home;
    std::unique_ptr<CTestMessageBox> m_box;
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
