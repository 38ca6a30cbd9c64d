// Invariants of both windows' layout tables, as every front end builds from
// them: names unique and each a kind's own, the count of each kind, every
// control inside its window's client area, tab order without gaps, and the
// captions of the windows and the menu.

#include "core/main_layout.h"
#include "core/version_layout.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using layout::Kind;

namespace {

std::string narrow(std::u16string_view s) { return {s.begin(), s.end()}; } // names are ASCII

void checkTable(layout::Table table, int clientWidth, int clientHeight,
                const std::map<Kind, int> &counts)
{
    std::set<std::u16string_view> names;
    std::map<Kind, int> found;
    std::vector<int> tabs;
    for (const layout::Control &c : table) {
        CAPTURE(narrow(c.name));
        CHECK(names.insert(c.name).second);
        ++found[c.kind];
        // Each name is its kind's: Option, Command, Text, Image, Label, Shape, Line and a number.
        static const std::map<Kind, std::u16string_view> prefix{{Kind::OptionButton, u"Option"},
                                                                {Kind::CommandButton, u"Command"},
                                                                {Kind::TextBox, u"Text"},
                                                                {Kind::Image, u"Image"},
                                                                {Kind::Label, u"Label"},
                                                                {Kind::Shape, u"Shape"},
                                                                {Kind::Line, u"Line"}};
        CHECK(c.name.starts_with(prefix.at(c.kind)));
        if (c.kind == Kind::Line) {
            for (const auto &[x, y] : {std::pair{c.left, c.top}, std::pair{c.width, c.height}}) {
                CHECK(x >= 0);
                CHECK(x <= clientWidth);
                CHECK(y >= 0);
                CHECK(y <= clientHeight);
            }
        } else {
            CHECK(c.width > 0);
            CHECK(c.height > 0);
            CHECK(c.left >= 0);
            CHECK(c.top >= 0);
            CHECK(c.left + c.width <= clientWidth);
            CHECK(c.top + c.height <= clientHeight);
        }
        if (c.tabIndex >= 0)
            tabs.push_back(c.tabIndex);
        CHECK((c.kind == Kind::OptionButton || !c.selected));
    }
    CHECK(found == counts);
    // Tab indexes run from 0 without a gap or a repeat.
    std::sort(tabs.begin(), tabs.end());
    for (std::size_t i = 0; i < tabs.size(); ++i)
        CHECK(tabs[i] == int(i));
}

} // namespace

TEST_CASE("the main window's table")
{
    checkTable(main_layout::kControls, main_layout::kClientWidth, main_layout::kClientHeight,
               {{Kind::OptionButton, 8},
                {Kind::CommandButton, 2},
                {Kind::TextBox, 1},
                {Kind::Image, 1},
                {Kind::Label, 5},
                {Kind::Shape, 18},
                {Kind::Line, 29}});
    // One spot chosen as the window is built: the entrance, Option1.
    const auto selected =
        std::count_if(main_layout::kControls.begin(), main_layout::kControls.end(),
                      [](const layout::Control &c) { return c.selected; });
    CHECK(selected == 1);
    CHECK(main_layout::kControls[main_layout::row(main_layout::Id::Option1)].selected);
    // kOptions[n - 1] is OptionN.
    for (std::size_t n = 1; n <= main_layout::kOptions.size(); ++n)
        CHECK(main_layout::kControls[main_layout::row(main_layout::kOptions[n - 1])].name ==
              u"Option" + std::u16string(1, char16_t(u'0' + n)));
}

TEST_CASE("the version window's table")
{
    checkTable(version_layout::kControls, version_layout::kClientWidth,
               version_layout::kClientHeight,
               {{Kind::CommandButton, 1}, {Kind::Image, 1}, {Kind::Label, 3}});
}

TEST_CASE("captions of the windows and the menu")
{
    CHECK(main_layout::kCaption == u"ヌペ部の謎");
    CHECK(version_layout::kCaption == u"バージョン情報");
    REQUIRE(main_layout::kMenu.size() == 2);
    CHECK(main_layout::kMenu[0].name == u"End");
    CHECK(main_layout::kMenu[0].caption == u"終了");
    CHECK(main_layout::kMenu[1].name == u"Ver");
    CHECK(main_layout::kMenu[1].caption == u"バージョン情報");
    CHECK(version_layout::kControls[version_layout::row(version_layout::Id::Label1)].caption ==
          u"ヌペ部の謎\u3000'99");
}
