// The look-up service over a transport that answers from recorded answers:
// which sources are asked with which requests, and how failures are told.
#include <gtest/gtest.h>

#include <cstdlib>

#include "LookupTestSupport.h"
#include "data/lookup/LookupService.h"
#include "data/lookup/OpenLibrarySource.h"
#include "data/model/MediaUtils.h"

using lookuptest::Answer;
using lookuptest::FakeTransport;
using U = CMediaUtils;

namespace {

class LookupServiceTest : public ::testing::Test {
protected:
    std::shared_ptr<FakeTransport> transport = std::make_shared<FakeTransport>();
    CLookupOptions options;

    CLookupQuery Query(const CString& text, int mediaType, bool catalogNumber = false) const
    {
        return CLookupQuery::FromText(text, mediaType, catalogNumber);
    }
};

TEST_F(LookupServiceTest, BookByIsbnAsksOpenLibraryInItsOwnForm)
{
    transport->On("/api/books", 200, Answer("openlibrary-books-isbn.json"));
    transport->On("/b/id/295577-L.jpg", 200, lookuptest::JpegBytes());
    CLookupService service(options, transport);
    const CLookupQuery query = Query("0-451-52653-8", U::MEDIA_BOOK);
    ASSERT_EQ(query.kind, CLookupQuery::ISBN);
    CLookupResult result = service.Search(query);
    ASSERT_EQ(result.candidates.size(), 1u) << result.Message(query);
    EXPECT_EQ(transport->Urls(),
        std::vector<std::string> {
            "https://openlibrary.org/api/books?bibkeys=ISBN:0451526538&jscmd=data&format=json" });
    EXPECT_TRUE(transport->Requests()[0].httpsOnly);

    CCoverImage cover;
    CString error;
    ASSERT_TRUE(service.Prepare(result.candidates[0], true, cover, error)) << error;
    EXPECT_EQ(cover.extension, "jpg");
    EXPECT_EQ(transport->Urls().back(), "https://covers.openlibrary.org/b/id/295577-L.jpg");
    EXPECT_EQ(transport->Requests().back().maxBytes, CHttpRequest::IMAGE_LIMIT);
}

TEST_F(LookupServiceTest, ReleaseByBarcodeIsSearchedThenCompleted)
{
    transport->On("/ws/2/release?", 200, Answer("musicbrainz-search-barcode.json"));
    transport->On("/ws/2/release/b8a7c51f", 200, Answer("musicbrainz-release-multidisc.json"));
    transport->On("/release/0a2ac6ed-3c4e-4b8c-8b5f-1e8c9a3f5b77/front-500", 404, "");
    CLookupService service(options, transport);
    const CLookupQuery query = Query("724384960650", U::MEDIA_CD);
    ASSERT_EQ(query.kind, CLookupQuery::BARCODE);
    CLookupResult result = service.Search(query);
    ASSERT_EQ(result.candidates.size(), 1u) << result.Message(query);
    EXPECT_EQ(
        transport->Urls()[0], "https://musicbrainz.org/ws/2/release?query=barcode%3A724384960650&limit=5&fmt=json");

    CCoverImage cover;
    CString error;
    ASSERT_TRUE(service.Prepare(result.candidates[0], true, cover, error)) << error;
    EXPECT_EQ(transport->Urls()[1],
        "https://musicbrainz.org/ws/2/release/b8a7c51f-362c-4dcb-a259-bc6e0095f0a6"
        "?inc=artist-credits+labels+recordings&fmt=json");
    EXPECT_EQ(result.candidates[0].tracks.size(), 5u);
    // The archive has no cover for it: the fill goes on without one.
    EXPECT_TRUE(cover.IsEmpty());
}

TEST_F(LookupServiceTest, FilmsNeedTheCollectorsKey)
{
    const CLookupQuery query = Query("Alien", U::MEDIA_DVD);
    CString why;
    EXPECT_FALSE(CLookupService(options, transport).CanLookUp(query, why));
    EXPECT_EQ(why, "Films are looked up with your own OMDb API key; enter it in the settings.");
    EXPECT_TRUE(transport->Urls().empty());

    options.filmApiKey = "abc 123";
    transport->On("s=Alien", 200, Answer("omdb-search.json"));
    transport->On("i=tt0078748", 200, Answer("omdb-title.json"));
    transport->On("i=tt0090605", 200, Answer("omdb-title-sparse.json"));
    CLookupService service(options, transport);
    CLookupResult result = service.Search(query);
    ASSERT_EQ(result.candidates.size(), 2u) << result.Message(query);
    EXPECT_EQ(transport->Urls()[0], "https://www.omdbapi.com/?apikey=abc%20123&s=Alien");
    EXPECT_EQ(transport->Urls()[1], "https://www.omdbapi.com/?apikey=abc%20123&i=tt0078748&plot=short");
    EXPECT_EQ(result.candidates[0].Value(U::MEDIA_PROP_DIRECTOR), "Ridley Scott");
    EXPECT_TRUE(result.candidates[1].complete);
}

TEST_F(LookupServiceTest, SourcesThatAreOffOrCannotAnswerAreNotAsked)
{
    options.sources = { "musicbrainz" };
    CLookupService service(options, transport);
    CString why;
    EXPECT_FALSE(service.CanLookUp(Query("0451526538", U::MEDIA_BOOK), why));
    EXPECT_EQ(why, "No look-up source that is on can find Books by ISBN.");
    EXPECT_FALSE(service.CanLookUp(Query("Alien", U::MEDIA_DVDREC), why));
    EXPECT_TRUE(service.CanLookUp(Query("WBRCD4", U::MEDIA_RECORDALBUM, true), why));
    EXPECT_TRUE(transport->Urls().empty());

    std::vector<CString> ids;
    CString error;
    EXPECT_TRUE(CLookupOptions::ParseSourceList(" OMDb, openlibrary,omdb ", ids, error));
    EXPECT_EQ(ids, (std::vector<CString> { "omdb", "openlibrary" }));
    EXPECT_FALSE(CLookupOptions::ParseSourceList("openlibrary,amazon", ids, error));
    EXPECT_EQ(error, "unknown look-up source \"amazon\"; use openlibrary, musicbrainz or omdb");
}

TEST_F(LookupServiceTest, FailuresAreToldAndNothingIsFound)
{
    const CLookupQuery query = Query("0451526538", U::MEDIA_BOOK);
    const struct {
        CHttpResponse response;
        const char* message;
    } cases[] = {
        { { CHttpResponse::NONE, 503, "", "", "" }, "Open Library answered with HTTP status 503." },
        { { CHttpResponse::TIMEOUT, 0, "", "", "timed out" }, "Open Library did not answer within 10 seconds." },
        { { CHttpResponse::UNREACHABLE, 0, "", "", "Could not resolve host" },
            "Open Library cannot be reached (Could not resolve host). Is the computer online?" },
        { { CHttpResponse::TOO_LARGE, 0, "", "", "too big" },
            "Open Library sent more than a look-up can take; the answer was not read." },
        { { CHttpResponse::NONE, 200, "not json", "", "" }, "Open Library: its answer is not valid JSON." },
        { { CHttpResponse::NONE, 200, "{}", "", "" }, "Nothing was found for ISBN 0451526538." },
    };
    for (const auto& c : cases) {
        auto failing = std::make_shared<FakeTransport>();
        failing->On("/api/books", [&](const CHttpRequest&) { return c.response; });
        CLookupService service(options, failing);
        const CLookupResult result = service.Search(query);
        EXPECT_TRUE(result.candidates.empty());
        EXPECT_EQ(result.Message(query), c.message);
    }
}

TEST_F(LookupServiceTest, CoversThatAreNoPicturesAreRefused)
{
    transport->On("/api/books", 200, Answer("openlibrary-books-isbn.json"));
    transport->On("/b/id/", 200, "<html>not a picture</html>");
    CLookupService service(options, transport);
    const CLookupQuery query = Query("0451526538", U::MEDIA_BOOK);
    CLookupResult result = service.Search(query);
    ASSERT_EQ(result.candidates.size(), 1u);
    const CLookupCandidate before = result.candidates[0];
    CCoverImage cover;
    CString error;
    EXPECT_FALSE(service.Prepare(result.candidates[0], true, cover, error));
    EXPECT_EQ(error, "The cover from Open Library is not a JPEG, PNG, GIF or WebP picture.");
    EXPECT_TRUE(cover.IsEmpty());
    EXPECT_EQ(result.candidates[0].values, before.values);
    // Without the cover nothing is fetched.
    const std::size_t asked = transport->Urls().size();
    EXPECT_TRUE(service.Prepare(result.candidates[0], false, cover, error));
    EXPECT_EQ(transport->Urls().size(), asked);

    const struct {
        const char* magic;
        std::size_t size;
        const char* extension;
    } magics[] = { { "\xFF\xD8\xFF\xDB", 4, "jpg" }, { "\x89PNG\r\n\x1A\n", 8, "png" }, { "GIF89a", 6, "gif" },
        { "RIFF\0\0\0\0WEBPVP8 ", 16, "webp" }, { "RIFF\0\0\0\0WAVEfmt ", 16, "" }, { "\xFF\xD8", 2, "" },
        { "<svg>", 5, "" } };
    for (const auto& m : magics)
        EXPECT_EQ(CCoverImage::DetectExtension(std::string(m.magic, m.size)), m.extension) << m.extension;
}

// The chooser's thumbnails: each service's smaller picture of the cover,
// checked like a cover; none without a cover or when the source is off.
TEST_F(LookupServiceTest, ThumbnailsAskForTheSmallerPicture)
{
    transport->On("-M.jpg", 200, lookuptest::JpegBytes());
    transport->On("/front-250", 200, "<html>not a picture</html>");
    CLookupService service(options, transport);
    const struct {
        const char* source;
        const char* coverUrl;
        const char* asked; // "" when nothing is to be asked
        bool ok;
    } cases[] = {
        { "openlibrary", "https://covers.openlibrary.org/b/id/295577-L.jpg",
            "https://covers.openlibrary.org/b/id/295577-M.jpg", true },
        { "openlibrary", "https://covers.openlibrary.org/b/isbn/9780451526533-L.jpg?default=false",
            "https://covers.openlibrary.org/b/isbn/9780451526533-M.jpg?default=false", true },
        { "musicbrainz", "https://coverartarchive.org/release/0a2ac6ed-3c4e-4b8c-8b5f-1e8c9a3f5b77/front-500",
            "https://coverartarchive.org/release/0a2ac6ed-3c4e-4b8c-8b5f-1e8c9a3f5b77/front-250", false },
        { "openlibrary", "", "", true },
        { "gamesdb", "https://example.org/cover.jpg", "", false },
    };
    for (const auto& c : cases) {
        CLookupCandidate candidate;
        candidate.sourceId = c.source;
        candidate.coverUrl = c.coverUrl;
        const std::size_t before = transport->Urls().size();
        CCoverImage cover;
        CString error;
        EXPECT_EQ(service.FetchThumbnail(candidate, cover, error), c.ok) << c.coverUrl << ": " << error;
        EXPECT_EQ(cover.IsEmpty(), !(c.ok && *c.asked));
        if (*c.asked)
            EXPECT_EQ(transport->Urls().back(), c.asked);
        else
            EXPECT_EQ(transport->Urls().size(), before);
    }
}

TEST_F(LookupServiceTest, CancelStopsTheSearch)
{
    std::atomic<bool> cancel { false };
    transport->On("/api/books", [&](const CHttpRequest&) {
        cancel = true;
        CHttpResponse response;
        response.failure = CHttpResponse::CANCELLED;
        return response;
    });
    CLookupService service(options, transport);
    const CLookupQuery query = Query("0451526538", U::MEDIA_BOOK);
    const CLookupResult result = service.Search(query, &cancel);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.Message(query), "The look-up was cancelled.");
}

