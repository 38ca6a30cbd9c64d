#pragma once
// A modal window in the page: a dialog with its caption, whose client area
// is a Surface in the element `hostId()`. showModal() returns once the window
// is hidden; the page goes on meanwhile (Asyncify), so the window's own
// events and timers run while its opener waits.

#include <functional>
#include <string>
#include <string_view>

namespace forms {

class Window
{
public:
    /// A hidden window named `name` (the prefix of its element ids) with `caption`.
    Window(std::u16string_view name, std::u16string_view caption);
    ~Window();
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    /// The page element its client area goes into.
    const std::u16string &hostId() const { return host_; }

    /// Gives the window a description screen readers read after its caption.
    void setDescription(std::u16string_view description);

    /// Gives the caption bar a close box that runs `onClose` at once (the
    /// opener's handler is waiting for the window); element id `name`-Close.
    void addCloseBox(std::function<void()> onClose);

    /// Shows it modally and waits until it is hidden.
    void showModal();
    void hide();

    /// Its outer width, borders included, in logical pixels.
    int outerWidth() const;

private:
    std::u16string name_;
    std::u16string host_;
    int closeHandler_ = 0;
};

} // namespace forms
