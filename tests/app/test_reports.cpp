// The Reports menu's windows: the inventory summary, the reserved and
// checked-out grids, running printed and web reports from their managers,
// printing a grid, and the managers' one-at-a-time and close-with-the-
// library rules.

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/dialogs/CustomPrintReportsDlg.h"
#include "app/dialogs/CustomWebReportsDlg.h"
#include "app/dialogs/ReportGridDlg.h"
#include "app/doc/ReportWindows.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/reports/ReportPrinter.h"
#include "app/views/ReportGrid.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/Person.h"

namespace {

QStringList Row(const CReportGrid* grid, int row)
{
    QStringList texts;
    for (int column = 0; column < grid->ColumnCount(); ++column)
        texts << grid->CellText(row, column);
    return texts;
}

QStringList Headers(const CReportGrid* grid)
{
    QStringList texts;
    for (int column = 0; column < grid->ColumnCount(); ++column)
        texts << grid->HeaderText(column);
    return texts;
}

int PersonId(const char* first, const char* last)
{
    return CPersonMgr::GetInstance()->GetPerson(first, "", last, true)->GetUniqueID();
}

void Lend(CMediaItem* item, int person, const COleDateTime& reserved, const COleDateTime& out, const COleDateTime& due,
    const COleDateTime& returned = COleDateTime::Null())
{
    auto* entry = new CCheckOutState();
    entry->SetPersonID(person);
    entry->SetReservedDate(reserved);
    entry->SetCheckedOutDate(out);
    entry->SetCheckedDueDate(due);
    entry->SetReturnedDate(returned);
    item->GetCheckOut()->Add(entry);
}

COleDateTime Day(int year, int month, int day)
{
    return COleDateTime(year, month, day, 0, 0, 0);
}

void SelectRow(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->setCurrentItem(found.first());
}

} // namespace