TEST_F(LookupServiceTest, BaseAddressesComeFromTheEnvironment)
{
    ::setenv(COpenLibrarySource::URL_VARIABLE, "http://mirror.invalid/ol/", 1);
    ::setenv(COpenLibrarySource::COVERS_URL_VARIABLE, "http://mirror.invalid/covers", 1);
    transport->On("/api/books", 200, Answer("openlibrary-books-isbn.json"));
    CLookupService service(options, transport);
    ::unsetenv(COpenLibrarySource::URL_VARIABLE);
    ::unsetenv(COpenLibrarySource::COVERS_URL_VARIABLE);
    const CLookupResult result = service.Search(Query("0451526538", U::MEDIA_BOOK));
    ASSERT_EQ(result.candidates.size(), 1u);
    EXPECT_EQ(
        transport->Urls()[0], "http://mirror.invalid/ol/api/books?bibkeys=ISBN:0451526538&jscmd=data&format=json");
    EXPECT_FALSE(transport->Requests()[0].httpsOnly);
    EXPECT_EQ(result.candidates[0].coverUrl, "http://mirror.invalid/covers/b/id/295577-L.jpg");
}

TEST(LookupQuery, KindOfATypedOrScannedText)
{
    const struct {
        const char* text;
        int mediaType;
        bool catalogField;
        CLookupQuery::EKind kind;
        const char* queryText;
    } cases[] = {
        { " 978-0-262-51087-5 ", U::MEDIA_BOOK, false, CLookupQuery::ISBN, "9780262510875" },
        { "0451526538", U::MEDIA_CD, false, CLookupQuery::ISBN, "0451526538" },
        { "9780262510875", U::MEDIA_CD, false, CLookupQuery::BARCODE, "9780262510875" },
        { "724384960650", U::MEDIA_CD, true, CLookupQuery::BARCODE, "724384960650" },
        { "WBRCD4", U::MEDIA_CD, true, CLookupQuery::CATALOG_NUMBER, "WBRCD4" },
        { "Mezzanine", U::MEDIA_CD, false, CLookupQuery::TITLE, "Mezzanine" },
        { "0451526539", U::MEDIA_BOOK, false, CLookupQuery::TITLE, "0451526539" },
    };
    for (const auto& c : cases) {
        const CLookupQuery query = CLookupQuery::FromText(c.text, c.mediaType, c.catalogField);
        EXPECT_EQ(query.kind, c.kind) << c.text;
        EXPECT_EQ(query.text, c.queryText) << c.text;
    }
}

} // namespace
