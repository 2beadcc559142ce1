#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SkinTestSupport.h"
#include "skin/ImageEx.h"
#include "skin/SkinButton.h"
#include "skin/SkinManager.h"

namespace {

constexpr UINT kId = 10000;
constexpr std::uint32_t kBackground = 0xFF204060;
constexpr COLORREF kColor = RGB(1, 2, 250);
constexpr COLORREF kHotColor = RGB(250, 3, 4);

// A colour as a 32-bit DIB holds it, without alpha.
std::uint32_t DibColor(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

int CountColor(const Dib& dib, COLORREF c)
{
    int n = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            n += (dib.At(x, y) & 0xFFFFFF) == DibColor(c);
    return n;
}

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

SKIN_BTN Record(int stand, const wchar_t* align = L"TopLeft", int left = 10, int top = 20)
{
    SKIN_BTN skin;
    skin.name = L"test";
    skin.stand = stand;
    skin.align = align;
    skin.left = left;
    skin.top = top;
    return skin;
}

class SkinButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(parent.GetSafeHwnd(), nullptr);
        // A FONT for the titles; its family is found or replaced.
        CSkinManager::GetInstance()->LoadSkinText(
            "<S><FONT name=\"t\" size=\"14\" family=\"Arial\" style=\"1\"/></S>");
    }
    void TearDown() override
    {
        delete CSkinManager::GetInstance();
        // Mouse tracking may have posted notifications; the buttons are
        // gone, so they reach no one. (A bounded loop: WM_PAINT stays
        // queued for as long as a window is invalid.)
        MSG msg;
        for (int i = 0; i < 1000 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
            ::DispatchMessageW(&msg);
    }

    std::unique_ptr<CSkinButton> Make(const SKIN_BTN& skin, HWND tooltip = nullptr)
    {
        return MakeIn(parent, skin, tooltip);
    }
    static std::unique_ptr<CSkinButton> MakeIn(CWnd& owner, const SKIN_BTN& skin, HWND tooltip = nullptr)
    {
        auto button = std::make_unique<CSkinButton>();
        EXPECT_TRUE(button->Create(&owner, kId, skin.check));
        EXPECT_TRUE(button->SetSkin(L"ANYWND", skin, tooltip));
        return button;
    }

    RECT Place(const CSkinButton& button) const { return WindowRectIn(button.GetSafeHwnd(), parent.GetSafeHwnd()); }

    // What the button draws over a plain background.
    void Render(CSkinButton& button, Dib& dib) const
    {
        dib.Fill(kBackground);
        button.Draw(dib.Dc());
    }

    // The background with PNG id drawn at place.
    static void Reference(Dib& dib, int id, const RECT& place)
    {
        dib.Fill(kBackground);
        CImageEx image;
        ASSERT_TRUE(image.LoadFromId(id)) << id;
        image.Draw(dib.Dc(), place);
    }

    static void DrawPng(Dib& dib, int id, const RECT& place)
    {
        CImageEx image;
        ASSERT_TRUE(image.LoadFromId(id)) << id;
        image.Draw(dib.Dc(), place);
    }

    void Hover(CSkinButton& b)
    {
        b.SendMessage(WM_MOUSEMOVE, 0, At(2, 2));
        b.SendMessage(WM_MOUSEHOVER, 0, At(2, 2));
    }
    void Click(CSkinButton& b, int x = 3, int y = 3)
    {
        b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        b.SendMessage(WM_LBUTTONUP, 0, At(x, y));
    }

    TestParent parent{800, 600};
};

TEST_F(SkinButtonTest, IsAnOwnerDrawnButtonChildOfItsParent)
{
    auto button = Make(Record(343));
    HWND hwnd = button->GetSafeHwnd();
    wchar_t cls[32] = {};
    ::GetClassNameW(hwnd, cls, 32);
    EXPECT_STREQ(cls, L"Button");
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(::GetParent(hwnd), parent.GetSafeHwnd());
    EXPECT_EQ(button->GetControlId(), static_cast<int>(kId));
    EXPECT_EQ(button->GetSkin().name, L"test");
    EXPECT_EQ(button->GetSkin().stand, 343);
}

TEST_F(SkinButtonTest, PaintsNothingItself)
{
    TestParent shown(300, 200, true);
    auto button = MakeIn(shown, Record(343));
    HWND hwnd = button->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    // Painting only validates; erasing is refused.
    ::InvalidateRect(hwnd, nullptr, TRUE);
    EXPECT_TRUE(::GetUpdateRect(hwnd, nullptr, FALSE));
    ::UpdateWindow(hwnd);
    EXPECT_FALSE(::GetUpdateRect(hwnd, nullptr, FALSE));
    EXPECT_EQ(button->SendMessage(WM_ERASEBKGND, 0, 0), TRUE);
}

TEST_F(SkinButtonTest, SizeComesFromTheNormalImage)
{
    const struct {
        int stand;
        int width, height;
    } cases[] = {
        {350, 51, 16}, // refresh
        {343, 84, 26},
        {311, 48, 41},
        {349, 51, 16},  // 349 is missing, its hover image 350 sets the size
        {998, 50, 20},  // nothing loads
        {-1, 50, 20},   // the normal image fails and there is no hover slot
    };
    for (const auto& c : cases) {
        auto button = Make(Record(c.stand));
        const RECT r = Place(*button);
        EXPECT_EQ(r.right - r.left, c.width) << c.stand;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.stand;
        EXPECT_EQ(r.left, 10) << c.stand;
        EXPECT_EQ(r.top, 20) << c.stand;
    }
}

TEST_F(SkinButtonTest, HoverGrowsTheRefreshButtonWithItsCornerFixed)
{
    auto refresh = Make(Record(350, L"TopRight", 250, 8));
    EXPECT_EQ(Place(*refresh), (RECT{550, 8, 601, 24}));
    Hover(*refresh);
    EXPECT_EQ(Place(*refresh), (RECT{550, 8, 605, 28}));
    Dib shown(800, 60), expected(800, 60);
    Render(*refresh, shown);
    Reference(expected, 351, RECT{550, 8, 605, 28});
    EXPECT_TRUE(shown.SameAs(expected));

    // Pressed while hovered: the pressed image (51 x 16 again).
    refresh->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
    EXPECT_EQ(Place(*refresh), (RECT{550, 8, 601, 24}));
    Render(*refresh, shown);
    Reference(expected, 352, RECT{550, 8, 601, 24});
    EXPECT_TRUE(shown.SameAs(expected));

    refresh->SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Place(*refresh), (RECT{550, 8, 601, 24}));
    Render(*refresh, shown);
    Reference(expected, 350, RECT{550, 8, 601, 24});
    EXPECT_TRUE(shown.SameAs(expected));
}

