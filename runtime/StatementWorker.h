#pragma once
// Runs database calls on a thread of their own while the user-interface thread waits for them
// with its windows kept alive: they are repainted when uncovered, and the window manager's
// pings are answered, so that a long statement neither leaves a window blank nor makes the
// window manager offer to kill a "not responding" program.
//
// Nothing else reaches the program while it waits, as when the call held the thread itself:
// user input (mouse, keys) and socket notifiers (the termination signals' pipe) stay queued,
// and a window system's request to close a window is held back and made again once the wait
// is over, so that each is handled where the program next handles its events. Input held
// back is looked at again when the worker goes (at the end of a run of statements). Only one call
// runs at a time, and the caller waits for it: the client library is never used by two
// threads at once.

#include <QAbstractEventDispatcher>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class StatementWorker {
public:
    StatementWorker();
    ~StatementWorker();

    StatementWorker(const StatementWorker&) = delete;
    StatementWorker& operator=(const StatementWorker&) = delete;

    // Runs `call` on the worker thread and returns when it has ended, passing on what it
    // threw. Called from the thread of the application object; from any other thread, or
    // without an application object, `call` runs on the calling thread. A call made while one
    // is running (by an event handled during the wait) fails with EDatabaseError.
    void run(const std::function<void()>& call);

private:
    void loop();
    void lookAtHeldInputAgain();

    std::mutex mutex_;
    std::condition_variable wake_;
    const std::function<void()>* call_ = nullptr;
    bool stop_ = false;
    std::atomic<bool> done_{false};
    std::exception_ptr error_;
    QAbstractEventDispatcher* waiter_ = nullptr;
    bool running_ = false;
    bool waited_ = false;
    std::thread thread_;
};
