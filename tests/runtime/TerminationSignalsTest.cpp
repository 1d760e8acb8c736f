// The watcher's handlers against a library that puts its own in front of them (as the database
// client library does at its first attach): reclaim makes the signal the program's alone, and
// the handlers found at construction are the ones restored at the end.

#include "TerminationSignals.h"
#include "TestQtApp.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

#include <csignal>

namespace {

volatile sig_atomic_t foreignCalls = 0;
extern "C" void foreignHandler(int) { foreignCalls = foreignCalls + 1; }
volatile sig_atomic_t originalCalls = 0;
extern "C" void originalHandler(int) { originalCalls = originalCalls + 1; }

void (*currentHandler(int signal))(int)
{
    struct sigaction current {};
    ::sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

}

TEST(TerminationSignals, ReclaimPutsTheProgramsHandlersBackInFrontOfALibrarysOwn)
{
    testQtApp();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        struct sigaction original {};
        original.sa_handler = originalHandler;
        sigemptyset(&original.sa_mask);
        ::sigaction(signal, &original, nullptr);
        int requests = 0;
        {
            TerminationSignals watcher([&] { ++requests; });
            // The library's handler arrives after the watcher's.
            struct sigaction foreign {};
            foreign.sa_handler = foreignHandler;
            sigemptyset(&foreign.sa_mask);
            ::sigaction(signal, &foreign, nullptr);
            watcher.reclaim();
            foreignCalls = 0;
            std::raise(signal);
            QDeadlineTimer deadline(10000);
            while (requests == 0 && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            EXPECT_EQ(requests, 1);
            EXPECT_EQ(foreignCalls, 0);
        }
        EXPECT_EQ(currentHandler(signal), &originalHandler);
        ::signal(signal, SIG_DFL);
    }
}
