// A library file named on the command line or handed over by a second
// start: one of the data folder opens, one from elsewhere is copied in
// only when the user agrees, a library of the same name is replaced only
// after a second yes and keeps an archive copy, and bad files are said.

#include <QtTest>

#include "DocumentTestBase.h"
#include "data/model/MediaItem.h"
#include "data/session/LibraryNames.h"
#include "data/store/Library.h"

namespace {

QString FirstBookTitle(const CLibrary* library)
{
    POSITION pos = library ? library->GetHeadItem(1) : nullptr;
    return pos ? Q(library->GetNextItem(1, pos)->GetTitle()) : QString();
}

} // namespace

class TestOpenFile : public QObject, private CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        QVERIFY(m_outside.isValid());
        WriteLibraryFile(m_home->LibraryPath("Stamps"), "Stamps", { "Penny Black" });
        WriteLibraryFile(m_home->LibraryPath("Books"), "Books", { "Dune" });
        m_settings->RefreshLibraryList();
        m_doc->OpenLibrary("Stamps", false);
    }
    void cleanup() { DropDocument(); }

    void aLibraryOfTheDataFolderOpensWithoutQuestions()
    {
        QVERIFY(m_doc->OpenLibraryFile(Q(m_home->LibraryPath("Books"))));
        QCOMPARE(m_doc->GetLibraryName(), CString("Books"));
        QVERIFY(m_doc->OpenLibraryFile(Q(m_home->LibraryPath("Books"))));
        QCOMPARE(m_box->Count(), 0);
    }

    void aFileFromElsewhereIsCopiedInWhenTheUserAgrees_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("title");
        const QList<int> yes { CMessageBox::Yes }, no { CMessageBox::No };
        const QList<int> yesYes { CMessageBox::Yes, CMessageBox::Yes }, yesNo { CMessageBox::Yes, CMessageBox::No };
        QTest::newRow("new, yes") << "Our Music.vly" << yes << 1 << true << "Our Music"
                                  << "Kind of Blue";
        QTest::newRow("new, no") << "Our Music.vly" << no << 1 << false << "Stamps"
                                 << "Penny Black";
        // A library of the same name (in another case) keeps its spelling.
        QTest::newRow("same name, yes, yes") << "BOOKS.vly" << yesYes << 2 << true << "Books"
                                             << "Kind of Blue";
        QTest::newRow("same name, yes, no") << "BOOKS.vly" << yesNo << 2 << false << "Stamps"
                                            << "Penny Black";
        QTest::newRow("the loaded one, yes, yes") << "stamps.vly" << yesYes << 2 << true << "Stamps"
                                                  << "Kind of Blue";
    }
    void aFileFromElsewhereIsCopiedInWhenTheUserAgrees()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        QFETCH(bool, opened);
        QFETCH(QString, library);
        QFETCH(QString, title);
        const QString path = m_outside.filePath(file);
        WriteLibraryFile(path.toStdString(), "x", { "Kind of Blue" });
        for (int answer : answers)
            m_box->SetNextAnswer(static_cast<CMessageBox::Answer>(answer));
        const int archivesBefore = m_doc->GetDataFileMgmt().GetArchivesCount(library.toStdString());

        QCOMPARE(m_doc->OpenLibraryFile(path), opened);
        QCOMPARE(m_box->Count(), questions);
        QCOMPARE(Q(m_doc->GetLibraryName()), library);
        QCOMPARE(FirstBookTitle(m_doc->GetLibrary()), title);
        QVERIFY(QFile::exists(path));
        m_settings->RefreshLibraryList();
        QCOMPARE(m_settings->GetLibraryCount(), opened && questions == 1 ? 3 : 2);
        // What was replaced was archived first (and the load archived again).
        if (opened && questions == 2)
            QVERIFY(m_doc->GetDataFileMgmt().GetArchivesCount(library.toStdString()) >= archivesBefore + 2);
    }

    void badFilesAreSaidAndChangeNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "Gone.vly" << QByteArray() << "there is no such file";
        QTest::newRow("not a library") << "notes.txt" << QByteArray("text") << "is not a VemoLibrary Library file";
        QTest::newRow("bad name") << "a:b.vly" << QByteArray("x")
                                  << QString::fromStdString(CLibraryNames::BAD_CHARS_MESSAGE);
        QTest::newRow("reserved name") << "VemoLibrary2.vly" << QByteArray("x")
                                       << QString::fromStdString(CLibraryNames::RESERVED_MESSAGE);
    }
    void badFilesAreSaidAndChangeNothing()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = m_outside.filePath(file);
        if (!bytes.isEmpty()) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        }
        QVERIFY(!m_doc->OpenLibraryFile(path));
        QCOMPARE(m_box->Count(), 1);
        QVERIFY2(m_box->LastText().contains(message), qPrintable(m_box->LastText()));
        QCOMPARE(m_doc->GetLibraryName(), CString("Stamps"));
        m_settings->RefreshLibraryList();
        QCOMPARE(m_settings->GetLibraryCount(), 2);
    }

    void aDamagedFileGetsTheUsualReadProblem()
    {
        const QString path = m_outside.filePath("Broken.vly");
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write("\x02\x00\x01\x00garbage", 11) == 11);
        out.close();
        m_box->SetNextAnswer(CMessageBox::Yes);
        QVERIFY(!m_doc->OpenLibraryFile(path));
        QCOMPARE(m_box->LastTitle(), QString("VemoLibrary Data File Problem"));
        QCOMPARE(m_box->LastText(), QString("VemoLibrary was unable to read the Library data file."));
        // Like any library that cannot be read, it is not written over.
        QVERIFY(m_doc->LoadFailed());
    }

private:
    QTemporaryDir m_outside;
};

QTEST_MAIN(TestOpenFile)
#include "test_openfile.moc"
