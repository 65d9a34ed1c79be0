#include "fileops/ui/FileDropTarget.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "app/PathText.h"

TFileDropTarget::TFileDropTarget(QWidget* widget, bool copyOnly)
    : QObject(widget)
    , copyOnly_(copyOnly)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

std::vector<std::string> TFileDropTarget::LocalPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.push_back(NativePath(url.toLocalFile()));
    }
    return paths;
}

bool TFileDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (LocalPaths(drag->mimeData()).empty())
            return false;
        // A move only where the source offers it and the user asks for it (Shift); a copy otherwise.
        const bool move
            = !copyOnly_ && (drag->possibleActions() & Qt::MoveAction) && (drag->modifiers() & Qt::ShiftModifier);
        drag->setDropAction(move ? Qt::MoveAction : Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto paths = LocalPaths(drop->mimeData());
        if (paths.empty())
            return false;
        const Qt::DropAction action = copyOnly_ ? Qt::CopyAction : drop->dropAction();
        drop->setDropAction(action);
        drop->accept();
        if (Dropped)
            Dropped(paths, action);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
