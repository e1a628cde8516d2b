#include "net/lookup/CurlTransport.h"

#include <curl/curl.h>

#include <mutex>

#ifndef VEMO_VERSION
#define VEMO_VERSION "unknown"
#endif
#ifndef VEMO_LOOKUP_CONTACT
#define VEMO_LOOKUP_CONTACT "unknown"
#endif

namespace {

struct CTransfer {
    std::string* body;
    std::size_t maxBytes;
    bool tooLarge = false;
    const std::atomic<bool>* cancel;
};

std::size_t OnData(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<CTransfer*>(user);
    const std::size_t bytes = size * count;
    if (transfer->body->size() + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0; // makes curl stop with a write error
    }
    transfer->body->append(data, bytes);
    return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* transfer = static_cast<const CTransfer*>(user);
    return transfer->cancel && transfer->cancel->load() ? 1 : 0;
}

void InitOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CHandle {
    CURL* curl = curl_easy_init();
    curl_slist* headers = nullptr;
    ~CHandle()
    {
        curl_slist_free_all(headers);
        if (curl)
            curl_easy_cleanup(curl);
    }
};

} // namespace

CString CHttpTransport::Encode(const CString& text)
{
    char* encoded = curl_easy_escape(nullptr, text.data(), static_cast<int>(text.size()));
    if (!encoded)
        return CString();
    CString result = encoded;
    curl_free(encoded);
    return result;
}

CCurlTransport::CCurlTransport()
{
    InitOnce();
}

CString CCurlTransport::UserAgent()
{
    return CString("VemoLibrary/") + VEMO_VERSION + " ( " + VEMO_LOOKUP_CONTACT + " )";
}

CHttpResponse CCurlTransport::Get(const CHttpRequest& request)
{
    CHttpResponse response;
    if (request.cancel && request.cancel->load()) {
        response.failure = CHttpResponse::CANCELLED;
        response.error = "cancelled";
        return response;
    }
    CHandle handle;
    if (!handle.curl) {
        response.failure = CHttpResponse::OTHER;
        response.error = "the HTTP library could not start a request";
        return response;
    }
    CURL* curl = handle.curl;
    CTransfer transfer { &response.body, request.maxBytes, false, request.cancel };
    char message[CURL_ERROR_SIZE] = {};
    const char* schemes = request.httpsOnly ? "https" : "http,https";
    const std::string agent = UserAgent();
    for (const CString& header : request.headers)
        handle.headers = curl_slist_append(handle.headers, header.c_str());

    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, handle.headers);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, schemes);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, schemes);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, request.maxRedirects > 0 ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, static_cast<long>(request.maxRedirects));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeoutMs));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.timeoutMs));
    // Signals cannot time out name look-ups in a program with threads.
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    // A declared length above the limit is refused before any body is read;
    // the write callback holds the limit for answers without one.
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnData);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
        const char* type = nullptr;
        if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
            response.contentType = type;
        return response;
    }
    response.body.clear();
    response.error = message[0] ? message : curl_easy_strerror(code);
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        response.failure = CHttpResponse::TOO_LARGE;
    else if (code == CURLE_ABORTED_BY_CALLBACK)
        response.failure = CHttpResponse::CANCELLED;
    else if (code == CURLE_OPERATION_TIMEDOUT)
        response.failure = CHttpResponse::TIMEOUT;
    else if (code == CURLE_UNSUPPORTED_PROTOCOL)
        response.failure = CHttpResponse::REFUSED_SCHEME;
    else if (code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_RESOLVE_PROXY || code == CURLE_COULDNT_CONNECT)
        response.failure = CHttpResponse::UNREACHABLE;
    else
        response.failure = CHttpResponse::OTHER;
    return response;
}
