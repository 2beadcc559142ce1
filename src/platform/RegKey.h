// An owned registry key with the typed value reads and writes the client
// needs. Results are the registry functions' error codes.
#pragma once

#include <windows.h>

#include <string>

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // A null parent is refused with ERROR_INVALID_HANDLE.
    LONG Open(HKEY parent, const wchar_t* path, REGSAM access);
    // Opens the key, creating it (non-volatile, no class) when missing.
    LONG Create(HKEY parent, const wchar_t* path, REGSAM access);
    void Close();
    HKEY Get() const { return m_hKey; }

    // A REG_SZ or REG_EXPAND_SZ value of at most maxChars characters before
    // its terminator (ERROR_MORE_DATA when longer, ERROR_INVALID_DATA for
    // any other type). Data missing its terminator ends where it ends.
    LONG QueryStringValue(const wchar_t* name, std::wstring& value, size_t maxChars) const;
    // Stores REG_SZ text with its terminator.
    LONG SetStringValue(const wchar_t* name, const wchar_t* text);

    // A REG_DWORD value of exactly four bytes; ERROR_INVALID_DATA otherwise.
    LONG QueryDWORDValue(const wchar_t* name, DWORD& value) const;
    LONG SetDWORDValue(const wchar_t* name, DWORD value);

private:
    HKEY m_hKey = nullptr;
};
