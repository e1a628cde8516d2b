// The item property pages: which pages each media type gets, sub-item
// editing on each kind of sub-item (with the grid model checked by
// QAbstractItemModelTester), the recording time left, the lending flow, the
// custom field editors, pictures, publishers, and what survives a reload.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QImageWriter>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "AppDialogDriver.h"
#include "DocumentTestBase.h"
#include "app/dialogs/LibrarySearchDlg.h"
#include "app/pages/CheckOutPage.h"
#include "app/pages/CustomFieldsPage.h"
#include "app/pages/CustomValuesForm.h"
#include "app/pages/ElectronicPage.h"
#include "app/pages/PageFactory.h"
#include "app/pages/PicturePage.h"
#include "app/pages/PropertyFlagsPage.h"
#include "app/pages/PublisherPage.h"
#include "app/pages/SubItemFieldsDlg.h"
#include "app/pages/SubItemModel.h"
#include "app/pages/SubItemsPage.h"
#include "data/model/Book.h"
#include "data/model/CDRec.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/model/ReportProperties.h"
#include "data/session/SharedLists.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/CustomValueEdit.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/util/Clock.h"
#include "platform/util/FileUtils.h"
#include "platform/util/Person.h"

using U = CMediaUtils;
using Field = CSubItemGrid::Field;

