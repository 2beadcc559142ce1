// A port on 127.0.0.1 held by a socket that never listens, so that every
// connection to it is refused: a download through it always fails.
#pragma once

#include <cstdint>
#include <string>

class RefusedPort {
public:
    RefusedPort();
    ~RefusedPort();
    RefusedPort(const RefusedPort&) = delete;
    RefusedPort& operator=(const RefusedPort&) = delete;

    // "http://127.0.0.1:<port><path>"
    std::string Url(const std::string& path) const;

private:
    uintptr_t m_socket;
    int m_port = 0;
};
