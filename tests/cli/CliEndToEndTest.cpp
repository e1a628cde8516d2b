// Runs the built tool on a temporary data directory and checks what it says,
// its exit status and what it leaves on disk.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CliTestFixture.h"
#include "JsonCheck.h"
#include "data/model/CategoryMgr.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/reports/CustomPrintReport.h"
#include "data/store/DelimitedTextReader.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "platform/appcfg/FileLock.h"
#include "support/TempDir.h"

namespace {

using clitest::CliTest;
using clitest::ToolRun;

const char* const BOOKS_CSV = "Title,Author,Year,Description\r\n"
                              "\"Dune, Messiah\",Herbert,1969,\"The \"\"second\"\"\nbook\"\r\n"
                              "Caf\xE9 Stories,Anon,,\r\n"
                              "Dune,Herbert,,\r\n"
                              ",,,\r\n"
                              "DUNE,herbert,1965,\r\n";

TEST_F(CliTest, HelpForTheToolAndEveryCommand)
{
    ToolRun run = Run({ "--help" }, false);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: vemolibrary-cli", 0), 0u) << run.out;
    for (const char* command : { "list", "new", "check", "dump", "import", "report", "webreport" }) {
        run = Run({ command, "--help" }, false);
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.out.rfind(std::string("Usage: vemolibrary-cli ") + command, 0), 0u) << run.out;
        EXPECT_NE(run.out.find(std::string("Usage: vemolibrary-cli ") + command), std::string::npos);
    }
    run = Run({ "--version" }, false);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("vemolibrary-cli ", 0), 0u);
}

class CliUsage : public CliTest, public ::testing::WithParamInterface<std::vector<std::string>> { };

TEST_P(CliUsage, WrongCommandLineExitsWithTwo)
{
    const ToolRun run = Run(GetParam(), false);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_FALSE(run.err.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CliUsage,
    ::testing::Values(std::vector<std::string> {}, std::vector<std::string> { "frobnicate" },
        std::vector<std::string> { "--data-dir" }, std::vector<std::string> { "--bogus", "list" },
        std::vector<std::string> { "list", "extra" }, std::vector<std::string> { "new" },
        std::vector<std::string> { "dump", "X", "--bogus" }, std::vector<std::string> { "import", "X", "f.csv" },
        std::vector<std::string> { "import", "X", "f.csv", "--type", "Bookz" },
        std::vector<std::string> { "import", "X", "f.csv", "--type", "Books", "--delimiter", "colon" },
        std::vector<std::string> { "webreport", "X", "Books", "--all" }, std::vector<std::string> { "webreport", "X" },
        std::vector<std::string> { "check", "--json", "X" }));

TEST_F(CliTest, NewLibrariesAreListedAndWhole)
{
    NewLibrary("My Library");
    EXPECT_TRUE(std::filesystem::is_directory(m_data + "/Templates"));
    ToolRun run = Run({ "list" });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "My Library: 0 items\n");

    run = Run({ "new", "MY LIBRARY" });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("already exists"), std::string::npos) << run.err;
    run = Run({ "new", "a/b" });
    EXPECT_EQ(run.status, 1);

    run = Run({ "check", "my library" });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("whole (0 items)"), std::string::npos) << run.out;
}

TEST_F(CliTest, ImportedRowsAreInTheJsonDump)
{
    NewLibrary("My Library");
    const std::string csv = WriteFile("books.csv", BOOKS_CSV);
    const ToolRun run = Run({ "import", "My Library", "--type", "Books", csv });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Columns: 1 Title, 2 Author, 3 Year, 4 Description"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("New items: 3\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Rows that repeated an earlier row: 1\n"), std::string::npos);
    EXPECT_NE(run.out.find("  row 5: empty row\n"), std::string::npos);

    const vemotest::JsonValue dump = DumpJson("My Library");
    EXPECT_EQ(dump["library"].string, "My Library");
    auto books = Books(dump);
    ASSERT_EQ(books.size(), 3u);
    ASSERT_TRUE(books.count("Dune, Messiah"));
    EXPECT_EQ((*books["Dune, Messiah"])["properties"]["Description"].string, "The \"second\"\nbook");
    EXPECT_TRUE(books.count("Caf\xC3\xA9 Stories"));
    EXPECT_EQ((*books["Dune"])["properties"]["Year"].string, "1965");
    EXPECT_EQ(dump["mediaTypes"][0]["itemCount"].number, 3);

    // The file as it was before the import is kept as an archive copy.
    EXPECT_TRUE(std::filesystem::exists(m_data + "/Archives/My Library000001.vly"));
    EXPECT_EQ(Run({ "list" }).out, "My Library: 3 items\n  Books: 3\n");
    const ToolRun text = Run({ "dump", "My Library" });
    EXPECT_NE(text.out.find("Title: Dune, Messiah"), std::string::npos);
}

