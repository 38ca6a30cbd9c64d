#pragma once
// Form2, the version-information window: the program's icon, its title
// gliding left and right under a 50 ms timer, a notice, the credits and OK.
// A fresh instance for every opening, shown modally by its opener.

#include <memory>

#include "core/version_form.h"
#include "web/forms/surface.h"
#include "web/forms/window.h"

class Form2 final : private VersionFormView
{
public:
    Form2();
    ~Form2();
    Form2(const Form2 &) = delete;
    Form2 &operator=(const Form2 &) = delete;

    /// Shows the window modally: returns once OK has closed it.
    void showModal();

    void Form_Load() { form_.Form_Load(); }
    void Command1_Click() { form_.Command1_Click(); }
    void Timer1_Timer() { form_.Timer1_Timer(); }

private:
    float label1Left() const override;
    void setLabel1Left(float left) override;
    float label1Width() const override;
    float outerWidth() const override;
    void Hide() override;
    void Unload() override;

    VersionForm form_{*this};
    forms::Window window_;
    std::unique_ptr<forms::Surface> surface_;
    long Timer1 = 0; // the interval's id while it runs
};
