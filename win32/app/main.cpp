// Start-up of the Windows program: Form1 is the start-up form; the program
// runs until it is closed or "終了" is answered Yes.

#include <windows.h>

#include <commctrl.h>

#include "win32/app/main_window.h"
#include "win32/app/windows_runtime.h"
#include "win32/forms/keyboard.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    WindowsRuntime runtime;
    Form1 form1(instance, runtime);
    runtime.setOwner(form1.window());
    if (!form1.start(show))
        return 1;
    MSG msg{};
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        // Tab, the arrow keys in the option group, Enter on a focused button.
        if (keyboard::handle(form1.window(), msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return got < 0 ? 1 : int(msg.wParam);
}