TEST_F(CliTest, HeadlessFileIsMappedByColumnNumber)
{
    NewLibrary("L");
    const std::string csv = WriteFile("dvds.txt", "Alien\t117\nHeat\t170\n");
    ToolRun run = Run({ "import", "L", "--type", "DVD", csv });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("flagged as \"<ignore>\""), std::string::npos) << run.err;

    run = Run({ "import", "L", "--type", "DVD", csv, "--map", "1=title", "--map", "2=Length" });
    ASSERT_EQ(run.status, 0) << run.err;
    const vemotest::JsonValue dump = DumpJson("L");
    bool found = false;
    for (const vemotest::JsonValue& type : dump["mediaTypes"].elements)
        for (const vemotest::JsonValue& item : type["items"].elements)
            if (item["properties"]["Title"].string == "Alien") {
                found = true;
                EXPECT_EQ(item["properties"]["Length"].string, "1:57");
            }
    EXPECT_TRUE(found);
}

TEST_F(CliTest, FailedOrTrialImportsSaveNothing)
{
    NewLibrary("L");
    ASSERT_EQ(Run({ "import", "L", "--type", "Books", WriteFile("a.csv", "Title\nDune\n") }).status, 0);
    const std::string before = LibraryBytes("L");

    ToolRun run = Run({ "import", "L", "--type", "Books", WriteFile("b.csv", "Title\nEmma\n"), "--dry-run" });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("New items: 1"), std::string::npos);

    run = Run({ "import", "L", "--type", "Books", WriteFile("c.csv", "Title\nEmma\n\"Solaris\nLem\n") });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Row 3 (line 3)"), std::string::npos) << run.err;

    run = Run({ "import", "L", "--type", "Books", WriteFile("d.csv", std::string("Title\nEm\0ma\n", 12)) });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("NUL"), std::string::npos) << run.err;

    run = Run({ "import", "L", "--type", "Books", m_scratch.File("missing.csv") });
    EXPECT_EQ(run.status, 1);

    run = Run({ "import", "Nowhere", "--type", "Books", m_scratch.File("a.csv") });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no library named"), std::string::npos) << run.err;

    EXPECT_EQ(LibraryBytes("L"), before);
}

TEST_F(CliTest, LockedLibraryIsNotChanged)
{
    NewLibrary("L");
    const std::string before = LibraryBytes("L");
    CFileLock lock;
    ASSERT_TRUE(lock.Acquire(LibraryPath("L"), "VemoLibrary").Acquired());
    const ToolRun run = Run({ "import", "L", "--type", "Books", WriteFile("a.csv", "Title\nDune\n") });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("in use by VemoLibrary"), std::string::npos) << run.err;
    EXPECT_EQ(LibraryBytes("L"), before);
    EXPECT_NE(Run({ "list" }).out.find("L: 0 items [open in VemoLibrary"), std::string::npos);
}

