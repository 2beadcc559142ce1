// Stand-ins for the main frame and the launcher as the browser views and
// the skinned windows reach them.
#pragma once

#include <string>
#include <vector>

#include "browser/ShellLinks.h"

struct FakeLauncher : ILauncherWindow {
    int hidden = 0, shown = 0, quitQuestions = 0, chooseShown = 0;
    void ShowWnd(BOOL show) override { ++(show ? shown : hidden); }
    void ConfirmQuit() override { ++quitQuestions; }
    void ShowChoose() override { ++chooseShown; }
};

struct FakeFrame : IShellFrame {
    std::vector<std::wstring> opened;
    int closed = 0;
    HWND frame = nullptr;
    HWND game = nullptr;
    std::wstring gameUrl;           // what BuildGameUrl answers
    std::vector<int> gameUrlModes;  // the modes it was asked with
    void OpenGame(const std::wstring& url) override { opened.push_back(url); }
    void CloseGame() override { ++closed; }
    std::wstring BuildGameUrl(int mode) override
    {
        gameUrlModes.push_back(mode);
        return gameUrl;
    }
    HWND FrameWindow() const override { return frame; }
    HWND GameWindow() const override { return game; }
};