TEST_F(SkinButtonTest, MissingHoverImageFallsBackToTheNormalOne)
{
    // 346 does not exist; 347 (the title bar) is the pressed image.
    auto button = Make(Record(345));
    Hover(*button);
    EXPECT_EQ(Place(*button), (RECT{10, 20, 94, 46}));
    Dib shown(200, 80), expected(200, 80);
    Render(*button, shown);
    Reference(expected, 345, RECT{10, 20, 94, 46});
    EXPECT_TRUE(shown.SameAs(expected));
    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
    EXPECT_EQ(Place(*button), (RECT{10, 20, 1260, 52}));
}

TEST_F(SkinButtonTest, PressReleasedOutsideIsNoClickAndNoToggle)
{
    SKIN_BTN skin = Record(350);
    skin.check = 1;
    auto button = Make(skin);
    Hover(*button);
    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    button->SendMessage(WM_LBUTTONUP, 0, At(-20, 5));
    EXPECT_TRUE(parent.clicks.empty());
    EXPECT_FALSE(button->IsChecked());
    // Hover is gone: the title colour is the plain one again.
    Dib dib(100, 60);
    SKIN_BTN titled = Record(337);
    titled.title = L"WWWW";
    titled.font = L"t";
    titled.color = kColor;
    titled.hotcolor = kHotColor;
    auto plain = Make(titled);
    Hover(*plain);
    plain->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    plain->SendMessage(WM_LBUTTONUP, 0, At(5, 500));
    Render(*plain, dib);
    EXPECT_GT(CountColor(dib, kColor), 0);
    EXPECT_EQ(CountColor(dib, kHotColor), 0);
    EXPECT_TRUE(parent.clicks.empty());

    Click(*button);
    ASSERT_EQ(parent.clicks.size(), 1u);
    EXPECT_EQ(parent.clicks[0].id, kId);
    EXPECT_EQ(parent.clicks[0].code, static_cast<UINT>(BN_CLICKED));
    EXPECT_TRUE(button->IsChecked());
}