TEST_F(CliTest, ALockFileThatCannotBeMadeIsNotCalledInUse)
{
    NewLibrary("L");
    const std::string before = LibraryBytes("L");
    std::filesystem::create_directory(LibraryPath("L") + ".lock");
    const ToolRun run = Run({ "import", "L", "--type", "Books", WriteFile("a.csv", "Title\nDune\n") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.find("in use by"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("cannot be locked"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Is a directory"), std::string::npos) << run.err;
    EXPECT_EQ(LibraryBytes("L"), before);
}

// A file that cannot be a library (far too large) is reported, and the
// others are still listed.
TEST_F(CliTest, ListGoesOnPastAFileTooLargeToRead)
{
    NewLibrary("Good");
    vemotest::WriteAll(LibraryPath("Huge"), "");
    std::filesystem::resize_file(LibraryPath("Huge"), std::uintmax_t(3) << 30); // sparse: no disk used
    const ToolRun run = Run({ "list" });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Good: 0 items"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Huge: cannot be read"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("too large"), std::string::npos) << run.out;
}

// Imports into two libraries at once, each adding a publisher: the shared
// data file keeps both, and every book names its own publisher. Each run
// reads, merges and writes the shared data file under its lock.
TEST_F(CliTest, ImportsAtOnceKeepEachOthersPublishers)
{
    NewLibrary("One");
    NewLibrary("Two");
    const int rounds = 6;
    for (int round = 0; round < rounds; ++round) {
        std::vector<Started> runs;
        for (const std::string library : { "One", "Two" }) {
            const std::string tag = library + std::to_string(round);
            const std::string csv = WriteFile(tag + ".csv", "Title,Publisher\nBook " + tag + ",Pub " + tag + "\n");
            runs.push_back(Start({ "import", library, "--type", "Books", csv }, tag));
        }
        for (const Started& started : runs) {
            const ToolRun run = Finish(started);
            ASSERT_EQ(run.status, 0) << run.err;
        }
    }
    std::set<std::string> publishers;
    for (const std::string library : { "One", "Two" }) {
        const vemotest::JsonValue dump = DumpJson(library);
        for (const auto& [title, book] : Books(dump))
            EXPECT_EQ((*book)["properties"]["Publisher"].string, "Pub " + title.substr(5)) << title;
        EXPECT_EQ(Books(dump).size(), static_cast<std::size_t>(rounds));
        if (library == "Two")
            for (const vemotest::JsonValue& publisher : dump["sharedData"]["publishers"].elements)
                publishers.insert(publisher["lastName"].string);
    }
    EXPECT_EQ(publishers.size(), 2u * rounds);
}

TEST_F(CliTest, CheckFindsDamagedFiles)
{
    NewLibrary("L");
    ASSERT_EQ(Run({ "import", "L", "--type", "Books", WriteFile("a.csv", BOOKS_CSV) }).status, 0);
    const std::string bytes = LibraryBytes("L");
    const std::string cut = WriteFile("cut.vly", bytes.substr(0, bytes.size() / 2));
    const std::string longer = WriteFile("longer.vly", bytes + "junk");
    const std::string newer = WriteFile("newer.vly", "\x03" + bytes.substr(1));

    for (const std::string& file : { cut, longer, newer }) {
        const ToolRun run = Run({ "check", file });
        EXPECT_EQ(run.status, 1) << file;
        EXPECT_NE(run.out.find(": damaged: "), std::string::npos) << run.out;
    }
    EXPECT_NE(Run({ "check", longer }).out.find("4 bytes follow"), std::string::npos);
    EXPECT_EQ(Run({ "check", LibraryPath("L") }).status, 0);
    EXPECT_EQ(Run({ "check", m_scratch.File("none.vly") }).status, 1);
}

// The rows of a CSV file, cells as the import reader reads them back.
std::vector<std::vector<CString>> CsvRows(const std::string& path)
{
    std::vector<std::vector<CString>> rows;
    CDelimitedTextReader reader(',');
    EXPECT_TRUE(reader.Open(path));
    CStringArray cells;
    while (reader.ReadRow(cells))
        rows.emplace_back(cells.begin(), cells.end());
    return rows;
}

// Adds two printed reports to a library file as the program would: one by
// year with a column whose values hold quotes and line breaks, one without
// columns.
void AddPrintReports(const std::string& path)
{
    {
        CLibrary library(false, true);
        bool converted = false;
        CString error;
        ASSERT_TRUE(CLibraryFile::Read(library, path, converted, error)) << error;
        auto* byYear = new CCustomPrintReport();
        byYear->SetName("By Year");
        byYear->GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
        library.PrepCustomPrintReport(byYear, true, false, false, false);
        for (const CString& column :
            { CMediaUtils::MEDIA_PROP_YEAR, CMediaUtils::MEDIA_PROP_TITLE, CMediaUtils::MEDIA_PROP_DESCRIPTION })
            byYear->AddColumn(column);
        byYear->SetSortOrder(CMediaUtils::MEDIA_PROP_YEAR, CMediaUtils::MEDIA_PROP_TITLE, "", "");
        library.AddCustomPrintReport(byYear);
        auto* noColumns = new CCustomPrintReport(*byYear);
        noColumns->SetName("No Columns");
        noColumns->ClearColumns();
        library.AddCustomPrintReport(noColumns);
        ASSERT_TRUE(CLibraryFile::Write(library, path, error)) << error;
    }
    CCategoryMgr::DeleteInstance();
    CPublisherMgr::DeleteInstance();
    CPersonMgr::DeleteInstance();
    CMagazineMgr::DeleteInstance();
}

TEST_F(CliTest, BasicReportRowsAsCsv)
{
    NewLibrary("L");
    ASSERT_EQ(Run({ "import", "L", "--type", "Books", WriteFile("a.csv", BOOKS_CSV) }).status, 0);
    const std::string bytes = LibraryBytes("L");
    ToolRun run = Run({ "report", "L", "No Such Report" });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no printed report"), std::string::npos) << run.err;

    const std::string csv = m_scratch.File("report.csv");
    run = Run({ "report", "L", "books", "--csv", csv });
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::vector<CString>> rows = CsvRows(csv);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<CString> { "Title", "Author", "Category", "Publisher", "Year", "Library ID" }));
    std::vector<CString> titles;
    for (std::size_t i = 1; i < rows.size(); ++i)
        titles.push_back(rows[i].at(0));
    EXPECT_EQ(titles, (std::vector<CString> { "Caf\xC3\xA9 Stories", "Dune", "Dune, Messiah" }));
    // No year and the none category mean nothing and show as nothing.
    EXPECT_EQ(rows[1].at(4), "");
    EXPECT_EQ(rows[1].at(2), "");
    EXPECT_EQ(rows[2].at(4), "1965");

    // The same rows on standard output; the library is never saved.
    run = Run({ "report", "L", "Books" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, vemotest::ReadAll(csv));
    EXPECT_EQ(LibraryBytes("L"), bytes);
}

TEST_F(CliTest, CustomReportRowsKeepQuotesAndLineBreaksAndEarlyStopsFail)
{
    NewLibrary("L");
    ASSERT_EQ(Run({ "import", "L", "--type", "Books", WriteFile("a.csv", BOOKS_CSV) }).status, 0);
    AddPrintReports(LibraryPath("L"));

    ToolRun run = Run({ "report", "L", "by year" });
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::vector<CString>> rows = CsvRows(WriteFile("out.csv", run.out));
    EXPECT_EQ(rows,
        (std::vector<std::vector<CString>> { { "Year", "Title", "Description" }, { "", "Caf\xC3\xA9 Stories", "" },
            { "1965", "Dune", "" }, { "1969", "Dune, Messiah", "The \"second\"\nbook" } }));

    run = Run({ "report", "L", "No Columns", "--csv", m_scratch.File("none.csv") });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("No Columns: There is nothing to show for this report. Select one or more data columns."),
        std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(m_scratch.File("none.csv")));
}

TEST_F(CliTest, WebReportPagesGoToTheOutputFolder)
{
    NewLibrary("L");
    ASSERT_EQ(Run({ "import", "L", "--type", "Books", WriteFile("a.csv", BOOKS_CSV) }).status, 0);
    const std::string bytes = LibraryBytes("L");
    ToolRun run = Run({ "webreport", "L", "No Such Report" });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no web report"), std::string::npos) << run.err;

    const std::string output = m_scratch.File("web");
    run = Run({ "webreport", "L", "books", "--output", output });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Books: " + output + "/Books.htm\n");
    EXPECT_TRUE(std::filesystem::exists(output + "/Books.htm"));
    EXPECT_TRUE(std::filesystem::exists(output + "/webreport.css"));
    EXPECT_NE(run.err.find("Books: 3 items\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Books: done\n"), std::string::npos) << run.err;
    // The report's own folder stays empty and the library unsaved.
    EXPECT_FALSE(std::filesystem::exists(m_data + "/WebReports/Books.htm"));
    EXPECT_EQ(LibraryBytes("L"), bytes);

    // A report about media the library lacks fails when named.
    run = Run({ "webreport", "L", "CDs", "--output", output });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("CDs: Unable to generate web report, because there is no data to show for this report."),
        std::string::npos)
        << run.err;
}

