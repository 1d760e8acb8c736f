#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array watchedSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe the handlers write into; -1 while no watcher exists.
volatile sig_atomic_t writeEnd = -1;
int readEnd = -1;
std::array<struct sigaction, watchedSignals.size()> previousActions{};

extern "C" void onTerminationSignal(int)
{
    const int savedErrno = errno;
    const int fd = writeEnd;
    if (fd >= 0) {
        const char byte = 1;
        // A full pipe already holds a request: nothing is lost by dropping this one.
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

struct sigaction ownAction()
{
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return action;
}

}

TerminationSignals::TerminationSignals(std::function<void()> onRequest, QObject* parent)
    : QObject(parent), onRequest_(std::move(onRequest))
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;  // without the pipe the signals keep their current handling
    readEnd = fds[0];
    writeEnd = fds[1];
    notifier_ = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readRequests);

    const struct sigaction action = ownAction();
    for (std::size_t i = 0; i < watchedSignals.size(); ++i)
        ::sigaction(watchedSignals[i], &action, &previousActions[i]);
}

void TerminationSignals::reclaim()
{
    if (!notifier_)
        return;
    const struct sigaction action = ownAction();
    for (const int signal : watchedSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < watchedSignals.size(); ++i)
        ::sigaction(watchedSignals[i], &previousActions[i], nullptr);
    const int fd = writeEnd;
    writeEnd = -1;
    ::close(fd);
    delete notifier_;
    ::close(readEnd);
    readEnd = -1;
}

void TerminationSignals::readRequests()
{
    char buffer[64];
    bool requested = false;
    while (::read(readEnd, buffer, sizeof buffer) > 0)
        requested = true;
    if (requested && onRequest_)
        onRequest_();
}
