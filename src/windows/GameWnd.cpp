#include "windows/GameWnd.h"

#include "app/ClientMessages.h"
#include "browser/IEWnd.h"
#include "browser/ShellLinks.h"
#include "config/ClientConfig.h"
#include "platform/TextUtil.h"
#include "windows/BorderZones.h"
#include "windows/OpenUrl.h"
#include "work/CacheCleaner.h"

namespace {

constexpr wchar_t kGameClosedMarker[] = L"about:blank3";

const wchar_t* CursorId(SizeCursor cursor)
{
    switch (cursor) {
    case SizeCursor::SizeNWSE: return IDC_SIZENWSE;
    case SizeCursor::SizeNESW: return IDC_SIZENESW;
    case SizeCursor::SizeWE: return IDC_SIZEWE;
    case SizeCursor::SizeNS: return IDC_SIZENS;
    case SizeCursor::Arrow: break;
    }
    return IDC_ARROW;
}

} // namespace

CGameWnd::CGameWnd(std::wstring skinName) : CSkinWnd2(std::move(skinName)) {}

// The browser goes before the window that holds it.
CGameWnd::~CGameWnd()
{
    if (m_view.GetSafeHwnd())
        m_view.DestroyWindow();
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

int CGameWnd::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (CSkinWnd2::WindowProc(WM_CREATE, wParam, lParam) == -1)
        return -1;
    m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 1, 1}, m_hWnd, kBrowserViewId);
    m_view.Navigate(L"about:blank");
    for (const wchar_t* name : {L"home", L"bbs", L"kf", L"refresh", L"lock", L"pay", L"more", L"vip", L"host",
                                L"cache"}) {
        CSkinButton* button = nullptr;
        if (FindButton(name, &button))
            button->SetHandCursor(TRUE);
    }
    ShowButton(L"restore", SW_HIDE);
    // The size notifications of the skin came before the browser existed.
    PlaceBrowser();
    return 0;
}

void CGameWnd::ShowButton(const wchar_t* name, int show)
{
    CSkinButton* button = nullptr;
    if (FindButton(name, &button))
        ::ShowWindow(button->GetSafeHwnd(), show);
}

void CGameWnd::PlaceBrowser()
{
    SKIN_RECT area;
    if (!FindRect(L"ie", area) || !::IsWindow(m_view.GetSafeHwnd()))
        return;
    RECT r = area.rect;
    if (area.strech) {
        r.right += m_nWidth - m_skinWnd.width;
        r.bottom += m_nHeight - m_skinWnd.height;
    }
    ::MoveWindow(m_view.GetSafeHwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void CGameWnd::NavigateGame(const std::wstring& url) { m_view.Navigate(url.c_str()); }

void CGameWnd::Refresh()
{
    if (IWebBrowser2* browser = m_view.GetBrowser())
        browser->Refresh();
}

// With a server part each reload costs two address requests: one to see
// that an address comes back, one to navigate to.
void CGameWnd::ReloadGame()
{
    if (g_pMainFrame && !g_pMainFrame->BuildGameUrl(1).empty())
        NavigateGame(g_pMainFrame->BuildGameUrl(1));
    else
        Refresh();
}

void CGameWnd::ApplyMaximize()
{
    if (m_bMaximized) {
        ShowButton(L"max", SW_HIDE);
        ShowButton(L"restore", SW_SHOW);
        ::ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
        m_bMovable = 0;
    } else {
        ShowButton(L"max", SW_SHOW);
        ShowButton(L"restore", SW_HIDE);
        ::ShowWindow(m_hWnd, SW_RESTORE);
        m_bMovable = 1;
    }
}

void CGameWnd::OnSkinButton(const SKIN_BTN& button)
{
    const std::wstring& name = button.name;
    if (EqualsNoCase(name, L"close")) {
        OnCloseCommand();
    } else if (EqualsNoCase(name, L"min")) {
        ::ShowWindow(m_hWnd, SW_MINIMIZE);
    } else if (EqualsNoCase(name, L"pack")) {
        ShowWnd(FALSE);
    } else if (EqualsNoCase(name, L"home")) {
        OpenUrlInBrowser(g_pConfig->GetGwUrl());
    } else if (EqualsNoCase(name, L"bbs")) {
        OpenUrlInBrowser(g_pConfig->GetBbsUrl());
    } else if (EqualsNoCase(name, L"kf")) {
        OpenUrlInBrowser(g_pConfig->GetKfUrl());
    } else if (EqualsNoCase(name, L"pay")) {
        OpenUrlInBrowser(g_pConfig->GetPaymentUrl());
    } else if (EqualsNoCase(name, L"refresh")) {
        ReloadGame();
    } else if (EqualsNoCase(name, L"cache")) {
        ClearCacheEntries(g_pConfig->GetCache().c_str());
        ReloadGame();
    } else if (EqualsNoCase(name, L"max")) {
        m_bMaximized = 1;
        ApplyMaximize();
    } else if (EqualsNoCase(name, L"restore")) {
        m_bMaximized = 0;
        ApplyMaximize();
    }
    // "more", "lock", "server", "vip", "host" and any other: nothing.
}

void CGameWnd::OnCloseCommand() { NavigateGame(kGameClosedMarker); }

void CGameWnd::OnMouseMove(LPARAM lParam)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const SizeZone zone = BorderZoneAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)),
                                       client.right, client.bottom, m_skinWnd.border);
    ::SetCursor(::LoadCursorW(nullptr, CursorId(zone.cursor)));
    m_nSizeZone = zone.zone;
}

void CGameWnd::OnLButtonDown(LPARAM lParam)
{
    if (m_nSizeZone >= 10 && m_nSizeZone <= 17) {
        ::SetCursor(::LoadCursorW(nullptr, CursorId(CursorForZone(m_nSizeZone))));
        SendMessage(WM_SYSCOMMAND, static_cast<WPARAM>(SizeCommandFor(m_nSizeZone)), lParam);
    } else {
        SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    }
}

BOOL CGameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5 &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        Refresh();
        return TRUE;
    }
    return CSkinWnd2::PreTranslateMessage(msg);
}

LRESULT CGameWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(wParam, lParam);
    case WM_SIZE: {
        const LRESULT result = CSkinWnd2::WindowProc(msg, wParam, lParam);
        if (static_cast<short>(LOWORD(lParam)) > 0 && static_cast<short>(HIWORD(lParam)) > 0)
            PlaceBrowser();
        return result;
    }
    case WM_LBUTTONDBLCLK:
        if (static_cast<short>(HIWORD(lParam)) <= m_skinWnd.titleHeight) {
            m_bMaximized = !m_bMaximized;
            ApplyMaximize();
        }
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(lParam);
        // The framed window's own press handling follows.
        break;
    case WM_GET_GS_NAME: {
        CSkinButton* vip = nullptr;
        if (lParam && FindButton(L"vip", &vip))
            vip->SetTitle(reinterpret_cast<const wchar_t*>(lParam));
        return 0;
    }
    case WM_GET_NEW_MSG: {
        CSkinButton* vip = nullptr;
        if (FindButton(L"vip", &vip) && !vip->IsBlinking())
            vip->SetBlink(TRUE);
        return 0;
    }
    }
    return CSkinWnd2::WindowProc(msg, wParam, lParam);
}
