#include "data/lookup/OmdbSource.h"

#include <cstdlib>

#include "data/lookup/JsonRead.h"
#include "data/lookup/LookupText.h"
#include "data/model/MediaUtils.h"
#include "platform/util/StringUtils.h"

using namespace lookupjson;
using U = CMediaUtils;

namespace {

// An IMDb id: "tt" and digits. Anything else from an answer is never put
// into an address.
bool IsImdbId(const CString& id)
{
    return id.size() >= 3 && id.size() <= 12 && id.compare(0, 2, "tt") == 0
        && id.find_first_not_of("0123456789", 2) == CString::npos;
}

// The service writes "N/A" for what it does not know.
CString Known(const json& value, const char* key, std::size_t maxBytes = 1000)
{
    const CString text = Text(value, key, maxBytes);
    return text == "N/A" ? CString() : text;
}

// False when the answer says "Response": "False"; reason holds its "Error".
bool Responded(const json& answer, CString& reason)
{
    if (Text(answer, "Response") == "False") {
        reason = Text(answer, "Error", 200);
        return false;
    }
    return true;
}

bool IsNotFound(const CString& reason)
{
    return reason == "Movie not found!" || reason == "Series not found!" || reason == "Incorrect IMDb ID.";
}

void ReadSummary(const json& film, CLookupCandidate& candidate)
{
    candidate.key = Text(film, "imdbID", 20);
    if (const CString title = Known(film, "Title"); !title.empty())
        candidate.values[U::MEDIA_PROP_TITLE] = title;
    if (const int year = CLookupText::FindYear(Known(film, "Year")))
        candidate.values[U::MEDIA_PROP_YEAR] = std::to_string(year);
    candidate.format = Known(film, "Type", 40);
    const CString poster = Known(film, "Poster");
    if (CStringUtils::MatchFirstChars(poster, "https://", true)
        || CStringUtils::MatchFirstChars(poster, "http://", true))
        candidate.coverUrl = poster;
}

} // namespace

COmdbSource::COmdbSource(CHttpTransport& transport, const CString& apiKey)
    : CLookupSource(ID, "OMDb", transport, BaseUrlFromEnvironment(URL_VARIABLE, "https://www.omdbapi.com"),
        std::chrono::milliseconds(200))
    , m_apiKey(CStringUtils::Trim(apiKey))
{
}

bool COmdbSource::Accepts(const CLookupQuery& query) const
{
    return CLookupMedia::IsFilm(query.mediaType) && query.kind == CLookupQuery::TITLE
        && !CStringUtils::IsEffectivelyEmpty(query.text);
}

bool COmdbSource::Ask(const CString& parameters, std::string& body, CString& error, const std::atomic<bool>* cancel)
{
    CHttpResponse response = Fetch(GetBaseUrl() + "/?apikey=" + CHttpTransport::Encode(m_apiKey) + "&" + parameters,
        CHttpRequest::JSON_LIMIT, cancel);
    if (response.Ok() || (response.Answered() && response.status == 401)) {
        body = std::move(response.body);
        return true;
    }
    error = Describe(response);
    return false;
}

bool COmdbSource::Search(const CLookupQuery& query, std::vector<CLookupCandidate>& candidates, CString& error,
    const std::atomic<bool>* cancel)
{
    const CString text = CStringUtils::Trim(query.text);
    std::vector<CLookupCandidate> found;
    if (IsImdbId(text)) {
        CLookupCandidate candidate = NewCandidate();
        candidate.key = text;
        found.push_back(candidate);
    } else {
        std::string body;
        if (!Ask("s=" + CHttpTransport::Encode(text), body, error, cancel) || !ParseSearch(body, found, error))
            return false;
    }
    for (std::size_t i = 0; i < found.size() && i < DETAILED_RESULTS; ++i) {
        CString detailError;
        // A result that cannot be read whole now is read when chosen; only
        // an id asked for directly must be there.
        if (!Complete(found[i], detailError, cancel) && IsImdbId(text)) {
            error = detailError;
            return false;
        }
        if (cancel && cancel->load()) {
            error = "The look-up was cancelled.";
            return false;
        }
    }
    for (CLookupCandidate& candidate : found)
        if (!candidate.Value(U::MEDIA_PROP_TITLE).empty())
            candidates.push_back(std::move(candidate));
    return true;
}

