// What the browser views ask of the windows around them. The main frame and
// the launcher implement these; tests put their own in place.
#pragma once

#include <windows.h>
#include <string>

class ILauncherWindow {
public:
    virtual void ShowWnd(BOOL show) = 0;
    virtual void ConfirmQuit() = 0;
    virtual void ShowChoose() = 0;

protected:
    ~ILauncherWindow() = default;
};

class IShellFrame {
public:
    virtual void OpenGame(const std::wstring& url) = 0;
    virtual void CloseGame() = 0;
    // The game address, asked anew (mode 1 when the game window reloads).
    virtual std::wstring BuildGameUrl(int mode) = 0;
    // The frame's own window, receiver of posted notifications.
    virtual HWND FrameWindow() const = 0;
    // The current game window, else the one being closed, else null.
    virtual HWND GameWindow() const = 0;

protected:
    ~IShellFrame() = default;
};

// Set by the main frame while it exists.
extern IShellFrame* g_pMainFrame;
// The launcher window, set by the main frame when it creates it.
extern ILauncherWindow* g_pHtmlWnd;
