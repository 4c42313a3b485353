#include "win32text.h"
#include "win32window.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Accessibility clients in other processes reach the controls through COM.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Win32Window window;
    std::wstring error;
    if (!window.create(instance, error)) {
        MessageBoxW(nullptr, error.c_str(), widen(Layout::kTitle).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
    window.show(show);
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        if (window.pressesButton(msg) || IsDialogMessageW(window.hwnd(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CoUninitialize();
    return got == 0 ? static_cast<int>(msg.wParam) : 1;
}
