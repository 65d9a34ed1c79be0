#include "platform/MainThreadQueue.h"

namespace platform {

MainThreadQueue::MainThreadQueue()
    : mainThread_(std::this_thread::get_id())
{
}

void MainThreadQueue::Call(const std::function<void()>& fn)
{
    if (IsMainThread()) {
        fn();
        return;
    }
    Pending call;
    call.fn = &fn;
    std::function<void()> notify;
    {
        std::unique_lock lock(mutex_);
        pending_.push_back(&call);
        notify = notify_;
    }
    arrived_.notify_all();
    if (notify)
        notify();
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return call.done; });
    if (call.error)
        std::rethrow_exception(call.error);
}

void MainThreadQueue::RunOne(std::unique_lock<std::mutex>& lock)
{
    Pending* call = pending_.front();
    pending_.pop_front();
    lock.unlock();
    std::exception_ptr error;
    try {
        (*call->fn)();
    } catch (...) {
        error = std::current_exception();
    }
    lock.lock();
    call->error = error;
    call->done = true;
    finished_.notify_all();
}

int MainThreadQueue::Drain()
{
    int ran = 0;
    std::unique_lock lock(mutex_);
    // Only the calls waiting now: a call queued while these run gets its own prompt.
    for (size_t n = pending_.size(); n > 0 && !pending_.empty(); --n, ++ran)
        RunOne(lock);
    return ran;
}

void MainThreadQueue::ServeUntil(const std::function<bool()>& done)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        while (!pending_.empty())
            RunOne(lock);
        const unsigned seen = wakeCount_;
        lock.unlock();
        const bool finished = done();
        lock.lock();
        if (finished)
            return;
        arrived_.wait(lock, [&] { return !pending_.empty() || wakeCount_ != seen; });
    }
}

void MainThreadQueue::Wake()
{
    {
        std::lock_guard lock(mutex_);
        ++wakeCount_;
    }
    arrived_.notify_all();
}

void MainThreadQueue::SetNotifier(std::function<void()> notify)
{
    std::lock_guard lock(mutex_);
    notify_ = std::move(notify);
}

} // namespace platform
