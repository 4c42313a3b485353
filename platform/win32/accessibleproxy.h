#pragma once

#include <oleacc.h>
#include <windows.h>

#include <string>

// What screen readers are told of a control beyond what the system says: its name and
// description. A control's WM_GETOBJECT answers with this object, which passes every other
// question to the system's own object for the control.
class AccessibleProxy final : public IAccessible
{
public:
    // Starts answering WM_GETOBJECT for `control`; the proxy lives as long as the control and
    // its clients. False if the system's object cannot be had.
    static AccessibleProxy *attach(HWND control, std::wstring name, std::wstring description);

    // Marks the control as a polite live region, where the system offers that (a failure, as
    // under Wine, leaves it unmarked): a screen reader speaks what announce() says.
    void markLive() const;
    // The control's name from now on, raised as a live region's change.
    void announce(std::wstring name);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override;
    // IAccessible: the name and description of the control itself are the proxy's own.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override;
    // Every other question is the system's to answer.
#define FIZZET_FORWARD(method, parameters, arguments)                                              \
    HRESULT STDMETHODCALLTYPE method parameters override                                           \
    {                                                                                              \
        return system_->method arguments;                                                          \
    }
    FIZZET_FORWARD(GetTypeInfoCount, (UINT * count), (count))
    FIZZET_FORWARD(GetTypeInfo, (UINT i, LCID l, ITypeInfo **t), (i, l, t))
    FIZZET_FORWARD(GetIDsOfNames, (REFIID r, LPOLESTR *n, UINT c, LCID l, DISPID *d),
                   (r, n, c, l, d))
    FIZZET_FORWARD(Invoke,
                   (DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS *p, VARIANT *v, EXCEPINFO *e,
                    UINT *a),
                   (d, r, l, f, p, v, e, a))
    FIZZET_FORWARD(get_accParent, (IDispatch * *p), (p))
    FIZZET_FORWARD(get_accChildCount, (long *c), (c))
    FIZZET_FORWARD(get_accChild, (VARIANT c, IDispatch **d), (c, d))
    FIZZET_FORWARD(get_accValue, (VARIANT c, BSTR *v), (c, v))
    FIZZET_FORWARD(get_accRole, (VARIANT c, VARIANT *r), (c, r))
    FIZZET_FORWARD(get_accState, (VARIANT c, VARIANT *s), (c, s))
    FIZZET_FORWARD(get_accHelp, (VARIANT c, BSTR *h), (c, h))
    FIZZET_FORWARD(get_accHelpTopic, (BSTR * f, VARIANT c, long *t), (f, c, t))
    FIZZET_FORWARD(get_accKeyboardShortcut, (VARIANT c, BSTR *s), (c, s))
    FIZZET_FORWARD(get_accFocus, (VARIANT * c), (c))
    FIZZET_FORWARD(get_accSelection, (VARIANT * c), (c))
    FIZZET_FORWARD(get_accDefaultAction, (VARIANT c, BSTR *a), (c, a))
    FIZZET_FORWARD(accSelect, (long f, VARIANT c), (f, c))
    FIZZET_FORWARD(accLocation, (long *x, long *y, long *w, long *h, VARIANT c), (x, y, w, h, c))
    FIZZET_FORWARD(accNavigate, (long d, VARIANT s, VARIANT *e), (d, s, e))
    FIZZET_FORWARD(accHitTest, (long x, long y, VARIANT *c), (x, y, c))
    FIZZET_FORWARD(accDoDefaultAction, (VARIANT c), (c))
    FIZZET_FORWARD(put_accName, (VARIANT c, BSTR n), (c, n))
    FIZZET_FORWARD(put_accValue, (VARIANT c, BSTR v), (c, v))
#undef FIZZET_FORWARD

private:
    AccessibleProxy(HWND control, IAccessible *system, std::wstring name, std::wstring description)
        : control_(control), system_(system), name_(std::move(name)),
          description_(std::move(description))
    {}
    ~AccessibleProxy()
    {
        system_->Release();
    }
    static LRESULT CALLBACK subclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    LONG references_ = 1;
    HWND control_;
    IAccessible *system_;
    std::wstring name_, description_;
};
