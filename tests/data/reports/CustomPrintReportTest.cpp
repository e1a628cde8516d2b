#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ReportFixture.h"
#include "data/model/ItemLists.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomReport.h"
#include "data/store/LibraryImpl.h"
#include "data/store/MediaMgr.h"

namespace {

class PrintReportTest : public ReportTest {
protected:
    // A report over books, all categories, with the Title column.
    static void MakeBookReport(CCustomPrintReport& report)
    {
        report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
        report.AddCategory(1);
        report.AddColumn(CMediaUtils::MEDIA_PROP_TITLE);
        report.SetSortOrder(CMediaUtils::MEDIA_PROP_TITLE, "", "", "");
    }

    static CItemList Rows(const CCustomPrintReport& report)
    {
        CItemList rows;
        for (POSITION pos = report.GetHeadItem(); pos;)
            rows.AddTail(report.GetNextItem(pos));
        return rows;
    }

    CItemList BookList()
    {
        CItemList items;
        for (POSITION pos = m_library.GetHeadItem(U::MEDIA_BOOK); pos;)
            items.AddTail(m_library.GetNextItem(U::MEDIA_BOOK, pos));
        return items;
    }
};

struct EarlyStop {
    const char* name;
    bool mediaType;
    bool category;
    bool newCategoryOnly;
    bool column;
    bool items;
    bool itemInCategory;
    const char* message;
};

class PrintReportEarlyStop : public PrintReportTest, public ::testing::WithParamInterface<EarlyStop> { };

TEST_P(PrintReportEarlyStop, StopsWithItsMessageAndKeepsTheItems)
{
    const EarlyStop& c = GetParam();
    const int other = AddCategory("Other");
    AddBook("Dune", "", "", c.itemInCategory ? 1 : other);

    CCustomPrintReport report;
    MakeBookReport(report);
    CItemList first = BookList();
    report.Run(first, m_library.GetImpl(), 0, {});
    ASSERT_EQ(report.GetItemCount(), c.itemInCategory ? 1 : 0);
    const int before = report.GetItemCount();

    report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, c.mediaType);
    if (!c.category)
        report.ClearCategoryList();
    if (c.newCategoryOnly)
        report.AddNewCategory(1);
    if (!c.column)
        report.ClearColumns();
    CItemList items = c.items ? BookList() : CItemList();
    report.Run(items, m_library.GetImpl(), 0, {});

    EXPECT_EQ(report.GetRunErrorMsg(), c.message);
    EXPECT_EQ(report.GetItemCount(), before);
}

INSTANTIATE_TEST_SUITE_P(Messages, PrintReportEarlyStop,
    ::testing::Values(EarlyStop { "NoMediaType", false, true, false, true, true, true,
                          "There is nothing to show for this report. Select one or more media types." },
        EarlyStop { "OnlyNewCategories", true, false, true, true, true, true,
            "There is nothing to show for this report. Select one or more categories." },
        EarlyStop { "NoColumns", true, true, false, false, true, true,
            "There is nothing to show for this report. Select one or more data columns." },
        EarlyStop { "NoItems", true, true, false, true, false, true, "There is no data to show for this report." },
        EarlyStop { "FilteredAway", true, true, false, true, true, false,
            "After applying the category filters, there is no data to show for this report." }),
    [](const auto& info) { return info.param.name; });

TEST_F(PrintReportTest, CategoryFilterCountsNewCategoriesAndTakesNoCategoryAsTheNoneCategory)
{
    const int fiction = AddCategory("Fiction");
    const int poetry = AddCategory("Poetry");
    AddBook("A", "", "", fiction);
    AddBook("B", "", "", poetry);
    AddCD("Artist", "C"); // none category

    CCustomPrintReport report;
    MakeBookReport(report);
    report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_CD, true);
    report.ClearCategoryList();
    report.AddCategory(fiction);
    report.AddNewCategory(poetry);

    CItemList items = BookList();
    CCDTrack loose; // a sub-item without a category counts as category 1
    items.AddTail(&loose);
    items.AddTail(nullptr);
    report.Run(items, m_library.GetImpl(), 0, {});
    EXPECT_EQ(Titles(Rows(report)), (std::vector<CString> { "A", "B", "(null)" }));

    report.AddCategory(1);
    CItemList again = BookList();
    again.AddTail(&loose);
    report.Run(again, m_library.GetImpl(), 0, {});
    EXPECT_EQ(report.GetItemCount(), 3);
}

TEST_F(PrintReportTest, SubItemColumnSwapsMediaForTheirTracksInPlace)
{
    AddCD("Band", "Alpha", { "One", "Two" });
    AddCD("Band", "Beta");
    CCustomPrintReport report;
    report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_CD, true);
    report.AddCategory(1);
    report.AddColumn(CMediaUtils::MEDIA_PROP_ARTIST);
    report.AddColumn(CMediaUtils::MEDIA_PROP_TRACKTITLE);
    report.SetSortOrder(CMediaUtils::MEDIA_PROP_TITLE, CMediaUtils::MEDIA_PROP_TRACKNUMBER, "", "");
    m_library.PrepCustomPrintReport(&report, false, false, false, true);
    EXPECT_EQ(report.GetRunErrorMsg(), "");
    EXPECT_EQ(Titles(Rows(report)), (std::vector<CString> { "One", "Two", "Beta" }));
}

