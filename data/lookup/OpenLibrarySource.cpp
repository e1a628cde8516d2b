#include "data/lookup/OpenLibrarySource.h"

#include "data/lookup/JsonRead.h"
#include "data/lookup/LookupText.h"
#include "data/model/MediaUtils.h"
#include "net/lookup/ProductCodes.h"

using namespace lookupjson;
using U = CMediaUtils;

namespace {

// The names of a list of objects with a "name" (authors, publishers), or of
// plain strings (the search API's lists).
CStringArray Names(const json& value, const char* key)
{
    CStringArray names;
    if (const json* list = Array(value, key)) {
        for (const json& entry : *list) {
            CString name;
            if (entry.is_string())
                name = CLookupText::Clean(entry.get_ref<const std::string&>());
            else
                name = Text(entry, "name");
            if (!name.empty())
                names.Add(name);
            if (names.GetSize() >= 20)
                break;
        }
    }
    return names;
}

void SetPeople(CLookupCandidate& candidate, const CStringArray& authors)
{
    if (authors.GetSize() == 0)
        return;
    candidate.values[U::MEDIA_PROP_AUTHOR] = authors[0];
    CString rest;
    for (INT_PTR i = 1; i < authors.GetSize(); ++i)
        rest += (i > 1 ? ", " : "") + authors[i];
    if (!rest.empty())
        candidate.values[U::MEDIA_PROP_COAUTHOR] = CLookupText::Clean(rest);
}

void SetIfAny(CLookupCandidate& candidate, const CString& prop, const CString& value)
{
    if (!value.empty())
        candidate.values[prop] = value;
}

void SetNumber(CLookupCandidate& candidate, const CString& prop, long long number, long long maxValue)
{
    if (number > 0 && number <= maxValue)
        candidate.values[prop] = std::to_string(number);
}

// The cover id in a covers address ".../b/id/295577-L.jpg"; 0 without one.
long long CoverIdFromUrl(const CString& url)
{
    const std::size_t at = url.find("/b/id/");
    if (at == CString::npos)
        return 0;
    long long id = 0;
    for (std::size_t i = at + 6; i < url.size() && url[i] >= '0' && url[i] <= '9' && id < 1000000000000LL; ++i)
        id = id * 10 + (url[i] - '0');
    return id;
}

} // namespace

COpenLibrarySource::COpenLibrarySource(CHttpTransport& transport)
    : CLookupSource(ID, "Open Library", transport, BaseUrlFromEnvironment(URL_VARIABLE, "https://openlibrary.org"),
        std::chrono::milliseconds(500))
    , m_coversUrl(BaseUrlFromEnvironment(COVERS_URL_VARIABLE, "https://covers.openlibrary.org"))
{
    AllowPlainHttpFor(m_coversUrl);
}

bool COpenLibrarySource::Accepts(const CLookupQuery& query) const
{
    return CLookupMedia::IsBook(query.mediaType)
        && (query.kind == CLookupQuery::TITLE
            || (query.kind == CLookupQuery::ISBN && !CProductCodes::ToISBN13(query.text).empty())
            || (query.kind == CLookupQuery::BARCODE && CProductCodes::IsValidISBN13(query.text)));
}

bool COpenLibrarySource::Search(const CLookupQuery& query, std::vector<CLookupCandidate>& candidates, CString& error,
    const std::atomic<bool>* cancel)
{
    std::string body;
    if (query.kind == CLookupQuery::TITLE) {
        const CString url = GetBaseUrl() + "/search.json?title=" + CHttpTransport::Encode(query.text)
            + "&limit=5&fields=key,title,subtitle,author_name,first_publish_year,publisher,isbn,cover_i,"
              "number_of_pages_median";
        return FetchJsonText(url, body, error, cancel) && ParseSearch(body, candidates, error);
    }
    const CString isbn = CProductCodes::Normalize(query.text);
    const CString url = GetBaseUrl() + "/api/books?bibkeys=ISBN:" + isbn + "&jscmd=data&format=json";
    return FetchJsonText(url, body, error, cancel) && ParseBooks(body, isbn, candidates, error);
}

