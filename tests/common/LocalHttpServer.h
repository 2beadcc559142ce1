// A small HTTP/1.0 server on 127.0.0.1 for tests: fixed answers per path,
// and a log of the requests it saw. Runs on its own thread until destroyed.
#pragma once

#include <atomic>
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

private:
    void Serve();
    void Answer(uintptr_t client);

    uintptr_t m_listen;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Reply> m_replies;
    std::vector<std::string> m_requests;
    std::vector<std::thread> m_workers;
    std::thread m_thread;
};
