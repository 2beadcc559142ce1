// Helpers of the skin tests: pixel surfaces to draw into and read back,
// PNG streams made on the fly, a record of the blits a drawing makes, and
// a parent window of the tests' own class.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ComPtr.h"
#include "platform/Wnd.h"
#include "skin/SkinBox.h"

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out)
{
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
inline void PrintTo(const SkinBox& r, std::ostream* out)
{
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

// A 32-bit top-down DIB section selected into a memory DC.
class Dib {
public:
    Dib(int width, int height, std::uint32_t fill = 0);
    ~Dib();
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // 0xAARRGGBB as stored (blue in the low byte).
    std::uint32_t At(int x, int y) const;
    void Fill(std::uint32_t value);
    const std::uint32_t* Row(int y) const { return m_bits + static_cast<size_t>(y) * m_width; }
    bool SameAs(const Dib& other) const;
    // Pixels that are not `background`, as the smallest box holding them;
    // empty when there are none.
    RECT Changed(std::uint32_t background) const;
    // Pixels that differ from other's (of the same size), likewise.
    RECT Changed(const Dib& other) const;
    int Count(std::uint32_t value) const;

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
};

// Pixels given as 0xAARRGGBB, row by row, encoded as a PNG (with an alpha
// channel when withAlpha) by GDI+.
std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& argb, bool withAlpha);
ComPtr<IStream> StreamOf(const std::string& bytes);

// One blit recorded in an enhanced metafile.
struct RecordedBlit {
    DWORD type; // EMR_ALPHABLEND, EMR_STRETCHBLT or EMR_BITBLT
    RECT dest;  // x, y, x + width, y + height
    RECT source;
    DWORD rop; // raster operation; for AlphaBlend the packed BLENDFUNCTION
};
std::vector<RecordedBlit> RecordBlits(const std::function<void(HDC)>& draw);

// A top-level popup window of the tests' own class, with no frame, so that
// its window and client rectangles agree. Records the clicks its children
// report. Hidden unless asked: under Wine, destroying a shown top-level
// window waits for the display.
class TestParent : public CWnd {
public:
    TestParent(int width, int height, bool visible = false);

    struct Click {
        UINT id;
        UINT code;
    };
    std::vector<Click> clicks;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

RECT WindowRectIn(HWND child, HWND parent);
