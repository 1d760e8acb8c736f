#include "SystemBeep.h"

#include <QApplication>

namespace {
std::function<void()>& hook()
{
    static std::function<void()> h;
    return h;
}
}  // namespace

void SystemBeep()
{
    if (hook())
        hook()();
    else
        QApplication::beep();
}

void setSystemBeepHook(std::function<void()> h)
{
    hook() = std::move(h);
}
