#include "data/lookup/LookupSource.h"

#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/util/StringUtils.h"

namespace {

// A service's rule holds for the whole program, however many look-up
// services it makes: one limiter per source, for the process.
std::shared_ptr<CRateLimiter> SharedLimiter(const CString& id, std::chrono::milliseconds interval)
{
    static std::mutex mutex;
    static std::map<CString, std::shared_ptr<CRateLimiter>> limiters;
    std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<CRateLimiter>& limiter = limiters[id];
    if (!limiter || limiter->GetInterval() != interval)
        limiter = std::make_shared<CRateLimiter>(interval);
    return limiter;
}

} // namespace

CLookupSource::CLookupSource(const CString& id, const CString& name, CHttpTransport& transport, const CString& baseUrl,
    std::chrono::milliseconds interval)
    : m_id(id)
    , m_name(name)
    , m_transport(transport)
    , m_baseUrl(baseUrl)
    , m_httpsOnly(!CStringUtils::MatchFirstChars(baseUrl, "http://", true))
    , m_limiter(SharedLimiter(id, interval))
{
}

void CLookupSource::AllowPlainHttpFor(const CString& baseUrl)
{
    if (CStringUtils::MatchFirstChars(baseUrl, "http://", true))
        m_httpsOnly = false;
}

CString CLookupSource::BaseUrlFromEnvironment(const char* variable, const CString& fallback)
{
    const char* value = std::getenv(variable);
    CString url = value && *value ? CString(value) : fallback;
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

bool CLookupSource::Complete(CLookupCandidate& candidate, CString&, const std::atomic<bool>*)
{
    candidate.complete = true;
    return true;
}

bool CLookupSource::FetchCover(
    const CLookupCandidate& candidate, CCoverImage& cover, CString& error, const std::atomic<bool>* cancel)
{
    cover = CCoverImage();
    if (candidate.coverUrl.empty())
        return true;
    const CHttpResponse response = Fetch(candidate.coverUrl, CHttpRequest::IMAGE_LIMIT, cancel);
    if (response.Answered() && response.status == 404)
        return true;
    if (!response.Ok()) {
        error = "The cover could not be fetched: " + Describe(response);
        return false;
    }
    const CString extension = CCoverImage::DetectExtension(response.body);
    if (extension.empty()) {
        error = "The cover from " + m_name + " is not a JPEG, PNG, GIF or WebP picture.";
        return false;
    }
    cover.bytes = response.body;
    cover.extension = extension;
    return true;
}

CHttpResponse CLookupSource::Fetch(const CString& url, std::size_t maxBytes, const std::atomic<bool>* cancel)
{
    CHttpResponse response;
    if (!m_limiter->Wait(cancel)) {
        response.failure = CHttpResponse::CANCELLED;
        return response;
    }
    CHttpRequest request;
    request.url = url;
    request.maxBytes = maxBytes;
    request.httpsOnly = m_httpsOnly;
    request.cancel = cancel;
    return m_transport.Get(request);
}

bool CLookupSource::FetchJsonText(
    const CString& url, std::string& body, CString& error, const std::atomic<bool>* cancel, bool* notFound)
{
    CHttpResponse response = Fetch(url, CHttpRequest::JSON_LIMIT, cancel);
    if (notFound) {
        *notFound = response.Answered() && response.status == 404;
        if (*notFound)
            return true;
    }
    if (!response.Ok()) {
        error = Describe(response);
        return false;
    }
    body = std::move(response.body);
    return true;
}

CString CLookupSource::Describe(const CHttpResponse& response) const
{
    switch (response.failure) {
    case CHttpResponse::NONE:
        return CStringUtils::Format("%s answered with HTTP status %ld.", m_name.c_str(), response.status);
    case CHttpResponse::CANCELLED:
        return "The look-up was cancelled.";
    case CHttpResponse::TIMEOUT:
        return CStringUtils::Format(
            "%s did not answer within %d seconds.", m_name.c_str(), CHttpRequest::DEFAULT_TIMEOUT_MS / 1000);
    case CHttpResponse::TOO_LARGE:
        return m_name + " sent more than a look-up can take; the answer was not read.";
    case CHttpResponse::UNREACHABLE:
        return m_name + " cannot be reached (" + response.error + "). Is the computer online?";
    case CHttpResponse::REFUSED_SCHEME:
        return m_name + " sent an address that is not https, which is not followed.";
    case CHttpResponse::OTHER:
        break;
    }
    return m_name + " could not be asked (" + response.error + ").";
}

CLookupCandidate CLookupSource::NewCandidate() const
{
    CLookupCandidate candidate;
    candidate.sourceId = m_id;
    candidate.sourceName = m_name;
    return candidate;
}
