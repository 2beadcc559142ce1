#include "platform/FrameWnd.h"

#include "platform/Resource.h"
#include "platform/WinApp.h"

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    static std::wstring frameClass;
    if (frameClass.empty())
        frameClass = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    if (!cs.lpszClass)
        cs.lpszClass = frameClass.c_str();
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, HWND parent)
{
    HINSTANCE instance = ResourceModule();
    const std::wstring title = (style & FWS_ADDTOTITLE) ? LoadResourceString(resourceId) : std::wstring();
    HMENU menu = ::LoadMenuW(instance, MAKEINTRESOURCEW(resourceId));
    m_hAccel = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId));
    if (!CreateEx(0, nullptr, title.c_str(), style & ~FWS_ADDTOTITLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, parent, menu)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (m_hAccel && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return ::TranslateAcceleratorW(m_hWnd, m_hAccel, msg);
    return FALSE;
}

LRESULT CFrameWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_APP_EXIT) {
            SendMessage(WM_CLOSE);
            return 0;
        }
        break;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_DESTROY:
        if (CWinApp* app = CWinApp::GetApp(); app && app->m_pMainWnd == this)
            ::PostQuitMessage(0);
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CFrameWnd::PostNcDestroy()
{
    if (CWinApp* app = CWinApp::GetApp(); app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    delete this;
}
