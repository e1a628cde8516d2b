#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <set>
#include <tuple>

#include "WebReportFixture.h"
#include "data/model/ReportProperties.h"
#include "data/reports/WebReportGenerator.h"
#include "data/reports/WebReportTags.h"
#include "data/store/LibraryImpl.h"
#include "platform/util/StringUtils.h"
#include "tests/data/RecordBytes.h"

namespace {

namespace fs = std::filesystem;
using PageMap = std::map<std::string, std::string>;

class CustomWebReportTest : public WebReportTest {
protected:
    void AddShelf()
    {
        AddBook("Dune", "1", "Herbert");
        AddBook("Children", "3", "Herbert");
        AddBook("Anon", "", "");
    }
};

TEST_F(CustomWebReportTest, OneLevelWritesOnlyTheHomePage)
{
    AddShelf();
    CCustomWebReport* report
        = MakeReport({ { 1, { "<ul>{REPEAT_BEGIN}<li>{TITLE}</li>{REPEAT_END}</ul>\n", "Title" } } });
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "");
    EXPECT_EQ(Pages(), (PageMap { { "Home.htm", "<ul>\n<li>Anon</li>\n<li>Children</li>\n<li>Dune</li>\n</ul>\n" } }));
}

TEST_F(CustomWebReportTest, TwoLevelsLinkEachGroupToItsPageAndBack)
{
    AddShelf();
    CCustomWebReport* report = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } }, { 2, { ENTRY_TEMPLATE, "" } } });
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "");
    EXPECT_EQ(Pages(),
        (PageMap {
            { "Home.htm",
                "<h1>Shelf</h1>\n<ul>\n"
                "<li><a href=\"Home_LVL2_%28none%29.htm\">(none)</a> 1</li>\n"
                "<li><a href=\"Home_LVL2_Herbert.htm\">Herbert</a> 2</li>\n"
                "</ul>\n" },
            { "Home_LVL2_(none).htm", "<p><a href=\"Home.htm\">up</a></p>\n<p>Anon ()</p>\n<p>end</p>\n" },
            { "Home_LVL2_Herbert.htm",
                "<p><a href=\"Home.htm\">up</a></p>\n<p>Children (3)</p>\n<p>Dune (1)</p>\n<p>end</p>\n" },
        }));
}

TEST_F(CustomWebReportTest, ThreeLevelsNameDeepPagesAfterEveryLevelAbove)
{
    AddShelf();
    AddBook("Dune", "1", "Herbert"); // a second copy: one group, one page
    CCustomWebReport* report = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } },
        { 2,
            { "{REPEAT_BEGIN}<a href=\"{FORWARDLINK_TO}\">{TITLE}</a> {COUNT_ITEMS_NEXT_PAGE}{REPEAT_END}\n",
                "Title" } },
        { 3, { ENTRY_TEMPLATE, "" } } });
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "");
    const PageMap pages = Pages();
    std::set<std::string> names;
    for (const auto& page : pages)
        names.insert(page.first);
    EXPECT_EQ(names,
        (std::set<std::string> { "Home.htm", "Home_LVL2_(none).htm", "Home_LVL2_Herbert.htm",
            "Home_LVL3_(none)Anon.htm", "Home_LVL3_HerbertChildren.htm", "Home_LVL3_HerbertDune.htm" }));
    EXPECT_EQ(pages.at("Home_LVL2_Herbert.htm"),
        "<a href=\"Home_LVL3_HerbertChildren.htm\">Children</a> 1\n<a href=\"Home_LVL3_HerbertDune.htm\">Dune</a> 2\n");
    EXPECT_EQ(pages.at("Home_LVL3_HerbertDune.htm"),
        "<p><a href=\"Home_LVL2_Herbert.htm\">up</a></p>\n<p>Dune (1)</p>\n<p>Dune (1)</p>\n<p>end</p>\n");

    // Without duplicates the second copy is left out of its group.
    report->SetIncludeDuplicates(false);
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(Pages().at("Home_LVL3_HerbertDune.htm"),
        "<p><a href=\"Home_LVL2_Herbert.htm\">up</a></p>\n<p>Dune (1)</p>\n<p>end</p>\n");
    EXPECT_NE(Pages().at("Home_LVL2_Herbert.htm").find("Dune</a> 1"), std::string::npos);
}

