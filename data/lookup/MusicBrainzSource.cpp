#include "data/lookup/MusicBrainzSource.h"

#include "data/lookup/JsonRead.h"
#include "data/lookup/LookupText.h"
#include "data/model/MediaUtils.h"
#include "net/lookup/ProductCodes.h"
#include "platform/util/StringUtils.h"

using namespace lookupjson;
using U = CMediaUtils;

namespace {

// A MusicBrainz id: 36 characters of hex digits and hyphens. Anything else
// from an answer is never put into an address.
bool IsMbid(const CString& id)
{
    if (id.size() != 36)
        return false;
    for (std::size_t i = 0; i < id.size(); ++i) {
        const char c = id[i];
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? c != '-' : !std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// "Artist A & Artist B": each credited name and the phrase joining it.
CString ArtistCredit(const json& value)
{
    CString text;
    if (const json* credits = Array(value, "artist-credit")) {
        int count = 0;
        for (const json& credit : *credits) {
            if (++count > 20)
                break;
            CString name = Text(credit, "name");
            if (name.empty())
                if (const json* artist = Object(credit, "artist"))
                    name = Text(*artist, "name");
            text += name;
            if (const json* join = Member(credit, "joinphrase"); join && join->is_string())
                text += join->get_ref<const std::string&>();
        }
    }
    return CLookupText::Clean(text);
}

void SetIfAny(CLookupCandidate& candidate, const CString& prop, const CString& value)
{
    if (!value.empty())
        candidate.values[prop] = value;
}

// "CD", "2×CD", "CD + DVD-Video".
CString MediaFormat(const json& media)
{
    std::vector<std::pair<CString, int>> formats;
    for (const json& medium : media) {
        CString format = Text(medium, "format", 60);
        if (format.empty())
            format = "(unknown format)";
        if (!formats.empty() && formats.back().first == format)
            ++formats.back().second;
        else
            formats.emplace_back(format, 1);
        if (formats.size() > 5)
            break;
    }
    CString text;
    for (const auto& [format, count] : formats)
        text += (text.empty() ? "" : " + ") + (count > 1 ? std::to_string(count) + "\u00D7" : CString()) + format;
    return text;
}

void ReadRelease(const json& release, CLookupCandidate& candidate)
{
    candidate.key = Text(release, "id");
    SetIfAny(candidate, U::MEDIA_PROP_TITLE, Text(release, "title"));
    SetIfAny(candidate, U::MEDIA_PROP_ARTIST, ArtistCredit(release));
    if (const int year = CLookupText::FindYear(Text(release, "date")))
        candidate.values[U::MEDIA_PROP_YEAR] = std::to_string(year);
    if (const json* labels = Array(release, "label-info")) {
        for (const json& info : *labels) {
            const json* label = Object(info, "label");
            const CString name = label ? Text(*label, "name") : CString();
            const CString number = Text(info, "catalog-number");
            if (name.empty() && number.empty())
                continue;
            SetIfAny(candidate, U::MEDIA_PROP_PUBLISHER, name);
            SetIfAny(candidate, U::MEDIA_PROP_JACKETNUMBER, number);
            break;
        }
    }
    if (const json* media = Array(release, "media")) {
        if (!media->empty() && media->size() < 1000)
            candidate.values[U::MEDIA_PROP_DISCS] = std::to_string(media->size());
        candidate.format = MediaFormat(*media);
    }
}

} // namespace

CMusicBrainzSource::CMusicBrainzSource(CHttpTransport& transport)
    : CLookupSource(ID, "MusicBrainz", transport, BaseUrlFromEnvironment(URL_VARIABLE, "https://musicbrainz.org"),
        std::chrono::milliseconds(1000))
    , m_coversUrl(BaseUrlFromEnvironment(COVERS_URL_VARIABLE, "https://coverartarchive.org"))
{
    AllowPlainHttpFor(m_coversUrl);
}

bool CMusicBrainzSource::Accepts(const CLookupQuery& query) const
{
    return CLookupMedia::IsMusic(query.mediaType) && !CStringUtils::IsEffectivelyEmpty(query.text);
}

CString CMusicBrainzSource::SearchExpression(const CLookupQuery& query)
{
    // A quoted phrase: quotes and backslashes inside are escaped.
    CString phrase = "\"";
    for (char c : query.text) {
        if (c == '"' || c == '\\')
            phrase += '\\';
        phrase += c;
    }
    phrase += '"';
    switch (query.kind) {
    case CLookupQuery::ISBN:
    case CLookupQuery::BARCODE: {
        // MusicBrainz keeps a UPC as its 12 digits.
        CString code = CProductCodes::Normalize(query.text);
        if (code.size() == 13 && code[0] == '0' && CProductCodes::IsValidEAN13(code))
            return "barcode:" + code + " OR barcode:" + code.substr(1);
        return "barcode:" + code;
    }
    case CLookupQuery::CATALOG_NUMBER:
        return "catno:" + phrase;
    case CLookupQuery::TITLE:
        break;
    }
    return "release:" + phrase;
}

bool CMusicBrainzSource::Search(const CLookupQuery& query, std::vector<CLookupCandidate>& candidates, CString& error,
    const std::atomic<bool>* cancel)
{
    std::string body;
    const CString url
        = GetBaseUrl() + "/ws/2/release?query=" + CHttpTransport::Encode(SearchExpression(query)) + "&limit=5&fmt=json";
    return FetchJsonText(url, body, error, cancel) && ParseSearch(body, candidates, error);
}

bool CMusicBrainzSource::ParseSearch(
    const std::string& body, std::vector<CLookupCandidate>& candidates, CString& error) const
{
    json answer;
    CString why;
    const json* releases = nullptr;
    if (!Parse(body, answer, why) || !(releases = Array(answer, "releases"))) {
        error = Problem(why.empty() ? "its answer is not a list of releases" : why);
        return false;
    }
    for (const json& release : *releases) {
        CLookupCandidate candidate = NewCandidate();
        ReadRelease(release, candidate);
        // Without a valid id the tracks and the cover could not be asked for.
        if (candidate.Value(U::MEDIA_PROP_TITLE).empty() || !IsMbid(candidate.key))
            continue;
        candidates.push_back(std::move(candidate));
        if (static_cast<int>(candidates.size()) >= MAX_CANDIDATES)
            break;
    }
    return true;
}

bool CMusicBrainzSource::Complete(CLookupCandidate& candidate, CString& error, const std::atomic<bool>* cancel)
{
    if (candidate.complete)
        return true;
    if (!IsMbid(candidate.key)) {
        error = Problem("the release has no valid id");
        return false;
    }
    std::string body;
    const CString url
        = GetBaseUrl() + "/ws/2/release/" + candidate.key + "?inc=artist-credits+labels+recordings&fmt=json";
    CLookupCandidate completed = candidate;
    if (!FetchJsonText(url, body, error, cancel) || !ParseRelease(body, completed, error))
        return false;
    candidate = std::move(completed);
    return true;
}

bool CMusicBrainzSource::ParseRelease(const std::string& body, CLookupCandidate& candidate, CString& error) const
{
    json release;
    CString why;
    if (!Parse(body, release, why) || !release.is_object()) {
        error = Problem(why.empty() ? "its answer is not a release" : why);
        return false;
    }
    CLookupCandidate read = NewCandidate();
    ReadRelease(release, read);
    if (read.Value(U::MEDIA_PROP_TITLE).empty() || !IsMbid(read.key)) {
        error = Problem("its answer is a release without title or id");
        return false;
    }
    long long totalMs = 0;
    if (const json* media = Array(release, "media")) {
        int discNumber = 0;
        for (const json& medium : *media) {
            ++discNumber;
            const long long position = Number(medium, "position", discNumber);
            const json* tracks = Array(medium, "tracks");
            if (!tracks)
                continue;
            int trackNumber = 0;
            for (const json& track : *tracks) {
                ++trackNumber;
                if (static_cast<int>(read.tracks.size()) >= MAX_TRACKS)
                    break;
                CMapStringToString values;
                CString title = Text(track, "title");
                const json* recording = Object(track, "recording");
                if (title.empty() && recording)
                    title = Text(*recording, "title");
                long long ms = Number(track, "length", -1);
                if (ms < 0 && recording)
                    ms = Number(*recording, "length", -1);
                const long long number = Number(track, "position", trackNumber);
                values[U::MEDIA_PROP_DISCNUMBER]
                    = std::to_string(position > 0 && position < 1000 ? position : discNumber);
                values[U::MEDIA_PROP_TRACKNUMBER] = std::to_string(number > 0 && number < 10000 ? number : trackNumber);
                values[U::MEDIA_PROP_TRACKTITLE] = title;
                // A day is far more than any track; longer lengths are nonsense.
                if (ms > 0 && ms < 86400000LL) {
                    values[U::MEDIA_PROP_TRACKLENGTH] = U::ConvertToHHMMSS(static_cast<int>((ms + 500) / 1000));
                    totalMs += ms;
                }
                read.tracks.push_back(std::move(values));
            }
        }
    }
    if (totalMs > 0)
        read.values[U::MEDIA_PROP_LENGTH]
            = U::ConvertToHHMMSS(static_cast<int>(std::min<long long>(totalMs / 1000, 1000000)));
    // Without the flag (an older answer) the archive is asked, and a 404
    // means there is no cover.
    const json* art = Object(release, "cover-art-archive");
    if (!art || Flag(*art, "front", false))
        read.coverUrl = m_coversUrl + "/release/" + read.key + "/front-500";
    read.complete = true;
    candidate = std::move(read);
    return true;
}

CString CMusicBrainzSource::ThumbnailUrl(const CLookupCandidate& candidate) const
{
    const CString large = "/front-500";
    CString url = candidate.coverUrl;
    if (url.size() >= large.size() && url.compare(url.size() - large.size(), large.size(), large) == 0)
        url.replace(url.size() - large.size(), large.size(), "/front-250");
    return url;
}
