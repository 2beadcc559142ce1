#include <windows.h>
#include <mshtmhst.h>
#include <urlmon.h>

#include "browser/BrowserFakes.h"
#include "browser/DocHostSite.h"
#include "browser/IEView.h"
#include "platform/ComPtr.h"

namespace {

class DocHostSiteTest : public BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        m_site = new CDocHostSite(nullptr, &m_view);
    }
    void TearDown() override
    {
        m_site->Release();
        BrowserTest::TearDown();
    }
    template <typename T>
    ComPtr<T> Query()
    {
        ComPtr<T> p;
        EXPECT_HRESULT_SUCCEEDED(m_site->QueryInterface(__uuidof(T), p.PutVoid()));
        return p;
    }

    CIEView m_view;
    CDocHostSite* m_site = nullptr;
};

TEST_F(DocHostSiteTest, HostInfoAndExternalComeFromTheView)
{
    auto handler = Query<IDocHostUIHandler>();
    ASSERT_TRUE(handler);
    DOCHOSTUIINFO info{};
    info.dwFlags = 0xFFFFFFFF;
    info.dwDoubleClick = 7;
    ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.cbSize, sizeof(DOCHOSTUIINFO));
    EXPECT_EQ(info.dwFlags, 0x4000Cu);
    EXPECT_EQ(info.dwDoubleClick, static_cast<DWORD>(DOCHOSTUIDBLCLK_DEFAULT));

    ComPtr<IDispatch> external;
    ASSERT_EQ(handler->GetExternal(external.Put()), S_OK);
    ComPtr<IDispatch> expected;
    expected.Attach(m_view.GetExternalDispatch());
    EXPECT_EQ(external.Get(), expected.Get());

    EXPECT_EQ(handler->ShowContextMenu(0, nullptr, nullptr, nullptr), S_FALSE);
    EXPECT_EQ(handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_FALSE);
    EXPECT_EQ(handler->HideUI(), S_OK);
    EXPECT_EQ(handler->UpdateUI(), S_OK);
    EXPECT_EQ(handler->EnableModeless(TRUE), S_OK);
    EXPECT_EQ(handler->OnDocWindowActivate(TRUE), S_OK);
    EXPECT_EQ(handler->OnFrameWindowActivate(TRUE), S_OK);
    EXPECT_EQ(handler->ResizeBorder(nullptr, nullptr, TRUE), S_OK);
    EXPECT_EQ(handler->TranslateAccelerator(nullptr, nullptr, 0), E_NOTIMPL);
    LPOLESTR key = reinterpret_cast<LPOLESTR>(1);
    EXPECT_EQ(handler->GetOptionKeyPath(&key, 0), S_FALSE);
    EXPECT_EQ(key, nullptr);
    IDropTarget* drop = reinterpret_cast<IDropTarget*>(1);
    EXPECT_EQ(handler->GetDropTarget(nullptr, &drop), S_FALSE);
    EXPECT_EQ(drop, nullptr);
    LPWSTR translated = reinterpret_cast<LPWSTR>(1);
    EXPECT_EQ(handler->TranslateUrl(0, const_cast<LPWSTR>(L"http://a/"), &translated), S_FALSE);
    EXPECT_EQ(translated, nullptr);
    EXPECT_EQ(handler->FilterDataObject(nullptr, nullptr), S_FALSE);
}

