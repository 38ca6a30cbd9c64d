#include "win32/forms/text_box.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "core/desktop_texts.h"
#include "win32/forms/wide.h"

namespace text_box {
namespace {

using desktop_texts::Edit;

std::wstring menuCaption(Edit command) { return wide::string(desktop_texts::caption(command)); }

enum Command : UINT { Undo = 1, Cut, Copy, Paste, Delete, SelectAll };

constexpr UINT_PTR kSubclassId = 1;

void showMenu(HWND edit, LPARAM at)
{
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == LPARAM(-1)) { // from the keyboard: at the caret's corner of the box
        RECT r;
        GetWindowRect(edit, &r);
        p = {r.left + 4, r.top + 4};
    }
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, WPARAM(&from), LPARAM(&to));
    const bool selection = to > from;
    const bool writable = !(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
    const auto state = [](bool on) { return MF_STRING | (on ? MF_ENABLED : MF_GRAYED); };

    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, state(writable && SendMessageW(edit, EM_CANUNDO, 0, 0)), Undo,
                menuCaption(Edit::Undo).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, state(writable && selection), Cut, menuCaption(Edit::Cut).c_str());
    AppendMenuW(menu, state(selection), Copy, menuCaption(Edit::Copy).c_str());
    AppendMenuW(menu, state(writable && IsClipboardFormatAvailable(CF_UNICODETEXT)), Paste,
                menuCaption(Edit::Paste).c_str());
    AppendMenuW(menu, state(writable && selection), Delete, menuCaption(Edit::Delete).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, state(GetWindowTextLengthW(edit) > 0), SelectAll,
                menuCaption(Edit::SelectAll).c_str());
    SetFocus(edit);
    const UINT chosen =
        UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, edit, nullptr));
    DestroyMenu(menu);
    switch (chosen) {
    case Undo:
        SendMessageW(edit, WM_UNDO, 0, 0);
        break;
    case Cut:
        SendMessageW(edit, WM_CUT, 0, 0);
        break;
    case Copy:
        SendMessageW(edit, WM_COPY, 0, 0);
        break;
    case Paste:
        SendMessageW(edit, WM_PASTE, 0, 0);
        break;
    case Delete:
        SendMessageW(edit, WM_CLEAR, 0, 0);
        break;
    case SelectAll:
        SendMessageW(edit, EM_SETSEL, 0, -1);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR)
{
    switch (message) {
    case WM_CONTEXTMENU:
        showMenu(edit, lParam);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, editProc, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

void useJapaneseMenu(HWND edit) { SetWindowSubclass(edit, editProc, kSubclassId, 0); }

} // namespace text_box
