// A decoded picture held as a DIB section, drawn into device contexts with
// per-pixel alpha when it has an alpha channel.
#pragma once

#include <windows.h>
#include <objidl.h>

class CImage {
public:
    CImage() = default;
    virtual ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    // Decodes an image stream with GDI+ (which must be running). A source
    // with an alpha channel becomes a 32-bit DIB with straight alpha and the
    // has-alpha flag; any other source a 24-bit DIB without it. On failure
    // the image is empty.
    HRESULT Load(IStream* stream);
    void Destroy();

    bool IsNull() const { return m_hBitmap == nullptr; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetBPP() const { return m_nBPP; }
    bool HasAlpha() const { return m_bHasAlpha; }
    HBITMAP GetHBITMAP() const { return m_hBitmap; }
    // The first (top) row of pixels and the distance in bytes between rows.
    void* GetBits() const { return m_pBits; }
    int GetPitch() const { return m_nPitch; }

    // Draws the source rectangle of the image stretched into the destination
    // rectangle: AlphaBlend over the destination when the image has alpha
    // (the pixels must then be premultiplied), otherwise a plain copy.
    BOOL Draw(HDC dest, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
              int hSrc) const;

private:
    HBITMAP m_hBitmap = nullptr;
    void* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBPP = 0;
    int m_nPitch = 0;
    bool m_bHasAlpha = false;
};