TEST_F(CustomWebReportTest, RerunKeepsUnchangedPagesAndDeletesOnlyThisReportsStalePages)
{
    AddShelf();
    CBook* loner = AddBook("Solo", "", "Zed");
    CCustomWebReport* report = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } }, { 2, { ENTRY_TEMPLATE, "" } } });
    m_library.RunCustomWebReport(report, {});
    ASSERT_TRUE(fs::exists(m_output + "Home_LVL2_Zed.htm"));

    // Files that only look like pages of this report, or are not its pages.
    const std::vector<std::string> bystanders { "MyHome_LVL2_Zed.htm", "Home_LVL2_Zed.html", "Home_LVL2_x.txt",
        "notes.htm", "home_lvl2_other.htm" };
    for (const std::string& name : bystanders)
        vemotest::WriteAll(m_output + name, "keep");
    fs::create_directories(m_output + "sub");
    vemotest::WriteAll(m_output + "sub/Home_LVL2_Zed.htm", "keep");
    vemotest::WriteAll(m_root.Path() + "/Home_LVL2_Zed.htm", "keep");

    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(24);
    for (const char* name : { "Home.htm", "Home_LVL2_Herbert.htm", "Home_LVL2_(none).htm" })
        fs::last_write_time(m_output + name, past);

    m_library.DeleteItem(loner);
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "");
    EXPECT_FALSE(fs::exists(m_output + "Home_LVL2_Zed.htm"));
    EXPECT_EQ(fs::last_write_time(m_output + "Home_LVL2_Herbert.htm"), past);
    EXPECT_EQ(fs::last_write_time(m_output + "Home_LVL2_(none).htm"), past);
    EXPECT_NE(fs::last_write_time(m_output + "Home.htm"), past); // it lost its Zed entry
    for (const std::string& name : bystanders)
        EXPECT_TRUE(fs::exists(m_output + name)) << name;
    EXPECT_TRUE(fs::exists(m_output + "sub/Home_LVL2_Zed.htm"));
    EXPECT_TRUE(fs::exists(m_root.Path() + "/Home_LVL2_Zed.htm"));
}

