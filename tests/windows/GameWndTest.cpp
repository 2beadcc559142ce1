#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "app/ClientMessages.h"
#include "common/LocalHttpServer.h"
#include "common/TestWindows.h"
#include "windows/BorderZones.h"
#include "windows/GameWnd.h"
#include "windows/WindowsFixture.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

class GameWndTest : public WindowsTest {
protected:
    void Create(CGameWnd& game)
    {
        ASSERT_TRUE(game.Create(::GetDesktopWindow(), WS_EX_APPWINDOW, kStyle));
        frame.game = game.GetSafeHwnd();
    }
    static RECT ChildRect(HWND parent, HWND child)
    {
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Whether the button puts any pixel into a picture of its parent.
    static bool DrawsSomething(CSkinButton& button)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 800, -600, 1, 32, BI_RGB};
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        button.Draw(dc);
        ::GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        const bool drawn = std::any_of(pixels, pixels + 800 * 600, [](uint32_t p) { return p != 0; });
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::DeleteObject(bitmap);
        return drawn;
    }
    static bool Visible(CGameWnd& game, const wchar_t* name)
    {
        CSkinButton* button = nullptr;
        EXPECT_TRUE(game.FindButton(name, &button)) << testing::PrintToString(std::wstring(name));
        return button && (::GetWindowLongW(button->GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE);
    }
};

TEST_F(GameWndTest, CreatedHiddenWithVersionTitleAndBrowserOverTheArea)
{
    CGameWnd game(L"GAMEWND");
    Create(game);
    HWND wnd = game.GetSafeHwnd();
    EXPECT_FALSE(::IsWindowVisible(wnd));
    wchar_t title[128] = {};
    ::GetWindowTextW(wnd, title, 128);
    EXPECT_EQ(std::wstring(title), VersionText());
    HWND view = game.m_view.GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(view));
    EXPECT_EQ(::GetDlgCtrlID(view), 131);
    EXPECT_EQ(::GetParent(view), wnd);
    // At its design size the browser covers the "ie" area.
    const RECT atDesign = ChildRect(wnd, view);
    EXPECT_EQ(atDesign.left, 2);
    EXPECT_EQ(atDesign.top, 32);
    EXPECT_EQ(atDesign.right, 1248);
    EXPECT_EQ(atDesign.bottom, 688);

    ::SetWindowPos(wnd, nullptr, 0, 0, 1600, 900, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT large = ChildRect(wnd, view);
    EXPECT_EQ(large.left, 2);
    EXPECT_EQ(large.top, 32);
    EXPECT_EQ(large.right, 1598);
    EXPECT_EQ(large.bottom, 898);

    MINMAXINFO info{};
    game.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 1250);
    EXPECT_EQ(info.ptMinTrackSize.y, 690);
    const RECT work = WorkArea();
    EXPECT_EQ(info.ptMaxSize.x, work.right - work.left);
    EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top);
}

TEST_F(GameWndTest, MaximiseAndRestoreSwapTheirButtons)
{
    CGameWnd game(L"GAMEWND");
    Create(game);
    EXPECT_TRUE(Visible(game, L"max"));
    EXPECT_FALSE(Visible(game, L"restore"));

    CSkinButton* max = nullptr;
    ASSERT_TRUE(game.FindButton(L"max", &max));
    max->SendMessage(BM_CLICK);
    EXPECT_EQ(game.m_bMaximized, 1);
    EXPECT_EQ(game.m_bMovable, 0);
    EXPECT_FALSE(Visible(game, L"max"));
    EXPECT_TRUE(Visible(game, L"restore"));
    EXPECT_TRUE(::IsZoomed(game.GetSafeHwnd()));
    const RECT work = WorkArea();
    const RECT r = WindowRect(game.GetSafeHwnd());
    EXPECT_EQ(r.right - r.left, work.right - work.left);
    EXPECT_EQ(r.bottom - r.top, work.bottom - work.top);

    CSkinButton* restore = nullptr;
    ASSERT_TRUE(game.FindButton(L"restore", &restore));
    restore->SendMessage(BM_CLICK);
    EXPECT_EQ(game.m_bMaximized, 0);
    EXPECT_EQ(game.m_bMovable, 1);
    EXPECT_TRUE(Visible(game, L"max"));
    EXPECT_FALSE(Visible(game, L"restore"));
    EXPECT_FALSE(::IsZoomed(game.GetSafeHwnd()));
}

TEST_F(GameWndTest, DoubleClickInTheTitleBandToggles)
{
    CGameWnd game(L"GAMEWND");
    Create(game);
    game.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(600, 51));
    EXPECT_EQ(game.m_bMaximized, 0);
    game.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(600, 50));
    EXPECT_EQ(game.m_bMaximized, 1);
    game.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(600, 0));
    EXPECT_EQ(game.m_bMaximized, 0);
}

