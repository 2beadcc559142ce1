#include "browser/ExternalObject.h"

#include <exdispid.h>

#include "app/ClientMessages.h"
#include "browser/IEView.h"
#include "platform/ComPtr.h"
#include "platform/TextUtil.h"

namespace {

struct Member {
    const wchar_t* name;
    DISPID id;
    UINT args;
};

const Member kMembers[] = {
    {L"Invoke_Client", CExternalObject::kInvokeClient, 2},
    {L"getNewMsg", CExternalObject::kGetNewMsg, 1},
    {L"getGsName", CExternalObject::kGetGsName, 1},
};

// Arguments come in reverse order.
VARIANT* Arg(DISPPARAMS* params, UINT index)
{
    VARIANT* v = &params->rgvarg[params->cArgs - 1 - index];
    if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal)
        return v->pvarVal;
    return v;
}

IDispatch* DispatchValue(const VARIANT* v)
{
    if (v->vt == VT_DISPATCH)
        return v->pdispVal;
    if (v->vt == (VT_DISPATCH | VT_BYREF) && v->ppdispVal)
        return *v->ppdispVal;
    return nullptr;
}

} // namespace

STDMETHODIMP CExternalObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CExternalObject::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) CExternalObject::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

STDMETHODIMP CExternalObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CExternalObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CExternalObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    // Automation names are matched without regard to letter case.
    for (const auto& member : kMembers) {
        if (names[0] && EqualsNoCase(names[0], member.name)) {
            ids[0] = member.id;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CExternalObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                     UINT*)
{
    if (result)
        ::VariantInit(result);
    if (!m_pView)
        return S_OK;
    DISPPARAMS none{};
    try {
        return InvokeMember(id, params ? params : &none);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT CExternalObject::InvokeMember(DISPID id, DISPPARAMS* params)
{
    if (id == DISPID_BEFORENAVIGATE2 || id == DISPID_DOCUMENTCOMPLETE)
        return DispatchBrowserEvent(*m_pView, id, params) ? S_OK : DISP_E_BADPARAMCOUNT;
    for (const auto& member : kMembers) {
        if (member.id != id)
            continue;
        if (params->cArgs < member.args)
            return DISP_E_BADPARAMCOUNT;
        const std::wstring text = VariantText(Arg(params, 0));
        switch (id) {
        case kInvokeClient: {
            IDispatch* callback = DispatchValue(Arg(params, 1));
            if (!callback)
                return E_POINTER;
            ComPtr<IDispatch> held(callback);
            m_pView->OnInvokeClient(text, held.Get());
            return S_OK;
        }
        case kGetNewMsg:
            m_pView->SendToGameWindow(WM_GET_NEW_MSG, 0);
            return S_OK;
        case kGetGsName:
            m_pView->SendToGameWindow(WM_GET_GS_NAME, reinterpret_cast<LPARAM>(text.c_str()));
            return S_OK;
        }
    }
    return DISP_E_MEMBERNOTFOUND;
}
