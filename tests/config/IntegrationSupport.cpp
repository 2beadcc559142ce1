#include "config/IntegrationSupport.h"

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "common/ProgramUnderTest.h"
#include "config/ClientConfig.h"
#include "config/SystemPlaces.h"
#include "platform/ComPtr.h"

namespace {

constexpr wchar_t kTestsKey[] = L"Software\\ClientTests";

// False when the file did not appear within the deadline.
bool WaitForFile(const std::wstring& path, DWORD timeoutMs = 20000)
{
    const DWORD start = ::GetTickCount();
    while (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

} // namespace

std::unique_ptr<CClientConfig> CreateRecord(const SYSTEM_PLACES& places, const std::string& document)
{
    EXPECT_EQ(g_pConfig, nullptr) << "a record from an earlier test is still alive";
    if (g_pConfig)
        return nullptr;
    return std::unique_ptr<CClientConfig>(CClientConfig::CreateInstance(places, document));
}

TempRegistryKey::TempRegistryKey()
{
    static unsigned counter = 0;
    wchar_t name[64];
    std::swprintf(name, 64, L"\\%lu_%u", ::GetCurrentProcessId(), ++counter);
    m_path = std::wstring(kTestsKey) + name;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    ::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr);
}

TempRegistryKey::~TempRegistryKey()
{
    if (m_hKey)
        ::RegCloseKey(m_hKey);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kTestsKey); // only when no other test's key is left
}

std::optional<REG_VALUE> ReadRegValue(HKEY root, const std::wstring& key, const wchar_t* name)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    REG_VALUE value;
    DWORD size = 0;
    LONG result = ::RegQueryValueExW(opened, name, nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.bytes.resize(size);
        result = ::RegQueryValueExW(opened, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()),
                                    &size);
        value.bytes.resize(size);
    }
    ::RegCloseKey(opened);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void WriteRegValue(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type, const std::string& bytes)
{
    HKEY created = nullptr;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return;
    // Text is followed by non-zero bytes, so that the registry stores text
    // without a terminator as it is instead of adding one.
    const std::string data = bytes + "\xff\xff";
    ::RegSetValueExW(created, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(created);
}

bool RegKeyExists(HKEY root, const std::wstring& key)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(opened);
    return true;
}

std::vector<std::wstring> RegValueNames(HKEY root, const std::wstring& key)
{
    std::vector<std::wstring> names;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (::RegEnumValueW(opened, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    ::RegCloseKey(opened);
    return names;
}

std::string SzBytes(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

std::string DwordBytes(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof(value)); }

std::string ConfigDocument(const std::vector<std::pair<std::string, std::string>>& attributes)
{
    std::string text = "<?xml version=\"1.0\"?><CLIENTCONFIG><CONFIG";
    for (const auto& [name, value] : attributes) {
        text += " " + name + "=\"";
        for (char c : value) {
            switch (c) {
            case '&': text += "&amp;"; break;
            case '<': text += "&lt;"; break;
            case '"': text += "&quot;"; break;
            default: text += c;
            }
        }
        text += "\"";
    }
    return text + "/></CLIENTCONFIG>";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}



std::optional<SHORTCUT_INFO> ReadShortcut(const std::wstring& path)
{
    ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return std::nullopt;
    ComPtr<IPersistFile> file;
    if (FAILED(link.As(file)) || FAILED(file->Load(path.c_str(), STGM_READ)))
        return std::nullopt;
    SHORTCUT_INFO info;
    wchar_t text[1024] = {};
    if (SUCCEEDED(link->GetPath(text, 1024, nullptr, SLGP_RAWPATH)))
        info.target = text;
    text[0] = 0;
    if (SUCCEEDED(link->GetIconLocation(text, 1024, &info.iconIndex)))
        info.icon = text;
    text[0] = 0;
    if (SUCCEEDED(link->GetWorkingDirectory(text, 1024)))
        info.workingFolder = text;
    text[0] = 0;
    if (SUCCEEDED(link->GetArguments(text, 1024)))
        info.arguments = text;
    text[0] = 0;
    if (SUCCEEDED(link->GetDescription(text, 1024)))
        info.description = text;
    link->GetHotkey(&info.hotKey);
    link->GetShowCmd(&info.showCommand);
    return info;
}

std::wstring MarkerInstallerPath() { return WindowsPath(MARKER_INSTALLER); }

std::optional<std::wstring> WaitForMarker(const std::wstring& path)
{
    if (!WaitForFile(path))
        return std::nullopt;
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes->data()), bytes->size() / sizeof(wchar_t));
}
