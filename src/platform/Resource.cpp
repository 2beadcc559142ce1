#include "platform/Resource.h"

HMODULE ResourceModule() { return ::GetModuleHandleW(nullptr); }

std::string LoadResourceBytes(UINT id, const wchar_t* type)
{
    HMODULE module = ResourceModule();
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(LOWORD(id)), type);
    if (!res)
        return {};
    const DWORD size = ::SizeofResource(module, res);
    HGLOBAL loaded = size ? ::LoadResource(module, res) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return std::string(static_cast<const char*>(data), size);
}

std::wstring LoadResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource.
    const int n = ::LoadStringW(ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}
