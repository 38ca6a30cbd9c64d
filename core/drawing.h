#pragma once
// What a window paints, decided once for every front end: its painted items
// (rectangles, lines, labels, pictures) turned into a plain list of steps,
// back to front, in device pixels at a given scale. A front end rasterises
// the list with its own API and never walks the layout table to paint.
//
// A Scene holds where each painted item is now: the table's place, except
// that labels sizing themselves take their caption's measured size (fonts
// are the front end's) and a label may move (the version window's title).

#include <cstdint>
#include <vector>

#include "core/layout.h"
#include "core/twips.h"

namespace drawing {

/// The system colours a step may paint with, by role; Literal is the table's own.
enum class Role : std::uint8_t { Literal, ButtonFace, ButtonText, WindowText, Window };

struct Paint
{
    Role role = Role::Literal;
    layout::Colour rgb = 0; ///< 0xFFRRGGBB when role is Literal

    friend constexpr bool operator==(const Paint &, const Paint &) = default;
};

enum class Op : std::uint8_t {
    Fill,    ///< `rect` filled with `paint`
    Line,    ///< a slanted line from (x1, y1) to (x2, y2), `thickness` wide, square caps
    Label,   ///< row's caption in row's font, text in `paint`, clipped to `rect`
    Picture, ///< row's picture (or icon) stretched into `rect`
};

struct Step
{
    Op op = Op::Fill;
    int row = -1;     ///< the table row painted; -1 for the window's background
    twips::Rect rect; ///< device pixels; for Line the bounds of its two end points
    Paint paint;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, thickness = 0; ///< Line only, device pixels

    friend constexpr bool operator==(const Step &, const Step &) = default;
};

/// How a label lays out its caption: a fixed label wraps anywhere within its
/// width, a self-sizing one is a single line.
constexpr bool wrapsAnywhere(const layout::Control &c) { return c.sizing == layout::Sizing::Fixed; }

class Scene
{
public:
    /// `clientWidth` × `clientHeight` twips: the window's client area.
    Scene(layout::Table table, int clientWidth, int clientHeight);

    layout::Table table() const { return table_; }

    /// An item's place in twips, as the table gives it until changed.
    double left(int row) const { return items_[std::size_t(row)].left; }
    double width(int row) const { return items_[std::size_t(row)].width; }
    double height(int row) const { return items_[std::size_t(row)].height; }
    void setLeft(int row, double left)
    {
        items_[std::size_t(row)].left = left;
        stale_ = true;
    }
    /// A self-sizing label's caption extent, measured by the front end, in twips.
    void setSize(int row, double width, double height);

    /// Where the item at `row` lies at `scale` device pixels to a logical one.
    twips::Rect deviceRect(int row, double scale) const;
    /// Its area with its frame, where it has one: what to repaint when it changes.
    twips::Rect paintedRect(int row, double scale) const;

    /// Every step, back to front: the background, then the painted rows from
    /// the last to the first, so the earlier of two overlapping rows ends on
    /// top. Windowed controls are the front end's child windows and have none.
    /// Worked out again only when the scale or a place has changed, into the
    /// same memory, so painting allocates nothing.
    const std::vector<Step> &steps(double scale) const;

private:
    struct Item
    {
        double left = 0, width = 0, height = 0; ///< twips
    };

    void addShape(std::vector<Step> &out, int row, double scale) const;
    void addLine(std::vector<Step> &out, int row, double scale) const;
    void addLabel(std::vector<Step> &out, int row, double scale) const;
    void addImage(std::vector<Step> &out, int row, double scale) const;

    layout::Table table_;
    int clientWidth_, clientHeight_;
    std::vector<Item> items_;
    mutable std::vector<Step> steps_;
    mutable double stepsScale_ = 0;
    mutable bool stale_ = true;
};

} // namespace drawing
