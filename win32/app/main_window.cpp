#include "win32/app/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/guide_entries.h"
#include "core/reader_texts.h"
#include "win32/about/version_window.h"
#include "win32/forms/device.h"
#include "win32/forms/frame.h"
#include "win32/forms/painted_item.h"
#include "win32/forms/text_box.h"
#include "win32/forms/wide.h"

using main_layout::Id;
using main_layout::kControls;
using main_layout::row;

namespace {

// Fixed single border, close box and window menu, no minimise or maximise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

} // namespace

Form1::Form1(HINSTANCE instance, FormsRuntime &runtime)
    : instance_(instance), optionBack_(CreateSolidBrush(
                               device::colour(kControls[row(Id::Option1)].fill, COLOR_BTNFACE))),
      form_(*this, runtime)
{
    create();
}

Form1::~Form1()
{
    if (window_)
        DestroyWindow(window_);
}

void Form1::create()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(2));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(2), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc))
        return;
    // The menu bar: two commands, no menus under them.
    HMENU bar = CreateMenu();
    for (std::size_t i = 0; i < main_layout::kMenu.size(); ++i)
        AppendMenuW(bar, MF_STRING, kFirstMenuId + i,
                    wide::string(main_layout::kMenu[i].caption).c_str());
    window_ = CreateWindowExW(0, kClassName, wide::string(main_layout::kCaption).c_str(), kStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, bar, instance_, this);
    if (!window_) {
        DestroyMenu(bar);
        return;
    }
    surface_.setDpi(GetDpiForWindow(window_));
    createControls();
    placeControls();
    frame::centre(window_);
}

// Child windows in tab order, which Windows takes from their order: the text
// box, the two buttons, then the option group from its lowest tab index; the
// painted items' windows after them, the plan's last, beneath them all.
void Form1::createControls()
{
    std::vector<int> rows;
    for (int r = 0; r < int(kControls.size()); ++r)
        if (layout::isWindowed(kControls[std::size_t(r)].kind))
            rows.push_back(r);
    std::sort(rows.begin(), rows.end(), [](int a, int b) {
        return kControls[std::size_t(a)].tabIndex < kControls[std::size_t(b)].tabIndex;
    });
    bool firstOption = true;
    for (const int r : rows) {
        const layout::Control &c = kControls[std::size_t(r)];
        const auto id = HMENU(INT_PTR(kFirstId + r));
        const std::wstring caption = wide::string(c.caption);
        HWND w = nullptr;
        switch (c.kind) {
        case layout::Kind::TextBox:
            w = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS |
                                    WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                    ES_LEFT,
                                0, 0, 0, 0, window_, id, instance_, nullptr);
            SendMessageW(w, EM_SETLIMITTEXT, 0, 0); // no limit but memory
            text_box::useJapaneseMenu(w);
            SetWindowTextW(w, L""); // the box's own name for screen readers comes below
            Text1 = w;
            break;
        case layout::Kind::CommandButton:
            w = CreateWindowExW(0, WC_BUTTONW, caption.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS |
                                    BS_PUSHBUTTON,
                                0, 0, 0, 0, window_, id, instance_, nullptr);
            (c.name == u"Command1" ? Command1 : Command2) = w;
            break;
        case layout::Kind::OptionButton:
            // One group, one tab stop: Windows moves the focus to the selected
            // button and the arrow keys through the group.
            w = CreateWindowExW(0, WC_BUTTONW, caption.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_AUTORADIOBUTTON |
                                    (firstOption ? WS_GROUP | WS_TABSTOP : 0),
                                0, 0, 0, 0, window_, id, instance_, nullptr);
            SendMessageW(w, BM_SETCHECK, c.selected ? BST_CHECKED : BST_UNCHECKED, 0);
            firstOption = false;
            // A radio button's name for screen readers is its text. The seven
            // without a caption are no larger than their mark, so the spot's
            // name, set as their text, lies outside all they draw.
            if (caption.empty())
                SetWindowTextW(
                    w, wide::string(
                           guide::spotName(guide::kEntries[main_layout::optionNumber(Id(r)) - 1]))
                           .c_str());
            break;
        default:
            break;
        }
        windows_[std::size_t(r)] = w;
    }
    // The title and the plan's labels, top to bottom, then the photograph.
    for (Id id : {Id::Label4, Id::Label5, Id::Label2, Id::Label3, Id::Label1, Id::Image1}) {
        const layout::Control &c = kControls[row(id)];
        const std::wstring_view name =
            wide::view(id == Id::Image1 ? reader_texts::kImage1 : c.caption);
        windows_[row(id)] = painted_item::create(window_, kFirstId + row(id), name, instance_);
    }
    // A new group after the options, so that the arrow keys stay among them.
    SetWindowLongW(windows_[row(Id::Label4)], GWL_STYLE,
                   GetWindowLongW(windows_[row(Id::Label4)], GWL_STYLE) | WS_GROUP);
    plan_ = painted_item::create(window_, kFirstId + int(kControls.size()),
                                 wide::view(reader_texts::kPlan), instance_);
}

