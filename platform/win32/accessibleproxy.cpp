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

// Everything else is the system's answer.
HRESULT AccessibleProxy::GetTypeInfoCount(UINT *count)
{
    return system_->GetTypeInfoCount(count);
}
HRESULT AccessibleProxy::GetTypeInfo(UINT index, LCID locale, ITypeInfo **info)
{
    return system_->GetTypeInfo(index, locale, info);
}
HRESULT AccessibleProxy::GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID locale,
                                       DISPID *ids)
{
    return system_->GetIDsOfNames(riid, names, count, locale, ids);
}
HRESULT AccessibleProxy::Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                DISPPARAMS *parameters, VARIANT *result, EXCEPINFO *exception,
                                UINT *error)
{
    return system_->Invoke(id, riid, locale, flags, parameters, result, exception, error);
}
HRESULT AccessibleProxy::get_accParent(IDispatch **parent)
{
    return system_->get_accParent(parent);
}
HRESULT AccessibleProxy::get_accChildCount(long *count)
{
    return system_->get_accChildCount(count);
}
HRESULT AccessibleProxy::get_accChild(VARIANT child, IDispatch **dispatch)
{
    return system_->get_accChild(child, dispatch);
}
HRESULT AccessibleProxy::get_accValue(VARIANT child, BSTR *value)
{
    return system_->get_accValue(child, value);
}
HRESULT AccessibleProxy::get_accRole(VARIANT child, VARIANT *role)
{
    return system_->get_accRole(child, role);
}
HRESULT AccessibleProxy::get_accState(VARIANT child, VARIANT *state)
{
    return system_->get_accState(child, state);
}
HRESULT AccessibleProxy::get_accHelp(VARIANT child, BSTR *help)
{
    return system_->get_accHelp(child, help);
}
HRESULT AccessibleProxy::get_accHelpTopic(BSTR *file, VARIANT child, long *topic)
{
    return system_->get_accHelpTopic(file, child, topic);
}
HRESULT AccessibleProxy::get_accKeyboardShortcut(VARIANT child, BSTR *shortcut)
{
    return system_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT AccessibleProxy::get_accFocus(VARIANT *child)
{
    return system_->get_accFocus(child);
}
HRESULT AccessibleProxy::get_accSelection(VARIANT *children)
{
    return system_->get_accSelection(children);
}
HRESULT AccessibleProxy::get_accDefaultAction(VARIANT child, BSTR *action)
{
    return system_->get_accDefaultAction(child, action);
}
HRESULT AccessibleProxy::accSelect(long flags, VARIANT child)
{
    return system_->accSelect(flags, child);
}
HRESULT AccessibleProxy::accLocation(long *left, long *top, long *width, long *height,
                                     VARIANT child)
{
    return system_->accLocation(left, top, width, height, child);
}
HRESULT AccessibleProxy::accNavigate(long direction, VARIANT start, VARIANT *end)
{
    return system_->accNavigate(direction, start, end);
}
HRESULT AccessibleProxy::accHitTest(long left, long top, VARIANT *child)
{
    return system_->accHitTest(left, top, child);
}
HRESULT AccessibleProxy::accDoDefaultAction(VARIANT child)
{
    return system_->accDoDefaultAction(child);
}
HRESULT AccessibleProxy::put_accName(VARIANT child, BSTR name)
{
    return system_->put_accName(child, name);
}
HRESULT AccessibleProxy::put_accValue(VARIANT child, BSTR value)
{
    return system_->put_accValue(child, value);
}
