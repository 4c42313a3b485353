#include "accessibleproxy.h"

#include <commctrl.h>

namespace {

// oleacc.dll exports the interface's id as data, which its import library turns into code.
const IID &kIAccessible = __uuidof(IAccessible);
constexpr UINT_PTR kSubclassId = 0x46495A; // any number unique among the control's subclasses

// UI Automation's LiveSetting property and its Polite setting, and the service that sets it;
// MinGW's headers and libraries lack them.
constexpr GUID kLiveSetting = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr long kPolite = 1;
constexpr GUID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

bool isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT copy(const std::wstring &text, BSTR *out)
{
    if (!out)
        return E_POINTER;
    *out = text.empty() ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return text.empty() ? S_FALSE : (*out ? S_OK : E_OUTOFMEMORY);
}

} // namespace

AccessibleProxy *AccessibleProxy::attach(HWND control, std::wstring name, std::wstring description)
{
    IAccessible *system = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, kIAccessible,
                                         reinterpret_cast<void **>(&system))))
        return nullptr;
    auto *proxy = new AccessibleProxy(control, system, std::move(name), std::move(description));
    if (!SetWindowSubclass(control, &AccessibleProxy::subclass, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(proxy))) {
        proxy->Release();
        return nullptr;
    }
    return proxy;
}

LRESULT CALLBACK AccessibleProxy::subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data)
{
    auto *proxy = reinterpret_cast<AccessibleProxy *>(data);
    if (message == WM_GETOBJECT && static_cast<long>(lParam) == OBJID_CLIENT)
        return LresultFromObject(kIAccessible, wParam, proxy);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &AccessibleProxy::subclass, kSubclassId);
        proxy->Release();
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void AccessibleProxy::markLive() const
{
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                reinterpret_cast<void **>(&services))))
        return;
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    services->SetHwndProp(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSetting,
                          polite);
    services->Release();
}

void AccessibleProxy::announce(std::wstring name)
{
    name_ = std::move(name);
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control_, OBJID_CLIENT, CHILDID_SELF);
}

HRESULT AccessibleProxy::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == kIAccessible) {
        *object = static_cast<IAccessible *>(this);
        AddRef();
        return S_OK;
    }
    return system_->QueryInterface(riid, object);
}

ULONG AccessibleProxy::Release()
{
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return left;
}

HRESULT AccessibleProxy::get_accName(VARIANT child, BSTR *name)
{
    return isSelf(child) ? copy(name_, name) : system_->get_accName(child, name);
}

HRESULT AccessibleProxy::get_accDescription(VARIANT child, BSTR *description)
{
    return isSelf(child) ? copy(description_, description)
                         : system_->get_accDescription(child, description);
}
