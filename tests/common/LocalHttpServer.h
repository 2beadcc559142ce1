// A small HTTP/1.0 server on 127.0.0.1 for tests: fixed answers per path,
// and a log of the requests it saw. Runs on its own thread until destroyed.
#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
public:
    struct Reply {
        int status = 200;
        std::string body;
        std::string contentType = "text/html";
        int delayMs = 0; // answer only after this long
        std::string location = {}; // sent as a Location header (with status 302, a redirect)
    };

    LocalHttpServer(); // listens on an ephemeral port
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port><path>"
    std::string Url(const std::string& path) const;
    std::wstring WideUrl(const std::string& path) const;

    // Paths are matched without their query; unknown paths answer 404.
    void SetReply(const std::string& path, Reply reply);
    // Request targets (path with query) in arrival order.
    std::vector<std::string> Requests() const;
    size_t CountRequests(const std::string& path) const;
    // When the requests for a path arrived, in arrival order.
    std::vector<std::chrono::steady_clock::time_point> RequestTimes(const std::string& path) const;

private:
    void Serve();
    void Answer(uintptr_t client);

    uintptr_t m_listen;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Reply> m_replies;
    std::vector<std::string> m_requests;
    std::vector<std::chrono::steady_clock::time_point> m_requestTimes;
    std::vector<std::thread> m_workers;
    std::thread m_thread;
};
