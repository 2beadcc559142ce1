#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinTestSupport.h"
#include "platform/MessageBox.h"
#include "skin/ImageEx.h"
#include "skin/SkinManager.h"

namespace {

struct ShownMessage {
    HWND owner;
    std::wstring text;
    bool hasCaption;
    UINT flags;
};

// Answers message boxes instead of showing them, for as long as it lives.
class MessageRecorder {
public:
    MessageRecorder()
    {
        SetMessageBoxHook([this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
            shown.push_back({owner, text ? text : L"", caption != nullptr, flags});
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHook(nullptr); }
    std::vector<ShownMessage> shown;
};

CSkinManager& BuiltIn()
{
    static CSkinManager skin;
    static const bool loaded = skin.LoadSkin();
    EXPECT_TRUE(loaded);
    return skin;
}

std::unique_ptr<CSkinManager> FromText(const std::string& text)
{
    auto skin = std::make_unique<CSkinManager>();
    EXPECT_TRUE(skin->LoadSkinText(text)) << text;
    return skin;
}

template <typename Record>
std::vector<Record> ListOf(const CSkinManager& skin, const wchar_t* tag,
                           BOOL (CSkinManager::*get)(const std::wstring&, std::vector<Record>&) const)
{
    std::vector<Record> list(3); // a list is cleared first
    EXPECT_TRUE((skin.*get)(tag, list));
    return list;
}

std::vector<SKIN_BTN> Buttons(const CSkinManager& skin, const wchar_t* tag)
{
    return ListOf(skin, tag, &CSkinManager::GetBtnList);
}
std::vector<SKIN_IMG> Images(const CSkinManager& skin, const wchar_t* tag)
{
    return ListOf(skin, tag, &CSkinManager::GetImgList);
}
std::vector<SKIN_RECT> Rects(const CSkinManager& skin, const wchar_t* tag)
{
    return ListOf(skin, tag, &CSkinManager::GetRectList);
}
std::vector<SKIN_TEXT> Texts(const CSkinManager& skin, const wchar_t* tag)
{
    return ListOf(skin, tag, &CSkinManager::GetTextList);
}

SKIN_WND WindowInfo(const CSkinManager& skin, const wchar_t* tag, int logo = 7, int titleHeight = 9)
{
    SKIN_WND info;
    info.name = tag;
    info.logo = logo;
    info.titleHeight = titleHeight;
    info.width = info.height = 123;
    info.border = 5;
    info.color = info.bgcolor = 0x123456;
    info.title = L"previous title";
    info.font = L"previous font";
    EXPECT_TRUE(skin.GetWndInfo(info));
    return info;
}

struct ExpectedButton {
    const wchar_t* name;
    int left, top, stand;
    const wchar_t* align;
};

void ExpectButtons(const std::vector<SKIN_BTN>& buttons, const std::vector<ExpectedButton>& expected)
{
    ASSERT_EQ(buttons.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const SKIN_BTN& b = buttons[i];
        const ExpectedButton& e = expected[i];
        EXPECT_EQ(b.name, e.name) << i;
        EXPECT_EQ(b.left, e.left) << e.name;
        EXPECT_EQ(b.top, e.top) << e.name;
        EXPECT_EQ(b.stand, e.stand) << e.name;
        EXPECT_EQ(b.align, e.align) << e.name;
        EXPECT_EQ(b.color, 0xFFFFFFu) << e.name;
        EXPECT_EQ(b.hotcolor, 0xFFFFFFu) << e.name;
        EXPECT_EQ(b.style, 0) << e.name;
        EXPECT_EQ(b.check, 0) << e.name;
        EXPECT_EQ(b.icon, 0) << e.name;
        EXPECT_EQ(b.icon1, 0) << e.name;
        EXPECT_EQ(b.blinkStand, 0) << e.name;
        EXPECT_TRUE(b.title.empty()) << e.name;
        EXPECT_TRUE(b.font.empty()) << e.name;
        EXPECT_FALSE(b.tip.empty()) << e.name;
    }
}

} // namespace

TEST(SkinManager, BuiltInLauncherWindow)
{
    const CSkinManager& skin = BuiltIn();
    const SKIN_WND info = WindowInfo(skin, L"MAINWND");
    EXPECT_EQ(info.title, L"Quenmoor");
    EXPECT_EQ(info.titleHeight, 30);
    EXPECT_EQ(info.font, L"title");
    EXPECT_EQ(info.width, 1280);
    EXPECT_EQ(info.height, 780);
    EXPECT_EQ(info.bgcolor, 0xFFFFFFu);
    EXPECT_EQ(info.color, 0xFFFFFFu);
    EXPECT_EQ(info.logo, 0);
    EXPECT_EQ(info.border, 0);

    const auto images = Images(skin, L"MAINWND");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].name, L"bg");
    EXPECT_EQ(images[0].stand, 348);
    EXPECT_EQ(images[0].left, 0);
    EXPECT_EQ(images[0].top, 0);
    EXPECT_EQ(images[0].rect, (RECT{0, 0, 1280, 780}));
    EXPECT_EQ(images[0].strech, 0);
    EXPECT_EQ(images[0].align, L"TopLeft");
    EXPECT_TRUE(images[0].visible);
    ASSERT_TRUE(images[0].image);
    EXPECT_EQ(images[0].image->GetWidth(), 1288);
    EXPECT_EQ(images[0].image->GetHeight(), 780);
    EXPECT_FALSE(images[0].image->IsNineGrid());

