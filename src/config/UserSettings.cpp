// The configuration record's user settings in the registry.
#include "config/ClientConfig.h"

#include <string>

#include "config/SystemPlaces.h"
#include "platform/RegKey.h"
#include "platform/TextUtil.h"

namespace {

constexpr REGSAM kSettingsAccess = KEY_READ | KEY_WRITE;
constexpr size_t kMaxSettingChars = 1023;

LONG OpenOrCreate(CRegKey& key, HKEY root, const std::wstring& path)
{
    const LONG opened = key.Open(root, path.c_str(), kSettingsAccess);
    return opened == ERROR_SUCCESS ? opened : key.Create(root, path.c_str(), kSettingsAccess);
}

} // namespace

void CClientConfig::LoadUserSettings()
{
    m_strRegKey = L"SOFTWARE\\Brimlok\\" + GetUserClientAbout();
    CRegKey key;
    if (OpenOrCreate(key, m_pPlaces->hUserRoot, m_strRegKey) != ERROR_SUCCESS)
        return;
    const struct {
        const wchar_t* name;
        int* field;
    } settings[] = {{L"UseHotKey", &m_nUseHotKey}, {L"AlwaysTop", &m_nAlwaysTop}, {L"HotKey", &m_nHotKey}};
    for (const auto& setting : settings) {
        std::wstring text;
        if (key.QueryStringValue(setting.name, text, kMaxSettingChars) == ERROR_SUCCESS)
            *setting.field = ReadDecimal(WideToAnsi(text));
        else
            key.SetStringValue(setting.name, std::to_wstring(*setting.field).c_str());
    }
}

void CClientConfig::SaveUserSettings()
{
    WriteSetting(L"AlwaysTop", std::to_wstring(m_nAlwaysTop).c_str());
    WriteSetting(L"UseHotKey", std::to_wstring(m_nUseHotKey).c_str());
    WriteSetting(L"HotKey", std::to_wstring(m_nHotKey).c_str());
}

bool CClientConfig::WriteSetting(const wchar_t* name, const wchar_t* text)
{
    if (!text)
        return false;
    CRegKey key;
    if (OpenOrCreate(key, m_pPlaces->hUserRoot, m_strRegKey) != ERROR_SUCCESS)
        return false;
    return key.SetStringValue(name, text) == ERROR_SUCCESS;
}
