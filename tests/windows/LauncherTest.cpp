#include <windows.h>

#include <cstring>

#include "common/TestWindows.h"
#include "platform/FrameWnd.h"
#include "skin/ImageEx.h"
#include "windows/HtmlWnd.h"
#include "windows/WindowsFixture.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

// A launcher that also records the button commands it receives.
class RecordingLauncher : public CHtmlWnd {
public:
    RecordingLauncher() : CHtmlWnd(L"MAINWND") {}
    std::vector<std::wstring> commands;
    void OnSkinButton(const SKIN_BTN& button) override { commands.push_back(button.name); }
};

class LauncherTest : public WindowsTest {
protected:
    void Create(CHtmlWnd& launcher)
    {
        ASSERT_TRUE(launcher.Create(::GetDesktopWindow(), WS_EX_APPWINDOW, kStyle));
        g_pHtmlWnd = &launcher;
    }
    static uint32_t PictureAt(const CSkinWnd& wnd, int x, int y)
    {
        const SIZE size = wnd.PictureSize();
        EXPECT_TRUE(x >= 0 && y >= 0 && x < size.cx && y < size.cy);
        uint32_t pixel;
        std::memcpy(&pixel, wnd.PictureBits() + (static_cast<size_t>(y) * size.cx + x) * 4, 4);
        return pixel;
    }
    static uint32_t ImagePixel(int id, int x, int y)
    {
        CImageEx image;
        EXPECT_TRUE(image.LoadFromId(id));
        uint32_t pixel;
        std::memcpy(&pixel, static_cast<const unsigned char*>(image.GetBits()) + y * image.GetPitch() + x * 4, 4);
        return pixel;
    }
    static HWND Popup(const CHtmlWnd& launcher) { return launcher.m_pIEWnd->GetSafeHwnd(); }
};

TEST_F(LauncherTest, CentredLayeredWindowWithPageOverItsArea)
{
    CHtmlWnd launcher(L"MAINWND");
    Create(launcher);
    HWND wnd = launcher.GetSafeHwnd();
    EXPECT_TRUE(::GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(::IsWindowVisible(wnd));
    const RECT work = WorkArea();
    const RECT r = WindowRect(wnd);
    EXPECT_EQ(r.right - r.left, 1280);
    EXPECT_EQ(r.bottom - r.top, 780);
    EXPECT_EQ(r.left, work.left + (work.right - 1280 - work.left) / 2);
    EXPECT_EQ(r.top, work.top + (work.bottom - 780 - work.top) / 2);

    HWND popup = Popup(launcher);
    ASSERT_TRUE(::IsWindow(popup));
    EXPECT_EQ(::GetWindow(popup, GW_OWNER), wnd);
    const RECT page = WindowRect(popup);
    EXPECT_EQ(page.left - r.left, 435);
    EXPECT_EQ(page.top - r.top, 205);
    EXPECT_EQ(page.right - page.left, 680);
    EXPECT_EQ(page.bottom - page.top, 370);

    launcher.ShowWnd(TRUE);
    EXPECT_TRUE(::IsWindowVisible(wnd));
    EXPECT_TRUE(::IsWindowVisible(popup));
    // Moving the launcher carries the page along.
    ::SetWindowPos(wnd, nullptr, r.left + 37, r.top + 11, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT moved = WindowRect(popup);
    EXPECT_EQ(moved.left, r.left + 37 + 435);
    EXPECT_EQ(moved.top, r.top + 11 + 205);
    EXPECT_EQ(moved.right - moved.left, 680);

    SKIN_BTN min;
    min.name = L"MIN";
    launcher.OnSkinButton(min);
    EXPECT_FALSE(::IsWindowVisible(wnd));
    EXPECT_FALSE(::IsWindowVisible(popup));
    launcher.ShowWnd(TRUE);
    EXPECT_TRUE(::IsWindowVisible(popup));
}

TEST_F(LauncherTest, LargerSkinThanWorkAreaGetsNegativeOffset)
{
    RECT saved = WorkArea();
    RECT small{0, 0, 1366, 728};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_SETWORKAREA, 0, &small, 0));
    CHtmlWnd launcher(L"MAINWND");
    Create(launcher);
    const RECT r = WindowRect(launcher.GetSafeHwnd());
    ::SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved, 0);
    EXPECT_EQ(r.left, 43);
    EXPECT_EQ(r.top, -26);
}

