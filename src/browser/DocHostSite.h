// The control site of a browser view: besides hosting the control it
// answers the MSHTML host interfaces, handing the view's host flags and
// external object to the browser and setting the pages' security policy.
#pragma once

#include <mshtmhst.h>
#include <servprov.h>
#include <urlmon.h>

#include "platform/OleControlSite.h"

class CIEView;

class CDocHostSite : public COleControlSite {
public:
    CDocHostSite(HWND container, CIEView* view);
    ~CDocHostSite() override;

    // Later calls answer as without a view.
    void ContainerGone() override
    {
        m_pView = nullptr;
        COleControlSite::ContainerGone();
    }

protected:
    IUnknown* GetInterface(REFIID riid) override;

private:
    struct XDocHostShowUI : NestedInterface<IDocHostShowUI, CDocHostSite> {
        using NestedInterface::NestedInterface;
        STDMETHODIMP ShowMessage(HWND, LPOLESTR, LPOLESTR, DWORD, LPOLESTR, DWORD, LRESULT*) override;
        STDMETHODIMP ShowHelp(HWND, LPOLESTR, UINT, DWORD, POINT, IDispatch*) override;
    };
    struct XDocHostUIHandler : NestedInterface<IDocHostUIHandler, CDocHostSite> {
        using NestedInterface::NestedInterface;
        STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override;
        STDMETHODIMP GetHostInfo(DOCHOSTUIINFO*) override;
        STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                            IOleInPlaceUIWindow*) override;
        STDMETHODIMP HideUI() override;
        STDMETHODIMP UpdateUI() override;
        STDMETHODIMP EnableModeless(WINBOOL) override;
        STDMETHODIMP OnDocWindowActivate(WINBOOL) override;
        STDMETHODIMP OnFrameWindowActivate(WINBOOL) override;
        STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override;
        STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override;
        STDMETHODIMP GetOptionKeyPath(LPOLESTR*, DWORD) override;
        STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override;
        STDMETHODIMP GetExternal(IDispatch**) override;
        STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR*) override;
        STDMETHODIMP FilterDataObject(IDataObject*, IDataObject**) override;
    };
    // Answers S_FALSE everywhere: no override registry key is supplied.
    struct XDocHostUIHandler2 : NestedInterface<IDocHostUIHandler2, CDocHostSite> {
        using NestedInterface::NestedInterface;
        STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override;
        STDMETHODIMP GetHostInfo(DOCHOSTUIINFO*) override;
        STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                            IOleInPlaceUIWindow*) override;
        STDMETHODIMP HideUI() override;
        STDMETHODIMP UpdateUI() override;
        STDMETHODIMP EnableModeless(WINBOOL) override;
        STDMETHODIMP OnDocWindowActivate(WINBOOL) override;
        STDMETHODIMP OnFrameWindowActivate(WINBOOL) override;
        STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override;
        STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override;
        STDMETHODIMP GetOptionKeyPath(LPOLESTR*, DWORD) override;
        STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override;
        STDMETHODIMP GetExternal(IDispatch**) override;
        STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR*) override;
        STDMETHODIMP FilterDataObject(IDataObject*, IDataObject**) override;
        STDMETHODIMP GetOverrideKeyPath(LPOLESTR*, DWORD) override;
    };
    struct XInternetSecurityManager : NestedInterface<IInternetSecurityManager, CDocHostSite> {
        using NestedInterface::NestedInterface;
        STDMETHODIMP SetSecuritySite(IInternetSecurityMgrSite*) override;
        STDMETHODIMP GetSecuritySite(IInternetSecurityMgrSite**) override;
        STDMETHODIMP MapUrlToZone(LPCWSTR, DWORD*, DWORD) override;
        STDMETHODIMP GetSecurityId(LPCWSTR, BYTE*, DWORD*, DWORD_PTR) override;
        STDMETHODIMP ProcessUrlAction(LPCWSTR, DWORD, BYTE*, DWORD, BYTE*, DWORD, DWORD, DWORD) override;
        STDMETHODIMP QueryCustomPolicy(LPCWSTR, REFGUID, BYTE**, DWORD*, BYTE*, DWORD, DWORD) override;
        STDMETHODIMP SetZoneMapping(DWORD, LPCWSTR, DWORD) override;
        STDMETHODIMP GetZoneMappings(DWORD, IEnumString**, DWORD) override;
    };
    struct XServiceProvider : NestedInterface<IServiceProvider, CDocHostSite> {
        using NestedInterface::NestedInterface;
        STDMETHODIMP QueryService(REFGUID service, REFIID riid, void** ppv) override;
    };

    CIEView* m_pView;
    XDocHostShowUI m_xDocHostShowUI{this};
    XDocHostUIHandler m_xDocHostUIHandler{this};
    XDocHostUIHandler2 m_xDocHostUIHandler2{this};
    XInternetSecurityManager m_xInternetSecurityManager{this};
    XServiceProvider m_xServiceProvider{this};
};
