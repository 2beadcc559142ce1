#include "app/MainFrame.h"

#include "app/ClientMessages.h"
#include "app/HttpText.h"
#include "app/LoginAddress.h"
#include "app/Md5.h"
#include "app/RemoteConfig.h"
#include "app/VersionCheck.h"
#include "config/ClientConfig.h"
#include "platform/Process.h"
#include "platform/Resource.h"
#include "platform/TextUtil.h"
#include "resource.h"
#include "skin/SkinManager.h"
#include "windows/GameWnd.h"
#include "windows/HtmlWnd.h"

namespace {
constexpr wchar_t kLauncherSkin[] = L"MAINWND";
constexpr wchar_t kGameSkin[] = L"GAMEWND";
constexpr DWORD kSkinWindowStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
} // namespace

CMainFrame::CMainFrame() = default;

// Runs when the frame's window is gone: the tray icon, then the worker
// (stopped, waited for a bounded time, deleted even when still busy: it
// holds what it needs), then the windows and the skin.
CMainFrame::~CMainFrame()
{
    RemoveTrayIcon();
    if (m_pDownloadThread) {
        m_pDownloadThread->Stop();
        if (HANDLE worker = m_pDownloadThread->GetThreadHandle())
            ::WaitForSingleObject(worker, kThreadWaitMs);
        m_pDownloadThread.reset();
    }
    g_pHtmlWnd = nullptr;
    m_pHtmlWnd.reset();
    m_pGameWnd.reset();
    m_pRetiredGameWnd.reset();
    delete m_pSkin;
    m_pSkin = nullptr;
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    // A plain class (no style, cursor, brush or icon) under the configured
    // name; with an empty name nothing is registered and creation fails.
    g_pConfig->m_strWindowClass = g_pConfig->GetAttribute("imClass");
    RegisterNamedClass(g_pConfig->m_strWindowClass.c_str(), 0, nullptr, nullptr, nullptr);
    cs.lpszClass = g_pConfig->m_strWindowClass.c_str();
    return TRUE;
}

std::unique_ptr<CGameWnd> CMainFrame::CreateGameWindow(DWORD exStyle)
{
    auto game = std::make_unique<CGameWnd>(kGameSkin);
    game->Create(::GetDesktopWindow(), exStyle, kSkinWindowStyle);
    return game;
}

int CMainFrame::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd::WindowProc(WM_CREATE, wParam, lParam) == -1)
        return -1;
    if (!m_wndView.Create(m_hWnd, AFX_IDW_PANE_FIRST))
        return -1;
    g_pMainFrame = this;
    g_pConfig->CheckBrowserPlugin();
    AddTrayIcon();
    m_pDownloadThread = std::make_unique<CDownloadThread>();
    m_pDownloadThread->Start(FALSE);
    RequestRemoteConfig();
    m_menuTray.reset(::LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(IDR_TRAYMENU)));
    m_pSkin = CSkinManager::GetInstance();
    g_pSkin = m_pSkin;

    m_pHtmlWnd = std::make_unique<CHtmlWnd>(kLauncherSkin);
    m_pHtmlWnd->Create(::GetDesktopWindow(), WS_EX_APPWINDOW, kSkinWindowStyle);
    g_pHtmlWnd = m_pHtmlWnd.get();
    m_pGameWnd = CreateGameWindow(WS_EX_APPWINDOW);

    if (m_pHtmlWnd->m_pIEWnd)
        m_pHtmlWnd->m_pIEWnd->m_view.Navigate(g_pConfig->GetHomeUrl().c_str());
    ShowFirstWindow();
    return 0;
}

// A server part wins over a start address; without a game address the
// launcher shows.
void CMainFrame::ShowFirstWindow()
{
    if (!m_strServerId.empty()) {
        const std::wstring url = BuildGameUrl(0);
        if (!url.empty())
            OpenGame(url);
        else
            m_pHtmlWnd->ShowWnd(TRUE);
    } else if (!m_strStartUrl.empty()) {
        OpenGame(m_strStartUrl);
    } else {
        m_pHtmlWnd->ShowWnd(TRUE);
    }
}

