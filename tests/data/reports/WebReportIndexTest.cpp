// index.htm of a web report folder: every report run there is listed once
// by name, in name order, escaped, and reports whose pages are gone leave.

#include <gtest/gtest.h>

#include <filesystem>

#include "data/reports/WebReportIndex.h"
#include "support/TempDir.h"

namespace {

using Entries = std::vector<std::pair<CString, CString>>;

Entries Listed(const CString& folder)
{
    Entries entries;
    for (const CWebReportIndex::CEntry& entry : CWebReportIndex::Read(folder))
        entries.emplace_back(entry.name, entry.page);
    return entries;
}

class WebReportIndexTest : public ::testing::Test {
protected:
    // A home page as a run leaves it.
    CString Page(const CString& relative)
    {
        const CString path = m_dir.File(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        vemotest::WriteAll(path, "<html></html>");
        return path;
    }
    CString Index() const { return vemotest::ReadAll(m_dir.File("index.htm")); }

    vemotest::TempDir m_dir;
};

TEST_F(WebReportIndexTest, ListsEveryReportOnceInNameOrderAndEscaped)
{
    const CString folder = m_dir.Path() + "/";
    ASSERT_TRUE(CWebReportIndex::Record(folder, "Tom & <Jerry>", Page("tom.htm")));
    ASSERT_TRUE(CWebReportIndex::Record(folder, "books", Page("Shelf/My Books.htm")));
    ASSERT_TRUE(CWebReportIndex::Record(folder, "Authors", Page("Authors.htm")));
    // A second run of a report under a new name renames it.
    ASSERT_TRUE(CWebReportIndex::Record(folder, "Books", m_dir.File("Shelf/My Books.htm")));
    EXPECT_EQ(Listed(folder),
        (Entries { { "Authors", "Authors.htm" }, { "Books", "Shelf/My Books.htm" }, { "Tom & <Jerry>", "tom.htm" } }));
    const CString page = Index();
    EXPECT_NE(page.find("<a href=\"Shelf/My%20Books.htm\">Books</a>"), CString::npos) << page;
    EXPECT_NE(page.find(">Tom &amp; &lt;Jerry&gt;</a>"), CString::npos) << page;
    EXPECT_EQ(page.find("<Jerry>"), CString::npos);

    // The same run again leaves the page as it was, byte for byte.
    const auto written = std::filesystem::last_write_time(m_dir.File("index.htm"));
    ASSERT_TRUE(CWebReportIndex::Record(folder, "Authors", m_dir.File("Authors.htm")));
    EXPECT_EQ(Index(), page);
    EXPECT_EQ(std::filesystem::last_write_time(m_dir.File("index.htm")), written);
}

TEST_F(WebReportIndexTest, ReportsWhosePagesAreGoneAreDropped)
{
    const CString folder = m_dir.Path();
    ASSERT_TRUE(CWebReportIndex::Record(folder, "Old", Page("Gone/Old.htm")));
    ASSERT_TRUE(CWebReportIndex::Record(folder, "Kept", Page("Kept.htm")));
    std::filesystem::remove_all(m_dir.File("Gone"));
    ASSERT_TRUE(CWebReportIndex::Record(folder, "New", Page("New.htm")));
    EXPECT_EQ(Listed(folder), (Entries { { "Kept", "Kept.htm" }, { "New", "New.htm" } }));

    // A page the user wrote there is left alone, and so is a folder that
    // cannot take one; both say so.
    vemotest::WriteAll(m_dir.File("index.htm"), "<html>my own</html>");
    CString error;
    EXPECT_FALSE(CWebReportIndex::Record(folder, "Kept", m_dir.File("Kept.htm"), &error));
    EXPECT_NE(error.find("left as it is"), CString::npos) << error;
    EXPECT_EQ(Index(), "<html>my own</html>");
    error.clear();
    EXPECT_FALSE(CWebReportIndex::Record(m_dir.File("Kept.htm"), "X", m_dir.File("Kept.htm/x.htm"), &error));
    EXPECT_FALSE(error.empty());
}

TEST(WebReportIndex, PagesBelowTheReportFolderAreIndexedThere)
{
    EXPECT_EQ(CWebReportIndex::FolderFor("/d/WebReports/", "/d/WebReports/Books.htm"), "/d/WebReports/");
    EXPECT_EQ(CWebReportIndex::FolderFor("/d/WebReports", "/d/WebReports/mine/Books.htm"), "/d/WebReports/");
    EXPECT_EQ(CWebReportIndex::FolderFor("/d/WebReports/", "/elsewhere/Books.htm"), "/elsewhere/");
    EXPECT_EQ(CWebReportIndex::FolderFor("/d/WebReports/", "/d/WebReportsOld/Books.htm"), "/d/WebReportsOld/");
}

} // namespace
