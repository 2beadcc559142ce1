#include "windows/SkinWnd.h"

#include <cstring>

#include "platform/TextUtil.h"
#include "skin/ImageEx.h"
#include "skin/SkinLayout.h"

int CSkinWnd::m_nNextButtonId = CSkinWndBase::kFirstButtonId;

CSkinWnd::CSkinWnd(std::wstring skinName) : CSkinWndBase(std::move(skinName)) {}

CSkinWnd::~CSkinWnd()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

int CSkinWnd::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (Default(WM_CREATE, wParam, lParam) == -1)
        return -1;
    SetSkinIcons();
    m_hUser32.reset(::LoadLibraryW(L"User32.DLL"));
    if (!m_hUser32)
        return -1;
    m_pfnUpdateLayeredWindow = reinterpret_cast<UpdateLayeredWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(m_hUser32.get(), "UpdateLayeredWindow")));
    // Without the entry point the window could never show its picture.
    if (!m_pfnUpdateLayeredWindow)
        return -1;
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) ^ WS_EX_LAYERED);
    m_blend.BlendOp = AC_SRC_OVER;
    m_blend.BlendFlags = 0;
    m_blend.SourceConstantAlpha = 255;
    m_blend.AlphaFormat = AC_SRC_ALPHA;
    CreateTooltip();
    ApplySkin();
    return 0;
}

void CSkinWnd::ShowWnd(BOOL show)
{
    CSkinWndBase::ShowWnd(show);
    if (show)
        Render();
}

void CSkinWnd::SetImageVisible(const std::wstring& name, BOOL visible)
{
    for (auto& img : m_imgs) {
        if (EqualsNoCase(img.name, name)) {
            img.visible = visible;
            m_bImageLayerValid = false;
        }
    }
}

// A 32-bit top-down DIB keeps per-pixel alpha whatever the display's depth;
// it is kept between renders and made anew only when the size changes.
void CSkinWnd::PreparePicture(HDC reference, SIZE size)
{
    if (!m_picture || size.cx != m_pictureSize.cx || size.cy != m_pictureSize.cy) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = -size.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_pPictureBits = nullptr;
        m_picture.reset(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &m_pPictureBits, nullptr, 0));
        m_pictureSize = m_picture ? size : SIZE{};
        if (!m_picture)
            m_pPictureBits = nullptr;
        m_bImageLayerValid = false;
    }
}

void CSkinWnd::DrawImage(HDC dc, const RECT& client, const SKIN_IMG& record, const CImage& image)
{
    const int width = record.rect.right - record.rect.left;
    const int height = record.rect.bottom - record.rect.top;
    const RECT size = (width > 0 && height > 0) ? record.rect : RECT{0, 0, image.GetWidth(), image.GetHeight()};
    POINT pt{record.left, record.top};
    AnchorPoint(pt, record.align, client, size);
    RECT dest{pt.x, pt.y, pt.x + image.GetWidth(), pt.y + image.GetHeight()};
    if (width > 0)
        dest.right = pt.x + width;
    if (height > 0)
        dest.bottom = pt.y + height;
    // Plain stretch: this window applies neither strech nor nine-grids.
    image.Draw(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0, image.GetWidth(),
               image.GetHeight());
}

void CSkinWnd::ComposeImages(HDC dc, const RECT& client)
{
    for (const auto& record : m_imgs) {
        if (!record.visible)
            continue;
        if (m_bDecodeEachRender) {
            CImageEx fresh;
            if (fresh.LoadFromId(record.stand))
                DrawImage(dc, client, record, fresh);
        } else if (record.image && !record.image->IsNull()) {
            DrawImage(dc, client, record, *record.image);
        }
    }
}

void CSkinWnd::PutImages(HDC dc, const RECT& client)
{
    const size_t bytes = static_cast<size_t>(m_pictureSize.cx) * m_pictureSize.cy * 4;
    auto* picture = static_cast<unsigned char*>(m_pPictureBits);
    if (m_bImageLayerValid && !m_bDecodeEachRender) {
        std::memcpy(picture, m_imageLayer.data(), bytes);
        return;
    }
    std::memset(picture, 0, bytes);
    ComposeImages(dc, client);
    ::GdiFlush();
    m_imageLayer.assign(picture, picture + bytes);
    m_bImageLayerValid = true;
}

void CSkinWnd::Render()
{
    PaintDc paint(m_hWnd);
    const RECT client = NormalisedClientRect(m_hWnd);
    const SIZE size{m_nWidth, m_nHeight};
    if (size.cx <= 0 || size.cy <= 0 || !m_pfnUpdateLayeredWindow)
        return;
    PreparePicture(paint.get(), size);
    if (!m_picture)
        return;
    ScopedMemoryDc memory(::CreateCompatibleDC(paint.get()));
    {
        ScopedSelect selected(memory.get(), m_picture.get());
        PutImages(memory.get(), client);
        for (const auto& button : m_buttons) {
            if (::IsWindowVisible(button->GetSafeHwnd()))
                button->Draw(memory.get());
        }
        {
            Gdiplus::Graphics graphics(memory.get());
            graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
            DrawTexts(graphics, client);
        }
        ::GdiFlush();
        RECT window{};
        ::GetWindowRect(m_hWnd, &window);
        POINT dest{window.left, window.top};
        POINT source{0, 0};
        SIZE pushed = size;
        m_pfnUpdateLayeredWindow(m_hWnd, paint.get(), &dest, &pushed, memory.get(), &source, 0, &m_blend, ULW_ALPHA);
        // Without SWP_NOACTIVATE every hover would activate the window and
        // take the keyboard from a question box shown over it.
        ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, dest.x, dest.y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
}

LRESULT CSkinWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(wParam, lParam);
    case WM_PAINT:
        if (::IsWindowVisible(m_hWnd))
            Render();
        else
            ::ValidateRect(m_hWnd, nullptr);
        return 0;
    case WM_LBUTTONDOWN:
        SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        LimitToWorkArea(*info);
        break;
    }
    case WM_CLOSE:
        ClickCloseButton();
        return 0;
    }
    return CSkinWndBase::WindowProc(msg, wParam, lParam);
}
