// The wait for a picture: a quick decode is waited for without turning the
// event loop; a slow one turns it, under the busy cursor, until the decode's
// thread wakes it; the decode never runs on the windows' thread.

#include "core/picture_wait.h"

#include <doctest/doctest.h>

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

using namespace std::chrono_literals;

// An event loop that records what the wait asked of it. Its turning lets the
// decode go on (as painting would while the user watches) and ends on the
// decode thread's wake; every wait of its own ends after 5 s.
struct FakeLoop final : picture_wait::EventLoop
{
    std::mutex mutex;
    std::condition_variable changed;
    bool turning = false, woken = false;
    int turns = 0;
    bool busyWhileTurning = false, busy = false;
    bool doneWhenTurned = false;
    std::thread::id wokenFrom;

    void paintUntil(const std::atomic<bool> &done) override
    {
        std::unique_lock lock(mutex);
        ++turns;
        busyWhileTurning = busy;
        turning = true;
        changed.notify_all();
        changed.wait_for(lock, 5s, [&] { return woken; });
        doneWhenTurned = done;
    }
    void wake() override
    {
        const std::lock_guard lock(mutex);
        woken = true;
        wokenFrom = std::this_thread::get_id();
        changed.notify_all();
    }
    void setBusy(bool on) override { busy = on; }

    // For the decode: waits until the loop turns (5 s at most).
    bool waitForTurning()
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [&] { return turning; });
    }
};

} // namespace

TEST_CASE("a decode that ends within the quiet wait is waited for without the event loop")
{
    FakeLoop loop;
    std::thread::id decodedOn;
    // A quiet wait far longer than the decode, so that a busy machine cannot blur it.
    const guide::Picture picture = picture_wait::wait(
        loop,
        [&] {
            decodedOn = std::this_thread::get_id();
            return guide::makePicture({4, 3});
        },
        30s);
    CHECK(picture.size() == guide::Size{4, 3});
    CHECK(decodedOn != std::this_thread::get_id());
    CHECK(loop.turns == 0);
    CHECK(!loop.busy);
}

TEST_CASE("a longer decode turns the event loop under the busy cursor until its thread wakes it")
{
    FakeLoop loop;
    bool sawTurning = false;
    const guide::Picture picture = picture_wait::wait(
        loop,
        [&] {
            sawTurning = loop.waitForTurning();
            return guide::makePicture({2, 2});
        },
        0ms);
    CHECK(sawTurning);
    CHECK(loop.turns == 1);
    CHECK(loop.busyWhileTurning);
    CHECK(!loop.busy); // the cursor is back
    CHECK(loop.doneWhenTurned);
    CHECK(loop.wokenFrom != std::this_thread::get_id());
    CHECK(picture.size() == guide::Size{2, 2});
}

TEST_CASE("a decode that fails reaches the caller once the cursor is back")
{
    FakeLoop loop;
    const auto failing = [&]() -> guide::Picture {
        loop.waitForTurning();
        throw std::runtime_error("decode");
    };
    CHECK_THROWS_AS(picture_wait::wait(loop, failing, 0ms), std::runtime_error);
    CHECK(!loop.busy);
}