HWND CMainFrame::GameWindow() const
{
    if (m_pGameWnd)
        return m_pGameWnd->GetSafeHwnd();
    return m_pRetiredGameWnd ? m_pRetiredGameWnd->GetSafeHwnd() : nullptr;
}

void CMainFrame::OpenGame(const std::wstring& url)
{
    m_bGameActive = TRUE;
    if (m_pHtmlWnd)
        m_pHtmlWnd->ShowWnd(FALSE);
    // Only a window made again after a close carries the tool-window style.
    if (!m_pGameWnd)
        m_pGameWnd = CreateGameWindow(WS_EX_APPWINDOW | WS_EX_TOOLWINDOW);
    HWND game = m_pGameWnd->GetSafeHwnd();
    ::ShowWindow(game, SW_HIDE);
    RECT window{}, work{};
    ::GetWindowRect(game, &window);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = window.right - window.left, height = window.bottom - window.top;
    ::SetWindowPos(game, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!url.empty()) {
        m_pGameWnd->m_view.Navigate(url.c_str());
        m_pGameWnd->m_bMaximized = 1;
        m_pGameWnd->ApplyMaximize();
    }
    m_pGameWnd->ShowWnd(TRUE);
}

void CMainFrame::CloseGame()
{
    if (!m_bGameActive)
        return;
    if (m_pGameWnd)
        m_pRetiredGameWnd = std::move(m_pGameWnd);
    if (!m_strStartUrl.empty()) {
        PostMessage(WM_COMMAND, ID_APP_EXIT, 0);
        return;
    }
    if (m_pHtmlWnd) {
        if (m_pHtmlWnd->m_pIEWnd) {
            if (IWebBrowser2* browser = m_pHtmlWnd->m_pIEWnd->m_view.GetBrowser())
                browser->Refresh();
        }
        m_pHtmlWnd->ShowWnd(TRUE);
    }
    m_bGameActive = FALSE;
}

void CMainFrame::OnGameClosed()
{
    if (m_pRetiredGameWnd) {
        m_pRetiredGameWnd->DestroyWindow();
        m_pRetiredGameWnd.reset();
    }
}

std::wstring CMainFrame::BuildGameUrl(int mode)
{
    if (m_strServerId.empty())
        return m_strStartUrl;
    const int32_t time = TimeStamp32();
    const std::string signed8 = WideToAnsi(SignatureText(m_strServerId, time, g_pConfig->GetPwKey()));
    const std::wstring signature = Md5Hex(signed8.data(), signed8.size());
    return HttpGetText(FormatLoginAddress(g_pConfig->GetUserInfoUrl(), m_strServerId, mode, time, signature));
}

void CMainFrame::AddDownloadJob(const std::wstring& url, UINT message)
{
    if (url.empty() || !m_pDownloadThread)
        return;
    CDownloadThread::THREAD_PARAM_DOWN job;
    job.strReqUrl = url;
    job.strUrl = url;
    job.nMsg = message;
    job.hWnd = m_hWnd;
    m_pDownloadThread->AddJob(job);
}

void CMainFrame::ShowActiveWindow()
{
    if (m_bGameActive && m_pGameWnd)
        m_pGameWnd->ShowWnd(TRUE);
    else if (m_pHtmlWnd)
        m_pHtmlWnd->ShowWnd(TRUE);
}

void CMainFrame::AddTrayIcon()
{
    // The size of the whole structure as this build declares it.
    m_nid.cbSize = sizeof(NOTIFYICONDATAW);
    m_nid.hWnd = m_hWnd;
    m_nid.uID = kTrayIconId;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = ::LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    const std::wstring tip = VersionText().substr(0, std::size(m_nid.szTip) - 1);
    tip.copy(m_nid.szTip, tip.size());
    m_nid.szTip[tip.size()] = L'\0';
    ::Shell_NotifyIconW(NIM_ADD, &m_nid);
}

