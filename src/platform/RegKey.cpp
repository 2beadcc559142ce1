#include "platform/RegKey.h"

#include <cwchar>
#include <vector>

LONG CRegKey::Open(HKEY parent, const wchar_t* path, REGSAM access)
{
    if (!parent)
        return ERROR_INVALID_HANDLE;
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExW(parent, path, 0, access, &key);
    if (result == ERROR_SUCCESS) {
        Close();
        m_hKey = key;
    }
    return result;
}

LONG CRegKey::Create(HKEY parent, const wchar_t* path, REGSAM access)
{
    if (!parent)
        return ERROR_INVALID_HANDLE;
    HKEY key = nullptr;
    const LONG result =
        ::RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) {
        Close();
        m_hKey = key;
    }
    return result;
}

void CRegKey::Close()
{
    if (m_hKey) {
        ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

LONG CRegKey::QueryStringValue(const wchar_t* name, std::wstring& value, size_t maxChars) const
{
    // One character more than allowed, so that a longer text without a
    // terminator is still recognised as too long.
    std::vector<wchar_t> buffer(maxChars + 1, L'\0');
    DWORD type = REG_NONE;
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LONG result =
        ::RegQueryValueExW(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    const size_t stored = bytes / sizeof(wchar_t);
    const size_t length = wcsnlen(buffer.data(), stored);
    if (length > maxChars)
        return ERROR_MORE_DATA;
    value.assign(buffer.data(), length);
    return ERROR_SUCCESS;
}

LONG CRegKey::SetStringValue(const wchar_t* name, const wchar_t* text)
{
    const DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

LONG CRegKey::QueryDWORDValue(const wchar_t* name, DWORD& value) const
{
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD bytes = sizeof(data);
    const LONG result = ::RegQueryValueExW(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &bytes);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_DWORD || bytes != sizeof(data))
        return ERROR_INVALID_DATA;
    value = data;
    return ERROR_SUCCESS;
}

LONG CRegKey::SetDWORDValue(const wchar_t* name, DWORD value)
{
    return ::RegSetValueExW(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}
