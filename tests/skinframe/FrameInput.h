#pragma once
// Mouse and keys delivered the way the window system delivers them: to the top-level window
// (QWindow), which hands them to the widget under the pointer, through the application's
// event filters and the pointer grab a widget holds while a button is down. Positions are
// given in the widget's own coordinates and mapped to its window. A pop-up menu window is a
// top-level window of its own and gets its events as such.

#include <QCoreApplication>
#include <QCursor>
#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <optional>

namespace frameinput {

inline QWindow* windowOf(QWidget* widget) { return widget->window()->windowHandle(); }

inline QPoint inWindow(QWidget* widget, QPoint p) { return widget->mapTo(widget->window(), p); }

// Where the last event delivered here happened, in global coordinates: the pointer. The
// frame's hover timer asks for it through cursorProbe(); a menu's mouse timer reads
// QCursor::pos, which a test sets itself where it needs it (see pointAt).
inline QPoint& pointer()
{
    static QPoint global(-10000, -10000);
    return global;
}

// For TbsSkinFrame::setCursorProbe: the pointer in `form`'s coordinates while it is over it.
inline std::function<std::optional<QPoint>()> cursorProbe(QWidget* form)
{
    return [form]() -> std::optional<QPoint> {
        const QPoint local = form->mapFromGlobal(pointer());
        if (!form->rect().contains(local))
            return std::nullopt;
        return local;
    };
}

// Moves the platform's pointer (QCursor::pos) too. The platform reports that as a move of its
// own, queued: it is handled here and now, so that it never lands after a later event.
inline void pointAt(QWidget* widget, QPoint p)
{
    pointer() = widget->mapToGlobal(p);
    QCursor::setPos(pointer());
    QCoreApplication::processEvents();
}

// Delivers `deliver(window, position in the window)`; the pointer is then where the event
// happened (worked out before: the event may move or close the window).
template <class Deliver>
void deliverAt(QWidget* widget, QPoint p, Deliver deliver)
{
    pointer() = widget->mapToGlobal(p);
    deliver(windowOf(widget), inWindow(widget, p));
}

inline void press(QWidget* widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    deliverAt(widget, p, [&](QWindow* w, QPoint at) { QTest::mousePress(w, button, Qt::NoModifier, at); });
}

inline void release(QWidget* widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    deliverAt(widget, p, [&](QWindow* w, QPoint at) { QTest::mouseRelease(w, button, Qt::NoModifier, at); });
}

inline void click(QWidget* widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    deliverAt(widget, p, [&](QWindow* w, QPoint at) { QTest::mouseClick(w, button, Qt::NoModifier, at); });
}

inline void doubleClick(QWidget* widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    deliverAt(widget, p, [&](QWindow* w, QPoint at) { QTest::mouseDClick(w, button, Qt::NoModifier, at); });
}

// A move; while a button is held (pressed through these functions) it is a drag.
inline void move(QWidget* widget, QPoint p)
{
    deliverAt(widget, p, [](QWindow* w, QPoint at) { QTest::mouseMove(w, at); });
}

// The pointer comes into the window, at its client area's centre. A move to where the pointer
// already is is no move (the window system reports none, and Qt drops it), so it comes by way
// of the point beside it: this is a real arrival also when an earlier window left the pointer
// at the same place.
inline void enter(QWidget* form)
{
    const QPoint centre = form->contentsRect().center();
    move(form, centre + QPoint(1, 0));
    move(form, centre);
}

// A key to the window that has the keyboard: the focus widget of `widget`'s window gets it,
// unless an application filter takes it first.
inline void key(QWidget* widget, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(windowOf(widget), k, modifiers);
}

inline void key(QWidget* widget, char c) { QTest::keyClick(windowOf(widget), c); }

}
