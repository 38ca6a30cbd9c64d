#include "core/picture_wait.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace picture_wait {

guide::Picture wait(EventLoop &loop, const std::function<guide::Picture()> &decode,
                    std::chrono::milliseconds quiet)
{
    guide::Picture picture;
    std::exception_ptr failure;
    std::mutex mutex;
    std::condition_variable ended;
    std::atomic<bool> done = false;
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                picture = decode();
            } catch (...) {
                failure = std::current_exception();
            }
            {
                const std::lock_guard lock(mutex);
                done = true;
            }
            ended.notify_one();
            loop.wake();
        });
    } catch (const std::system_error &) {
        return decode();
    }
    bool quick = false;
    {
        std::unique_lock lock(mutex);
        quick = ended.wait_for(lock, quiet, [&] { return done.load(); });
    }
    if (!quick) {
        loop.setBusy(true);
        loop.paintUntil(done);
        loop.setBusy(false);
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return picture;
}

} // namespace picture_wait