TEST_F(SkinButtonTest, CheckButtonTogglesAndShowsItInTheTitleColour)
{
    SKIN_BTN skin = Record(337);
    skin.check = 1;
    skin.title = L"WWWW";
    skin.font = L"t";
    skin.color = kColor;
    skin.hotcolor = kHotColor;
    auto button = Make(skin);
    Dib dib(200, 80), image(200, 80);
    Reference(image, 337, RECT{10, 20, 94, 46});

    const struct {
        bool hover;
        bool checked;
    } steps[] = {{false, true}, {false, false}, {true, true}, {true, false}, {false, true}};
    bool hovered = false;
    for (const auto& step : steps) {
        if (step.hover && !hovered)
            Hover(*button);
        if (!step.hover && hovered)
            button->SendMessage(WM_MOUSELEAVE, 0, 0);
        hovered = step.hover;
        Click(*button);
        EXPECT_EQ(button->IsChecked() != FALSE, step.checked);
        Render(*button, dib);
        const bool hot = step.hover || step.checked;
        EXPECT_GT(CountColor(dib, hot ? kHotColor : kColor), 0) << step.hover << step.checked;
        EXPECT_EQ(CountColor(dib, hot ? kColor : kHotColor), 0) << step.hover << step.checked;
        // The image stays the normal one, hovered or not.
        EXPECT_EQ(Place(*button), (RECT{10, 20, 94, 46}));
        const RECT text = dib.Changed(image);
        EXPECT_GE(text.left, 10);
        EXPECT_LE(text.right, 94);
    }
    EXPECT_EQ(parent.clicks.size(), 5u);
}

TEST_F(SkinButtonTest, PlacementByAnchorBeforeAndAfterReposition)
{
    // 24 x 20 buttons, offset (3, 4), in the 800 x 600 parent.
    const struct {
        const wchar_t* align;
        POINT placed, repositioned;
    } cases[] = {
        {L"TopLeft", {3, 4}, {3, 4}},
        {L"TopRight", {797, 4}, {773, 4}},
        {L"topright", {797, 4}, {773, 4}},
        {L"BottomLeft", {3, 596}, {3, 576}},
        {L"BottomRight", {797, 596}, {773, 576}},
        {L"Centre", {3, 4}, {3, 4}},
    };
    for (const auto& c : cases) {
        auto button = Make(Record(318, c.align, 3, 4));
        RECT r = Place(*button);
        EXPECT_EQ(r.left, c.placed.x) << c.align;
        EXPECT_EQ(r.top, c.placed.y) << c.align;
        button->Reposition(RECT{0, 0, 800, 600});
        r = Place(*button);
        EXPECT_EQ(r.left, c.repositioned.x) << c.align;
        EXPECT_EQ(r.top, c.repositioned.y) << c.align;
        EXPECT_EQ(r.right - r.left, 24) << c.align;
        EXPECT_EQ(r.bottom - r.top, 20) << c.align;
    }
    // The close button follows a grown client rectangle.
    auto close = Make(Record(318, L"TopRight", 3, 1));
    close->Reposition(RECT{0, 0, 1000, 700});
    EXPECT_EQ(Place(*close), (RECT{973, 1, 997, 21}));
}

