// The captions are set by a CBT hook of this thread as the box is activated:
// its buttons exist then and it is not yet on screen.

#include "win32/forms/message_box.h"

#include <string>

#include "core/desktop_texts.h"
#include "win32/forms/wide.h"

namespace message_box {
namespace {

thread_local HHOOK hook = nullptr;

void caption(HWND box, int id, std::wstring_view text)
{
    if (HWND button = GetDlgItem(box, id))
        SetWindowTextW(button, std::wstring(text).c_str());
}

LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT next = CallNextHookEx(hook, code, wParam, lParam);
    if (code == HCBT_ACTIVATE && hook) {
        const auto box = reinterpret_cast<HWND>(wParam);
        caption(box, IDYES, wide::view(desktop_texts::kYes));
        caption(box, IDNO, wide::view(desktop_texts::kNo));
        caption(box, IDOK, wide::view(desktop_texts::kOk));
        UnhookWindowsHookEx(hook); // the box's own later activations are left alone
        hook = nullptr;
    }
    return next;
}

} // namespace

int show(HWND owner, std::wstring_view prompt, std::wstring_view title, int style)
{
    const UINT buttons = style == MB_YESNO ? MB_YESNO | MB_DEFBUTTON1 : MB_OK;
    hook = SetWindowsHookExW(WH_CBT, onCbt, nullptr, GetCurrentThreadId());
    const int pressed = MessageBoxW(owner, std::wstring(prompt).c_str(),
                                    std::wstring(title).c_str(), buttons | MB_APPLMODAL);
    if (hook) { // the box never came up
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
    return pressed;
}

} // namespace message_box
