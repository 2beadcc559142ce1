// A rectangle of the skin engine's own logic: edges in pixels, right and
// bottom exclusive, with the member order of the Win32 RECT. Kept free of
// Windows headers so that the parsers and layout arithmetic build anywhere.
#pragma once

struct SkinBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const SkinBox&) const = default;
};
