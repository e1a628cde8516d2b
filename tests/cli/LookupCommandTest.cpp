// The tool's look-up against services played by a server on the loopback,
// reached through the environment variables that replace their addresses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "CliTestFixture.h"
#include "support/LoopbackServer.h"

using clitest::CliTest;
using clitest::ToolRun;
using vemotest::HttpExchange;
using vemotest::LoopbackServer;

namespace {

std::string Recorded(const std::string& name)
{
    return vemotest::ReadAll(std::string(VEMO_TEST_SOURCE_DIR) + "/data/lookup/answers/" + name);
}

const std::string JPEG = std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) + std::string(32, '\x22');

class LookupCommandTest : public CliTest {
protected:
    // What the fake services answer; tests change it before running.
    std::string booksAnswer = Recorded("openlibrary-books-isbn.json");
    int booksStatus = 200;
    std::string cover = JPEG;

    LoopbackServer server { [this](HttpExchange& exchange) { Answer(exchange); } };

    // Every source's address points at the loopback server, and the film
    // key is unset unless a test sets it: nothing here may reach the
    // internet, whatever the environment the tests run in.
    static constexpr const char* VARIABLES[] = { "VEMOLIBRARY_OPENLIBRARY_URL", "VEMOLIBRARY_OPENLIBRARY_COVERS_URL",
        "VEMOLIBRARY_MUSICBRAINZ_URL", "VEMOLIBRARY_COVERARTARCHIVE_URL", "VEMOLIBRARY_OMDB_URL" };
    static constexpr const char* KEY_VARIABLE = "VEMOLIBRARY_OMDB_API_KEY";
    std::optional<std::string> savedKey;

    void SetUp() override
    {
        for (const char* variable : VARIABLES)
            ::setenv(variable, server.Url().c_str(), 1);
        if (const char* key = std::getenv(KEY_VARIABLE))
            savedKey = key;
        ::unsetenv(KEY_VARIABLE);
        NewLibrary("Shelf");
    }
    void TearDown() override
    {
        for (const char* variable : VARIABLES)
            ::unsetenv(variable);
        if (savedKey)
            ::setenv(KEY_VARIABLE, savedKey->c_str(), 1);
    }

    void Answer(HttpExchange& exchange)
    {
        const std::string& target = exchange.target;
        if (target == "/api/books?bibkeys=ISBN:0451526538&jscmd=data&format=json"
            || target == "/api/books?bibkeys=ISBN:9780451526533&jscmd=data&format=json") {
            exchange.status = booksStatus;
            exchange.body = booksAnswer;
        } else if (target == "/b/id/295577-L.jpg") {
            exchange.contentType = "image/jpeg";
            exchange.body = cover;
        } else if (target.rfind("/ws/2/release?query=barcode", 0) == 0) {
            exchange.body = Recorded("musicbrainz-search-barcode.json");
        } else if (target.rfind("/ws/2/release/b8a7c51f-362c-4dcb-a259-bc6e0095f0a6?", 0) == 0) {
            exchange.body = Recorded("musicbrainz-release-multidisc.json");
        } else if (target == "/?apikey=k3y&s=Alien") {
            exchange.body = Recorded("omdb-search.json");
        } else if (target == "/?apikey=k3y&i=tt0078748&plot=short") {
            // The poster address is the loopback's, like every other.
            std::string film = Recorded("omdb-title.json");
            const std::string poster = "https://m.media-amazon.com/images/M/alien.jpg";
            film.replace(film.find(poster), poster.size(), server.Url() + "/posters/alien.jpg");
            exchange.body = film;
        } else if (target == "/?apikey=k3y&i=tt0090605&plot=short") {
            exchange.body = Recorded("omdb-title-sparse.json");
        } else if (target == "/posters/alien.jpg") {
            exchange.body = cover;
        } else {
            exchange.status = 404;
        }
    }
};

