#include "windows/HtmlWnd.h"

#include "config/ClientConfig.h"
#include "platform/FrameWnd.h"
#include "platform/MessageBox.h"
#include "platform/TextUtil.h"
#include "windows/OpenUrl.h"

CHtmlWnd::CHtmlWnd(std::wstring skinName) : CSkinWnd(std::move(skinName)) {}

// The popup goes first: it is owned by the launcher's window.
CHtmlWnd::~CHtmlWnd()
{
    m_pIEWnd.reset();
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

void CHtmlWnd::ShowWnd(BOOL show)
{
    CSkinWnd::ShowWnd(show);
    if (m_pIEWnd && m_pIEWnd->GetSafeHwnd())
        ::ShowWindow(m_pIEWnd->GetSafeHwnd(), show ? SW_SHOW : SW_HIDE);
}

void CHtmlWnd::ApplySkin()
{
    CSkinWnd::ApplySkin();
    SetImageVisible(L"choose", FALSE);
}

void CHtmlWnd::OnSkinButton(const SKIN_BTN& button)
{
    const std::wstring& name = button.name;
    if (EqualsNoCase(name, L"close"))
        ConfirmQuit();
    else if (EqualsNoCase(name, L"min"))
        ShowWnd(FALSE);
    else if (EqualsNoCase(name, L"home"))
        OpenUrlInBrowser(g_pConfig->GetGwUrl());
    else if (EqualsNoCase(name, L"bbs"))
        OpenUrlInBrowser(g_pConfig->GetBbsUrl());
    else if (EqualsNoCase(name, L"kf"))
        OpenUrlInBrowser(g_pConfig->GetKfUrl());
    else if (EqualsNoCase(name, L"pay"))
        OpenUrlInBrowser(g_pConfig->GetPaymentUrl());
}

void CHtmlWnd::ConfirmQuit()
{
    const std::wstring question = g_pConfig ? g_pConfig->GetQuitTip() : std::wstring();
    const std::wstring caption = VersionText();
    const UINT flags = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_SYSTEMMODAL;
    if (ShowMessageBox(nullptr, question.c_str(), caption.c_str(), flags) == IDCANCEL)
        return;
    ShowWnd(FALSE);
    if (g_pMainFrame)
        ::PostMessageW(g_pMainFrame->FrameWindow(), WM_COMMAND, ID_APP_EXIT, 0);
}

void CHtmlWnd::ShowChoose()
{
    SetImageVisible(L"choose", TRUE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHtmlWnd::PlacePopup(Placement placement)
{
    SKIN_RECT area;
    if (!FindRect(L"ie", area) || !m_pIEWnd || !::IsWindow(m_pIEWnd->GetSafeHwnd()))
        return;
    RECT r = area.rect;
    if (area.strech) {
        r.right += (m_nWidth - m_skinWnd.width) - 1;
        r.bottom += (m_nHeight - m_skinWnd.height) - 1;
    }
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    HWND popup = m_pIEWnd->GetSafeHwnd();
    if (placement == Placement::Resize) {
        ::MoveWindow(popup, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        ::SetWindowPos(popup, m_hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
        ::SetWindowPos(popup, m_hWnd, r.left, r.top, 0, 0, SWP_NOSIZE);
    }
}

LRESULT CHtmlWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        if (CSkinWnd::WindowProc(msg, wParam, lParam) == -1)
            return -1;
        m_pIEWnd = std::make_unique<CIEWnd>();
        m_pIEWnd->Create(m_hWnd, 0, WS_POPUP);
        m_pIEWnd->m_view.Navigate(L"about:blank");
        for (const wchar_t* name : {L"home", L"bbs", L"kf", L"pay"}) {
            CSkinButton* button = nullptr;
            if (FindButton(name, &button))
                button->SetHandCursor(TRUE);
        }
        // The size notifications of the skin came before the popup existed.
        PlacePopup(Placement::Resize);
        return 0;
    }
    case WM_SIZE: {
        const LRESULT result = CSkinWnd::WindowProc(msg, wParam, lParam);
        if (static_cast<short>(LOWORD(lParam)) > 0 && static_cast<short>(HIWORD(lParam)) > 0)
            PlacePopup(Placement::Resize);
        return result;
    }
    case WM_MOVE:
        Default(msg, wParam, lParam);
        PlacePopup(Placement::Move);
        return 0;
    }
    return CSkinWnd::WindowProc(msg, wParam, lParam);
}
