#include "browser/DocHostSite.h"

#include "browser/IEView.h"
#include "browser/UrlActionPolicy.h"

CDocHostSite::CDocHostSite(HWND container, CIEView* view) : COleControlSite(container), m_pView(view) {}

CDocHostSite::~CDocHostSite() = default;

IUnknown* CDocHostSite::GetInterface(REFIID riid)
{
    if (riid == __uuidof(IDocHostShowUI))
        return &m_xDocHostShowUI;
    if (riid == __uuidof(IDocHostUIHandler))
        return &m_xDocHostUIHandler;
    if (riid == __uuidof(IDocHostUIHandler2))
        return &m_xDocHostUIHandler2;
    if (riid == __uuidof(IInternetSecurityManager))
        return &m_xInternetSecurityManager;
    if (riid == __uuidof(IServiceProvider))
        return &m_xServiceProvider;
    return COleControlSite::GetInterface(riid);
}

// IDocHostShowUI: the browser shows its own message boxes and help.
STDMETHODIMP CDocHostSite::XDocHostShowUI::ShowMessage(HWND, LPOLESTR, LPOLESTR, DWORD, LPOLESTR, DWORD, LRESULT*)
{
    return S_FALSE;
}
STDMETHODIMP CDocHostSite::XDocHostShowUI::ShowHelp(HWND, LPOLESTR, UINT, DWORD, POINT, IDispatch*)
{
    return E_NOTIMPL;
}

// IDocHostUIHandler: the view's overridables decide; without a view the
// browser's defaults apply.
#define VIEW_OR(fallback)                 \
    CIEView* view = m_pOuter->m_pView;    \
    if (!view)                            \
        return fallback;