TEST_F(SkinButtonTest, BlinkAlternatesWithNothingAndAClickEndsIt)
{
    auto button = Make(Record(343));
    HWND hwnd = button->GetSafeHwnd();
    Dib shown(200, 80), normal(200, 80), empty(200, 80, kBackground);
    Reference(normal, 343, RECT{10, 20, 94, 46});

    button->SetBlink(TRUE);
    EXPECT_TRUE(button->IsBlinking());
    Render(*button, shown);
    EXPECT_TRUE(shown.SameAs(normal));
    for (int tick = 1; tick <= 5; ++tick) {
        button->SendMessage(WM_TIMER, CSkinButton::kBlinkTimer, 0);
        Render(*button, shown);
        EXPECT_TRUE(shown.SameAs(tick % 2 ? empty : normal)) << "tick " << tick;
        // Still where the mouse can reach it.
        EXPECT_EQ(Place(*button), (RECT{10, 20, 94, 46})) << "tick " << tick;
    }
    // Other timers are not the blink.
    button->SendMessage(WM_TIMER, 2, 0);
    Render(*button, shown);
    EXPECT_TRUE(shown.SameAs(empty));

    Click(*button);
    EXPECT_FALSE(button->IsBlinking());
    EXPECT_EQ(parent.clicks.size(), 1u);
    Render(*button, shown);
    EXPECT_TRUE(shown.SameAs(normal));
    EXPECT_FALSE(::KillTimer(hwnd, CSkinButton::kBlinkTimer)); // the timer is gone
    button->SendMessage(WM_TIMER, CSkinButton::kBlinkTimer, 0);
    Render(*button, shown);
    EXPECT_TRUE(shown.SameAs(normal));

    button->SetBlink(TRUE);
    EXPECT_TRUE(::KillTimer(hwnd, CSkinButton::kBlinkTimer)); // it runs while blinking
}

TEST_F(SkinButtonTest, BlinkWithAnAlternateSetAndSetBlinkOff)
{
    SKIN_BTN skin = Record(343);
    skin.blinkStand = 337;
    auto button = Make(skin);
    Dib shown(200, 80), normal(200, 80), alternate(200, 80);
    Reference(normal, 343, RECT{10, 20, 94, 46});
    Reference(alternate, 337, RECT{10, 20, 94, 46});

    button->SetBlink(TRUE);
    for (int tick = 1; tick <= 4; ++tick) {
        button->SendMessage(WM_TIMER, CSkinButton::kBlinkTimer, 0);
        Render(*button, shown);
        EXPECT_TRUE(shown.SameAs(tick % 2 ? alternate : normal)) << "tick " << tick;
    }
    button->SendMessage(WM_TIMER, CSkinButton::kBlinkTimer, 0);
    button->SetBlink(FALSE);
    EXPECT_FALSE(button->IsBlinking());
    EXPECT_FALSE(::KillTimer(button->GetSafeHwnd(), CSkinButton::kBlinkTimer));
    Render(*button, shown);
    EXPECT_TRUE(shown.SameAs(normal));
    EXPECT_TRUE(parent.clicks.empty());
}

TEST_F(SkinButtonTest, ButtonsWithoutImagesTakeTheMouseAndDrawNothing)
{
    for (int stand : {0, -1}) {
        SKIN_BTN skin = Record(stand);
        skin.title = L"Title";
        skin.font = L"t";
        skin.icon = 318;
        auto button = Make(skin);
        Hover(*button);
        button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));
        button->SendMessage(WM_LBUTTONUP, 0, At(1, 1));
        button->SendMessage(WM_MOUSELEAVE, 0, 0);
        button->SetBlink(TRUE);
        button->SendMessage(WM_TIMER, CSkinButton::kBlinkTimer, 0);
        button->SetBlink(FALSE);
        Dib dib(200, 80, kBackground);
        button->Draw(dib.Dc());
        EXPECT_EQ(dib.Count(kBackground), 200 * 80) << stand;
    }
}

