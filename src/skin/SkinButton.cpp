#include "skin/SkinButton.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/ScopedWin.h"
#include "skin/SkinLayout.h"
#include "skin/SkinManager.h"
#include "skin/SkinText.h"

namespace {

// A missing PNG gives an empty image, not an error.
std::unique_ptr<CImageEx> LoadPng(int id)
{
    auto image = std::make_unique<CImageEx>();
    image->LoadFromId(id);
    return image;
}

bool HasBitmap(const std::unique_ptr<CImageEx>& image) { return image && !image->IsNull(); }

RECT PlaceAt(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// The width of text in the GDI equivalent of font, as GDI measures it on dc.
int GdiTextWidth(HDC dc, const std::wstring& text, const Gdiplus::Font& font)
{
    LOGFONTW logFont{};
    {
        Gdiplus::Graphics graphics(dc);
        if (const_cast<Gdiplus::Font&>(font).GetLogFontW(&graphics, &logFont) != Gdiplus::Ok)
            return 0;
    }
    ScopedFont gdiFont(::CreateFontIndirectW(&logFont));
    if (!gdiFont)
        return 0;
    ScopedSelect select(dc, gdiFont.get());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

} // namespace

CSkinButton::CSkinButton() : m_format(std::make_unique<Gdiplus::StringFormat>())
{
    m_format->SetAlignment(Gdiplus::StringAlignmentNear);
    m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
    m_format->SetTrimming(Gdiplus::StringTrimmingWord);
    m_format->SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
}

// The window goes first, while every member its last messages might reach
// still exists.
CSkinButton::~CSkinButton() { DestroyWindow(); }

BOOL CSkinButton::Create(HWND parent, UINT id, int /*check*/)
{
    return CreateEx(0, L"Button", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CSkinButton::PreSubclassWindow()
{
    // Owner-drawn: the standard control keeps its mouse behaviour but never
    // paints a face of its own.
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style | BS_OWNERDRAW);
    CWnd::PreSubclassWindow();
}

BOOL CSkinButton::SetSkin(const std::wstring& /*tag*/, const SKIN_BTN& skin, HWND tooltip)
{
    SetImages(skin.stand, skin.stand + 1, skin.stand + 2);
    m_icon = LoadPng(skin.icon);
    m_badge = LoadPng(skin.icon1);

    // Measured to the button's left or top edge: anchoring a thing of no size.
    const RECT own = RectInParent();
    HWND parent = ::GetParent(m_hWnd);
    RECT frame{};
    ::GetWindowRect(parent, &frame);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&frame), 2);
    POINT at{skin.left, skin.top};
    AnchorPoint(at, skin.align, frame, RECT{});
    ::MoveWindow(m_hWnd, at.x, at.y, own.right - own.left, own.bottom - own.top, TRUE);
    ::ShowWindow(m_hWnd, SW_SHOW);

    m_skin = skin;

    if (tooltip && !m_skin.tip.empty()) {
        TOOLINFOW tool{};
        // The version-2 size is accepted by every common-controls version.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = m_hWnd;
        tool.uId = static_cast<UINT_PTR>(GetControlId());
        ::GetClientRect(m_hWnd, &tool.rect);
        tool.lpszText = const_cast<wchar_t*>(m_skin.tip.c_str());
        ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    switch (m_skin.style) {
    case 0:
        m_format->SetAlignment(Gdiplus::StringAlignmentNear);
        break;
    case 2:
        m_format->SetAlignment(Gdiplus::StringAlignmentFar);
        break;
    case 1:
    case 3:
        m_format->SetAlignment(Gdiplus::StringAlignmentCenter);
        break;
    case 4:
        m_format->SetAlignment(Gdiplus::StringAlignmentCenter);
        m_format->SetLineAlignment(Gdiplus::StringAlignmentFar);
        break;
    default:
        break;
    }
    return TRUE;
}

BOOL CSkinButton::SetImages(int a, int b, int c)
{
    m_pCurrent = nullptr;
    for (auto& image : m_images)
        image.reset();
    if (a == 0)
        return FALSE;
    m_images[0] = LoadPng(a);
    if (b != 0)
        m_images[1] = LoadPng(b);
    if (c != 0)
        m_images[2] = LoadPng(c);

    const CImageEx* sizing = m_images[0].get();
    if (sizing->GetWidth() == 0)
        sizing = m_images[1].get();
    const bool sized = sizing && sizing->GetWidth() > 0;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, sized ? sizing->GetWidth() : 50, sized ? sizing->GetHeight() : 20,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    m_pCurrent = m_images[0].get();
    return TRUE;
}

void CSkinButton::SetStand(int id)
{
    SetImages(id, id + 1, id + 2);
    InvalidateParent(RectInParent());
}

void CSkinButton::UpdateState()
{
    // A check button shows its state only in the title colour.
    if (m_skin.check != 0)
        return;
    CImageEx* next = m_images[0].get();
    if (m_bHover) {
        CImageEx* candidate = (m_bPressed ? m_images[2] : m_images[1]).get();
        if (candidate && candidate->GetWidth() > 0)
            next = candidate;
    }
    if (next == m_pCurrent)
        return;
    m_pCurrent = next;
    // An empty image (its PNG is missing) keeps the size, so that the
    // button stays where the mouse can reach it.
    if (!next || next->GetWidth() <= 0 || next->GetHeight() <= 0)
        return;
    const RECT own = RectInParent();
    const RECT area = PlaceAt(own.left, own.top, next->GetWidth(), next->GetHeight());
    ::MoveWindow(m_hWnd, area.left, area.top, next->GetWidth(), next->GetHeight(), TRUE);
    InvalidateParent(area);
}

void CSkinButton::Reposition(const RECT& client)
{
    const RECT own = RectInParent();
    POINT at{m_skin.left, m_skin.top};
    AnchorPoint(at, m_skin.align, client, own);
    ::MoveWindow(m_hWnd, at.x, at.y, own.right - own.left, own.bottom - own.top, TRUE);
}

void CSkinButton::SetTitle(const std::wstring& title)
{
    m_skin.title = title;
    InvalidateParent(RectInParent());
}

void CSkinButton::SetBlink(BOOL on)
{
    m_bBlinking = on ? TRUE : FALSE;
    m_bBlinkAlternate = FALSE;
    ::KillTimer(m_hWnd, kBlinkTimer);
    if (m_bBlinking)
        ::SetTimer(m_hWnd, kBlinkTimer, kBlinkPeriod, nullptr);
    else
        SetStand(m_skin.stand);
}

void CSkinButton::OnBlinkTick()
{
    // A tick already queued when the blink stopped changes nothing.
    if (!m_bBlinking)
        return;
    m_bBlinkAlternate = !m_bBlinkAlternate;
    SetStand(m_bBlinkAlternate ? m_skin.blinkStand : m_skin.stand);
}

LRESULT CSkinButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PaintDc paint(m_hWnd); // the parent draws the button
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    case WM_MOUSELEAVE:
        m_bPressed = FALSE;
        m_bHover = FALSE;
        m_bTracking = FALSE;
        UpdateState();
        return 0;
    case WM_MOUSEHOVER:
        m_bHover = TRUE;
        UpdateState();
        return 0;
    case WM_LBUTTONDOWN:
        m_bPressed = TRUE;
        UpdateState();
        break; // the standard control captures the mouse
    case WM_LBUTTONUP:
        OnLButtonUp(lParam);
        break; // the standard control sends the click
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, m_bHandCursor ? IDC_HAND : IDC_ARROW));
        return TRUE;
    case WM_TIMER:
        if (wParam == kBlinkTimer)
            OnBlinkTick();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CSkinButton::OnMouseMove()
{
    if (m_bTracking)
        return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE | TME_HOVER;
    track.hwndTrack = m_hWnd;
    track.dwHoverTime = 1;
    m_bTracking = ::TrackMouseEvent(&track);
}

