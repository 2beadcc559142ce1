#include "windows/SkinWnd2.h"

#include "config/ClientConfig.h"
#include "platform/ScopedWin.h"
#include "skin/ImageEx.h"
#include "skin/SkinLayout.h"
#include "skin/SkinManager.h"

int CSkinWnd2::m_nNextButtonId = CSkinWndBase::kFirstButtonId;

CSkinWnd2::CSkinWnd2(std::wstring skinName) : CSkinWndBase(std::move(skinName)) {}

CSkinWnd2::~CSkinWnd2()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

std::wstring CSkinWnd2::WindowText() const { return VersionText(); }

void CSkinWnd2::OnCloseCommand() { ClickCloseButton(); }

int CSkinWnd2::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (Default(WM_CREATE, wParam, lParam) == -1)
        return -1;
    SetSkinIcons();
    CreateTooltip();
    ApplySkin();
    return 0;
}

void CSkinWnd2::DrawImages(HDC dc, const RECT& client)
{
    const int W = m_nWidth, H = m_nHeight;
    for (const auto& record : m_imgs) {
        if (!record.visible || !record.image)
            continue;
        const CImageEx& image = *record.image;
        int sw = record.rect.right - record.rect.left;
        int sh = record.rect.bottom - record.rect.top;
        if (sw <= 0 || sh <= 0) {
            sw = image.GetWidth();
            sh = image.GetHeight();
        }
        POINT pt{record.left, record.top};
        AnchorPoint(pt, record.align, client, RECT{0, 0, sw, sh});
        RECT dest{pt.x, pt.y, pt.x + sw, pt.y + sh};
        // The stretched edges lie at x + W and y + H, not at the window's edges.
        if (record.strech == 1 || record.strech == 3)
            dest.right = pt.x + W;
        if (record.strech == 2 || record.strech == 3)
            dest.bottom = pt.y + H;
        image.Draw(dc, dest);
    }
}

void CSkinWnd2::DrawTitleBar(Gdiplus::Graphics& graphics)
{
    const int titleHeight = m_skinWnd.titleHeight;
    float logoWidth = 0;
    CSkinManager* skin = CSkinManager::GetInstance();
    const std::wstring logoPath = skin ? skin->GetLogo() : std::wstring();
    if (!logoPath.empty()) {
        Gdiplus::Image logo(logoPath.c_str());
        if (logo.GetLastStatus() == Gdiplus::Ok && logo.GetWidth() > 0) {
            const float w = static_cast<float>(logo.GetWidth());
            const float h = static_cast<float>(logo.GetHeight());
            graphics.DrawImage(&logo, 3.0f, (titleHeight - h) * 0.5f, w, h);
            logoWidth = w;
        }
    }
    if (m_skinWnd.title.empty() || m_skinWnd.font.empty() || !skin)
        return;
    SKIN_FONT font;
    font.name = m_skinWnd.font;
    if (!skin->GetFont(font))
        return;
    const Gdiplus::RectF layout(3 + logoWidth + 3, 0, static_cast<float>(m_nWidth), static_cast<float>(titleHeight));
    DrawSkinText(graphics, m_skinWnd.title, m_skinWnd.color, font, layout);
}

void CSkinWnd2::Compose(HDC dc, const RECT& client)
{
    ScopedBrush background(::CreateSolidBrush(m_skinWnd.bgcolor));
    ::FillRect(dc, &client, background.get());
    DrawImages(dc, client);
    for (const auto& button : m_buttons) {
        if (::IsWindowVisible(button->GetSafeHwnd()))
            button->Draw(dc);
    }
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
    if (m_skinWnd.logo)
        DrawTitleBar(graphics);
    DrawTexts(graphics, client);
}

void CSkinWnd2::OnPaint()
{
    PaintDc paint(m_hWnd);
    const RECT client = NormalisedClientRect(m_hWnd);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    ScopedMemoryDc memory(::CreateCompatibleDC(paint.get()));
    ScopedBitmap bitmap(::CreateCompatibleBitmap(paint.get(), width, height));
    ScopedSelect selected(memory.get(), bitmap.get());
    Compose(memory.get(), client);
    ::BitBlt(paint.get(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

LRESULT CSkinWnd2::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(wParam, lParam);
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_LBUTTONDOWN:
        if (m_bMovable && static_cast<short>(HIWORD(lParam)) <= m_skinWnd.titleHeight)
            SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        LimitToWorkArea(*info);
        info->ptMinTrackSize = {m_skinWnd.width, m_skinWnd.height};
        break;
    }
    case WM_CLOSE:
        OnCloseCommand();
        return 0;
    }
    return CSkinWndBase::WindowProc(msg, wParam, lParam);
}
