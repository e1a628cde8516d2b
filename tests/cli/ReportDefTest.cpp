// Report definitions from JSON: a script defines a printed and a web report,
// runs them without the window, reads them back and changes them; a wrong
// definition says which key is wrong and saves nothing.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliTestFixture.h"

namespace {

using clitest::CliTest;
using clitest::ToolRun;

const char* const SHELF_CSV = "Title,Author,Year,Category\n"
                              "Dune,Frank Herbert,1965,Sci-Fi\n"
                              "Emma,Jane Austen,1815,Classics\n"
                              "Hyperion,Dan Simmons,1989,Sci-Fi\n";

class ReportDefTest : public CliTest {
protected:
    void SetUp() override
    {
        NewLibrary("L");
        const ToolRun run = Run({ "import", "L", "--type", "Books", WriteFile("shelf.csv", SHELF_CSV) });
        ASSERT_EQ(run.status, 0) << run.err;
    }

    ToolRun Set(const std::string& kind, const std::string& json, std::vector<std::string> extra = {})
    {
        std::vector<std::string> args { "reportdef", "L", kind, "set", WriteFile("def.json", json) };
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args);
    }
};

TEST_F(ReportDefTest, ScriptDefinesRunsReadsAndChangesReports)
{
    ToolRun run = Set("print",
        R"({"name": "Science fiction", "mediaTypes": ["Books"], "categories": ["sci-fi"],
            "columns": ["Title", "Year"], "sortOrder": ["-Year"]})");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Added the printed report \"Science fiction\".\n");
    run = Run({ "report", "L", "science fiction" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Title,Year\nHyperion,1989\nDune,1965\n");

    // What show writes, set takes back as it was.
    const ToolRun shown = Run({ "reportdef", "L", "print", "show", "Science Fiction" });
    ASSERT_EQ(shown.status, 0) << shown.err;
    vemotest::JsonValue json;
    std::string error;
    ASSERT_TRUE(vemotest::ParseJson(shown.out, json, error)) << error;
    EXPECT_EQ(json["categories"][0].string, "Sci-Fi");
    EXPECT_EQ(json["sortOrder"][0].string, "-Year");
    ASSERT_EQ(Set("print", shown.out).status, 0);
    EXPECT_EQ(Run({ "reportdef", "L", "print", "show", "Science fiction" }).out, shown.out);

    // Keys left out keep their values; --report renames.
    run = Set("print", R"({"name": "All books", "categories": "all", "sortOrder": ["Title"]})",
        { "--report", "science fiction" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Changed the printed report \"Science fiction\" into \"All books\".\n");
    EXPECT_EQ(Run({ "report", "L", "All books" }).out, "Title,Year\nDune,1965\nEmma,1815\nHyperion,1989\n");
    EXPECT_EQ(Run({ "reportdef", "L", "print" }).out, "All books\n");

    // A web report in a folder of its own below the web report folder,
    // with the shipped templates by name; its run enters the index.
    run = Set("web",
        R"({"name": "Shelf & Co", "mediaTypes": ["book"], "homePage": "shelf/Shelf.htm",
            "pageLevels": [{"template": "Books.htm", "sortBy": "title"}, {"template": "BookEntry.htm"}]})");
    ASSERT_EQ(run.status, 0) << run.err;
    run = Run({ "webreport", "L", "Shelf & Co" });
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string page = vemotest::ReadAll(m_data + "/WebReports/shelf/Shelf.htm");
    for (const char* title : { "Dune", "Emma", "Hyperion" })
        EXPECT_NE(page.find(title), std::string::npos) << title;
    const std::string index = vemotest::ReadAll(m_data + "/WebReports/index.htm");
    EXPECT_NE(index.find("<a href=\"shelf/Shelf.htm\">Shelf &amp; Co</a>"), std::string::npos) << index;
    run = Run({ "reportdef", "L", "web", "show", "Shelf & Co" });
    EXPECT_NE(run.out.find("\"homePage\": \"shelf/Shelf.htm\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"template\": \"BookEntry.htm\""), std::string::npos) << run.out;

    // Names stay apart, ignoring case.
    run = Set("web", R"({"name": "books"})", { "--report", "Shelf & Co" });
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("A report named \"books\" exists already"), std::string::npos) << run.err;

    run = Run({ "reportdef", "L", "web", "delete", "shelf & co" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Run({ "reportdef", "L", "web", "show", "Shelf & Co" }).status, 1);
}

struct CBadDefinition {
    std::string kind;
    std::string json;
    std::string said;
};

class BadDefinitionTest : public ReportDefTest, public ::testing::WithParamInterface<CBadDefinition> { };

TEST_P(BadDefinitionTest, SaysWhichKeyAndSavesNothing)
{
    const std::string before = LibraryBytes("L");
    const ToolRun run = Set(GetParam().kind, GetParam().json);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(GetParam().said), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("othing was saved"), std::string::npos) << run.err;
    EXPECT_EQ(LibraryBytes("L"), before);
}

const std::string BOOKS = R"("name": "R", "mediaTypes": ["Books"])";

INSTANTIATE_TEST_SUITE_P(Cases, BadDefinitionTest,
    ::testing::Values(CBadDefinition { "print", "{\"name\": ", "not JSON: " },
        CBadDefinition { "print", "[]", "a report definition is a JSON object" },
        CBadDefinition { "print", R"({"name": "R", "colums": []})", "unknown key \"colums\"; a printed report has" },
        CBadDefinition { "print", R"({"name": 5})", "\"name\" must be a text" },
        CBadDefinition { "print", R"({"name": "R"})", "\"mediaTypes\" is missing" },
        CBadDefinition { "print", R"({"name": "R", "mediaTypes": ["Bokks"]})", "names no media type \"Bokks\"" },
        CBadDefinition { "print", R"({"name": "R", "mediaTypes": "Books"})", "\"mediaTypes\" must be a list of texts" },
        CBadDefinition { "print", "{" + BOOKS + R"(, "categories": ["Poetry"]})",
            "\"categories\" names no category of the library: \"Poetry\"" },
        CBadDefinition { "print", "{" + BOOKS + R"(, "columns": ["Titel"]})",
            "\"columns\" names no property or custom field of the report's media types: \"Titel\"" },
        CBadDefinition { "print", "{" + BOOKS + R"(, "columns": ["Title", 2]})", "\"columns[1]\" must be a text" },
        CBadDefinition { "print", "{" + BOOKS + R"(, "sortOrder": ["Title", "Year", "Pages", "ISBN", "Author"]})",
            "\"sortOrder\" holds at most 4" },
        CBadDefinition { "print", "{" + BOOKS + R"(, "columns": []})", "Select one or more data columns." },
        CBadDefinition { "web", "{" + BOOKS + "}", "\"pageLevels\" is missing" },
        CBadDefinition { "web", "{" + BOOKS + R"(, "pageLevels": [{"template": "Books.htm", "sortby": "Title"}]})",
            "\"pageLevels[0]\" has an unknown key \"sortby\"" },
        CBadDefinition { "web", "{" + BOOKS + R"(, "includeDuplicates": "yes", "pageLevels": []})",
            "\"includeDuplicates\" must be true or false" },
        CBadDefinition { "web", "{" + BOOKS + R"(, "pageLevels": [{"template": "No.htm"}]})",
            "The HTML template of level one does not exist" }));

} // namespace
