// The hidden main frame: owner of the launcher, the game window, the skin
// and the download thread; keeps the tray icon, receives the client's
// private messages and decides what the user sees first. Other programs
// find a running client by its window class, named by the configuration.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "app/ChildView.h"
#include "browser/ShellLinks.h"
#include "platform/FrameWnd.h"
#include "platform/ScopedWin.h"
#include "work/DownloadThread.h"

class CHtmlWnd;
class CGameWnd;
class CSkinManager;

class CMainFrame : public CFrameWnd, public IShellFrame {
public:
    static constexpr UINT kTrayIconId = 200;
    static constexpr UINT kTrayShowCommand = 201;
    static constexpr DWORD kThreadWaitMs = 3000;

    CMainFrame();
    ~CMainFrame() override;

    void OpenGame(const std::wstring& url) override;
    void CloseGame() override;
    std::wstring BuildGameUrl(int mode) override;
    HWND FrameWindow() const override { return m_hWnd; }
    HWND GameWindow() const override;

    void AddDownloadJob(const std::wstring& url, UINT message);
    void ShowActiveWindow();
    // What a command chosen from the tray menu does.
    void OnTrayCommand(UINT command);

    std::wstring m_strServerId;
    std::wstring m_strStartUrl;
    CChildView m_wndView;
    std::unique_ptr<CHtmlWnd> m_pHtmlWnd;
    CSkinManager* m_pSkin = nullptr; // owned
    std::unique_ptr<CGameWnd> m_pGameWnd;
    std::unique_ptr<CGameWnd> m_pRetiredGameWnd;
    std::unique_ptr<CDownloadThread> m_pDownloadThread;
    ScopedMenu m_menuTray;
    BOOL m_bGameActive = FALSE;
    NOTIFYICONDATAW m_nid{};

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

private:
    int OnCreate(WPARAM wParam, LPARAM lParam);
    std::unique_ptr<CGameWnd> CreateGameWindow(DWORD exStyle);
    void ShowFirstWindow();
    void OnGameClosed();

    void AddTrayIcon();
    void RemoveTrayIcon();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void ShowTrayMenu();

    void RequestRemoteConfig();
    void OnConfigDownloaded(int jobId);
    void CheckClientVersion(const std::wstring& path);
    void OnUpdateDownloaded(int jobId);
    std::wstring JobResultPath(int jobId) const;
};
