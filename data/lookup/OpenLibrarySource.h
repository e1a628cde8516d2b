#pragma once
// Books from Open Library: by ISBN through the Books API
// (/api/books?bibkeys=ISBN:...&jscmd=data&format=json), by title through
// the search API (/search.json), covers from the covers service
// (/b/id/<cover id>-L.jpg). No key is needed.

#include "data/lookup/LookupSource.h"

class COpenLibrarySource : public CLookupSource {
public:
    static inline const CString ID = "openlibrary";
    static constexpr const char* URL_VARIABLE = "VEMOLIBRARY_OPENLIBRARY_URL";
    static constexpr const char* COVERS_URL_VARIABLE = "VEMOLIBRARY_OPENLIBRARY_COVERS_URL";

    explicit COpenLibrarySource(CHttpTransport& transport);

    bool Accepts(const CLookupQuery& query) const override;
    bool Search(const CLookupQuery& query, std::vector<CLookupCandidate>& candidates, CString& error,
        const std::atomic<bool>* cancel) override;

    // The answers read; false (error set) when one is not of the service's
    // form. isbn is the one asked for.
    bool ParseBooks(
        const std::string& body, const CString& isbn, std::vector<CLookupCandidate>& candidates, CString& error) const;
    bool ParseSearch(const std::string& body, std::vector<CLookupCandidate>& candidates, CString& error) const;

    // The covers service's medium size ("-M.jpg") of the same picture.
    CString ThumbnailUrl(const CLookupCandidate& candidate) const override;

private:
    CString CoverUrl(long long coverId) const;

    CString m_coversUrl;
};
