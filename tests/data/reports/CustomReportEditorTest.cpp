// The report windows' working copies and list operations: a definition
// stored and read back, what is refused before a report is kept, names and
// home pages of copies, the defaults put back, descending sort keys, and the
// one summary of a run of several web reports.

#include <gtest/gtest.h>

#include "WebReportFixture.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomReportEditor.h"
#include "data/reports/CustomReportList.h"
#include "data/store/LibraryImpl.h"
#include "platform/util/StringUtils.h"

namespace {

class CustomReportEditorTest : public WebReportTest { };

TEST_F(CustomReportEditorTest, PrintDefinitionIsStoredAndReadBackWhole)
{
    const int jazz = AddCategory("Jazz");
    AddCategory("Rock");
    AddCustomField(U::MEDIA_CD, "Pressing");
    CCustomPrintReportEditor editor;
    editor.SetName(" Jazz records by year ");
    editor.GetMediaTypes().SetShow(U::MEDIA_CD, true);
    editor.SetCategorySelected(jazz, true);
    CStringArray props;
    editor.GetAvailableProps(m_library, props);
    EXPECT_NE(std::find(props.begin(), props.end(), "Artist"), props.end());
    EXPECT_EQ(props.GetAt(props.GetSize() - 1), "Pressing");
    EXPECT_TRUE(editor.AddColumn("Title"));
    EXPECT_TRUE(editor.AddColumn("Year"));
    EXPECT_TRUE(editor.AddColumn("Pressing"));
    EXPECT_FALSE(editor.AddColumn("Title"));
    EXPECT_TRUE(editor.MoveColumn(2, 0));
    EXPECT_TRUE(editor.RemoveColumn(0));
    EXPECT_FALSE(editor.MoveColumn(0, 5));
    editor.SetSortKey(0, "Year", true);
    editor.SetSortKey(1, "Title", false);
    editor.SetSortKey(2, "", true);
    EXPECT_EQ(editor.Check({}), "");

    CCustomPrintReport report;
    editor.Store(report, m_library);
    EXPECT_EQ(report.GetName(), "Jazz records by year");
    EXPECT_EQ(report.GetFirstSortOrderProp(), "-Year");
    EXPECT_EQ(report.GetSecondSortOrderProp(), "Title");
    EXPECT_EQ(report.GetThirdSortOrderProp(), "");
    EXPECT_TRUE(report.GetHaveCategory(jazz));
    EXPECT_EQ(report.GetCategoryCount(), 1);

    const CCustomPrintReportEditor reread(report, m_library);
    EXPECT_EQ(reread.GetColumns(), (std::vector<CString> { "Title", "Year" }));
    EXPECT_EQ(reread.GetSortKey(0).prop, "Year");
    EXPECT_TRUE(reread.GetSortKey(0).descending);
    EXPECT_FALSE(reread.GetSortKey(1).descending);
    EXPECT_TRUE(reread.IsCategorySelected(jazz));
    EXPECT_EQ(reread.GetSelectedCategoryCount(), 1);
}

struct PrintCheckCase {
    const char* name;
    bool mediaType;
    bool category;
    bool column;
    const char* problem; // "" for none
};

class PrintCheckTest : public CustomReportEditorTest, public testing::WithParamInterface<PrintCheckCase> { };

TEST_P(PrintCheckTest, ReportsThatCouldNotRunAreRefused)
{
    const PrintCheckCase& c = GetParam();
    CCustomPrintReportEditor editor;
    editor.SetName(c.name);
    editor.GetMediaTypes().SetShow(U::MEDIA_BOOK, c.mediaType);
    editor.SetCategorySelected(1, c.category);
    if (c.column)
        editor.AddColumn("Title");
    EXPECT_EQ(editor.Check({ "Shelf" }), c.problem);
}

INSTANTIATE_TEST_SUITE_P(Table, PrintCheckTest,
    testing::Values(PrintCheckCase { "Mine", true, true, true, "" },
        PrintCheckCase { " ", true, true, true, "A report needs a name." },
        PrintCheckCase { "SHELF", true, true, true,
            "A report named \"SHELF\" exists already. Report names are not case-sensitive." },
        PrintCheckCase { "Mine", false, true, true, "Select one or more media types." },
        PrintCheckCase { "Mine", true, false, true, "Select one or more categories." },
        PrintCheckCase { "Mine", true, true, false, "Select one or more data columns." }));

TEST_F(CustomReportEditorTest, DescendingKeysTurnOnlyTheirOwnOrder)
{
    AddBook("Emma", "2");
    AddBook("Dune", "1");
    AddBook("Ajax", "2");
    auto* report = new CCustomPrintReport();
    report->GetMediaIDs().SetShow(U::MEDIA_BOOK, true);
    report->AddCategory(1);
    report->AddColumn("Title");
    report->SetSortOrder("-Edition", "Title", "", "");
    m_library.AddCustomPrintReport(report);
    // Editions are empty: the title decides, ascending.
    m_library.PrepCustomPrintReport(report, false, false, false, true);
    CItemList items;
    for (POSITION pos = report->GetHeadItem(); pos;)
        items.AddTail(report->GetNextItem(pos));
    EXPECT_EQ(Titles(items), (std::vector<CString> { "Ajax", "Dune", "Emma" }));
    report->SetSortOrder("-Title", "", "", "");
    items.RemoveAll();
    for (POSITION pos = report->GetHeadItem(); pos;)
        items.AddTail(report->GetNextItem(pos));
    EXPECT_EQ(Titles(items), (std::vector<CString> { "Emma", "Dune", "Ajax" }));
    EXPECT_TRUE(CCustomPrintReport::IsDescendingSortProp("-Title"));
    EXPECT_FALSE(CCustomPrintReport::IsDescendingSortProp("-"));
    EXPECT_EQ(CCustomPrintReport::MakeSortProp("", true), "");
}

TEST_F(CustomReportEditorTest, WebDefinitionIsCheckedAndStoredWithItsLevels)
{
    const CString list = Template("List.htm", LIST_TEMPLATE);
    CCustomWebReportEditor editor;
    editor.SetName("Jazz pages");
    editor.GetMediaTypes().SetShow(U::MEDIA_BOOK, true);
    editor.SetCategorySelected(1, true);
    editor.SetHomePage(CCustomWebReportEditor::SuggestHomePage(m_output, "Jazz: pages"));
    EXPECT_EQ(editor.GetHomePage(), m_output + "Jazz_ pages.htm");
    EXPECT_EQ(editor.Check({}, {}), "Choose the HTML template of level one.");
    editor.SetLevel(1, { list, "Author", "" });
    editor.SetLevelCount(2);
    EXPECT_EQ(editor.Check({}, {}), "Choose the HTML template of level two.");
    editor.SetLevel(2, { m_templates + "Gone.htm", "Title", "" });
    EXPECT_EQ(editor.Check({}, {}), "The HTML template of level two does not exist: " + m_templates + "Gone.htm");
    editor.SetLevel(2, { Template("Entry.htm", ENTRY_TEMPLATE), "Title", "Series Number" });
    EXPECT_EQ(editor.Check({}, { editor.GetHomePage() }).find("Another web report"), 0u);
    EXPECT_EQ(editor.Check({}, {}), "");
    editor.SetLevelCount(7);
    EXPECT_EQ(editor.GetLevelCount(), CCustomWebReportEditor::MAX_LEVELS);
    editor.SetLevelCount(2);
    editor.SetIncludeDuplicates(false);

    CCustomWebReport report;
    report.SetPageLevel(3, "x.htm", "", "");
    editor.Store(report, m_library);
    EXPECT_EQ(report.GetPageLevelCount(), 2);
    EXPECT_EQ(report.GetSortProp2(2), "Series Number");
    EXPECT_FALSE(report.GetIncludeDuplicates());
    EXPECT_EQ(report.GetHomePage(), m_output + "Jazz_ pages.htm");
    const CCustomWebReportEditor reread(report, m_library);
    EXPECT_EQ(reread.GetLevel(1).templateFile, list);
    EXPECT_EQ(reread.GetLevelCount(), 2);

    CStringArray templates;
    CCustomWebReportEditor::ListTemplates(m_templates, templates);
    EXPECT_EQ(templates, (CStringArray { "Entry.htm", "List.htm" }));
}

TEST_F(CustomReportEditorTest, CopiesGetFreeNamesAndTheirOwnHomePage)
{
    EXPECT_EQ(CCustomReportList::MakeCopyName("A", {}), "Copy of A");
    EXPECT_EQ(CCustomReportList::MakeCopyName("A", { "copy of a", "Copy (2) of A" }), "Copy (3) of A");

    CCustomWebReport* original = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } } });
    CCustomWebReport* copy = CCustomReportList::CopyWebReport(m_library, *original);
    EXPECT_EQ(copy->GetName(), "Copy of Shelf");
    EXPECT_EQ(copy->GetHomePage(), m_output + "Copy of Shelf.htm");
    EXPECT_EQ(copy->GetTemplateFile(1), original->GetTemplateFile(1));
    EXPECT_EQ(m_library.GetCustomWebReportCount(), 2);

    auto* print = new CCustomPrintReport();
    print->SetName("List");
    print->AddColumn("Title");
    print->SetSortOrder("-Year", "", "", "");
    m_library.AddCustomPrintReport(print);
    CCustomPrintReport* printCopy = CCustomReportList::CopyPrintReport(m_library, *print);
    EXPECT_EQ(printCopy->GetName(), "Copy of List");
    EXPECT_EQ(printCopy->GetFirstSortOrderProp(), "-Year");
    EXPECT_EQ(printCopy->GetColumnCount(), 1);
}

