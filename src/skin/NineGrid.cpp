#include "skin/NineGrid.h"

std::vector<NineGridPiece> NineGridPieces(const SkinBox& dest, const SkinBox& margins, int imageWidth,
                                          int imageHeight)
{
    const int x = dest.left, y = dest.top, w = dest.Width(), h = dest.Height();
    const int l = margins.left, t = margins.top, r = margins.right, b = margins.bottom;
    const int W = imageWidth, H = imageHeight;
    const NineGridPiece all[] = {
        {{x, y, x + l, y + t}, {0, 0, l, t}},
        {{x, y + t, x + l, y + h - b}, {0, t, l, H - b}},
        {{x + l, y, x + w - r, y + t}, {l, 0, W - r, t}},
        {{x + w - r, y, x + w, y + t}, {W - r, 0, W, t}},
        {{x + w - r, y + t, x + w, y + h - b}, {W - r, t, W, H - b}},
        {{x + l, y + h - b, x + w - r, y + h}, {l, H - b, W - r, H}},
        {{x + w - r, y + h - b, x + w, y + h}, {W - r, H - b, W, H}},
        {{x, y + h - b, x + l, y + h}, {0, H - b, l, H}},
        {{x + l, y + t, x + w - r, y + h - b}, {l, t, W - r, H - b}},
    };
    std::vector<NineGridPiece> pieces;
    for (const auto& piece : all) {
        if (!piece.dest.IsEmpty() && !piece.source.IsEmpty())
            pieces.push_back(piece);
    }
    return pieces;
}
