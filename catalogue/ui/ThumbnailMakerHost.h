#pragma once
// The Qt side of the thumbnail maker: a dispatcher that wakes the main
// thread's event loop to run the calls the maker hands over and to deliver
// its progress messages in the order posted, and a host whose steps are
// supplied by the window.
//
// The wake-up is an eventfd watched by the event loop: nothing made on the
// maker thread crosses into Qt's own event queue, and every hand-over goes
// through a lock or a file descriptor that thread checkers can follow.

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>
#include <utility>

#include "catalogue/ThumbnailMaker.h"
#include "platform/MainThreadQueue.h"

class QSocketNotifier;

class TMainThreadDispatcher : public QObject {
public:
    // deliver is called on the main thread with each progress message.
    TMainThreadDispatcher(
        platform::MainThreadQueue& queue, std::function<void(int, int)> deliver, QObject* parent = nullptr);
    ~TMainThreadDispatcher() override;
    TMainThreadDispatcher(const TMainThreadDispatcher&) = delete;
    TMainThreadDispatcher& operator=(const TMainThreadDispatcher&) = delete;

    // Any thread: queues a progress message and returns at once.
    void PostProgress(int wParam, int lParam);
    // Main thread: forgets the messages not yet delivered (those of a stopped maker).
    void DropProgress();
    // Main thread: runs the waiting calls, then delivers the waiting messages.
    void Dispatch();

private:
    void Wake();

    platform::MainThreadQueue& queue_;
    std::function<void(int, int)> deliver_;
    int wakeFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::mutex mutex_;
    std::deque<std::pair<int, int>> progress_;
};

class TThumbnailMakerUiHost : public catalogue::TThumbnailMakerHost {
public:
    std::function<bool()> noUseRolate;
    std::function<int32_t(const imaging::Bitmap&)> writeThumbnail;
    std::function<void(int, int)> postProgress;

    bool NoUseRolate() override { return noUseRolate && noUseRolate(); }
    int32_t WriteThumbnail(const imaging::Bitmap& bitmap) override
    {
        return writeThumbnail ? writeThumbnail(bitmap) : -1;
    }
    void PostProgress(int wParam, int lParam) override
    {
        if (postProgress)
            postProgress(wParam, lParam);
    }
};