void CMainFrame::RemoveTrayIcon()
{
    if (m_nid.cbSize)
        ::Shell_NotifyIconW(NIM_DELETE, &m_nid);
    m_nid.cbSize = 0;
}

LRESULT CMainFrame::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (lParam == WM_LBUTTONDOWN)
        ShowActiveWindow();
    else if (lParam == WM_RBUTTONDOWN)
        ShowTrayMenu();
    return 0;
}

void CMainFrame::ShowTrayMenu()
{
    POINT pt{};
    ::GetCursorPos(&pt);
    ::SetForegroundWindow(m_hWnd);
    HMENU popup = m_menuTray ? ::GetSubMenu(m_menuTray.get(), 0) : nullptr;
    if (!popup)
        return;
    const UINT command = static_cast<UINT>(
        ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr));
    OnTrayCommand(command);
}

void CMainFrame::OnTrayCommand(UINT command)
{
    if (command == kTrayShowCommand)
        ShowActiveWindow();
    else if (command == ID_APP_EXIT)
        PostMessage(WM_COMMAND, ID_APP_EXIT, 0);
}

void CMainFrame::RequestRemoteConfig()
{
    const std::wstring configParam = g_pConfig->GetConfigParam();
    if (configParam.empty() || !m_pDownloadThread)
        return;
    AddDownloadJob(RemoteConfigAddress(configParam, TimeStamp32()), WM_CONFIG_DOWNLOADED);
    ::SetEvent(m_pDownloadThread->m_hJobEvent);
}

std::wstring CMainFrame::JobResultPath(int jobId) const
{
    CDownloadThread::THREAD_PARAM_DOWN result;
    m_pDownloadThread->GetJobResult(jobId, result);
    return result.strUrl;
}

void CMainFrame::OnConfigDownloaded(int jobId)
{
    if (!m_pDownloadThread)
        return;
    const std::wstring downloaded = JobResultPath(jobId);
    if (downloaded.empty())
        return;
    ReadRemoteConfig(downloaded, GetModulePath(false), [this](const std::wstring& path) { CheckClientVersion(path); });
    // An update queued by the check starts now.
    ::SetEvent(m_pDownloadThread->m_hJobEvent);
    ::DeleteFileW(downloaded.c_str());
}

void CMainFrame::CheckClientVersion(const std::wstring& path)
{
    const RemoteVersion record = ReadVersionRecord(path);
    if (IsNewerVersion(record.version))
        AddDownloadJob(record.url, WM_UPDATE_DOWNLOADED);
}

void CMainFrame::OnUpdateDownloaded(int jobId)
{
    if (!m_pDownloadThread)
        return;
    const std::wstring program = JobResultPath(jobId);
    if (program.empty())
        return;
    // Quoted: an unquoted path with a blank could start another program.
    RunCommandLine(L"\"" + program + L"\"");
    if (m_pGameWnd)
        m_pGameWnd->ShowWnd(FALSE);
    if (m_pHtmlWnd)
        m_pHtmlWnd->ShowWnd(FALSE);
    PostMessage(WM_COMMAND, ID_APP_EXIT, 0);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(wParam, lParam);
    case WM_SETFOCUS:
        if (m_wndView.GetSafeHwnd())
            ::SetFocus(m_wndView.GetSafeHwnd());
        return 0;
    case WM_TRAY_NOTIFY:
        return OnTrayNotify(wParam, lParam);
    case WM_CONFIG_DOWNLOADED:
        OnConfigDownloaded(static_cast<int>(lParam));
        return 0;
    case WM_UPDATE_DOWNLOADED:
        OnUpdateDownloaded(static_cast<int>(lParam));
        return 0;
    case WM_GAME_CLOSED:
        OnGameClosed();
        return 0;
    }
    return CFrameWnd::WindowProc(msg, wParam, lParam);
}