TEST_F(CliTest, AllWebReportsSkipMediaTheLibraryLacks)
{
    NewLibrary("L");
    ASSERT_EQ(Run({ "import", "L", "--type", "Books", WriteFile("a.csv", BOOKS_CSV) }).status, 0);
    const std::string output = m_scratch.File("all");
    ToolRun run = Run({ "webreport", "L", "--all", "--output", output });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Authors: " + output + "/Authors.htm\nBooks: " + output + "/Books.htm\n");
    EXPECT_NE(run.err.find("CDs: skipped, no items of its media types\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Authors: done\n"), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::exists(output + "/Authors_LVL2_Herbert.htm"));
    EXPECT_FALSE(std::filesystem::exists(output + "/CDs.htm"));

    // Pages cannot go below a file.
    WriteFile("plain", "x");
    run = Run({ "webreport", "L", "--all", "--output", m_scratch.File("plain") + "/web" });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Cannot create the folder"), std::string::npos) << run.err;
}

// Output that cannot be written fails the command, whatever else it did.
TEST_F(CliTest, OutputToAFullDiskFails)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    NewLibrary("L");
    ASSERT_EQ(Run({ "import", "L", "--type", "Books", WriteFile("a.csv", BOOKS_CSV) }).status, 0);
    const std::string output = m_scratch.File("web");
    const std::vector<std::vector<std::string>> commands = { { "list" }, { "list", "--json" }, { "dump", "L" },
        { "report", "L", "Books" }, { "report", "L", "Books", "--csv", m_scratch.File("r.csv") },
        { "webreport", "L", "--all", "--output", output }, { "check", "L" }, { "--help" } };
    for (const std::vector<std::string>& command : commands) {
        const ToolRun run = Run(command, true, "/dev/full");
        EXPECT_EQ(run.status, 1) << command.front() << ' ' << command.back();
        EXPECT_NE(run.err.find("vemolibrary-cli: cannot write to standard output (No space left on device)"),
            std::string::npos)
            << run.err;
    }
    // What the commands made besides their output is there all the same.
    EXPECT_TRUE(std::filesystem::exists(m_scratch.File("r.csv")));
    EXPECT_TRUE(std::filesystem::exists(output + "/Books.htm"));
}

} // namespace

