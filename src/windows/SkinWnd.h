// A borderless layered window with per-pixel alpha: every render composes
// one off-screen picture of the skin's images, the buttons and the texts
// and hands it to the system in one UpdateLayeredWindow call. Pixels that
// no image covers stay transparent, so the images give the window its shape.
#pragma once

#include "platform/ScopedWin.h"
#include "windows/SkinWndBase.h"

class CSkinWnd : public CSkinWndBase {
public:
    explicit CSkinWnd(std::wstring skinName);
    ~CSkinWnd() override;

    void ShowWnd(BOOL show) override;

    // Composes and pushes the picture; also shows the window.
    void Render();
    void SetImageVisible(const std::wstring& name, BOOL visible);

    // The last composed picture: premultiplied BGRA, top row first; for
    // reading back what was handed to the system.
    const unsigned char* PictureBits() const { return static_cast<const unsigned char*>(m_pPictureBits); }
    SIZE PictureSize() const { return m_pictureSize; }

    // Decoding the images again for every render is how the picture was
    // first made; kept to measure the decoded-once composition against it.
    bool m_bDecodeEachRender = false;

    static int m_nNextButtonId;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int& NextButtonId() override { return m_nNextButtonId; }

private:
    using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                DWORD);

    int OnCreate(WPARAM wParam, LPARAM lParam);
    void PreparePicture(HDC reference, SIZE size);
    // Puts the images into the picture: copied from the last composition
    // of them while nothing they depend on has changed.
    void PutImages(HDC dc, const RECT& client);
    void ComposeImages(HDC dc, const RECT& client);
    void DrawImage(HDC dc, const RECT& client, const SKIN_IMG& record, const CImage& image);

    ScopedModule m_hUser32;
    UpdateLayeredWindowFn m_pfnUpdateLayeredWindow = nullptr;
    BLENDFUNCTION m_blend{};
    ScopedBitmap m_picture;
    void* m_pPictureBits = nullptr;
    SIZE m_pictureSize{};
    std::vector<unsigned char> m_imageLayer; // the images alone, as composed
    bool m_bImageLayerValid = false;
};