class TestReports : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        m_doc->OpenLibrary("Shelf", false);
        QVERIFY(m_doc->GetLibrary());
        FillLibrary(*m_doc->GetLibrary());
    }
    void cleanup()
    {
        m_doc.reset();
        DeleteTopLevelDialogs();
        DropDocument();
        CPersonMgr::DeleteInstance();
        CBrowserLauncherReset();
    }

    void inventorySummaryCountsEachTypeAndTheTotal()
    {
        CReportGridDlg* window = m_doc->GetReportWindows()->OpenInventorySummary();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Shelf Inventory Summary"));
        const CReportGrid* grid = window->GetGrid();
        QCOMPARE(Headers(grid), QStringList({ "Media Type", "Items", "Reserved", "Checked-out", "Total Value" }));
        // Books and Software are shown; the hidden CDs still count, an empty
        // hidden type does not appear.
        QCOMPARE(grid->RowCount(), 4);
        QCOMPARE(Row(grid, 0), QStringList({ Plural(1), "3", "1", "1", "1,215.50" }));
        QCOMPARE(Row(grid, 1), QStringList({ Plural(3), "1", "0", "1", "12.25" }));
        QCOMPARE(Row(grid, 2), QStringList({ Plural(15), "0", "0", "0", "0.00" }));
        QCOMPARE(Row(grid, 3), QStringList({ "Total", "4", "1", "2", "1,227.75" }));
    }

    void checkedOutGridListsWhoHasWhatByPerson()
    {
        CReportGridDlg* window = m_doc->GetReportWindows()->OpenCheckedOut();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Checked-out Report for Shelf"));
        const CReportGrid* grid = window->GetGrid();
        QCOMPARE(Headers(grid), QStringList({ "Checked Out To", "Media", "Item", "Checked Out", "Due" }));
        // The returned loan of Ajax is not listed.
        QCOMPARE(grid->RowCount(), 2);
        QCOMPARE(grid->CellText(0, 0), QString("Lee, Bo"));
        QCOMPARE(grid->CellText(0, 1), Singular(1));
        QVERIFY(grid->CellText(0, 2).contains("Dune"));
        QCOMPARE(grid->CellText(0, 3), QString("2026-11-02"));
        QCOMPARE(grid->CellText(0, 4), QString("2026-11-23"));
        QCOMPARE(grid->CellText(1, 0), QString("Zed, Ann"));
        QCOMPARE(grid->CellText(1, 1), Singular(3));
        QVERIFY(grid->CellText(1, 2).contains("Kind of Blue"));
    }

    void reservedGridListsReservationsWithTheLendingNotes()
    {
        CReportGridDlg* window = m_doc->GetReportWindows()->OpenReserved();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Reserved Report"));
        const CReportGrid* grid = window->GetGrid();
        QCOMPARE(grid->RowCount(), 1);
        QCOMPARE(grid->CellText(0, 0), QString("Lee, Bo"));
        QVERIFY(grid->CellText(0, 2).contains("Emma"));
        QCOMPARE(grid->CellText(0, 3), QString("2026-12-01"));
        QCOMPARE(grid->CellText(0, 4), QString("Reserved"));
        QCOMPARE(grid->GetTable().notes, QStringList({ "Bring your card." }));
        QVERIFY(grid->GetTable().signatureLine);
    }

    // The settings promise the reservation notes near the top; they were
    // printed below the table.
    void reservedNotesStandUnderTheTitle()
    {
        CReportGridDlg* window = m_doc->GetReportWindows()->OpenReserved();
        const CReportTable& table = window->GetGrid()->GetTable();
        QVERIFY(table.notesAtTop);
        const QString html = CReportPrinter(table, m_doc->GetReportContext()).ToHtml();
        const qsizetype notes = html.indexOf("Bring your card.");
        QVERIFY(notes > html.indexOf("Reserved Report"));
        QVERIFY(notes < html.indexOf("<table"));
        // The signature line still ends the report.
        QVERIFY(html.indexOf("Signature:") > html.indexOf("</table>"));
        QVERIFY(window->GetGrid()->findChild<QLabel*>("reportTopNotes")->isVisibleTo(window));
        QVERIFY(!window->GetGrid()->findChild<QLabel*>("reportNotes")->text().contains("Bring your card."));
    }

    // With nothing lent the grids showed headings only.
    void emptyLendingGridsSaySo_data()
    {
        QTest::addColumn<bool>("reserved");
        QTest::addColumn<QString>("text");
        QTest::newRow("reserved") << true << "Nothing is reserved.";
        QTest::newRow("checked out") << false << "Nothing is checked out.";
    }
    void emptyLendingGridsSaySo()
    {
        QFETCH(bool, reserved);
        QFETCH(QString, text);
        m_doc->OpenLibrary("Empty", false);
        CReportGridDlg* window
            = reserved ? m_doc->GetReportWindows()->OpenReserved() : m_doc->GetReportWindows()->OpenCheckedOut();
        QCOMPARE(window->GetGrid()->RowCount(), 0);
        QCOMPARE(window->GetGrid()->EmptyText(), text);
        QVERIFY(CReportPrinter(window->GetGrid()->GetTable(), m_doc->GetReportContext()).ToHtml().contains(text));
        // A grid with rows says nothing of the kind.
        m_doc->OpenLibrary("Shelf", false);
        FillLibrary(*m_doc->GetLibrary());
        window = reserved ? m_doc->GetReportWindows()->OpenReserved() : m_doc->GetReportWindows()->OpenCheckedOut();
        QCOMPARE(window->GetGrid()->EmptyText(), QString());
    }

    void printedReportRunsIntoTheGrid()
    {
        AddPrintReport("Shelf list", { "Title", "Price" });
        CCustomPrintReportsDlg* manager = m_doc->GetReportWindows()->OpenCustomPrintReports();
        QVERIFY(manager);
        SelectRow(manager->GetList(), "Shelf list");
        CReportGridDlg* window = manager->RunSelected();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Shelf list"));
        const CReportGrid* grid = window->GetGrid();
        QCOMPARE(Headers(grid), QStringList({ "Title", "Price" }));
        QCOMPARE(grid->RowCount(), 3);
        QCOMPARE(Row(grid, 0), QStringList({ "Ajax", "1200.00" }));
        QCOMPARE(Row(grid, 1), QStringList({ "Dune", "10.00" }));
        QCOMPARE(Row(grid, 2), QStringList({ "Emma", "5.50" }));
        QCOMPARE(m_box->Count(), 0);
    }

    void printedReportThatStopsShowsWhyAndAGoodRunAfterItWorks()
    {
        CCustomPrintReport* report = AddPrintReport("Broken", {});
        CCustomPrintReportsDlg* manager = m_doc->GetReportWindows()->OpenCustomPrintReports();
        SelectRow(manager->GetList(), "Broken");
        QVERIFY(!manager->RunSelected());
        QCOMPARE(m_box->LastTitle(), QString("Custom Print Reports"));
        QCOMPARE(
            m_box->LastText(), QString("There is nothing to show for this report. Select one or more data columns."));
        // The report still carries that message; once it has a column, it runs.
        report->AddColumn("Title");
        m_box->Clear();
        CReportGridDlg* window = manager->RunSelected();
        QVERIFY(window);
        QCOMPARE(window->GetGrid()->RowCount(), 3);
        QCOMPARE(m_box->Count(), 0);
    }

    void gridPrintsWithItsRows()
    {
        CReportGridDlg* window = m_doc->GetReportWindows()->OpenInventorySummary();
        const QString html = CReportPrinter(window->GetGrid()->GetTable(), m_doc->GetReportContext()).ToHtml();
        QVERIFY(html.contains("Shelf Inventory Summary"));
        QVERIFY(html.contains("1,227.75"));
        QTemporaryDir out;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out.filePath("summary.pdf"));
        window->PrintTo(printer);
        QFile pdf(out.filePath("summary.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(4) == "%PDF");
    }

    void webReportRunsFromTheManagerAndOffersItsHomePage()
    {
        QTemporaryDir out;
        const CString homePage = out.filePath("shelf.htm").toStdString();
        AddWebReport("Shelf pages", CString(VEMO_TEMPLATE_SOURCE_DIR) + "/Books.htm", homePage);
        AddWebReport("No template", out.filePath("missing.htm").toStdString(), out.filePath("none.htm").toStdString());
        QStringList opened;
        CMainFrame::SetUrlOpenerForTesting([&opened](const QString& url, QString&) {
            opened << url;
            return true;
        });
        CCustomWebReportsDlg* manager = m_doc->GetReportWindows()->OpenCustomWebReports();
        QVERIFY(manager);
        SelectRow(manager->GetList(), "Shelf pages");
        m_box->SetNextAnswer(CMessageBox::Yes);
        QVERIFY(manager->RunSelected());
        QVERIFY(FileBytes(homePage).find("Dune") != std::string::npos);
        const QStringList messages = manager->GetMessages();
        QVERIFY(messages.contains("\"Shelf pages\": templates read."));
        QVERIFY(messages.contains("\"Shelf pages\": writing the pages of 3 items..."));
        QVERIFY(messages.contains("\"Shelf pages\": finished."));
        QCOMPARE(m_box->LastTitle(), QString("Custom Web Reports"));
        QCOMPARE(opened, QStringList({ QUrl::fromLocalFile(Q(homePage)).toString() }));
        // The folder's index links it.
        QVERIFY(FileBytes(out.filePath("index.htm").toStdString()).find("<a href=\"shelf.htm\">Shelf pages</a>")
            != std::string::npos);

        // A report that cannot run says why and offers nothing.
        m_box->Clear();
        SelectRow(manager->GetList(), "No template");
        QVERIFY(!manager->RunSelected());
        QVERIFY(manager->GetMessages().last().startsWith("\"No template\" did not finish: The HTML template file "
                                                         "specified for Level One"));
        QCOMPARE(m_box->Count(), 0);
        QVERIFY(!CFileUtils::DoesFileExist(out.filePath("none.htm").toStdString()));

        // Running all reports runs each; the one that ran is offered.
        QVERIFY(CFileUtils::DeleteFile(homePage));
        opened.clear();
        m_box->SetNextAnswer(CMessageBox::No);
        QVERIFY(!manager->RunAll());
        QVERIFY(CFileUtils::DoesFileExist(homePage));
        QCOMPARE(m_box->Count(), 1);
        QVERIFY(m_box->LastText().contains("\"Shelf pages\""));
        QVERIFY(opened.isEmpty());
    }

    void managersOpenOnceEach()
    {
        ReportWindowsPair first { m_doc->GetReportWindows()->OpenCustomPrintReports(),
            m_doc->GetReportWindows()->OpenCustomWebReports() };
        QVERIFY(first.print && first.web);
        QCOMPARE(m_doc->GetReportWindows()->OpenCustomPrintReports(), first.print);
        QCOMPARE(m_doc->GetReportWindows()->OpenCustomWebReports(), first.web);
        // One the user closed is opened anew.
        first.print->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_doc->GetReportWindows()->GetCustomPrintReports());
        QVERIFY(m_doc->GetReportWindows()->OpenCustomPrintReports());
    }

    void closingTheLibraryClosesTheManagers()
    {
        QPointer<CCustomPrintReportsDlg> print = m_doc->GetReportWindows()->OpenCustomPrintReports();
        QPointer<CCustomWebReportsDlg> web = m_doc->GetReportWindows()->OpenCustomWebReports();
        m_doc->CloseLibrary();
        QVERIFY(!m_doc->GetReportWindows()->GetCustomPrintReports());
        QVERIFY(!m_doc->GetReportWindows()->GetCustomWebReports());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!print && !web);
        // Without a library nothing opens.
        QVERIFY(!m_doc->GetReportWindows()->OpenCustomPrintReports());
        QVERIFY(!m_doc->GetReportWindows()->OpenInventorySummary());

        // Loading another library closes them as well.
        m_doc->OpenLibrary("Shelf", false);
        web = m_doc->GetReportWindows()->OpenCustomWebReports();
        m_doc->OpenLibrary("Other", false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!web);
    }

    void reportsMenuOpensTheWindows()
    {
        CMainFrame frame(m_doc.get(), m_settings.get());
        frame.OnCommand(ID_REPORTS_INVENTORY);
        frame.OnCommand(ID_REPORTS_CUSTOM_WEB);
        QCOMPARE(m_box->Count(), 0);
        QStringList titles;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(window) && window->isVisible())
                titles << window->windowTitle();
        titles.sort();
        QCOMPARE(titles, QStringList({ "Custom Web Reports", "Shelf Inventory Summary" }));
        frame.close();
    }

