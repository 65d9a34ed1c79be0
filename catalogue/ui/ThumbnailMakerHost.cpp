#include "catalogue/ui/ThumbnailMakerHost.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstdint>

TMainThreadDispatcher::TMainThreadDispatcher(
    platform::MainThreadQueue& queue, std::function<void(int, int)> deliver, QObject* parent)
    : QObject(parent)
    , queue_(queue)
    , deliver_(std::move(deliver))
    , wakeFd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (wakeFd_ >= 0) {
        notifier_ = new QSocketNotifier(wakeFd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
            Dispatch();
        });
    }
    queue_.SetNotifier([this] { Wake(); });
}

TMainThreadDispatcher::~TMainThreadDispatcher()
{
    queue_.SetNotifier({});
    delete notifier_;
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void TMainThreadDispatcher::Wake()
{
    const uint64_t one = 1;
    // A failed wake-up (the counter full) still leaves the descriptor readable.
    if (wakeFd_ >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    } else {
        // Without a descriptor (none left), through the event queue.
        QMetaObject::invokeMethod(
            this, [this] { Dispatch(); }, Qt::QueuedConnection);
    }
}

void TMainThreadDispatcher::PostProgress(int wParam, int lParam)
{
    {
        std::lock_guard lock(mutex_);
        progress_.emplace_back(wParam, lParam);
    }
    Wake();
}

void TMainThreadDispatcher::DropProgress()
{
    std::lock_guard lock(mutex_);
    progress_.clear();
}

void TMainThreadDispatcher::Dispatch()
{
    queue_.Drain();
    std::deque<std::pair<int, int>> messages;
    {
        std::lock_guard lock(mutex_);
        messages.swap(progress_);
    }
    for (const auto& [w, l] : messages)
        if (deliver_)
            deliver_(w, l);
}
