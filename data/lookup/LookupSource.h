#pragma once
// One online service that answers look-ups: it turns a query into requests
// of the service's own form and its answers into candidates. The transport
// is injected; the base address can be replaced through an environment
// variable (for tests and mirrors). A source may be used from any thread;
// one rate limiter per source, shared by the whole process, spaces the
// requests of all of them.

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "data/lookup/LookupTypes.h"
#include "net/lookup/HttpTransport.h"
#include "net/lookup/RateLimiter.h"

class CLookupSource {
public:
    CLookupSource(const CString& id, const CString& name, CHttpTransport& transport, const CString& baseUrl,
        std::chrono::milliseconds interval);
    virtual ~CLookupSource() = default;
    CLookupSource(const CLookupSource&) = delete;
    CLookupSource& operator=(const CLookupSource&) = delete;

    const CString& GetId() const { return m_id; }
    const CString& GetName() const { return m_name; }
    const CString& GetBaseUrl() const { return m_baseUrl; }
    // Whether the source can be asked at all (the film source needs a key).
    virtual bool IsAvailable() const { return true; }
    virtual bool Accepts(const CLookupQuery& query) const = 0;

    // The candidates for the query, best first. True with none when the
    // service knows nothing of it; false (error set, nothing added) when
    // it could not be asked or answered nonsense.
    virtual bool Search(const CLookupQuery& query, std::vector<CLookupCandidate>& candidates, CString& error,
        const std::atomic<bool>* cancel)
        = 0;
    // Adds what a fill needs and the search did not give (a release's
    // tracks); the candidate is unchanged when it fails.
    virtual bool Complete(CLookupCandidate& candidate, CString& error, const std::atomic<bool>* cancel);
    // The candidate's cover, checked to be a picture; an empty cover when
    // the service has none. False (error set) when it could not be had.
    virtual bool FetchCover(
        const CLookupCandidate& candidate, CCoverImage& cover, CString& error, const std::atomic<bool>* cancel);
    // The address of a small version of the candidate's cover, for lists;
    // the cover's own where the service has no smaller one.
    virtual CString ThumbnailUrl(const CLookupCandidate& candidate) const { return candidate.coverUrl; }

    // The variable's value (without a trailing "/") when set, else fallback.
    static CString BaseUrlFromEnvironment(const char* variable, const CString& fallback);
    static constexpr int MAX_CANDIDATES = 10;

protected:
    // GET through the rate limiter.
    CHttpResponse Fetch(const CString& url, std::size_t maxBytes, const std::atomic<bool>* cancel);
    // Fetch and parse a JSON answer that has status 2xx (or 404 when
    // notFound is given: then *notFound is set and true returned).
    bool FetchJsonText(const CString& url, std::string& body, CString& error, const std::atomic<bool>* cancel,
        bool* notFound = nullptr);
    // A failed exchange in words, with the service's name.
    CString Describe(const CHttpResponse& response) const;
    CString Problem(const CString& what) const { return m_name + ": " + what + "."; }
    CLookupCandidate NewCandidate() const;
    // Requests are https only, redirects included, unless one of the
    // source's base addresses was set to plain http (a local mirror).
    void AllowPlainHttpFor(const CString& baseUrl);

private:
    CString m_id;
    CString m_name;
    CHttpTransport& m_transport;
    CString m_baseUrl;
    bool m_httpsOnly;
    std::shared_ptr<CRateLimiter> m_limiter;
};
