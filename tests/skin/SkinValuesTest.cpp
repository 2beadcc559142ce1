#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "SkinTestSupport.h"
#include "skin/SkinLayout.h"
#include "skin/SkinValues.h"

TEST(SkinValues, SplitText)
{
    const struct {
        const wchar_t* text;
        std::vector<std::wstring> parts;
    } cases[] = {
        {L"1,2,3", {L"1", L"2", L"3"}},
        {L"1,,3", {L"1", L"", L"3"}},
        {L"1,2,", {L"1", L"2"}},
        {L"1,,", {L"1", L""}},
        {L",1", {L"", L"1"}},
        {L",", {L""}},
        {L"abc", {L"abc"}},
        {L"", {L""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitText(c.text), c.parts) << testing::PrintToString(std::wstring(c.text));
}

TEST(SkinValues, ParseColorAndParseRect)
{
    const struct {
        const wchar_t* text;
        std::uint32_t color;
        SkinBox rect;
    } cases[] = {
        {L"235,235,235", 0xEBEBEB, {235, 235, 235, 0}},
        {L"255,0,0", 0x0000FF, {255, 0, 0, 0}},
        {L"0,0,255", 0xFF0000, {0, 0, 255, 0}},
        {L"300,0,0", 0x00002C, {300, 0, 0, 0}},
        {L"-1,0,0", 0x0000FF, {-1, 0, 0, 0}},
        {L" 12, 34 ,56", 0x38220C, {12, 34, 56, 0}},
        {L"12abc,0,0", 0x00000C, {12, 0, 0, 0}},
        {L"a,b,c", 0, {0, 0, 0, 0}},
        {L"120,1,10,1", 0x0A0178, {120, 1, 10, 1}},
        {L"1,2,3,4,5", 0x030201, {1, 2, 3, 4}},
        {L"5,,7,8", 0x070005, {5, 0, 7, 8}},
        // Fewer parts than the format has: the missing numbers are 0.
        {L"1,2", 0x000201, {1, 2, 0, 0}},
        {L"1,2,3,", 0x030201, {1, 2, 3, 0}},
        {L"7", 0x000007, {7, 0, 0, 0}},
        {L"", 0, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseColor(c.text), c.color) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(ParseRect(c.text), c.rect) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(SkinValues, ParseIntegerNeedsALeadingNumber)
{
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"1049", 1049}, {"  -5", -5}, {"+7", 7}, {"12px", 12}, {"0", 0},
        {"99999999999", INT_MAX}, {"abc", std::nullopt}, {"", std::nullopt},
        {"-", std::nullopt}, {"  ", std::nullopt}, {"- 3", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(SkinValues, AnchorPoint)
{
    const SkinBox parent{0, 0, 800, 600};
    const struct {
        const wchar_t* align;
        int x, y;
    } cases[] = {
        {L"TopLeft", 3, 4},       {L"TopRight", 747, 4},  {L"topright", 747, 4},
        {L"BottomLeft", 3, 576},  {L"BOTTOMRIGHT", 747, 576}, {L"Centre", 3, 4},
        {L"", 3, 4},              {L"Top Right", 3, 4},
    };
    for (const auto& c : cases) {
        // The size counts, not where the size rectangle lies.
        for (const SkinBox& size : {SkinBox{0, 0, 50, 20}, SkinBox{100, 200, 150, 220}}) {
            int x = 3, y = 4;
            AnchorPoint(x, y, c.align, parent, size);
            EXPECT_EQ(x, c.x) << testing::PrintToString(std::wstring(c.align));
            EXPECT_EQ(y, c.y) << testing::PrintToString(std::wstring(c.align));
        }
        POINT pt{3, 4};
        AnchorPoint(pt, c.align, RECT{0, 0, 800, 600}, RECT{0, 0, 50, 20});
        EXPECT_EQ(pt.x, c.x);
        EXPECT_EQ(pt.y, c.y);
    }
}
