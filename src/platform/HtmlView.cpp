#include "platform/HtmlView.h"

#include <exdispid.h>
#include <olectl.h>

#include "platform/OleControlSite.h"

// Receives DWebBrowserEvents2 and hands them to the view while it lives.
class CHtmlEventSink : public IDispatch {
public:
    explicit CHtmlEventSink(CHtmlView* view) : m_pView(view) {}
    void Detach() { m_pView = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (m_pView) {
            try {
                DispatchBrowserEvent(*m_pView, id, params);
            } catch (...) {
            }
        }
        return S_OK;
    }

private:
    virtual ~CHtmlEventSink() = default;
    LONG m_refs = 1;
    CHtmlView* m_pView;
};

namespace {

// Arguments come in reverse order; by-reference variants are followed.
VARIANT* Arg(DISPPARAMS* params, UINT count, UINT index)
{
    VARIANT* v = &params->rgvarg[count - 1 - index];
    if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal)
        return v->pvarVal;
    return v;
}

IDispatch* DispatchArg(DISPPARAMS* params, UINT count, UINT index)
{
    VARIANT* v = Arg(params, count, index);
    if (v->vt == VT_DISPATCH)
        return v->pdispVal;
    if (v->vt == (VT_DISPATCH | VT_BYREF) && v->ppdispVal)
        return *v->ppdispVal;
    return nullptr;
}

VARIANT_BOOL* BoolRefArg(DISPPARAMS* params, UINT count, UINT index, VARIANT_BOOL* fallback)
{
    VARIANT* v = Arg(params, count, index);
    if (v->vt == (VT_BOOL | VT_BYREF) && v->pboolVal)
        return v->pboolVal;
    return fallback;
}

} // namespace

std::wstring VariantText(const VARIANT* value)
{
    if (!value)
        return {};
    if (value->vt == VT_BSTR)
        return value->bstrVal ? std::wstring(value->bstrVal, ::SysStringLen(value->bstrVal)) : std::wstring();
    if (value->vt == (VT_BSTR | VT_BYREF))
        return value->pbstrVal && *value->pbstrVal ? std::wstring(*value->pbstrVal) : std::wstring();
    VARIANT text;
    ::VariantInit(&text);
    std::wstring result;
    if (SUCCEEDED(::VariantChangeType(&text, const_cast<VARIANT*>(value), 0, VT_BSTR)) && text.bstrVal)
        result.assign(text.bstrVal, ::SysStringLen(text.bstrVal));
    ::VariantClear(&text);
    return result;
}

bool DispatchBrowserEvent(CHtmlView& view, DISPID id, DISPPARAMS* params)
{
    const UINT n = params ? params->cArgs : 0;
    VARIANT_BOOL ignoredCancel = VARIANT_FALSE;
    switch (id) {
    case DISPID_BEFORENAVIGATE2:
        if (n < 7)
            return false;
        view.BeforeNavigate2(DispatchArg(params, n, 0), Arg(params, n, 1), Arg(params, n, 2), Arg(params, n, 3),
                             Arg(params, n, 4), Arg(params, n, 5), BoolRefArg(params, n, 6, &ignoredCancel));
        return true;
    case DISPID_NAVIGATECOMPLETE2:
        if (n < 2)
            return false;
        view.NavigateComplete2(DispatchArg(params, n, 0), Arg(params, n, 1));
        return true;
    case DISPID_DOCUMENTCOMPLETE:
        if (n < 2)
            return false;
        view.DocumentComplete(DispatchArg(params, n, 0), Arg(params, n, 1));
        return true;
    case DISPID_TITLECHANGE:
        if (n < 1)
            return false;
        view.OnTitleChange(VariantText(Arg(params, n, 0)));
        return true;
    case DISPID_NEWWINDOW2: {
        if (n < 2)
            return false;
        VARIANT* disp = Arg(params, n, 0);
        view.OnNewWindow2(disp->vt == (VT_DISPATCH | VT_BYREF) ? disp->ppdispVal : nullptr,
                          BoolRefArg(params, n, 1, &ignoredCancel));
        return true;
    }
    case DISPID_NEWWINDOW3: {
        if (n < 5)
            return false;
        VARIANT* disp = Arg(params, n, 0);
        VARIANT* flags = Arg(params, n, 2);
        VARIANT* context = Arg(params, n, 3);
        VARIANT* url = Arg(params, n, 4);
        view.NewWindow3(disp->vt == (VT_DISPATCH | VT_BYREF) ? disp->ppdispVal : nullptr,
                        BoolRefArg(params, n, 1, &ignoredCancel),
                        (flags->vt == VT_I4 || flags->vt == VT_UI4) ? flags->ulVal : 0,
                        context->vt == VT_BSTR ? context->bstrVal : nullptr, url->vt == VT_BSTR ? url->bstrVal : nullptr);
        return true;
    }
    default:
        return false;
    }
}

CHtmlView::CHtmlView() = default;

CHtmlView::~CHtmlView()
{
    DestroyControl();
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

BOOL CHtmlView::PreCreateWindow(CREATESTRUCTW& cs)
{
    static std::wstring viewClass;
    if (viewClass.empty())
        viewClass = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!cs.lpszClass)
        cs.lpszClass = viewClass.c_str();
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CHtmlView::Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, HWND parent,
                       UINT id)
{
    if (!CreateEx(0, className, title, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                  parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return FALSE;
    if (!CreateControl()) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

COleControlSite* CHtmlView::CreateControlSite() { return new COleControlSite(m_hWnd); }

bool CHtmlView::CreateControl()
{
    m_pSite = CreateControlSite();
    if (!m_pSite)
        return false;
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  m_pControl.PutVoid())))
        return false;
    if (FAILED(m_pControl->SetClientSite(m_pSite->GetClientSite())))
        return false;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (FAILED(m_pControl->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_pSite->GetClientSite(), 0, m_hWnd, &client)))
        return false;
    if (FAILED(m_pControl.As(m_pBrowserApp)))
        return false;

    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(m_pControl.As(container)) &&
        SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put()))) {
        m_pSink = new CHtmlEventSink(this);
        if (FAILED(point->Advise(m_pSink, &m_dwSinkCookie)))
            m_dwSinkCookie = 0;
    }
    return true;
}

