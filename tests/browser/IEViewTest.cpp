#include <windows.h>
#include <exdispid.h>

#include "browser/BrowserFakes.h"
#include "browser/IEView.h"
#include "browser/IEWnd.h"
#include "app/ClientMessages.h"
#include "common/LocalHttpServer.h"
#include "common/TestWindows.h"
#include "platform/ComPtr.h"

namespace {

// A view whose page address the test decides, and that records the
// external "Invoke_Client" calls.
class TestView : public CIEView {
public:
    std::wstring location;
    std::vector<std::wstring> invoked;
    std::wstring CurrentLocation() const override { return location; }
    void OnInvokeClient(const std::wstring& name, IDispatch* callback) override
    {
        invoked.push_back(name);
        EXPECT_NE(callback, nullptr);
    }
};

class IEViewTest : public BrowserTest {
protected:
    void Create(TestView& view, HWND parent)
    {
        ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 1, 1}, parent, kBrowserViewId));
        ASSERT_NE(view.GetBrowser(), nullptr);
    }
    ComPtr<IDispatch> Application(TestView& view)
    {
        ComPtr<IDispatch> app;
        EXPECT_HRESULT_SUCCEEDED(view.GetBrowser()->get_Application(app.Put()));
        return app;
    }
    static VARIANT_BOOL Navigate(TestView& view, IDispatch* disp, const wchar_t* url)
    {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocString(url);
        VARIANT empty;
        ::VariantInit(&empty);
        VARIANT_BOOL cancel = VARIANT_FALSE;
        view.BeforeNavigate2(disp, &v, &empty, &empty, &empty, &empty, &cancel);
        ::VariantClear(&v);
        return cancel;
    }

    RecordingWindow launcherPopup{WS_POPUP};
    RecordingWindow gameWindow{WS_POPUP};
};

TEST_F(IEViewTest, TopLevelNavigationsAreExaminedFramesAreNot)
{
    TestView view;
    Create(view, launcherPopup.Hwnd());
    ComPtr<IDispatch> app = Application(view);
    ASSERT_TRUE(app);

    EXPECT_EQ(Navigate(view, app.Get(), L"APP://MINIMIZE|"), VARIANT_TRUE);
    EXPECT_EQ(launcher.hidden, 1);
    EXPECT_EQ(Navigate(view, app.Get(), L"app://exitgame|"), VARIANT_TRUE);
    EXPECT_EQ(launcher.quitQuestions, 1);
    EXPECT_EQ(Navigate(view, app.Get(), L"http://h/login.php"), VARIANT_FALSE);
    EXPECT_EQ(launcher.chooseShown, 1);
    EXPECT_EQ(Navigate(view, app.Get(), L"app://loadgame|http://Game/Play?do=entergame"), VARIANT_TRUE);
    ASSERT_EQ(frame.opened.size(), 1u);
    EXPECT_EQ(frame.opened[0], L"http://Game/Play?do=entergame");

    // Any other dispatch is a frame inside the page: nothing happens.
    ComPtr<IDispatch> other;
    other.Attach(view.GetExternalDispatch());
    EXPECT_EQ(Navigate(view, other.Get(), L"app://exitgame|"), VARIANT_FALSE);
    EXPECT_EQ(Navigate(view, nullptr, L"app://exitgame|"), VARIANT_FALSE);
    EXPECT_EQ(launcher.quitQuestions, 1);
}

TEST_F(IEViewTest, GameWindowViewNavigatesToGameAddressesFreely)
{
    TestView view;
    Create(view, gameWindow.Hwnd());
    frame.game = gameWindow.Hwnd();
    ComPtr<IDispatch> app = Application(view);
    EXPECT_EQ(Navigate(view, app.Get(), L"http://h/?do=entergame"), VARIANT_FALSE);
    EXPECT_TRUE(frame.opened.empty());
    // The command links act on the launcher from here too.
    EXPECT_EQ(Navigate(view, app.Get(), L"app://minimize|"), VARIANT_TRUE);
    EXPECT_EQ(launcher.hidden, 1);
}

TEST_F(IEViewTest, NewWindowWithTheGameAddressOpensTheGame)
{
    TestView view;
    Create(view, launcherPopup.Hwnd());
    VARIANT_BOOL cancel = VARIANT_FALSE;
    BSTR url = ::SysAllocString(L"http://h/?DO=ENTERGAME");
    view.NewWindow3(nullptr, &cancel, 0, nullptr, url);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    ASSERT_EQ(frame.opened.size(), 1u);
    EXPECT_EQ(frame.opened[0], L"http://h/?DO=ENTERGAME");
    ::SysFreeString(url);

    cancel = VARIANT_FALSE;
    url = ::SysAllocString(L"http://h/other");
    view.NewWindow3(nullptr, &cancel, 0, nullptr, url);
    EXPECT_EQ(cancel, VARIANT_FALSE);
    EXPECT_EQ(frame.opened.size(), 1u);
    ::SysFreeString(url);
}

