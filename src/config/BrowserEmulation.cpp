#include "config/BrowserEmulation.h"

#include <windows.h>

#include <vector>

unsigned long BrowserEmulationValue(std::optional<unsigned> majorVersion)
{
    switch (majorVersion.value_or(0)) {
    case 8:
        return 8888;
    case 10:
        return 10001;
    case 11:
        return 11000;
    default:
        return 9999;
    }
}

std::optional<unsigned> FileMajorVersion(const std::wstring& file)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<BYTE> info(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, info.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return HIWORD(fixed->dwFileVersionMS);
}

unsigned long GetBrowserEmulationValue() { return BrowserEmulationValue(FileMajorVersion(L"mshtml.dll")); }
