#pragma once
// What Form2's event handlers do, once for every front end: Load starts the
// title moving right, each tick of Timer1 takes one glide step against limits
// read afresh from the window, and OK hides and unloads the window. A front
// end's Form2 implements VersionFormView and forwards its events here.

#include <cstdint>

/// The parts of Form2 its handlers read and change. Positions are twips.
class VersionFormView
{
public:
    virtual float label1Left() const = 0;
    virtual void setLabel1Left(float left) = 0;
    virtual float label1Width() const = 0;
    /// The window's outer width, borders included.
    virtual float outerWidth() const = 0;
    virtual void Hide() = 0;
    /// Destroys the window; no tick arrives after it.
    virtual void Unload() = 0;

protected:
    ~VersionFormView() = default;
};

class VersionForm
{
public:
    explicit VersionForm(VersionFormView &view) : view_(view) {}

    std::int16_t Direction = 0; ///< 0 moving right, 1 moving left

    void Form_Load();
    void Timer1_Timer();
    void Command1_Click();

private:
    VersionFormView &view_;
};
