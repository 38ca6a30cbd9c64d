#include "web/about/version_window.h"

#include <emscripten/html5.h>

#include <string>

#include "core/glide.h"
#include "core/reader_texts.h"
#include "core/twips.h"
#include "core/version_layout.h"
#include "web/forms/controls.h"

using version_layout::Id;
using version_layout::kControls;
using version_layout::row;

namespace {

constexpr std::u16string_view kName = u"Form2";
constexpr std::u16string_view kIconFile = u"icon-32.png";

} // namespace

Form2::Form2() : window_(kName, version_layout::kCaption)
{
    surface_ = std::make_unique<forms::Surface>(kName, window_.hostId(), kControls,
                                                version_layout::kClientWidth,
                                                version_layout::kClientHeight);
    // OK runs at once: its opener's handler is waiting for this window.
    forms::addCommand(*surface_, row(Id::Command1), reader_texts::kOkDescription,
                      forms::Delivery::Immediate, [this] { Command1_Click(); });
    // The close box ends the window as OK does, without a handler of the form's.
    window_.addCloseBox([this] {
        Hide();
        Unload();
    });

    // Screen readers read the icon, then the labels' page text top to bottom,
    // and find all three captions in the window's description too.
    forms::addImageAccess(*surface_, row(Id::Image1), reader_texts::kIcon, {});
    std::u16string captions;
    for (Id id : {Id::Label1, Id::Label2, Id::Label3}) {
        if (!captions.empty())
            captions += u'\n';
        captions += kControls[row(id)].caption;
    }
    window_.setDescription(captions);

    // The icon is pixel art: enlarged by whole pixels, never blurred.
    surface_->setPictureUrl(row(Id::Image1), kIconFile);
    Form_Load();
}

Form2::~Form2() { Unload(); }

void Form2::showModal()
{
    surface_->paint();
    Timer1 = emscripten_set_interval([](void *self) { static_cast<Form2 *>(self)->Timer1_Timer(); },
                                     glide::kIntervalMs, this);
    forms::setFocus(surface_->elementId(kControls[row(Id::Command1)].name));
    window_.showModal();
}

float Form2::label1Left() const { return float(surface_->scene().left(row(Id::Label1))); }

float Form2::label1Width() const { return float(surface_->scene().width(row(Id::Label1))); }

float Form2::outerWidth() const { return float(twips::fromDevice(window_.outerWidth(), 1.0)); }

void Form2::setLabel1Left(float left)
{
    surface_->scene().setLeft(row(Id::Label1), left);
    surface_->paint();
}

void Form2::Hide() { window_.hide(); }

void Form2::Unload()
{
    if (Timer1 != 0)
        emscripten_clear_interval(Timer1);
    Timer1 = 0;
}
