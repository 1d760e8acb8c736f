#pragma once
// Mouse and keys delivered the way the window system delivers them: to the top-level window
// (QWindow), which hands them to the widget under the pointer, through the application's
// event filters and the pointer grab a widget holds while a button is down. Positions are
// given in the widget's own coordinates and mapped to its window. A pop-up menu window is a
// top-level window of its own and gets its events as such. Each call first puts the pointer
// (QCursor::pos) where the event happens, as a real pointer is: the frame's hover timer and
// the menus' mouse timers read it.

#include <QCursor>
#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace frameinput {

inline QWindow* windowOf(QWidget* widget) { return widget->window()->windowHandle(); }

inline QPoint inWindow(QWidget* widget, QPoint p) { return widget->mapTo(widget->window(), p); }

inline void pointAt(QWidget* widget, QPoint p) { QCursor::setPos(widget->mapToGlobal(p)); }

inline void press(QWidget* widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    pointAt(widget, p);
    QTest::mousePress(windowOf(widget), button, Qt::NoModifier, inWindow(widget, p));
}

inline void release(QWidget* widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    pointAt(widget, p);
    QTest::mouseRelease(windowOf(widget), button, Qt::NoModifier, inWindow(widget, p));
}

inline void click(QWidget* widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    pointAt(widget, p);
    QTest::mouseClick(windowOf(widget), button, Qt::NoModifier, inWindow(widget, p));
}

inline void doubleClick(QWidget* widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    pointAt(widget, p);
    QTest::mouseDClick(windowOf(widget), button, Qt::NoModifier, inWindow(widget, p));
}

// A move; while a button is held (pressed through these functions) it is a drag.
inline void move(QWidget* widget, QPoint p)
{
    pointAt(widget, p);
    QTest::mouseMove(windowOf(widget), inWindow(widget, p));
}

// A key to the window that has the keyboard: the focus widget of `widget`'s window gets it,
// unless an application filter takes it first.
inline void key(QWidget* widget, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(windowOf(widget), k, modifiers);
}

inline void key(QWidget* widget, char c) { QTest::keyClick(windowOf(widget), c); }

}
