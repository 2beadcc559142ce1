#include "platform/Image.h"

#include <gdiplus.h>

#include <memory>
#include <vector>

#include "platform/ScopedWin.h"

namespace {

bool SourceHasAlpha(Gdiplus::Bitmap& bitmap)
{
    const Gdiplus::PixelFormat format = bitmap.GetPixelFormat();
    if (Gdiplus::IsAlphaPixelFormat(format))
        return true;
    if (!Gdiplus::IsIndexedPixelFormat(format))
        return false;
    // A palette image with transparent entries (a PNG with tRNS).
    const INT size = bitmap.GetPaletteSize();
    if (size < static_cast<INT>(sizeof(Gdiplus::ColorPalette)))
        return false;
    std::vector<BYTE> buffer(static_cast<size_t>(size));
    auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.data());
    return bitmap.GetPalette(palette, size) == Gdiplus::Ok && (palette->Flags & Gdiplus::PaletteFlagsHasAlpha);
}

} // namespace

CImage::~CImage() { Destroy(); }

void CImage::Destroy()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = m_nBPP = m_nPitch = 0;
    m_bHasAlpha = false;
}

HRESULT CImage::Load(IStream* stream)
{
    Destroy();
    if (!stream)
        return E_POINTER;
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream, FALSE);
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return E_FAIL;
    const int width = static_cast<int>(bitmap->GetWidth());
    const int height = static_cast<int>(bitmap->GetHeight());
    if (width <= 0 || height <= 0)
        return E_FAIL;
    const bool alpha = SourceHasAlpha(*bitmap);
    const int bpp = alpha ? 32 : 24;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bpp);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits)
        return E_OUTOFMEMORY;
    const int pitch = ((width * bpp + 31) / 32) * 4;

    // GDI+ converts straight into the DIB's memory: 32bppARGB is straight
    // alpha in the blue, green, red, alpha byte order of a 32-bit DIB.
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = pitch;
    data.PixelFormat = alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    data.Scan0 = bits;
    Gdiplus::Rect all(0, 0, width, height);
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, data.PixelFormat,
                         &data) != Gdiplus::Ok)
        return E_FAIL;
    bitmap->UnlockBits(&data);

    m_hBitmap = dib.release();
    m_pBits = bits;
    m_nWidth = width;
    m_nHeight = height;
    m_nBPP = bpp;
    m_nPitch = pitch;
    m_bHasAlpha = alpha;
    return S_OK;
}

BOOL CImage::Draw(HDC dest, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                  int hSrc) const
{
    if (!m_hBitmap || !dest)
        return FALSE;
    ScopedMemoryDc source(::CreateCompatibleDC(dest));
    if (!source)
        return FALSE;
    ScopedSelect select(source.get(), m_hBitmap);
    if (m_bHasAlpha) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        return ::AlphaBlend(dest, xDest, yDest, wDest, hDest, source.get(), xSrc, ySrc, wSrc, hSrc, blend);
    }
    // Shrinking a copy must not mix rows or columns into each other.
    const int oldMode = ::SetStretchBltMode(dest, COLORONCOLOR);
    const BOOL done =
        ::StretchBlt(dest, xDest, yDest, wDest, hDest, source.get(), xSrc, ySrc, wSrc, hSrc, SRCCOPY);
    if (oldMode)
        ::SetStretchBltMode(dest, oldMode);
    return done;
}
