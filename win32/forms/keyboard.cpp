#include "win32/forms/keyboard.h"

namespace keyboard {
namespace {

bool isPushButton(HWND w)
{
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (CompareStringOrdinal(cls, -1, L"Button", -1, TRUE) != CSTR_EQUAL)
        return false;
    const LONG type = GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

} // namespace

bool handle(HWND window, MSG &msg)
{
    if (!window)
        return false;
    // A dialog makes the focused button its default one for the moment, and
    // Enter presses that; a window of our own has no such default.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && IsChild(window, msg.hwnd) &&
        isPushButton(msg.hwnd) && IsWindowEnabled(msg.hwnd)) {
        SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    return IsDialogMessageW(window, &msg) != FALSE;
}

} // namespace keyboard
