// The window base: one object per HWND, messages routed to a virtual
// WindowProc that derived classes extend with a switch.
#pragma once

#include <windows.h>
#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to a window of this process, or null for windows
    // that no CWnd owns (system controls, the browser's own windows).
    static CWnd* FromHandle(HWND wnd);

    // Creates the window; on failure PostNcDestroy has run (a self-deleting
    // window is gone). For a class registered by RegisterWndClass the
    // object is bound before the first message; any other class (such as
    // "Button") is subclassed right after creation.
    BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    // Binds an existing window, after PreSubclassWindow.
    BOOL SubclassWindow(HWND wnd);
    BOOL DestroyWindow();

    virtual BOOL PreTranslateMessage(MSG* msg);

    // Registers (once) a window class with these attributes whose window
    // procedure is the router of this layer; returns its name.
    static std::wstring RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);
    // Registers a class with this layer's router under a given name.
    static BOOL RegisterNamedClass(const wchar_t* name, UINT classStyle, HCURSOR cursor, HBRUSH background,
                                   HICON icon);

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The processing the window would have without this object.
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    virtual void PreSubclassWindow() {}
    // Called after WM_NCDESTROY, when the object no longer has a window.
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK RouterProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Attach(HWND wnd);
    void Detach();
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
};
