#pragma once
// A window's layout is an ordered table of control descriptions, front to
// back: the first row lies in front of every later one. Rows are built with
// the small constexpr helpers below so that each table reads like a list of
// controls with their geometry in twips.

#include <cstdint>
#include <span>
#include <string_view>

namespace layout {

/// A colour as 0xAARRGGBB.
using Colour = std::uint32_t;

enum class Kind { OptionButton, CommandButton, TextBox, Image, Label, Shape, Line };

/// Windowed controls are child widgets; the rest are painted on the window itself.
constexpr bool isWindowed(Kind k)
{
    return k == Kind::OptionButton || k == Kind::CommandButton || k == Kind::TextBox;
}

/// A font of a control's own; controls without one use the window's default font.
struct Font
{
    std::u16string_view face;
    double points;
    int weight; ///< 400 regular, 700 bold
};

/// The windows' default font: the Japanese proportional Gothic at 9 points.
inline constexpr Font kDefaultFont{u"ＭＳ Ｐゴシック", 9, 400};

inline constexpr Colour kSystemColour = 0; ///< fully transparent: "use the system's colour"

enum class Sizing { Fixed, ToCaption };

struct Control
{
    std::u16string_view name;
    Kind kind;
    int left, top, width, height; ///< twips; for a line: x1, y1, x2, y2
    std::u16string_view caption{};
    Colour fill = kSystemColour;   ///< shape fill or back colour (#RRGGBB)
    bool border = false;           ///< one-pixel solid border (shapes, images)
    int lineWidth = 1;             ///< pixels
    int tabIndex = -1;             ///< -1: the control has none
    Sizing sizing = Sizing::Fixed; ///< labels that take the size of their caption
    const Font *font = nullptr;
    bool opaque = false;   ///< labels: paint the button face behind the caption
    bool selected = false; ///< option buttons: selected when the window is built
};

using Table = std::span<const Control>;

constexpr Control shape(std::u16string_view name, int l, int t, int w, int h, Colour fill,
                        bool border)
{
    return {.name = name,
            .kind = Kind::Shape,
            .left = l,
            .top = t,
            .width = w,
            .height = h,
            .fill = fill,
            .border = border};
}

constexpr Control line(std::u16string_view name, int x1, int y1, int x2, int y2, int pixels = 1)
{
    return {.name = name,
            .kind = Kind::Line,
            .left = x1,
            .top = y1,
            .width = x2,
            .height = y2,
            .lineWidth = pixels};
}

constexpr Control label(std::u16string_view name, int l, int t, int w, int h,
                        std::u16string_view caption, int tab, Sizing sizing,
                        const Font *font = nullptr, bool opaque = false)
{
    return {.name = name,
            .kind = Kind::Label,
            .left = l,
            .top = t,
            .width = w,
            .height = h,
            .caption = caption,
            .tabIndex = tab,
            .sizing = sizing,
            .font = font,
            .opaque = opaque};
}

constexpr Control option(std::u16string_view name, int l, int t, int w, int h, Colour back,
                         int tab, bool selected = false, std::u16string_view caption = {})
{
    return {.name = name,
            .kind = Kind::OptionButton,
            .left = l,
            .top = t,
            .width = w,
            .height = h,
            .caption = caption,
            .fill = back,
            .tabIndex = tab,
            .selected = selected};
}

constexpr Control command(std::u16string_view name, int l, int t, int w, int h,
                          std::u16string_view caption, int tab)
{
    return {.name = name,
            .kind = Kind::CommandButton,
            .left = l,
            .top = t,
            .width = w,
            .height = h,
            .caption = caption,
            .tabIndex = tab};
}

constexpr Control textBox(std::u16string_view name, int l, int t, int w, int h, int tab)
{
    return {.name = name,
            .kind = Kind::TextBox,
            .left = l,
            .top = t,
            .width = w,
            .height = h,
            .tabIndex = tab};
}

constexpr Control image(std::u16string_view name, int l, int t, int w, int h, bool border)
{
    return {.name = name,
            .kind = Kind::Image,
            .left = l,
            .top = t,
            .width = w,
            .height = h,
            .border = border};
}

} // namespace layout