// The real control: a navigation cancelled in BeforeNavigate2 never reaches
// the server, one that is not cancelled does.
TEST_F(IEViewTest, CancelledNavigationDoesNotHappen)
{
    LocalHttpServer server;
    server.SetReply("/portal/index.php", {200, "<html><body>entry</body></html>"});
    server.SetReply("/other", {200, "<html><body>other</body></html>"});
    SetConfig("127.0.0.1:" + std::to_string(server.Port()) + "/portal/index.php?do=entergame", "");

    TestView view;
    Create(view, launcherPopup.Hwnd());
    view.Navigate(server.WideUrl("/portal/index.php?do=entergame").c_str());
    ASSERT_TRUE(PumpUntil([&] { return !frame.opened.empty(); }));
    EXPECT_EQ(frame.opened[0], server.WideUrl("/portal/index.php?do=entergame"));

    view.Navigate(server.WideUrl("/other").c_str());
    ASSERT_TRUE(PumpUntil([&] { return server.CountRequests("/other") > 0; }, 10000));
    EXPECT_EQ(server.CountRequests("/portal/index.php"), 0u);
    EXPECT_EQ(frame.opened.size(), 1u);
}

TEST_F(IEViewTest, CloseHandshakeOnlyFromTheGameWindow)
{
    RecordingWindow frameWindow;
    frame.frame = frameWindow.Hwnd();
    frame.game = gameWindow.Hwnd();
    VARIANT marker;
    ::VariantInit(&marker);
    marker.vt = VT_BSTR;
    marker.bstrVal = ::SysAllocString(L"ABOUT:BLANK3");

    TestView launcherView;
    Create(launcherView, launcherPopup.Hwnd());
    launcherView.location = L"about:blank3";
    launcherView.OnNavigateComplete2(L"about:blank3");
    launcherView.DocumentComplete(nullptr, &marker);

    TestView gameView;
    Create(gameView, gameWindow.Hwnd());
    gameView.location = L"about:blank";
    gameView.OnNavigateComplete2(L"about:blank3"); // the browser's address counts, not the event's
    PumpMessages();
    EXPECT_EQ(frame.closed, 0);
    EXPECT_EQ(frameWindow.Count(WM_GAME_CLOSED), 0u);

    gameView.location = L"about:blank3";
    gameView.OnNavigateComplete2(L"");
    EXPECT_EQ(frame.closed, 1);
    gameView.DocumentComplete(nullptr, &marker);
    // Posted, not sent: it arrives only when messages are dispatched.
    EXPECT_EQ(frameWindow.Count(WM_GAME_CLOSED), 0u);
    PumpMessages();
    EXPECT_EQ(frameWindow.Count(WM_GAME_CLOSED), 1u);
    ::VariantClear(&marker);
}

HRESULT CallByName(IDispatch* external, const wchar_t* name, std::vector<VARIANT> args)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = external->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    // Dispatch arguments go in reverse order.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    ::VariantInit(&result);
    hr = external->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    ::VariantClear(&result);
    return hr;
}

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(text);
    return v;
}

