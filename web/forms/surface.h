#pragma once
// A window's client area in the page: the core's drawing list rasterised on
// canvases at the device's resolution, the labels as page text placed between
// them, and the windowed controls above all painting. Positions are twips;
// the page's CSS pixels are logical pixels, device pixels are those times
// the page's scale.

#include <string>
#include <string_view>

#include "core/drawing.h"
#include "core/picture.h"

namespace forms {

class Surface
{
public:
    /// The client area of `window` (its name, which prefixes its controls'
    /// element ids), `clientWidth` × `clientHeight` twips, added to the page
    /// element with id `host`. Its labels are placed as page text at once.
    Surface(std::u16string_view window, std::u16string_view host, layout::Table table,
            int clientWidth, int clientHeight);
    ~Surface();
    Surface(const Surface &) = delete;
    Surface &operator=(const Surface &) = delete;

    int id() const { return id_; }
    drawing::Scene &scene() { return scene_; }
    const drawing::Scene &scene() const { return scene_; }

    /// The element id of the control `name` of this window.
    std::u16string elementId(std::u16string_view name) const;

    /// Device pixels to one logical pixel now.
    static double scale();

    /// Where the item at `row` lies now, in device pixels.
    twips::Rect deviceRect(int row) const { return scene_.deviceRect(row, scale()); }

    /// The picture painted at `row` (device pixels, shown 1:1 at this scale).
    void setPicture(int row, const guide::Picture &picture, bool smooth);
    /// The picture at `url` in the site's folder, painted without smoothing once it arrives.
    void setPictureUrl(int row, std::u16string_view url);

    /// Paints the whole client area anew at the current scale.
    void paint();

private:
    void addLabels();

    int id_;
    std::u16string window_;
    drawing::Scene scene_;
};

} // namespace forms
