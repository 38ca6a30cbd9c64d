#include "win32/forms/surface.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/twips.h"
#include "win32/forms/device.h"
#include "win32/forms/fonts.h"
#include "win32/forms/wide.h"

namespace {

using layout::Control;
using layout::Kind;

bool meets(const RECT &a, const RECT &b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

void fill(HDC dc, const RECT &r, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A frame `t` pixels thick just inside `r`.
void frame(HDC dc, const RECT &r, int t, COLORREF colour)
{
    fill(dc, {r.left, r.top, r.right, r.top + t}, colour);
    fill(dc, {r.left, r.bottom - t, r.right, r.bottom}, colour);
    fill(dc, {r.left, r.top, r.left + t, r.bottom}, colour);
    fill(dc, {r.right - t, r.top, r.right, r.bottom}, colour);
}

BITMAPINFO topDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Lines of `text` as wide as `width` pixels at most, broken anywhere: a fixed
// label wraps its caption as it can, one character to a line if it must.
std::vector<std::wstring_view> wrapAnywhere(HDC dc, std::wstring_view text, int width)
{
    std::vector<std::wstring_view> lines;
    while (!text.empty()) {
        INT fit = 0;
        SIZE extent{};
        GetTextExtentExPointW(dc, text.data(), int(text.size()), width, &fit, nullptr, &extent);
        const std::size_t n = std::max<std::size_t>(1, std::size_t(std::max(fit, 0)));
        lines.push_back(text.substr(0, n));
        text.remove_prefix(std::min(n, text.size()));
    }
    return lines;
}

} // namespace

Surface::Surface(layout::Table table, UINT dpi) : table_(table), items_(table.size())
{
    for (std::size_t i = 0; i < table_.size(); ++i) {
        items_[i].left = table_[i].left;
        items_[i].width = table_[i].width;
        items_[i].height = table_[i].height;
    }
    setDpi(dpi);
}

void Surface::setDpi(UINT dpi)
{
    dpi_ = dpi;
    fonts_.clear();
    defaultFont_ = fonts::create(nullptr, dpi);
    HDC screen = GetDC(nullptr);
    for (std::size_t i = 0; i < table_.size(); ++i) {
        const Control &c = table_[i];
        if (c.font && !fonts_.contains(c.font))
            fonts_.emplace(c.font, fonts::create(c.font, dpi));
        if (c.kind != Kind::Label || c.sizing != layout::Sizing::ToCaption)
            continue;
        const gdi::Selection font(screen, this->font(c));
        const std::wstring_view caption = wide::view(c.caption);
        SIZE extent{};
        TEXTMETRICW metrics{};
        GetTextExtentPoint32W(screen, caption.data(), int(caption.size()), &extent);
        GetTextMetricsW(screen, &metrics);
        // In twips, so that the label's edges go through the one conversion.
        items_[i].width = device::toTwips(extent.cx, dpi);
        items_[i].height = device::toTwips(metrics.tmHeight, dpi);
    }
    ReleaseDC(nullptr, screen);
}

HFONT Surface::font(const Control &c) const
{
    if (c.font)
        if (const auto it = fonts_.find(c.font); it != fonts_.end())
            return it->second.get();
    return defaultFont_.get();
}

RECT Surface::deviceRect(int row) const
{
    const Item &item = items_[std::size_t(row)];
    return device::rect(item.left, table_[std::size_t(row)].top, item.width, item.height, dpi_);
}

RECT Surface::paintedRect(int row) const
{
    RECT r = deviceRect(row);
    if (table_[std::size_t(row)].kind == Kind::Image && table_[std::size_t(row)].border) {
        const int t = device::thickness(1, dpi_); // image frames lie just outside
        InflateRect(&r, t, t);
    }
    return r;
}

void Surface::setPicture(int row, guide::Picture picture)
{
    items_[std::size_t(row)].picture = std::move(picture);
}

void Surface::paint(HDC dc, const RECT &area) const
{
    fill(dc, area, GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    for (int row = int(table_.size()) - 1; row >= 0; --row) {
        const Control &c = table_[std::size_t(row)];
        switch (c.kind) {
        case Kind::Shape:
            paintShape(dc, c);
            break;
        case Kind::Line:
            paintLine(dc, c);
            break;
        // Text and pictures only where the update reaches: a glide step
        // repaints one label's strip twenty times a second.
        case Kind::Label:
            if (meets(paintedRect(row), area))
                paintLabel(dc, row);
            break;
        case Kind::Image:
            if (meets(paintedRect(row), area))
                paintImage(dc, row);
            break;
        case Kind::OptionButton:
        case Kind::CommandButton:
        case Kind::TextBox:
            break; // child windows
        }
    }
}

void Surface::paintShape(HDC dc, const Control &c) const
{
    const RECT r = device::controlRect(c, dpi_);
    fill(dc, r, device::colour(c.fill, COLOR_WINDOW));
    if (c.border)
        frame(dc, r, device::thickness(1, dpi_), GetSysColor(COLOR_WINDOWTEXT));
}

void Surface::paintLine(HDC dc, const Control &c) const
{
    const COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
    const int t = device::thickness(c.lineWidth, dpi_);
    const int pixel = device::thickness(1, dpi_); // both end points are drawn
    const int x1 = device::length(c.left, dpi_), y1 = device::length(c.top, dpi_);
    const int x2 = device::length(c.width, dpi_), y2 = device::length(c.height, dpi_);
    if (x1 == x2) {
        const int x = x1 - (t - 1) / 2, y = std::min(y1, y2);
        fill(dc, {x, y, x + t, y + std::abs(y2 - y1) + pixel}, colour);
    } else if (y1 == y2) {
        const int x = std::min(x1, x2), y = y1 - (t - 1) / 2;
        fill(dc, {x, y, x + std::abs(x2 - x1) + pixel, y + t}, colour);
    } else {
        LOGBRUSH brush{BS_SOLID, colour, 0};
        const gdi::Owned<HPEN> pen(
            ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, DWORD(t), &brush, 0, nullptr));
        const gdi::Selection selected(dc, pen.get());
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    }
}

void Surface::paintLabel(HDC dc, int row) const
{
    const Control &c = table_[std::size_t(row)];
    const RECT r = deviceRect(row);
    const int saved = SaveDC(dc);
    // A fixed-size label cuts its caption off at its edges.
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    if (c.opaque)
        fill(dc, r, GetSysColor(COLOR_BTNFACE));
    SelectObject(dc, font(c));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const std::wstring_view caption = wide::view(c.caption);
    if (c.sizing == layout::Sizing::ToCaption) {
        TextOutW(dc, r.left, r.top, caption.data(), int(caption.size()));
    } else {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        int y = r.top;
        for (const std::wstring_view line : wrapAnywhere(dc, caption, r.right - r.left)) {
            TextOutW(dc, r.left, y, line.data(), int(line.size()));
            y += metrics.tmHeight;
        }
    }
    RestoreDC(dc, saved);
}

void Surface::paintImage(HDC dc, int row) const
{
    const Control &c = table_[std::size_t(row)];
    const Item &item = items_[std::size_t(row)];
    const RECT r = deviceRect(row);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (!item.picture.isNull()) {
        const guide::Picture &p = item.picture;
        const BITMAPINFO info = topDown32(p.width, p.height);
        if (p.width == w && p.height == h) {
            SetDIBitsToDevice(dc, r.left, r.top, DWORD(w), DWORD(h), 0, 0, 0, UINT(h),
                              p.pixels.data(), &info, DIB_RGB_COLORS);
        } else { // loaded at another DPI: stretched until it is shown anew
            const int mode = SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            StretchDIBits(dc, r.left, r.top, w, h, 0, 0, p.width, p.height, p.pixels.data(), &info,
                          DIB_RGB_COLORS, SRCCOPY);
            SetStretchBltMode(dc, mode);
        }
    } else if (item.icon) {
        const int mode = SetStretchBltMode(dc, COLORONCOLOR); // pixel art: whole pixels
        DrawIconEx(dc, r.left, r.top, item.icon, w, h, 0, nullptr, DI_NORMAL);
        SetStretchBltMode(dc, mode);
    }
    if (c.border) {
        const int t = device::thickness(1, dpi_);
        frame(dc, {r.left - t, r.top - t, r.right + t, r.bottom + t}, t,
              GetSysColor(COLOR_WINDOWTEXT));
    }
}
