#pragma once
// A window's painted items: the core's drawing list of its layout (fills,
// lines, labels, pictures, back to front) rasterised with GDI in device pixels
// at the window's DPI. Windowed controls are child windows above all painting.
// Labels that size themselves take the size of their caption in their font.

#include <windows.h>

#include <map>
#include <vector>

#include "core/drawing.h"
#include "core/layout.h"
#include "core/picture.h"
#include "win32/forms/gdi.h"

class Surface
{
public:
    /// `clientWidth` × `clientHeight` twips of `table`'s window.
    Surface(layout::Table table, int clientWidth, int clientHeight, UINT dpi = 96);

    /// Lays the items out for `dpi`: fonts, and the sizes of self-sizing labels.
    void setDpi(UINT dpi);
    UINT dpi() const { return dpi_; }

    /// Paints the items that meet `area` (client coordinates) into `dc`,
    /// whose coordinates are the window's client coordinates.
    void paint(HDC dc, const RECT &area) const;

    /// Where the item at `row` lies now, in device pixels of the client area.
    RECT deviceRect(int row) const;
    /// Its area with its border, where it has one: what to repaint when it changes.
    RECT paintedRect(int row) const;

    double left(int row) const { return scene_.left(row); }   ///< twips
    double width(int row) const { return scene_.width(row); } ///< twips
    void setLeft(int row, double left) { scene_.setLeft(row, left); }

    /// The picture an image item shows (null: only its frame).
    void setPicture(int row, guide::Picture picture);
    const guide::Picture &picture(int row) const { return items_[std::size_t(row)].picture; }
    /// An icon shown instead of a picture, enlarged by whole pixels.
    void setIcon(int row, HICON icon) { items_[std::size_t(row)].icon = icon; }

    /// The font of control `c` at the current DPI (the window's default if it has none).
    HFONT font(const layout::Control &c) const;

private:
    struct Item
    {
        guide::Picture picture;
        HICON icon = nullptr;
    };

    void paintLabel(HDC dc, const drawing::Step &step) const;
    void paintPicture(HDC dc, const drawing::Step &step) const;

    drawing::Scene scene_;
    std::vector<Item> items_;
    UINT dpi_ = 96;
    gdi::Font defaultFont_;
    std::map<const layout::Font *, gdi::Font> fonts_;
};
