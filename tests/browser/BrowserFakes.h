// Stand-ins for the main frame and the launcher, and the process-wide
// state a browser view reads, set up and reset per test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/ShellLinks.h"
#include "config/ClientConfig.h"

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
    void OpenGame(const std::wstring& url) override { opened.push_back(url); }
    void CloseGame() override { ++closed; }
    std::wstring gameUrl;
    std::vector<int> gameUrlModes;
    std::wstring BuildGameUrl(int mode) override
    {
        gameUrlModes.push_back(mode);
        return gameUrl;
    }
    HWND FrameWindow() const override { return frame; }
    HWND GameWindow() const override { return game; }
};

class BrowserTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_config = std::make_unique<CClientConfig>();
        SetConfig("do=entergame", "login.php");
        g_pConfig = m_config.get();
        g_pMainFrame = &frame;
        g_pHtmlWnd = &launcher;
    }
    void TearDown() override
    {
        g_pMainFrame = nullptr;
        g_pHtmlWnd = nullptr;
        g_pConfig = nullptr;
    }
    void SetConfig(const std::string& gameCheck, const std::string& loginCheck)
    {
        ASSERT_TRUE(m_config->LoadDocument("<R><CONFIG gameCheck=\"" + gameCheck + "\" loginCheck=\"" + loginCheck +
                                           "\"/></R>"));
    }

    FakeFrame frame;
    FakeLauncher launcher;

private:
    std::unique_ptr<CClientConfig> m_config;
};
