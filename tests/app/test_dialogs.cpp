// The library dialogs: name checks of Copy and Rename in their order and
// with their messages, the Rename OK button, the Delete options and the
// Restore confirmation.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/dialogs/LibraryCopyDlg.h"
#include "app/dialogs/LibraryDeleteDlg.h"
#include "app/dialogs/LibraryNameCheck.h"
#include "app/dialogs/LibraryRenameDlg.h"
#include "app/dialogs/LibraryRestoreDlg.h"
#include "app/dialogs/NotAvailableDlg.h"
#include "data/session/LibraryNames.h"
#include "platform/appcfg/DataFileMgmt.h"
#include "platform/util/Clock.h"

namespace {

const QString kExists = "A Library by this name already exists. Library names are not case-sensitive. Please enter "
                        "a different name.";
const QString kBlank = "A Library name cannot be blank.";
const QString kBadChars = "VemoLibrary uses the Library name as the physical data file name. The following "
                          "characters are not allowed under the Windows operating system:\n\n\\\t/\t:\t*\t?\t\"\t<\t>"
                          "\t|\n\nPlease enter a different name.";
const QString kReserved
    = "The Library name is a reserved name and cannot be used. Please change the name to something different.";

CStringArray Existing()
{
    return CStringArray { "Coins", "Stamps" };
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void init() { m_box = std::make_unique<CTestMessageBox>(); }
    void cleanup() { m_box.reset(); }

    void renameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("loaded name in capitals") << "STAMPS" << kExists;
        QTest::newRow("other library, other case") << "coins" << kExists;
        QTest::newRow("only white space") << " \t " << kBlank;
        for (QChar bad : QString("\\/:*?\"<>|"))
            QTest::addRow("with %c", bad.toLatin1()) << QString("Odd%1Name").arg(bad) << kBadChars;
        QTest::newRow("reserved in capitals") << "VEMOLIBRARY2" << kReserved;
        QTest::newRow("good") << "Postage" << QString();
    }
    void renameChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        CLibraryRenameDlg dlg("Stamps", Existing());
        dlg.NameEdit()->setText(name);
        dlg.accept();
        if (message.isEmpty()) {
            QCOMPARE(m_box->Count(), 0);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.GetNewName(), name.toStdString());
            return;
        }
        QCOMPARE(m_box->Count(), 1);
        QCOMPARE(m_box->LastTitle(), QString("Rename Library"));
        QCOMPARE(m_box->LastText(), message);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void copyChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("existing, other case") << "sTaMpS" << kExists;
        QTest::newRow("empty") << "" << kBlank;
        QTest::newRow("blank") << "   " << kBlank;
        QTest::newRow("colon") << "a:b" << kBadChars;
        // The dialogs apply the tool's rules too: the reserved name in any
        // case, control characters and a leading dot.
        QTest::newRow("reserved name") << "VemoLibrary2" << kReserved;
        QTest::newRow("tab") << "a\tb" << QString::fromStdString(CLibraryNames::CONTROL_MESSAGE);
        QTest::newRow("leading dot") << ".hidden" << QString::fromStdString(CLibraryNames::LEADING_DOT_MESSAGE);
        QTest::newRow("good") << "Postage" << QString();
    }
    void copyChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        CLibraryCopyDlg dlg("Stamps", Existing());
        dlg.NameEdit()->setText(name);
        dlg.accept();
        QCOMPARE(m_box->Count(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(m_box->LastTitle(), QString("Copy Library"));
            QCOMPARE(m_box->LastText(), message);
        }
        QCOMPARE(dlg.result(), int(message.isEmpty() ? QDialog::Accepted : QDialog::Rejected));
    }

    void copyStartsWithTheCopyNameAndStays()
    {
        CLibraryCopyDlg dlg("Stamps", Existing());
        QCOMPARE(dlg.GetNewName(), CString("copy of Stamps"));
        QVERIFY(!dlg.GetLoadCopy());
        dlg.LoadCopyOption()->setChecked(true);
        QVERIFY(dlg.GetLoadCopy());
    }

    void renameOkNeedsADifferentName()
    {
        CLibraryRenameDlg dlg("Stamps", Existing());
        QVERIFY(!dlg.OkButton()->isEnabled());
        dlg.NameEdit()->setText("stamps");
        QVERIFY(!dlg.OkButton()->isEnabled());
        dlg.NameEdit()->setText("Postage");
        QVERIFY(dlg.OkButton()->isEnabled());
        dlg.NameEdit()->setText("");
        QVERIFY(!dlg.OkButton()->isEnabled());
    }

    void deleteAsksAboutArchivesOnlyWhenThereAreSome()
    {
        CLibraryDeleteDlg none("Stamps", 0);
        QVERIFY(!none.AsksAboutArchives());
        QVERIFY(!none.GetPreserve());
        QVERIFY(!none.GetDeleteArchives());
        CLibraryDeleteDlg some("Stamps", 3);
        QVERIFY(some.GetPreserve());
        QVERIFY(!some.GetDeleteArchives());
        some.DeleteOption()->setChecked(true);
        QVERIFY(!some.GetPreserve());
        QVERIFY(some.GetDeleteArchives());
        QCOMPARE(CLibraryDeleteDlg::QuestionText("Stamps"),
            QString("VemoLibrary is about to permanently delete the Library \"Stamps\". All data in this Library "
                    "will be lost! Continue?"));
    }

    void restoreOfTheLoadedLibraryAsksOnceMore()
    {
        CTestHome home;
        CDataFileMgmt archives(home.DataDir(), 10);
        QVERIFY(CFileUtils::WriteFileAtomic(home.LibraryPath("Stamps"), "stamps"));
        QVERIFY(CFileUtils::WriteFileAtomic(home.LibraryPath("Coins"), "coins"));
        QVERIFY(archives.BackupDataFile("Stamps.vly"));
        QVERIFY(archives.BackupDataFile("Coins.vly"));
        CLibraryRestoreDlg dlg(archives, "Stamps", CClock::Now(), Existing());
        QCOMPARE(dlg.List()->count(), 2);
        QVERIFY(!dlg.OkButton()->isEnabled());
        QVERIFY(dlg.List()->selectedItems().isEmpty());

        int stampsRow = dlg.List()->item(0)->text().startsWith("Stamps") ? 0 : 1;
        dlg.List()->setCurrentRow(stampsRow);
        QVERIFY(dlg.OkButton()->isEnabled());
        m_box->SetNextAnswer(CMessageBox::No);
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(m_box->LastTitle(), QString("Restore Library"));
        QCOMPARE(m_box->LastText(), CLibraryRestoreDlg::CONFIRM_TEXT);
        QVERIFY(m_box->LastText().endsWith("Continue?\n\n           ...last chance!"));

        m_box->SetNextAnswer(CMessageBox::Yes);
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(CDataFileMgmt::GetDataFileTitle(dlg.GetArchiveFile()), CString("Stamps"));

        // Another library's archive needs no confirmation here; the
        // document asks before it replaces that library.
        CLibraryRestoreDlg other(archives, "Stamps", CClock::Now(), Existing());
        QVERIFY(other.List()->item(1 - stampsRow)->text().endsWith("will REPLACE Library \"Coins\""));
        m_box->Clear();
        other.List()->setCurrentRow(1 - stampsRow);
        other.accept();
        QCOMPARE(m_box->Count(), 0);
        QCOMPARE(other.result(), int(QDialog::Accepted));
    }

    void missingFeaturesSaySo()
    {
        CNotAvailableDlg::Show(nullptr, "&Search...\tCtrl+F");
        QCOMPARE(m_box->LastTitle(), QString("Search"));
        QVERIFY(m_box->LastText().contains("not there yet"));
        QCOMPARE(CNotAvailableDlg::CleanCommandText("&Q&&A"), QString("Q&A"));
    }

private:
    std::unique_ptr<CTestMessageBox> m_box;
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