TEST_F(DocHostSiteTest, SecondHandlerAndShowUiAnswerDefaults)
{
    auto handler2 = Query<IDocHostUIHandler2>();
    ASSERT_TRUE(handler2);
    DOCHOSTUIINFO info{};
    EXPECT_EQ(handler2->GetHostInfo(&info), S_FALSE);
    EXPECT_EQ(info.dwFlags, 0u);
    LPOLESTR key = reinterpret_cast<LPOLESTR>(1);
    EXPECT_EQ(handler2->GetOverrideKeyPath(&key, 0), S_FALSE);
    EXPECT_EQ(key, nullptr);
    IDispatch* external = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(handler2->GetExternal(&external), S_FALSE);
    EXPECT_EQ(external, nullptr);
    EXPECT_EQ(handler2->HideUI(), S_FALSE);

    auto showUi = Query<IDocHostShowUI>();
    ASSERT_TRUE(showUi);
    LRESULT result = 0;
    EXPECT_EQ(showUi->ShowMessage(nullptr, nullptr, nullptr, 0, nullptr, 0, &result), S_FALSE);
    EXPECT_EQ(showUi->ShowHelp(nullptr, nullptr, 0, 0, POINT{}, nullptr), E_NOTIMPL);

    // The site's interfaces share one identity.
    ComPtr<IUnknown> a, b;
    ASSERT_HRESULT_SUCCEEDED(showUi->QueryInterface(IID_IUnknown, a.PutVoid()));
    ASSERT_HRESULT_SUCCEEDED(handler2->QueryInterface(IID_IUnknown, b.PutVoid()));
    EXPECT_EQ(a.Get(), b.Get());
    ComPtr<IOleClientSite> clientSite;
    EXPECT_HRESULT_SUCCEEDED(handler2->QueryInterface(IID_IOleClientSite, clientSite.PutVoid()));
}

TEST_F(DocHostSiteTest, UrlActionPolicyByActionAndBufferSize)
{
    auto manager = Query<IInternetSecurityManager>();
    ASSERT_TRUE(manager);
    constexpr DWORD kUntouched = 0xABABABAB;
    const struct {
        DWORD action;
        DWORD bufferSize;
        HRESULT result;
        DWORD policy;
    } cases[] = {
        {0x1200, 4, S_OK, URLPOLICY_ALLOW},          {0x13FF, 4, S_OK, URLPOLICY_ALLOW},
        {0x1201, 8, S_OK, URLPOLICY_ALLOW},          {0x1200, 3, S_FALSE, kUntouched},
        {0x1400, 4, S_OK, URLPOLICY_ALLOW},          {0x15FF, 4, S_OK, URLPOLICY_ALLOW},
        {0x1406, 4, S_OK, URLPOLICY_DISALLOW},       {0x1406, 0, S_FALSE, kUntouched},
        {0x1605, 4, INET_E_DEFAULT_ACTION, kUntouched}, {0x1C00, 4, INET_E_DEFAULT_ACTION, kUntouched},
        {0x1CFF, 4, INET_E_DEFAULT_ACTION, kUntouched}, {0x11FF, 4, INET_E_DEFAULT_ACTION, kUntouched},
        {0x1600, 4, INET_E_DEFAULT_ACTION, kUntouched}, {0x2000, 4, INET_E_DEFAULT_ACTION, kUntouched},
    };
    for (const auto& c : cases) {
        DWORD buffer[2] = {kUntouched, kUntouched};
        EXPECT_EQ(manager->ProcessUrlAction(L"http://any/", c.action, reinterpret_cast<BYTE*>(buffer), c.bufferSize,
                                            nullptr, 0, 0, 0),
                  c.result)
            << std::hex << c.action;
        EXPECT_EQ(buffer[0], c.policy) << std::hex << c.action;
        EXPECT_EQ(buffer[1], kUntouched) << std::hex << c.action;
    }
    DWORD zone = 0;
    EXPECT_EQ(manager->MapUrlToZone(L"http://any/", &zone, 0), INET_E_DEFAULT_ACTION);
}

TEST_F(DocHostSiteTest, ServiceProviderHandsOutOnlyTheSecurityManager)
{
    auto provider = Query<IServiceProvider>();
    ASSERT_TRUE(provider);
    ComPtr<IInternetSecurityManager> manager;
    ASSERT_EQ(provider->QueryService(__uuidof(IInternetSecurityManager), __uuidof(IInternetSecurityManager), manager.PutVoid()),
              S_OK);
    EXPECT_TRUE(manager);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(provider->QueryService(__uuidof(IInternetSecurityManager), IID_IUnknown, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(provider->QueryService(__uuidof(IDocHostUIHandler), __uuidof(IDocHostUIHandler), &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
}

} // namespace
