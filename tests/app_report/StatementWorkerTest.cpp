// The worker that runs database calls off the user-interface thread: the call runs elsewhere,
// the waiting thread goes on handling timers meanwhile, errors come back as they were
// thrown, and a call asked for while one runs fails instead of running beside it. (What a
// user sees, a painted window and input that waits, is ReportWindowTest's.)

#include "Exception.h"
#include "StatementWorker.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "app_report_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

TEST(StatementWorker, RunsTheCallElsewhereWhileTheWaitingThreadHandlesItsTimers)
{
    ensureApplication();
    StatementWorker worker;
    QThread* callThread = nullptr;
    bool timerFired = false;
    bool timerFiredDuringTheCall = false;
    std::atomic<bool> callRunning{false};
    QTimer::singleShot(20, [&] {
        timerFired = true;
        timerFiredDuringTheCall = callRunning;
    });
    worker.run([&] {
        callRunning = true;
        callThread = QThread::currentThread();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        callRunning = false;
    });
    EXPECT_NE(callThread, QThread::currentThread());
    EXPECT_TRUE(timerFired);
    EXPECT_TRUE(timerFiredDuringTheCall);
}

TEST(StatementWorker, ErrorsComeBackAndACallDuringACallFails)
{
    ensureApplication();
    StatementWorker worker;
    EXPECT_THROW(worker.run([] { throw ESQLError("lock time-out on wait transaction"); }), ESQLError);

    std::string nestedError;
    QTimer::singleShot(20, [&] {
        try {
            worker.run([] {});
        } catch (const EDatabaseError& error) {
            nestedError = error.what();
        }
    });
    bool outerDone = false;
    worker.run([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        outerDone = true;
    });
    EXPECT_TRUE(outerDone);
    EXPECT_EQ(nestedError, "A database call is already in progress");

    // Afterwards the worker takes calls again.
    int value = 0;
    worker.run([&] { value = 7; });
    EXPECT_EQ(value, 7);
}

}
