// The version window's controls, front to back (the timer, having no place on
// screen, is the window's own member). All labels are opaque and size
// themselves to their captions.

#include "core/version_layout.h"

namespace version_layout {
namespace {

using namespace layout;

constexpr Font kTitleFont{kDefaultFont.face, 12, 700};
constexpr bool kOpaque = true;

} // namespace

constexpr std::array<Control, static_cast<std::size_t>(Id::Count)> kControls{{
    command(u"Command1", 6720, 960, 375, 440, u"OK", 3),
    image(u"Image1", 240, 120, 960, 720, false),
    label(u"Label2", 120, 960, 6555, 180,
          u"写真・文章などの無断転載は、固く禁じます。違反者の枕元には毎晩、部長が立ちます。", 2,
          Sizing::ToCaption, nullptr, kOpaque),
    label(u"Label3", 120, 1200, 6510, 180,
          u"企画・構成・文章・写真・プログラム：　1999年度ヌペ部部長　林昇／Project ZOMI", 1,
          Sizing::ToCaption, nullptr, kOpaque),
    label(u"Label1", 1440, 360, 1800, 240, u"ヌペ部の謎　'99", 0, Sizing::ToCaption, &kTitleFont,
          kOpaque),
}};

static_assert(kControls[row(Id::Command1)].name == u"Command1");
static_assert(kControls[row(Id::Image1)].name == u"Image1");
static_assert(kControls[row(Id::Label2)].name == u"Label2");
static_assert(kControls[row(Id::Label3)].name == u"Label3");
static_assert(kControls[row(Id::Label1)].name == u"Label1");

} // namespace version_layout
