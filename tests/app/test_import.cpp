// Library, Import...: the grid of a delimited file, its column properties,
// the rows the library holds already, the question when every column is
// ignored, and what an import leaves in the library and the document.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include "AppDialogDriver.h"
#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "app/dialogs/ImportDlg.h"
#include "app/dialogs/ImportProgressJob.h"
#include "app/dialogs/ImportResultDlg.h"
#include "app/doc/LibraryCommands.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/Book.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/ImportJob.h"

namespace {

const QString kExistingNote = "A row with this background color indicates one that already exists in the Library. "
                              "If imported, only missing data of the original media item will be updated.";
const QString kAllIgnored = "All of the data columns are flagged as \"<ignore>\", so there is nothing to import. Is "
                            "that what you intended to do? If so, please press the Cancel button instead.";

const char* const kBooks = "Title,Author\n"
                           "Dune,Frank Herbert\n"
                           "Emma,Jane Austen\n"
                           "Ulysses,James Joyce\n";

// Cancels the import when the given row comes up, as the progress
// window's Cancel button does.
class CCancellingJob : public CImportProgressJob {
public:
    CCancellingJob(CLibrary& library, int cancelAtRow)
        : CImportProgressJob(library, CMediaUtils::MEDIA_BOOK)
        , m_cancelAtRow(cancelAtRow)
    {
    }

protected:
    CMediaItem* ImportRow(const CMapStringToString& values) override
    {
        if (m_rows++ == m_cancelAtRow)
            Cancel();
        return CImportProgressJob::ImportRow(values);
    }

private:
    int m_cancelAtRow;
    int m_rows = 0;
};

} // namespace