void CSkinButton::OnLButtonUp(LPARAM lParam)
{
    m_bPressed = FALSE;
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (::PtInRect(&client, at))
        m_bChecked = m_skin.check != 0 ? !m_bChecked : FALSE;
    else
        m_bHover = FALSE;
    if (m_bBlinking)
        SetBlink(FALSE);
    UpdateState();
}

RECT CSkinButton::RectInParent() const
{
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void CSkinButton::InvalidateParent(const RECT& area) const
{
    if (HWND parent = ::GetParent(m_hWnd))
        ::InvalidateRect(parent, &area, TRUE);
}

std::unique_ptr<Gdiplus::Font> CSkinButton::TitleFont() const
{
    // A font name that matches no FONT draws no title.
    if (m_skin.font.empty())
        return nullptr;
    SKIN_FONT font;
    font.name = m_skin.font;
    if (!CSkinManager::GetInstance()->GetFont(font))
        return nullptr;
    return CreateSkinFont(font);
}

void CSkinButton::Draw(HDC dc)
{
    if (!m_pCurrent || m_pCurrent->IsNull())
        return;
    RECT box = RectInParent();
    const Gdiplus::RectF title(static_cast<Gdiplus::REAL>(box.left), static_cast<Gdiplus::REAL>(box.top),
                               static_cast<Gdiplus::REAL>(box.right - box.left),
                               static_cast<Gdiplus::REAL>(box.bottom - box.top));
    const int width = m_pCurrent->GetWidth();
    const int height = m_pCurrent->GetHeight();
    if (box.right - box.left < width || box.bottom - box.top < height) {
        box.right = box.left + width;
        box.bottom = box.top + height;
    }
    m_pCurrent->Draw(dc, box);

    const auto font = TitleFont();
    const Gdiplus::SolidBrush brush(SkinColor(m_bHover || m_bChecked ? m_skin.hotcolor : m_skin.color));
    DrawIconAndTitle(dc, box, title, font.get(), brush);

    if (HasBitmap(m_badge)) {
        // The badge's bottom-right corner is 62 px right of and below the
        // button's top-left corner.
        const int w = m_badge->GetWidth(), h = m_badge->GetHeight();
        m_badge->Draw(dc, RECT{box.left + 62 - w, box.top + 62 - h, box.left + 62, box.top + 62});
    }
}

void CSkinButton::DrawIconAndTitle(HDC dc, const RECT& box, Gdiplus::RectF title, const Gdiplus::Font* font,
                                   const Gdiplus::Brush& brush) const
{
    const int L = box.left, T = box.top, R = box.right, B = box.bottom;
    const int bw = R - L, bh = B - T;
    const bool icon = HasBitmap(m_icon);
    const int iw = icon ? m_icon->GetWidth() : 0;
    const int ih = icon ? m_icon->GetHeight() : 0;
    const bool oversized = iw > bw && ih > bh;
    const RECT inset{L + 1, T + 1, R - 1, B - 1};
    const bool hasTitle = !m_skin.title.empty();

    switch (m_skin.style) {
    case 0:
        if (icon) {
            const int x = hasTitle ? L + 5 : L + (bw - iw) / 2;
            const RECT place = oversized ? inset : PlaceAt(x, T + (bh - ih) / 2, iw, ih);
            m_icon->Draw(dc, place);
            title.X = static_cast<Gdiplus::REAL>(place.right + 1);
        }
        title.Y += 2;
        DrawTitle(dc, title, font, brush);
        break;
    case 1:
        if (icon) {
            m_icon->Draw(dc, PlaceAt(L + (bw - iw) / 2, T + 5, iw, ih));
            title.Y += static_cast<Gdiplus::REAL>(ih);
            title.Height -= static_cast<Gdiplus::REAL>(ih);
        }
        title.Y += 2;
        DrawTitle(dc, title, font, brush);
        break;
    case 2:
        if (icon) {
            const int y = T + (bh - ih) / 2;
            const RECT place = oversized ? inset : RECT{R - iw, y, R, y + ih};
            m_icon->Draw(dc, place);
            title.X = static_cast<Gdiplus::REAL>(L);
            title.Width = static_cast<Gdiplus::REAL>(place.left - L - 5);
        }
        title.Y += 3;
        DrawTitle(dc, title, font, brush);
        break;
    case 3:
        DrawTitle(dc, title, font, brush);
        if (icon) {
            // The icon follows the centred title.
            const int cx = hasTitle && font ? GdiTextWidth(dc, m_skin.title, *font) : 0;
            const RECT place = oversized ? inset : PlaceAt(L + bw / 2 + cx / 2, T + (bh - ih) / 2, iw, ih);
            m_icon->Draw(dc, place);
        }
        break;
    case 4:
        DrawTitle(dc, title, font, brush);
        break;
    default:
        break;
    }
}

void CSkinButton::DrawTitle(HDC dc, const Gdiplus::RectF& layout, const Gdiplus::Font* font,
                            const Gdiplus::Brush& brush) const
{
    if (!font || m_skin.title.empty())
        return;
    // The graphics object ends (and flushes) here, before any later GDI
    // drawing reaches the same context.
    Gdiplus::Graphics graphics(dc);
    graphics.DrawString(m_skin.title.c_str(), static_cast<INT>(m_skin.title.size()), font, layout, m_format.get(),
                        &brush);
}
