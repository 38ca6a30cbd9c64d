#include "win32/about/version_window.h"

#include <commctrl.h>

#include "core/glide.h"
#include "core/reader_texts.h"
#include "win32/forms/device.h"
#include "win32/forms/frame.h"
#include "win32/forms/keyboard.h"
#include "win32/forms/painted_item.h"
#include "win32/forms/wide.h"

using version_layout::Id;
using version_layout::kControls;
using version_layout::row;

namespace {

constexpr UINT_PTR kTimer1 = 1;
// Fixed single border, close box and window menu, no minimise or maximise box.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;
constexpr int kFirstId = 100; // control id = kFirstId + table row

} // namespace

Form2::Form2(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) { create(); }

Form2::~Form2()
{
    if (window_)
        DestroyWindow(window_);
    if (icon_)
        DestroyIcon(icon_);
}

void Form2::create()
{
    static const ATOM registered = [this] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WndProc;
        wc.hInstance = instance_;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(2)); // the program's icon
        wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(2), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    // The owner keeps the window in front of the main window; the main window
    // is disabled while it is shown.
    window_ = CreateWindowExW(kExStyle, kClassName, wide::string(version_layout::kCaption).c_str(),
                              kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner_, nullptr,
                              instance_, this);
    if (!window_)
        return;
    const UINT dpi = GetDpiForWindow(window_);
    surface_.setDpi(dpi);
    icon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(2), IMAGE_ICON, 32, 32, 0));
    surface_.setIcon(row(Id::Image1), icon_);

    const layout::Control &ok = kControls[row(Id::Command1)];
    Command1 = CreateWindowExW(
        0, WC_BUTTONW, wide::string(ok.caption).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 0, 0, 0, 0,
        window_, HMENU(INT_PTR(kFirstId + row(Id::Command1))), instance_, nullptr);
    // The labels top to bottom, then the icon: read in that order.
    for (Id id : {Id::Label1, Id::Label2, Id::Label3, Id::Image1}) {
        const layout::Control &c = kControls[row(id)];
        hosts_[row(id)] = painted_item::create(
            window_, kFirstId + row(id),
            wide::view(id == Id::Image1 ? reader_texts::kIcon : c.caption), instance_);
    }
    placeControls();
    form_.Form_Load();
    SetTimer(window_, kTimer1, glide::kIntervalMs, nullptr);
}

// Sizes the window to its client area at its DPI and puts every control in place.
void Form2::placeControls()
{
    const UINT dpi = surface_.dpi();
    frame::fitClientArea(window_, version_layout::kClientWidth, version_layout::kClientHeight, dpi);
    const HFONT font = surface_.font(kControls[row(Id::Command1)]);
    const RECT ok = device::controlRect(kControls[row(Id::Command1)], dpi);
    SetWindowPos(Command1, nullptr, ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(Command1, WM_SETFONT, WPARAM(font), TRUE);
    for (std::size_t r = 0; r < hosts_.size(); ++r)
        if (hosts_[r])
            painted_item::place(hosts_[r], surface_.deviceRect(int(r)));
}

void Form2::showModal()
{
    if (!window_)
        return;
    frame::centre(window_);
    EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetFocus(Command1); // the only control that takes the focus
    MSG msg;
    while (!unloaded_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(int(msg.wParam)); // for the main loop to see
            Unload();
            break;
        }
        if (!keyboard::handle(window_, msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // Destroyed here, outside the handler that unloaded it: the button whose
    // click closed the window is still inside its own code until then.
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
    if (owner_)
        SetActiveWindow(owner_);
}

float Form2::label1Left() const { return float(surface_.left(row(Id::Label1))); }

float Form2::label1Width() const { return float(surface_.width(row(Id::Label1))); }

float Form2::outerWidth() const
{
    RECT r{};
    GetWindowRect(window_, &r);
    return float(device::toTwips(r.right - r.left, surface_.dpi()));
}

void Form2::setLabel1Left(float left)
{
    surface_.setLeft(row(Id::Label1), left);
    // The label's window moves; Windows repaints what it uncovers.
    painted_item::place(hosts_[row(Id::Label1)], surface_.deviceRect(row(Id::Label1)));
}

void Form2::Hide() { ShowWindow(window_, SW_HIDE); }

void Form2::Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    KillTimer(window_, kTimer1); // no tick after this
    // The owner first, so that activation goes back to it and not to another program.
    EnableWindow(owner_, TRUE);
    ShowWindow(window_, SW_HIDE);
    PostMessageW(window_, WM_NULL, 0, 0); // wakes the modal loop, which ends
}

void Form2::Command1_Click() { form_.Command1_Click(); }

void Form2::Timer1_Timer() { form_.Timer1_Timer(); }

void Form2::onDpiChanged(UINT dpi, const RECT &suggested)
{
    surface_.setDpi(dpi);
    frame::moveToSuggested(window_, suggested);
    placeControls();
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK Form2::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Form2 *form = frame::formOf<Form2>(window, message, lParam);
    return form && form->window_ ? form->handle(message, wParam, lParam)
                                 : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form2::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer1)
            Timer1_Timer();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kFirstId + row(Id::Command1) && HIWORD(wParam) == BN_CLICKED)
            Command1_Click();
        return 0;  // Enter elsewhere and Esc (IDOK, IDCANCEL) do nothing: no default or cancel
                   // button
    case WM_CLOSE: // the close box unloads the window without a handler
        Unload();
        return 0;
    case WM_PAINT:
        painted_item::paintWindow(window_, surface_);
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_DRAWITEM:
        painted_item::paintItem(*reinterpret_cast<DRAWITEMSTRUCT *>(lParam), window_, surface_);
        return TRUE;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<RECT *>(lParam));
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}