STDMETHODIMP CDocHostSite::XDocHostUIHandler::ShowContextMenu(DWORD id, POINT* pt, IUnknown* target,
                                                              IDispatch* reserved)
{
    VIEW_OR(S_FALSE)
    return view->OnShowContextMenu(id, pt, target, reserved);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* info)
{
    VIEW_OR(E_NOTIMPL)
    return view->OnGetHostInfo(info);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::ShowUI(DWORD id, IOleInPlaceActiveObject* active,
                                                     IOleCommandTarget* target, IOleInPlaceFrame* frame,
                                                     IOleInPlaceUIWindow* doc)
{
    VIEW_OR(S_FALSE)
    return view->OnShowUI(id, active, target, frame, doc);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::HideUI()
{
    VIEW_OR(S_OK)
    return view->OnHideUI();
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::UpdateUI()
{
    VIEW_OR(S_OK)
    return view->OnUpdateUI();
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::EnableModeless(WINBOOL enable)
{
    VIEW_OR(S_OK)
    return view->OnEnableModeless(enable);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::OnDocWindowActivate(WINBOOL activate)
{
    VIEW_OR(S_OK)
    return view->OnDocWindowActivate(activate);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::OnFrameWindowActivate(WINBOOL activate)
{
    VIEW_OR(S_OK)
    return view->OnFrameWindowActivate(activate);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                                           WINBOOL frameWindow)
{
    VIEW_OR(S_OK)
    return view->OnResizeBorder(border, window, frameWindow);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD) { return E_NOTIMPL; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR* key, DWORD reserved)
{
    if (key)
        *key = nullptr;
    VIEW_OR(S_FALSE)
    return view->OnGetOptionKeyPath(key, reserved);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::GetDropTarget(IDropTarget* dropTarget, IDropTarget** replacement)
{
    if (replacement)
        *replacement = nullptr;
    VIEW_OR(S_FALSE)
    return view->OnGetDropTarget(dropTarget, replacement);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::GetExternal(IDispatch** dispatch)
{
    if (dispatch)
        *dispatch = nullptr;
    VIEW_OR(S_FALSE)
    return view->OnGetExternal(dispatch);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated)
{
    if (translated)
        *translated = nullptr;
    VIEW_OR(S_FALSE)
    return view->OnTranslateUrl(translate, url, translated);
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler::FilterDataObject(IDataObject* object, IDataObject** replacement)
{
    if (replacement)
        *replacement = nullptr;
    VIEW_OR(S_FALSE)
    return view->OnFilterDataObject(object, replacement);
}

#undef VIEW_OR

// IDocHostUIHandler2
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::GetHostInfo(DOCHOSTUIINFO*) { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                                      IOleInPlaceFrame*, IOleInPlaceUIWindow*)
{
    return S_FALSE;
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::HideUI() { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::UpdateUI() { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::EnableModeless(WINBOOL) { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::OnDocWindowActivate(WINBOOL) { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::OnFrameWindowActivate(WINBOOL) { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::TranslateAccelerator(LPMSG, const GUID*, DWORD) { return S_FALSE; }
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::GetOptionKeyPath(LPOLESTR* key, DWORD)
{
    if (key)
        *key = nullptr;
    return S_FALSE;
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::GetDropTarget(IDropTarget*, IDropTarget** replacement)
{
    if (replacement)
        *replacement = nullptr;
    return S_FALSE;
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::GetExternal(IDispatch** dispatch)
{
    if (dispatch)
        *dispatch = nullptr;
    return S_FALSE;
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated)
{
    if (translated)
        *translated = nullptr;
    return S_FALSE;
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::FilterDataObject(IDataObject*, IDataObject** replacement)
{
    if (replacement)
        *replacement = nullptr;
    return S_FALSE;
}
STDMETHODIMP CDocHostSite::XDocHostUIHandler2::GetOverrideKeyPath(LPOLESTR* key, DWORD)
{
    if (key)
        *key = nullptr;
    return S_FALSE;
}

// IInternetSecurityManager: zones stay the system's; only the URL actions
// are decided here.
STDMETHODIMP CDocHostSite::XInternetSecurityManager::SetSecuritySite(IInternetSecurityMgrSite*)
{
    return INET_E_DEFAULT_ACTION;
}
STDMETHODIMP CDocHostSite::XInternetSecurityManager::GetSecuritySite(IInternetSecurityMgrSite**)
{
    return INET_E_DEFAULT_ACTION;
}
STDMETHODIMP CDocHostSite::XInternetSecurityManager::MapUrlToZone(LPCWSTR, DWORD*, DWORD)
{
    return INET_E_DEFAULT_ACTION;
}
STDMETHODIMP CDocHostSite::XInternetSecurityManager::GetSecurityId(LPCWSTR, BYTE*, DWORD*, DWORD_PTR)
{
    return INET_E_DEFAULT_ACTION;
}
STDMETHODIMP CDocHostSite::XInternetSecurityManager::ProcessUrlAction(LPCWSTR, DWORD action, BYTE* policy,
                                                                      DWORD policySize, BYTE*, DWORD, DWORD, DWORD)
{
    const auto decided = UrlActionPolicy(action);
    if (!decided)
        return INET_E_DEFAULT_ACTION;
    if (!policy || policySize < sizeof(DWORD))
        return S_FALSE;
    const DWORD value = *decided;
    memcpy(policy, &value, sizeof(value));
    return S_OK;
}
STDMETHODIMP CDocHostSite::XInternetSecurityManager::QueryCustomPolicy(LPCWSTR, REFGUID, BYTE**, DWORD*, BYTE*, DWORD,
                                                                       DWORD)
{
    return INET_E_DEFAULT_ACTION;
}
STDMETHODIMP CDocHostSite::XInternetSecurityManager::SetZoneMapping(DWORD, LPCWSTR, DWORD)
{
    return INET_E_DEFAULT_ACTION;
}
STDMETHODIMP CDocHostSite::XInternetSecurityManager::GetZoneMappings(DWORD, IEnumString**, DWORD)
{
    return INET_E_DEFAULT_ACTION;
}

// IServiceProvider: the browser asks its site for a security manager.
STDMETHODIMP CDocHostSite::XServiceProvider::QueryService(REFGUID service, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (service == __uuidof(IInternetSecurityManager) && riid == __uuidof(IInternetSecurityManager))
        return m_pOuter->QueryInterface(riid, ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}