TEST(BorderZones, Table)
{
    const int R = 1250, B = 690, b = 2;
    const struct {
        int x, y, zone;
        SizeCursor cursor;
    } cases[] = {
        {5, 300, 0, SizeCursor::Arrow},          {1, 300, 10, SizeCursor::SizeWE},
        {2, 300, 10, SizeCursor::SizeWE},        {3, 300, 0, SizeCursor::Arrow},
        {R - 2, 300, 11, SizeCursor::SizeWE},    {600, 2, 12, SizeCursor::SizeNS},
        {600, B - 2, 15, SizeCursor::SizeNS},    {8, 8, 13, SizeCursor::SizeNWSE},
        {10, 10, 13, SizeCursor::SizeNWSE},      {11, 10, 0, SizeCursor::Arrow},
        {R - 10, 10, 14, SizeCursor::SizeNESW},  {10, B - 10, 16, SizeCursor::SizeNESW},
        {R - 10, B - 10, 17, SizeCursor::SizeNWSE}, {600, 300, 0, SizeCursor::Arrow},
    };
    for (const auto& c : cases) {
        const SizeZone z = BorderZoneAt(c.x, c.y, R, B, b);
        EXPECT_EQ(z.zone, c.zone) << c.x << "," << c.y;
        EXPECT_EQ(z.cursor, c.cursor) << c.x << "," << c.y;
        EXPECT_EQ(CursorForZone(z.zone), c.cursor) << c.x << "," << c.y;
    }
    EXPECT_EQ(SizeCommandFor(10), 0xF001);
    EXPECT_EQ(SizeCommandFor(17), 0xF008);
}

TEST_F(GameWndTest, MouseOverTheBordersSetsZoneAndCursor)
{
    CGameWnd game(L"GAMEWND");
    Create(game);
    const struct {
        int x, y, zone;
        const wchar_t* cursor;
    } cases[] = {{5, 300, 0, IDC_ARROW}, {1, 300, 10, IDC_SIZEWE}, {8, 8, 13, IDC_SIZENWSE},
                 {1249, 689, 17, IDC_SIZENWSE}, {1249, 0, 14, IDC_SIZENESW}};
    for (const auto& c : cases) {
        game.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(game.m_nSizeZone, c.zone) << c.x << "," << c.y;
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, c.cursor)) << c.x << "," << c.y;
    }
}

TEST_F(GameWndTest, VipButtonTakesTheServerNameAndBlinksOnce)
{
    UseSkin(R"(<?xml version="1.0"?>
<CLIENTSKIN><FONT name="title" size="12" family="Arial"/>
  <GAMEWND width="600" height="400" titleHeight="50" border="2">
    <RECT name="ie" left="2" top="32" width="596" height="366" strech="3"/>
    <BTN name="vip" stand="337" left="10" top="2" align="TopRight" font="title"/>
  </GAMEWND></CLIENTSKIN>)");
    CGameWnd game(L"GAMEWND");
    Create(game);
    CSkinButton* vip = nullptr;
    ASSERT_TRUE(game.FindButton(L"vip", &vip));
    const std::wstring name = L"S12";
    game.SendMessage(WM_GET_GS_NAME, 0, reinterpret_cast<LPARAM>(name.c_str()));
    EXPECT_EQ(vip->GetSkin().title, L"S12");
    EXPECT_FALSE(vip->IsBlinking());
    game.SendMessage(WM_GET_NEW_MSG);
    EXPECT_TRUE(vip->IsBlinking());
    // The first tick shows the empty half-period; a second message must not
    // restart the blink, so the next tick brings the images back.
    EXPECT_TRUE(DrawsSomething(*vip));
    vip->SendMessage(WM_TIMER, CSkinButton::kBlinkTimer);
    EXPECT_FALSE(DrawsSomething(*vip));
    game.SendMessage(WM_GET_NEW_MSG);
    EXPECT_TRUE(vip->IsBlinking());
    vip->SendMessage(WM_TIMER, CSkinButton::kBlinkTimer);
    EXPECT_TRUE(DrawsSomething(*vip));
}

TEST_F(GameWndTest, CloseNavigatesTheBrowserToTheMarkerWithoutAQuestion)
{
    int questions = 0;
    SetMessageBoxHook([&](HWND, const wchar_t*, const wchar_t*, UINT) {
        ++questions;
        return IDOK;
    });
    CGameWnd game(L"GAMEWND");
    Create(game);
    game.SendMessage(WM_CLOSE);
    PumpMessages();
    EXPECT_TRUE(::IsWindow(game.GetSafeHwnd()));
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(frame.closed, 0); // the handshake waits for the browser's events
}

TEST_F(GameWndTest, ReloadAsksForTheGameAddressTwiceOrRefreshes)
{
    LocalHttpServer server;
    server.SetReply("/play", {200, "<html>play</html>"});
    CGameWnd game(L"GAMEWND");
    Create(game);
    CSkinButton* refresh = nullptr;
    ASSERT_TRUE(game.FindButton(L"refresh", &refresh));

    refresh->SendMessage(BM_CLICK);
    EXPECT_EQ(frame.gameUrlModes, std::vector<int>{1});

    frame.gameUrlModes.clear();
    frame.gameUrl = server.WideUrl("/play?x=1");
    refresh->SendMessage(BM_CLICK);
    EXPECT_EQ(frame.gameUrlModes, (std::vector<int>{1, 1}));
    EXPECT_TRUE(PumpUntil([&] { return server.CountRequests("/play") > 0; }, 10000));

    // F5 inside the window reloads and is consumed; other keys pass.
    MSG f5{game.m_view.GetSafeHwnd(), WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_TRUE(game.PreTranslateMessage(&f5));
    MSG other{game.m_view.GetSafeHwnd(), WM_KEYDOWN, VK_F6, 0, 0, {}};
    EXPECT_FALSE(game.PreTranslateMessage(&other));
    RecordingWindow outside;
    MSG elsewhere{outside.Hwnd(), WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_FALSE(game.PreTranslateMessage(&elsewhere));
}

} // namespace
