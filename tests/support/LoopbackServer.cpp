#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace vemotest {

namespace {

const char* Reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 307:
        return "Temporary Redirect";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

bool SendAll(int socket, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::string HeaderValue(const std::string& head, const std::string& name)
{
    std::istringstream lines(head);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() > name.size() && strncasecmp(line.c_str(), name.c_str(), name.size()) == 0
            && line[name.size()] == ':') {
            std::string value = line.substr(name.size() + 1);
            while (!value.empty() && (value.front() == ' '))
                value.erase(0, 1);
            while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
                value.pop_back();
            return value;
        }
    }
    return std::string();
}

} // namespace

LoopbackServer::LoopbackServer(Handler handler)
    : m_handler(std::move(handler))
{
    // A proxy set in the environment must not carry requests meant for
    // this server off the machine (the tool started by a test inherits
    // this too).
    for (const char* variable : { "no_proxy", "NO_PROXY" })
        ::setenv(variable, "127.0.0.1,localhost", 1);
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(m_listener, 16);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { Accept(); });
}

LoopbackServer::~LoopbackServer()
{
    m_stop = true;
    m_acceptor.join();
    ::close(m_listener);
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        workers.swap(m_workers);
    }
    for (std::thread& worker : workers)
        worker.join();
}

std::string LoopbackServer::Url() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::vector<HttpExchange> LoopbackServer::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void LoopbackServer::Accept()
{
    while (!m_stop) {
        pollfd ready { m_listener, POLLIN, 0 };
        if (::poll(&ready, 1, 50) <= 0)
            continue;
        const int connection = ::accept(m_listener, nullptr, nullptr);
        if (connection < 0)
            continue;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_workers.emplace_back([this, connection] { Serve(connection); });
    }
}

void LoopbackServer::Serve(int connection)
{
    std::string head;
    char buffer[4096];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 && !m_stop
        && std::chrono::steady_clock::now() < deadline) {
        pollfd ready { connection, POLLIN, 0 };
        if (::poll(&ready, 1, 50) <= 0)
            continue;
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        head.append(buffer, static_cast<std::size_t>(got));
    }
    HttpExchange exchange;
    exchange.received = std::chrono::steady_clock::now();
    std::istringstream first(head.substr(0, head.find("\r\n")));
    first >> exchange.method >> exchange.target;
    exchange.userAgent = HeaderValue(head, "User-Agent");
    m_handler(exchange);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(exchange);
    }
    // A slow answer still ends when the server stops.
    const auto sendAt = std::chrono::steady_clock::now() + exchange.delay;
    while (!m_stop && std::chrono::steady_clock::now() < sendAt)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!m_stop) {
        std::string answer = "HTTP/1.1 " + std::to_string(exchange.status) + " " + Reason(exchange.status) + "\r\n";
        answer += "Content-Type: " + exchange.contentType + "\r\n";
        if (!exchange.location.empty())
            answer += "Location: " + exchange.location + "\r\n";
        if (exchange.sendLength)
            answer += "Content-Length: " + std::to_string(exchange.body.size()) + "\r\n";
        answer += "Connection: close\r\n\r\n";
        if (SendAll(connection, answer.data(), answer.size()))
            SendAll(connection, exchange.body.data(), exchange.body.size());
    }
    ::shutdown(connection, SHUT_RDWR);
    ::close(connection);
}

} // namespace vemotest