TEST_F(CustomWebReportTest, HostileValuesAreEscapedAndNeverLeaveTheOutputFolder)
{
    std::string longName;
    for (int i = 0; i < 150; ++i)
        longName += "\xc3\xa9"; // é, two bytes
    const std::vector<CString> all { "<script>alert(1)</script>", "Tom & Jerry \"Q\" 'S'", "../../escape", "AC/DC",
        "ac/dc", "AC_DC", ".hidden", "..", "{BACKLINK_TO}", "a\tb\x01c", "bad\xc3", longName, longName + "2" };
    for (const CString& author : all)
        AddBook("T", "", author);
    CCustomWebReport* report = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } }, { 2, { ENTRY_TEMPLATE, "" } } });
    const auto before = std::distance(fs::directory_iterator(m_root.Path()), fs::directory_iterator());
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "");

    EXPECT_EQ(std::distance(fs::directory_iterator(m_root.Path()), fs::directory_iterator()), before);
    const PageMap pages = Pages();
    EXPECT_EQ(pages.size(), all.size() + 1);
    std::set<std::string> folded;
    for (const auto& [name, text] : pages) {
        EXPECT_LE(name.size(), 255u) << name;
        EXPECT_NE(name[0], '.') << name;
        folded.insert(CStringUtils::ToLower(name));
    }
    EXPECT_EQ(folded.size(), pages.size()) << "two pages differ only in case";

    const std::string& home = pages.at("Home.htm");
    EXPECT_EQ(home.find("<script>"), std::string::npos);
    EXPECT_NE(home.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(home.find("Tom &amp; Jerry &quot;Q&quot; &#39;S&#39;"), std::string::npos);
    EXPECT_NE(home.find("&#123;BACKLINK_TO&#125;"), std::string::npos);

    // Every link of the home page reaches a page that was written.
    const std::regex href("href=\"([^\"]*)\"");
    int links = 0;
    for (auto it = std::sregex_iterator(home.begin(), home.end(), href); it != std::sregex_iterator(); ++it, ++links) {
        std::string target = (*it)[1];
        std::string decoded;
        for (std::size_t i = 0; i < target.size(); ++i) {
            if (target[i] == '%' && i + 2 < target.size()) {
                decoded += static_cast<char>(std::stoi(target.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                decoded += target[i];
            }
        }
        EXPECT_EQ(decoded.find('/'), std::string::npos) << decoded;
        EXPECT_TRUE(pages.count(decoded)) << decoded;
    }
    EXPECT_EQ(links, static_cast<int>(all.size()));
}

TEST_F(CustomWebReportTest, LinksOnlyKeepSafeAddressesAndEachBlockFollowsItsOwnLink)
{
    CBook* safe = AddBook("Safe");
    safe->SetEFileURL("https://example.com/?a=1&b=2");
    CBook* script = AddBook("Script");
    script->SetEFileURL("JavaScript:alert(1)");
    CBook* local = AddBook("Local");
    local->SetEFileURL("/home/me/My Book.pdf");
    CCustomWebReport* report = MakeReport({ { 1,
        { "{REPEAT_BEGIN}<p>{TITLE}{IF_HAVE_URL_BEGIN} <a href=\"{ELECTRONIC_FILE_OR_URL}\">file</a>{IF_HAVE_URL_END}"
          "{IF_HAVE_URL_BEGIN} <a href=\"{ONLINE_URL}\">online</a>{IF_HAVE_URL_END}</p>{REPEAT_END}\n",
            "Title" } } });
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(Pages().at("Home.htm"),
        "<p>Local\n <a href=\"file:///home/me/My%20Book.pdf\">file</a>\n</p>\n"
        "<p>Safe\n <a href=\"https://example.com/?a=1&amp;b=2\">file</a>\n</p>\n"
        "<p>Script\n</p>\n");
}

// A user's template may put a tag anywhere: each value is escaped for the
// place it lands, and an address attribute a value fills keeps only a safe
// address, whichever tag filled it.
TEST_F(CustomWebReportTest, ValuesAreEscapedForThePlaceInTheTemplate)
{
    AddBook("x onmouseover=alert(1)", "", "javascript:alert(1)");
    AddBook("Dune", "", "Herbert");
    CCustomWebReport* report = MakeReport({ { 1,
        { "{REPEAT_BEGIN}<h2 class={TITLE}><a href=\"{AUTHOR}\" title={AUTHOR}>{TITLE}</a>"
          "<img src={AUTHOR}.png onclick=\"find('{TITLE}')\"></h2>{REPEAT_END}\n",
            "Title" } } });
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "");
    EXPECT_EQ(Pages().at("Home.htm"),
        "<h2 class=Dune><a href=\"Herbert\" title=Herbert>Dune</a>"
        "<img src=Herbert.png onclick=\"find('Dune')\"></h2>\n"
        "<h2 class=x&#32;onmouseover&#61;alert(1)><a href=\"\" title=javascript:alert(1)>x onmouseover=alert(1)</a>"
        "<img src=\"\" onclick=\"find('x\\x20onmouseover\\x3Dalert\\x281\\x29')\"></h2>\n");
}

TEST_F(CustomWebReportTest, PicturesAreCopiedOnceUnderNamesThatClashWithNothing)
{
    fs::create_directories(m_root.Path() + "/a");
    fs::create_directories(m_root.Path() + "/b");
    vemotest::WriteAll(m_root.Path() + "/a/cover.jpg", "A");
    vemotest::WriteAll(m_root.Path() + "/b/Cover.jpg", "B");
    vemotest::WriteAll(m_root.Path() + "/a/Home.htm", "not a page");
    const std::pair<const char*, std::string> books[]
        = { { "One", m_root.Path() + "/a/cover.jpg" }, { "Two", m_root.Path() + "/b/Cover.jpg" },
              { "Three", m_root.Path() + "/a/Home.htm" }, { "Four", m_root.Path() + "/a/missing.jpg" } };
    for (const auto& [title, picture] : books)
        AddBook(title)->GetReportProperties()->SetImageFile(picture);
    CCustomWebReport* report = MakeReport({ { 1,
        { "{REPEAT_BEGIN}<p>{TITLE}{IF_HAVE_IMAGE_BEGIN}<img "
          "src=\"{IMAGE_FILE}\">{IF_HAVE_IMAGE_END}</p>{REPEAT_END}\n",
            "Title" } } });
    m_library.RunCustomWebReport(report, {});
    const PageMap pages = Pages();
    const std::string& home = pages.at("Home.htm");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(home, match, std::regex("<p>Two<img src=\"([^\"]*)\"></p>")));
    const std::string two = match[1];
    EXPECT_NE(two, "cover.jpg");
    EXPECT_EQ(pages.at("cover.jpg"), "A");
    EXPECT_EQ(pages.at(two), "B");
    EXPECT_NE(home.find("<p>One<img src=\"cover.jpg\"></p>"), std::string::npos);
    EXPECT_NE(home.find("<p>Four<img src=\"missing.jpg\"></p>"), std::string::npos);
    EXPECT_EQ(pages.count("missing.jpg"), 0u);
    EXPECT_EQ(home.find("src=\"Home.htm\""), std::string::npos);
    EXPECT_EQ(pages.size(), 4u); // the page, two pictures and the renamed page-like file
}

