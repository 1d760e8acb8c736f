#pragma once
// Ends the program in an orderly way when the system asks it to (SIGTERM, SIGINT, SIGHUP: a
// `kill`, Ctrl+C in the terminal, the session closing).
//
// The handlers only write a byte into a pipe; the pipe's reader runs `onRequest` on the UI
// thread, from the message loop, like any other event. The handlers must be installed before
// the database client library is loaded: that library installs handlers of its own for SIGINT
// and SIGTERM which shut its connections down and otherwise ignore the signal, and it passes
// the signal on to a handler that was there before it.

#include <QObject>

#include <functional>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // One watcher at a time; installing a second one replaces the first's handlers.
    explicit TerminationSignals(std::function<void()> onRequest, QObject* parent = nullptr);
    ~TerminationSignals() override;  // restores the handlers that were there before

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void readRequests();

    std::function<void()> onRequest_;
    QSocketNotifier* notifier_ = nullptr;
};
