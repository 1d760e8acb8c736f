#pragma once
// The fade of a button between its normal image (factor 0) and its hot image (factor 1): a
// 20 ms timer moves the factor by 0.1 toward the button's current look on each tick.

#include <QTimer>
#include <functional>
#include <memory>

class ButtonMorph {
public:
    // onTick runs on each timer tick (the button's own tick handling); the timer's connection
    // ends with context.
    ButtonMorph(QObject* context, std::function<void()> onTick);

    double factor() const { return FFactor; }
    void setFactor(double value) { FFactor = value; }
    bool timerActive() const { return FTimer && FTimer->isActive(); }
    // (Re)starts the timer.
    void start();
    // Starts the timer unless it runs already.
    void startIfIdle();
    void stop();
    // One tick. With morphing off the factor jumps to the end of the current look and the timer
    // stops, and the result is false (nothing to repaint). Otherwise the factor steps toward
    // the look, or, once past it, is set to it and the timer stops; the result is true.
    bool step(bool morphing, bool hot);

private:
    QObject* FContext;
    std::function<void()> FOnTick;
    double FFactor = 0.0;
    std::unique_ptr<QTimer> FTimer;
};
