#pragma once
// Calls that a worker thread hands to the main thread and waits for, the
// stand-in for a worker's synchronised calls. The main thread runs them from
// its event loop (Drain, prompted by the notifier) and also while it waits for
// a worker to end (ServeUntil), so a worker blocked on a call can always finish.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

class MainThreadQueue {
public:
    // The thread that constructs the queue is its main thread.
    MainThreadQueue();
    MainThreadQueue(const MainThreadQueue&) = delete;
    MainThreadQueue& operator=(const MainThreadQueue&) = delete;

    // Any thread: runs fn on the main thread and returns once it has run. An
    // exception thrown by fn is rethrown here. On the main thread fn runs at once.
    void Call(const std::function<void()>& fn);

    // Main thread: runs every call waiting now; returns how many ran.
    int Drain();
    // Main thread: runs calls as they arrive until done() is true. done() is
    // tested when a call arrives and whenever Wake() is called, so whoever
    // changes what it tests calls Wake() afterwards.
    void ServeUntil(const std::function<bool()>& done);
    // Any thread: makes ServeUntil test its condition again.
    void Wake();

    // Called on the handing-over thread each time a call is queued, so the
    // main thread's event loop can be prompted to Drain.
    void SetNotifier(std::function<void()> notify);

    bool IsMainThread() const { return std::this_thread::get_id() == mainThread_; }

private:
    struct Pending {
        const std::function<void()>* fn = nullptr;
        bool done = false;
        std::exception_ptr error;
    };
    void RunOne(std::unique_lock<std::mutex>& lock);

    const std::thread::id mainThread_;
    std::mutex mutex_;
    std::condition_variable arrived_; // the main thread waits for calls or a wake-up
    std::condition_variable finished_; // callers wait for their call to have run
    std::deque<Pending*> pending_;
    unsigned wakeCount_ = 0;
    std::function<void()> notify_;
};

} // namespace platform
