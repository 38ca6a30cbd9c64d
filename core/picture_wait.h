#pragma once
// How the windows wait for a picture: the decode runs on a thread of its own.
// One that ends within 100 ms is waited for quietly, so the handler that asked
// goes on with the picture and the window is painted once per switch, as
// before. A longer one is waited for by turning the event loop under the busy
// cursor: the windows paint and their timers tick, while input is held back,
// as during a message box, and reaches the windows, in its order, once the
// handler has finished. A front end supplies only its event loop and cursor.

#include <atomic>
#include <chrono>
#include <functional>

#include "core/picture.h"

namespace picture_wait {

/// How long a decode is waited for before the windows are painted meanwhile.
inline constexpr std::chrono::milliseconds kQuietWait{100};

/// A front end's side of the wait, used on the thread of its windows but for `wake`.
class EventLoop
{
public:
    /// Handles the windows' painting, timers and other messages, but no input,
    /// until `done` is true; returns soon after a `wake` that comes after
    /// `done` was set, even one that came before this call.
    virtual void paintUntil(const std::atomic<bool> &done) = 0;
    /// Called on the decode's thread once `done` is set.
    virtual void wake() = 0;
    /// Shows the busy cursor over the program's windows, or takes it away.
    virtual void setBusy(bool busy) = 0;

protected:
    ~EventLoop() = default;
};

/// The result of `decode`, run on a thread of its own (here, where no thread
/// can be had). Waits quietly for up to `quiet`, then through `loop` under the
/// busy cursor.
guide::Picture wait(EventLoop &loop, const std::function<guide::Picture()> &decode,
                    std::chrono::milliseconds quiet = kQuietWait);

} // namespace picture_wait