    const auto rects = Rects(skin, L"MAINWND");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].name, L"ie");
    EXPECT_EQ(rects[0].rect, (RECT{435, 205, 1115, 575}));
    EXPECT_EQ(rects[0].strech, 0);

    ExpectButtons(Buttons(skin, L"MAINWND"), {
                                                 {L"min", 1049, 155, 314, L"TopLeft"},
                                                 {L"close", 1077, 165, 311, L"TopLeft"},
                                                 {L"home", 700, 170, 337, L"TopRight"},
                                                 {L"pay", 550, 170, 343, L"TopRight"},
                                                 {L"kf", 400, 170, 340, L"TopRight"},
                                                 {L"bbs", 250, 170, 334, L"TopRight"},
                                             });
    EXPECT_TRUE(Texts(skin, L"MAINWND").empty());
}

TEST(SkinManager, BuiltInGameWindow)
{
    const CSkinManager& skin = BuiltIn();
    const SKIN_WND info = WindowInfo(skin, L"GAMEWND");
    EXPECT_EQ(info.title, L"Quenmoor");
    EXPECT_EQ(info.titleHeight, 50);
    EXPECT_EQ(info.color, 0xEBEBEBu);
    EXPECT_EQ(info.font, L"title");
    EXPECT_EQ(info.width, 1250);
    EXPECT_EQ(info.height, 690);
    EXPECT_EQ(info.bgcolor, 0u);
    EXPECT_EQ(info.logo, 0);
    EXPECT_EQ(info.border, 2);

    const auto images = Images(skin, L"GAMEWND");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].name, L"top");
    EXPECT_EQ(images[0].stand, 347);
    EXPECT_EQ(images[0].strech, 1);
    EXPECT_EQ(images[0].rect, (RECT{0, 0, 0, 0}));
    ASSERT_TRUE(images[0].image);
    EXPECT_TRUE(images[0].image->IsNineGrid());
    EXPECT_EQ(images[0].image->GetNineGrid(), (RECT{120, 1, 10, 1}));

    const auto rects = Rects(skin, L"GAMEWND");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].name, L"ie");
    EXPECT_EQ(rects[0].rect, (RECT{2, 32, 1248, 688}));
    EXPECT_EQ(rects[0].strech, 3);

    ExpectButtons(Buttons(skin, L"GAMEWND"), {
                                                 {L"pay", 650, 2, 343, L"TopRight"},
                                                 {L"home", 550, 2, 337, L"TopRight"},
                                                 {L"bbs", 450, 2, 334, L"TopRight"},
                                                 {L"kf", 350, 2, 340, L"TopRight"},
                                                 {L"refresh", 250, 8, 350, L"TopRight"},
                                                 {L"cache", 150, 8, 353, L"TopRight"},
                                                 {L"pack", 85, 2, 330, L"TopRight"},
                                                 {L"min", 57, 2, 321, L"TopRight"},
                                                 {L"max", 29, 1, 324, L"TopRight"},
                                                 {L"restore", 29, 1, 327, L"TopRight"},
                                                 {L"close", 3, 1, 318, L"TopRight"},
                                             });
}

TEST(SkinManager, BuiltInFontsAndLogo)
{
    CSkinManager skin;
    ASSERT_TRUE(skin.LoadSkin());
    const struct {
        const wchar_t* name;
        int style;
    } fonts[] = {{L"title", 0}, {L"normal", 0}, {L"bold", 1}, {L"hot", 1}, {L"underline", 4}};
    for (const auto& f : fonts) {
        SKIN_FONT font;
        font.name = f.name;
        font.style = 99;
        ASSERT_TRUE(skin.GetFont(font)) << f.name;
        EXPECT_EQ(font.size, 12) << f.name;
        EXPECT_EQ(font.style, f.style) << f.name;
        EXPECT_FALSE(font.family.empty()) << f.name;
    }
    EXPECT_EQ(skin.GetLogo(), L"");
}

