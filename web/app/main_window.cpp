// Form1 in the page: built from its layout table, its events handed to the
// core's handlers through the core's own tables.

#include "web/app/main_window.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/guide_entries.h"
#include "core/main_layout.h"
#include "core/reader_texts.h"
#include "web/about/version_window.h"
#include "web/forms/controls.h"

using main_layout::Id;
using main_layout::kControls;
using main_layout::row;

namespace {

constexpr std::u16string_view kName = u"Form1";

} // namespace

Form1::Form1(FormsRuntime &runtime) : form_(*this, runtime)
{
    buildMenu();
    surface_ = std::make_unique<forms::Surface>(
        kName, u"Form1-client", kControls, main_layout::kClientWidth, main_layout::kClientHeight);
    buildControls();
    surface_->paint();
}

void Form1::buildMenu()
{
    const std::array descriptions{reader_texts::kEndDescription, reader_texts::kVerDescription};
    static_assert(descriptions.size() == main_layout::kMenu.size());
    for (std::size_t i = 0; i < main_layout::kMenu.size(); ++i) {
        const main_layout::MenuItem &item = main_layout::kMenu[i];
        forms::addMenuItem(kName, u"Form1-menu", item.name, item.caption, descriptions[i],
                           [this, click = MainForm::kMenuClicks[i]] { (form_.*click)(); });
    }
}

void Form1::buildControls()
{
    // The photograph as screen readers see it, before the controls, which
    // follow in tab order (the page's order is its tab order). The spots'
    // group is the plan, by its name.
    forms::addImageAccess(*surface_, row(Id::Image1), reader_texts::kImage1, {});

    std::vector<std::pair<int, int>> tabStops; // tab index, row
    for (int r = 0; r < int(kControls.size()); ++r)
        if (layout::isWindowed(kControls[std::size_t(r)].kind))
            tabStops.emplace_back(kControls[std::size_t(r)].tabIndex, r);
    std::sort(tabStops.begin(), tabStops.end());

    for (const auto &[tab, r] : tabStops) {
        const layout::Control &c = kControls[std::size_t(r)];
        const MainForm::Handler click = MainForm::clickHandler(Id(r));
        const auto onClick = [this, click] { (form_.*click)(); };
        switch (c.kind) {
        case layout::Kind::OptionButton: {
            const int n = main_layout::optionNumber(Id(r));
            forms::addOption(*surface_, r, reader_texts::kPlan,
                             guide::spotName(guide::kEntries[std::size_t(n) - 1]),
                             reader_texts::kSpotDescription, onClick);
            break;
        }
        case layout::Kind::CommandButton:
            forms::addCommand(*surface_, r,
                              Id(r) == Id::Command1 ? reader_texts::kCommand1Description
                                                    : reader_texts::kCommand2Description,
                              forms::Delivery::Queued, onClick);
            break;
        case layout::Kind::TextBox:
            forms::addTextBox(*surface_, r, reader_texts::kText1, reader_texts::kText1Description);
            break;
        default:
            break;
        }
    }
}

void Form1::start()
{
    form_.Form_Load();
    forms::setFocus(surface_->elementId(kControls[row(Id::Text1)].name));
}

void Form1::setCommand2Enabled(bool enabled)
{
    forms::setEnabled(surface_->elementId(kControls[row(Id::Command2)].name), enabled);
}

void Form1::setText1(std::u16string_view text)
{
    forms::setText(surface_->elementId(kControls[row(Id::Text1)].name), text);
}

guide::Size Form1::image1DeviceSize() const
{
    const twips::Rect r = surface_->deviceRect(row(Id::Image1));
    return {r.width, r.height};
}

void Form1::setImage1(guide::Picture picture, std::u16string_view fileName)
{
    surface_->setPicture(row(Id::Image1), picture, true);
    surface_->paint();
    forms::setDescription(surface_->elementId(kControls[row(Id::Image1)].name),
                          reader_texts::image1Description(fileName));
}

void Form1::showForm2()
{
    Form2 form2;
    form2.showModal();
}