TEST_F(CustomWebReportTest, ChaptersTracksAndCustomFieldsFillTheirBlocks)
{
    AddCustomField(CMediaUtils::MEDIA_CD, "Mood <x>", "MOOD TAG");
    CCD* cd = AddCD("Band", "Alpha", { "One", "Two & Three" });
    SetCustomText(cd, "Mood <x>", "calm");
    AddCD("Band", "Beta");
    auto* report = new CCustomWebReport();
    report->SetName("Music");
    report->SetHomePage(m_output + "Home.htm", false);
    report->GetMediaIDs().SetShow(CMediaUtils::MEDIA_CD, true);
    report->SetPageLevel(1,
        Template("cd.htm",
            "{REPEAT_BEGIN}\n<h2>{TITLE}</h2>{CUSTOMFIELD_MOOD_TAG}={CUSTOMVALUE_MOOD_TAG}{CUSTOMVALUE_GONE}\n"
            "{IF_HAVE_TRACKS_BEGIN}<ol>\n{IF_HAVE_TRACKS_BEGIN_REPEAT}<li>{TRACK#} {TRACK_TITLE} "
            "{TITLE}</li>{IF_HAVE_TRACKS_END_REPEAT}\n</ol>{IF_HAVE_TRACKS_END}\n"
            "{IF_HAVE_CHAPTERS_BEGIN}chapters{IF_HAVE_CHAPTERS_END}\n{TRACK_TITLE}{REPEAT_END}\n"),
        "Title", "");
    m_library.AddCustomWebReport(report);
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "");
    EXPECT_EQ(Pages().at("Home.htm"),
        "<h2>Alpha</h2>Mood &lt;x&gt;=calm\n<ol>\n<li>1 One Alpha</li>\n<li>2 Two &amp; Three Alpha</li>\n</ol>\n\n"
        "<h2>Beta</h2>Mood &lt;x&gt;=\n\n");
}

