#include "win32/forms/surface.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/twips.h"
#include "win32/forms/device.h"
#include "win32/forms/fonts.h"
#include "win32/forms/wide.h"

namespace {

using drawing::Op;
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

RECT toRect(const twips::Rect &r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }

COLORREF colour(drawing::Paint paint)
{
    switch (paint.role) {
    case drawing::Role::ButtonFace:
        return GetSysColor(COLOR_BTNFACE);
    case drawing::Role::ButtonText:
        return GetSysColor(COLOR_BTNTEXT);
    case drawing::Role::WindowText:
        return GetSysColor(COLOR_WINDOWTEXT);
    case drawing::Role::Window:
        return GetSysColor(COLOR_WINDOW);
    case drawing::Role::Literal:
        break;
    }
    return device::colour(paint.rgb, COLOR_WINDOW);
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

Surface::Surface(layout::Table table, int clientWidth, int clientHeight, UINT dpi)
    : scene_(table, clientWidth, clientHeight), items_(table.size())
{
    setDpi(dpi);
}

void Surface::setDpi(UINT dpi)
{
    dpi_ = dpi;
    fonts_.clear();
    defaultFont_ = fonts::create(nullptr, dpi);
    HDC screen = GetDC(nullptr);
    const layout::Table table = scene_.table();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Control &c = table[i];
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
        scene_.setSize(int(i), device::toTwips(extent.cx, dpi),
                       device::toTwips(metrics.tmHeight, dpi));
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
    return toRect(scene_.deviceRect(row, device::ratio(dpi_)));
}

RECT Surface::paintedRect(int row) const
{
    return toRect(scene_.paintedRect(row, device::ratio(dpi_)));
}

void Surface::setPicture(int row, guide::Picture picture)
{
    items_[std::size_t(row)].picture = std::move(picture);
}

void Surface::paint(HDC dc, const RECT &area) const
{
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SetBkMode(dc, TRANSPARENT);
    for (const drawing::Step &step : scene_.steps(device::ratio(dpi_))) {
        const RECT r = toRect(step.rect);
        switch (step.op) {
        case Op::Fill:
            fill(dc, r, colour(step.paint));
            break;
        case Op::Line: {
            LOGBRUSH brush{BS_SOLID, colour(step.paint), 0};
            const gdi::Owned<HPEN> pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE,
                                                    DWORD(step.thickness), &brush, 0, nullptr));
            const gdi::Selection selected(dc, pen.get());
            MoveToEx(dc, step.x1, step.y1, nullptr);
            LineTo(dc, step.x2, step.y2);
            break;
        }
        // Text and pictures only where the update reaches: a glide step
        // repaints one label's strip twenty times a second.
        case Op::Label:
            if (meets(r, area))
                paintLabel(dc, step);
            break;
        case Op::Picture:
            if (meets(r, area))
                paintPicture(dc, step);
            break;
        }
    }
    RestoreDC(dc, saved);
}

void Surface::paintLabel(HDC dc, const drawing::Step &step) const
{
    const Control &c = scene_.table()[std::size_t(step.row)];
    const RECT r = toRect(step.rect);
    const int saved = SaveDC(dc);
    // A fixed-size label cuts its caption off at its edges.
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, font(c));
    SetTextColor(dc, colour(step.paint));
    const std::wstring_view caption = wide::view(c.caption);
    if (!drawing::wrapsAnywhere(c)) {
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

void Surface::paintPicture(HDC dc, const drawing::Step &step) const
{
    const Item &item = items_[std::size_t(step.row)];
    const RECT r = toRect(step.rect);
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
}
