// The editing windows: custom fields, library ID format, the shared lists
// (persons, publishers, magazine titles), and the printed and web report
// editors with their managers. Each OK changes the library as the command
// says and sends its hint; Cancel changes nothing. The report made in the
// editors runs, prints to PDF, publishes its pages and is there after the
// library is loaded again.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStringListModel>
#include <QTableView>
#include <QtTest>

#include "AppDialogDriver.h"
#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/dialogs/CategoryDlg.h"
#include "app/dialogs/CheckoutSettingsDlg.h"
#include "app/dialogs/CustomFieldDlg.h"
#include "app/dialogs/CustomFieldsDlg.h"
#include "app/dialogs/CustomPrintReportDlg.h"
#include "app/dialogs/CustomPrintReportsDlg.h"
#include "app/dialogs/CustomWebReportDlg.h"
#include "app/dialogs/CustomWebReportsDlg.h"
#include "app/dialogs/EditorModels.h"
#include "app/dialogs/ImportDlg.h"
#include "app/dialogs/LibraryIDSettingsDlg.h"
#include "app/dialogs/LibraryRestoreDlg.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/dialogs/MagazineDlg.h"
#include "app/dialogs/MediaSettingsDlg.h"
#include "app/dialogs/MediaTypesDlg.h"
#include "app/dialogs/PersonDlg.h"
#include "app/dialogs/PrintedReportsSettingsDlg.h"
#include "app/dialogs/ReportGridDlg.h"
#include "app/dialogs/ReportScopeWidget.h"
#include "app/dialogs/ResearchEntryDlg.h"
#include "app/dialogs/SettingsDlg.h"
#include "app/dialogs/SharedListDlgs.h"
#include "app/doc/LibraryCommands.h"
#include "app/doc/ReportWindows.h"
#include "app/views/ReportGrid.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomWebReport.h"
#include "data/model/Category.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/LibraryIDSettings.h"
#include "data/model/MagazineMgr.h"
#include "data/store/MediaTypeSelection.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "platform/appcfg/TemplateInstaller.h"

namespace {

CCustomField Field(const char* name, CFDataType type = CF_TEXT)
{
    CCustomField field;
    field.SetName(name);
    field.SetDataType(type);
    return field;
}

QStringList ColumnTexts(const QAbstractItemModel* model, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

} // namespace

class TestEditors : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        m_doc->CreateNewLibrary();
        QVERIFY(Library());
        QVERIFY(CTemplateInstaller::CopyMissing(VEMO_TEMPLATE_SOURCE_DIR, m_home->DataDir() + "Templates") > 0);
        FillLibrary();
        m_doc->SaveLibrary();
        QVERIFY(!m_doc->IsModified());
        m_hints = std::make_unique<QSignalSpy>(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
    }
    void cleanup()
    {
        m_hints.reset();
        m_doc.reset();
        DeleteTopLevelDialogs();
        DropDocument();
        CPersonMgr::DeleteInstance();
        CPublisherMgr::DeleteInstance();
        CMagazineMgr::DeleteInstance();
    }

    // ---- custom fields ------------------------------------------------