namespace {

const COleDateTime kNow(2024, 5, 6, 10, 0, 0);

// A 1x1 GIF: Qt reads GIF but cannot write it.
const QByteArray kGif
    = QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");

QStringList Titles(const QList<CItemPage*>& pages)
{
    QStringList titles;
    for (const CItemPage* page : pages)
        titles << page->Title();
    return titles;
}

template <class Page> Page* Find(const QList<CItemPage*>& pages)
{
    for (CItemPage* page : pages)
        if (auto* found = qobject_cast<Page*>(page))
            return found;
    return nullptr;
}

QStringList Column(const CSubItemModel& model, Field field)
{
    QStringList texts;
    const int column = model.FindColumn(field);
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

} // namespace

class TestPages : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        CClock::SetNowForTesting(kNow);
        QVERIFY(m_doc->OnNewDocument());
        m_doc->CreateNewLibrary();
        QVERIFY(m_doc->GetLibrary());
        m_tabs = std::make_unique<QTabWidget>();
        m_tabs->resize(720, 300);
    }
    void cleanup()
    {
        m_tabs.reset();
        DropDocument();
        CClock::ResetForTesting();
        CPublisherMgr::DeleteInstance();
        CPersonMgr::DeleteInstance();
        CMagazineMgr::DeleteInstance();
    }

    void pagesFollowTheItemClass_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("titles");
        const QString tail = "|Pu&blisher|C&ustom Fields|P&icture|Check-&Out";
        QTest::newRow("book") << U::MEDIA_BOOK << "&Chapters|&Electronic" + tail;
        QTest::newRow("magazine") << U::MEDIA_MAGAZINE << "A&rticles|C&ustom Fields|P&icture|Check-&Out";
        QTest::newRow("CD") << U::MEDIA_CD << "&Tracks|&Audio" + tail;
        QTest::newRow("8-track") << U::MEDIA_8TRACK << "&Programs/Tracks|&Audio" + tail;
        QTest::newRow("DualDisc") << U::MEDIA_DUALDISC << "&Tracks|&Audio|Special &Features" + tail;
        QTest::newRow("rec. CD") << U::MEDIA_CDREC << "&Tracks|&Audio|C&ustom Fields|P&icture|Check-&Out";
        QTest::newRow("cassette") << U::MEDIA_CASSETTE << "&Recordings|&Audio" + tail;
        QTest::newRow("rec. DVD") << U::MEDIA_DVDREC << "&Recordings|&Audio|&Video|C&ustom Fields|P&icture|Check-&Out";
        QTest::newRow("video tape") << U::MEDIA_VIDEOTAPE << "&Recordings|&Audio|&Video|Special &Features" + tail;
        QTest::newRow("DVD") << U::MEDIA_DVD << "&Audio|&Video|Special &Features" + tail;
        QTest::newRow("video game") << U::MEDIA_VIDEOGAME << "&Video" + tail;
        QTest::newRow("software") << U::MEDIA_SOFTWARE << tail.mid(1);
    }
    void pagesFollowTheItemClass()
    {
        QFETCH(int, type);
        QFETCH(QString, titles);
        const QList<CItemPage*> pages = CPageFactory::CreatePages(type, m_doc.get(), m_tabs.get());
        QCOMPARE(Titles(pages).join('|'), titles);
        CMediaItem* item = m_doc->GetLibrary()->CreateMediaItem(type, nullptr);
        for (CItemPage* page : pages) {
            m_tabs->addTab(page, page->Title());
            page->SetItem(item);
            QVERIFY2(page->isEnabled(), qPrintable(page->Title()));
            QCOMPARE(page->CanAddSubItem(), qobject_cast<CSubItemsPage*>(page) != nullptr);
            page->SetItem(nullptr);
            QVERIFY2(!page->isEnabled(), qPrintable(page->Title()));
            QVERIFY(!page->CanAddSubItem() && !page->AddSubItem());
        }
    }

    void everyTypeHasDistinctTabMnemonics()
    {
        for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
            QSet<QChar> keys;
            const QList<CItemPage*> pages = CPageFactory::CreatePages(type, m_doc.get(), m_tabs.get());
            QVERIFY(!pages.isEmpty());
            for (const CItemPage* page : pages) {
                const QString title = page->Title();
                keys.insert(title.at(title.indexOf('&') + 1).toLower());
            }
            QCOMPARE(keys.size(), pages.size());
            qDeleteAll(pages);
        }
    }

    void subItemEditing_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("numbered");
        QTest::addColumn<QString>("lengthShown");
        QTest::newRow("chapters") << U::MEDIA_BOOK << true << QString();
        QTest::newRow("articles") << U::MEDIA_MAGAZINE << false << QString();
        QTest::newRow("tracks") << U::MEDIA_CD << true << "03:05";
        QTest::newRow("recordings") << U::MEDIA_CASSETTE << false << "03:05";
        QTest::newRow("video recordings") << U::MEDIA_VIDEOTAPE << true << "3:05:00";
    }
    void subItemEditing()
    {
        QFETCH(int, type);
        QFETCH(bool, numbered);
        QFETCH(QString, lengthShown);
        CMediaItem* item = m_doc->GetLibrary()->CreateMediaItem(type, nullptr);
        CSubItemsPage page(m_doc.get(), type);
        QAbstractItemModelTester tester(page.GetModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&page, &CItemPage::ItemChanged);
        page.SetItem(item);
        CSubItemModel& model = *page.GetModel();
        const int title = model.FindColumn(Field::Title);
        for (const char* name : { "one", "two", "three" }) {
            QVERIFY(page.AddSubItem());
            QVERIFY(model.setData(model.index(model.rowCount() - 1, title), name));
        }
        QCOMPARE(item->GetSubItemCount(), 3);
        if (numbered)
            QCOMPARE(
                Column(model, type == U::MEDIA_BOOK ? Field::Chapter : Field::Track), QStringList({ "1", "2", "3" }));

        const int length = model.FindColumn(Field::Length);
        if (!lengthShown.isEmpty()) {
            QVERIFY(model.setData(model.index(0, length), type == U::MEDIA_VIDEOTAPE ? "3:05:00" : "3:05"));
            QCOMPARE(model.index(0, length).data().toString(), lengthShown);
            // A time that had to be corrected says so, once the editor is closed.
            QVERIFY(model.setData(model.index(1, length), "1:90"));
            QTRY_COMPARE(m_box->LastTitle(), QString("Data Modified"));
            QVERIFY(m_box->LastText().contains("\"1:90\" was not valid"));
        }

        page.GetGrid()->setCurrentIndex(model.index(2, title));
        QVERIFY(page.MoveUp());
        QCOMPARE(Column(model, Field::Title), QStringList({ "one", "three", "two" }));
        QVERIFY(page.MoveDown());
        QCOMPARE(Column(model, Field::Title), QStringList({ "one", "two", "three" }));
        QVERIFY(!page.MoveDown());
        QVERIFY(page.MoveUp());

        page.GetGrid()->setCurrentIndex(model.index(0, title));
        if (type == U::MEDIA_MAGAZINE) {
            m_box->SetNextAnswer(CMessageBox::No);
            QVERIFY(!page.DeleteSubItem());
            QCOMPARE(m_box->LastTitle(), QString("Delete Article"));
            QCOMPARE(
                m_box->LastText(), QString("VemoLibrary is about to permanently remove this article.\n\nContinue?"));
        }
        QVERIFY(page.DeleteSubItem());
        QCOMPARE(Column(model, Field::Title), QStringList({ "three", "two" }));
        QCOMPARE(item->GetSubItemCount(), 2);
        if (numbered) {
            QCOMPARE(Column(model, type == U::MEDIA_BOOK ? Field::Chapter : Field::Track), QStringList({ "1", "2" }));
            QVERIFY(model.setData(
                model.index(0, model.FindColumn(type == U::MEDIA_BOOK ? Field::Chapter : Field::Track)), "7"));
            QVERIFY(page.Renumber());
            QCOMPARE(Column(model, type == U::MEDIA_BOOK ? Field::Chapter : Field::Track), QStringList({ "1", "2" }));
        } else {
            QVERIFY(!page.Renumber());
        }
        QVERIFY(changed.count() >= 6);
        QVERIFY(m_doc->IsModified());
    }

    void deletingLeavesNoRowBehind()
    {
        CMediaItem* cd = m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_CD, nullptr);
        CSubItemsPage page(m_doc.get(), U::MEDIA_CD);
        page.SetItem(cd);
        for (int i = 0; i < 4; ++i)
            page.AddSubItem();
        CSubItemModel& model = *page.GetModel();
        QVERIFY(model.setData(model.index(3, model.FindColumn(Field::Title)), "Doomed"));
        // A search window that found the track drops its results first.
        CLibrarySearchDlg* search = m_doc->OnEditSearch();
        QVERIFY(search);
        search->SetSearchText("doomed");
        search->SetIncludeSubItems(true);
        search->SetMediaTypeChecked(U::MEDIA_CD, true);
        QVERIFY(search->Search() > 0);
        CMediaSubItem* doomed = cd->GetSubItemAt(3);
        page.GetGrid()->setCurrentIndex(model.index(3, 0));
        QSignalSpy removed(&model, &QAbstractItemModel::rowsAboutToBeRemoved);
        QVERIFY(page.DeleteSubItem());
        QCOMPARE(search->GetResultCount(), 0);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(model.RowOf(doomed), -1);
        QCOMPARE(model.rowCount(), cd->GetSubItemCount());
        // The current row moved to the new last one.
        QCOMPARE(page.GetGrid()->currentIndex().row(), 2);
    }

    void newArticleTakesInitialValues()
    {
        auto* field = new CCustomField;
        field->SetName("Read");
        field->SetInitialValue("not yet");
        m_doc->GetLibrary()->GetCustomFieldMgr(U::MEDIA_MAGAZINE)->Add(field);
        CMediaItem* issue = m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_MAGAZINE, nullptr);
        CSubItemsPage page(m_doc.get(), U::MEDIA_MAGAZINE);
        page.SetItem(issue);
        QVERIFY(page.AddSubItem() && page.InsertSubItem());
        for (int row = 0; row < 2; ++row)
            QCOMPARE(CCustomValueEdit::GetText(*issue->GetSubItemAt(row), 0, *field), CString("not yet"));
    }

    // An article keeps values of its own: edited over the selected row, OK
    // keeps them, Cancel puts them back, and they come back after a reload.
    void articleCustomFieldsSurviveReopening()
    {
        CLibrary* library = m_doc->GetLibrary();
        for (auto [name, type] : { std::pair("Read", CF_TEXT), std::pair("Favourite", CF_TRUEFALSE) }) {
            auto* field = new CCustomField;
            field->SetName(name);
            field->SetDataType(type);
            library->GetCustomFieldMgr(U::MEDIA_MAGAZINE)->Add(field);
        }
        const CCustomField& read = *library->GetCustomFieldMgr(U::MEDIA_MAGAZINE)->GetFieldAt(0);
        CMediaItem* issue = library->CreateMediaItem(U::MEDIA_MAGAZINE, nullptr);
        issue->SetTitle("Spring");
        CSubItemsPage page(m_doc.get(), U::MEDIA_MAGAZINE);
        QAbstractButton* button = nullptr;
        for (QAbstractButton* each : page.findChildren<QAbstractButton*>())
            button = each->text() == "Custom &Fields..." ? each : button;
        QVERIFY(button && !button->isHidden() && !button->isEnabled());
        page.SetItem(issue);
        QVERIFY(!button->isEnabled() && !page.EditSubItemFields());
        QVERIFY(page.AddSubItem() && page.AddSubItem());
        QVERIFY(button->isEnabled());

        // Text typed, then a box ticked: the OK takes both into the second article.
        const auto edit = [](const QString& text, bool ok) {
            WhenShown<CSubItemFieldsDlg>([text, ok](CSubItemFieldsDlg* dialog) {
                qobject_cast<QLineEdit*>(dialog->GetForm()->GetEditor(0))->setText(text);
                qobject_cast<QCheckBox*>(dialog->GetForm()->GetEditor(1))->click();
                ok ? dialog->accept() : dialog->reject();
            });
        };
        CMediaSubItem* article = issue->GetSubItemAt(1);
        edit("twice", true);
        QVERIFY(page.EditSubItemFields());
        QVERIFY(m_doc->IsModified());
        edit("never", false);
        QVERIFY(!page.EditSubItemFields());
        QCOMPARE(CCustomValueEdit::GetText(*article, 0, read), CString("twice"));
        QVERIFY(CCustomValueEdit::GetBool(*article, 1));
        QCOMPARE(issue->GetSubItemAt(0)->GetCustomValues()->GetValueAt(0), nullptr);
        QCOMPARE(issue->GetCustomValues()->GetValueAt(0), nullptr);

        page.SetItem(nullptr);
        QVERIFY(!button->isEnabled());
        QVERIFY(m_doc->SaveLibrary());
        const CString name = m_doc->GetLibraryName();
        m_doc->CloseLibrary();
        m_doc->OpenLibrary(name, false);
        CMediaItemList items;
        CMediaTypeSelection magazines;
        magazines.SetShowAll(true);
        m_doc->GetLibrary()->GetMediaItems(magazines, items);
        QCOMPARE(items.GetCount(), 1);
        const CMediaItem* reloaded = items.GetHead();
        const CCustomField& readAgain = *m_doc->GetLibrary()->GetCustomFieldMgr(U::MEDIA_MAGAZINE)->GetFieldAt(0);
        QCOMPARE(CCustomValueEdit::GetText(*reloaded->GetSubItemAt(1), 0, readAgain), CString("twice"));
        QVERIFY(CCustomValueEdit::GetBool(*reloaded->GetSubItemAt(1), 1));
        QCOMPARE(reloaded->GetSubItemAt(0)->GetCustomValues()->GetValueAt(0), nullptr);

        // Sub-items without values of their own get no such button.
        CSubItemsPage chapters(m_doc.get(), U::MEDIA_BOOK);
        QVERIFY(!chapters.SubItemsHaveFields());
    }

    void remainingTimeFollowsTheMediaSize()
    {
        auto* disc = dynamic_cast<CCDRec*>(m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_CDREC, nullptr));
        disc->SetMediaSize(3600);
        CSubItemsPage page(m_doc.get(), U::MEDIA_CDREC);
        page.SetItem(disc);
        QCOMPARE(page.RemainingText(), QString("Recording time left: 60 min. remain"));
        page.AddSubItem();
        page.GetModel()->setData(page.GetModel()->index(0, page.GetModel()->FindColumn(Field::Length)), "58:00");
        QCOMPARE(page.RemainingText(), QString("Recording time left: 2 min. remain"));
        QCOMPARE(page.LengthText(), QString("Total length: 58:00"));
        disc->SetMediaSize(4800);
        page.OnMediaSizeChanged();
        QCOMPARE(page.RemainingText(), QString("Recording time left: 22 min. remain"));
        disc->SetMediaSize(0);
        page.OnMediaSizeChanged();
        QCOMPARE(page.RemainingText(), QString());
    }

    void checkOutFlow()
    {
        CCheckoutSettings* settings = m_doc->GetLibrary()->GetCheckoutSettings();
        settings->SetSpecifyDuration(true);
        settings->SetDuration(2);
        settings->SetDurationType(coWeeks);
        CMediaItem* dvd = m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_DVD, nullptr);
        CCheckOutPage page(m_doc.get());
        page.SetItem(dvd);
        const int ann = page.AddBorrower(std::make_unique<CPerson>("Ann", "", "Archer"));
        const int bob = page.AddBorrower(std::make_unique<CPerson>("Bob", "", "Baker"));
        QVERIFY(ann > 0 && bob > ann);
        // The same person again is chosen, not added twice.
        QCOMPARE(page.AddBorrower(std::make_unique<CPerson>("ann", "", "ARCHER")), ann);

        page.SelectBorrower(0);
        QVERIFY(!page.CheckOut());
        QCOMPARE(m_box->LastTitle(), QString("Check Out"));
        QVERIFY(m_box->LastText().startsWith("Please choose the borrower first"));
        QCOMPARE(dvd->GetCheckOut()->GetEntryCount(), 0);

        QVERIFY(page.SelectBorrower(ann) && page.Reserve());
        QVERIFY(page.SelectBorrower(bob) && page.Reserve());
        QCOMPARE(page.GetStatusText(), QString("Reserved for Archer, Ann"));

        page.SelectBorrower(ann);
        QVERIFY(page.GetDueCheck()->isChecked());
        QCOMPARE(page.GetDueEdit()->dateTime(), QDateTime(QDate(2024, 5, 20), QTime(0, 0)));
        page.GetDueEdit()->setDateTime(QDateTime(QDate(2024, 5, 1), QTime(10, 0)));
        QVERIFY(!page.CheckOut());
        QCOMPARE(m_box->LastText(), QString("The due date cannot be before the check-out date."));
        page.GetDueEdit()->setDateTime(QDateTime(QDate(2024, 5, 20), QTime(0, 0)));
        QVERIFY(page.CheckOut());
        QCOMPARE(
            page.GetStatusText(), QString("Checked out to Archer, Ann, due 2024-05-20; checked out 1 time in all"));
        QCOMPARE(dvd->GetCheckOut()->GetEntryCount(), 2);

        // Seen three weeks later, the loan is overdue and shown in red.
        CClock::SetNowForTesting(COleDateTime(2024, 5, 27, 9, 0, 0));
        page.SetItem(dvd);
        QVERIFY(page.GetStatusText().contains("(overdue)"));
        QCOMPARE(page.GetHistory()->item(0, 0)->foreground().color(), QColor(0xC0, 0x00, 0x00));

        QVERIFY(page.Return());
        QCOMPARE(page.GetStatusText(), QString("Reserved for Baker, Bob; checked out 1 time in all"));
        QCOMPARE(dvd->GetCheckOut()->GetCurrentState(), CCheckOut::stateReserved);
        QCOMPARE(dvd->GetCheckOut()->GetReservedTo()->GetPersonID(), bob);
        QVERIFY(!page.Return());
        QCOMPARE(m_box->LastText(), QString("The item is not checked out."));
    }

    void customFieldEditorsWriteTheirSlots_data()
    {
        QTest::addColumn<int>("dataType");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("stored");
        QTest::newRow("text") << int(CF_TEXT) << "signed by the author"
                              << "signed by the author";
        QTest::newRow("date") << int(CF_DATE) << "5/6/2024"
                              << "2024-05-06";
        QTest::newRow("not a date") << int(CF_DATE) << "someday"
                                    << "";
        QTest::newRow("true/false") << int(CF_TRUEFALSE) << "click"
                                    << "Y";
        QTest::newRow("selection list") << int(CF_SELECTIONLIST) << "Fine"
                                        << "Fine";
        QTest::newRow("local file") << int(CF_LOCALFILENAME) << "/home/ann/scan.pdf"
                                    << "/home/ann/scan.pdf";
        QTest::newRow("web address") << int(CF_WEBADDRESS) << "https://example.org"
                                     << "https://example.org";
    }
    void customFieldEditorsWriteTheirSlots()
    {
        QFETCH(int, dataType);
        QFETCH(QString, input);
        QFETCH(QString, stored);
        CCustomFieldMgr* fields = m_doc->GetLibrary()->GetCustomFieldMgr(U::MEDIA_BOOK);
        // The field under test sits second, so that its slot index counts.
        for (CFDataType type : { CF_TEXT, static_cast<CFDataType>(dataType) }) {
            auto* field = new CCustomField;
            field->SetName(fields->GetFieldCount() == 0 ? "Shelf" : "Condition");
            field->SetDataType(type);
            if (type == CF_SELECTIONLIST)
                for (const char* choice : { "Mint", "Fine", "Poor" })
                    field->AddSelectionListItem(choice);
            fields->Add(field);
        }
        CMediaItem* book = m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_BOOK, nullptr);
        CCustomFieldsPage page(m_doc.get(), U::MEDIA_BOOK);
        QSignalSpy changed(&page, &CItemPage::ItemChanged);
        page.SetItem(book);
        QCOMPARE(page.GetFieldCount(), 2);
        QWidget* editor = page.GetEditor(1);
        QCOMPARE(editor->accessibleName(), QString("Condition"));
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            edit->setText(input);
            page.TakeOver();
        } else if (auto* box = qobject_cast<QCheckBox*>(editor)) {
            box->click();
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(input);
            emit combo->activated(combo->currentIndex());
        }
        const CCustomField& field = *fields->GetFieldAt(1);
        if (field.GetDataType() == CF_TRUEFALSE)
            QCOMPARE(CCustomValueEdit::GetBool(*book, 1), true);
        QCOMPARE(QString::fromStdString(CCustomValueEdit::GetText(*book, 1, field)), stored);
        QCOMPARE(book->GetCustomValues()->GetValueAt(0), nullptr);
        QCOMPARE(changed.count(), stored.isEmpty() ? 0 : 1);
        if (stored.isEmpty())
            QCOMPARE(m_box->LastTitle(), QString("Data Modified"));
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("type");
        QTest::addColumn<QSize>("proposed");
        QTest::newRow("JPEG cover of a book") << "jpg" << U::MEDIA_BOOK << QSize(200, 300);
        QTest::newRow("PNG of a CD") << "png" << U::MEDIA_CD << QSize(300, 150);
        QTest::newRow("BMP of a DVD") << "bmp" << U::MEDIA_DVD << QSize(120, 90);
        QTest::newRow("GIF of a game") << "gif" << U::MEDIA_VIDEOGAME << QSize(1, 1);
        QTest::newRow("WebP of a book") << "webp" << U::MEDIA_BOOK << QSize(300, 300);
    }
    void pictures()
    {
        QFETCH(QString, format);
        QFETCH(int, type);
        QFETCH(QSize, proposed);
        QTemporaryDir dir;
        const QString path = dir.filePath("cover." + format);
        if (format == "gif") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kGif) == kGif.size());
        } else {
            QVERIFY2(QImageWriter::supportedImageFormats().contains(format.toLatin1()), "image format plugin missing");
            const QSize size = proposed == QSize(200, 300) ? QSize(400, 600)
                : proposed == QSize(300, 150)              ? QSize(900, 450)
                : proposed == QSize(300, 300)              ? QSize(301, 301)
                                                           : proposed;
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            QVERIFY(image.save(path));
        }
        CMediaItem* item = m_doc->GetLibrary()->CreateMediaItem(type, nullptr);
        CPicturePage page(m_doc.get(), type);
        page.SetItem(item);
        QCOMPARE(page.GetStateText(), QString("No picture"));
        QVERIFY(page.ChoosePicture(path));
        QVERIFY(page.IsPictureShown());
        const CReportProperties* properties = item->GetReportProperties();
        QCOMPARE(QSize(properties->GetImageWidth(), properties->GetImageHeight()), proposed);
        const CString folder = dir.path().toStdString() + "/";
        QCOMPARE(type == U::MEDIA_BOOK ? m_settings->GetLastBookImageDir() : m_settings->GetLastImageDir(), folder);
        QVERIFY(type == U::MEDIA_BOOK ? m_settings->GetLastImageDir() != folder
                                      : m_settings->GetLastBookImageDir() != folder);
        QCOMPARE(m_doc->GetImageDir(type), folder);
    }

    void missingPictureIsNotFound()
    {
        CMediaItem* book = m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_BOOK, nullptr);
        book->GetReportProperties()->SetImageFile("/nowhere/cover.jpg");
        CPicturePage page(m_doc.get(), U::MEDIA_BOOK);
        page.SetItem(book);
        QCOMPARE(page.GetStateText(), QString("Picture not found"));
        QVERIFY(!page.IsPictureShown());
        QCOMPARE(page.GetFileEdit()->text(), QString("/nowhere/cover.jpg"));

        // Choosing a file that is not there (or no picture) changes nothing.
        QVERIFY(!page.ChoosePicture("/nowhere/other.png"));
        QCOMPARE(m_box->LastTitle(), QString("Picture"));
        QTemporaryDir dir;
        QFile text(dir.filePath("notes.jpg"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a picture"));
        text.close();
        QVERIFY(!page.ChoosePicture(text.fileName()));
        QCOMPARE(book->GetReportProperties()->GetImageFile(), CString("/nowhere/cover.jpg"));

        QVERIFY(page.RemovePicture());
        QCOMPARE(book->GetReportProperties()->GetImageFile(), CString());
        QCOMPARE(page.GetStateText(), QString("No picture"));
    }

    void publisherAddedHereIsSharedAfterReload()
    {
        CMediaItem* cd = m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_CD, nullptr);
        CPublisherPage page(m_doc.get());
        page.SetItem(cd);
        QSignalSpy hints(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
        auto label = std::make_unique<CPerson>("", "", "Blue Note");
        label->SetAddress("New York");
        const int id = page.AddPublisher(std::move(label));
        QVERIFY(id > 0);
        QCOMPARE(cd->GetPublisherID(), id);
        QVERIFY(hints.contains(QVariantList { int(CVemoLibraryDoc::HintSharedData) }));
        QCOMPARE(page.GetAddressEdit()->toPlainText(), QString("New York"));
        page.GetPhoneEdit()->setText("555-0100");
        page.TakeOver();

        CPublisherMgr::DeleteInstance();
        m_doc->LoadSharedData();
        const CPerson* reloaded = CPublisherMgr::GetInstance()->GetPublisher(id);
        QVERIFY(reloaded);
        QCOMPARE(reloaded->GetLastName(), CString("Blue Note"));
        QCOMPARE(reloaded->GetAddress(), CString("New York"));
        QCOMPARE(reloaded->GetWorkPhone(), CString("555-0100"));
    }

    // Another program added a publisher and a borrower meanwhile, taking the
    // ids this one hands out next: the records added here get new ids when
    // written, and the pages choose them, not the other program's.
    void recordsAddedHereKeepTheirOwnIdsWhenAnotherProgramTookThem()
    {
        CSharedLists other = CSharedLists::FromManagers();
        CPerson label(CString(), CString(), "Their Label");
        label.SetUniqueID(other.publishers.nextID++);
        other.publishers.records.push_back(label);
        CPerson reader("Tom", "", "Theirs");
        reader.SetUniqueID(other.persons.nextID++);
        other.persons.records.push_back(reader);
        const CString shared = m_doc->GetSession().GetFolder().SharedDataPath();
        QVERIFY(CFileUtils::WriteFileAtomic(shared, other.ToBytes()));

        CMediaItem* cd = m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_CD, nullptr);
        CPublisherPage publisherPage(m_doc.get());
        publisherPage.SetItem(cd);
        const int publisherID = publisherPage.AddPublisher(std::make_unique<CPerson>("", "", "Blue Note"));
        QVERIFY(publisherID != label.GetUniqueID());
        QCOMPARE(cd->GetPublisherID(), publisherID);
        QCOMPARE(CPublisherMgr::GetInstance()->GetPublisher(publisherID)->GetLastName(), CString("Blue Note"));
        QCOMPARE(
            CPublisherMgr::GetInstance()->GetPublisher(label.GetUniqueID())->GetLastName(), CString("Their Label"));

        CCheckOutPage lending(m_doc.get());
        lending.SetItem(cd);
        const int borrowerID = lending.AddBorrower(std::make_unique<CPerson>("Ann", "", "Archer"));
        QVERIFY(borrowerID != reader.GetUniqueID());
        QCOMPARE(lending.GetBorrowerID(), borrowerID);
        QCOMPARE(CPersonMgr::GetInstance()->GetPerson(borrowerID)->GetLastName(), CString("Archer"));
        const std::map<int, CString> expected { { reader.GetUniqueID(), "Theirs" }, { borrowerID, "Archer" } };
        std::map<int, CString> written;
        for (const CPerson& person : CSharedLists::FromBytes(FileBytes(shared)).persons.records)
            written[person.GetUniqueID()] = person.GetLastName();
        QCOMPARE(written, expected);
    }

    void flagsGoThroughThePropertyMap()
    {
        CMediaItem* dvd = m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_DVD, nullptr);
        CPropertyFlagsPage audio(m_doc.get(), CPropertyFlagsPage::Audio);
        CPropertyFlagsPage features(m_doc.get(), CPropertyFlagsPage::SpecialFeatures);
        audio.SetItem(dvd);
        features.SetItem(dvd);
        QVERIFY(audio.GetBox("Stereo")->isChecked());
        audio.GetBox("DTS")->click();
        audio.GetChannels()->setValue(5);
        features.GetBox("Commentary")->click();
        auto value = [dvd](const CString& key) {
            CMapStringToString data;
            data.SetAt(key, "?");
            dvd->GetData(data);
            CString text;
            data.Lookup(key, text);
            return text;
        };
        QCOMPARE(value(U::MEDIA_PROP_AUDIO_DTS), CString("Y"));
        QCOMPARE(value(U::MEDIA_PROP_AUDIO_FULLCHANNELS), CString("5"));
        QCOMPARE(value(U::MEDIA_PROP_SFCOMMENTARY), CString("Y"));
    }

    void electronicBookOpensFileOrAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened");
        QTest::newRow("web address") << "https://example.org/book"
                                     << "https://example.org/book";
        QTest::newRow("www without scheme") << "www.example.org"
                                            << "http://www.example.org";
        QTest::newRow("file") << "/books/dune.epub"
                              << "file:///books/dune.epub";
        QTest::newRow("file URL") << "file:///books/dune.epub"
                                  << "file:///books/dune.epub";
    }
    void electronicBookOpensFileOrAddress()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        auto* book = dynamic_cast<CBook*>(m_doc->GetLibrary()->CreateMediaItem(U::MEDIA_BOOK, nullptr));
        CElectronicPage page(m_doc.get());
        page.SetItem(book);
        page.GetLocationEdit()->setText(typed);
        page.TakeOver();
        QCOMPARE(QString::fromStdString(book->GetEFileURL()), typed);
        QCOMPARE(page.GetOpenTarget(), opened);
    }

    // A collector's CD with tracks, a lent and returned DVD, a book with a
    // custom value and a cover: all of it there after the library and the
    // shared data are read again.
    void collectorsDataSurvivesReopening()
    {
        CLibrary* library = m_doc->GetLibrary();
        CMediaItem* cd = library->CreateMediaItem(U::MEDIA_CD, nullptr);
        cd->SetTitle("Kind of Blue");
        CSubItemsPage tracks(m_doc.get(), U::MEDIA_CD);
        tracks.SetItem(cd);
        CSubItemModel& model = *tracks.GetModel();
        for (const char* length : { "9:22", "9:37" }) {
            tracks.AddSubItem();
            model.setData(model.index(model.rowCount() - 1, model.FindColumn(Field::Length)), length);
        }
        QCOMPARE(tracks.LengthText(), QString("Total length: 18:59"));

        CMediaItem* dvd = library->CreateMediaItem(U::MEDIA_DVD, nullptr);
        dvd->SetTitle("Metropolis");
        CCheckOutPage lending(m_doc.get());
        lending.SetItem(dvd);
        QVERIFY(lending.SelectBorrower(lending.AddBorrower(std::make_unique<CPerson>("Ann", "", "Archer"))));
        lending.GetDueCheck()->setChecked(true);
        lending.GetDueEdit()->setDateTime(QDateTime(QDate(2024, 5, 13), QTime(10, 0)));
        QVERIFY(lending.CheckOut());
        lending.GetDateEdit()->setDateTime(QDateTime(QDate(2024, 5, 12), QTime(18, 0)));
        QVERIFY(lending.Return());

        m_doc->GetLibrary()->GetCustomFieldMgr(U::MEDIA_BOOK)->Add(new CCustomField);
        CMediaItem* book = library->CreateMediaItem(U::MEDIA_BOOK, nullptr);
        book->SetTitle("Dune");
        CCustomFieldsPage custom(m_doc.get(), U::MEDIA_BOOK);
        custom.SetItem(book);
        qobject_cast<QLineEdit*>(custom.GetEditor(0))->setText("first edition");
        custom.TakeOver();
        book->GetReportProperties()->SetImageFile("/covers/dune.jpg");

        // As the view does before the library goes.
        for (CItemPage* page : std::initializer_list<CItemPage*> { &tracks, &lending, &custom })
            page->SetItem(nullptr);
        QVERIFY(m_doc->SaveLibrary());
        const CString name = m_doc->GetLibraryName();
        m_doc->CloseLibrary();
        CPersonMgr::DeleteInstance();
        m_doc->LoadSharedData();
        m_doc->OpenLibrary(name, false);
        library = m_doc->GetLibrary();
        QVERIFY(library);
        CMediaItemList items;
        CMediaTypeSelection all;
        all.SetShowAll(true);
        library->GetMediaItems(all, items);
        QMap<QString, CMediaItem*> byTitle;
        for (CMediaItem* item : items)
            byTitle[QString::fromStdString(item->GetTitle())] = item;
        QVERIFY(byTitle.contains("Kind of Blue") && byTitle.contains("Metropolis") && byTitle.contains("Dune"));

        tracks.SetItem(byTitle["Kind of Blue"]);
        QCOMPARE(Column(model, Field::Length), QStringList({ "09:22", "09:37" }));
        QCOMPARE(tracks.LengthText(), QString("Total length: 18:59"));
        const CCheckOut* history = byTitle["Metropolis"]->GetCheckOut();
        QCOMPARE(history->GetTimesCheckedOut(), 1);
        QCOMPARE(history->GetCurrentState(), CCheckOut::stateNone);
        QCOMPARE(QString::fromStdString(
                     CPersonMgr::GetInstance()->GetPerson(history->GetEntryAt(0)->GetPersonID())->FormName(true)),
            QString("Ann Archer"));
        custom.OnUpdate(CVemoLibraryDoc::HintNewLibrary);
        custom.SetItem(byTitle["Dune"]);
        QCOMPARE(qobject_cast<QLineEdit*>(custom.GetEditor(0))->text(), QString("first edition"));
        QCOMPARE(byTitle["Dune"]->GetReportProperties()->GetImageFile(), CString("/covers/dune.jpg"));
    }

    // Renders every page of a few filled items; with VEMO_PAGE_SCREENSHOTS
    // set, the PNGs go to that folder for review and the user guide.
    void renderPages()
    {
        QTemporaryDir scratch;
        const QString outDir = qEnvironmentVariableIsSet("VEMO_PAGE_SCREENSHOTS")
            ? qEnvironmentVariable("VEMO_PAGE_SCREENSHOTS")
            : scratch.path();
        QDir().mkpath(outDir);
        CLibrary* library = m_doc->GetLibrary();
        library->GetCheckoutSettings()->SetSpecifyDuration(true);

        CMediaItem* cd = library->CreateMediaItem(U::MEDIA_CD, nullptr);
        const char* titles[][2] = { { "So What", "9:22" }, { "Freddie Freeloader", "9:46" },
            { "Blue in Green", "5:37" }, { "All Blues", "11:33" }, { "Flamenco Sketches", "9:26" } };
        CSubItemsPage tracks(m_doc.get(), U::MEDIA_CD);
        tracks.SetItem(cd);
        CSubItemModel& model = *tracks.GetModel();
        for (const auto& [title, length] : titles) {
            tracks.AddSubItem();
            model.setData(model.index(model.rowCount() - 1, model.FindColumn(Field::Title)), title);
            model.setData(model.index(model.rowCount() - 1, model.FindColumn(Field::Length)), length);
        }

        CMediaItem* dvd = library->CreateMediaItem(U::MEDIA_DVD, nullptr);
        CCheckOutPage lending(m_doc.get());
        lending.SetItem(dvd);
        for (const char* last : { "Archer", "Baker", "Carter" }) {
            lending.SelectBorrower(lending.AddBorrower(std::make_unique<CPerson>("Sam", "", last)));
            QVERIFY(last == QString("Archer") ? lending.CheckOut() : lending.Reserve());
        }
        CClock::SetNowForTesting(COleDateTime(2024, 6, 3, 9, 0, 0));
        lending.SetItem(dvd);

        QTemporaryDir pictures;
        QImage cover(300, 450, QImage::Format_RGB32);
        {
            QPainter painter(&cover);
            QLinearGradient sky(0, 0, 0, 450);
            sky.setColorAt(0, QColor(0xE8, 0xA8, 0x4C));
            sky.setColorAt(1, QColor(0x7A, 0x3B, 0x12));
            painter.fillRect(cover.rect(), sky);
            painter.setPen(Qt::white);
            painter.setFont(QFont("Sans", 40, QFont::Bold));
            painter.drawText(cover.rect().adjusted(0, 60, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "DUNE");
        }
        QVERIFY(cover.save(pictures.filePath("dune.png")));
        CMediaItem* book = library->CreateMediaItem(U::MEDIA_BOOK, nullptr);
        CPicturePage picture(m_doc.get(), U::MEDIA_BOOK);
        picture.SetItem(book);
        QVERIFY(picture.ChoosePicture(pictures.filePath("dune.png")));

        const QList<QPair<QString, CItemPage*>> shots
            = { { "page-tracks", &tracks }, { "page-checkout", &lending }, { "page-picture", &picture } };
        for (const auto& [name, page] : shots) {
            page->TakeOver();
            m_tabs->addTab(page, page->Title());
            m_tabs->setCurrentWidget(page);
            m_tabs->show();
            QVERIFY(m_tabs->grab().save(outDir + "/" + name + ".png"));
        }
        const QPair<const char*, CFDataType> bookFields[]
            = { { "Signed", CF_TRUEFALSE }, { "Bought", CF_DATE }, { "Condition", CF_SELECTIONLIST },
                  { "Scan", CF_LOCALFILENAME }, { "Review", CF_WEBADDRESS }, { "Shelf", CF_TEXT } };
        for (const auto& [name, dataType] : bookFields) {
            auto* field = new CCustomField;
            field->SetName(name);
            field->SetDataType(dataType);
            library->GetCustomFieldMgr(U::MEDIA_BOOK)->Add(field);
        }
        for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
            QTabWidget tabs;
            tabs.resize(720, 300);
            CMediaItem* item = library->CreateMediaItem(type, nullptr);
            const QList<CItemPage*> pages = CPageFactory::CreatePages(type, m_doc.get(), &tabs);
            for (CItemPage* page : pages) {
                tabs.addTab(page, page->Title());
                page->SetItem(item);
                if (page->AddSubItem())
                    page->TakeOver();
            }
            tabs.show();
            for (CItemPage* page : pages) {
                tabs.setCurrentWidget(page);
                QApplication::processEvents();
                const QPixmap shot = tabs.grab();
                QVERIFY(!shot.isNull());
                if (outDir != scratch.path())
                    shot.save(
                        QString("%1/all-%2-%3.png").arg(outDir).arg(type).arg(page->Title().remove('&').remove('/')));
            }
        }
    }

private:
    std::unique_ptr<QTabWidget> m_tabs;
};

QTEST_MAIN(TestPages)
#include "test_pages.moc"
