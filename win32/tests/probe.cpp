// Test helper for the Windows program under wine: reads the program's
// windows from outside, as a screen reader would, and prints what it finds
// as UTF-8, one answer per line. Exit status 1 when the window asked about
// is not there.
//
//   probe client             Form1's client size in pixels: "W H"
//   probe visible            1 if Form1 is on screen, 0 if it is not yet
//   probe rect NAME          a control of Form1 on screen: "X Y W H" (NAME as in the layout)
//   probe origin             Form1's client area's top-left corner on screen: "X Y"
//   probe text               Text1's text
//   probe name NAME          the window text of a control (a painted item's name)
//   probe enabled NAME       1 or 0
//   probe checked NAME       1 or 0
//   probe focus              the name of Form1's control that has the focus
//   probe box                the message box in front: title, then its text, then its buttons
//   probe ok                 Form2's OK button on screen: "X Y W H"
//   probe glide MS           waits up to 10 s for Form2, then follows its Label1 for
//                            MS milliseconds: "T X" at each move (milliseconds since
//                            the first sample, left edge in client pixels)
//   probe form2              Form2's client size, its Label1 and its outer width:
//                            "W H X Y W H OUTER"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "core/main_layout.h"
#include "core/version_layout.h"

namespace {

constexpr int kFirstId = 100; // the program's control ids: 100 + table row

void print(std::wstring_view text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string bytes(std::size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), n, nullptr,
                        nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fputc('\n', stdout);
}

// Asked of the window itself: GetWindowText would give another process only
// the caption Windows keeps, not an edit control's contents.
std::wstring textOf(HWND w)
{
    std::wstring text(std::size_t(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(std::size_t(SendMessageW(w, WM_GETTEXT, text.size(), LPARAM(text.data()))));
    return text;
}

HWND form1() { return FindWindowW(L"MirtekaForm1", nullptr); }
HWND form2() { return FindWindowW(L"MirtekaForm2", nullptr); }

HWND control(const char *name)
{
    const std::wstring wanted(name, name + std::strlen(name));
    for (std::size_t r = 0; r < main_layout::kControls.size(); ++r) {
        const std::u16string_view n = main_layout::kControls[r].name;
        if (std::wstring_view(reinterpret_cast<const wchar_t *>(n.data()), n.size()) == wanted)
            return GetDlgItem(form1(), kFirstId + int(r));
    }
    return nullptr;
}

void printRect(const RECT &r)
{
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

BOOL CALLBACK collectButton(HWND child, LPARAM out)
{
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    auto &list = *reinterpret_cast<std::wstring *>(out);
    if (std::wstring_view(cls) == L"Button") {
        if (!list.empty())
            list += L' ';
        list += textOf(child);
    }
    return TRUE;
}

BOOL CALLBACK collectText(HWND child, LPARAM out)
{
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (std::wstring_view(cls) == L"Static" && SendMessageW(child, WM_GETTEXTLENGTH, 0, 0) > 0)
        *reinterpret_cast<std::wstring *>(out) += textOf(child);
    return TRUE;
}

// The message box of the program: a dialog of class #32770 owned by Form1.
HWND messageBox()
{
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)))
        if (IsWindowVisible(box) && GetWindow(box, GW_OWNER) == form1())
            return box;
    return nullptr;
}

int glide(int ms)
{
    // From the moment the window is shown.
    HWND w = nullptr, label = nullptr;
    for (int i = 0; i < 5000 && !label; ++i) {
        w = form2();
        if (w && IsWindowVisible(w))
            label = GetDlgItem(w, kFirstId + version_layout::row(version_layout::Id::Label1));
        else
            Sleep(2);
    }
    if (!label)
        return 1;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    long last = LONG_MIN;
    for (;;) {
        QueryPerformanceCounter(&now);
        const double t =
            double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        if (t > ms || !IsWindow(label))
            break;
        RECT r;
        GetWindowRect(label, &r);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT *>(&r), 2);
        if (r.left != last) {
            std::printf("%.1f %ld\n", t, r.left);
            last = r.left;
        }
        Sleep(2);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const std::string_view what = argv[1];
    const char *arg = argc > 2 ? argv[2] : "";
    if (what == "client") {
        RECT r;
        if (!form1() || !GetClientRect(form1(), &r))
            return 1;
        std::printf("%ld %ld\n", r.right, r.bottom);
    } else if (what == "rect" || what == "name" || what == "enabled" || what == "checked") {
        HWND w = control(arg);
        if (!w)
            return 1;
        RECT r;
        GetWindowRect(w, &r);
        if (what == "rect")
            printRect(r);
        else if (what == "name")
            print(textOf(w));
        else if (what == "enabled")
            std::printf("%d\n", IsWindowEnabled(w) ? 1 : 0);
        else
            std::printf("%d\n", SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else if (what == "visible") {
        if (!form1())
            return 1;
        std::printf("%d\n", IsWindowVisible(form1()) ? 1 : 0);
    } else if (what == "origin") {
        POINT p{0, 0};
        if (!form1() || !ClientToScreen(form1(), &p))
            return 1;
        std::printf("%ld %ld\n", p.x, p.y);
    } else if (what == "text") {
        HWND w = control("Text1");
        if (!w)
            return 1;
        print(textOf(w));
    } else if (what == "box") {
        HWND box = messageBox();
        if (!box)
            return 1;
        std::wstring text, buttons;
        EnumChildWindows(box, collectText, LPARAM(&text));
        EnumChildWindows(box, collectButton, LPARAM(&buttons));
        print(textOf(box));
        print(text);
        print(buttons);
    } else if (what == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!form1() || !GetGUIThreadInfo(GetWindowThreadProcessId(form1(), nullptr), &info))
            return 1;
        const int r = GetDlgCtrlID(info.hwndFocus) - kFirstId;
        if (r < 0 || r >= int(main_layout::kControls.size()))
            return 1;
        const std::u16string_view n = main_layout::kControls[std::size_t(r)].name;
        print(std::wstring_view(reinterpret_cast<const wchar_t *>(n.data()), n.size()));
    } else if (what == "ok") {
        HWND ok = form2() ? GetDlgItem(form2(),
                                       kFirstId + version_layout::row(version_layout::Id::Command1))
                          : nullptr;
        RECT r;
        if (!ok || !GetWindowRect(ok, &r))
            return 1;
        printRect(r);
    } else if (what == "glide") {
        return glide(std::atoi(arg));
    } else if (what == "form2") {
        HWND w = form2();
        if (!w)
            return 1;
        RECT client, label;
        GetClientRect(w, &client);
        GetWindowRect(GetDlgItem(w, kFirstId + version_layout::row(version_layout::Id::Label1)),
                      &label);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT *>(&label), 2);
        RECT outer;
        GetWindowRect(w, &outer);
        std::printf("%ld %ld %ld %ld %ld %ld %ld\n", client.right, client.bottom, label.left,
                    label.top, label.right - label.left, label.bottom - label.top,
                    outer.right - outer.left);
    } else {
        return 2;
    }
    return 0;
}
