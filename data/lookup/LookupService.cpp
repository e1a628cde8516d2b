#include "data/lookup/LookupService.h"

#include "data/lookup/MusicBrainzSource.h"
#include "data/lookup/OmdbSource.h"
#include "data/lookup/OpenLibrarySource.h"
#include "data/model/MediaUtils.h"
#include "net/lookup/CurlTransport.h"
#include "platform/util/StringUtils.h"

const std::vector<CString>& CLookupOptions::KnownSources()
{
    static const std::vector<CString> ids { COpenLibrarySource::ID, CMusicBrainzSource::ID, COmdbSource::ID };
    return ids;
}

bool CLookupOptions::ParseSourceList(const CString& text, std::vector<CString>& ids, CString& error)
{
    CStringArray parts;
    CStringUtils::SplitLine(text, ",", parts);
    std::vector<CString> read;
    for (INT_PTR i = 0; i < parts.GetSize(); ++i) {
        const CString id = CStringUtils::ToLower(CStringUtils::Trim(parts[i]));
        if (id.empty())
            continue;
        const auto& known = KnownSources();
        if (std::find(known.begin(), known.end(), id) == known.end()) {
            error = "unknown look-up source \"" + id + "\"; use openlibrary, musicbrainz or omdb";
            return false;
        }
        if (std::find(read.begin(), read.end(), id) == read.end())
            read.push_back(id);
    }
    ids = read;
    return true;
}

CString CLookupResult::Message(const CLookupQuery& query) const
{
    if (cancelled)
        return "The look-up was cancelled.";
    if (candidates.empty() && problems.GetSize() > 0) {
        CString text;
        for (INT_PTR i = 0; i < problems.GetSize(); ++i)
            text += (i ? " " : "") + problems[i];
        return text;
    }
    if (candidates.empty())
        return "Nothing was found for " + query.Describe() + ".";
    return CString();
}

CLookupService::CLookupService(const CLookupOptions& options, std::shared_ptr<CHttpTransport> transport)
    : m_transport(transport ? std::move(transport) : std::make_shared<CCurlTransport>())
{
    for (const CString& id : options.sources) {
        std::unique_ptr<CLookupSource> source;
        if (id == COpenLibrarySource::ID)
            source = std::make_unique<COpenLibrarySource>(*m_transport);
        else if (id == CMusicBrainzSource::ID)
            source = std::make_unique<CMusicBrainzSource>(*m_transport);
        else if (id == COmdbSource::ID)
            source = std::make_unique<COmdbSource>(*m_transport, options.filmApiKey);
        if (source && !FindSource(id))
            m_sources.push_back(std::move(source));
    }
}

CLookupService::~CLookupService() = default;

CLookupSource* CLookupService::SourceOf(const CLookupCandidate& candidate, CString& error) const
{
    CLookupSource* source = FindSource(candidate.sourceId);
    if (!source)
        error = "The look-up source \"" + candidate.sourceName + "\" is not on.";
    return source;
}

CLookupSource* CLookupService::FindSource(const CString& id) const
{
    for (const auto& source : m_sources)
        if (source->GetId() == id)
            return source.get();
    return nullptr;
}

bool CLookupService::CanLookUp(const CLookupQuery& query, CString& why) const
{
    bool needsKey = false;
    for (const auto& source : m_sources) {
        if (!source->Accepts(query))
            continue;
        if (source->IsAvailable())
            return true;
        needsKey = true;
    }
    if (needsKey)
        why = "Films are looked up with your own OMDb API key; enter it in the settings.";
    else if (CStringUtils::IsEffectivelyEmpty(query.text))
        why = "There is nothing to look up.";
    else
        why = "No look-up source that is on can find " + CMediaUtils::GetMediaNamePlural(query.mediaType) + " by "
            + (query.kind == CLookupQuery::ISBN           ? "ISBN"
                    : query.kind == CLookupQuery::BARCODE ? "barcode"
                    : query.kind == CLookupQuery::TITLE   ? "title"
                                                          : "catalogue number")
            + ".";
    return false;
}

CLookupResult CLookupService::Search(const CLookupQuery& query, const std::atomic<bool>* cancel)
{
    CLookupResult result;
    CString why;
    if (!CanLookUp(query, why)) {
        result.problems.Add(why);
        return result;
    }
    for (const auto& source : m_sources) {
        if (!source->Accepts(query) || !source->IsAvailable())
            continue;
        if (cancel && cancel->load())
            break;
        std::vector<CLookupCandidate> found;
        CString error;
        if (source->Search(query, found, error, cancel))
            result.candidates.insert(result.candidates.end(), found.begin(), found.end());
        else
            result.problems.Add(error);
    }
    if (cancel && cancel->load()) {
        result.cancelled = true;
        result.candidates.clear();
    }
    return result;
}

bool CLookupService::Prepare(
    CLookupCandidate& candidate, bool withCover, CCoverImage& cover, CString& error, const std::atomic<bool>* cancel)
{
    cover = CCoverImage();
    CLookupSource* source = SourceOf(candidate, error);
    if (!source)
        return false;
    CLookupCandidate ready = candidate;
    if (!source->Complete(ready, error, cancel))
        return false;
    if (withCover && !source->FetchCover(ready, cover, error, cancel))
        return false;
    if (cancel && cancel->load()) {
        error = "The look-up was cancelled.";
        cover = CCoverImage();
        return false;
    }
    candidate = std::move(ready);
    return true;
}

bool CLookupService::FetchThumbnail(
    const CLookupCandidate& candidate, CCoverImage& cover, CString& error, const std::atomic<bool>* cancel)
{
    cover = CCoverImage();
    CLookupSource* source = SourceOf(candidate, error);
    if (!source)
        return false;
    CLookupCandidate small = candidate;
    small.coverUrl = source->ThumbnailUrl(candidate);
    return source->FetchCover(small, cover, error, cancel);
}