private:
    struct ReportWindowsPair {
        CCustomPrintReportsDlg* print;
        CCustomWebReportsDlg* web;
    };

    static QString Plural(int type) { return Q(CMediaUtils::GetMediaNamePlural(type)); }
    static QString Singular(int type) { return Q(CMediaUtils::GetMediaNameSingular(type)); }
    static void CBrowserLauncherReset() { CMainFrame::SetUrlOpenerForTesting({}); }

    // Books Ajax (1200, lent and returned), Dune (10, checked out to Bo
    // Lee), Emma (5.50, reserved by Bo Lee); the CD Kind of Blue (12.25,
    // checked out to Ann Zed). Books and Software are shown, CDs hidden.
    static void FillLibrary(CLibrary& library)
    {
        CMediaTypeSelection* shown = library.GetMediaTypes();
        shown->SetShowAll(false);
        shown->SetShow(CMediaUtils::MEDIA_BOOK, true);
        shown->SetShow(CMediaUtils::MEDIA_SOFTWARE, true);
        const int lee = PersonId("Bo", "Lee");
        const int zed = PersonId("Ann", "Zed");
        CMediaItem* ajax = library.CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr);
        ajax->SetTitle("Ajax");
        ajax->SetPrice(1200.0);
        Lend(ajax, zed, COleDateTime::Null(), Day(2026, 1, 5), Day(2026, 1, 26), Day(2026, 1, 20));
        CMediaItem* dune = library.CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr);
        dune->SetTitle("Dune");
        dune->SetPrice(10.0);
        Lend(dune, lee, COleDateTime::Null(), Day(2026, 11, 2), Day(2026, 11, 23));
        CMediaItem* emma = library.CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr);
        emma->SetTitle("Emma");
        emma->SetPrice(5.5);
        Lend(emma, lee, Day(2026, 12, 1), COleDateTime::Null(), COleDateTime::Null());
        CMediaItem* blue = library.CreateMediaItem(CMediaUtils::MEDIA_CD, nullptr);
        blue->SetTitle("Kind of Blue");
        blue->SetPrice(12.25);
        Lend(blue, zed, COleDateTime::Null(), Day(2026, 10, 1), Day(2026, 10, 22));
        library.NoteItemsChanged();
        library.GetCheckoutSettings()->SetNotes("Bring your card.");
        library.GetCheckoutSettings()->SetIncludeSignature(true);
    }

    CCustomPrintReport* AddPrintReport(const CString& name, const QStringList& columns)
    {
        CLibrary* library = m_doc->GetLibrary();
        auto* report = new CCustomPrintReport();
        report->SetName(name);
        report->GetMediaIDs().SetShowAll(false);
        report->GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
        for (const QString& column : columns)
            report->AddColumn(column.toStdString());
        report->SetSortOrder("Title", "", "", "");
        library->PrepCustomPrintReport(report, true, false, false, false);
        // A run that stops leaves its message on the report.
        library->PrepCustomPrintReport(report, false, false, false, true);
        library->AddCustomPrintReport(report);
        return report;
    }

    void AddWebReport(const CString& name, const CString& levelOneTemplate, const CString& homePage)
    {
        auto* report = new CCustomWebReport();
        report->SetName(name);
        report->GetMediaIDs().SetShowAll(false);
        report->GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
        report->SetPageLevel(1, levelOneTemplate, "Title", "");
        report->SetHomePage(homePage, false);
        m_doc->GetLibrary()->AddCustomWebReport(report);
    }
};

QTEST_MAIN(TestReports)
#include "test_reports.moc"
