#pragma once
// A window's painted items from its layout table: rectangles, lines, labels
// and images, drawn back to front (from the last row to the first) in device
// pixels at the window's DPI. Windowed controls are child windows and are
// skipped here; they lie above all painting. Labels that size themselves take
// the size of their caption in their font.

#include <windows.h>

#include <map>
#include <vector>

#include "core/layout.h"
#include "core/picture.h"
#include "win32/forms/gdi.h"

class Surface
{
public:
    explicit Surface(layout::Table table, UINT dpi = 96);

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

    double left(int row) const { return items_[std::size_t(row)].left; }   ///< twips
    double width(int row) const { return items_[std::size_t(row)].width; } ///< twips
    void setLeft(int row, double left) { items_[std::size_t(row)].left = left; }

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
        double left = 0, width = 0, height = 0; ///< twips
        guide::Picture picture;
        HICON icon = nullptr;
    };

    void paintShape(HDC dc, const layout::Control &c) const;
    void paintLine(HDC dc, const layout::Control &c) const;
    void paintLabel(HDC dc, int row) const;
    void paintImage(HDC dc, int row) const;

    layout::Table table_;
    std::vector<Item> items_;
    UINT dpi_ = 96;
    gdi::Font defaultFont_;
    std::map<const layout::Font *, gdi::Font> fonts_;
};
