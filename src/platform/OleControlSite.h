// The site in which a window hosts one OLE control: the client-site,
// in-place-site and in-place-frame interfaces a control needs to activate
// in place. Its interfaces are nested objects that forward IUnknown to the
// site; a derived site adds interfaces through GetInterface.
#pragma once

#include <ole2.h>
#include <oleidl.h>

// An interface implemented by a member object whose reference counting and
// QueryInterface belong to its outer object.
template <typename Interface, typename Outer>
class NestedInterface : public Interface {
public:
    explicit NestedInterface(Outer* outer) : m_pOuter(outer) {}
    NestedInterface(const NestedInterface&) = delete;
    NestedInterface& operator=(const NestedInterface&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_pOuter->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pOuter->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pOuter->Release(); }

protected:
    Outer* m_pOuter;
};

class COleControlSite {
public:
    // The container window hosts the control and gives its client area.
    explicit COleControlSite(HWND container);
    virtual ~COleControlSite();
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // Created with one reference, held by the creator; deleted on the last
    // Release.
    HRESULT QueryInterface(REFIID riid, void** ppv);
    ULONG AddRef();
    ULONG Release();

    IOleClientSite* GetClientSite() { return &m_xOleClientSite; }
    HWND GetContainerWindow() const { return m_hContainer; }

    // The container is going away; a control that still holds the site
    // must not reach it any more.
    virtual void ContainerGone() { m_hContainer = nullptr; }

protected:
    // The interface table: the object answering riid, or null.
    virtual IUnknown* GetInterface(REFIID riid);

private:
    struct XOleClientSite : NestedInterface<IOleClientSite, COleControlSite> {
        using NestedInterface::NestedInterface;
        STDMETHODIMP SaveObject() override;
        STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
        STDMETHODIMP GetContainer(IOleContainer** container) override;
        STDMETHODIMP ShowObject() override;
        STDMETHODIMP OnShowWindow(BOOL) override;
        STDMETHODIMP RequestNewObjectLayout() override;
    };
    struct XOleInPlaceSite : NestedInterface<IOleInPlaceSite, COleControlSite> {
        using NestedInterface::NestedInterface;
        STDMETHODIMP GetWindow(HWND* wnd) override;
        STDMETHODIMP ContextSensitiveHelp(BOOL) override;
        STDMETHODIMP CanInPlaceActivate() override;
        STDMETHODIMP OnInPlaceActivate() override;
        STDMETHODIMP OnUIActivate() override;
        STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                      LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
        STDMETHODIMP Scroll(SIZE) override;
        STDMETHODIMP OnUIDeactivate(BOOL) override;
        STDMETHODIMP OnInPlaceDeactivate() override;
        STDMETHODIMP DiscardUndoState() override;
        STDMETHODIMP DeactivateAndUndo() override;
        STDMETHODIMP OnPosRectChange(LPCRECT) override;
    };
    struct XOleInPlaceFrame : NestedInterface<IOleInPlaceFrame, COleControlSite> {
        using NestedInterface::NestedInterface;
        STDMETHODIMP GetWindow(HWND* wnd) override;
        STDMETHODIMP ContextSensitiveHelp(BOOL) override;
        STDMETHODIMP GetBorder(LPRECT) override;
        STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override;
        STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override;
        STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override;
        STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
        STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override;
        STDMETHODIMP RemoveMenus(HMENU) override;
        STDMETHODIMP SetStatusText(LPCOLESTR) override;
        STDMETHODIMP EnableModeless(BOOL) override;
        STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override;
    };

    HWND m_hContainer;
    LONG m_refs = 1;
    XOleClientSite m_xOleClientSite{this};
    XOleInPlaceSite m_xOleInPlaceSite{this};
    XOleInPlaceFrame m_xOleInPlaceFrame{this};
};