// The built-in texts are GB2312; under code page 936 they read as written.
TEST(SkinManager, BuiltInTextsReadUnderCp936)
{
    ASSERT_EQ(::GetACP(), 936u);
    CSkinManager skin;
    ASSERT_TRUE(skin.LoadSkin());
    const auto main = Buttons(skin, L"MAINWND");
    ASSERT_EQ(main.size(), 6u);
    const wchar_t* mainTips[] = {L"最小化", L"关闭", L"官网", L"充值", L"客服", L"论坛"};
    for (size_t i = 0; i < main.size(); ++i)
        EXPECT_EQ(main[i].tip, mainTips[i]) << i;
    const auto game = Buttons(skin, L"GAMEWND");
    ASSERT_EQ(game.size(), 11u);
    const wchar_t* gameTips[] = {L"充值", L"官网",  L"论坛", L"客服", L"刷新", L"清理缓存",
                                 L"收起", L"最小化", L"最大化", L"还原", L"关闭"};
    for (size_t i = 0; i < game.size(); ++i)
        EXPECT_EQ(game[i].tip, gameTips[i]) << i;
    SKIN_FONT font;
    font.name = L"title";
    ASSERT_TRUE(skin.GetFont(font));
    EXPECT_EQ(font.family, L"宋体");
}

TEST(SkinManager, WindowTagsMatchWithLetterCase)
{
    const CSkinManager& skin = BuiltIn();
    for (const wchar_t* tag : {L"mainwnd", L"MainWnd", L"NOSUCHWND", L""}) {
        const SKIN_WND info = WindowInfo(skin, tag, 7, 9);
        EXPECT_EQ(info.width, 0) << tag;
        EXPECT_EQ(info.height, 0) << tag;
        EXPECT_EQ(info.border, 1) << tag;
        EXPECT_EQ(info.color, 0xFFFFFFu) << tag;
        EXPECT_EQ(info.bgcolor, 0xFFFFFFu) << tag;
        // What the caller preset stays.
        EXPECT_EQ(info.logo, 7) << tag;
        EXPECT_EQ(info.titleHeight, 9) << tag;
        EXPECT_EQ(info.title, L"previous title") << tag;
        EXPECT_EQ(info.font, L"previous font") << tag;
        EXPECT_TRUE(Buttons(skin, tag).empty()) << tag;
        EXPECT_TRUE(Images(skin, tag).empty()) << tag;
        EXPECT_TRUE(Rects(skin, tag).empty()) << tag;
        EXPECT_TRUE(Texts(skin, tag).empty()) << tag;
    }
}

TEST(SkinManager, WindowAttributesAndTheirDefaults)
{
    auto skin = FromText(R"(<?xml version="1.0"?><!-- first comes a comment --><ANYROOT>
        <W1 title="T" width="12px" height="x" border="" logo="3" color="1,2,3" bgcolor="" />
        <W2 />
        <W1 width="999" />
      </ANYROOT>)");
    const SKIN_WND first = WindowInfo(*skin, L"W1", 7, 9);
    EXPECT_EQ(first.title, L"T");
    EXPECT_EQ(first.width, 12);
    EXPECT_EQ(first.height, 0); // not a number: the default
    EXPECT_EQ(first.border, 1);
    EXPECT_EQ(first.logo, 3);
    EXPECT_EQ(first.titleHeight, 9);
    EXPECT_EQ(first.color, 0x030201u);
    EXPECT_EQ(first.bgcolor, 0xFFFFFFu); // empty: not parsed
    EXPECT_EQ(first.font, L"");

    const SKIN_WND bare = WindowInfo(*skin, L"W2", 7, 9);
    EXPECT_EQ(bare.title, L"");
    EXPECT_EQ(bare.font, L"");
    EXPECT_EQ(bare.logo, 7);
    EXPECT_EQ(bare.titleHeight, 9);
}

