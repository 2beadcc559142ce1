// The process-wide state a browser view reads, set up and reset per test,
// with stand-ins for the main frame and the launcher.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/ShellFakes.h"
#include "config/ClientConfig.h"

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
