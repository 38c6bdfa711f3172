#include "platform/process/Background.h"

#include <chrono>
#include <mutex>
#include <vector>

namespace lumo::process {

namespace {

struct Pending {
    std::mutex lock;
    // The last reference to an asynchronous result waits for its thread when it goes.
    std::vector<std::shared_future<void>> work;
};

Pending& pending() {
    static Pending p;
    return p;
}

} // namespace

std::shared_future<void> RunInBackground(std::function<void()> work) {
    std::shared_future<void> done = std::async(std::launch::async, std::move(work)).share();
    Pending& p = pending();
    const std::lock_guard<std::mutex> guard(p.lock);
    std::erase_if(p.work, [](const std::shared_future<void>& f) {
        return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    p.work.push_back(done);
    return done;
}

void WaitForBackgroundWork() {
    std::vector<std::shared_future<void>> work;
    {
        Pending& p = pending();
        const std::lock_guard<std::mutex> guard(p.lock);
        work.swap(p.work);
    }
    for (const std::shared_future<void>& f : work)
        f.wait();
}

} // namespace lumo::process
