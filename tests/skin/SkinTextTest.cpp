#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "SkinTestSupport.h"
#include "skin/SkinText.h"

namespace {

SKIN_FONT Font(const wchar_t* family, int size, int style)
{
    SKIN_FONT font;
    font.name = L"any";
    font.family = family;
    font.size = size;
    font.style = style;
    return font;
}

std::wstring FamilyOf(const Gdiplus::Font& font)
{
    Gdiplus::FontFamily family;
    font.GetFamily(&family);
    wchar_t name[LF_FACESIZE] = {};
    family.GetFamilyName(name);
    return name;
}

// A family this machine has, whichever it is.
std::wstring InstalledFamily()
{
    Gdiplus::InstalledFontCollection fonts;
    Gdiplus::FontFamily family;
    int found = 0;
    if (fonts.GetFamilies(1, &family, &found) != Gdiplus::Ok || found != 1)
        return {};
    wchar_t name[LF_FACESIZE] = {};
    family.GetFamilyName(name);
    return name;
}

// What a missing family becomes: the generic sans-serif family, or where
// the system has none, the face GDI maps the name to.
std::wstring ExpectedFallback(const wchar_t* family)
{
    wchar_t name[LF_FACESIZE] = {};
    if (const Gdiplus::FontFamily* sansSerif = Gdiplus::FontFamily::GenericSansSerif()) {
        sansSerif->GetFamilyName(name);
        return name;
    }
    LOGFONTW logFont{};
    logFont.lfHeight = -16;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    wcsncpy(logFont.lfFaceName, family, LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&logFont);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    ::GetTextFaceW(dc, LF_FACESIZE, name);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(font);
    return name;
}

constexpr COLORREF kInk = RGB(250, 3, 4);
constexpr std::uint32_t kInkPixel = 0xFA0304; // as a DIB stores it
constexpr std::uint32_t kBlack = 0xFF000000;

RECT DrawnBox(const std::wstring& text, const Gdiplus::RectF& layout, Dib& dib)
{
    dib.Fill(kBlack);
    {
        Gdiplus::Graphics graphics(dib.Dc());
        DrawSkinText(graphics, text, kInk, Font(InstalledFamily().c_str(), 14, 0), layout);
    }
    return dib.Changed(kBlack);
}

} // namespace

TEST(SkinText, FontOfTheRecord)
{
    const std::wstring installed = InstalledFamily();
    ASSERT_FALSE(installed.empty());
    const auto font = CreateSkinFont(Font(installed.c_str(), 12, 1 | 4));
    ASSERT_EQ(font->GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(FamilyOf(*font), installed);
    EXPECT_EQ(font->GetSize(), 12.0f);
    EXPECT_EQ(font->GetStyle(), 5);
    EXPECT_EQ(font->GetUnit(), Gdiplus::UnitPixel);
}

TEST(SkinText, FamilyThatIsNotInstalledFallsBackToSansSerif)
{
    for (const wchar_t* family : {L"No Such Family 4711", L"宋体", L""}) {
        const auto font = CreateSkinFont(Font(family, 16, 2));
        ASSERT_EQ(font->GetLastStatus(), Gdiplus::Ok) << testing::PrintToString(std::wstring(family));
        EXPECT_EQ(FamilyOf(*font), ExpectedFallback(family));
        EXPECT_NE(FamilyOf(*font), family);
        EXPECT_EQ(font->GetStyle() & Gdiplus::FontStyleItalic, Gdiplus::FontStyleItalic);
    }

    // The text is still drawn.
    Dib dib(200, 30, kBlack);
    {
        Gdiplus::Graphics graphics(dib.Dc());
        DrawSkinText(graphics, L"Fallback", kInk, Font(L"No Such Family 4711", 14, 0), Gdiplus::RectF(0, 0, 200, 30));
    }
    EXPECT_NE(dib.Changed(kBlack).right, 0);
}

TEST(SkinText, OneLineNearAlignedAndCentred)
{
    Dib dib(300, 40);
    const RECT box = DrawnBox(L"Skin text", Gdiplus::RectF(20, 0, 200, 40), dib);
    ASSERT_GT(box.right, box.left);
    EXPECT_GE(box.left, 20);
    EXPECT_LE(box.left, 26); // near: starts at the left of the layout
    EXPECT_LT(box.right, 150);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 20.0, 4.0); // centred in the 40 px
    // Drawn in the colour given.
    int inked = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            inked += (dib.At(x, y) & 0xFFFFFF) == kInkPixel;
    EXPECT_GT(inked, 0);

    // Text too long for its box stays on one line inside the box.
    std::wstring longText;
    for (int i = 0; i < 40; ++i)
        longText += L"word ";
    const RECT cut = DrawnBox(longText, Gdiplus::RectF(20, 0, 100, 40), dib);
    ASSERT_GT(cut.right, cut.left);
    EXPECT_GE(cut.left, 20);
    EXPECT_LE(cut.right, 120);
    EXPECT_LT(cut.bottom - cut.top, 20);
}
