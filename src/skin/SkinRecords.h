// The records a skinned window receives from the skin document, copied by
// value. Numbers absent from the document keep the defaults given here.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class CImageEx;

inline constexpr COLORREF kSkinWhite = 0xFFFFFF;

// A window element; `name` is the element's tag and is given by the caller,
// as are `logo` and `titleHeight`, which keep their values when the
// document has none.
struct SKIN_WND {
    int logo = 0;
    int titleHeight = 0;
    int width = 0;
    int height = 0;
    int border = 1;
    COLORREF color = kSkinWhite;
    COLORREF bgcolor = kSkinWhite;
    std::wstring name;
    std::wstring title;
    std::wstring font;
};

struct SKIN_IMG {
    int strech = 0;
    int left = 0;
    int top = 0;
    RECT rect{}; // {0, 0, width, height}; an empty size means the image's own
    std::wstring name;
    int stand = 0;
    std::wstring align;
    BOOL visible = FALSE;
    // Loaded, with its nine-grid margins set; shared by the copies of the
    // record and freed with the last of them.
    std::shared_ptr<CImageEx> image;
};

struct SKIN_RECT {
    int strech = 0;
    RECT rect{}; // {left, top, left + width, top + height}
    std::wstring name;
};

struct SKIN_BTN {
    COLORREF color = kSkinWhite;
    COLORREF hotcolor = kSkinWhite; // while hovered or checked
    int style = 0;
    int check = 0;
    int left = 0;
    int top = 0;
    std::wstring name;
    std::wstring title;
    int stand = 0;      // PNGs stand, stand + 1, stand + 2: normal, hover, pressed
    int blinkStand = 0; // the set shown in alternate half-periods of a blink; 0 = nothing
    int icon = 0;
    int icon1 = 0; // badge
    std::wstring font;
    std::wstring align;
    std::wstring tip;
};

struct SKIN_TEXT {
    COLORREF color = kSkinWhite;
    RECT rect{}; // {left, top, left + width, top + height}
    std::wstring name;
    std::wstring title;
    std::wstring font;
    std::wstring align;
};

struct SKIN_FONT {
    int size = 0; // em size in pixels
    int style = 0; // GDI+ font style bits: 1 bold, 2 italic, 4 underline, 8 strikeout
    std::wstring name;
    std::wstring family;
};