// Link blocks inside a chapters block, beside it and around it: each item
// keeps the blocks of the sub-items it has and the links it holds.
TEST_F(CustomWebReportTest, LinkBlocksWorkInsideBesideAndAroundSubItemBlocks)
{
    CBook* linked = AddBook("Linked");
    linked->SetEFileURL("https://example.com/book");
    for (int number = 1; number <= 2; ++number) {
        auto* chapter = new CBookChapter();
        chapter->SetChapter(number);
        chapter->SetTitle(number == 1 ? "Start" : "End");
        linked->AddSubItem(chapter);
    }
    AddBook("Plain")->AddSubItem(new CBookChapter());
    AddBook("Bare");
    CCustomWebReport* report = MakeReport({ { 1,
        { "{REPEAT_BEGIN}<h2>{TITLE}</h2>\n"
          "{IF_HAVE_CHAPTERS_BEGIN}{IF_HAVE_URL_BEGIN}<a "
          "href=\"{ELECTRONIC_FILE_OR_URL}\">read</a>{IF_HAVE_URL_END}<ol>\n"
          "{IF_HAVE_CHAPTERS_BEGIN_REPEAT}<li>{CHAPTER} {CHAPTER_TITLE}</li>{IF_HAVE_CHAPTERS_END_REPEAT}\n"
          "</ol>{IF_HAVE_CHAPTERS_END}\n"
          "{IF_HAVE_URL_BEGIN}<p>{IF_HAVE_CHAPTERS_BEGIN}{IF_HAVE_CHAPTERS_BEGIN_REPEAT}{CHAPTER}."
          "{IF_HAVE_CHAPTERS_END_REPEAT}{IF_HAVE_CHAPTERS_END} <a href=\"{ELECTRONIC_FILE_OR_URL}\">more</a></p>"
          "{IF_HAVE_URL_END}\n"
          "{IF_HAVE_URL_BEGIN}<i>{ELECTRONIC_FILE_OR_URL}</i>{IF_HAVE_URL_END}{IF_HAVE_URL_BEGIN}x{IF_HAVE_URL_END}\n"
          "{REPEAT_END}\n",
            "Title" } } });
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "");
    EXPECT_EQ(Pages().at("Home.htm"),
        "<h2>Bare</h2>\n"
        "<h2>Linked</h2>\n<a href=\"https://example.com/book\">read</a>\n<ol>\n<li>1 Start</li>\n<li>2 "
        "End</li>\n</ol>\n"
        "<p>\n1.\n2.\n <a href=\"https://example.com/book\">more</a></p>\n<i>https://example.com/book</i>\n"
        "<h2>Plain</h2>\n<ol>\n<li>1 </li>\n</ol>\n");
}

struct RunStop {
    const char* name;
    int levels;
    const char* homePage; // "" leaves it unset; "@" = output folder + "Home.htm"
    bool items;
    int missingTemplate; // level whose template is missing, 0 for none
    bool categories;
    const char* message;
};

class WebReportRunStop : public WebReportTest, public ::testing::WithParamInterface<RunStop> { };

TEST_P(WebReportRunStop, StopsWithItsMessageAndWritesNothing)
{
    const RunStop& c = GetParam();
    if (c.items)
        AddBook("A", "", "", c.categories ? 1 : AddCategory("Other"));
    auto* report = new CCustomWebReport();
    report->GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
    if (std::string(c.homePage) == "@")
        report->SetHomePage(m_output + "Home.htm", false);
    else if (*c.homePage)
        report->SetHomePage(c.homePage, false);
    report->RemovePageLevel(1);
    for (int level = 1; level <= c.levels; ++level)
        report->SetPageLevel(level,
            level == c.missingTemplate ? m_templates + "missing.htm" : Template("t.htm", "{TITLE}\n"), "Title", "");
    report->AddCategory(1);
    m_library.AddCustomWebReport(report);
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), c.message);
    EXPECT_TRUE(Pages().empty());
}

