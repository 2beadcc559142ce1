#include "windows/OpenUrl.h"

#include <windows.h>
#include <shellapi.h>

void OpenUrlInBrowser(const std::wstring& url)
{
    ::ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}
