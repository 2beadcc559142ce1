#include "browser/IEWnd.h"

BOOL CIEWnd::Create(HWND parent, DWORD exStyle, DWORD style)
{
    const std::wstring cls = RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    return CreateEx(exStyle, cls.c_str(), nullptr, style, 0, 0, 0, 0, parent, nullptr);
}

LRESULT CIEWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        if (Default(msg, wParam, lParam) == -1)
            return -1;
        m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 1, 1}, m_hWnd, kBrowserViewId);
        return 0;
    }
    case WM_SIZE: {
        Default(msg, wParam, lParam);
        const int width = LOWORD(lParam), height = HIWORD(lParam);
        if (width > 0 && height > 0 && m_view.GetSafeHwnd())
            ::SetWindowPos(m_view.GetSafeHwnd(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