TEST_F(LauncherTest, CompositionOfBackgroundButtonsAndTransparency)
{
    CHtmlWnd launcher(L"MAINWND");
    Create(launcher);
    launcher.ShowWnd(TRUE);
    ASSERT_EQ(launcher.PictureSize().cx, 1280);
    ASSERT_EQ(launcher.PictureSize().cy, 780);
    // Outside the artwork's panel nothing is drawn: fully transparent.
    EXPECT_EQ(PictureAt(launcher, 5, 5), 0u);
    EXPECT_EQ(PictureAt(launcher, 1275, 775), 0u);
    // The panel's sky is a vertical gradient, so the stretched background
    // shows the image's own pixel of that row.
    EXPECT_EQ(PictureAt(launcher, 300, 300), ImagePixel(348, 300, 300));
    EXPECT_EQ(PictureAt(launcher, 300, 300) >> 24, 255u);

    // The close button (1077, 165) shows its normal image, then its hover one.
    CSkinButton* close = nullptr;
    ASSERT_TRUE(launcher.FindButton(L"close", &close));
    EXPECT_EQ(PictureAt(launcher, 1077 + 6, 165 + 20), ImagePixel(311, 6, 20));
    close->SendMessage(WM_MOUSEHOVER);
    PumpMessages();
    EXPECT_EQ(PictureAt(launcher, 1077 + 6, 165 + 20), ImagePixel(312, 6, 20));
    EXPECT_NE(ImagePixel(311, 6, 20), ImagePixel(312, 6, 20));
}

TEST_F(LauncherTest, DecodingEachRenderComposesTheSamePicture)
{
    CHtmlWnd launcher(L"MAINWND");
    Create(launcher);
    launcher.ShowWnd(TRUE);
    const SIZE size = launcher.PictureSize();
    std::vector<unsigned char> once(launcher.PictureBits(), launcher.PictureBits() + size.cx * size.cy * 4);
    launcher.m_bDecodeEachRender = true;
    launcher.Render();
    EXPECT_EQ(std::memcmp(once.data(), launcher.PictureBits(), once.size()), 0);
}

TEST_F(LauncherTest, ButtonIdsCountOnAcrossWindowsAndCloseClicksTheCloseButton)
{
    RecordingLauncher first, second;
    Create(first);
    Create(second);
    CSkinButton* a = nullptr;
    CSkinButton* b = nullptr;
    ASSERT_TRUE(first.FindButton(L"min", &a));
    ASSERT_TRUE(second.FindButton(L"min", &b));
    EXPECT_EQ(b->GetControlId(), a->GetControlId() + 6); // MAINWND has six buttons
    EXPECT_GE(a->GetControlId(), 10000);

    first.SendMessage(WM_CLOSE);
    PumpMessages();
    ASSERT_EQ(first.commands.size(), 1u);
    EXPECT_EQ(first.commands[0], L"close");
    EXPECT_TRUE(::IsWindow(first.GetSafeHwnd()));

    CSkinButton* close = nullptr;
    ASSERT_TRUE(first.FindButton(L"close", &close));
    close->SendMessage(BM_CLICK);
    PumpMessages();
    ASSERT_EQ(first.commands.size(), 2u);
    EXPECT_EQ(first.commands[1], L"close");

    // Other notification codes and ids outside the button range do nothing.
    first.SendMessage(WM_COMMAND, MAKEWPARAM(close->GetControlId(), BN_DOUBLECLICKED),
                      reinterpret_cast<LPARAM>(close->GetSafeHwnd()));
    first.SendMessage(WM_COMMAND, MAKEWPARAM(20000, BN_CLICKED), 0);
    EXPECT_EQ(first.commands.size(), 2u);
}

