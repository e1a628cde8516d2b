#pragma once
// Music releases from MusicBrainz: searched by barcode, catalogue number or
// title (/ws/2/release?query=...&fmt=json), completed with their media and
// tracks (/ws/2/release/<id>?inc=artist-credits+labels+recordings&fmt=json),
// covers from the Cover Art Archive (/release/<id>/front-500). No key is
// needed; MusicBrainz takes at most one request a second from a client,
// and the archive's requests are spaced the same way.

#include "data/lookup/LookupSource.h"

class CMusicBrainzSource : public CLookupSource {
public:
    static inline const CString ID = "musicbrainz";
    static constexpr const char* URL_VARIABLE = "VEMOLIBRARY_MUSICBRAINZ_URL";
    static constexpr const char* COVERS_URL_VARIABLE = "VEMOLIBRARY_COVERARTARCHIVE_URL";
    static constexpr int MAX_TRACKS = 999;

    explicit CMusicBrainzSource(CHttpTransport& transport);

    bool Accepts(const CLookupQuery& query) const override;
    bool Search(const CLookupQuery& query, std::vector<CLookupCandidate>& candidates, CString& error,
        const std::atomic<bool>* cancel) override;
    bool Complete(CLookupCandidate& candidate, CString& error, const std::atomic<bool>* cancel) override;

    // The answers read; false (error set) when one is not of the service's
    // form.
    bool ParseSearch(const std::string& body, std::vector<CLookupCandidate>& candidates, CString& error) const;
    bool ParseRelease(const std::string& body, CLookupCandidate& candidate, CString& error) const;

    // The archive's 250-pixel front cover ("front-250").
    CString ThumbnailUrl(const CLookupCandidate& candidate) const override;

    // The search expression for a query, in the service's query syntax.
    static CString SearchExpression(const CLookupQuery& query);

private:
    CString m_coversUrl;
};
