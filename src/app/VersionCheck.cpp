#include "app/VersionCheck.h"

#include "config/ClientConfig.h"
#include "platform/TextUtil.h"

int VersionNumber(const std::wstring& text)
{
    std::wstring digits;
    for (wchar_t c : text) {
        if (c != L'.')
            digits += c;
    }
    return ReadDecimal(digits);
}

int VersionNumber() { return VersionNumber(kClientVersion); }

bool IsNewerVersion(const std::wstring& text) { return VersionNumber(text) > VersionNumber(); }

std::wstring RemoteConfigAddress(const std::wstring& configParam, int32_t time)
{
    return configParam + L"?" + std::to_wstring(time);
}