INSTANTIATE_TEST_SUITE_P(Messages, WebReportRunStop,
    ::testing::Values(RunStop { "NoLevels", 0, "@", true, 0, true,
                          "Unable to generate web report, because output level(s) has not yet been set." },
        RunStop { "NoHomePage", 1, "", true, 0, true,
            "No output folder has been specified. This is required for VemoLibrary to store the web page files it "
            "is about to generate. Press the properties button next to the \"One Level\" option to set the output "
            "folder." },
        RunStop { "NoItems", 1, "@", false, 0, true,
            "Unable to generate web report, because there is no data to show for this report." },
        RunStop { "NoFolder", 1, "Home.htm", true, 0, true,
            "Unable to generate web report, because there was no report output directory specified." },
        RunStop { "NoFileName", 1, "/tmp/", true, 0, true,
            "Unable to generate web report, because there was no report first page file name specified." },
        RunStop { "LevelOne", 1, "@", true, 1, true,
            "The HTML template file specified for Level One is not valid or no longer exists in the specified "
            "folder." },
        RunStop { "LevelTwo", 2, "@", true, 2, true,
            "The HTML template file specified for Level Two is not valid or no longer exists in the specified "
            "folder." },
        RunStop { "LevelThree", 3, "@", true, 3, true,
            "The HTML template file specified for Level Three is not valid or no longer exists in the specified "
            "folder." },
        RunStop { "FilteredAway", 1, "@", true, 0, false,
            "Unable to generate the report because, after filtering out the categories, there was no data to show "
            "for this report." }),
    [](const auto& info) { return info.param.name; });

TEST_F(CustomWebReportTest, ProgressReportsTheStagesAndEveryItemOfLevelOne)
{
    AddShelf();
    CCustomWebReport* report = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } }, { 2, { ENTRY_TEMPLATE, "" } } });
    std::vector<std::tuple<unsigned, long long, long long>> calls;
    m_library.RunCustomWebReport(report,
        [&calls](unsigned message, long long first, long long second) { calls.emplace_back(message, first, second); });
    using C = std::tuple<unsigned, long long, long long>;
    EXPECT_EQ(calls,
        (std::vector<C> {
            C { 0, 0, 100 }, C { 0, 1, 3 }, C { 0, 2, 0 }, C { 0, 2, 1 }, C { 0, 2, 2 }, C { 0, 3, 0 } }));
}

TEST_F(CustomWebReportTest, AFailedPageIsReportedAndTheRunGoesOn)
{
    AddShelf();
    CCustomWebReport* report = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } }, { 2, { ENTRY_TEMPLATE, "" } } });
    fs::create_directories(m_output + "Home_LVL2_Herbert.htm"); // a folder where a page should go
    m_library.RunCustomWebReport(report, {});
    EXPECT_EQ(report->GetRunErrorMsg(), "VemoLibrary was unable to generate one of the web report's pages.");
    EXPECT_TRUE(fs::exists(m_output + "Home.htm"));
    EXPECT_TRUE(fs::exists(m_output + "Home_LVL2_(none).htm"));
}