    void customFieldsOkMovesValuesWithTheirFields()
    {
        AddFields(CMediaUtils::MEDIA_CD, { "Pressing", "Shelf", "Grade" });
        SetValues(m_blue, { "first", "B2", "A" });
        SetValues(m_nevermind, { "reissue", "C7", "B" });
        WhenShown<CCustomFieldsDlg>([&](CCustomFieldsDlg* dlg) {
            QAbstractItemModelTester tester(dlg->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
            QCOMPARE(ColumnTexts(dlg->GetModel()), QStringList({ "Pressing", "Shelf", "Grade" }));
            // Deleting a field that items hold values of asks first.
            dlg->SelectRow(1);
            m_box->SetNextAnswer(CMessageBox::No);
            dlg->DeleteSelected();
            QCOMPARE(dlg->GetModel()->rowCount(), 3);
            QVERIFY(m_box->LastText().contains("Its values are deleted with it"));
            dlg->DeleteSelected();
            dlg->SelectRow(1);
            dlg->MoveSelected(-1);
            QString error;
            QVERIFY(!dlg->GetModel()->AddField(Field("grade"), error));
            QVERIFY(error.contains("exists already"));
            QVERIFY(dlg->GetModel()->AddField(Field("Signed", CF_TRUEFALSE), error));
            dlg->SetDefaultFolder("/media/scans");
            dlg->accept();
        });
        m_doc->OnCustomFields(CMediaUtils::MEDIA_CD);
        QCOMPARE(FieldNames(CMediaUtils::MEDIA_CD), QStringList({ "Grade", "Pressing", "Signed" }));
        QCOMPARE(Values(m_blue, { "Grade", "Pressing", "Signed" }), QStringList({ "A", "first", "-" }));
        QCOMPARE(Values(m_nevermind, { "Grade", "Pressing" }), QStringList({ "B", "reissue" }));
        QCOMPARE(Library()->GetPathCustomFieldDefault(), CString("/media/scans"));
        QVERIFY(m_doc->IsModified());
        QVERIFY(HintSent(CVemoLibraryDoc::HintCustomFields));
    }

    void customFieldsCancelChangesNothing()
    {
        AddFields(CMediaUtils::MEDIA_CD, { "Pressing" });
        WhenShown<CCustomFieldsDlg>([&](CCustomFieldsDlg* dlg) {
            QString error;
            QVERIFY(dlg->GetModel()->AddField(Field("Shelf"), error));
            dlg->SelectRow(0);
            dlg->DeleteSelected();
            dlg->reject();
        });
        m_doc->OnCustomFields(CMediaUtils::MEDIA_CD);
        QCOMPARE(FieldNames(CMediaUtils::MEDIA_CD), QStringList({ "Pressing" }));
        QVERIFY(!m_doc->IsModified());
        QCOMPARE(m_hints->count(), 0);
    }

    // ---- library IDs --------------------------------------------------

    void libraryIDOkRenumbersWithThePreviewAsTyped()
    {
        WhenShown<CLibraryIDSettingsDlg>([&](CLibraryIDSettingsDlg* dlg) {
            QCOMPARE(dlg->GetPreviewText(), QString());
            dlg->GetAutoBox()->setChecked(true);
            QCOMPARE(dlg->GetPreviewText(), QString("10"));
            QTest::keyClicks(dlg->GetPrefixEdit(), "CD-");
            dlg->GetDigitsBox()->setValue(3);
            QCOMPARE(dlg->GetPreviewText(), QString("CD-010"));
            dlg->GetRenumberBox()->setChecked(true);
            dlg->GetRenumberOrderCombo()->setCurrentText("Year");
            QCOMPARE(dlg->GetPreviewText(), QString("CD-006"));
            dlg->accept();
        });
        m_doc->OnLibraryIDFormat(CMediaUtils::MEDIA_CD, CMediaUtils::MEDIA_CD);
        QCOMPARE(IDOf("Blue Train"), CString("CD-001"));
        QCOMPARE(IDOf("A Love Supreme"), CString("CD-004"));
        QCOMPARE(m_nevermind->GetLibraryID(), CString("CD-005"));
        QVERIFY(Library()->GetLibraryIDFormatForID(CMediaUtils::MEDIA_CD)->GetAutoGenerate());
        QVERIFY(HintSent(CVemoLibraryDoc::HintLibraryIDFormat));
        QVERIFY(m_doc->IsModified());
        // A new CD gets the next number.
        QCOMPARE(Library()->CreateMediaItem(CMediaUtils::MEDIA_CD, nullptr)->GetLibraryID(), CString("CD-006"));
    }

    void libraryIDOfAnotherTypeThanTheOneOnScreenSendsNoHint()
    {
        WhenShown<CLibraryIDSettingsDlg>([&](CLibraryIDSettingsDlg* dlg) {
            QTest::keyClicks(dlg->GetPostfixEdit(), "/b");
            dlg->accept();
        });
        m_doc->OnLibraryIDFormat(CMediaUtils::MEDIA_BOOK, CMediaUtils::MEDIA_CD);
        QCOMPARE(Library()->GetLibraryIDFormatForID(CMediaUtils::MEDIA_BOOK)->GetPostfix(), CString("/b"));
        QVERIFY(m_doc->IsModified());
        QVERIFY(!HintSent(CVemoLibraryDoc::HintLibraryIDFormat));
    }

    void libraryIDCancelChangesNothing()
    {
        WhenShown<CLibraryIDSettingsDlg>([&](CLibraryIDSettingsDlg* dlg) {
            dlg->GetClearAllBox()->setChecked(true);
            dlg->reject();
        });
        m_doc->OnLibraryIDFormat(CMediaUtils::MEDIA_CD, CMediaUtils::MEDIA_CD);
        QCOMPARE(m_blue->GetLibraryID(), CString("7"));
        QVERIFY(!m_doc->IsModified());
        QCOMPARE(m_hints->count(), 0);
    }

    // ---- shared lists -------------------------------------------------

    void magazineTitlesOkSavesTheSharedDataAndReturnsTheTitleChosen()
    {
        CMagazineMgr* titles = CMagazineMgr::GetInstance();
        const int wired = titles->GetMagazine("Wired", true)->GetUniqueID();
        titles->GetMagazine("Byte", true);
        auto* issue = static_cast<CMagazineIssue*>(Library()->CreateMediaItem(CMediaUtils::MEDIA_MAGAZINE, nullptr));
        issue->SetMagazineID(wired);
        int chosen = 0;
        WhenShown<CMagazinesMgrDlg>([&](CMagazinesMgrDlg* dlg) {
            QAbstractItemModelTester tester(dlg->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
            QCOMPARE(dlg->SelectedRow(), 0);
            QCOMPARE(dlg->GetModel()->index(0, 3).data().toString(), QString("1"));
            m_box->SetNextAnswer(CMessageBox::No);
            dlg->DeleteSelected();
            QVERIFY(m_box->LastText().contains("It is used by 1 item of this Library"));
            QString error;
            QVERIFY(!dlg->AddTitle(CMagazine("BYTE"), error));
            QVERIFY(dlg->AddTitle(CMagazine("Popular Mechanics"), error));
            dlg->SelectRow(1);
            m_box->SetNextAnswer(CMessageBox::Yes);
            dlg->DeleteSelected();
            dlg->SelectRow(1);
            dlg->accept();
        });
        chosen = m_doc->OnMagazineTitles(wired);
        QCOMPARE(titles->GetCount(), 2);
        QVERIFY(!titles->GetMagazine("Byte", false));
        QCOMPARE(titles->GetMagazine(chosen)->GetName(), CString("Popular Mechanics"));
        QVERIFY(HintSent(CVemoLibraryDoc::HintSharedData));
        QVERIFY(CFileUtils::DoesFileExist(m_home->DataDir() + "VemoLibrary2.dat"));
        // The library itself did not change.
        QVERIFY(!m_doc->IsModified());
    }

    void personsAndPublishersFromTheEditMenu_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("ok");
        QTest::newRow("persons, OK") << ID_EDIT_PERSONS << true;
        QTest::newRow("persons, Cancel") << ID_EDIT_PERSONS << false;
        QTest::newRow("publishers, OK") << ID_EDIT_PUBLISHERS << true;
        QTest::newRow("publishers, Cancel") << ID_EDIT_PUBLISHERS << false;
    }
    void personsAndPublishersFromTheEditMenu()
    {
        QFETCH(int, command);
        QFETCH(bool, ok);
        const bool persons = command == ID_EDIT_PERSONS;
        const int lee = CPersonMgr::GetInstance()->GetPerson("Bo", "", "Lee", true)->GetUniqueID();
        const int press = CPublisherMgr::GetInstance()->GetPublisher("Blue Note", true)->GetUniqueID();
        auto* loan = new CCheckOutState();
        loan->SetPersonID(lee);
        m_blue->GetCheckOut()->Add(loan);
        m_blue->SetPublisherID(press);
        CMainFrame frame(m_doc.get(), m_settings.get());
        QVERIFY(frame.FindAction(command));
        WhenShown<CPersonsMgrDlg>([&](CPersonsMgrDlg* dlg) {
            QAbstractItemModelTester tester(dlg->GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
            QCOMPARE(dlg->GetModel()->rowCount(), 1);
            dlg->SelectRow(0);
            m_box->SetNextAnswer(CMessageBox::Yes);
            dlg->DeleteSelected();
            QVERIFY(m_box->LastText().contains("It is used by 1 item of this Library"));
            CPerson added;
            added.SetFirstName("Ann");
            added.SetLastName("Zed");
            QString error;
            QVERIFY(dlg->AddPerson(added, error));
            QVERIFY(!dlg->AddPerson(added, error));
            QVERIFY(!dlg->AddPerson(CPerson(), error));
            if (ok)
                dlg->accept();
            else
                dlg->reject();
        });
        frame.OnCommand(command);
        const int count = persons ? CPersonMgr::GetInstance()->GetCount() : CPublisherMgr::GetInstance()->GetCount();
        QCOMPARE(count, 1);
        const CPerson* kept
            = persons ? CPersonMgr::GetInstance()->GetPerson(lee) : CPublisherMgr::GetInstance()->GetPublisher(press);
        QCOMPARE(kept == nullptr, ok);
        QCOMPARE(HintSent(CVemoLibraryDoc::HintSharedData), ok);
        frame.close();
    }

    // ---- categories ---------------------------------------------------

    void categoriesCanBeRenamedAndDescribed()
    {
        WhenShown<CCategoryDlg>([&](CCategoryDlg* dlg) {
            QVERIFY(!dlg->ChangeCategory("<none>", "Nothing", ""));
            QVERIFY(!dlg->ChangeCategory("Jazz", "ROCK", ""));
            QVERIFY(dlg->ChangeCategory("Jazz", "Modal Jazz", "1959 and on"));
            dlg->accept();
        });
        m_doc->GetCommands()->OnCategories();
        QCOMPARE(Library()->GetCategory(m_jazz)->GetName(), CString("Modal Jazz"));
        QCOMPARE(Library()->GetCategory(m_jazz)->GetDescription(), CString("1959 and on"));
        QCOMPARE(m_blue->GetCategoryID(), m_jazz);
        QVERIFY(HintSent(CVemoLibraryDoc::HintCategories));
    }

    // ---- printed reports ----------------------------------------------

    void printReportMadeInTheEditorRunsWithItsFourSortKeys()
    {
        CCustomPrintReportsDlg* manager = m_doc->GetReportWindows()->OpenCustomPrintReports();
        WhenShown<CCustomPrintReportDlg>([&](CCustomPrintReportDlg* dlg) {
            QAbstractItemModelTester columns(dlg->GetColumns(), QAbstractItemModelTester::FailureReportingMode::QtTest);
            QAbstractItemModelTester types(
                dlg->GetScope()->GetMediaTypes(), QAbstractItemModelTester::FailureReportingMode::QtTest);
            QTest::keyClicks(dlg->GetNameEdit(), "Everything");
            dlg->GetScope()->GetMediaTypes()->SetChecked(CMediaUtils::MEDIA_BOOK, false);
            dlg->GetScope()->GetMediaTypes()->SetChecked(CMediaUtils::MEDIA_CD, true);
            QVERIFY(ColumnTexts(dlg->GetAvailable()).contains("Artist"));
            while (dlg->GetColumns()->rowCount() > 0)
                dlg->GetColumns()->RemoveColumn(0);
            for (const char* column : { "Title", "Artist", "Year" })
                QVERIFY(dlg->GetColumns()->AddColumn(column));
            QVERIFY(!ColumnTexts(dlg->GetAvailable()).contains("Artist"));
            dlg->GetColumnView()->setCurrentIndex(dlg->GetColumns()->index(2));
            dlg->MoveSelectedColumn(-2);
            QCOMPARE(ColumnTexts(dlg->GetColumns()), QStringList({ "Year", "Title", "Artist" }));
            // Category, then year descending, then artist, then title.
            QVERIFY(dlg->SetSortKey(0, "Category", false));
            QVERIFY(dlg->SetSortKey(1, "Year", true));
            QVERIFY(dlg->SetSortKey(2, "Artist", false));
            QVERIFY(dlg->SetSortKey(3, "Title", false));
            dlg->accept();
        });
        CCustomPrintReport* report = manager->NewReport();
        QVERIFY(report);
        QCOMPARE(report->GetSecondSortOrderProp(), CString("-Year"));
        QVERIFY(m_doc->IsModified());
        CReportGridDlg* grid = manager->RunSelected();
        QVERIFY(grid);
        QStringList rows;
        for (int row = 0; row < grid->GetGrid()->RowCount(); ++row)
            rows << grid->GetGrid()->CellText(row, 0) + " " + grid->GetGrid()->CellText(row, 1);
        QCOMPARE(rows,
            QStringList({ "1965 A Love Supreme", "1959 Giant Steps", "1959 Kind of Blue", "1957 Blue Train",
                "1991 Nevermind" }));
    }

    void printReportManagerCopiesChangesAndDeletes()
    {
        CCustomPrintReportsDlg* manager = m_doc->GetReportWindows()->OpenCustomPrintReports();
        CCustomPrintReportEditor editor;
        editor.SetName("Zeta");
        editor.GetMediaTypes().SetShow(CMediaUtils::MEDIA_CD, true);
        editor.SelectAllCategories(*Library());
        editor.AddColumn("Title");
        QVERIFY(manager->AddReport(editor));
        QVERIFY(manager->CopySelected());
        QCOMPARE(manager->GetList()->currentItem()->text(), QString("Copy of Zeta"));
        // Renamed, it takes its place by name.
        WhenShown<CCustomPrintReportDlg>([&](CCustomPrintReportDlg* dlg) {
            dlg->GetNameEdit()->setText("zeta");
            dlg->accept();
            QVERIFY(m_box->LastText().contains("exists already"));
            dlg->GetNameEdit()->setText("Alpha");
            dlg->accept();
        });
        QVERIFY(manager->EditSelected());
        QCOMPARE(ColumnTexts(manager->GetList()->model()), QStringList({ "Alpha", "Zeta" }));
        QCOMPARE(manager->GetList()->currentRow(), 0);
        m_box->SetNextAnswer(CMessageBox::Yes);
        QVERIFY(manager->DeleteSelected());
        QCOMPARE(Library()->GetCustomPrintReportCount(), 1);
        // Cancel keeps the report as it was.
        WhenShown<CCustomPrintReportDlg>([&](CCustomPrintReportDlg* dlg) {
            dlg->GetNameEdit()->setText("Other");
            dlg->reject();
        });
        QVERIFY(!manager->EditSelected());
        QCOMPARE(Library()->GetCustomPrintReportAt(0)->GetName(), CString("Zeta"));
    }

    void reportGridSavesPdfAndCsv()
    {
        CReportTable table;
        table.title = "Shelf";
        table.columns = { "Title", "Note" };
        table.rows = { { "Dune", "says \"hi\", twice" }, { "Emma", " padded" } };
        CReportGridDlg grid(table, m_doc->GetReportContext());
        QTemporaryDir out;
        QString error;
        QVERIFY(grid.ExportCsv(out.filePath("shelf.csv"), error));
        QCOMPARE(FileBytes(out.filePath("shelf.csv").toStdString()),
            std::string("\xEF\xBB\xBFTitle,Note\r\nDune,\"says \"\"hi\"\", twice\"\r\nEmma,\" padded\"\r\n"));
        QVERIFY(grid.SavePdf(out.filePath("shelf.pdf"), error));
        QCOMPARE(FileBytes(out.filePath("shelf.pdf").toStdString()).substr(0, 4), std::string("%PDF"));
        // Printed into a private temporary file, it ends as a new file would.
        QCOMPARE(QFileInfo(out.filePath("shelf.pdf")).permissions() & QFile::ReadOther,
            QFileInfo(out.filePath("shelf.csv")).permissions() & QFile::ReadOther);
        QVERIFY(!grid.SavePdf(out.filePath("missing/shelf.pdf"), error));
        QVERIFY(error.contains("missing/shelf.pdf"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    // ---- web reports --------------------------------------------------

    void webReportMadeInTheEditorWritesItsPages()
    {
        CCustomWebReportsDlg* manager = m_doc->GetReportWindows()->OpenCustomWebReports();
        const QString output = Q(Library()->GetPathCustomWebReportOutput());
        WhenShown<CCustomWebReportDlg>([&](CCustomWebReportDlg* dlg) {
            QTest::keyClicks(dlg->GetNameEdit(), "Jazz: by year");
            QCOMPARE(dlg->GetHomePageEdit()->text(), output + "Jazz_ by year.htm");
            dlg->GetScope()->GetMediaTypes()->SetAllChecked(false);
            dlg->GetScope()->GetMediaTypes()->SetChecked(CMediaUtils::MEDIA_CD, true);
            dlg->GetScope()->GetCategories()->SetAllChecked(false);
            dlg->GetScope()->GetCategories()->SetChecked(m_jazz, true);
            QVERIFY(dlg->GetTemplateCombo(1)->findText("AudioMedia1.htm") >= 0);
            dlg->SetLevel(1, "AudioMedia1.htm", "Year", "");
            dlg->SetLevel(2, "AudioMedia2.htm", "Title", "");
            QCOMPARE(dlg->GetLevelCountBox()->value(), 2);
            dlg->accept();
        });
        CCustomWebReport* report = manager->NewReport();
        QVERIFY(report);
        QCOMPARE(report->GetPageLevelCount(), 2);
        QVERIFY(manager->RunSelected());
        const QStringList pages = QDir(output).entryList({ "Jazz_ by year*.htm" }, QDir::Files);
        // The home page and one page per year: 1957, 1959, 1965.
        QCOMPARE(pages.size(), 4);
        QVERIFY(FileBytes((output + "Jazz_ by year.htm").toStdString()).find("Coltrane") != std::string::npos);
    }

    void runAllSkipsEmptyTypesAndEndsWithOneSummary()
    {
        CCustomWebReportsDlg* manager = m_doc->GetReportWindows()->OpenCustomWebReports();
        QCOMPARE(manager->GetList()->count(), 29);
        m_box->SetNextAnswer(CMessageBox::No);
        QVERIFY(manager->RunAll());
        // Books, CDs, Authors (books), Artists and Music (audio) have items.
        QCOMPARE(m_box->Count(), 1);
        QVERIFY2(m_box->LastText().startsWith("5 written, 24 skipped: no items of that type."),
            qPrintable(m_box->LastText()));
        QVERIFY(manager->GetMessages().contains("\"Blu-ray Discs\" skipped: no items of that type."));
    }

    void webReportManagerRestoresTheDefaults()
    {
        CCustomWebReportsDlg* manager = m_doc->GetReportWindows()->OpenCustomWebReports();
        SelectRow(manager->GetList(), "Music");
        m_box->SetNextAnswer(CMessageBox::Yes);
        QVERIFY(manager->DeleteSelected());
        QVERIFY(manager->CopySelected());
        QCOMPARE(manager->GetList()->count(), 29);
        m_box->SetNextAnswer(CMessageBox::No);
        QVERIFY(!manager->RestoreDefaults());
        m_box->SetNextAnswer(CMessageBox::Yes);
        QVERIFY(manager->RestoreDefaults());
        QCOMPARE(manager->GetList()->count(), 30);
        QCOMPARE(manager->GetList()->findItems("Music", Qt::MatchExactly).size(), 1);
        QVERIFY(m_doc->IsModified());
    }

    // The collector's errand: a report "Jazz records by year" with a
    // category, two columns and a sort, printed to PDF, and a two-level web
    // report of it, both still there when the library is loaded again.
    void jazzRecordsByYearEndToEnd()
    {
        CCustomPrintReportsDlg* print = m_doc->GetReportWindows()->OpenCustomPrintReports();
        WhenShown<CCustomPrintReportDlg>([&](CCustomPrintReportDlg* dlg) {
            dlg->GetNameEdit()->setText("Jazz records by year");
            dlg->GetScope()->GetMediaTypes()->SetAllChecked(false);
            dlg->GetScope()->GetMediaTypes()->SetChecked(CMediaUtils::MEDIA_CD, true);
            dlg->GetScope()->GetCategories()->SetAllChecked(false);
            dlg->GetScope()->GetCategories()->SetChecked(m_jazz, true);
            while (dlg->GetColumns()->rowCount() > 0)
                dlg->GetColumns()->RemoveColumn(0);
            dlg->GetColumns()->AddColumn("Year");
            dlg->GetColumns()->AddColumn("Title");
            dlg->SetSortKey(0, "Year", false);
            dlg->accept();
        });
        QVERIFY(print->NewReport());
        CCustomWebReportsDlg* web = m_doc->GetReportWindows()->OpenCustomWebReports();
        WhenShown<CCustomWebReportDlg>([&](CCustomWebReportDlg* dlg) {
            dlg->GetNameEdit()->setText("Jazz records by year");
            dlg->GetScope()->GetMediaTypes()->SetAllChecked(false);
            dlg->GetScope()->GetMediaTypes()->SetChecked(CMediaUtils::MEDIA_CD, true);
            dlg->GetScope()->GetCategories()->SetAllChecked(false);
            dlg->GetScope()->GetCategories()->SetChecked(m_jazz, true);
            dlg->SetLevel(1, "AudioMedia1.htm", "Year", "");
            dlg->SetLevel(2, "AudioMedia2.htm", "Title", "");
            dlg->accept();
        });
        QVERIFY(web->NewReport());
        QVERIFY(m_doc->SaveLibrary());

        // Loaded again: both reports are there and do their work.
        m_doc->CloseLibrary();
        m_doc->OpenLibrary("My Library", false);
        QVERIFY(Library());
        print = m_doc->GetReportWindows()->OpenCustomPrintReports();
        SelectRow(print->GetList(), "Jazz records by year");
        CReportGridDlg* grid = print->RunSelected();
        QVERIFY(grid);
        QCOMPARE(grid->GetGrid()->RowCount(), 4);
        QCOMPARE(grid->GetGrid()->CellText(0, 0), QString("1957"));
        QCOMPARE(grid->GetGrid()->HeaderText(1), QString("Title"));
        QTemporaryDir out;
        QString error;
        QVERIFY(grid->SavePdf(out.filePath("jazz.pdf"), error));
        QVERIFY(QFileInfo(out.filePath("jazz.pdf")).size() > 1000);

        web = m_doc->GetReportWindows()->OpenCustomWebReports();
        SelectRow(web->GetList(), "Jazz records by year");
        QVERIFY(web->RunSelected());
        const QString output = Q(Library()->GetPathCustomWebReportOutput());
        QCOMPARE(QDir(output).entryList({ "Jazz records by year*.htm" }, QDir::Files).size(), 4);
    }

    // ---- models and what the windows look like ------------------------

    void checkListModelKeepsIdsAndChecks()
    {
        CCheckListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.SetEntries({ { 3, "Three", false }, { 7, "Seven", true } });
        QSignalSpy changed(&model, &CCheckListModel::CheckChanged);
        QVERIFY(model.setData(model.index(0), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!model.SetChecked(99, true));
        model.SetAllChecked(false);
        QCOMPARE(changed.count(), 3);
        QVERIFY(model.CheckedIDs().empty());
        QVERIFY(model.flags(model.index(1)) & Qt::ItemIsUserCheckable);
    }

    // Labels showed their "&" as it is: a mnemonic needs a buddy.
    void everyWindowsMnemonicsHaveBuddies()
    {
        AddFields(CMediaUtils::MEDIA_CD, { "Pressing" });
        std::vector<std::unique_ptr<QWidget>> windows;
        std::vector<const CCategory*> categories;
        for (POSITION pos = Library()->GetHeadCategory(); pos;)
            categories.push_back(Library()->GetNextCategory(pos));
        windows.emplace_back(new CCategoryDlg(categories));
        windows.emplace_back(new CCheckoutSettingsDlg(*Library()->GetCheckoutSettings()));
        windows.emplace_back(new CMediaSettingsDlg(false, 1));
        windows.emplace_back(new CMediaTypesDlg(*Library()->GetMediaTypes()));
        windows.emplace_back(new CResearchEntryDlg({}, 40));
        windows.emplace_back(new CPrintedReportsSettingsDlg(m_doc->GetCommands()->GetPrintedReportSettings()));
        windows.emplace_back(new CSettingsDlg(*m_settings));
        windows.emplace_back(new CImportDlg(*Library(), Library()->GetPathImport(), CMediaUtils::MEDIA_CD));
        windows.emplace_back(new CLibraryRestoreDlg(
            m_doc->GetDataFileMgmt(), "My Library", COleDateTime::GetCurrentTime(), m_settings->GetLibraries()));
        windows.emplace_back(new CCustomFieldsDlg(*Library(), CMediaUtils::MEDIA_CD));
        windows.emplace_back(new CCustomFieldDlg(Field("Shelf"), true, QString(), {}));
        windows.emplace_back(new CLibraryIDSettingsDlg(*Library(), CMediaUtils::MEDIA_VIDEOTAPE));
        windows.emplace_back(new CPersonsMgrDlg(CPersonsMgrDlg::Persons, Library()));
        windows.emplace_back(new CMagazinesMgrDlg(Library(), 0));
        windows.emplace_back(new CPersonDlg(CPerson(), true));
        windows.emplace_back(new CPublisherDlg(CPerson(), true));
        windows.emplace_back(new CMagazineDlg(CMagazine(), true));
        windows.emplace_back(new CCustomPrintReportDlg(*Library(), CCustomPrintReportEditor(), {}, true));
        windows.emplace_back(new CCustomWebReportDlg(*Library(), CCustomWebReportEditor(), {}, {}, true));
        windows.emplace_back(new CCustomPrintReportsDlg(m_doc.get()));
        windows.emplace_back(new CCustomWebReportsDlg(m_doc.get()));
        windows.emplace_back(m_doc->OnEditSearch());
        for (const auto& window : windows) {
            QStringList bare;
            for (const QLabel* label : window->findChildren<QLabel*>())
                if (label->text().contains(QRegularExpression("&[^&]")) && !label->buddy())
                    bare << label->text();
            QVERIFY2(bare.isEmpty(), qPrintable(window->windowTitle() + ": " + bare.join(" | ")));
        }
        windows.back().release();
    }

    void screenshots()
    {
        const QString folder = qEnvironmentVariable("VEMO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("VEMO_SCREENSHOT_DIR names the folder for the pictures of the windows");
        AddFields(CMediaUtils::MEDIA_CD, { "Pressing", "Shelf" });
        auto* grade = new CCustomField(Field("Grade", CF_SELECTIONLIST));
        grade->AddSelectionListItem("mint");
        grade->AddSelectionListItem("very good");
        Library()->GetCustomFieldMgr(CMediaUtils::MEDIA_CD)->Add(grade);
        auto* played = new CCustomField(Field("Last Played", CF_DATE));
        played->SetInitialValueDateToday(true);
        Library()->GetCustomFieldMgr(CMediaUtils::MEDIA_CD)->Add(played);
        Library()->SetPathCustomFieldDefault("/home/collector/Music/Scans/");
        const auto save = [&](QWidget* window, const QString& name) {
            window->show();
            QVERIFY(window->grab().save(QDir(folder).filePath(name)));
        };
        CCustomFieldsDlg fields(*Library(), CMediaUtils::MEDIA_CD);
        save(&fields, "custom-fields.png");
        CCustomPrintReportEditor print;
        print.SetName("Jazz records by year");
        print.GetMediaTypes().SetShow(CMediaUtils::MEDIA_CD, true);
        print.SetCategorySelected(m_jazz, true);
        print.AddColumn("Year");
        print.AddColumn("Title");
        print.SetSortKey(0, "Year", true);
        CCustomPrintReportDlg printDlg(*Library(), print, {}, false);
        save(&printDlg, "print-report-editor.png");
        CCustomWebReportEditor web;
        web.SetName("Jazz records by year");
        web.GetMediaTypes().SetShow(CMediaUtils::MEDIA_CD, true);
        web.SetCategorySelected(m_jazz, true);
        web.SetHomePage("/home/collector/.local/share/VemoLibrary/WebReports/Jazz records by year.htm");
        web.SetLevelCount(2);
        const CString templates = Library()->GetPathUserCustomWebReportTemplate();
        web.SetLevel(1, { templates + "AudioMedia1.htm", "Year", "" });
        web.SetLevel(2, { templates + "AudioMedia2.htm", "Artist", "Title" });
        CCustomWebReportDlg webDlg(*Library(), web, {}, {}, false);
        save(&webDlg, "web-report-editor.png");
        CLibraryIDSettingsDlg ids(*Library(), CMediaUtils::MEDIA_VIDEOTAPE);
        save(&ids, "library-id-format.png");
        CMagazineMgr::GetInstance()->GetMagazine("Down Beat", true)->SetSubscription(true);
        CMagazineMgr::GetInstance()->GetMagazine("Jazz Times", true);
        CMagazinesMgrDlg titles(Library(), 0);
        save(&titles, "magazine-titles.png");
        CCustomField choices = Field("Grade", CF_SELECTIONLIST);
        choices.AddSelectionListItem("mint");
        choices.AddSelectionListItem("good");
        save(new CCustomFieldDlg(choices, false, QString(), {}), "custom-field.png");
        save(new CPersonDlg(CPerson("Ann", "", "Zed"), false), "person.png");
        save(new CMagazineDlg(CMagazine("Down Beat"), false), "magazine.png");
        std::vector<const CCategory*> categories;
        for (POSITION pos = Library()->GetHeadCategory(); pos;)
            categories.push_back(Library()->GetNextCategory(pos));
        save(new CCategoryDlg(categories), "categories.png");
        save(m_doc->GetReportWindows()->OpenCustomWebReports(), "web-reports.png");
        auto* printReport = new CCustomPrintReport();
        print.Store(*printReport, *Library());
        Library()->AddCustomPrintReport(printReport);
        save(m_doc->GetReportWindows()->OpenCustomPrintReports(), "print-reports.png");
        CPersonMgr::GetInstance()->GetPerson("Bo", "", "Lee", true);
        CPersonMgr::GetInstance()->GetPerson("Ann", "", "Zed", true);
        CPublisherMgr::GetInstance()->GetPublisher("Blue Note", true);
        save(new CPersonsMgrDlg(CPersonsMgrDlg::Persons, Library()), "persons.png");
        save(new CPersonsMgrDlg(CPersonsMgrDlg::Publishers, Library()), "publishers.png");
        save(new CMediaTypesDlg(CMediaTypeSelection()), "media-types-none.png");
        save(m_doc->GetReportWindows()->OpenReserved(), "reserved-none.png");
    }

private:
    CLibrary* Library() const { return m_doc->GetLibrary(); }
    bool HintSent(int hint) const { return m_hints->contains(QVariantList { hint }); }

    // CDs: three jazz records of John Coltrane and Miles Davis, one rock
    // record; categories Jazz and Rock.
    void FillLibrary()
    {
        auto* jazz = new CCategory("Jazz", "");
        Library()->AddCategory(jazz);
        m_jazz = jazz->GetUniqueID();
        auto* rock = new CCategory("Rock", "");
        Library()->AddCategory(rock);
        struct Record {
            const char* title;
            const char* artist;
            int year;
            int category;
            const char* id;
        };
        const Record records[] = { { "Kind of Blue", "Miles Davis", 1959, m_jazz, "7" },
            { "Blue Train", "John Coltrane", 1957, m_jazz, "2" }, { "Giant Steps", "John Coltrane", 1959, m_jazz, "9" },
            { "A Love Supreme", "John Coltrane", 1965, m_jazz, "4" },
            { "Nevermind", "Nirvana", 1991, rock->GetUniqueID(), "1" } };
        for (const Record& record : records) {
            auto* cd = static_cast<CAudioTrackMedia*>(Library()->CreateMediaItem(CMediaUtils::MEDIA_CD, nullptr));
            cd->SetTitle(record.title);
            cd->SetArtist(record.artist);
            cd->SetYearPublished(record.year);
            cd->SetCategoryID(record.category);
            cd->SetLibraryID(record.id);
            if (CString(record.title) == "Kind of Blue")
                m_blue = cd;
            if (CString(record.title) == "Nevermind")
                m_nevermind = cd;
        }
        Library()->CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr)->SetTitle("Dune");
        Library()->NoteItemsChanged();
    }

    void AddFields(int type, const QStringList& names)
    {
        for (const QString& name : names) {
            auto* field = new CCustomField(Field(name.toStdString().c_str()));
            Library()->GetCustomFieldMgr(type)->Add(field);
        }
    }

    void SetValues(CMediaItem* item, const QStringList& texts)
    {
        const CCustomFieldMgr* fields = Library()->GetCustomFieldMgr(item->GetMediaType());
        CMapStringToString values;
        for (int i = 0; i < texts.size(); ++i)
            values.SetAt(fields->GetFieldAt(i)->GetName(), texts[i].toStdString());
        Library()->SetCustomFieldDataForItem(item, values, true);
    }

    QStringList Values(const CMediaItem* item, const QStringList& names) const
    {
        CMapStringToString map;
        for (const QString& name : names)
            map.SetAt(name.toStdString(), "-");
        Library()->GatherCustomFieldDataForItem(item, map);
        QStringList values;
        for (const QString& name : names)
            values << Q(map[name.toStdString()]);
        return values;
    }

    CString IDOf(const CString& title) const
    {
        for (POSITION pos = Library()->GetHeadItem(CMediaUtils::MEDIA_CD); pos;)
            if (const CMediaItem* item = Library()->GetNextItem(CMediaUtils::MEDIA_CD, pos); item->GetTitle() == title)
                return item->GetLibraryID();
        return "(none)";
    }

    QStringList FieldNames(int type) const
    {
        QStringList names;
        const CCustomFieldMgr* fields = Library()->GetCustomFieldMgr(type);
        for (int i = 0; i < fields->GetFieldCount(); ++i)
            names << Q(fields->GetFieldAt(i)->GetName());
        return names;
    }

    static void SelectRow(QListWidget* list, const QString& text)
    {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list->setCurrentItem(found.first());
    }

    std::unique_ptr<QSignalSpy> m_hints;
    int m_jazz = 0;
    CMediaItem* m_blue = nullptr;
    CMediaItem* m_nevermind = nullptr;
};

QTEST_MAIN(TestEditors)
#include "test_editors.moc"
