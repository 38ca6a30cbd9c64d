#pragma once
// Form1, the main window: the floor plan of the club room with its eight
// spots, the photograph frame with its two buttons, the description box and
// the menu bar, built in the page from its layout table. Its behaviour is the
// core's MainForm; the page's events reach it through the core's tables.

#include <memory>

#include "core/main_form.h"
#include "web/forms/surface.h"

class FormsRuntime;

class Form1 final : private MainFormView
{
public:
    explicit Form1(FormsRuntime &runtime);

    /// Start-up: Load (which may wait for a message box), then the focus in
    /// the description box. Runs as the page's first queued event.
    void start();

    /// Paints anew at the page's scale now.
    void repaint() { surface_->paint(); }

private:
    void buildMenu();
    void buildControls();

    void setCommand2Enabled(bool enabled) override;
    void setText1(std::u16string_view text) override;
    guide::Size image1DeviceSize() const override;
    void setImage1(guide::Picture picture, std::u16string_view fileName) override;
    void showForm2() override;

    MainForm form_;
    std::unique_ptr<forms::Surface> surface_;
};
