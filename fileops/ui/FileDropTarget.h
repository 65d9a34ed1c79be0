#pragma once
// A drop target for files on any widget: it accepts drags that carry local
// file URLs and hands the dropped paths (native bytes) and the drop's action
// to a callback. copyOnly makes every drop a copy.

#include <QObject>
#include <Qt>
#include <functional>
#include <string>
#include <vector>

class QWidget;
class QMimeData;

class TFileDropTarget : public QObject {
    Q_OBJECT
public:
    TFileDropTarget(QWidget* widget, bool copyOnly);

    std::function<void(const std::vector<std::string>& paths, Qt::DropAction action)> Dropped;

    // The local files a drag carries, as native paths; empty when it carries anything else.
    static std::vector<std::string> LocalPaths(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool copyOnly_;
};
