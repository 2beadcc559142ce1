// Fonts made from the skin's FONT records, and the one-line text primitive
// of the skinned windows. GDI+ must be running.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string_view>

#include "skin/SkinRecords.h"

// A font of the record's family, em size in pixels and style bits; a
// family that is not installed, or that cannot make the font, is replaced
// by the generic sans-serif family; where even that is missing, by the face
// that GDI maps the family name to.
std::unique_ptr<Gdiplus::Font> CreateSkinFont(const SKIN_FONT& font);

// Draws text on one line into layout: near-aligned, vertically centred,
// cut with an ellipsis where it does not fit, in an opaque brush of color.
void DrawSkinText(Gdiplus::Graphics& graphics, std::wstring_view text, COLORREF color, const SKIN_FONT& font,
                  const Gdiplus::RectF& layout);

// The opaque GDI+ colour of a GDI colour value.
inline Gdiplus::Color SkinColor(COLORREF color)
{
    return Gdiplus::Color(255, GetRValue(color), GetGValue(color), GetBValue(color));
}
