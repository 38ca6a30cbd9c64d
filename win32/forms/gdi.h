#pragma once
// Owning handles for GDI objects: deleted with the owner, never leaked on an
// early return.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace gdi {

struct ObjectDeleter
{
    void operator()(void *object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};

template <typename Handle>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, ObjectDeleter>;

using Font = Owned<HFONT>;
using Brush = Owned<HBRUSH>;
using Bitmap = Owned<HBITMAP>;

/// Selects `object` into `dc` for the scope and puts the previous one back.
class Selection
{
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection &) = delete;
    Selection &operator=(const Selection &) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

/// Paints into an off-screen bitmap of `area` (coordinates of `target`) and
/// copies it to `target` at the end of the scope, so a repaint never flickers.
/// The off-screen DC draws in the coordinates of the window the painting
/// belongs to, whose point `origin` is `target`'s (0, 0): a child window that
/// shows part of its parent's painting passes its own position there.
class BufferedPaint
{
public:
    BufferedPaint(HDC target, const RECT &area, POINT origin = {0, 0});
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint &) = delete;
    BufferedPaint &operator=(const BufferedPaint &) = delete;

    /// The off-screen DC; `target` itself (origin moved) when no bitmap could be had.
    HDC dc() const { return memory_ ? memory_ : target_; }

private:
    HDC target_;
    RECT area_;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    POINT targetOrigin_{};
};

} // namespace gdi
