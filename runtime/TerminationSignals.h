#pragma once
// Ends the program in an orderly way when the system asks it to (SIGTERM, SIGINT, SIGHUP: a
// `kill`, Ctrl+C in the terminal, the session closing).
//
// The handlers only write a byte into a pipe; the pipe's reader runs `onRequest` on the UI
// thread, from the message loop, like any other event.
//
// The database client library installs handlers of its own for SIGINT and SIGTERM when it is
// first used (the first attach), passing the signal on to the handler that was there before.
// Its handler starts a thread that shuts the library down and ends the process, which races
// the program's own orderly exit (a crash now and then). The program ends its connections
// itself, so once the library has set up its handlers, `reclaim` puts ours back in their
// place: the signal then reaches only the program. The library keeps no watch on its
// handlers and does not install them again.

#include <QObject>

#include <functional>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // One watcher at a time; installing a second one replaces the first's handlers.
    explicit TerminationSignals(std::function<void()> onRequest, QObject* parent = nullptr);
    ~TerminationSignals() override;  // restores the handlers that were there before

    // Makes the watcher's handlers the process's again, replacing any installed since (the
    // client library's). The handlers found at construction are still the ones restored.
    void reclaim();

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void readRequests();

    std::function<void()> onRequest_;
    QSocketNotifier* notifier_ = nullptr;
};
