#pragma once
// Films from OMDb, the open film database, with the collector's own API
// key: searched by title (/?apikey=...&s=...), each result then read whole
// (/?apikey=...&i=<IMDb id>&plot=short), posters from the address the
// answer gives. Off while the key is empty.

#include "data/lookup/LookupSource.h"

class COmdbSource : public CLookupSource {
public:
    static inline const CString ID = "omdb";
    static constexpr const char* URL_VARIABLE = "VEMOLIBRARY_OMDB_URL";
    // Search results read whole at once; the rest are read when chosen.
    static constexpr int DETAILED_RESULTS = 5;

    COmdbSource(CHttpTransport& transport, const CString& apiKey);

    bool IsAvailable() const override { return !m_apiKey.empty(); }
    bool Accepts(const CLookupQuery& query) const override;
    bool Search(const CLookupQuery& query, std::vector<CLookupCandidate>& candidates, CString& error,
        const std::atomic<bool>* cancel) override;
    bool Complete(CLookupCandidate& candidate, CString& error, const std::atomic<bool>* cancel) override;

    // The answers read. A search that found nothing is true with no
    // candidates; an answer of another form, or a refusal, is false.
    bool ParseSearch(const std::string& body, std::vector<CLookupCandidate>& candidates, CString& error) const;
    bool ParseTitle(const std::string& body, CLookupCandidate& candidate, CString& error) const;

private:
    // A request with the key; the service answers a bad key with 401 and
    // its reason in the body, which is read like any other answer.
    bool Ask(const CString& parameters, std::string& body, CString& error, const std::atomic<bool>* cancel);

    CString m_apiKey;
};
