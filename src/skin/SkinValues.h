// Reading the value formats of the skin document, and anchoring a position
// inside a parent. Pure logic.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinBox.h"

// Splits at each ','; a trailing comma adds no empty part, a doubled one
// does ("1,,3" -> "1", "", "3"). Text without a comma is its only part.
std::vector<std::wstring> SplitText(std::wstring_view text);

// "r,g,b" as a GDI colour value (red in the low byte), each number reduced
// to its low 8 bits. Missing numbers read as 0.
std::uint32_t ParseColor(std::wstring_view text);

// "l,t,r,b" as four numbers in a box. Missing numbers read as 0.
SkinBox ParseRect(std::wstring_view text);

// An integer attribute: a value only when the text begins, after blanks and
// an optional sign, with a digit; read like atoi from there.
std::optional<int> ParseInteger(std::string_view text);

// Moves the offset (x, y) of a thing of the given size to its position
// inside parent. "TopRight" measures x from the parent's right edge to the
// thing's right edge, "BottomLeft" y from the bottom, "BottomRight" both;
// any other name (letter case ignored) leaves the offset as it is.
void AnchorPoint(int& x, int& y, std::wstring_view align, const SkinBox& parent, const SkinBox& size);
