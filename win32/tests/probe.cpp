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
//   probe glide MS [TURNS]   waits up to 10 s for Form2, then follows its Label1 for
//                            MS milliseconds, or until it has turned TURNS times
//                            and moved once more: "T X" at each move (milliseconds
//                            since the first sample, left edge in client pixels)
//   probe form2              Form2's client size, its Label1 and its outer width:
//                            "W H X Y W H OUTER"
//   probe form2controls      Form2's OK, icon, Label1, Label2 and Label3 in its
//                            client area: "X Y W H" each, one to a line
//   probe pixels X,Y ...     the colours on screen at points of Form1's client
//                            area: "RRGGBB" each, one to a line
//   probe ink X Y W H        how many pixels of that part of Form1's client area are dark
//   probe extent FACE EM [WEIGHT] TEXT
//                            TEXT's width and the line's height in FACE (Japanese
//                            character set) with an em of EM pixels: "W H"
//   probe clipboard          the text on the clipboard
//   probe popup              1 if a menu is open, 0 if none is
//   probe placement          Form1's outer rectangle and its monitor's work area:
//                            "X Y W H X Y W H"
//   probe repainted MS       invalidates Form1's client area and waits up to MS
//                            milliseconds for the program to paint it: 1 if it did

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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

int glide(int ms, int turns)
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
    long last = LONG_MIN, step = 0;
    int turned = 0;
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
            if (turns > 0 && turned == turns)
                break;
            if (last != LONG_MIN) {
                const long moved = r.left > last ? 1 : -1;
                if (step != 0 && moved != step)
                    ++turned;
                step = moved;
            }
            last = r.left;
        }
        Sleep(2);
    }
    return 0;
}

// Form1's client area as it is on screen, as 0xRRGGBB pixels, row by row.
std::vector<std::uint32_t> screenshot(int &width, int &height)
{
    RECT client;
    POINT origin{0, 0};
    if (!form1() || !GetClientRect(form1(), &client) || !ClientToScreen(form1(), &origin))
        return {};
    width = client.right;
    height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<std::uint32_t> pixels;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY)) {
            const auto *p = static_cast<const std::uint32_t *>(bits);
            pixels.assign(p, p + std::size_t(width) * std::size_t(height));
            for (std::uint32_t &px : pixels)
                px &= 0xFFFFFF;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The command line's arguments as given: argv has them in the ANSI code page,
// which cannot hold Japanese under an English locale.
std::wstring argument(int i)
{
    int n = 0;
    LPWSTR *args = CommandLineToArgvW(GetCommandLineW(), &n);
    std::wstring a = args && i < n ? args[i] : L"";
    LocalFree(args);
    return a;
}

int extent(int argc, char **argv)
{
    if (argc < 5)
        return 2;
    const bool weighted = argc > 5;
    LOGFONTW font{};
    font.lfHeight = -std::atoi(argv[3]);
    font.lfWeight = weighted ? std::atoi(argv[4]) : FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    const std::wstring face = argument(2);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    const std::wstring text = argument(weighted ? 5 : 4);
    HDC screen = GetDC(nullptr);
    HFONT f = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(screen, f);
    SIZE size{};
    TEXTMETRICW metrics{};
    GetTextExtentPoint32W(screen, text.data(), int(text.size()), &size);
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    DeleteObject(f);
    ReleaseDC(nullptr, screen);
    std::printf("%ld %ld\n", size.cx, metrics.tmHeight);
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
        return glide(std::atoi(arg), argc > 3 ? std::atoi(argv[3]) : 0);
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
    } else if (what == "form2controls") {
        HWND w = form2();
        if (!w)
            return 1;
        using version_layout::Id;
        for (const Id id : {Id::Command1, Id::Image1, Id::Label1, Id::Label2, Id::Label3}) {
            RECT r{};
            HWND c = GetDlgItem(w, kFirstId + version_layout::row(id));
            if (!c || !GetWindowRect(c, &r))
                return 1;
            MapWindowPoints(nullptr, w, reinterpret_cast<POINT *>(&r), 2);
            printRect(r);
        }
    } else if (what == "pixels" || what == "ink") {
        int width = 0, height = 0;
        const std::vector<std::uint32_t> pixels = screenshot(width, height);
        if (pixels.empty())
            return 1;
        const auto at = [&](int x, int y) -> long {
            return x >= 0 && y >= 0 && x < width && y < height
                       ? long(pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)])
                       : -1;
        };
        if (what == "pixels") {
            for (int i = 2; i < argc; ++i) {
                int x = -1, y = -1;
                std::sscanf(argv[i], "%d,%d", &x, &y);
                const long c = at(x, y);
                if (c < 0)
                    return 1;
                std::printf("%06lX\n", c);
            }
        } else {
            if (argc < 6)
                return 2;
            const int x0 = std::atoi(argv[2]), y0 = std::atoi(argv[3]);
            long dark = 0;
            for (int y = y0; y < y0 + std::atoi(argv[5]); ++y)
                for (int x = x0; x < x0 + std::atoi(argv[4]); ++x) {
                    const long c = at(x, y);
                    if (c >= 0 && ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) < 384)
                        ++dark;
                }
            std::printf("%ld\n", dark);
        }
    } else if (what == "extent") {
        return extent(argc, argv);
    } else if (what == "clipboard") {
        if (!OpenClipboard(nullptr))
            return 1;
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const auto *text = data ? static_cast<const wchar_t *>(GlobalLock(data)) : nullptr;
        if (text) {
            print(text);
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text ? 0 : 1;
    } else if (what == "popup") {
        HWND menu = FindWindowW(L"#32768", nullptr);
        std::printf("%d\n", menu && IsWindowVisible(menu) ? 1 : 0);
    } else if (what == "placement") {
        RECT r;
        if (!form1() || !GetWindowRect(form1(), &r))
            return 1;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(form1(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT &work = monitor.rcWork;
        std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left,
                    r.bottom - r.top, work.left, work.top, work.right - work.left,
                    work.bottom - work.top);
    } else if (what == "repainted") {
        if (!form1() || !InvalidateRect(form1(), nullptr, FALSE))
            return 1;
        const ULONGLONG until = GetTickCount64() + ULONGLONG(std::atoi(arg));
        bool painted = false;
        while (!(painted = !GetUpdateRect(form1(), nullptr, FALSE)) && GetTickCount64() < until)
            Sleep(10);
        std::printf("%d\n", painted ? 1 : 0);
    } else {
        return 2;
    }
    return 0;
}