TEST_F(CustomReportEditorTest, DefaultsComeBackAndOwnReportsStay)
{
    m_library.SetPathUserCustomWebReportTemplate(m_templates);
    m_library.SetPathCustomWebReportOutput(m_output);
    m_library.AddDefaultCustomWebReports(m_templates, m_output);
    const int defaults = m_library.GetCustomWebReportCount();
    MakeReport({ { 1, { LIST_TEMPLATE, "Author" } } });
    for (int i = m_library.GetCustomWebReportCount() - 1; i >= 0; --i) {
        CCustomWebReport* report = m_library.GetCustomWebReportAt(i);
        if (report->GetName() == "Books")
            report->SetPageLevel(1, "changed.htm", "", "");
        if (report->GetName() == "Music")
            m_library.DeleteCustomWebReport(report);
    }
    CCustomReportList::RestoreDefaultWebReports(m_library);
    EXPECT_EQ(m_library.GetCustomWebReportCount(), defaults + 1);
    const std::vector<CString> names = CCustomReportList::GetWebReportNames(m_library);
    EXPECT_NE(std::find(names.begin(), names.end(), "Music"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Shelf"), names.end());
    for (int i = 0; i < m_library.GetCustomWebReportCount(); ++i) {
        const CCustomWebReport* report = m_library.GetCustomWebReportAt(i);
        EXPECT_TRUE(report->GetName() != "Books" || report->GetTemplateFile(1) == m_templates + "Books.htm");
    }
}

TEST_F(CustomReportEditorTest, ReportsOfEmptyTypesHaveNoItems)
{
    CCustomWebReport* report = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } } });
    EXPECT_FALSE(CCustomReportList::HasItems(m_library, *report));
    AddBook("Dune");
    EXPECT_TRUE(CCustomReportList::HasItems(m_library, *report));
}

struct TallyCase {
    int written;
    int skipped;
    int failed;
    const char* summary;
};

class RunTallyTest : public testing::TestWithParam<TallyCase> { };

TEST_P(RunTallyTest, OneSummaryWithPluralsRight)
{
    const TallyCase& c = GetParam();
    CWebReportRunTally tally;
    for (int i = 0; i < c.written; ++i)
        tally.AddWritten("W");
    for (int i = 0; i < c.skipped; ++i)
        tally.AddSkipped("S");
    for (int i = 0; i < c.failed; ++i)
        tally.AddFailed(CStringUtils::Format("F%d", i), "no template");
    EXPECT_EQ(tally.GetSummary(), c.summary);
}

INSTANTIATE_TEST_SUITE_P(Table, RunTallyTest,
    testing::Values(TallyCase { 3, 0, 0, "3 written." },
        TallyCase { 1, 2, 0, "1 written, 2 skipped: no items of that type." },
        TallyCase {
            0, 1, 1, "0 written, 1 skipped: no items of that type.\n\n1 report did not finish:\nF0: no template" },
        TallyCase { 2, 0, 2, "2 written.\n\n2 reports did not finish:\nF0: no template\nF1: no template" }));

} // namespace
