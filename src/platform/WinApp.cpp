#include "platform/WinApp.h"

#include "platform/Wnd.h"

CWinApp* CWinApp::s_pApp = nullptr;

CWinApp::CWinApp() { s_pApp = this; }

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = nullptr;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    HWND mainWnd = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    bool mainSeen = false;
    for (HWND wnd = msg->hwnd; wnd; wnd = ::GetParent(wnd)) {
        if (CWnd* target = CWnd::FromHandle(wnd)) {
            if (target->PreTranslateMessage(msg))
                return TRUE;
        }
        if (wnd == mainWnd) {
            mainSeen = true;
            break;
        }
    }
    if (!mainSeen && m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        return m_pMainWnd->PreTranslateMessage(msg);
    return FALSE;
}

int CWinApp::Run()
{
    MSG msg{};
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (msg.message == WM_QUIT)
        m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

int RunApplication(CWinApp& app)
{
    if (!app.InitInstance())
        return app.ExitInstance();
    return app.Run();
}
