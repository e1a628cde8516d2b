#pragma once
// One HTTP(S) GET as the online look-up needs it: the request carries its
// own limits (time, answer size, redirects, schemes) and a cancel flag, so
// a transport can run on any thread and be stopped from another.

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/util/VemoTypes.h"

struct CHttpRequest {
    static constexpr int DEFAULT_TIMEOUT_MS = 10000;
    static constexpr std::size_t JSON_LIMIT = std::size_t(5) << 20;
    static constexpr std::size_t IMAGE_LIMIT = std::size_t(10) << 20;

    CString url;
    std::vector<CString> headers; // "Name: value"
    int timeoutMs = DEFAULT_TIMEOUT_MS; // the whole exchange, redirects included
    std::size_t maxBytes = JSON_LIMIT; // of the answer body, after decoding
    int maxRedirects = 3;
    // Refuses plain http for the request and for every redirect.
    bool httpsOnly = true;
    // Polled while waiting; set from another thread to stop the request.
    const std::atomic<bool>* cancel = nullptr;
};

struct CHttpResponse {
    // Why no answer was read; NONE when status and body are the server's.
    enum EFailure { NONE, CANCELLED, TIMEOUT, TOO_LARGE, UNREACHABLE, REFUSED_SCHEME, OTHER };

    EFailure failure = NONE;
    long status = 0;
    std::string body;
    CString contentType;
    CString error; // the transport's own words when failure is not NONE

    bool Answered() const { return failure == NONE; }
    bool Ok() const { return failure == NONE && status >= 200 && status < 300; }
};

class CHttpTransport {
public:
    virtual ~CHttpTransport() = default;
    // Never throws; every failure is told in the response.
    virtual CHttpResponse Get(const CHttpRequest& request) = 0;

    // A text percent-encoded for a query value or a path segment.
    static CString Encode(const CString& text);
};
