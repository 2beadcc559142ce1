// The pieces of a nine-grid: corners keep their size, edges and centre
// stretch. Pure logic; the image class draws the pieces.
#pragma once

#include <vector>

#include "skin/SkinBox.h"

struct NineGridPiece {
    SkinBox dest;
    SkinBox source;
};

// The pieces for an image of imageWidth x imageHeight drawn into dest with
// border widths margins.left/top/right/bottom, in drawing order: top-left,
// left, top, top-right, right, bottom, bottom-right, bottom-left, centre.
// A piece whose destination or source is empty is left out, so a zero
// margin drops its border and a destination narrower than left + right
// drops the top, bottom and centre pieces.
std::vector<NineGridPiece> NineGridPieces(const SkinBox& dest, const SkinBox& margins, int imageWidth,
                                          int imageHeight);
