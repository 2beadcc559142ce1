// The skin's layout helpers on Win32 types, for the windows and buttons.
#pragma once

#include <windows.h>

#include <string_view>

#include "skin/SkinBox.h"

inline SkinBox ToSkinBox(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const SkinBox& b) { return {b.left, b.top, b.right, b.bottom}; }

// Moves pt, an offset measured from the corner that align names ("TopLeft",
// "TopRight", "BottomLeft", "BottomRight", letter case ignored; anything
// else is "TopLeft"), to its position inside parent, a client rectangle,
// for a thing as wide and high as size. With "TopRight", pt.x is the
// distance between the right edges.
void AnchorPoint(POINT& pt, std::wstring_view align, const RECT& parent, const RECT& size);
