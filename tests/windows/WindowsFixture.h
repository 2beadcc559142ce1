// Process-wide state the skinned windows read, set up and reset per test:
// the built-in configuration and skin, a stand-in main frame.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/ShellFakes.h"
#include "config/ClientConfig.h"
#include "platform/MessageBox.h"
#include "platform/Resource.h"
#include "resource.h"
#include "skin/SkinManager.h"

class WindowsTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_config = std::make_unique<CClientConfig>();
        ASSERT_TRUE(m_config->LoadDocument(LoadResourceBytes(IDR_CONFIG_XML, L"XML")));
        g_pConfig = m_config.get();
        g_pMainFrame = &frame;
        ASSERT_NE(CSkinManager::GetInstance(), nullptr);
    }
    void TearDown() override
    {
        SetMessageBoxHook(nullptr);
        delete CSkinManager::GetInstance();
        g_pMainFrame = nullptr;
        g_pHtmlWnd = nullptr;
        g_pConfig = nullptr;
    }
    // Replaces the built-in skin for this test.
    static void UseSkin(const std::string& text)
    {
        ASSERT_TRUE(CSkinManager::GetInstance()->LoadSkinText(text));
    }

    FakeFrame frame;

private:
    std::unique_ptr<CClientConfig> m_config;
};

inline RECT WindowRect(HWND wnd)
{
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

inline RECT WorkArea()
{
    RECT r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}
