#pragma once
// Events from the page to the program. A control's handler is registered
// here and the page fires it by its number: queued events (the main window's)
// wait for the one before them to end, since a handler may wait for a
// message box or a photograph; immediate ones (a modal window's, while the
// main window's handler waits for it) run at once.

#include <functional>

namespace forms {

/// Registers `handler` and returns the number the page fires it by.
int addHandler(std::function<void()> handler);

/// Forgets the handler: the page's later events for it do nothing.
void removeHandler(int id);

/// How the page hands a control's events in: queued, or at once.
enum class Delivery { Queued, Immediate };

/// Runs `handler` once through the page's queue, as if an event had fired it.
void post(std::function<void()> handler);

} // namespace forms
