#include "windows/SkinWndBase.h"

#include <commctrl.h>

#include "platform/TextUtil.h"
#include "resource.h"
#include "skin/SkinLayout.h"
#include "skin/SkinManager.h"
#include "skin/SkinText.h"

CSkinWndBase::CSkinWndBase(std::wstring skinName) : m_strSkinName(std::move(skinName)) {}

// The buttons go before the window: a child outliving its parent's object
// must not reach it.
CSkinWndBase::~CSkinWndBase()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_buttons.clear();
}

BOOL CSkinWndBase::Create(HWND parent, DWORD exStyle, DWORD style)
{
    const std::wstring cls = RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    return CreateEx(exStyle, cls.c_str(), nullptr, style, 0, 0, 0, 0, parent, nullptr);
}

void CSkinWndBase::ShowWnd(BOOL show)
{
    if (!show) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    ::ShowWindow(m_hWnd, m_bMinimized ? SW_RESTORE : SW_SHOW);
    ::BringWindowToTop(m_hWnd);
    ::SetForegroundWindow(m_hWnd);
}

RECT CSkinWndBase::WorkArea()
{
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void CSkinWndBase::LimitToWorkArea(MINMAXINFO& info)
{
    const RECT work = WorkArea();
    info.ptMaxSize = {work.right - work.left, work.bottom - work.top};
    info.ptMaxPosition = {work.left, work.top};
    info.ptMaxTrackSize = info.ptMaxSize;
}

RECT CSkinWndBase::NormalisedClientRect(HWND wnd)
{
    RECT r{};
    ::GetClientRect(wnd, &r);
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

void CSkinWndBase::ApplySkin()
{
    CSkinManager* skin = CSkinManager::GetInstance();
    if (!skin)
        return;
    m_skinWnd.name = m_strSkinName;
    skin->GetWndInfo(m_skinWnd);
    m_nWidth = m_skinWnd.width;
    m_nHeight = m_skinWnd.height;
    ::SetWindowTextW(m_hWnd, WindowText().c_str());

    int x = 0, y = 0;
    if (m_bCenter) {
        // Integer division rounds toward zero, also for a skin larger than
        // the work area (a negative offset, not clamped).
        const RECT work = WorkArea();
        x = work.left + (work.right - m_nWidth - work.left) / 2;
        y = work.top + (work.bottom - m_nHeight - work.top) / 2;
    }
    ::MoveWindow(m_hWnd, x, y, m_nWidth, m_nHeight, FALSE);

    skin->GetImgList(m_strSkinName, m_imgs);
    skin->GetRectList(m_strSkinName, m_rects);
    std::vector<SKIN_BTN> buttons;
    skin->GetBtnList(m_strSkinName, buttons);
    for (const auto& record : buttons) {
        auto button = std::make_unique<CSkinButton>();
        button->Create(m_hWnd, static_cast<UINT>(NextButtonId()++), record.check);
        button->SetSkin(m_strSkinName, record, m_hTip);
        m_buttons.push_back(std::move(button));
    }
    skin->GetTextList(m_strSkinName, m_texts);
}

void CSkinWndBase::DrawSkinText(Gdiplus::Graphics& graphics, const std::wstring& text, COLORREF color,
                                const SKIN_FONT& font, const Gdiplus::RectF& layout)
{
    ::DrawSkinText(graphics, text, color, font, layout);
}

BOOL CSkinWndBase::FindButton(const std::wstring& name, CSkinButton** button) const
{
    for (const auto& b : m_buttons) {
        if (EqualsNoCase(b->GetSkin().name, name)) {
            if (button)
                *button = b.get();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CSkinWndBase::FindRect(const std::wstring& name, SKIN_RECT& rect) const
{
    for (const auto& r : m_rects) {
        if (EqualsNoCase(r.name, name)) {
            rect = r;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CSkinWndBase::PreTranslateMessage(MSG* msg)
{
    if (m_hTip)
        ::SendMessageW(m_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return CWnd::PreTranslateMessage(msg);
}

void CSkinWndBase::SetSkinIcons()
{
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
}

void CSkinWndBase::CreateTooltip()
{
    if (m_hTip)
        return;
    m_hTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

void CSkinWndBase::ClickCloseButton()
{
    CSkinButton* close = nullptr;
    if (FindButton(L"close", &close))
        close->PostMessage(BM_CLICK);
}

void CSkinWndBase::DrawTexts(Gdiplus::Graphics& graphics, const RECT& client)
{
    CSkinManager* skin = CSkinManager::GetInstance();
    for (const auto& text : m_texts) {
        if (text.title.empty() || text.font.empty())
            continue;
        POINT pt{text.rect.left, text.rect.top};
        AnchorPoint(pt, text.align, client, text.rect);
        SKIN_FONT font;
        font.name = text.font;
        if (!skin || !skin->GetFont(font))
            continue;
        const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(pt.x), static_cast<Gdiplus::REAL>(pt.y),
                                    static_cast<Gdiplus::REAL>(text.rect.right - text.rect.left),
                                    static_cast<Gdiplus::REAL>(text.rect.bottom - text.rect.top));
        DrawSkinText(graphics, text.title, text.color, font, layout);
    }
}

void CSkinWndBase::OnSize(int width, int height)
{
    if (width <= 0 || height <= 0) {
        m_bMinimized = 1;
        return;
    }
    m_nWidth = width;
    m_nHeight = height;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    for (const auto& button : m_buttons)
        button->Reposition(client);
    m_bMinimized = 0;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSkinWndBase::OnButtonCommand(WPARAM wParam)
{
    const int id = LOWORD(wParam);
    for (const auto& button : m_buttons) {
        if (button->GetControlId() == id) {
            const SKIN_BTN copy = button->GetSkin();
            OnSkinButton(copy);
            return;
        }
    }
}

LRESULT CSkinWndBase::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        Default(msg, wParam, lParam);
        OnSize(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= kFirstButtonId && LOWORD(wParam) <= kLastButtonId) {
            OnButtonCommand(wParam);
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
