#include "browser/IEView.h"

#include "app/ClientMessages.h"
#include "browser/DocHostSite.h"
#include "browser/ExternalObject.h"
#include "browser/ShellLinks.h"
#include "config/ClientConfig.h"
#include "platform/TextUtil.h"

namespace {
constexpr wchar_t kGameClosedMarker[] = L"about:blank3";

bool BeginsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }
} // namespace

CIEView::CIEView() : m_pExternal(new CExternalObject(this)) {}

CIEView::~CIEView()
{
    // The control goes first, while this object is still whole.
    DestroyControl();
    m_pExternal->DetachView();
    m_pExternal->Release();
}

BOOL CIEView::PreCreateWindow(CREATESTRUCTW& cs)
{
    // A plain child window; clipping its siblings keeps it from drawing
    // over the skinned buttons of its parent.
    static std::wstring childClass;
    if (childClass.empty())
        childClass = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!cs.lpszClass)
        cs.lpszClass = childClass.c_str();
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

COleControlSite* CIEView::CreateControlSite() { return new CDocHostSite(m_hWnd, this); }

void CIEView::Navigate(const wchar_t* url, DWORD, const wchar_t*, const wchar_t*, const void*, DWORD)
{
    if (!m_pBrowserApp)
        return;
    m_pBrowserApp->put_Silent(VARIANT_TRUE);
    CHtmlView::Navigate(url, 0, L"");
}

HRESULT CIEView::OnGetHostInfo(DOCHOSTUIINFO* info)
{
    if (!info)
        return E_POINTER;
    info->cbSize = sizeof(DOCHOSTUIINFO);
    info->dwFlags = m_dwHostFlags;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

HRESULT CIEView::OnGetExternal(IDispatch** dispatch)
{
    if (!dispatch)
        return E_POINTER;
    *dispatch = GetExternalDispatch();
    return S_OK;
}

IDispatch* CIEView::GetExternalDispatch() const
{
    m_pExternal->AddRef();
    return m_pExternal;
}

void CIEView::OnTitleChange(const std::wstring& title)
{
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageW(parent, WM_VIEW_TITLE, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

bool CIEView::IsTopLevel(IDispatch* disp) const
{
    ComPtr<IDispatch> application;
    if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_Application(application.Put())))
        return false;
    return disp && disp == application.Get();
}

bool CIEView::IsInGameWindow() const
{
    HWND game = g_pMainFrame ? g_pMainFrame->GameWindow() : nullptr;
    return game && m_hWnd && ::GetParent(m_hWnd) == game;
}

NavigationContext CIEView::Context(bool topLevel) const
{
    NavigationContext context;
    context.topLevel = topLevel;
    context.haveLauncher = g_pHtmlWnd != nullptr;
    context.haveFrame = g_pMainFrame != nullptr;
    context.inGameWindow = IsInGameWindow();
    if (g_pConfig) {
        context.gameCheck = g_pConfig->GetGameCheck();
        context.loginCheck = g_pConfig->GetLoginCheck();
    }
    return context;
}

void CIEView::Apply(const NavigationDecision& decision, VARIANT_BOOL* cancel)
{
    if (decision.cancel && cancel)
        *cancel = VARIANT_TRUE;
    switch (decision.action) {
    case NavigationAction::HideLauncher:
        g_pHtmlWnd->ShowWnd(FALSE);
        break;
    case NavigationAction::ConfirmQuit:
        g_pHtmlWnd->ConfirmQuit();
        break;
    case NavigationAction::OpenGame:
        g_pMainFrame->OpenGame(decision.gameUrl);
        break;
    case NavigationAction::ShowChoose:
        g_pHtmlWnd->ShowChoose();
        break;
    case NavigationAction::None:
        break;
    }
}

void CIEView::BeforeNavigate2(IDispatch* disp, VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                              VARIANT_BOOL* cancel)
{
    const bool topLevel = IsTopLevel(disp);
    if (!topLevel)
        return;
    Apply(DecideNavigation(VariantText(url), Context(true)), cancel);
}

void CIEView::NewWindow3(IDispatch**, VARIANT_BOOL* cancel, DWORD, BSTR, BSTR url)
{
    Apply(DecideNewWindow(url ? std::wstring(url) : std::wstring(), Context(true)), cancel);
}

void CIEView::OnNavigateComplete2(const std::wstring&)
{
    if (BeginsWith(CurrentLocation(), kGameClosedMarker) && IsInGameWindow())
        g_pMainFrame->CloseGame();
}

void CIEView::DocumentComplete(IDispatch*, VARIANT* url)
{
    if (BeginsWith(AsciiLower(VariantText(url)), kGameClosedMarker) && IsInGameWindow())
        ::PostMessageW(g_pMainFrame->FrameWindow(), WM_GAME_CLOSED, 0, 0);
}

void CIEView::SendToGameWindow(UINT msg, LPARAM lParam) const
{
    if (HWND game = g_pMainFrame ? g_pMainFrame->GameWindow() : nullptr)
        ::SendMessageW(game, msg, 0, lParam);
}