TEST_F(SkinButtonTest, TitleNeedsAFont)
{
    for (const wchar_t* font : {L"", L"nosuch"}) {
        for (int style = 0; style <= 5; ++style) {
            SKIN_BTN skin = Record(337);
            skin.title = L"Title";
            skin.font = font;
            skin.style = style;
            auto button = Make(skin);
            Dib shown(200, 80), expected(200, 80);
            Render(*button, shown);
            Reference(expected, 337, RECT{10, 20, 94, 46});
            EXPECT_TRUE(shown.SameAs(expected)) << "style " << style;
        }
    }
}

TEST_F(SkinButtonTest, TitlePlacementByStyle)
{
    // Button 337 is 84 x 26 at (10, 20): centre x 52, bottom 46.
    const struct {
        int style;
        const char* where;
    } cases[] = {{0, "near"}, {1, "centre"}, {2, "far"}, {3, "centre"}, {4, "bottom"}, {5, "none"}};
    for (const auto& c : cases) {
        SKIN_BTN skin = Record(337);
        skin.title = L"Mi";
        skin.font = L"t";
        skin.style = c.style;
        skin.color = kColor;
        auto button = Make(skin);
        Dib shown(200, 80), image(200, 80);
        Render(*button, shown);
        Reference(image, 337, RECT{10, 20, 94, 46});
        const RECT text = shown.Changed(image);
        const std::string where = c.where;
        if (where == "none") {
            EXPECT_EQ(text.right, 0) << c.style;
            continue;
        }
        ASSERT_GT(text.right, text.left) << c.style;
        EXPECT_GT(CountColor(shown, kColor), 0) << c.style;
        const double centreX = (text.left + text.right) / 2.0;
        if (where == "near")
            EXPECT_LE(text.left, 10 + 5) << c.style;
        if (where == "far")
            EXPECT_GE(text.right, 94 - 5) << c.style;
        if (where == "centre" || where == "bottom")
            EXPECT_NEAR(centreX, 52.0, 4.0) << c.style;
        if (where == "bottom")
            EXPECT_GE(text.bottom, 46 - 5) << c.style;
        else
            EXPECT_NEAR((text.top + text.bottom) / 2.0, 33.0 + (c.style == 2 ? 3 : c.style == 3 ? 0 : 2), 4.0)
                << c.style;
    }
}

TEST_F(SkinButtonTest, IconAndBadgePlacement)
{
    // Icon 318 (24 x 20) on button 337 (84 x 26 at 10, 20).
    const struct {
        int style;
        int icon;
        RECT place;
    } cases[] = {
        {0, 318, {40, 23, 64, 43}},   // no title: centred
        {1, 318, {40, 25, 64, 45}},   // top at T + 5
        {2, 318, {70, 23, 94, 43}},   // at the right edge
        {3, 318, {52, 23, 76, 43}},   // after a title of no width
        {0, 347, {11, 21, 93, 45}},   // larger than the button both ways
        {2, 347, {11, 21, 93, 45}},
    };
    for (const auto& c : cases) {
        SKIN_BTN skin = Record(337);
        skin.style = c.style;
        skin.icon = c.icon;
        auto button = Make(skin);
        Dib shown(200, 80), expected(200, 80);
        Render(*button, shown);
        Reference(expected, 337, RECT{10, 20, 94, 46});
        DrawPng(expected, c.icon, c.place);
        EXPECT_TRUE(shown.SameAs(expected)) << "style " << c.style << " icon " << c.icon;
    }
    for (int style : {4, 5}) {
        SKIN_BTN skin = Record(337);
        skin.style = style;
        skin.icon = 318;
        auto button = Make(skin);
        Dib shown(200, 80), expected(200, 80);
        Render(*button, shown);
        Reference(expected, 337, RECT{10, 20, 94, 46});
        EXPECT_TRUE(shown.SameAs(expected)) << "style " << style;
    }

    // With a title, style 0 puts the icon 5 px in and the title after it.
    SKIN_BTN titled = Record(337);
    titled.icon = 318;
    titled.title = L"Mi";
    titled.font = L"t";
    auto button = Make(titled);
    Dib shown(200, 80), iconOnly(200, 80);
    Render(*button, shown);
    Reference(iconOnly, 337, RECT{10, 20, 94, 46});
    DrawPng(iconOnly, 318, RECT{15, 23, 39, 43});
    const RECT text = shown.Changed(iconOnly);
    ASSERT_GT(text.right, text.left);
    EXPECT_GE(text.left, 40); // past the icon's right edge + 1

    // The badge's bottom-right corner is 62 px from the top-left corner.
    SKIN_BTN badged = Record(337);
    badged.icon1 = 318;
    auto withBadge = Make(badged);
    Dib badge(200, 100), expected(200, 100);
    Render(*withBadge, badge);
    Reference(expected, 337, RECT{10, 20, 94, 46});
    DrawPng(expected, 318, RECT{48, 62, 72, 82});
    EXPECT_TRUE(badge.SameAs(expected));
}

