#include "ButtonMorph.h"

ButtonMorph::ButtonMorph(QObject* context, std::function<void()> onTick)
    : FContext(context), FOnTick(std::move(onTick))
{
}

void ButtonMorph::start()
{
    if (!FTimer) {
        FTimer = std::make_unique<QTimer>();
        FTimer->setInterval(20);
        QObject::connect(FTimer.get(), &QTimer::timeout, FContext, [this] { FOnTick(); });
    }
    FTimer->start();
}

void ButtonMorph::startIfIdle()
{
    if (!timerActive())
        start();
}

void ButtonMorph::stop()
{
    if (FTimer)
        FTimer->stop();
}

bool ButtonMorph::step(bool morphing, bool hot)
{
    if (!morphing) {
        FFactor = hot ? 1.0 : 0.0;
        stop();
        return false;
    }
    if (hot && FFactor < 1.0) {
        FFactor += 0.1;
    } else if (!hot && FFactor > 0.0) {
        FFactor -= 0.1;
    } else {
        FFactor = hot ? 1.0 : 0.0;
        stop();
    }
    return true;
}
