#include "win32/forms/gdi.h"

namespace gdi {

BufferedPaint::BufferedPaint(HDC target, const RECT &area, POINT origin)
    : target_(target), area_(area)
{
    const int w = area.right - area.left, h = area.bottom - area.top;
    memory_ = w > 0 && h > 0 ? CreateCompatibleDC(target) : nullptr;
    bitmap_ = memory_ ? CreateCompatibleBitmap(target, w, h) : nullptr;
    if (!bitmap_) {
        if (memory_)
            DeleteDC(memory_);
        memory_ = nullptr;
        // Unbuffered: straight onto the target, in the window's coordinates.
        SetViewportOrgEx(target_, -origin.x, -origin.y, &targetOrigin_);
        return;
    }
    previous_ = SelectObject(memory_, bitmap_);
    SetViewportOrgEx(memory_, -(area.left + origin.x), -(area.top + origin.y), nullptr);
}

BufferedPaint::~BufferedPaint()
{
    if (!memory_) {
        SetViewportOrgEx(target_, targetOrigin_.x, targetOrigin_.y, nullptr);
        return;
    }
    SetViewportOrgEx(memory_, 0, 0, nullptr);
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
           memory_, 0, 0, SRCCOPY);
    SelectObject(memory_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
}

} // namespace gdi
