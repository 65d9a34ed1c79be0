#include "app/SignalClose.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The pipe the handler writes to: [0] read by the notifier, [1] written by the handler.
int pipeEnds[2] = { -1, -1 };
constexpr int kSignals[] = { SIGTERM, SIGINT, SIGHUP };

void OnSignalHandler(int signal)
{
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // Nothing else is safe in a handler; a full pipe already holds a request.
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &number, 1);
    errno = saved;
}

} // namespace

TSignalClose::TSignalClose(QObject* parent)
    : QObject(parent)
{
    if (pipeEnds[0] < 0 && pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeEnds[0] = pipeEnds[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
    struct sigaction action = {};
    action.sa_handler = OnSignalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

TSignalClose::~TSignalClose()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

void TSignalClose::Drain()
{
    unsigned char numbers[16];
    ssize_t n = 0;
    while ((n = read(pipeEnds[0], numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < n; ++i)
            if (OnSignal)
                OnSignal(numbers[i]);
}
