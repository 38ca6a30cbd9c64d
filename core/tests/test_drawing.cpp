// The drawing list every front end rasterises: back to front, inside the
// client area, edges shared in twips shared on screen, frames outside images,
// lines as thick as their pen at any scale, moved labels drawn where they are.

#include "core/drawing.h"
#include "core/main_layout.h"
#include "core/version_layout.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <vector>

using drawing::Op;
using drawing::Step;
using main_layout::Id;
using main_layout::row;

namespace {

constexpr double kScales[] = {1.0, 1.25, 1.5, 2.0, 3.0};

drawing::Scene mainScene()
{
    return {main_layout::kControls, main_layout::kClientWidth, main_layout::kClientHeight};
}

std::vector<Step> stepsOf(const std::vector<Step> &steps, Id id)
{
    std::vector<Step> out;
    std::copy_if(steps.begin(), steps.end(), std::back_inserter(out),
                 [id](const Step &s) { return s.row == row(id); });
    return out;
}

} // namespace

TEST_CASE("the list paints back to front, inside the client area, and no windowed control")
{
    const drawing::Scene scene = mainScene();
    for (const double scale : kScales) {
        CAPTURE(scale);
        const std::vector<Step> steps = scene.steps(scale);
        const twips::Rect client =
            twips::toDeviceRect(0, 0, main_layout::kClientWidth, main_layout::kClientHeight, scale);
        REQUIRE(
            steps.front() ==
            Step{.op = Op::Fill, .row = -1, .rect = client, .paint = {drawing::Role::ButtonFace}});
        for (std::size_t i = 1; i < steps.size(); ++i) {
            const Step &s = steps[i];
            CAPTURE(s.row);
            CHECK(s.row >= 0);
            CHECK((i == 1 || s.row <= steps[i - 1].row)); // a later step is never further back
            CHECK_FALSE(layout::isWindowed(main_layout::kControls[std::size_t(s.row)].kind));
            CHECK(s.rect.x >= 0);
            CHECK(s.rect.y >= 0);
            CHECK(s.rect.x + s.rect.width <= client.width);
            CHECK(s.rect.y + s.rect.height <= client.height);
        }
        // Every painted row is drawn, each once in its turn.
        std::vector<int> rows;
        for (const Step &s : steps)
            if (s.row >= 0 && (rows.empty() || rows.back() != s.row))
                rows.push_back(s.row);
        CHECK(rows.size() == 53);
    }
}

TEST_CASE("edges the layout shares stay shared, and pens keep their width at any scale")
{
    const drawing::Scene scene = mainScene();
    for (const double scale : kScales) {
        CAPTURE(scale);
        const std::vector<Step> steps = scene.steps(scale);
        // The west wall (Line2, x = 120) runs along the yellow hall's left edge:
        // its pen, centred on the line, covers the edge's pixel.
        const Step wall = stepsOf(steps, Id::Line2).at(0);
        const Step hall = stepsOf(steps, Id::Shape9).at(0);
        CHECK(wall.rect.x <= hall.rect.x);
        CHECK(hall.rect.x < wall.rect.x + wall.rect.width);
        CHECK(wall.rect.width == twips::toDeviceThickness(1, scale));
        // The 3-pixel partition Line28 is three pixels wide at 1x, six at 2x.
        CHECK(stepsOf(steps, Id::Line28).at(0).rect.width == twips::toDeviceThickness(3, scale));
        // The slanted Line29 is the one line left to the pen.
        const Step slant = stepsOf(steps, Id::Line29).at(0);
        CHECK(slant.op == Op::Line);
        CHECK(slant.thickness == twips::toDeviceThickness(1, scale));
        // A bordered shape: its fill, then its frame inside its bounds.
        const std::vector<Step> shape = stepsOf(steps, Id::Shape16);
        REQUIRE(shape.size() == 5);
        CHECK(shape[0].paint == drawing::Paint{drawing::Role::Literal, 0xFFC0FFFFu});
        for (std::size_t i = 1; i < 5; ++i)
            CHECK(shape[i].paint.role == drawing::Role::WindowText);
        // Image1's frame lies just outside the picture, as paintedRect says.
        const std::vector<Step> image = stepsOf(steps, Id::Image1);
        REQUIRE(image.size() == 5);
        CHECK(image[0].op == Op::Picture);
        const twips::Rect painted = scene.paintedRect(row(Id::Image1), scale);
        const int t = twips::toDeviceThickness(1, scale);
        CHECK(painted == twips::Rect{image[0].rect.x - t, image[0].rect.y - t,
                                     image[0].rect.width + 2 * t, image[0].rect.height + 2 * t});
        CHECK(image[1].rect == twips::Rect{painted.x, painted.y, painted.width, t});
    }
}

TEST_CASE("a label is drawn where it is now, with its measured size, opaque ones on the face")
{
    using version_layout::Id;
    drawing::Scene scene(version_layout::kControls, version_layout::kClientWidth,
                         version_layout::kClientHeight);
    const int title = version_layout::row(Id::Label1);
    (void)scene.steps(2.0); // worked out once before the label is measured and moves
    scene.setSize(title, 1500, 240);
    const auto measured = [&] {
        for (const Step &s : scene.steps(2.0))
            if (s.row == title && s.op == Op::Label)
                return s.rect.width;
        return -1;
    };
    CHECK(measured() == twips::toDevice(1500, 2.0));
    scene.setLeft(title, 2000);
    std::vector<Step> label;
    for (const Step &s : scene.steps(2.0))
        if (s.row == title)
            label.push_back(s);
    REQUIRE(label.size() == 2);
    const twips::Rect at = twips::toDeviceRect(2000, 360, 1500, 240, 2.0);
    CHECK(label[0] ==
          Step{.op = Op::Fill, .row = title, .rect = at, .paint = {drawing::Role::ButtonFace}});
    CHECK(label[1].op == Op::Label);
    CHECK(label[1].rect == at);
    CHECK(scene.deviceRect(title, 2.0) == at);
}
