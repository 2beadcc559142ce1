// RAII holders for Win32 handles, GDI objects and library start-ups.
// All are move-only: a handle has exactly one owner.
#pragma once

#include <windows.h>
#include <wincrypt.h>
#include <wininet.h>

#include <utility>

template <typename Traits>
class Scoped {
public:
    using Type = typename Traits::Type;

    Scoped() = default;
    explicit Scoped(Type value) : m_value(value) {}
    ~Scoped() { reset(); }

    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : m_value(other.release()) {}
    Scoped& operator=(Scoped&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Type get() const { return m_value; }
    explicit operator bool() const { return m_value != Traits::Invalid(); }

    void reset(Type value = Traits::Invalid())
    {
        if (m_value != Traits::Invalid())
            Traits::Close(m_value);
        m_value = value;
    }
    Type release() { return std::exchange(m_value, Traits::Invalid()); }

private:
    Type m_value = Traits::Invalid();
};

struct HandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};
template <typename T>
struct GdiObjectTraits {
    using Type = T;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};
struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::FreeLibrary(h); }
};
struct GlobalTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::GlobalFree(h); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyMenu(h); }
};

struct InternetTraits {
    using Type = HINTERNET;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::InternetCloseHandle(h); }
};
struct CryptProviderTraits {
    using Type = HCRYPTPROV;
    static Type Invalid() { return 0; }
    static void Close(Type h) { ::CryptReleaseContext(h, 0); }
};
struct CryptHashTraits {
    using Type = HCRYPTHASH;
    static Type Invalid() { return 0; }
    static void Close(Type h) { ::CryptDestroyHash(h); }
};

using ScopedHandle = Scoped<HandleTraits>;
using ScopedFile = Scoped<FileHandleTraits>;
using ScopedBitmap = Scoped<GdiObjectTraits<HBITMAP>>;
using ScopedBrush = Scoped<GdiObjectTraits<HBRUSH>>;
using ScopedFont = Scoped<GdiObjectTraits<HFONT>>;
using ScopedMemoryDc = Scoped<MemoryDcTraits>;
using ScopedModule = Scoped<ModuleTraits>;
using ScopedGlobal = Scoped<GlobalTraits>;
using ScopedMenu = Scoped<MenuTraits>;
using ScopedInternet = Scoped<InternetTraits>;
using ScopedCryptProvider = Scoped<CryptProviderTraits>;
using ScopedCryptHash = Scoped<CryptHashTraits>;

// Selects an object into a device context and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
    ~ScopedSelect() { ::SelectObject(m_dc, m_old); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND wnd) : m_wnd(wnd) { m_dc = ::BeginPaint(wnd, &m_ps); }
    ~PaintDc() { ::EndPaint(m_wnd, &m_ps); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return m_dc; }

private:
    HWND m_wnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// GetDC / ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND wnd) : m_wnd(wnd), m_dc(::GetDC(wnd)) {}
    ~WindowDc() { ::ReleaseDC(m_wnd, m_dc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return m_dc; }

private:
    HWND m_wnd;
    HDC m_dc;
};
