// A child window hosting the WebBrowser control: creates it in a control
// site made by CreateControlSite, activates it in place, reflects its
// events into virtual handlers and offers the document-host overridables
// that a site answering the MSHTML host interfaces forwards to.
#pragma once

#include <exdisp.h>
#include <mshtmhst.h>

#include <string>

#include "platform/ComPtr.h"
#include "platform/Wnd.h"

class COleControlSite;
class CHtmlEventSink;

class CHtmlView : public CWnd {
public:
    CHtmlView();
    ~CHtmlView() override;

    // Creates the view window and the browser control inside it.
    BOOL Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, HWND parent, UINT id);

    IWebBrowser2* GetBrowser() const { return m_pBrowserApp.Get(); }
    std::wstring GetLocationURL() const;

    virtual void Navigate(const wchar_t* url, DWORD flags = 0, const wchar_t* targetFrame = nullptr,
                          const wchar_t* headers = nullptr, const void* postData = nullptr, DWORD postLength = 0);

    // Browser events, with the arguments the control passes.
    virtual void BeforeNavigate2(IDispatch* disp, VARIANT* url, VARIANT* flags, VARIANT* targetFrame,
                                 VARIANT* postData, VARIANT* headers, VARIANT_BOOL* cancel);
    virtual void NavigateComplete2(IDispatch* disp, VARIANT* url);
    virtual void DocumentComplete(IDispatch* disp, VARIANT* url);
    virtual void OnNavigateComplete2(const std::wstring& url) {}
    virtual void OnDocumentComplete(const std::wstring& url) {}
    virtual void OnTitleChange(const std::wstring& title) {}
    virtual void OnNewWindow2(IDispatch** disp, VARIANT_BOOL* cancel) {}
    virtual void NewWindow3(IDispatch** disp, VARIANT_BOOL* cancel, DWORD flags, BSTR urlContext, BSTR url) {}

    // Document-host overridables; the results are what the host interfaces
    // answer.
    virtual HRESULT OnShowContextMenu(DWORD id, POINT* pt, IUnknown* target, IDispatch* reserved);
    virtual HRESULT OnGetHostInfo(DOCHOSTUIINFO* info);
    virtual HRESULT OnShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                             IOleInPlaceFrame* frame, IOleInPlaceUIWindow* doc);
    virtual HRESULT OnHideUI();
    virtual HRESULT OnUpdateUI();
    virtual HRESULT OnEnableModeless(BOOL enable);
    virtual HRESULT OnDocWindowActivate(BOOL activate);
    virtual HRESULT OnFrameWindowActivate(BOOL activate);
    virtual HRESULT OnResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow);
    virtual HRESULT OnGetOptionKeyPath(LPOLESTR* key, DWORD reserved);
    virtual HRESULT OnGetDropTarget(IDropTarget* dropTarget, IDropTarget** replacement);
    virtual HRESULT OnGetExternal(IDispatch** dispatch);
    virtual HRESULT OnTranslateUrl(DWORD translate, OLECHAR* url, OLECHAR** translated);
    virtual HRESULT OnFilterDataObject(IDataObject* object, IDataObject** replacement);

protected:
    // The site the control is hosted in; returns null to fail creation.
    virtual COleControlSite* CreateControlSite();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

    // Stops the events, closes the control and lets go of it and its site.
    void DestroyControl();

    ComPtr<IWebBrowser2> m_pBrowserApp;

private:
    bool CreateControl();
    void ResizeControl();

    COleControlSite* m_pSite = nullptr;
    ComPtr<IOleObject> m_pControl;
    CHtmlEventSink* m_pSink = nullptr;
    DWORD m_dwSinkCookie = 0;
};

// Calls the view's handler for a browser event given as dispatch
// arguments; false for events the view does not handle. Arguments passed by
// value are accepted as well as by reference.
bool DispatchBrowserEvent(CHtmlView& view, DISPID id, DISPPARAMS* params);

// The text of a URL argument (a string, or what converts to one).
std::wstring VariantText(const VARIANT* value);