bool COmdbSource::Complete(CLookupCandidate& candidate, CString& error, const std::atomic<bool>* cancel)
{
    if (candidate.complete)
        return true;
    if (!IsImdbId(candidate.key)) {
        error = Problem("the film has no valid IMDb id");
        return false;
    }
    std::string body;
    CLookupCandidate read = candidate;
    if (!Ask("i=" + candidate.key + "&plot=short", body, error, cancel) || !ParseTitle(body, read, error))
        return false;
    candidate = std::move(read);
    return true;
}

bool COmdbSource::ParseSearch(const std::string& body, std::vector<CLookupCandidate>& candidates, CString& error) const
{
    json answer;
    CString why;
    if (!Parse(body, answer, why) || !answer.is_object()) {
        error = Problem(why.empty() ? "its answer is not a list of films" : why);
        return false;
    }
    if (!Responded(answer, why)) {
        if (IsNotFound(why))
            return true;
        error = Problem("it refused the search (" + (why.empty() ? CString("no reason given") : why) + ")");
        return false;
    }
    const json* results = Array(answer, "Search");
    if (!results) {
        error = Problem("its answer is not a list of films");
        return false;
    }
    for (const json& film : *results) {
        CLookupCandidate candidate = NewCandidate();
        ReadSummary(film, candidate);
        if (candidate.Value(U::MEDIA_PROP_TITLE).empty() || !IsImdbId(candidate.key))
            continue;
        candidates.push_back(std::move(candidate));
        if (static_cast<int>(candidates.size()) >= MAX_CANDIDATES)
            break;
    }
    return true;
}

bool COmdbSource::ParseTitle(const std::string& body, CLookupCandidate& candidate, CString& error) const
{
    json film;
    CString why;
    if (!Parse(body, film, why) || !film.is_object()) {
        error = Problem(why.empty() ? "its answer is not a film" : why);
        return false;
    }
    if (!Responded(film, why)) {
        error = Problem(IsNotFound(why)
                ? "it knows no film " + candidate.key
                : "it refused the request (" + (why.empty() ? CString("no reason given") : why) + ")");
        return false;
    }
    CLookupCandidate read = NewCandidate();
    ReadSummary(film, read);
    if (read.Value(U::MEDIA_PROP_TITLE).empty() || !IsImdbId(read.key)) {
        error = Problem("its answer is a film without title or id");
        return false;
    }
    if (const CString director = Known(film, "Director"); !director.empty())
        read.values[U::MEDIA_PROP_DIRECTOR] = director;
    CStringArray actors;
    CStringUtils::SplitLine(Known(film, "Actors"), ",", actors);
    CStringArray names;
    for (INT_PTR i = 0; i < actors.GetSize(); ++i)
        if (const CString name = CStringUtils::Trim(actors[i]); !name.empty())
            names.Add(name);
    if (names.GetSize() > 0)
        read.values[U::MEDIA_PROP_LEADACTOR] = names[0];
    if (names.GetSize() > 1)
        read.values[U::MEDIA_PROP_COSTAR] = names[1];
    // "148 min"
    const CString runtime = Known(film, "Runtime", 40);
    if (const int minutes = std::atoi(runtime.c_str()); minutes > 0 && minutes < 100000)
        read.values[U::MEDIA_PROP_LENGTH] = U::ConvertToHHMMSS(minutes * 60);
    if (const CString plot = Known(film, "Plot", CLookupText::LONG_FIELD_LIMIT); !plot.empty())
        read.values[U::MEDIA_PROP_DESCRIPTION] = plot;
    if (const CString production = Known(film, "Production"); !production.empty())
        read.values[U::MEDIA_PROP_PUBLISHER] = production;
    read.complete = true;
    candidate = std::move(read);
    return true;
}
