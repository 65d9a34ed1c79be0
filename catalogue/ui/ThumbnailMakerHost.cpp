#include "catalogue/ui/ThumbnailMakerHost.h"

#include <QCoreApplication>
#include <QEvent>

namespace {
const QEvent::Type kDrainEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
}

TMainThreadDispatcher::TMainThreadDispatcher(platform::MainThreadQueue& queue, QObject* parent)
    : QObject(parent)
    , queue_(queue)
{
    queue_.SetNotifier([this] { QCoreApplication::postEvent(this, new QEvent(kDrainEvent)); });
}

TMainThreadDispatcher::~TMainThreadDispatcher()
{
    queue_.SetNotifier({});
}

bool TMainThreadDispatcher::event(QEvent* event)
{
    if (event->type() == kDrainEvent) {
        queue_.Drain();
        return true;
    }
    return QObject::event(event);
}
