#include "core/drawing.h"

#include <algorithm>
#include <cstdlib>

namespace drawing {
namespace {

using layout::Control;
using layout::Kind;

constexpr Paint kWindowText{Role::WindowText};

Step fill(int row, twips::Rect r, Paint paint)
{
    return {.op = Op::Fill, .row = row, .rect = r, .paint = paint};
}

// A frame `t` pixels thick just inside `r`, as four fills.
void addFrame(std::vector<Step> &out, int row, twips::Rect r, int t)
{
    out.push_back(fill(row, {r.x, r.y, r.width, t}, kWindowText));
    out.push_back(fill(row, {r.x, r.y + r.height - t, r.width, t}, kWindowText));
    out.push_back(fill(row, {r.x, r.y, t, r.height}, kWindowText));
    out.push_back(fill(row, {r.x + r.width - t, r.y, t, r.height}, kWindowText));
}

} // namespace

Scene::Scene(layout::Table table, int clientWidth, int clientHeight)
    : table_(table), clientWidth_(clientWidth), clientHeight_(clientHeight), items_(table.size())
{
    for (std::size_t i = 0; i < table_.size(); ++i)
        items_[i] = {double(table_[i].left), double(table_[i].width), double(table_[i].height)};
}

void Scene::setSize(int row, double width, double height)
{
    items_[std::size_t(row)].width = width;
    items_[std::size_t(row)].height = height;
    stale_ = true;
}

twips::Rect Scene::deviceRect(int row, double scale) const
{
    const Item &item = items_[std::size_t(row)];
    return twips::toDeviceRect(item.left, table_[std::size_t(row)].top, item.width, item.height,
                               scale);
}

twips::Rect Scene::paintedRect(int row, double scale) const
{
    twips::Rect r = deviceRect(row, scale);
    const Control &c = table_[std::size_t(row)];
    if (c.kind == Kind::Image && c.border) { // an image's frame lies just outside it
        const int t = twips::toDeviceThickness(1, scale);
        r = {r.x - t, r.y - t, r.width + 2 * t, r.height + 2 * t};
    }
    return r;
}

const std::vector<Step> &Scene::steps(double scale) const
{
    if (!stale_ && scale == stepsScale_)
        return steps_;
    std::vector<Step> &out = steps_;
    out.clear();
    out.push_back(fill(-1, twips::toDeviceRect(0, 0, clientWidth_, clientHeight_, scale),
                       {Role::ButtonFace}));
    for (int row = int(table_.size()) - 1; row >= 0; --row) {
        switch (table_[std::size_t(row)].kind) {
        case Kind::Shape:
            addShape(out, row, scale);
            break;
        case Kind::Line:
            addLine(out, row, scale);
            break;
        case Kind::Label:
            addLabel(out, row, scale);
            break;
        case Kind::Image:
            addImage(out, row, scale);
            break;
        case Kind::OptionButton:
        case Kind::CommandButton:
        case Kind::TextBox:
            break; // child windows, above all painting
        }
    }
    stepsScale_ = scale;
    stale_ = false;
    return out;
}

void Scene::addShape(std::vector<Step> &out, int row, double scale) const
{
    const Control &c = table_[std::size_t(row)];
    const twips::Rect r = deviceRect(row, scale);
    const Paint paint =
        c.fill == layout::kSystemColour ? Paint{Role::Window} : Paint{Role::Literal, c.fill};
    out.push_back(fill(row, r, paint));
    if (c.border)
        addFrame(out, row, r, twips::toDeviceThickness(1, scale));
}

// Upright and level lines are fills, so that they land on whole pixels at any
// scale; both end points are drawn, as the line's pen would.
void Scene::addLine(std::vector<Step> &out, int row, double scale) const
{
    const Control &c = table_[std::size_t(row)];
    const int t = twips::toDeviceThickness(c.lineWidth, scale);
    const int pixel = twips::toDeviceThickness(1, scale);
    const int x1 = twips::toDevice(c.left, scale), y1 = twips::toDevice(c.top, scale);
    const int x2 = twips::toDevice(c.width, scale), y2 = twips::toDevice(c.height, scale);
    if (x1 == x2) {
        out.push_back(fill(row, {x1 - (t - 1) / 2, std::min(y1, y2), t, std::abs(y2 - y1) + pixel},
                           kWindowText));
    } else if (y1 == y2) {
        out.push_back(fill(row, {std::min(x1, x2), y1 - (t - 1) / 2, std::abs(x2 - x1) + pixel, t},
                           kWindowText));
    } else {
        const twips::Rect bounds{std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1),
                                 std::abs(y2 - y1)};
        out.push_back({.op = Op::Line,
                       .row = row,
                       .rect = bounds,
                       .paint = kWindowText,
                       .x1 = x1,
                       .y1 = y1,
                       .x2 = x2,
                       .y2 = y2,
                       .thickness = t});
    }
}

void Scene::addLabel(std::vector<Step> &out, int row, double scale) const
{
    const twips::Rect r = deviceRect(row, scale);
    if (table_[std::size_t(row)].opaque)
        out.push_back(fill(row, r, {Role::ButtonFace}));
    out.push_back({.op = Op::Label, .row = row, .rect = r, .paint = {Role::ButtonText}});
}

void Scene::addImage(std::vector<Step> &out, int row, double scale) const
{
    const twips::Rect r = deviceRect(row, scale);
    out.push_back({.op = Op::Picture, .row = row, .rect = r, .paint = {}});
    if (table_[std::size_t(row)].border) {
        const int t = twips::toDeviceThickness(1, scale);
        addFrame(out, row, {r.x - t, r.y - t, r.width + 2 * t, r.height + 2 * t}, t);
    }
}

} // namespace drawing