TEST_F(IEViewTest, ExternalObjectAsAPageCallsIt)
{
    std::wstring seenName;
    gameWindow.onMessage = [&](const RecordingWindow::Message& m) {
        if (m.msg == WM_GET_GS_NAME)
            seenName = reinterpret_cast<const wchar_t*>(m.lParam);
    };
    TestView view;
    Create(view, launcherPopup.Hwnd());
    ComPtr<IDispatch> external;
    ASSERT_HRESULT_SUCCEEDED(view.OnGetExternal(external.Put()));

    // Without a game window the messages go nowhere.
    EXPECT_HRESULT_SUCCEEDED(CallByName(external.Get(), L"getNewMsg", {Text(L"x")}));
    frame.game = gameWindow.Hwnd();
    EXPECT_HRESULT_SUCCEEDED(CallByName(external.Get(), L"getGsName", {Text(L"S12 server")}));
    EXPECT_EQ(seenName, L"S12 server");
    EXPECT_HRESULT_SUCCEEDED(CallByName(external.Get(), L"GETNEWMSG", {Text(L"x")}));
    ASSERT_EQ(gameWindow.Count(WM_GET_NEW_MSG), 1u);
    ASSERT_EQ(gameWindow.Count(WM_GET_GS_NAME), 1u);
    for (const auto& m : gameWindow.Received()) {
        EXPECT_EQ(m.wParam, 0u);
        if (m.msg == WM_GET_NEW_MSG)
            EXPECT_EQ(m.lParam, 0);
    }

    VARIANT none;
    ::VariantInit(&none);
    none.vt = VT_DISPATCH;
    none.pdispVal = nullptr;
    EXPECT_EQ(CallByName(external.Get(), L"Invoke_Client", {Text(L"pay"), none}), E_POINTER);
    VARIANT callback;
    ::VariantInit(&callback);
    callback.vt = VT_DISPATCH;
    callback.pdispVal = external.Get();
    EXPECT_HRESULT_SUCCEEDED(CallByName(external.Get(), L"Invoke_Client", {Text(L"pay"), callback}));
    ASSERT_EQ(view.invoked.size(), 1u);
    EXPECT_EQ(view.invoked[0], L"pay");

    EXPECT_EQ(CallByName(external.Get(), L"noSuchMember", {}), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(CallByName(external.Get(), L"getGsName", {}), DISP_E_BADPARAMCOUNT);
}

TEST_F(IEViewTest, ExternalBrowserEventIdsReachTheSameHandlers)
{
    RecordingWindow frameWindow;
    frame.frame = frameWindow.Hwnd();
    frame.game = gameWindow.Hwnd();
    TestView view;
    Create(view, launcherPopup.Hwnd());
    ComPtr<IDispatch> app = Application(view);
    ComPtr<IDispatch> external;
    ASSERT_HRESULT_SUCCEEDED(view.OnGetExternal(external.Put()));

    VARIANT url = Text(L"app://minimize|");
    VARIANT empty;
    ::VariantInit(&empty);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[7];
    for (auto& a : args)
        ::VariantInit(&a);
    // Reverse order: Cancel first, the dispatch last.
    args[0].vt = VT_BOOL | VT_BYREF;
    args[0].pboolVal = &cancel;
    for (int i = 1; i <= 4; ++i) {
        args[i].vt = VT_VARIANT | VT_BYREF;
        args[i].pvarVal = &empty;
    }
    args[5].vt = VT_VARIANT | VT_BYREF;
    args[5].pvarVal = &url;
    args[6].vt = VT_DISPATCH;
    args[6].pdispVal = app.Get();
    DISPPARAMS params{args, nullptr, 7, 0};
    EXPECT_HRESULT_SUCCEEDED(
        external->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr));
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(launcher.hidden, 1);

    TestView gameView;
    Create(gameView, gameWindow.Hwnd());
    ComPtr<IDispatch> gameExternal;
    ASSERT_HRESULT_SUCCEEDED(gameView.OnGetExternal(gameExternal.Put()));
    VARIANT marker = Text(L"about:blank3");
    VARIANT done[2];
    ::VariantInit(&done[0]);
    ::VariantInit(&done[1]);
    done[0].vt = VT_VARIANT | VT_BYREF;
    done[0].pvarVal = &marker;
    done[1].vt = VT_DISPATCH;
    done[1].pdispVal = nullptr;
    DISPPARAMS doneParams{done, nullptr, 2, 0};
    EXPECT_HRESULT_SUCCEEDED(gameExternal->Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &doneParams,
                                                  nullptr, nullptr, nullptr));
    PumpMessages();
    EXPECT_EQ(frameWindow.Count(WM_GAME_CLOSED), 1u);
    ::VariantClear(&url);
    ::VariantClear(&marker);
}

TEST_F(IEViewTest, TitleChangeIsSentToTheParent)
{
    std::wstring title;
    launcherPopup.onMessage = [&](const RecordingWindow::Message& m) {
        if (m.msg == WM_VIEW_TITLE)
            title = reinterpret_cast<const wchar_t*>(m.lParam);
    };
    TestView view;
    Create(view, launcherPopup.Hwnd());
    view.OnTitleChange(L"Portal");
    EXPECT_EQ(title, L"Portal");
    EXPECT_EQ(launcherPopup.Count(WM_VIEW_TITLE), 1u);
}

TEST(IEWnd, PopupHoldsAViewFillingItsClientArea)
{
    RecordingWindow owner{WS_POPUP};
    CIEWnd popup;
    ASSERT_TRUE(popup.Create(owner.Hwnd(), 0, WS_POPUP));
    HWND view = popup.m_view.GetSafeHwnd();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(view), static_cast<int>(kBrowserViewId));
    EXPECT_EQ(::GetWindow(popup.GetSafeHwnd(), GW_OWNER), owner.Hwnd());
    EXPECT_FALSE(::IsWindowVisible(popup.GetSafeHwnd()));
    ::SetWindowPos(popup.GetSafeHwnd(), nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT popupClient{}, viewRect{};
    ::GetClientRect(popup.GetSafeHwnd(), &popupClient);
    ::GetWindowRect(view, &viewRect);
    EXPECT_EQ(viewRect.right - viewRect.left, popupClient.right);
    EXPECT_EQ(viewRect.bottom - viewRect.top, popupClient.bottom);
    EXPECT_NE(popup.m_view.GetBrowser(), nullptr);
}

} // namespace
