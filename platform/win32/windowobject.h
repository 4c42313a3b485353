#pragma once

#include <windows.h>

// The object behind a window: handed over as the creation parameter, kept in the window's
// GWLP_USERDATA from WM_NCCREATE on, its `handle` member set then. Null before WM_NCCREATE.
template<class T> T *windowObject(HWND hwnd, UINT message, LPARAM lParam, HWND T::*handle)
{
    if (message != WM_NCCREATE)
        return reinterpret_cast<T *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    auto *self = static_cast<T *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
    self->*handle = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return self;
}
