// The client's browser view: navigates silently, turns command links and
// configured addresses into actions of the shell, serves the page's
// external object, and reports the end of a game ("about:blank3").
#pragma once

#include "browser/NavigationRules.h"
#include "platform/HtmlView.h"

class CExternalObject;

class CIEView : public CHtmlView {
public:
    static constexpr DWORD kHostFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_THEME;

    CIEView();
    ~CIEView() override;

    // Silent mode first, so the browser shows no dialog boxes of its own;
    // everything but the address is ignored.
    void Navigate(const wchar_t* url, DWORD flags = 0, const wchar_t* targetFrame = nullptr,
                  const wchar_t* headers = nullptr, const void* postData = nullptr, DWORD postLength = 0) override;

    void BeforeNavigate2(IDispatch* disp, VARIANT* url, VARIANT* flags, VARIANT* targetFrame, VARIANT* postData,
                         VARIANT* headers, VARIANT_BOOL* cancel) override;
    void DocumentComplete(IDispatch* disp, VARIANT* url) override;
    void OnNavigateComplete2(const std::wstring& url) override;
    void OnTitleChange(const std::wstring& title) override;
    void NewWindow3(IDispatch** disp, VARIANT_BOOL* cancel, DWORD flags, BSTR urlContext, BSTR url) override;

    HRESULT OnGetHostInfo(DOCHOSTUIINFO* info) override;
    HRESULT OnGetExternal(IDispatch** dispatch) override;

    // Called by the page's "Invoke_Client"; the callback is held for the call.
    virtual void OnInvokeClient(const std::wstring& name, IDispatch* callback) {}

    // The page's external object (a new reference).
    IDispatch* GetExternalDispatch() const;

    // The browser's current address; virtual so that tests can stand in
    // for a browser that cannot load pages.
    virtual std::wstring CurrentLocation() const { return GetLocationURL(); }

    DWORD m_dwHostFlags = kHostFlags;

protected:
    COleControlSite* CreateControlSite() override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

private:
    friend class CExternalObject;

    bool IsTopLevel(IDispatch* disp) const;
    bool IsInGameWindow() const;
    NavigationContext Context(bool topLevel) const;
    void Apply(const NavigationDecision& decision, VARIANT_BOOL* cancel);
    void SendToGameWindow(UINT msg, LPARAM lParam) const;

    CExternalObject* m_pExternal;
};
