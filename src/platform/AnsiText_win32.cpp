// The one place where 8-bit text meets the thread's ANSI code page.
#include "platform/TextUtil.h"

#include <windows.h>

std::wstring AnsiToWide(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), size, nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), size, out.data(), n);
    return out;
}

std::string WideToAnsi(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return {};
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}
