// The game window: a framed skinned window whose body is the game's
// browser under a toolbar; resizable by its borders, maximisable, and
// closed through the browser's "about:blank3" handshake with the main frame.
#pragma once

#include "browser/IEView.h"
#include "windows/SkinWnd2.h"

class CGameWnd : public CSkinWnd2 {
public:
    explicit CGameWnd(std::wstring skinName);
    ~CGameWnd() override;

    void OnSkinButton(const SKIN_BTN& button) override;
    // Ends the game: the browser goes to the marker address; the main frame
    // retires and deletes the window when the browser reports it.
    void OnCloseCommand() override;

    void ApplyMaximize();
    void NavigateGame(const std::wstring& url);

    BOOL PreTranslateMessage(MSG* msg) override;

    CIEView m_view;
    int m_bMaximized = 0;
    int m_nSizeZone = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int OnCreate(WPARAM wParam, LPARAM lParam);
    void PlaceBrowser();
    void ReloadGame();
    void Refresh();
    void OnMouseMove(LPARAM lParam);
    void OnLButtonDown(LPARAM lParam);
    void ShowButton(const wchar_t* name, int show);
};
