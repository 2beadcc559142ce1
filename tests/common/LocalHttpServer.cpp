#include "common/LocalHttpServer.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>

namespace {
struct WinsockStartup {
    WinsockStartup()
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
};

const char* Reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    default: return "Status";
    }
}
} // namespace

LocalHttpServer::LocalHttpServer()
{
    static WinsockStartup startup;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    ::listen(s, 16);
    int len = sizeof(addr);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    m_listen = s;
    m_thread = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer()
{
    m_stop = true;
    ::closesocket(static_cast<SOCKET>(m_listen));
    m_thread.join();
    for (auto& worker : m_workers)
        worker.join();
}

std::string LocalHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::wstring LocalHttpServer::WideUrl(const std::string& path) const
{
    const std::string url = Url(path);
    return std::wstring(url.begin(), url.end());
}

void LocalHttpServer::SetReply(const std::string& path, Reply reply)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_replies[path] = std::move(reply);
}

std::vector<std::string> LocalHttpServer::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

size_t LocalHttpServer::CountRequests(const std::string& path) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    size_t n = 0;
    for (const auto& target : m_requests)
        n += target.substr(0, target.find('?')) == path;
    return n;
}

std::vector<std::chrono::steady_clock::time_point> LocalHttpServer::RequestTimes(const std::string& path) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::chrono::steady_clock::time_point> times;
    for (size_t i = 0; i < m_requests.size(); ++i) {
        if (m_requests[i].substr(0, m_requests[i].find('?')) == path)
            times.push_back(m_requestTimes[i]);
    }
    return times;
}

void LocalHttpServer::Serve()
{
    while (!m_stop) {
        SOCKET client = ::accept(static_cast<SOCKET>(m_listen), nullptr, nullptr);
        if (client == INVALID_SOCKET)
            break;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_workers.emplace_back([this, client] { Answer(client); });
    }
}

void LocalHttpServer::Answer(uintptr_t clientValue)
{
    const SOCKET client = static_cast<SOCKET>(clientValue);
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int n = ::recv(client, buffer, sizeof(buffer), 0);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<size_t>(n));
    }
    const size_t start = request.find(' ');
    const size_t end = start == std::string::npos ? start : request.find(' ', start + 1);
    if (end == std::string::npos) {
        ::closesocket(client);
        return;
    }
    const std::string target = request.substr(start + 1, end - start - 1);
    Reply reply{404, "<html><body>not found</body></html>"};
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(target);
        m_requestTimes.push_back(std::chrono::steady_clock::now());
        auto it = m_replies.find(target.substr(0, target.find('?')));
        if (it != m_replies.end())
            reply = it->second;
    }
    if (reply.delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
    std::string response = "HTTP/1.0 " + std::to_string(reply.status) + " " + Reason(reply.status) +
                           "\r\nContent-Type: " + reply.contentType +
                           "\r\nContent-Length: " + std::to_string(reply.body.size()) +
                           (reply.location.empty() ? "" : "\r\nLocation: " + reply.location) +
                           "\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n" + reply.body;
    ::send(client, response.data(), static_cast<int>(response.size()), 0);
    ::shutdown(client, SD_SEND);
    ::closesocket(client);
}
