// The dialogs of the library's settings and lists and what OK leaves in the
// library: categories, check-out settings, media settings, research
// entries and printed report settings. Cancel changes nothing.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

#include "AppDialogDriver.h"
#include "AppTestSupport.h"
#include "DocumentTestBase.h"
#include "app/dialogs/CategoryDlg.h"
#include "app/dialogs/CheckoutSettingsDlg.h"
#include "app/dialogs/MediaSettingsDlg.h"
#include "app/dialogs/MediaTypesDlg.h"
#include "app/dialogs/PrintedReportsSettingsDlg.h"
#include "app/dialogs/ResearchEntryDlg.h"
#include "app/doc/LibraryCommands.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/Category.h"
#include "data/model/MediaUtils.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/ResearchEntry.h"

class TestManagers : public QObject, protected CDocumentTestBase {
    Q_OBJECT

private slots:
    void init()
    {
        MakeDocument();
        m_doc->CreateNewLibrary();
        QVERIFY(Library());
        QVERIFY(!m_doc->IsModified());
        m_hints = std::make_unique<QSignalSpy>(m_doc.get(), &CVemoLibraryDoc::UpdateAllViews);
    }
    void cleanup()
    {
        m_hints.reset();
        DropDocument();
    }

    void categoryUsageTexts_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << "Category is not used.";
        QTest::newRow("one") << 1 << "Category is used by 1 Library item.";
        QTest::newRow("many") << 12 << "Category is used by 12 Library items.";
    }
    void categoryUsageTexts()
    {
        QFETCH(int, items);
        QFETCH(QString, text);
        QCOMPARE(CCategoryDlg::UsageText(items), text);
    }

    void categoriesAddedAndDeletedReachTheLibraryOnOk()
    {
        auto* rock = new CCategory("Rock", "loud");
        Library()->AddCategory(rock);
        const int rockID = rock->GetUniqueID();
        CMediaItem* album = Library()->CreateMediaItem(CMediaUtils::MEDIA_CD, nullptr);
        album->SetCategoryID(rockID);

        WhenShown<CCategoryDlg>([&](CCategoryDlg* dlg) {
            QCOMPARE(dlg->GetList()->count(), 2);
            dlg->GetList()->setCurrentRow(1);
            QCOMPARE(dlg->GetUsage()->text(), QString("Category is used by 1 Library item."));
            QVERIFY(dlg->AddCategory("Jazz", "smooth"));
            QVERIFY(!dlg->AddCategory("ROCK", ""));
            QVERIFY(!dlg->AddCategory("  ", ""));
            QVERIFY(!dlg->AddCategory("<none>", ""));
            QCOMPARE(m_box->Count(), 3);
            QVERIFY(!dlg->DeleteCategory("<none>"));
            QVERIFY(dlg->DeleteCategory("Rock"));
            // Added and deleted again: the library never sees it.
            QVERIFY(dlg->AddCategory("Blues", ""));
            QVERIFY(dlg->DeleteCategory("Blues"));
            dlg->accept();
        });
        m_doc->GetCommands()->OnCategories();

        QStringList names;
        CCategory* jazz = nullptr;
        for (POSITION pos = Library()->GetHeadCategory(); pos;) {
            CCategory* category = Library()->GetNextCategory(pos);
            names << Q(category->GetName());
            if (category->GetName() == "Jazz")
                jazz = category;
        }
        QCOMPARE(names, QStringList({ "<none>", "Jazz" }));
        QCOMPARE(jazz->GetDescription(), CString("smooth"));
        QVERIFY(!Library()->GetCategory(rockID));
        QCOMPARE(album->GetCategoryID(), 1);
        QVERIFY(m_doc->IsModified());
        QVERIFY(HintSent(CVemoLibraryDoc::HintCategories));
    }

    void categoriesCancelledChangeNothing()
    {
        WhenShown<CCategoryDlg>([&](CCategoryDlg* dlg) {
            QVERIFY(dlg->AddCategory("Jazz", ""));
            QVERIFY(!dlg->DeleteCategory("Nothing"));
            dlg->reject();
        });
        m_doc->GetCommands()->OnCategories();
        QVERIFY(!Library()->GetCategory(2));
        QVERIFY(!m_doc->IsModified());
        QCOMPARE(m_hints->count(), 0);
    }

    void checkoutSettingsCopyTheFiveValuesBack()
    {
        CCheckoutSettings before = *Library()->GetCheckoutSettings();
        WhenShown<CCheckoutSettingsDlg>([&](CCheckoutSettingsDlg* dlg) {
            QCOMPARE(dlg->GetSettings(), before);
            QVERIFY(!dlg->GetDuration()->isEnabled());
            dlg->GetSpecifyDuration()->setChecked(true);
            QVERIFY(dlg->GetDuration()->isEnabled());
            dlg->GetDuration()->setValue(10);
            dlg->GetDurationType()->setCurrentText("days");
            dlg->GetIncludeSignature()->setChecked(true);
            dlg->GetNotes()->setPlainText("Bring them back dry.");
            dlg->accept();
        });
        m_doc->GetCommands()->OnCheckoutSettings();
        const CCheckoutSettings* after = Library()->GetCheckoutSettings();
        QVERIFY(after->GetSpecifyDuration());
        QVERIFY(after->GetIncludeSignature());
        QCOMPARE(after->GetDuration(), 10);
        QCOMPARE(int(after->GetDurationType()), int(coDays));
        QCOMPARE(after->GetNotes(), CString("Bring them back dry."));
        QVERIFY(m_doc->IsModified());
    }

    void checkoutSettingsKeepAPeriodOutsideTheUsualRange()
    {
        CCheckoutSettings odd;
        odd.SetDuration(0);
        odd.SetDurationType(coYears);
        CCheckoutSettingsDlg dlg(odd);
        QCOMPARE(dlg.GetSettings(), odd);
    }

    void mediaSettingsStoreBothAndTellTheViews()
    {
        WhenShown<CMediaSettingsDlg>([&](CMediaSettingsDlg* dlg) {
            QCOMPARE(dlg->GetDefaultDVDRegion(), Library()->GetDefaultDVDRegion());
            dlg->GetTimedCounterBox()->setChecked(!Library()->GetCassetteUseTimedCounter());
            dlg->GetRegionBox()->setValue(2);
            dlg->accept();
        });
        const bool timedBefore = Library()->GetCassetteUseTimedCounter();
        m_doc->GetCommands()->OnMediaSettings();
        QCOMPARE(Library()->GetCassetteUseTimedCounter(), !timedBefore);
        QCOMPARE(Library()->GetDefaultDVDRegion(), 2);
        QVERIFY(m_doc->IsModified());
        QVERIFY(HintSent(CVemoLibraryDoc::HintMediaSettings));

        CMediaSettingsDlg odd(false, 12);
        QCOMPARE(odd.GetDefaultDVDRegion(), 12);
    }

    void researchEntriesAddedAndDeletedReachTheLibrary()
    {
        const int before = Library()->GetResearchEntryCount();
        QVERIFY(before > 0);
        const QString first = Q(Library()->GetResearchEntryAt(0)->GetName());
        WhenShown<CResearchEntryDlg>([&](CResearchEntryDlg* dlg) {
            QCOMPARE(dlg->GetEntryCount(), before);
            QVERIFY(dlg->AddEntry("Atlas of Records", "https://example.org/records"));
            QVERIFY(!dlg->AddEntry(first.toUpper(), "https://example.org/"));
            QVERIFY(!dlg->AddEntry("No Address", " "));
            QVERIFY(dlg->DeleteEntry(first));
            dlg->accept();
        });
        m_doc->GetCommands()->OnResearchManage();
        QStringList names;
        for (int i = 0; i < Library()->GetResearchEntryCount(); ++i)
            names << Q(Library()->GetResearchEntryAt(i)->GetName());
        QCOMPARE(names.size(), before);
        QVERIFY(names.contains("Atlas of Records"));
        QVERIFY(!names.contains(first));
        QVERIFY(m_doc->IsModified());
    }

    void researchListHoldsAtMostTheLimit()
    {
        std::vector<CResearchEntry*> none;
        CResearchEntryDlg dlg(none, 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(dlg.AddEntry(QString("Site %1").arg(i), "https://example.org/"));
        QVERIFY(!dlg.AddEntry("One Too Many", "https://example.org/"));
        QVERIFY(m_box->LastText().contains("at most 3"));
        QVERIFY(dlg.DeleteEntry("Site 0"));
        QVERIFY(dlg.AddEntry("One Too Many", "https://example.org/"));
        // The dialog still owns what it added: nothing leaks when it goes.
    }

    // Without a type the main window had nothing to show.
    void mediaTypesKeepOneSelected()
    {
        CMediaTypesDlg dlg(*Library()->GetMediaTypes());
        QSignalSpy finished(&dlg, &QDialog::finished);
        for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
            dlg.SetShow(type, false);
        QVERIFY(!dlg.GetOkButton()->isEnabled());
        QCOMPARE(dlg.GetOkButton()->toolTip(), CMediaTypesDlg::NONE_SELECTED_NOTE);
        QVERIFY(dlg.findChild<QLabel*>("noTypeNote")->isVisibleTo(&dlg));
        dlg.accept();
        QCOMPARE(finished.count(), 0);
        dlg.SetShow(CMediaUtils::MEDIA_SOFTWARE, true);
        QVERIFY(dlg.GetOkButton()->isEnabled());
        dlg.accept();
        QCOMPARE(finished.count(), 1);
    }

    void printedReportSettingsReachLibrarySettingsAndReports()
    {
        CFont header;
        header.faceName = "Serif";
        header.height = 18;
        header.weight = 700;
        WhenShown<CPrintedReportsSettingsDlg>([&](CPrintedReportsSettingsDlg* dlg) {
            dlg->SetPortrait(false);
            dlg->SetMargins(CRect(500, 750, 1000, 250));
            dlg->SetFont(CPrintedReportSettings::Header, header);
            dlg->SetColor(CPrintedReportSettings::Footer, 0x0000FF);
            dlg->accept();
        });
        m_doc->GetCommands()->OnPrintedReportsSettings();
        QVERIFY(!Library()->GetPrintPortrait());
        QCOMPARE(*Library()->GetPrintHeaderFont(), header);
        QCOMPARE(Library()->GetPrintFooterTextColor(), COLORREF(0x0000FF));
        QVERIFY(!m_doc->GetReportContext().portrait);
        QCOMPARE(m_doc->GetReportContext().footerColor, COLORREF(0x0000FF));
        QCOMPARE(m_doc->GetReportContext().margins.top, 750);
        QVERIFY(m_doc->IsModified());
        QVERIFY(HintSent(CVemoLibraryDoc::HintPrintSettings));

        // The margins were saved with the settings at once.
        CVemoLibrarySettings reread("/opt/vemo/bin/");
        bool firstRun = true;
        QVERIFY(reread.Read(firstRun));
        QCOMPARE(reread.GetPrintMargins().left, 500);
        QCOMPARE(reread.GetPrintMargins().bottom, 250);
    }

    void fontsAndColoursConvertBothWays()
    {
        CFont font;
        font.faceName = "Serif";
        font.height = 14;
        font.weight = 700;
        font.italic = true;
        font.charSet = 0;
        QCOMPARE(CPrintedReportsSettingsDlg::FromQFont(CPrintedReportsSettingsDlg::ToQFont(font), font), font);
        const COLORREF color = 0x00336699;
        QCOMPARE(CPrintedReportsSettingsDlg::ToQColor(color), QColor(0x99, 0x66, 0x33));
        QCOMPARE(CPrintedReportsSettingsDlg::FromQColor(CPrintedReportsSettingsDlg::ToQColor(color)), color);
    }

private:
    CLibrary* Library() const { return m_doc->GetLibrary(); }
    bool HintSent(int hint) const { return m_hints->contains(QVariantList { hint }); }

    std::unique_ptr<QSignalSpy> m_hints;
};

QTEST_MAIN(TestManagers)
#include "test_managers.moc"
