#include "WindowInput.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace WindowInput {

namespace {

// The window that took the press of the buttons now held: it receives everything until the
// last button comes up.
QPointer<QWindow> grabWindow;

int layer(const QWidget* w)
{
    if (w == QApplication::activePopupWidget())
        return 4;
    switch (w->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
        return 3;
    case Qt::Tool:
        return 2;
    default:
        return w->isModal() || w == QApplication::activeModalWidget() ? 1 : 0;
    }
}

QPoint globalOf(QWidget* widget, QPoint local)
{
    if (local == QPoint(-1, -1))
        local = widget->rect().center();
    return widget->mapToGlobal(local);
}

QWindow* receiverFor(QPoint global, bool press)
{
    if (grabWindow && QTestPrivate::qtestMouseButtons != Qt::NoButton)
        return grabWindow;
    // An open pop-up holds the pointer: it sees every press, also outside itself.
    if (press)
        if (QWidget* popup = QApplication::activePopupWidget())
            return popup->windowHandle();
    return windowAt(global);
}

void send(QWindow* window, QPoint global, Qt::MouseButton button, QEvent::Type type,
          Qt::KeyboardModifiers modifiers)
{
    if (!window)
        return;
    QPointer<QWindow> target(window);
    const QPointF local = window->mapFromGlobal(QPointF(global));
    QTest::lastMouseTimestamp += 20;
    qt_handleMouseEvent(target, local, QPointF(global), QTestPrivate::qtestMouseButtons, button, type, modifiers,
                        QTest::lastMouseTimestamp);
    QApplication::processEvents();
}

}  // namespace

QWindow* windowAt(QPoint global)
{
    QWidget* best = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !w->windowHandle() || !w->frameGeometry().contains(global))
            continue;
        if (!best || layer(w) >= layer(best))
            best = w;
    }
    return best ? best->windowHandle() : nullptr;
}

void pressAt(QPoint global, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QWindow* window = receiverFor(global, true);
    if (QTestPrivate::qtestMouseButtons == Qt::NoButton)
        grabWindow = window;
    QTestPrivate::qtestMouseButtons.setFlag(button, true);
    send(window, global, button, QEvent::MouseButtonPress, modifiers);
}

void releaseAt(QPoint global, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QWindow* window = receiverFor(global, false);
    QTestPrivate::qtestMouseButtons.setFlag(button, false);
    if (QTestPrivate::qtestMouseButtons == Qt::NoButton)
        grabWindow = nullptr;
    send(window, global, button, QEvent::MouseButtonRelease, modifiers);
    // Two clicks of a test are never one double click unless asked for.
    QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
}

void moveTo(QPoint global)
{
    send(receiverFor(global, false), global, Qt::NoButton, QEvent::MouseMove, {});
}

void clickAt(QPoint global, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    moveTo(global);
    pressAt(global, button, modifiers);
    releaseAt(global, button, modifiers);
}

void doubleClickAt(QPoint global, Qt::MouseButton button)
{
    moveTo(global);
    pressAt(global, button);
    QTestPrivate::qtestMouseButtons.setFlag(button, false);
    send(receiverFor(global, false), global, button, QEvent::MouseButtonRelease, {});
    grabWindow = nullptr;
    // The second press follows within the double-click interval.
    pressAt(global, button);
    releaseAt(global, button);
}

void press(QWidget* widget, QPoint local, Qt::MouseButton button)
{
    pressAt(globalOf(widget, local), button);
}

void release(QWidget* widget, QPoint local, Qt::MouseButton button)
{
    releaseAt(globalOf(widget, local), button);
}

void move(QWidget* widget, QPoint local)
{
    moveTo(globalOf(widget, local));
}

void click(QWidget* widget, QPoint local, Qt::MouseButton button)
{
    clickAt(globalOf(widget, local), button);
}

void doubleClick(QWidget* widget, QPoint local)
{
    doubleClickAt(globalOf(widget, local));
}

void wheel(QWidget* widget, QPoint local, int angleDeltaY)
{
    const QPoint global = globalOf(widget, local);
    QWindow* window = receiverFor(global, false);
    if (!window)
        return;
    const QPointF position = window->mapFromGlobal(QPointF(global));
    QWheelEvent event(position, QPointF(global), QPoint(), QPoint(0, angleDeltaY), QTestPrivate::qtestMouseButtons, {},
                      Qt::NoScrollPhase, false);
    event.setTimestamp(ulong(QTest::lastMouseTimestamp += 20));
    QApplication::sendEvent(window, &event);
    QApplication::processEvents();
}

namespace {

QWindow* focusWindow()
{
    if (QWindow* w = QGuiApplication::focusWindow())
        return w;
    if (QWidget* active = QApplication::activeWindow())
        return active->windowHandle();
    return nullptr;
}

}  // namespace

void keyClick(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (QWindow* w = focusWindow())
        QTest::keyClick(w, key, modifiers);
}

void keyClick(char key, Qt::KeyboardModifiers modifiers)
{
    if (QWindow* w = focusWindow())
        QTest::keyClick(w, key, modifiers);
}

void keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (QWindow* w = focusWindow())
        QTest::keyPress(w, key, modifiers);
}

void keyRelease(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (QWindow* w = focusWindow())
        QTest::keyRelease(w, key, modifiers);
}

void keyClicks(const QString& text)
{
    for (const QChar c : text)
        if (QWindow* w = focusWindow())
            QTest::keyClick(w, c.toLatin1());
}

}  // namespace WindowInput
