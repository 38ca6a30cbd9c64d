// The wait for a picture: a quick decode is waited for without turning the
// event loop; a slow one turns it, under the busy cursor, until the decode's
// thread wakes it; the decode never runs on the windows' thread.

#include "core/picture_wait.h"

#include <doctest/doctest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

// An event loop that records what the wait asks of it. Turning, it lets the
// decode go on and ends on the decode thread's wake; its waits end after 5 s.
struct FakeLoop final : picture_wait::EventLoop
{
    std::mutex mutex;
    std::condition_variable changed;
    int turns = 0;
    bool woken = false, busy = false, busyWhileTurning = false, doneAfterTurning = false;
    std::thread::id wokenFrom;

    void paintUntil(const std::atomic<bool> &done) override
    {
        std::unique_lock lock(mutex);
        ++turns;
        busyWhileTurning = busy;
        changed.notify_all();
        changed.wait_for(lock, 5s, [&] { return woken; });
        doneAfterTurning = done;
    }
    void wake() override
    {
        const std::lock_guard lock(mutex);
        woken = true;
        wokenFrom = std::this_thread::get_id();
        changed.notify_all();
    }
    void setBusy(bool on) override { busy = on; }
    bool waitForTurning()
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [&] { return turns > 0; });
    }
};

} // namespace

TEST_CASE("a decode within the quiet wait is waited for off the windows' thread, without the loop")
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
    CHECK(!loop.busy);
    CHECK(loop.doneAfterTurning);
    CHECK(loop.wokenFrom != std::this_thread::get_id());
    CHECK(picture.size() == guide::Size{2, 2});
}
