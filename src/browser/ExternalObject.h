// The page's window.external: "Invoke_Client", "getNewMsg", "getGsName" by
// name, and the browser events BeforeNavigate2 (250) and DocumentComplete
// (259) by their ids.
#pragma once

#include <oaidl.h>

class CIEView;

class CExternalObject : public IDispatch {
public:
    static constexpr DISPID kInvokeClient = 1;
    static constexpr DISPID kGetNewMsg = 2;
    static constexpr DISPID kGetGsName = 3;

    explicit CExternalObject(CIEView* view) : m_pView(view) {}
    // The view is going away; later calls do nothing.
    void DetachView() { m_pView = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT* argError) override;

private:
    virtual ~CExternalObject() = default;
    HRESULT InvokeMember(DISPID id, DISPPARAMS* params);

    LONG m_refs = 1;
    CIEView* m_pView;
};