TEST_F(CustomWebReportTest, SetHomePageMovesOrRenamesThePages)
{
    AddShelf();
    CCustomWebReport* report = MakeReport({ { 1, { LIST_TEMPLATE, "Author" } }, { 2, { ENTRY_TEMPLATE, "" } } });
    m_library.RunCustomWebReport(report, {});
    EXPECT_TRUE(report->HaveOutputFiles());
    const std::string moved = m_root.Path() + "/moved/";
    fs::create_directories(moved);

    report->SetHomePage(moved + "Books.htm", true);
    EXPECT_EQ(report->GetHomePage(), moved + "Books.htm");
    EXPECT_TRUE(Pages().empty());
    for (const char* name : { "Books.htm", "Books_LVL2_(none).htm", "Books_LVL2_Herbert.htm" })
        EXPECT_TRUE(fs::exists(moved + name)) << name;

    report->SetHomePage(moved + "Shelf.htm", false);
    for (const char* name : { "Shelf.htm", "Shelf_LVL2_(none).htm", "Shelf_LVL2_Herbert.htm" })
        EXPECT_TRUE(fs::exists(moved + name)) << name;
    EXPECT_FALSE(fs::exists(moved + "Books.htm"));

    // Same path ignoring case: nothing happens.
    report->SetHomePage(moved + "SHELF.htm", true);
    EXPECT_EQ(report->GetHomePage(), moved + "Shelf.htm");
    // A move that would overwrite is skipped.
    vemotest::WriteAll(m_output + "Shelf.htm", "mine");
    report->SetHomePage(m_output + "Shelf.htm", true);
    EXPECT_EQ(vemotest::ReadAll(m_output + "Shelf.htm"), "mine");
    EXPECT_TRUE(fs::exists(moved + "Shelf.htm"));
    EXPECT_TRUE(fs::exists(m_output + "Shelf_LVL2_Herbert.htm"));
}

TEST_F(CustomWebReportTest, RecordIsVersionTwoAndVersionOneWithItsObsoleteStringLoads)
{
    CCustomWebReport report;
    report.SetName("Web");
    report.SetIncludeDuplicates(false);
    report.SetHomePage("/x/Home.htm", false);
    report.SetPageLevel(2, "/t/2.htm", "Artist", "Title");
    CCustomWebReport copy;
    ASSERT_EQ(vemotest::LoadBytes(copy, vemotest::StoreBytes(report)), 0u);
    EXPECT_EQ(vemotest::StoreBytes(copy), vemotest::StoreBytes(report));
    EXPECT_EQ(copy.GetPageLevelCount(), 2);
    EXPECT_EQ(copy.GetSortProp2(2), "Title");
    EXPECT_FALSE(copy.GetIncludeDuplicates());

    CArchive ar;
    report.SerializeVersion1(ar);
    const std::string v1 = ar.GetBuffer();
    const std::string v2 = vemotest::StoreBytes(report);
    EXPECT_EQ(v1.size(), v2.size() + 1); // the empty obsolete string
    CCustomWebReport old;
    ASSERT_EQ(vemotest::LoadBytes(old, v1), 0u);
    EXPECT_EQ(vemotest::StoreBytes(old), v2);
}

TEST_F(CustomWebReportTest, SupportedTagsHoldTheFixedTagsAndOneTagPerProperty)
{
    CStringList tags;
    CCustomWebReport::GetSupportedTags(tags);
    std::set<CString> unique(tags.begin(), tags.end());
    EXPECT_EQ(unique.size(), static_cast<std::size_t>(tags.GetCount()));
    EXPECT_EQ(tags.GetCount(), 113 + 23);
    for (const char* tag : { "{TRACK#}", "{CATEGORY_DESC}", "{PAN&SCAN}", "{HARDCOVER}", "{REC_DATE}",
             "{CONSOLE_FORMAT}", "{DTS_HD_MASTER_AUDIO}", "{REPEAT_BEGIN}", "{IF_HAVE_MAGARTICLES_END_REP}",
             "{IMAGE_FILENAME}", "{IMAGE_FILE}" })
        EXPECT_TRUE(unique.count(tag)) << tag;
    EXPECT_EQ(*CWebReportTags::GetInstance()->FindProperty("{TRACK#}"), "Track #");
    EXPECT_EQ(CWebReportTags::GetInstance()->FindProperty("{REPEAT_BEGIN}"), nullptr);
}

} // namespace
