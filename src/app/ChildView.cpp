#include "app/ChildView.h"

BOOL CChildView::Create(HWND parent, UINT id)
{
    const std::wstring cls = RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    RECT client{};
    ::GetClientRect(parent, &client);
    return CreateEx(WS_EX_CLIENTEDGE, cls.c_str(), nullptr, WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                    parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT CChildView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        ::ValidateRect(m_hWnd, nullptr);
        return 0;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
