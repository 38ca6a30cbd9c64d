// Form2's event handlers: the glide of the title and OK.

#include "core/version_form.h"

#include "core/glide.h"
#include "core/version_layout.h"

void VersionForm::Form_Load() { Direction = glide::Right; }

void VersionForm::Timer1_Timer()
{
    using version_layout::Id;
    const layout::Control &image = version_layout::kControls[version_layout::row(Id::Image1)];
    const glide::Limits limits{view_.label1Width(), view_.outerWidth(), float(image.left),
                               float(image.width)};
    const glide::State next = glide::step({view_.label1Left(), Direction}, limits);
    Direction = next.direction;
    view_.setLabel1Left(next.left);
}

void VersionForm::Command1_Click()
{
    view_.Hide();
    view_.Unload();
}
