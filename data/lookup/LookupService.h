#pragma once
// The online look-up as the program and the tool use it: the sources that
// are on, in the collector's order, asked one after the other. The calls
// block; the program runs them off the window's thread and stops them with
// the cancel flag. One service keeps its sources (and so their rate limits)
// for as long as it lives.

#include <atomic>
#include <memory>
#include <vector>

#include "data/lookup/LookupSource.h"
#include "data/lookup/LookupTypes.h"

class CHttpTransport;

// The collector's choices, stored with the program's settings.
struct CLookupOptions {
    // The ids of the sources that are on, in the order they are asked.
    std::vector<CString> sources { "openlibrary", "musicbrainz", "omdb" };
    CString filmApiKey; // the film source is off while it is empty

    // Every source id, in the default order.
    static const std::vector<CString>& KnownSources();
    // "openlibrary,omdb" into ids; false (error set) for an unknown id.
    static bool ParseSourceList(const CString& text, std::vector<CString>& ids, CString& error);
};

struct CLookupResult {
    std::vector<CLookupCandidate> candidates;
    CStringArray problems; // one line per source that could not answer
    bool cancelled = false;

    // What to tell when there is no candidate: why, or that nothing was
    // found.
    CString Message(const CLookupQuery& query) const;
};

class CLookupService {
public:
    // Without a transport, the libcurl one.
    explicit CLookupService(const CLookupOptions& options, std::shared_ptr<CHttpTransport> transport = nullptr);
    ~CLookupService();

    // Whether any source that is on can answer the query; why holds what to
    // tell when not.
    bool CanLookUp(const CLookupQuery& query, CString& why) const;
    // Asks every source that is on and takes the query.
    CLookupResult Search(const CLookupQuery& query, const std::atomic<bool>* cancel = nullptr);
    // Makes a chosen candidate ready to fill: its missing details, and its
    // cover when withCover (cover stays empty when the service has none).
    // False (error set, candidate unchanged) when either fails.
    bool Prepare(CLookupCandidate& candidate, bool withCover, CCoverImage& cover, CString& error,
        const std::atomic<bool>* cancel = nullptr);

    // A small cover of a candidate for a list of them (cover empty when the
    // service has none); false (error set) when it could not be had.
    bool FetchThumbnail(const CLookupCandidate& candidate, CCoverImage& cover, CString& error,
        const std::atomic<bool>* cancel = nullptr);

    CLookupSource* FindSource(const CString& id) const;

private:
    // The candidate's source; null (error set) when it is not on.
    CLookupSource* SourceOf(const CLookupCandidate& candidate, CString& error) const;

    std::shared_ptr<CHttpTransport> m_transport;
    std::vector<std::unique_ptr<CLookupSource>> m_sources; // in order, only those on
};
