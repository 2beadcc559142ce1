#include "platform/OleControlSite.h"

COleControlSite::COleControlSite(HWND container) : m_hContainer(container) {}

COleControlSite::~COleControlSite() = default;

HRESULT COleControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    IUnknown* found = GetInterface(riid);
    *ppv = found;
    if (!found)
        return E_NOINTERFACE;
    found->AddRef();
    return S_OK;
}

ULONG COleControlSite::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG COleControlSite::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

IUnknown* COleControlSite::GetInterface(REFIID riid)
{
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        return &m_xOleClientSite;
    if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        return &m_xOleInPlaceSite;
    if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        return &m_xOleInPlaceFrame;
    return nullptr;
}

// IOleClientSite: the control is never saved or linked.
STDMETHODIMP COleControlSite::XOleClientSite::SaveObject() { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::XOleClientSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::XOleClientSite::GetContainer(IOleContainer** container)
{
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP COleControlSite::XOleClientSite::ShowObject() { return S_OK; }
STDMETHODIMP COleControlSite::XOleClientSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::XOleClientSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleInPlaceSite: activation inside the container's client area.
STDMETHODIMP COleControlSite::XOleInPlaceSite::GetWindow(HWND* wnd)
{
    if (!wnd)
        return E_POINTER;
    *wnd = m_pOuter->m_hContainer;
    return S_OK;
}
STDMETHODIMP COleControlSite::XOleInPlaceSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::CanInPlaceActivate() { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::OnInPlaceActivate() { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::OnUIActivate() { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                                                LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info)
{
    if (!frame || !doc || !pos || !clip || !info)
        return E_POINTER;
    *frame = &m_pOuter->m_xOleInPlaceFrame;
    (*frame)->AddRef();
    *doc = nullptr;
    ::GetClientRect(m_pOuter->m_hContainer, pos);
    *clip = *pos;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_pOuter->m_hContainer;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}
STDMETHODIMP COleControlSite::XOleInPlaceSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::OnInPlaceDeactivate() { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::DiscardUndoState() { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::DeactivateAndUndo() { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceSite::OnPosRectChange(LPCRECT) { return S_OK; }

// IOleInPlaceFrame: no menus, toolbars or status bar to share.
STDMETHODIMP COleControlSite::XOleInPlaceFrame::GetWindow(HWND* wnd)
{
    if (!wnd)
        return E_POINTER;
    *wnd = m_pOuter->m_hContainer;
    return S_OK;
}
STDMETHODIMP COleControlSite::XOleInPlaceFrame::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::SetBorderSpace(LPCBORDERWIDTHS) { return OLE_E_INVALIDRECT; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::RemoveMenus(HMENU) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::XOleInPlaceFrame::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }
