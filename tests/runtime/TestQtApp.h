#pragma once
// Widget tests need a QApplication; the test binary has no main() of its own.

#include <QApplication>

inline QApplication& testQtApp()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *app;
    static int argc = 1;
    static char name[] = "runtime_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}
