// Each source's reading of answers written from the services' published
// formats, the odd ones included.
#include <gtest/gtest.h>

#include "LookupTestSupport.h"
#include "data/lookup/LookupText.h"
#include "data/lookup/MusicBrainzSource.h"
#include "data/lookup/OmdbSource.h"
#include "data/lookup/OpenLibrarySource.h"
#include "data/model/MediaUtils.h"

using lookuptest::Answer;
using lookuptest::FakeTransport;
using U = CMediaUtils;

namespace {

// Expected property texts; "" means the property must be absent.
using Expected = std::vector<std::pair<CString, CString>>;

void ExpectValues(const CLookupCandidate& candidate, const Expected& expected)
{
    for (const auto& [prop, text] : expected) {
        if (text.empty())
            EXPECT_FALSE(candidate.values.Contains(prop)) << prop << " = " << candidate.Value(prop);
        else
            EXPECT_EQ(candidate.Value(prop), text) << prop;
    }
}

class SourceParsers : public ::testing::Test {
protected:
    FakeTransport transport;
    COpenLibrarySource openLibrary { transport };
    CMusicBrainzSource musicBrainz { transport };
    COmdbSource omdb { transport, "key" };
    std::vector<CLookupCandidate> found;
    CString error;
};

TEST_F(SourceParsers, OpenLibraryBooks)
{
    ASSERT_TRUE(openLibrary.ParseBooks(Answer("openlibrary-books-isbn.json"), "0451526538", found, error));
    ASSERT_EQ(found.size(), 1u);
    ExpectValues(found[0],
        { { U::MEDIA_PROP_TITLE, "The adventures of Tom Sawyer" }, { U::MEDIA_PROP_AUTHOR, "Mark Twain" },
            { U::MEDIA_PROP_COAUTHOR, "" }, { U::MEDIA_PROP_PUBLISHER, "Signet Classic" },
            { U::MEDIA_PROP_YEAR, "1997" }, { U::MEDIA_PROP_PAGES, "216" }, { U::MEDIA_PROP_ISBN, "0451526538" } });
    EXPECT_EQ(found[0].coverUrl, "https://covers.openlibrary.org/b/id/295577-L.jpg");
    EXPECT_EQ(found[0].key, "/books/OL1017798M");
    EXPECT_TRUE(found[0].complete);

    found.clear();
    ASSERT_TRUE(
        openLibrary.ParseBooks(Answer("openlibrary-books-several-authors.json"), "9780262510875", found, error));
    ASSERT_EQ(found.size(), 1u);
    ExpectValues(found[0],
        { { U::MEDIA_PROP_AUTHOR, "Harold Abelson" }, { U::MEDIA_PROP_COAUTHOR, "Gerald Jay Sussman, Julie Sussman" },
            { U::MEDIA_PROP_SUBTITLE, "second edition" }, { U::MEDIA_PROP_PUBLISHER, "MIT Press" },
            { U::MEDIA_PROP_YEAR, "1996" }, { U::MEDIA_PROP_PAGES, "" } });
    EXPECT_TRUE(found[0].coverUrl.empty());

    found.clear();
    ASSERT_TRUE(openLibrary.ParseBooks(Answer("openlibrary-books-unknown.json"), "0451526538", found, error));
    EXPECT_TRUE(found.empty());
}

TEST_F(SourceParsers, OpenLibraryTakesWrongTypesAsAbsent)
{
    ASSERT_TRUE(openLibrary.ParseBooks(Answer("openlibrary-books-wrong-types.json"), "0451526538", found, error));
    ASSERT_EQ(found.size(), 1u);
    ExpectValues(found[0],
        { { U::MEDIA_PROP_TITLE, "Tom Sawyer" }, { U::MEDIA_PROP_SUBTITLE, "" }, { U::MEDIA_PROP_AUTHOR, "" },
            { U::MEDIA_PROP_PAGES, "" }, { U::MEDIA_PROP_PUBLISHER, "" }, { U::MEDIA_PROP_YEAR, "" } });
    EXPECT_TRUE(found[0].coverUrl.empty());
    EXPECT_TRUE(found[0].key.empty());

    found.clear();
    EXPECT_FALSE(openLibrary.ParseBooks(Answer("openlibrary-books-no-title.json"), "0451526538", found, error));
    EXPECT_EQ(error, "Open Library: its answer holds no book with a title.");
    EXPECT_TRUE(found.empty());
}

TEST_F(SourceParsers, OpenLibraryStripsMarkupAndNeverBuildsAddressesFromAnswers)
{
    ASSERT_TRUE(openLibrary.ParseBooks(Answer("openlibrary-books-markup.json"), "0441013597", found, error));
    ASSERT_EQ(found.size(), 1u);
    ExpectValues(found[0],
        { { U::MEDIA_PROP_TITLE, "Dune & alert('x') Messiah" },
            { U::MEDIA_PROP_SUBTITLE, "Special edition in two parts" }, { U::MEDIA_PROP_AUTHOR, "Frank Herbert" },
            { U::MEDIA_PROP_PUBLISHER, "Ace & Co" }, { U::MEDIA_PROP_YEAR, "2005" } });
    // The cover address in the answer is no cover id: the ISBN route is used.
    EXPECT_EQ(found[0].coverUrl, "https://covers.openlibrary.org/b/isbn/0441013597-L.jpg?default=false");
}

TEST_F(SourceParsers, OpenLibraryTitleSearch)
{
    ASSERT_TRUE(openLibrary.ParseSearch(Answer("openlibrary-search-title.json"), found, error));
    ASSERT_EQ(found.size(), 2u); // the record without a title is left out
    ExpectValues(found[0],
        { { U::MEDIA_PROP_TITLE, "Dune" }, { U::MEDIA_PROP_ISBN, "9780441013593" }, { U::MEDIA_PROP_YEAR, "1965" },
            { U::MEDIA_PROP_PAGES, "604" }, { U::MEDIA_PROP_PUBLISHER, "Chilton Books" } });
    EXPECT_EQ(found[0].coverUrl, "https://covers.openlibrary.org/b/id/11481354-L.jpg");
    EXPECT_TRUE(found[1].coverUrl.empty());
}

TEST_F(SourceParsers, BrokenAnswersAreRefusedWithTheSourceName)
{
    const std::string deep = std::string(100, '[') + std::string(100, ']');
    const struct {
        std::string body;
        const char* message;
    } cases[] = {
        { "<html><body>Service Unavailable</body></html>", "Open Library: its answer is not valid JSON." },
        { R"({"ISBN:1": )", "Open Library: its answer is not valid JSON." },
        { deep, "Open Library: its answer nests too deeply to be read." },
        { "[1, 2, 3]", "Open Library: its answer is not a list of books." },
    };
    for (const auto& c : cases) {
        error.clear();
        EXPECT_FALSE(openLibrary.ParseBooks(c.body, "0451526538", found, error));
        EXPECT_EQ(error, c.message);
    }
    EXPECT_FALSE(musicBrainz.ParseSearch(R"({"releases": {"id": "x"}})", found, error));
    EXPECT_EQ(error, "MusicBrainz: its answer is not a list of releases.");
    EXPECT_FALSE(omdb.ParseSearch(deep, found, error));
    EXPECT_EQ(error, "OMDb: its answer nests too deeply to be read.");
    EXPECT_TRUE(found.empty());
}

TEST_F(SourceParsers, MusicBrainzSearch)
{
    ASSERT_TRUE(musicBrainz.ParseSearch(Answer("musicbrainz-search-barcode.json"), found, error));
    ASSERT_EQ(found.size(), 1u); // the release whose id is no id is left out
    ExpectValues(found[0],
        { { U::MEDIA_PROP_TITLE, "Mezzanine" }, { U::MEDIA_PROP_ARTIST, "Massive Attack" },
            { U::MEDIA_PROP_YEAR, "1998" }, { U::MEDIA_PROP_PUBLISHER, "Circa" },
            { U::MEDIA_PROP_JACKETNUMBER, "WBRCD4" }, { U::MEDIA_PROP_DISCS, "1" } });
    EXPECT_EQ(found[0].format, "CD");
    EXPECT_FALSE(found[0].complete);
    EXPECT_TRUE(found[0].tracks.empty());

    found.clear();
    ASSERT_TRUE(musicBrainz.ParseSearch(Answer("musicbrainz-search-empty.json"), found, error));
    EXPECT_TRUE(found.empty());
}

TEST_F(SourceParsers, MusicBrainzMultiDiscRelease)
{
    CLookupCandidate release;
    ASSERT_TRUE(musicBrainz.ParseRelease(Answer("musicbrainz-release-multidisc.json"), release, error)) << error;
    ExpectValues(release,
        { { U::MEDIA_PROP_TITLE, "The Wall" }, { U::MEDIA_PROP_ARTIST, "Pink Floyd" }, { U::MEDIA_PROP_DISCS, "2" },
            { U::MEDIA_PROP_JACKETNUMBER, "CDS 7 46036 8" }, { U::MEDIA_PROP_LENGTH, "19:59" } });
    EXPECT_EQ(release.format, "2\u00D7CD");
    EXPECT_EQ(release.coverUrl, "https://coverartarchive.org/release/0a2ac6ed-3c4e-4b8c-8b5f-1e8c9a3f5b77/front-500");
    ASSERT_EQ(release.tracks.size(), 5u);
    const struct {
        const char *disc, *number, *title, *length;
    } tracks[] = {
        { "1", "1", "In the Flesh?", "03:19" },
        { "1", "2", "The Thin Ice", "02:28" }, // 147.5 s rounds up
        { "1", "3", "Another Brick in the Wall, Part 1", "03:11" }, // the recording's length
        { "2", "1", "Hey You", "04:40" },
        { "2", "2", "Comfortably Numb", "06:22" },
    };
    for (std::size_t i = 0; i < 5; ++i) {
        const CMapStringToString& track = release.tracks[i];
        EXPECT_EQ(*track.PLookup(U::MEDIA_PROP_DISCNUMBER), tracks[i].disc) << i;
        EXPECT_EQ(*track.PLookup(U::MEDIA_PROP_TRACKNUMBER), tracks[i].number) << i;
        EXPECT_EQ(*track.PLookup(U::MEDIA_PROP_TRACKTITLE), tracks[i].title) << i;
        EXPECT_EQ(*track.PLookup(U::MEDIA_PROP_TRACKLENGTH), tracks[i].length) << i;
    }
}

TEST_F(SourceParsers, MusicBrainzReleaseWithoutCoverOrDates)
{
    CLookupCandidate release;
    ASSERT_TRUE(musicBrainz.ParseRelease(Answer("musicbrainz-release-no-cover.json"), release, error)) << error;
    ExpectValues(release,
        { { U::MEDIA_PROP_ARTIST, "Alice & Bob" }, { U::MEDIA_PROP_YEAR, "" }, { U::MEDIA_PROP_PUBLISHER, "" },
            { U::MEDIA_PROP_JACKETNUMBER, "" }, { U::MEDIA_PROP_LENGTH, "" } });
    EXPECT_TRUE(release.coverUrl.empty());
    EXPECT_EQ(release.format, "12\" Vinyl");
    ASSERT_EQ(release.tracks.size(), 2u);
    // No length, and a length no track can have, are both left out.
    EXPECT_FALSE(release.tracks[0].Contains(U::MEDIA_PROP_TRACKLENGTH));
    EXPECT_FALSE(release.tracks[1].Contains(U::MEDIA_PROP_TRACKLENGTH));
}

TEST_F(SourceParsers, MusicBrainzQuerySyntax)
{
    const struct {
        CLookupQuery::EKind kind;
        const char* text;
        const char* expression;
    } cases[] = {
        { CLookupQuery::BARCODE, "724384960650", "barcode:724384960650" },
        { CLookupQuery::BARCODE, "0724384960650", "barcode:0724384960650 OR barcode:724384960650" },
        { CLookupQuery::CATALOG_NUMBER, "WBRCD 4", "catno:\"WBRCD 4\"" },
        { CLookupQuery::TITLE, "Say \"hi\" \\o/", "release:\"Say \\\"hi\\\" \\\\o/\"" },
    };
    for (const auto& c : cases) {
        CLookupQuery query;
        query.kind = c.kind;
        query.text = c.text;
        query.mediaType = U::MEDIA_CD;
        EXPECT_EQ(CMusicBrainzSource::SearchExpression(query), c.expression);
    }
}

TEST_F(SourceParsers, OmdbSearchAndTitles)
{
    ASSERT_TRUE(omdb.ParseSearch(Answer("omdb-search.json"), found, error));
    ASSERT_EQ(found.size(), 2u); // the hostile id is left out
    EXPECT_EQ(found[0].key, "tt0078748");
    EXPECT_FALSE(found[0].complete);
    EXPECT_TRUE(found[1].coverUrl.empty());

    CLookupCandidate film = found[0];
    ASSERT_TRUE(omdb.ParseTitle(Answer("omdb-title.json"), film, error));
    ExpectValues(film,
        { { U::MEDIA_PROP_TITLE, "Alien" }, { U::MEDIA_PROP_YEAR, "1979" }, { U::MEDIA_PROP_DIRECTOR, "Ridley Scott" },
            { U::MEDIA_PROP_LEADACTOR, "Sigourney Weaver" }, { U::MEDIA_PROP_COSTAR, "Tom Skerritt" },
            { U::MEDIA_PROP_LENGTH, "1:57:00" }, { U::MEDIA_PROP_PUBLISHER, "" } });
    EXPECT_EQ(film.Value(U::MEDIA_PROP_DESCRIPTION).rfind("The crew of a commercial spacecraft", 0), 0u);
    EXPECT_EQ(film.coverUrl, "https://m.media-amazon.com/images/M/alien.jpg");
    EXPECT_TRUE(film.complete);

    CLookupCandidate sparse = found[1];
    ASSERT_TRUE(omdb.ParseTitle(Answer("omdb-title-sparse.json"), sparse, error));
    ExpectValues(sparse,
        { { U::MEDIA_PROP_DIRECTOR, "" }, { U::MEDIA_PROP_LEADACTOR, "" }, { U::MEDIA_PROP_LENGTH, "" },
            { U::MEDIA_PROP_DESCRIPTION, "" }, { U::MEDIA_PROP_PUBLISHER, "20th Century Fox" } });
    EXPECT_TRUE(sparse.coverUrl.empty());
}

TEST_F(SourceParsers, OmdbRefusalsAndEmptySearches)
{
    ASSERT_TRUE(omdb.ParseSearch(Answer("omdb-not-found.json"), found, error));
    EXPECT_TRUE(found.empty());
    EXPECT_FALSE(omdb.ParseSearch(Answer("omdb-invalid-key.json"), found, error));
    EXPECT_EQ(error, "OMDb: it refused the search (Invalid API key!).");
    CLookupCandidate film;
    film.key = "tt0000001";
    EXPECT_FALSE(omdb.ParseTitle(Answer("omdb-not-found.json"), film, error));
    EXPECT_EQ(error, "OMDb: it knows no film tt0000001.");
}

TEST(LookupText, CleansAnswersForFields)
{
    const struct {
        const char* raw;
        const char* clean;
    } cases[] = {
        { "  plain   text ", "plain text" },
        { "Tom &amp; Jerry &lt;3", "Tom & Jerry <3" },
        { "<a href=\"x\">link</a> and <br/>more", "link and more" },
        { "&#233;t&#xE9; &#0; &#x110000; &bogus;", "\xC3\xA9t\xC3\xA9 &#0; &#x110000; &bogus;" },
        { "line\nbreak\ttab\x01"
          "bell",
            "line break tab bell" },
        { "a < b > c", "a < b > c" },
        { "unclosed <tag", "unclosed <tag" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CLookupText::Clean(c.raw), c.clean) << c.raw;
    EXPECT_EQ(CLookupText::Clean(std::string(5000, 'a')).size(), CLookupText::FIELD_LIMIT);
    // Cut on a character boundary.
    EXPECT_EQ(CLookupText::Clean("\xC3\xA9\xC3\xA9", 3), "\xC3\xA9");

    const struct {
        const char* date;
        int year;
    } years[] = { { "1997", 1997 }, { "May 16, 2005", 2005 }, { "c1965.", 1965 }, { "2010-07-16", 2010 },
        { "12345", 0 }, { "0999", 0 }, { "", 0 }, { "n.d.", 0 } };
    for (const auto& y : years)
        EXPECT_EQ(CLookupText::FindYear(y.date), y.year) << y.date;
}

} // namespace