TEST_F(SkinButtonTest, SetTitleReplacesTheTitleAndRepaintsTheParent)
{
    TestParent shown(300, 200, true);
    SKIN_BTN skin = Record(337);
    skin.font = L"t";
    auto button = MakeIn(shown, skin);
    Dib before(200, 80), after(200, 80);
    Render(*button, before);
    ::ValidateRect(shown.GetSafeHwnd(), nullptr);
    button->SetTitle(L"VIP 3");
    EXPECT_EQ(button->GetSkin().title, L"VIP 3");
    RECT dirty{};
    EXPECT_TRUE(::GetUpdateRect(shown.GetSafeHwnd(), &dirty, FALSE));
    EXPECT_EQ(dirty, (RECT{10, 20, 94, 46}));
    Render(*button, after);
    EXPECT_FALSE(after.SameAs(before));
}

TEST_F(SkinButtonTest, TipIsRegisteredWithTheTooltip)
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    HWND tooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                     parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(tooltip, nullptr);
    SKIN_BTN skin = Record(350);
    skin.tip = L"Reload the game";
    auto tipped = Make(skin, tooltip);
    SKIN_BTN untipped = Record(350);
    auto silent = Make(untipped, tooltip);
    auto noTooltip = Make(skin, nullptr);

    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = tipped->GetSafeHwnd();
    tool.uId = kId;
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Reload the game");
    ASSERT_TRUE(::SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.rect, (RECT{0, 0, 51, 16}));
    ::DestroyWindow(tooltip);
}

TEST_F(SkinButtonTest, CursorOverTheButton)
{
    auto button = Make(Record(350));
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    const WPARAM self = reinterpret_cast<WPARAM>(button->GetSafeHwnd());
    EXPECT_EQ(button->SendMessage(WM_SETCURSOR, self, overClient), TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
    button->SetHandCursor(TRUE);
    EXPECT_EQ(button->SendMessage(WM_SETCURSOR, self, overClient), TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    button->SetHandCursor(FALSE);
    button->SendMessage(WM_SETCURSOR, self, overClient);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(SkinButtonTest, MouseMoveAsksForHoverAfterOneMillisecond)
{
    // The pointer rests on the button of a shown window, as for a real move.
    TestParent shown(300, 200, true);
    auto button = std::make_unique<CSkinButton>();
    ASSERT_TRUE(button->Create(&shown, kId, 0));
    button->SetSkin(L"", Record(343), nullptr);
    const RECT r = WindowRectIn(button->GetSafeHwnd(), shown.GetSafeHwnd());
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::ClientToScreen(shown.GetSafeHwnd(), &centre);
    ::SetCursorPos(centre.x, centre.y);
    button->SendMessage(WM_MOUSEMOVE, 0, At(40, 10));
    TRACKMOUSEEVENT query{};
    query.cbSize = sizeof(query);
    query.dwFlags = TME_QUERY;
    ASSERT_TRUE(::TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, button->GetSafeHwnd());
    EXPECT_EQ(query.dwFlags & (TME_HOVER | TME_LEAVE), static_cast<DWORD>(TME_HOVER | TME_LEAVE));
    EXPECT_EQ(query.dwHoverTime, 1u);
}

} // namespace