// Teardown order: stop the events, close the control and take our site
// from it, then let go of the control and of the site.
void CHtmlView::DestroyControl()
{
    if (m_pSink) {
        m_pSink->Detach();
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        if (m_dwSinkCookie && m_pControl && SUCCEEDED(m_pControl.As(container)) &&
            SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put())))
            point->Unadvise(m_dwSinkCookie);
        m_dwSinkCookie = 0;
        m_pSink->Release();
        m_pSink = nullptr;
    }
    if (m_pControl) {
        m_pControl->Close(OLECLOSE_NOSAVE);
        m_pControl->SetClientSite(nullptr);
    }
    m_pBrowserApp.Reset();
    m_pControl.Reset();
    if (m_pSite) {
        m_pSite->ContainerGone();
        m_pSite->Release();
        m_pSite = nullptr;
    }
}

void CHtmlView::ResizeControl()
{
    ComPtr<IOleInPlaceObject> inPlace;
    if (!m_pControl || FAILED(m_pControl.As(inPlace)))
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    inPlace->SetObjectRects(&client, &client);
}

LRESULT CHtmlView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        ResizeControl();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_DESTROY:
        DestroyControl();
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

std::wstring CHtmlView::GetLocationURL() const
{
    if (!m_pBrowserApp)
        return {};
    BSTR url = nullptr;
    std::wstring result;
    if (SUCCEEDED(m_pBrowserApp->get_LocationURL(&url)) && url)
        result.assign(url, ::SysStringLen(url));
    ::SysFreeString(url);
    return result;
}

void CHtmlView::Navigate(const wchar_t* url, DWORD flags, const wchar_t* targetFrame, const wchar_t* headers,
                         const void* postData, DWORD postLength)
{
    if (!m_pBrowserApp)
        return;
    BSTR address = ::SysAllocString(url ? url : L"");
    VARIANT vFlags;
    ::VariantInit(&vFlags);
    vFlags.vt = VT_I4;
    vFlags.lVal = static_cast<LONG>(flags);
    VARIANT vTarget;
    ::VariantInit(&vTarget);
    if (targetFrame) {
        vTarget.vt = VT_BSTR;
        vTarget.bstrVal = ::SysAllocString(targetFrame);
    }
    VARIANT vHeaders;
    ::VariantInit(&vHeaders);
    if (headers) {
        vHeaders.vt = VT_BSTR;
        vHeaders.bstrVal = ::SysAllocString(headers);
    }
    VARIANT vPost;
    ::VariantInit(&vPost);
    if (postData && postLength) {
        SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, postLength);
        void* bytes = nullptr;
        if (array && SUCCEEDED(::SafeArrayAccessData(array, &bytes))) {
            memcpy(bytes, postData, postLength);
            ::SafeArrayUnaccessData(array);
            vPost.vt = VT_ARRAY | VT_UI1;
            vPost.parray = array;
        }
    }
    m_pBrowserApp->Navigate(address, &vFlags, &vTarget, &vPost, &vHeaders);
    ::VariantClear(&vPost);
    ::VariantClear(&vHeaders);
    ::VariantClear(&vTarget);
    ::SysFreeString(address);
}

void CHtmlView::BeforeNavigate2(IDispatch*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT_BOOL*) {}

void CHtmlView::NavigateComplete2(IDispatch*, VARIANT* url) { OnNavigateComplete2(VariantText(url)); }

void CHtmlView::DocumentComplete(IDispatch*, VARIANT* url) { OnDocumentComplete(VariantText(url)); }

HRESULT CHtmlView::OnShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) { return S_FALSE; }
HRESULT CHtmlView::OnGetHostInfo(DOCHOSTUIINFO*) { return S_OK; }
HRESULT CHtmlView::OnShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                            IOleInPlaceUIWindow*)
{
    return S_FALSE;
}
HRESULT CHtmlView::OnHideUI() { return S_OK; }
HRESULT CHtmlView::OnUpdateUI() { return S_OK; }
HRESULT CHtmlView::OnEnableModeless(BOOL) { return S_OK; }
HRESULT CHtmlView::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT CHtmlView::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT CHtmlView::OnResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
HRESULT CHtmlView::OnGetOptionKeyPath(LPOLESTR* key, DWORD)
{
    if (key)
        *key = nullptr;
    return S_FALSE;
}
HRESULT CHtmlView::OnGetDropTarget(IDropTarget*, IDropTarget** replacement)
{
    if (replacement)
        *replacement = nullptr;
    return S_FALSE;
}
HRESULT CHtmlView::OnGetExternal(IDispatch** dispatch)
{
    if (dispatch)
        *dispatch = nullptr;
    return S_FALSE;
}
HRESULT CHtmlView::OnTranslateUrl(DWORD, OLECHAR*, OLECHAR** translated)
{
    if (translated)
        *translated = nullptr;
    return S_FALSE;
}
HRESULT CHtmlView::OnFilterDataObject(IDataObject*, IDataObject** replacement)
{
    if (replacement)
        *replacement = nullptr;
    return S_FALSE;
}