TEST_F(PrintReportTest, MagazineCustomFieldColumnAsksForArticlesOnlyWithALibrary)
{
    AddCustomField(CMediaUtils::MEDIA_MAGAZINE, "Rating");
    CCustomPrintReport report;
    report.AddColumn("Rating");
    EXPECT_FALSE(report.NeedsSubItems(m_library.GetImpl()));
    report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_MAGAZINE, true);
    EXPECT_TRUE(report.NeedsSubItems(m_library.GetImpl()));
    EXPECT_FALSE(report.NeedsSubItems(nullptr));
    // "Title" is shared by issues and articles: it asks for articles only
    // when magazines are in the report.
    CCustomPrintReport books;
    books.AddColumn(CMediaUtils::MEDIA_PROP_TITLE);
    books.GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
    EXPECT_FALSE(books.NeedsSubItems(m_library.GetImpl()));
    books.GetMediaIDs().SetShow(CMediaUtils::MEDIA_MAGAZINE, true);
    EXPECT_TRUE(books.NeedsSubItems(m_library.GetImpl()));
}

TEST_F(PrintReportTest, ChangingTheSortOrderSortsTheItemsAgain)
{
    AddBook("b", "2");
    AddBook("A", "10");
    AddBook("c", "1");
    CCustomPrintReport report;
    MakeBookReport(report);
    CItemList items = BookList();
    report.Run(items, m_library.GetImpl(), 0, {});
    EXPECT_EQ(Titles(Rows(report)), (std::vector<CString> { "A", "b", "c" }));
    report.SetSortOrder(CMediaUtils::MEDIA_PROP_SERIESNUMBER, "", "", "");
    EXPECT_EQ(Titles(Rows(report)), (std::vector<CString> { "c", "b", "A" }));
}

TEST_F(PrintReportTest, DefaultColumnsOfTwoTypesStartWithMediaAndAddOnlyNewColumns)
{
    m_library.SetName("Home");
    CCustomPrintReport book, cd;
    m_library.GetImpl()->GetMediaMgr(CMediaUtils::MEDIA_BOOK)->PrepareBasicReport(book, false);
    m_library.GetImpl()->GetMediaMgr(CMediaUtils::MEDIA_CD)->PrepareBasicReport(cd, false);

    CCustomPrintReport report;
    report.SetName("Shelf");
    report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_CD, true);
    report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
    m_library.PrepCustomPrintReport(&report, true, true, false, false);

    std::vector<CString> expected { CMediaUtils::MEDIA_PROP_MEDIA };
    for (int i = 0; i < book.GetColumnCount(); ++i)
        expected.push_back(book.GetColumnAt(i));
    for (int i = 0; i < cd.GetColumnCount(); ++i)
        if (std::find(expected.begin(), expected.end(), cd.GetColumnAt(i)) == expected.end())
            expected.push_back(cd.GetColumnAt(i));
    std::vector<CString> columns;
    for (int i = 0; i < report.GetColumnCount(); ++i)
        columns.push_back(report.GetColumnAt(i));
    EXPECT_EQ(columns, expected);
    EXPECT_GT(cd.GetColumnCount(), 0);
    EXPECT_EQ(report.GetName(), "Home Shelf");
    EXPECT_EQ(report.GetColumnAt(-1), "");
    EXPECT_EQ(report.GetColumnAt(report.GetColumnCount()), "");
}

TEST_F(PrintReportTest, AllColumnsListEveryPropertyOnceAndSelectingNoTypeStopsEarly)
{
    CCustomPrintReport report;
    report.SetName("X");
    report.AddColumn("Old");
    m_library.PrepCustomPrintReport(&report, false, true, true, true);
    EXPECT_EQ(report.GetColumnCount(), 0);
    EXPECT_EQ(report.GetName(), "X");

    report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_CD, true);
    m_library.PrepCustomPrintReport(&report, false, true, true, false);
    std::set<CString> unique;
    for (int i = 0; i < report.GetColumnCount(); ++i) {
        EXPECT_TRUE(CMediaUtils::IsDataProp(report.GetColumnAt(i))) << report.GetColumnAt(i);
        unique.insert(report.GetColumnAt(i));
    }
    EXPECT_EQ(unique.size(), static_cast<std::size_t>(report.GetColumnCount()));
    EXPECT_TRUE(unique.count(CMediaUtils::MEDIA_PROP_TRACKTITLE));
}

TEST_F(PrintReportTest, GatherFillsOneValuePerColumnWithCustomFields)
{
    AddCustomField(CMediaUtils::MEDIA_BOOK, "Signed");
    CBook* book = AddBook("Dune", "1", "Herbert");
    SetCustomText(book, "Signed", "by the author");
    CCustomPrintReport report;
    report.AddColumn(CMediaUtils::MEDIA_PROP_AUTHOR);
    report.AddColumn("Signed");
    report.AddColumn("Unknown");
    CMapStringToString values;
    values.SetAt("Stale", "x");
    m_library.GatherCustomPrintReportData(&report, book, values);
    EXPECT_EQ(values.GetCount(), 3);
    EXPECT_EQ(values["Author"], "Herbert");
    EXPECT_EQ(values["Signed"], "by the author");
    EXPECT_EQ(values["Unknown"], "");
}

struct AdjustCase {
    const char* prop;
    const char* text;
    const char* expected;
};

class AdjustTextTest : public ::testing::TestWithParam<AdjustCase> { };

TEST_P(AdjustTextTest, BlanksValuesThatMeanNothing)
{
    CString text = GetParam().text;
    CCustomReport::AdjustText(GetParam().prop, text);
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, AdjustTextTest,
    ::testing::Values(AdjustCase { "Title", "0", "" }, AdjustCase { "Length", "00:00", "" },
        AdjustCase { "Length", "0:00", "" }, AdjustCase { "Track Length", "0:00", "0:00" },
        AdjustCase { "Category", "<none>", "" }, AdjustCase { "Title", "<none>", "<none>" },
        AdjustCase { "Hardcover?", "N", "" }, AdjustCase { "Title", "N", "N" }, AdjustCase { "Hardcover?", "Y", "Y" },
        AdjustCase { "Year", "00", "00" }));

} // namespace