TEST_F(LauncherTest, QuitQuestionCancelKeepsOkEnds)
{
    RecordingWindow frameWindow;
    frame.frame = frameWindow.Hwnd();
    CHtmlWnd launcher(L"MAINWND");
    Create(launcher);
    launcher.ShowWnd(TRUE);
    std::wstring asked, caption;
    UINT flags = 0;
    int answer = IDCANCEL;
    SetMessageBoxHook([&](HWND owner, const wchar_t* text, const wchar_t* title, UINT f) {
        EXPECT_EQ(owner, nullptr);
        asked = text;
        caption = title;
        flags = f;
        return answer;
    });
    CSkinButton* close = nullptr;
    ASSERT_TRUE(launcher.FindButton(L"close", &close));
    close->SendMessage(BM_CLICK);
    PumpMessages();
    EXPECT_EQ(asked, g_pConfig->GetQuitTip());
    EXPECT_EQ(caption, VersionText());
    EXPECT_EQ(flags, 0x1121u);
    EXPECT_TRUE(::IsWindowVisible(launcher.GetSafeHwnd()));
    EXPECT_EQ(frameWindow.Count(WM_COMMAND), 0u);

    answer = IDOK;
    launcher.ConfirmQuit();
    EXPECT_FALSE(::IsWindowVisible(launcher.GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(Popup(launcher)));
    PumpMessages();
    ASSERT_EQ(frameWindow.Count(WM_COMMAND), 1u);
    EXPECT_EQ(frameWindow.Received()[0].wParam, ID_APP_EXIT);
}

TEST_F(LauncherTest, MinimisedThenShownIsRestored)
{
    CHtmlWnd launcher(L"MAINWND");
    Create(launcher);
    launcher.ShowWnd(TRUE);
    launcher.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(launcher.m_bMinimized, 1);
    ::ShowWindow(launcher.GetSafeHwnd(), SW_MINIMIZE);
    launcher.ShowWnd(TRUE);
    EXPECT_FALSE(::IsIconic(launcher.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindowVisible(launcher.GetSafeHwnd()));
}

const char kStretchSkin[] = R"(<?xml version="1.0"?>
<CLIENTSKIN>
  <MAINWND width="400" height="300">
    <IMG name="bg" stand="348" width="400" height="300"/>
    <IMG name="Choose" stand="311" left="10" top="10"/>
    <IMG name="CHOOSE" stand="314" left="100" top="10"/>
    <RECT name="ie" left="20" top="30" width="200" height="100" strech="1"/>
    <BTN name="close" stand="311" left="5" top="5" align="TopRight"/>
  </MAINWND>
</CLIENTSKIN>)";

TEST_F(LauncherTest, StretchingAreaFollowsTheGrowthLessOnePixel)
{
    UseSkin(kStretchSkin);
    CHtmlWnd launcher(L"MAINWND");
    Create(launcher);
    const RECT r = WindowRect(launcher.GetSafeHwnd());
    ::SetWindowPos(launcher.GetSafeHwnd(), nullptr, 0, 0, 410, 300, SWP_NOMOVE | SWP_NOZORDER);
    const RECT page = WindowRect(Popup(launcher));
    EXPECT_EQ(page.left - r.left, 20);
    EXPECT_EQ(page.top - r.top, 30);
    EXPECT_EQ(page.right - page.left, 209);
    EXPECT_EQ(page.bottom - page.top, 99);
}

TEST_F(LauncherTest, ChooseImagesStartHiddenAndShowTogether)
{
    UseSkin(kStretchSkin);
    CHtmlWnd launcher(L"MAINWND");
    Create(launcher);
    launcher.ShowWnd(TRUE);
    const uint32_t before = PictureAt(launcher, 100 + 6, 10 + 15);
    EXPECT_NE(before, ImagePixel(314, 6, 15));
    launcher.ShowChoose();
    PumpMessages();
    // Both images whose names differ from "choose" only in letter case show.
    EXPECT_EQ(PictureAt(launcher, 10 + 6, 10 + 20), ImagePixel(311, 6, 20));
    EXPECT_EQ(PictureAt(launcher, 100 + 6, 10 + 15), ImagePixel(314, 6, 15));
    EXPECT_NE(PictureAt(launcher, 100 + 6, 10 + 15), before);
}

} // namespace
