#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests of the online look-up:
// each connection gets one answer from the handler, which the test writes.
// Answers can be slow, large, without a length, or redirects. Every request
// is recorded. Nothing leaves the machine.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vemotest {

struct HttpExchange {
    // The request as received.
    std::string method;
    std::string target; // path and query
    std::string userAgent;
    std::chrono::steady_clock::time_point received;

    // The answer the handler sets.
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
    std::string location; // for redirects
    bool sendLength = true; // false: the body ends with the connection
    std::chrono::milliseconds delay { 0 }; // before anything is sent
};

class LoopbackServer {
public:
    using Handler = std::function<void(HttpExchange&)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>"
    std::string Url() const;
    // The requests answered so far, in order.
    std::vector<HttpExchange> Requests() const;

private:
    void Accept();
    void Serve(int connection);

    Handler m_handler;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop { false };
    std::thread m_acceptor;
    mutable std::mutex m_mutex;
    std::vector<std::thread> m_workers;
    std::vector<HttpExchange> m_requests;
};

} // namespace vemotest