bool COpenLibrarySource::ParseBooks(
    const std::string& body, const CString& isbn, std::vector<CLookupCandidate>& candidates, CString& error) const
{
    json answer;
    CString why;
    if (!Parse(body, answer, why) || !answer.is_object()) {
        error = Problem(why.empty() ? "its answer is not a list of books" : why);
        return false;
    }
    // The answer is keyed by the bibkey asked for; an unknown ISBN gives {}.
    std::vector<CLookupCandidate> found;
    for (const auto& [bibkey, book] : answer.items()) {
        CLookupCandidate candidate = NewCandidate();
        candidate.complete = true;
        candidate.key = Text(book, "key");
        SetIfAny(candidate, U::MEDIA_PROP_TITLE, Text(book, "title"));
        if (candidate.values.IsEmpty())
            continue;
        SetIfAny(candidate, U::MEDIA_PROP_SUBTITLE, Text(book, "subtitle"));
        SetPeople(candidate, Names(book, "authors"));
        const CStringArray publishers = Names(book, "publishers");
        if (publishers.GetSize() > 0)
            candidate.values[U::MEDIA_PROP_PUBLISHER] = publishers[0];
        SetNumber(candidate, U::MEDIA_PROP_YEAR, CLookupText::FindYear(Text(book, "publish_date")), 2999);
        SetNumber(candidate, U::MEDIA_PROP_PAGES, Number(book, "number_of_pages", 0), 100000);
        SetIfAny(candidate, U::MEDIA_PROP_ISBN, isbn);
        if (const json* cover = Object(book, "cover")) {
            long long id = CoverIdFromUrl(Text(*cover, "large"));
            if (id == 0)
                id = CoverIdFromUrl(Text(*cover, "medium"));
            candidate.coverUrl = id > 0 ? CoverUrl(id) : m_coversUrl + "/b/isbn/" + isbn + "-L.jpg?default=false";
        }
        candidate.format = "Book";
        found.push_back(std::move(candidate));
        if (static_cast<int>(found.size()) >= MAX_CANDIDATES)
            break;
    }
    if (found.empty() && !answer.empty()) {
        error = Problem("its answer holds no book with a title");
        return false;
    }
    candidates.insert(candidates.end(), found.begin(), found.end());
    return true;
}

bool COpenLibrarySource::ParseSearch(
    const std::string& body, std::vector<CLookupCandidate>& candidates, CString& error) const
{
    json answer;
    CString why;
    const json* docs = nullptr;
    if (!Parse(body, answer, why) || !(docs = Array(answer, "docs"))) {
        error = Problem(why.empty() ? "its answer is not a list of search results" : why);
        return false;
    }
    for (const json& doc : *docs) {
        CLookupCandidate candidate = NewCandidate();
        candidate.complete = true;
        candidate.key = Text(doc, "key");
        SetIfAny(candidate, U::MEDIA_PROP_TITLE, Text(doc, "title"));
        if (candidate.values.IsEmpty())
            continue;
        SetIfAny(candidate, U::MEDIA_PROP_SUBTITLE, Text(doc, "subtitle"));
        SetPeople(candidate, Names(doc, "author_name"));
        const CStringArray publishers = Names(doc, "publisher");
        if (publishers.GetSize() > 0)
            candidate.values[U::MEDIA_PROP_PUBLISHER] = publishers[0];
        SetNumber(candidate, U::MEDIA_PROP_YEAR, Number(doc, "first_publish_year", 0), 2999);
        SetNumber(candidate, U::MEDIA_PROP_PAGES, Number(doc, "number_of_pages_median", 0), 100000);
        for (const CString& isbn : Names(doc, "isbn")) {
            if (CProductCodes::IsValidISBN13(isbn)) {
                candidate.values[U::MEDIA_PROP_ISBN] = CProductCodes::Normalize(isbn);
                break;
            }
        }
        if (const long long id = Number(doc, "cover_i", 0); id > 0)
            candidate.coverUrl = CoverUrl(id);
        candidate.format = "Book";
        candidates.push_back(std::move(candidate));
        if (static_cast<int>(candidates.size()) >= MAX_CANDIDATES)
            break;
    }
    return true;
}

CString COpenLibrarySource::ThumbnailUrl(const CLookupCandidate& candidate) const
{
    CString url = candidate.coverUrl;
    const std::size_t at = url.rfind("-L.jpg");
    if (at != CString::npos)
        url.replace(at, 6, "-M.jpg");
    return url;
}

CString COpenLibrarySource::CoverUrl(long long coverId) const
{
    return m_coversUrl + "/b/id/" + std::to_string(coverId) + "-L.jpg";
}