TEST_F(LookupCommandTest, IsbnCreatesTheBookWithItsCoverThenFindsIt)
{
    ToolRun run = Run({ "lookup", "Shelf", "--type", "Books", "--isbn", "0-451-52653-8" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("1. The adventures of Tom Sawyer - Mark Twain (1997, Signet Classic, Book) [Open Library]"),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("New item \"The adventures of Tom Sawyer\" from Open Library"), std::string::npos);
    const std::string picture = m_data + "/Pictures/The adventures of Tom Sawyer (OL1017798M).jpg";
    EXPECT_EQ(vemotest::ReadAll(picture), JPEG);

    const vemotest::JsonValue dump = DumpJson("Shelf");
    const auto books = Books(dump);
    ASSERT_EQ(books.count("The adventures of Tom Sawyer"), 1u);
    const vemotest::JsonValue& properties = (*books.at("The adventures of Tom Sawyer"))["properties"];
    EXPECT_EQ(properties["Author"].string, "Mark Twain");
    EXPECT_EQ(properties["ISBN"].string, "0451526538");
    EXPECT_EQ(properties["Image File"].string, picture);

    // The second time the book is found by its ISBN and has every field.
    const std::string saved = LibraryBytes("Shelf");
    run = Run({ "lookup", "Shelf", "--type", "Books", "--isbn", "9780451526533" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Nothing to fill"), std::string::npos) << run.out;
    EXPECT_EQ(LibraryBytes("Shelf"), saved);
    for (const HttpExchange& request : server.Requests())
        EXPECT_EQ(request.userAgent.rfind("VemoLibrary/", 0), 0u);
}

TEST_F(LookupCommandTest, FilmByTitleWithTheCollectorsKey)
{
    ::setenv(KEY_VARIABLE, "k3y", 1);
    const ToolRun listed = Run({ "lookup", "Shelf", "--type", "DVDs", "--title", "Alien", "--list" });
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("2. Aliens"), std::string::npos) << listed.out;
    // The third search result's id is no IMDb id: it is never asked for.
    for (const HttpExchange& request : server.Requests())
        EXPECT_EQ(request.target.find("javascript"), std::string::npos) << request.target;

    const ToolRun run = Run({ "lookup", "Shelf", "--type", "DVDs", "--title", "Alien" });
    ASSERT_EQ(run.status, 0) << run.err;
    const vemotest::JsonValue dump = DumpJson("Shelf");
    bool found = false;
    for (const vemotest::JsonValue& type : dump["mediaTypes"].elements) {
        for (const vemotest::JsonValue& item : type["items"].elements) {
            found = true;
            EXPECT_EQ(type["name"].string, "DVDs");
            EXPECT_EQ(item["properties"]["Title"].string, "Alien");
            EXPECT_EQ(item["properties"]["Director"].string, "Ridley Scott");
            EXPECT_EQ(vemotest::ReadAll(item["properties"]["Image File"].string), JPEG);
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(LookupCommandTest, FailuresChangeNothing)
{
    const std::string before = LibraryBytes("Shelf");
    struct Case {
        std::function<void()> arrange;
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const std::vector<std::string> lookUp { "lookup", "Shelf", "--type", "Books", "--isbn", "0451526538" };
    const Case cases[] = {
        { [] {}, { "lookup", "Shelf", "--type", "Books", "--isbn", "0451526539" }, 2, "is no ISBN-10 or ISBN-13" },
        { [] {}, { "lookup", "Shelf", "--type", "Books" }, 2, "give one of --isbn" },
        { [] {}, { "lookup", "Shelf", "--type", "DVDs", "--title", "Alien" }, 1, "OMDb API key" },
        { [this] { booksStatus = 503; }, lookUp, 1, "Open Library answered with HTTP status 503." },
        { [this] { booksAnswer = "<html>oops</html>"; }, lookUp, 1, "Open Library: its answer is not valid JSON." },
        { [this] { booksAnswer = "{}"; }, lookUp, 1, "Nothing was found for ISBN 0451526538." },
        { [this] { cover = "GIF87"; }, lookUp, 1, "is not a JPEG, PNG, GIF or WebP picture. Nothing was changed." },
    };
    for (const Case& c : cases) {
        booksStatus = 200;
        booksAnswer = Recorded("openlibrary-books-isbn.json");
        cover = JPEG;
        c.arrange();
        const ToolRun run = Run(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(LibraryBytes("Shelf"), before);
    }
}

TEST_F(LookupCommandTest, ImportLooksUpEveryRowWithABarcodeAtTheSourcesPace)
{
    const std::string csv = WriteFile("cds.csv",
        "Title,Jacket Number\r\n"
        "Mezzanine,724384960650\r\n"
        "Unknown pleasures,FACT 10\r\n");
    const ToolRun run = Run({ "import", "Shelf", "--type", "CDs", csv, "--lookup" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Looking up 1 of 1: barcode 724384960650"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("Items filled from the online look-up: 1"), std::string::npos) << run.out;

    // Search, release and cover: at most one request a second.
    const std::vector<HttpExchange> requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    for (std::size_t i = 1; i < requests.size(); ++i)
        EXPECT_GE(requests[i].received - requests[i - 1].received, std::chrono::milliseconds(950));

    const vemotest::JsonValue dump = DumpJson("Shelf");
    for (const vemotest::JsonValue& type : dump["mediaTypes"].elements) {
        if (type["name"].string != "CDs")
            continue;
        ASSERT_EQ(type["items"].elements.size(), 2u);
        for (const vemotest::JsonValue& item : type["items"].elements) {
            const bool looked = item["properties"]["Title"].string == "Mezzanine";
            EXPECT_EQ(item["properties"]["Artist"].string, looked ? "Pink Floyd" : "");
        }
    }
}

} // namespace
