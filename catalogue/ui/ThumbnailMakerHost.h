#pragma once
// The Qt side of the thumbnail maker: a dispatcher that lets the event loop
// run the calls the maker hands to the main thread, and a host whose steps
// are supplied by the window.

#include <QObject>
#include <functional>

#include "catalogue/ThumbnailMaker.h"
#include "platform/MainThreadQueue.h"

// Lives on the main thread; each call a worker queues posts an event here,
// and handling that event drains the queue.
class TMainThreadDispatcher : public QObject {
public:
    explicit TMainThreadDispatcher(platform::MainThreadQueue& queue, QObject* parent = nullptr);
    ~TMainThreadDispatcher() override;

protected:
    bool event(QEvent* event) override;

private:
    platform::MainThreadQueue& queue_;
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