void Form1::placeControls()
{
    const UINT dpi = surface_.dpi();
    frame::fitClientArea(window_, main_layout::kClientWidth, main_layout::kClientHeight, dpi);
    for (std::size_t r = 0; r < windows_.size(); ++r) {
        HWND w = windows_[r];
        if (!w)
            continue;
        const layout::Control &c = kControls[r];
        if (layout::isWindowed(c.kind)) {
            const RECT rect = device::controlRect(c, dpi);
            SetWindowPos(w, nullptr, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(w, WM_SETFONT, WPARAM(surface_.font(c)), TRUE);
        } else {
            painted_item::place(w, surface_.paintedRect(int(r)));
        }
    }
    painted_item::place(plan_, device::controlRect(kControls[row(Id::Shape9)], dpi));
}

bool Form1::start(int show)
{
    if (!window_)
        return false;
    form_.Form_Load(); // before the window is first shown
    ShowWindow(window_, show);
    SetFocus(Text1);
    return true;
}

void Form1::setCommand2Enabled(bool enabled) { EnableWindow(Command2, enabled); }

void Form1::setText1(std::u16string_view text)
{
    SetWindowTextW(Text1, wide::string(text).c_str());
}

guide::Size Form1::image1DeviceSize() const
{
    const RECT r = surface_.deviceRect(row(Id::Image1));
    return {r.right - r.left, r.bottom - r.top};
}

void Form1::setImage1(guide::Picture picture, std::u16string_view fileName)
{
    surface_.setPicture(row(Id::Image1), std::move(picture));
    HWND image = windows_[row(Id::Image1)];
    SetWindowTextW(image, wide::string(reader_texts::image1Description(fileName)).c_str());
    InvalidateRect(image, nullptr, FALSE);
}

void Form1::showForm2()
{
    Form2 form2(instance_, window_);
    form2.showModal();
}

// Menu items and controls are wired to the core's handlers through its tables.
void Form1::onCommand(int id, int code)
{
    const auto &menu = MainForm::kMenuClicks;
    if (id >= int(kFirstMenuId) && id < int(kFirstMenuId + menu.size()))
        return (form_.*menu[std::size_t(id) - kFirstMenuId])();
    // Enter or Esc elsewhere (IDOK, IDCANCEL) is no control's: no default or cancel button.
    if (code != BN_CLICKED || id < kFirstId || id >= kFirstId + int(Id::Count))
        return;
    if (const MainForm::Handler click = MainForm::clickHandler(Id(id - kFirstId)))
        (form_.*click)();
}

HBRUSH Form1::colourOption(HDC dc)
{
    SetBkColor(dc, device::colour(kControls[row(Id::Option1)].fill, COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return optionBack_.get();
}

void Form1::onDpiChanged(UINT dpi, const RECT &suggested)
{
    surface_.setDpi(dpi);
    frame::moveToSuggested(window_, suggested);
    placeControls();
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK Form1::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Form1 *form = frame::formOf<Form1>(window, message, lParam);
    return form && form->window_ ? form->handle(message, wParam, lParam)
                                 : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_PAINT:
        painted_item::paintWindow(window_, surface_);
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_DRAWITEM:
        painted_item::paintItem(*reinterpret_cast<DRAWITEMSTRUCT *>(lParam), window_, surface_);
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        for (const Id option : main_layout::kOptions)
            if (HWND(lParam) == windows_[row(option)])
                return LRESULT(colourOption(HDC(wParam)));
        break;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<RECT *>(lParam));
        return 0;
    case WM_NEXTDLGCTL: // Tab in the text box, which asks its parent as it would a dialog
        SetFocus(LOWORD(lParam) ? HWND(wParam)
                                : GetNextDlgTabItem(window_, GetFocus(), wParam != 0));
        return 0;
    case WM_DESTROY: // the close box: Form1 unloaded, nothing else loaded, the program ends
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}
