#include "platform/Wnd.h"

#include <cstdio>

namespace {

constexpr wchar_t kBindingProp[] = L"Brimlok.CWnd";

// The object whose window CreateEx is creating on this thread; bound to the
// first message that arrives for an unbound window of one of our classes
// (WM_GETMINMAXINFO comes before WM_NCCREATE).
thread_local CWnd* t_creating = nullptr;

// The last object whose window reached WM_NCDESTROY on this thread; compared,
// never dereferenced, since PostNcDestroy may have deleted it.
thread_local const void* t_lastNcDestroyed = nullptr;

} // namespace

CWnd::~CWnd()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND wnd)
{
    return wnd ? static_cast<CWnd*>(::GetPropW(wnd, kBindingProp)) : nullptr;
}

void CWnd::Attach(HWND wnd)
{
    m_hWnd = wnd;
    ::SetPropW(wnd, kBindingProp, this);
}

void CWnd::Detach()
{
    if (!m_hWnd)
        return;
    if (m_pfnSuper) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    ::RemovePropW(m_hWnd, kBindingProp);
    m_hWnd = nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&) { return TRUE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId)
{
    CREATESTRUCTW cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = title;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = ::GetModuleHandleW(nullptr);
    cs.lpCreateParams = this;
    if (!PreCreateWindow(cs))
        return FALSE;

    CWnd* outer = t_creating;
    t_creating = this;
    HWND wnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    t_creating = outer;
    if (!wnd) {
        // A window that failed before WM_NCDESTROY never called PostNcDestroy;
        // call it now so that self-deleting windows are always cleaned up.
        if (t_lastNcDestroyed != this)
            PostNcDestroy();
        return FALSE;
    }
    if (!m_hWnd)
        SubclassWindow(wnd);
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND wnd)
{
    if (!wnd || m_hWnd || FromHandle(wnd))
        return FALSE;
    Attach(wnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::RouterProc)));
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_NCDESTROY) {
        try {
            return WindowProc(msg, wParam, lParam);
        } catch (...) {
            // No exception may unwind into the system's code.
            return Default(msg, wParam, lParam);
        }
    }
    const LRESULT result = Default(msg, wParam, lParam);
    Detach();
    t_lastNcDestroyed = this;
    PostNcDestroy();
    return result;
}

LRESULT CALLBACK CWnd::RouterProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* self = FromHandle(wnd);
    if (!self && t_creating && !t_creating->m_hWnd) {
        self = t_creating;
        self->Attach(wnd);
    }
    if (!self)
        return ::DefWindowProcW(wnd, msg, wParam, lParam);
    return self->Dispatch(msg, wParam, lParam);
}

BOOL CWnd::RegisterNamedClass(const wchar_t* name, UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(instance, name, &wc))
        return TRUE;
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::RouterProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    return ::RegisterClassExW(&wc) != 0;
}

std::wstring CWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // The name is derived from the attributes, so equal requests share a class.
    wchar_t name[96];
    std::swprintf(name, 96, L"Brimlok:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    return RegisterNamedClass(name, classStyle, cursor, background, icon) ? std::wstring(name) : std::wstring();
}
