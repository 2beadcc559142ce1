#include "work/RefusedPort.h"

#include <winsock2.h>

RefusedPort::RefusedPort()
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    int len = sizeof(addr);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    m_socket = s;
}

RefusedPort::~RefusedPort()
{
    ::closesocket(static_cast<SOCKET>(m_socket));
    ::WSACleanup();
}

std::string RefusedPort::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}
