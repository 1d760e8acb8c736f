#include "StatementWorker.h"

#include "Exception.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QThread>
#include <QWindow>

#include <vector>

namespace {

// Holds back the window system's close requests while installed and makes them again when
// removed: a close asked for during a database call is handled after it, where the program
// next handles its events, as when the call held the thread.
class CloseRequestsHeldBack : public QObject {
public:
    CloseRequestsHeldBack() { QCoreApplication::instance()->installEventFilter(this); }
    ~CloseRequestsHeldBack() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        for (const QPointer<QWindow>& window : held_)
            if (window)
                QCoreApplication::postEvent(window, new QCloseEvent);
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        // The window system's close requests reach the window first (the program's own
        // close() goes to the widget); one made again after an earlier wait is held again.
        if (event->type() != QEvent::Close)
            return false;
        auto* window = qobject_cast<QWindow*>(receiver);
        if (!window)
            return false;
        held_.emplace_back(window);
        return true;
    }

private:
    std::vector<QPointer<QWindow>> held_;
};

}

StatementWorker::StatementWorker() : thread_([this] { loop(); }) {}

StatementWorker::~StatementWorker()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    if (waited_)
        lookAtHeldInputAgain();
}

void StatementWorker::lookAtHeldInputAgain()
{
    // The X11 integration keeps the input it was told to hold back aside, and looks at it again
    // only when the next event comes from the X server: without one, a click made during the
    // waits would wait for the next mouse move. Setting a window's title again makes the server
    // send one (a property change), so the held input is handled in order right after.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    for (QWindow* window : QGuiApplication::topLevelWindows())
        if (window->isVisible()) {
            window->setTitle(window->title());
            return;
        }
}

void StatementWorker::run(const std::function<void()>& call)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        call();
        return;
    }
    // An event handled during the wait that wants the database: running it beside the call in
    // progress would use the client library from two threads at once.
    if (running_)
        throw EDatabaseError("A database call is already in progress");
    running_ = true;
    waited_ = true;
    {
        std::lock_guard lock(mutex_);
        done_ = false;
        error_ = nullptr;
        waiter_ = QAbstractEventDispatcher::instance();
        call_ = &call;
    }
    wake_.notify_all();
    {
        CloseRequestsHeldBack closeRequests;
        while (!done_)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers
                                            | QEventLoop::WaitForMoreEvents);
    }
    running_ = false;
    std::exception_ptr error;
    {
        std::lock_guard lock(mutex_);
        error = std::exchange(error_, nullptr);
    }
    if (error)
        std::rethrow_exception(error);
}

void StatementWorker::loop()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || call_; });
        if (stop_)
            return;
        const std::function<void()>* call = std::exchange(call_, nullptr);
        QAbstractEventDispatcher* waiter = waiter_;
        lock.unlock();
        std::exception_ptr error;
        try {
            (*call)();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        error_ = error;
        done_ = true;
        if (waiter)
            waiter->wakeUp();
    }
}