namespace {

std::string TestData(const std::string& name)
{
    return std::string(VEMO_TEST_DATA_DIR) + "/import/" + name;
}

// Every .htm page of a folder, one after the other.
std::string AllPages(const std::string& folder)
{
    std::string pages;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".htm")
            pages += vemotest::ReadAll(entry.path().string());
    return pages;
}

} // namespace

// Exports of a book site and a record site, brought in as a migrating
// collector would, then published.
TEST_F(CliTest, SiteExportsAreImportedWholeAndPublished)
{
    NewLibrary("L");
    ToolRun run
        = Run({ "import", "L", "--type", "Books", TestData("book-site-export.csv"), "--map", "Book Id=Library ID",
            "--map", "Binding=Hardcover?", "--map", "Number of Pages=Pages", "--map", "Year Published=Year", "--map",
            "Date Added=Acquired", "--map", "Bookshelves=Category", "--new-fields", "--dry-run" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("First row: headings, not imported"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("New items: 3\n"), std::string::npos) << run.out;
    for (const char* unread : { "row 3, column 10 (Pages): \"abc\" is not a number",
             "row 3, column 11 (Year): \"MMV\" is not a number", "row 3, column 12 (Acquired): \"31/12/2019\"" })
        EXPECT_NE(run.out.find(unread), std::string::npos) << unread << "\n" << run.out;
    run = Run({ "import", "L", "--type", "Books", TestData("book-site-export.csv"), "--map", "Book Id=Library ID",
        "--map", "Binding=Hardcover?", "--map", "Number of Pages=Pages", "--map", "Year Published=Year", "--map",
        "Date Added=Acquired", "--map", "Bookshelves=Category", "--new-fields" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("New custom field of Books: My Rating\n"), std::string::npos) << run.out;

    run = Run({ "import", "L", TestData("record-site-export.csv"), "--type-column", "Format", "--type-map",
        "Vinyl=Record Albums,CD=CDs,Cassette=Cassette Tapes", "--map", "release_id=Library ID", "--map",
        "Released=Year", "--map", "CollectionFolder=Category", "--map", "Date Added=Acquired", "--new-fields" });
    ASSERT_EQ(run.status, 0) << run.err;
    // The two pressings stay two albums; the shellac row has no type.
    EXPECT_NE(run.out.find("Record Albums:\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("New items: 2\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("row 6: not marked for import"), std::string::npos) << run.out;

    run = Run({ "fields", "L", "Books" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Private Notes\ttext\n"), std::string::npos) << run.out;
    EXPECT_EQ(Run({ "fields", "L", "Books", "rename", "my rating", "Stars" }).status, 0);
    EXPECT_EQ(Run({ "fields", "L", "Books", "add", "Title" }).status, 1);
    EXPECT_EQ(Run({ "fields", "L", "Books", "delete", "ISBN13" }).status, 0);
    run = Run({ "fields", "L", "Books" });
    EXPECT_NE(run.out.find("Stars\ttext\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("ISBN13"), std::string::npos) << run.out;

    const std::string output = m_scratch.File("web");
    for (const char* report : { "Books", "Record Albums", "Music" }) {
        run = Run({ "webreport", "L", report, "--output", output });
        ASSERT_EQ(run.status, 0) << report << ": " << run.err;
    }
    const std::string pages = AllPages(output);
    for (const char* title : { "The Lanterns of Orrin Vale", "Salt and Cedar", "Notes on Quiet Rivers: A Field Guide",
             "Harbour Lights", "Blue Hours", "Night Ferry" })
        EXPECT_NE(pages.find(title), std::string::npos) << title;
    EXPECT_NE(pages.find("0441013597"), std::string::npos);
    EXPECT_EQ(pages.find("=&quot;"), std::string::npos);

    run = Run({ "report", "L", "Books", "--bom" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("\xEF\xBB\xBF", 0), 0u);
}
