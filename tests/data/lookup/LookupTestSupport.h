#pragma once
// What the look-up tests share: the recorded answers, and a transport that
// answers from them without any network.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "net/lookup/HttpTransport.h"
#include "support/TempDir.h"

namespace lookuptest {

// A recorded answer of tests/data/lookup/answers.
inline std::string Answer(const std::string& name)
{
    return vemotest::ReadAll(std::string(VEMO_TEST_SOURCE_DIR) + "/data/lookup/answers/" + name);
}

// The smallest pictures of each kind the cover check knows.
inline std::string JpegBytes()
{
    return std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) + std::string(64, '\x11');
}

class FakeTransport : public CHttpTransport {
public:
    using Route = std::function<CHttpResponse(const CHttpRequest&)>;

    // Answers a URL that contains part; the first matching route wins.
    // Anything else gets 404.
    void On(const std::string& part, Route route) { m_routes.emplace_back(part, std::move(route)); }
    void On(const std::string& part, long status, const std::string& body)
    {
        On(part, [status, body](const CHttpRequest&) {
            CHttpResponse response;
            response.status = status;
            response.body = body;
            return response;
        });
    }

    CHttpResponse Get(const CHttpRequest& request) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(request);
        }
        for (const auto& [part, route] : m_routes)
            if (request.url.find(part) != std::string::npos)
                return route(request);
        CHttpResponse response;
        response.status = 404;
        return response;
    }

    std::vector<CHttpRequest> Requests() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }
    std::vector<std::string> Urls() const
    {
        std::vector<std::string> urls;
        for (const CHttpRequest& request : Requests())
            urls.push_back(request.url);
        return urls;
    }

private:
    std::vector<std::pair<std::string, Route>> m_routes;
    mutable std::mutex m_mutex;
    std::vector<CHttpRequest> m_requests;
};

} // namespace lookuptest
