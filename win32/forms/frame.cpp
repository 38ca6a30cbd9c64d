#include "win32/forms/frame.h"

#include "win32/forms/device.h"

namespace frame {

void fitClientArea(HWND window, int width, int height, UINT dpi)
{
    const SIZE wanted{device::length(width, dpi), device::length(height, dpi)};
    RECT r{0, 0, wanted.cx, wanted.cy};
    const auto style = DWORD(GetWindowLongW(window, GWL_STYLE));
    const auto exStyle = DWORD(GetWindowLongW(window, GWL_EXSTYLE));
    AdjustWindowRectExForDpi(&r, style, GetMenu(window) != nullptr, exStyle, dpi);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps, or a frame the estimate got wrong: correct by
    // what the client area came out as.
    RECT client{};
    GetClientRect(window, &client);
    const int dx = wanted.cx - client.right, dy = wanted.cy - client.bottom;
    if (dx != 0 || dy != 0) {
        GetWindowRect(window, &r);
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void centre(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveToSuggested(HWND window, const RECT &suggested)
{
    SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace frame
