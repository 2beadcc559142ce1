// A skin picture: a PNG from the program's resources with premultiplied
// alpha, drawn whole or as a nine-grid with fixed borders.
#pragma once

#include <windows.h>

#include "platform/Image.h"

class CImageEx : public CImage {
public:
    CImageEx() = default;
    ~CImageEx() override = default;

    // Loads the PNG resource (type "PNG") whose id is the low 16 bits of id
    // from the program's resources. A missing or undecodable resource leaves
    // the image empty.
    BOOL LoadFromId(int id);
    BOOL LoadFromResource(HMODULE module, HRSRC resource);
    // Decodes, then premultiplies alpha once so that drawing is one
    // AlphaBlend per piece.
    BOOL LoadFromStream(IStream* stream);
    // FALSE unless the bitmap is 32 bits per pixel with accessible bits.
    BOOL PremultiplyAlpha();

    // Border widths (each member a width, not an edge) of a nine-grid draw.
    void SetNineGrid(const RECT& margins);
    bool IsNineGrid() const { return m_bNineGrid; }
    const RECT& GetNineGrid() const { return m_rcNineGrid; }

    using CImage::Draw;
    // Draws the whole image into dest: as a nine-grid when margins are set
    // and dest's size differs from the image's, else stretched in one piece.
    BOOL Draw(HDC dc, const RECT& dest) const;
    // Draws the nine pieces that are not empty; always TRUE.
    BOOL DrawNineGrid(HDC dc, int x, int y, int width, int height, int left, int top, int right,
                      int bottom) const;

private:
    BOOL m_bNineGrid = FALSE;
    RECT m_rcNineGrid{};
};
