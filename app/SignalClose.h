#pragma once
// Closing the program cleanly on SIGTERM, SIGINT and SIGHUP (a logout, kill, a
// lost display): the handler only writes the signal's number into a pipe, and a
// notifier reads it in the event loop, where the window can close as usual.
#include <QObject>
#include <functional>

class QSocketNotifier;

class TSignalClose : public QObject {
public:
    // Installs the handlers at once; a signal that comes before OnSignal is set
    // waits in the pipe until the event loop runs.
    explicit TSignalClose(QObject* parent = nullptr);
    ~TSignalClose() override;
    TSignalClose(const TSignalClose&) = delete;
    TSignalClose& operator=(const TSignalClose&) = delete;

    // Run on the main thread once per signal received.
    std::function<void(int signal)> OnSignal;

private:
    void Drain();
    QSocketNotifier* notifier_ = nullptr;
};