TEST(SkinManager, ButtonColoursAndNumbers)
{
    auto skin = FromText(R"(<S><W>
        <BTN name="plain" />
        <BTN name="black" color="10,20,30" hotcolor="0,0,0" />
        <BTN name="same" color="10,20,30" />
        <BTN name="hot" color="" hotcolor="300,0,0" />
        <BTN name="full" check="1" style="3" stand="350" left="-4" top="abc" title="Go" tip="t"
             icon="318" icon1="319" align="bottomright" font="bold" />
        <btn name="lowercase element" />
        <BTN Name="capital attribute" />
      </W></S>)");
    const auto buttons = Buttons(*skin, L"W");
    // The lower-case element is no BTN; the capitalised attribute no name.
    ASSERT_EQ(buttons.size(), 6u);
    EXPECT_EQ(buttons[5].name, L"");
    EXPECT_EQ(buttons[0].color, 0xFFFFFFu);
    EXPECT_EQ(buttons[0].hotcolor, 0xFFFFFFu);
    EXPECT_EQ(buttons[0].align, L"TopLeft");
    EXPECT_EQ(buttons[1].hotcolor, 0u);
    EXPECT_EQ(buttons[1].color, 0x1E140Au);
    EXPECT_EQ(buttons[2].hotcolor, 0x1E140Au);
    EXPECT_EQ(buttons[3].color, 0xFFFFFFu);
    EXPECT_EQ(buttons[3].hotcolor, 0x2Cu);
    const SKIN_BTN& full = buttons[4];
    EXPECT_EQ(full.check, 1);
    EXPECT_EQ(full.style, 3);
    EXPECT_EQ(full.stand, 350);
    EXPECT_EQ(full.left, -4);
    EXPECT_EQ(full.top, 0);
    EXPECT_EQ(full.title, L"Go");
    EXPECT_EQ(full.tip, L"t");
    EXPECT_EQ(full.icon, 318);
    EXPECT_EQ(full.icon1, 319);
    EXPECT_EQ(full.align, L"bottomright");
    EXPECT_EQ(full.font, L"bold");
    EXPECT_EQ(full.blinkStand, 0);
}

TEST(SkinManager, ImageThatDoesNotLoadIsReportedOnceAndLeftOut)
{
    auto skin = FromText(R"(<S><W>
        <IMG name="missing" stand="999" />
        <IMG name="next" stand="311" left="4" top="5" align="TopRight" />
        <IMG name="grid" stand="347" width="1600" height="32" strech="3" rect="120,1,10,1" />
        <IMG name="zero grid" stand="347" rect="0,0,0,0" />
        <IMG name="short grid" stand="347" rect="5" />
      </W></S>)");
    MessageRecorder boxes;
    const auto images = Images(*skin, L"W");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Load Img Fail : 999");
    EXPECT_EQ(boxes.shown[0].owner, nullptr);
    EXPECT_FALSE(boxes.shown[0].hasCaption);
    EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_OK));

    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0].name, L"next");
    EXPECT_EQ(images[0].left, 4);
    EXPECT_EQ(images[0].top, 5);
    EXPECT_EQ(images[0].align, L"TopRight");
    EXPECT_EQ(images[0].rect, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(images[0].image->GetWidth(), 48);
    EXPECT_FALSE(images[0].image->IsNineGrid());
    EXPECT_EQ(images[1].rect, (RECT{0, 0, 1600, 32}));
    EXPECT_EQ(images[1].strech, 3);
    EXPECT_EQ(images[1].image->GetNineGrid(), (RECT{120, 1, 10, 1}));
    EXPECT_FALSE(images[2].image->IsNineGrid());
    EXPECT_TRUE(images[3].image->IsNineGrid());
    EXPECT_EQ(images[3].image->GetNineGrid(), (RECT{5, 0, 0, 0}));

    // Every list is new: a second call loads and reports again.
    EXPECT_EQ(Images(*skin, L"W").size(), 4u);
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST(SkinManager, RectsAndTexts)
{
    auto skin = FromText(R"(<S><W>
        <RECT name="ie" left="2" top="32" width="1246" height="656" strech="3" border="1" align="x" font="y" />
        <RECT />
        <TEXT name="hello" left="10" top="20" width="30" height="40" title="Hi" color="1,2,3" font="normal" />
        <TEXT name="bare" align="BottomLeft" />
      </W></S>)");
    const auto rects = Rects(*skin, L"W");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].rect, (RECT{2, 32, 1248, 688}));
    EXPECT_EQ(rects[0].strech, 3);
    EXPECT_EQ(rects[1].name, L"");
    EXPECT_EQ(rects[1].rect, (RECT{0, 0, 0, 0}));

    const auto texts = Texts(*skin, L"W");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].name, L"hello");
    EXPECT_EQ(texts[0].rect, (RECT{10, 20, 40, 60}));
    EXPECT_EQ(texts[0].title, L"Hi");
    EXPECT_EQ(texts[0].color, 0x030201u);
    EXPECT_EQ(texts[0].align, L"TopLeft");
    EXPECT_EQ(texts[0].font, L"normal");
    EXPECT_EQ(texts[1].color, 0xFFFFFFu);
    EXPECT_EQ(texts[1].align, L"BottomLeft");
    EXPECT_EQ(texts[1].title, L"");
}

