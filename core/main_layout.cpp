// The main window's controls as laid out, front to back. Row order is depth:
// painted items are drawn from the last row to the first, so of two that
// overlap the earlier row ends up on top. Windowed controls (option buttons,
// command buttons, the text box) are child widgets and lie above all painting.

#include "core/main_layout.h"

namespace main_layout {
namespace {

using namespace layout;

constexpr layout::Colour kWhite = 0xFFFFFFFFu;
constexpr layout::Colour kGrey = 0xFFE0E0E0u;
constexpr layout::Colour kCyan = 0xFFC0FFFFu;
constexpr layout::Colour kYellow = 0xFFFFFFC0u;
constexpr bool kSolid = true;
constexpr bool kNone = false;

constexpr Font kTitleFont{kDefaultFont.face, 26.25, 400};

} // namespace

constexpr std::array<Control, static_cast<std::size_t>(Id::Count)> kControls{{
    option(u"Option1", 1695, 3975, 230, 230, kCyan, 15, true),
    option(u"Option6", 840, 1380, 255, 255, kCyan, 14),
    option(u"Option8", 3720, 2400, 1095, 255, kCyan, 13, false, u"東ヌペ部"),
    option(u"Option5", 1815, 2890, 230, 230, kCyan, 12),
    option(u"Option4", 3375, 2160, 230, 230, kCyan, 11),
    option(u"Option3", 1935, 855, 230, 230, kCyan, 10),
    option(u"Option2", 1575, 855, 230, 230, kCyan, 9),
    option(u"Option7", 615, 3525, 220, 255, kCyan, 8),
    command(u"Command2", 7920, 4680, 2175, 375, u"写真2", 7),
    command(u"Command1", 5160, 4680, 2175, 375, u"写真1", 6),
    textBox(u"Text1", 120, 5280, 9975, 1935, 3),
    shape(u"Shape18", 3360, 1440, 255, 495, kCyan, kSolid),
    shape(u"Shape17", 3360, 2040, 255, 495, kCyan, kSolid),
    shape(u"Shape3", 3360, 2640, 255, 495, kCyan, kSolid),
    line(u"Line29", 120, 840, 600, 2040),
    shape(u"Shape16", 1680, 3960, 255, 255, kCyan, kSolid),
    line(u"Line28", 3615, 4440, 3615, 840, 3),
    shape(u"Shape15", 2400, 840, 1215, 255, kGrey, kSolid),
    shape(u"Shape14", 1920, 840, 255, 255, kCyan, kSolid),
    shape(u"Shape13", 600, 3480, 255, 375, kCyan, kSolid),
    shape(u"Shape12", 3360, 3240, 255, 495, kCyan, kSolid),
    label(u"Label5", 1320, 855, 180, 180, u"窓", 5, Sizing::ToCaption),
    label(u"Label4", 2760, 120, 4665, 525, u"☆ヌペ部の謎　'99☆", 4, Sizing::ToCaption, &kTitleFont),
    image(u"Image1", 5160, 840, 4920, 3705, kSolid),
    shape(u"Shape11", 1800, 2880, 255, 255, kCyan, kSolid),
    line(u"Line27", 1440, 1080, 1440, 1200),
    line(u"Line26", 1440, 1680, 1440, 1560),
    line(u"Line25", 600, 1080, 1440, 1080),
    line(u"Line14", 600, 1680, 1440, 1680),
    label(u"Label3", 2760, 4200, 660, 180, u"コピー機", 2, Sizing::ToCaption),
    label(u"Label2", 645, 2400, 225, 780, u"ヌペ文庫", 1, Sizing::Fixed),
    label(u"Label1", 2520, 4680, 360, 180, u"廊下", 0, Sizing::ToCaption),
    shape(u"Shape10", 600, 2040, 255, 2175, kGrey, kSolid),
    line(u"Line24", 120, 3600, 600, 3600),
    line(u"Line23", 120, 3480, 600, 3480),
    line(u"Line22", 120, 3360, 600, 3360),
    line(u"Line21", 120, 3240, 600, 3240),
    line(u"Line20", 120, 3120, 600, 3120),
    line(u"Line19", 120, 3000, 600, 3000),
    line(u"Line18", 4680, 4320, 4680, 4560),
    line(u"Line17", 4080, 4320, 4080, 4560),
    line(u"Line16", 3600, 4440, 4920, 4440),
    line(u"Line15", 3600, 840, 4920, 840),
    line(u"Line13", 120, 2880, 600, 2880),
    line(u"Line12", 120, 2760, 600, 2760),
    line(u"Line11", 120, 2640, 600, 2640),
    line(u"Line10", 120, 2520, 600, 2520),
    line(u"Line9", 120, 2400, 600, 2400),
    line(u"Line8", 120, 2280, 600, 2280),
    line(u"Line7", 120, 2160, 600, 2160),
    line(u"Line6", 120, 2040, 600, 2040),
    shape(u"Shape7", 2640, 4080, 975, 375, kGrey, kSolid),
    line(u"Line5", 2280, 4320, 2280, 4560),
    line(u"Line4", 1200, 4320, 1200, 4560),
    line(u"Line3", 120, 5040, 4920, 5040),
    line(u"Line2", 120, 5040, 120, 840),
    line(u"Line1", 600, 840, 120, 840),
    shape(u"Shape5", 1440, 2160, 975, 495, kGrey, kSolid),
    shape(u"Shape4", 3240, 1320, 375, 2535, kGrey, kSolid),
    shape(u"Shape2", 600, 1320, 735, 375, kCyan, kSolid),
    shape(u"Shape6", 1560, 840, 255, 255, kCyan, kSolid),
    shape(u"Shape1", 600, 840, 3015, 3615, kWhite, kSolid),
    shape(u"Shape8", 3600, 840, 1335, 3615, kCyan, kNone),
    shape(u"Shape9", 120, 840, 4815, 4215, kYellow, kNone),
}};

// The ids name the rows: check that every id sits on its own row.
#define MIRTEKA_CHECK_ROW(id) static_assert(kControls[row(Id::id)].name == u## #id);
MIRTEKA_MAIN_CONTROLS(MIRTEKA_CHECK_ROW)
#undef MIRTEKA_CHECK_ROW

} // namespace main_layout