class TestImport : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        m_doc->CreateNewLibrary();
        QVERIFY(Library());
        auto* dune = static_cast<CBook*>(Library()->CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr));
        dune->SetTitle("Dune");
        dune->SetAuthor("Frank Herbert");
        m_doc->MarkItemModified(dune);
        QVERIFY(m_doc->SaveLibrary());
        m_inDir = m_home->DataDir() + "incoming/";
        QVERIFY(QDir().mkpath(Q(m_inDir)));
    }
    void cleanup() { DropDocument(); }

    void gridShowsColumnsRowsAndRowsThatExist()
    {
        CImportDlg dlg(*Library(), Library()->GetPathImport(), CMediaUtils::MEDIA_BOOK);
        QVERIFY(dlg.LoadFile(WriteFile("books.csv", kBooks)));
        QCOMPARE(dlg.GetColumnProperty(0), QString("Title"));
        QCOMPARE(dlg.GetColumnProperty(1), QString("Author"));
        QTableWidget* grid = dlg.GetGrid();
        QCOMPARE(grid->rowCount(), 1 + 4);
        QCOMPARE(grid->columnCount(), CImportDlg::FIRST_DATA_COLUMN + 2);
        QCOMPARE(grid->item(2, CImportDlg::ROW_NUMBER_COLUMN)->text(), QString("1"));
        QCOMPARE(grid->item(3, CImportDlg::FIRST_DATA_COLUMN)->text(), QString("Emma"));
        // The column names are no row to import.
        QVERIFY(!dlg.IsRowChecked(0));
        QVERIFY(dlg.IsRowChecked(1) && dlg.IsRowChecked(2) && dlg.IsRowChecked(3));

        QVERIFY(dlg.IsRowMarkedExisting(1));
        QVERIFY(!dlg.IsRowMarkedExisting(2));
        QCOMPARE(
            grid->item(2, CImportDlg::FIRST_DATA_COLUMN + 1)->background().color(), CImportDlg::EXISTING_ROW_COLOR);
        QCOMPARE(grid->item(3, CImportDlg::FIRST_DATA_COLUMN)->background().style(), Qt::NoBrush);
        QCOMPARE(dlg.GetExistingNote()->text(), kExistingNote);
        // Looking for duplicates adds nothing to the library.
        QCOMPARE(Library()->GetItemCount(CMediaUtils::MEDIA_BOOK), 1);
    }

    void aPropertyMovesBetweenColumnsAndTheMarksFollow()
    {
        CImportDlg dlg(*Library(), Library()->GetPathImport(), CMediaUtils::MEDIA_BOOK);
        QVERIFY(dlg.LoadFile(WriteFile("books.csv", kBooks)));
        QVERIFY(dlg.SetColumnProperty(1, "Title"));
        QCOMPARE(dlg.GetColumnProperty(0), QString("<ignore>"));
        QCOMPARE(dlg.GetColumnProperty(1), QString("Title"));
        // "Frank Herbert" is no title of the library.
        QVERIFY(!dlg.IsRowMarkedExisting(1));
        QVERIFY(!dlg.SetColumnProperty(0, "No Such Property"));

        // A row that is not imported is not marked either.
        QVERIFY(dlg.SetColumnProperty(0, "Title"));
        QCOMPARE(dlg.GetColumnProperty(1), QString("<ignore>"));
        // A book without its author is not the one the library holds.
        QVERIFY(!dlg.IsRowMarkedExisting(1));
        QVERIFY(dlg.SetColumnProperty(1, "Author"));
        QVERIFY(dlg.IsRowMarkedExisting(1));
        dlg.SetRowChecked(1, false);
        QVERIFY(!dlg.IsRowMarkedExisting(1));
    }

    void columnsOfferTheTypesPropertiesAndCustomFields()
    {
        auto* shelf = new CCustomField;
        shelf->SetName("Shelf");
        Library()->GetCustomFieldMgr(CMediaUtils::MEDIA_BOOK)->Add(shelf);
        CImportDlg dlg(*Library(), Library()->GetPathImport(), CMediaUtils::MEDIA_BOOK);
        QVERIFY(dlg.LoadFile(WriteFile("shelves.csv", "Title,Shelf\nEmma,B2\n")));
        QCOMPARE(dlg.GetColumnProperty(1), QString("Shelf"));
        auto* combo = qobject_cast<QComboBox*>(
            dlg.GetGrid()->cellWidget(CImportDlg::PROPERTY_ROW, CImportDlg::FIRST_DATA_COLUMN));
        QVERIFY(combo);
        QCOMPARE(combo->itemText(0), QString("<ignore>"));
        QVERIFY(combo->findText("Author") > 0);
        QVERIFY(combo->findText("Shelf") > 0);
        // Another type offers its own properties; the file is read again.
        dlg.SetMediaType(CMediaUtils::MEDIA_CD);
        combo = qobject_cast<QComboBox*>(
            dlg.GetGrid()->cellWidget(CImportDlg::PROPERTY_ROW, CImportDlg::FIRST_DATA_COLUMN));
        QVERIFY(combo->findText("Artist") > 0);
        QCOMPARE(combo->findText("Shelf"), -1);
        // "Shelf" names nothing of a CD, so the first row is data.
        QCOMPARE(dlg.GetColumnProperty(0), QString("<ignore>"));
        QVERIFY(dlg.IsRowChecked(0));
    }

    void importCreatesMergesAndSkipsAndTheDocumentStoresThePath()
    {
        const QString path = WriteFile("books.csv", kBooks);
        QSignalSpy hints(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
        CImportOutcome outcome;
        bool saveEnabledMeanwhile = true;
        WhenShown<CImportDlg>([&](CImportDlg* dlg) {
            saveEnabledMeanwhile = m_doc->GetSaveEnabled();
            dlg->LoadFile(path);
            dlg->SetRowChecked(3, false);
            dlg->accept();
            outcome = dlg->GetOutcome();
        });
        m_doc->GetCommands()->OnImport(CMediaUtils::MEDIA_BOOK);

        QVERIFY2(outcome.Succeeded(), outcome.error.c_str());
        // No idle save wrote a half-done import.
        QVERIFY(!saveEnabledMeanwhile);
        QVERIFY(m_doc->GetSaveEnabled());
        QCOMPARE(outcome.created, 1);
        QCOMPARE(outcome.merged, 1);
        QCOMPARE(int(outcome.skipped.size()), 1);
        QCOMPARE(
            m_box->LastText(), QString("Import finished: 1 new item created, 1 existing item updated, 1 row skipped."));
        QCOMPARE(Library()->GetItemCount(CMediaUtils::MEDIA_BOOK), 2);
        QCOMPARE(Titles(), QStringList({ "Dune", "Emma" }));
        QCOMPARE(Library()->GetPathImport(), m_inDir);
        QVERIFY(m_doc->IsModified());
        QVERIFY(hints.contains(QVariantList { int(CVemoLibraryDoc::HintImport) }));
        QVERIFY(CFileUtils::DoesFileExist(m_home->DataDir() + "VemoLibrary2.dat"));
        QVERIFY(m_doc->IsSearchPreparePending());
    }

    void cancellingImportsNothing()
    {
        const CString pathBefore = Library()->GetPathImport();
        QSignalSpy hints(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
        WhenShown<CImportDlg>([&](CImportDlg* dlg) {
            dlg->LoadFile(WriteFile("books.csv", kBooks));
            dlg->reject();
        });
        m_doc->GetCommands()->OnImport(CMediaUtils::MEDIA_BOOK);
        QCOMPARE(Library()->GetItemCount(CMediaUtils::MEDIA_BOOK), 1);
        QCOMPARE(Library()->GetPathImport(), pathBefore);
        QVERIFY(!m_doc->IsModified());
        QCOMPARE(hints.count(), 0);
    }

    void cancellingPartWayPutsTheLibraryBack()
    {
        CCancellingJob job(*Library(), 2);
        CString error;
        QVERIFY(job.ReadBytes(kBooks, ',', error));
        const CImportOutcome outcome = job.RunWithProgress(nullptr);
        QVERIFY(job.IsCancelled());
        QVERIFY(!outcome.Succeeded());
        QVERIFY(outcome.error.find(CImportProgressJob::CANCELLED) != CString::npos);
        QCOMPARE(Titles(), QStringList({ "Dune" }));

        CCancellingJob whole(*Library(), -1);
        QVERIFY(whole.ReadBytes(kBooks, ',', error));
        QVERIFY(whole.RunWithProgress(nullptr).Succeeded());
        QCOMPARE(Titles(), QStringList({ "Dune", "Emma", "Ulysses" }));
    }

    void everyColumnIgnoredAsksAndImportsNothing()
    {
        // No header: every column starts as "<ignore>".
        CImportDlg dlg(*Library(), Library()->GetPathImport(), CMediaUtils::MEDIA_BOOK);
        QVERIFY(dlg.LoadFile(WriteFile("plain.txt", "Emma\tJane Austen\nUlysses\tJames Joyce\n")));
        QVERIFY(dlg.SetDelimiter("tab"));
        QCOMPARE(dlg.GetGrid()->columnCount(), CImportDlg::FIRST_DATA_COLUMN + 2);
        QVERIFY(dlg.IsRowChecked(0));

        QSignalSpy finished(&dlg, &QDialog::finished);
        m_box->SetNextAnswer(CMessageBox::No);
        dlg.accept();
        QCOMPARE(m_box->LastText(), kAllIgnored);
        QVERIFY(m_box->ShownMessages().last().question);
        QCOMPARE(finished.count(), 0);

        m_box->SetNextAnswer(CMessageBox::Yes);
        dlg.accept();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
        QCOMPARE(Library()->GetItemCount(CMediaUtils::MEDIA_BOOK), 1);
    }

    // Unticking the box reset every column and greyed the box for good.
    void firstRowSwitchesBothWaysKeepingTheColumns()
    {
        CImportDlg dlg(*Library(), Library()->GetPathImport(), CMediaUtils::MEDIA_BOOK);
        QVERIFY(dlg.LoadFile(WriteFile("books.csv", kBooks)));
        QCheckBox* header = dlg.GetHeaderBox();
        QVERIFY(header->isChecked() && header->isEnabled());
        QVERIFY(dlg.SetColumnProperty(1, "Description"));
        header->setChecked(false);
        QVERIFY(header->isEnabled());
        QVERIFY(dlg.IsRowChecked(0));
        QCOMPARE(dlg.GetColumnProperty(0), QString("Title"));
        QCOMPARE(dlg.GetColumnProperty(1), QString("Description"));
        header->setChecked(true);
        QVERIFY(!dlg.IsRowChecked(0));
        QCOMPARE(dlg.GetColumnProperty(0), QString("Title"));
        QCOMPARE(dlg.GetColumnProperty(1), QString("Description"));
        // A file without names in its first row may still skip that row.
        QVERIFY(dlg.LoadFile(WriteFile("plain.csv", "Name,Writer\nDune,Herbert\n")));
        QVERIFY(!header->isChecked() && header->isEnabled());
        header->setChecked(true);
        QVERIFY(!dlg.IsRowChecked(0));
    }

    // The trial says what the import will, and keeps nothing: no item, no
    // field, the columns as they were; the import then keeps both.
    void newFieldsAndUnreadCellsInTheTrialAndTheImport()
    {
        const QString path = WriteFile("rated.csv", "Title,Pages,My Rating\nEmma,abc,5\nUlysses,730,4\n");
        QSignalSpy hints(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
        QList<QStringList> shown;
        const auto readResult = [&shown](CImportResultDlg* result) {
            QAbstractItemModel* model = result->GetCells()->model();
            QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
            QStringList row { result->GetSummary() };
            for (int c = 0; c < model->columnCount(); ++c)
                row << model->index(0, c).data().toString();
            shown << row;
            QCOMPARE(model->rowCount(), 1);
        };
        const CCustomFieldMgr* fields = Library()->GetCustomFieldMgr(CMediaUtils::MEDIA_BOOK);
        WhenShown<CImportDlg>([&](CImportDlg* dlg) {
            dlg->LoadFile(path);
            // "My Rating" names no property: the headings are the user's word.
            QVERIFY(!dlg->GetNewFieldsBox()->isEnabled());
            dlg->GetHeaderBox()->setChecked(true);
            QVERIFY(dlg->GetNewFieldsBox()->isEnabled());
            dlg->GetNewFieldsBox()->setChecked(true);
            WhenShown<CImportResultDlg>(readResult);
            dlg->Try();
            QCOMPARE(Titles(), QStringList({ "Dune" }));
            QVERIFY(!Library()->GetCustomFieldMgr(CMediaUtils::MEDIA_BOOK)->Find("My Rating"));
            QCOMPARE(dlg->GetColumnProperty(2), QString("<ignore>"));
            WhenShown<CImportResultDlg>(readResult);
            dlg->accept();
        });
        m_doc->GetCommands()->OnImport(CMediaUtils::MEDIA_BOOK);

        const QStringList cell { "1", "2 (Pages)", "abc", "\"abc\" is not a number" };
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].mid(1), cell);
        QCOMPARE(shown[1].mid(1), cell);
        QCOMPARE(shown[0][0],
            QString("A trial, nothing was imported. The import would create 2 new items, update 0 existing items and "
                    "skip 0 rows. It would make these text custom fields: My Rating."));
        QVERIFY(shown[1][0].startsWith("Import finished: 2 new items created"));
        QCOMPARE(Titles(), QStringList({ "Dune", "Emma", "Ulysses" }));
        fields = Library()->GetCustomFieldMgr(CMediaUtils::MEDIA_BOOK);
        QVERIFY(fields->Find("My Rating"));
        QVERIFY(hints.contains(QVariantList { int(CVemoLibraryDoc::HintCustomFields) }));
    }

    // A trial puts the items back as copies; the views hear of it.
    void aTrialAloneRefreshesTheViews()
    {
        QSignalSpy hints(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
        WhenShown<CImportDlg>([&](CImportDlg* dlg) {
            dlg->LoadFile(WriteFile("books.csv", kBooks));
            dlg->Try();
            dlg->reject();
        });
        m_doc->GetCommands()->OnImport(CMediaUtils::MEDIA_BOOK);
        QVERIFY(m_box->LastText().startsWith("A trial, nothing was imported. The import would create 2 new items"));
        QCOMPARE(Titles(), QStringList({ "Dune" }));
        QVERIFY(!m_doc->IsModified());
        QVERIFY(hints.contains(QVariantList { int(CVemoLibraryDoc::HintImport) }));
    }

    void unreadableFileIsSaidAndLeavesAnEmptyGrid()
    {
        CImportDlg dlg(*Library(), Library()->GetPathImport(), CMediaUtils::MEDIA_BOOK);
        QVERIFY(!dlg.LoadFile(Q(m_inDir + "missing.csv")));
        QCOMPARE(m_box->Count(), 1);
        QVERIFY(m_box->LastText().contains("missing.csv"));
        QCOMPARE(dlg.GetGrid()->columnCount(), CImportDlg::FIRST_DATA_COLUMN);
        QSignalSpy finished(&dlg, &QDialog::finished);
        dlg.accept();
        QCOMPARE(finished.count(), 0);
    }

private:
    CLibrary* Library() const { return m_doc->GetLibrary(); }

    QString WriteFile(const CString& name, const std::string& text)
    {
        const CString path = m_inDir + name;
        CString error;
        if (!CFileUtils::WriteFileAtomic(path, text, &error))
            qWarning("%s", error.c_str());
        return Q(path);
    }

    QStringList Titles() const
    {
        QStringList titles;
        for (POSITION pos = Library()->GetHeadItem(CMediaUtils::MEDIA_BOOK); pos;)
            titles << Q(Library()->GetNextItem(CMediaUtils::MEDIA_BOOK, pos)->GetTitle());
        titles.sort();
        return titles;
    }

    CString m_inDir;
};

QTEST_MAIN(TestImport)
#include "test_import.moc"