TEST(SkinManager, FontsMatchByNameWithoutLetterCaseFirstWins)
{
    auto skin = FromText(R"(<S>
        <FONT name="title" size="14" family="Serif A" style="2" />
        <FONT name="TITLE" size="20" family="Serif B" style="1" />
        <FONT name="sizeless" family="F" />
        <W><FONT name="inner" size="9" /></W>
      </S>)");
    SKIN_FONT title;
    title.name = L"Title";
    ASSERT_TRUE(skin->GetFont(title));
    EXPECT_EQ(title.size, 14);
    EXPECT_EQ(title.style, 2);
    EXPECT_EQ(title.family, L"Serif A");

    SKIN_FONT sizeless;
    sizeless.name = L"sizeless";
    sizeless.size = 33;
    sizeless.style = 4;
    ASSERT_TRUE(skin->GetFont(sizeless));
    EXPECT_EQ(sizeless.size, 33);
    EXPECT_EQ(sizeless.style, 4);
    EXPECT_EQ(sizeless.family, L"F");

    // Only the root's FONT children are fonts; a miss leaves the record alone.
    for (const wchar_t* name : {L"inner", L"none", L""}) {
        SKIN_FONT font;
        font.name = name;
        font.size = 5;
        font.family = L"kept";
        EXPECT_FALSE(skin->GetFont(font)) << name;
        EXPECT_EQ(font.size, 5);
        EXPECT_EQ(font.family, L"kept");
    }
}

TEST(SkinManager, LogoIsTheLastRootImageNamedLogo)
{
    auto skin = FromText(R"(<S>
        <IMG name="logo" stand="first.png" />
        <IMG name="other" stand="other.png" />
        <W><IMG name="logo" stand="inner.png" /></W>
        <IMG name="LOGO" stand="res\logo.png" />
      </S>)");
    EXPECT_EQ(skin->GetLogo(), L"res\\logo.png");
    EXPECT_EQ(skin->GetLogo(), L"res\\logo.png");

    auto none = FromText("<S><IMG name=\"logo\" stand=\"a.png\"/><IMG name=\"logo\"/></S>");
    EXPECT_EQ(none->GetLogo(), L"");
}

TEST(SkinManager, LineEndsAreNormalised)
{
    auto skin = FromText("<S>\r\n<W title=\"a\r\nb\rc\nd\" width=\"5\">\r</W>\r\n</S>\r");
    const SKIN_WND info = WindowInfo(*skin, L"W");
    EXPECT_EQ(info.title, L"a\nb\nc\nd");
    EXPECT_EQ(info.width, 5);
}

TEST(SkinManager, DocumentThatDoesNotParseGivesDefaults)
{
    CSkinManager skin;
    ASSERT_TRUE(skin.LoadSkinText("<S><FONT name=\"f\" size=\"3\"/><W width=\"5\"><BTN name=\"b\"/></W></S>"));
    for (const char* bad : {"<S><FONT name=\"f\" size=\"3\"/><W width=\"5\"><BTN name=\"b\"/></S>", "", "plain text",
                            "<S><W width=\"5\"/>"}) {
        EXPECT_FALSE(skin.LoadSkinText(bad)) << bad;
        EXPECT_EQ(WindowInfo(skin, L"W").width, 0) << bad;
        EXPECT_TRUE(Buttons(skin, L"W").empty()) << bad;
        SKIN_FONT font;
        font.name = L"f";
        EXPECT_FALSE(skin.GetFont(font)) << bad;
    }
}

TEST(SkinManager, OneInstanceLoadedFromTheResourceUntilDeleted)
{
    CSkinManager* first = CSkinManager::GetInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CSkinManager::GetInstance(), first);
    EXPECT_EQ(WindowInfo(*first, L"MAINWND").width, 1280);

    first->LoadSkinText("<S><MAINWND width=\"3\"/></S>");
    EXPECT_EQ(WindowInfo(*CSkinManager::GetInstance(), L"MAINWND").width, 3);
    g_pSkin = first;
    delete first;
    EXPECT_EQ(g_pSkin, nullptr);

    CSkinManager* second = CSkinManager::GetInstance();
    EXPECT_EQ(WindowInfo(*second, L"MAINWND").width, 1280);
    delete second;
}
