#include "accessibleproxy.h"

#include <commctrl.h>

namespace {

// oleacc.dll exports the interface's id as data, which its import library turns into code.
const IID &kIAccessible = __uuidof(IAccessible);
constexpr UINT_PTR kSubclassId = 0x46495A; // any number unique among the control's subclasses

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
