// The libcurl transport against a server on the loopback: answers that are
// fine, failing, slow, oversized, redirected, or not there at all.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "net/lookup/CurlTransport.h"
#include "support/LoopbackServer.h"

using vemotest::HttpExchange;
using vemotest::LoopbackServer;
using namespace std::chrono_literals;

namespace {

void Answer(HttpExchange& exchange)
{
    const std::string& path = exchange.target;
    if (path == "/ok") {
        exchange.body = R"({"answer":42})";
    } else if (path == "/busy") {
        exchange.status = 503;
        exchange.body = "try later";
    } else if (path == "/slow") {
        exchange.delay = 3s;
        exchange.body = "{}";
    } else if (path == "/big" || path == "/big-unsized") {
        exchange.body.assign(2 << 20, 'x');
        exchange.sendLength = path == "/big";
    } else if (path == "/moved") {
        exchange.status = 302;
        exchange.location = "/ok";
    } else if (path == "/loop") {
        exchange.status = 302;
        exchange.location = "/loop";
    } else {
        exchange.status = 404;
    }
}

// A port on the loopback where nothing listens.
int ClosedPort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

struct TransportCase {
    const char* path;
    std::size_t maxBytes;
    int timeoutMs;
    CHttpResponse::EFailure failure;
    long status;
};

class CurlTransportTable : public ::testing::TestWithParam<TransportCase> { };

TEST_P(CurlTransportTable, TellsWhatCameBack)
{
    const TransportCase& c = GetParam();
    LoopbackServer server(Answer);
    CCurlTransport transport;
    CHttpRequest request;
    request.url = server.Url() + c.path;
    request.httpsOnly = false;
    request.maxBytes = c.maxBytes;
    request.timeoutMs = c.timeoutMs;
    const auto start = std::chrono::steady_clock::now();
    const CHttpResponse response = transport.Get(request);
    EXPECT_EQ(response.failure, c.failure) << response.error;
    EXPECT_EQ(response.status, c.status);
    if (!response.Answered()) {
        EXPECT_TRUE(response.body.empty());
        EXPECT_FALSE(response.error.empty());
    }
    // Nothing waits for the slow answer past the time allowed.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2500ms);
}

INSTANTIATE_TEST_SUITE_P(Answers, CurlTransportTable,
    ::testing::Values(TransportCase { "/ok", 1024, 5000, CHttpResponse::NONE, 200 },
        TransportCase { "/busy", 1024, 5000, CHttpResponse::NONE, 503 },
        TransportCase { "/missing", 1024, 5000, CHttpResponse::NONE, 404 },
        TransportCase { "/moved", 1024, 5000, CHttpResponse::NONE, 200 },
        TransportCase { "/slow", 1024, 300, CHttpResponse::TIMEOUT, 0 },
        TransportCase { "/big", 1 << 20, 5000, CHttpResponse::TOO_LARGE, 0 },
        TransportCase { "/big-unsized", 1 << 20, 5000, CHttpResponse::TOO_LARGE, 0 },
        TransportCase { "/loop", 1024, 5000, CHttpResponse::OTHER, 0 }));

TEST(CurlTransport, SendsItsNameAndReadsTheAnswer)
{
    LoopbackServer server(Answer);
    CCurlTransport transport;
    CHttpRequest request;
    request.url = server.Url() + "/ok";
    request.httpsOnly = false;
    const CHttpResponse response = transport.Get(request);
    ASSERT_TRUE(response.Ok()) << response.error;
    EXPECT_EQ(response.body, R"({"answer":42})");
    EXPECT_EQ(response.contentType, "application/json");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].userAgent, CCurlTransport::UserAgent());
    EXPECT_EQ(CCurlTransport::UserAgent().rfind("VemoLibrary/", 0), 0u);
    EXPECT_NE(CCurlTransport::UserAgent().find(" ( "), std::string::npos);
}

TEST(CurlTransport, RefusesPlainHttpWhenHttpsIsRequired)
{
    LoopbackServer server(Answer);
    CCurlTransport transport;
    CHttpRequest request;
    request.url = server.Url() + "/ok";
    EXPECT_EQ(transport.Get(request).failure, CHttpResponse::REFUSED_SCHEME);
    request.url = "file:///etc/passwd";
    request.httpsOnly = false;
    EXPECT_EQ(transport.Get(request).failure, CHttpResponse::REFUSED_SCHEME);
    EXPECT_TRUE(server.Requests().empty());
}

TEST(CurlTransport, TellsAServerThatIsNotThere)
{
    CCurlTransport transport;
    CHttpRequest request;
    request.url = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/ok";
    request.httpsOnly = false;
    EXPECT_EQ(transport.Get(request).failure, CHttpResponse::UNREACHABLE);
}

TEST(CurlTransport, CancelStopsAWaitingRequest)
{
    LoopbackServer server(Answer);
    CCurlTransport transport;
    std::atomic<bool> cancel { false };
    CHttpRequest request;
    request.url = server.Url() + "/slow";
    request.httpsOnly = false;
    request.cancel = &cancel;
    std::thread canceller([&] {
        std::this_thread::sleep_for(200ms);
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const CHttpResponse response = transport.Get(request);
    canceller.join();
    EXPECT_EQ(response.failure, CHttpResponse::CANCELLED);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    // A request cancelled before it starts is never sent.
    EXPECT_EQ(transport.Get(request).failure, CHttpResponse::CANCELLED);
}

TEST(CurlTransport, EncodesQueryValues)
{
    EXPECT_EQ(CHttpTransport::Encode("a b&c/\xC3\xBC\"x\""), "a%20b%26c%2F%C3%BC%22x%22");
    EXPECT_EQ(CHttpTransport::Encode("Abc-._~9"), "Abc-._~9");
}

} // namespace
