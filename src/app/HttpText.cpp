#include "app/HttpText.h"

#include <windows.h>
#include <wininet.h>

#include "platform/ScopedWin.h"
#include "platform/TextUtil.h"

namespace {

bool IsPlainHttp(const std::wstring& url)
{
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = 1;
    parts.dwHostNameLength = 1;
    return !url.empty() && ::InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts) &&
           parts.nScheme == INTERNET_SCHEME_HTTP;
}

// Always from the server, never from or into the cache.
constexpr DWORD kOpenFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_TRANSFER_ASCII;
constexpr DWORD_PTR kContext = 1;

} // namespace

std::wstring HttpGetText(const std::wstring& url)
{
    ScopedInternet session(::InternetOpenW(L"session", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.get() || !IsPlainHttp(url))
        return {};
    ScopedInternet request(::InternetOpenUrlW(session.get(), url.c_str(), nullptr, 0, kOpenFlags, kContext));
    if (!request.get())
        return {};
    // The whole body is converted at once, so that a character whose bytes
    // straddle two reads comes out whole.
    std::string body;
    char chunk[1023];
    DWORD read = 0;
    while (::InternetReadFile(request.get(), chunk, sizeof(chunk), &read) && read > 0)
        body.append(chunk, read);
    return AnsiToWide(body);
}
