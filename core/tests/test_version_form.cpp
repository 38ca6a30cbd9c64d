// Form2's handlers: the glide against its worked trace and at its edges, the
// limits read afresh from the window on every tick, and OK's hide-then-unload.

#include "core/version_form.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

// Form2 as the handlers see it: the label's position and width and the
// window's outer width, in twips, and a record of what was done to it.
struct FakeVersionWindow final : VersionFormView
{
    float left = 1440;        // the stored layout's Label1.Left
    float width = 1800;       // and its width
    float outer = 7290;       // 7200 of client area and two 45-twip borders
    std::vector<std::string> calls;

    float label1Left() const override { return left; }
    void setLabel1Left(float l) override { left = l; }
    float label1Width() const override { return width; }
    float outerWidth() const override { return outer; }
    void Hide() override { calls.emplace_back("Hide"); }
    void Unload() override { calls.emplace_back("Unload"); }
};

struct Loaded
{
    FakeVersionWindow window;
    VersionForm form{window};
    Loaded() { form.Form_Load(); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            form.Timer1_Timer();
    }
};

} // namespace

TEST_CASE("the title glides along the worked trace")
{
    struct Row
    {
        int tick;
        float left;
        int direction;
    };
    const Row rows[] = {{1, 1540, 0},  {2, 1640, 0},  {38, 5240, 0}, {39, 5340, 1},
                        {40, 5240, 1}, {78, 1440, 1}, {79, 1340, 0}, {80, 1440, 0},
                        {119, 5340, 1}, {159, 1340, 0}};
    Loaded f;
    int done = 0;
    for (const Row &r : rows) {
        CAPTURE(r.tick);
        f.ticks(r.tick - done);
        done = r.tick;
        CHECK(f.window.left == r.left);
        CHECK(f.form.Direction == r.direction);
    }
}

TEST_CASE("Load starts the title moving right, wherever the last window left it")
{
    Loaded f;
    f.ticks(50); // moving left by now
    REQUIRE(f.form.Direction == 1);
    f.form.Form_Load();
    CHECK(f.form.Direction == 0);
}

// Equal to a limit is not past it.
TEST_CASE("a limit reached exactly does not turn the title")
{
    Loaded f;
    f.window.outer = 7240; // right limit 7040
    f.ticks(38);
    CHECK(f.window.left == 5240); // right edge 7040
    CHECK(f.form.Direction == 0);
    f.ticks(1);
    CHECK(f.window.left == 5340);
    CHECK(f.form.Direction == 1);

    // And on the way back, Left 1400 equal to the left limit (the icon's right
    // edge 1200 and 200) does not turn either.
    Loaded back;
    back.window.left = 1500;
    back.form.Direction = 1;
    back.ticks(1);
    CHECK(back.window.left == 1400);
    CHECK(back.form.Direction == 1);
    back.ticks(1);
    CHECK(back.window.left == 1300);
    CHECK(back.form.Direction == 0);
}

TEST_CASE("in a narrow window the title turns every tick and never runs away")
{
    Loaded f;
    f.window.outer = 3000;
    f.ticks(1);
    CHECK(f.window.left == 1540);
    CHECK(f.form.Direction == 1);
    for (int i = 0; i < 1000; ++i) {
        f.ticks(1);
        REQUIRE((f.window.left == 1340 || f.window.left == 1440));
    }
}

// The limits come from the window as it is at each tick, not from the stored layout.
TEST_CASE("each tick reads the label's width and the window's width afresh")
{
    Loaded f;
    f.ticks(10);
    REQUIRE(f.window.left == 2440);
    f.window.width = 4600; // a wider caption: right edge 2540 + 4600 > 7090
    f.ticks(1);
    CHECK(f.form.Direction == 1);

    Loaded g;
    g.ticks(10);
    g.window.outer = 4500; // right limit 4300: 2540 + 1800 passes it
    g.ticks(1);
    CHECK(g.form.Direction == 1);
}

TEST_CASE("OK hides the window, then unloads it, and moves nothing")
{
    Loaded f;
    f.form.Command1_Click();
    CHECK(f.window.calls == std::vector<std::string>{"Hide", "Unload"});
    CHECK(f.window.left == 1440);
}
