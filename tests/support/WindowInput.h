#pragma once
// Pointer and keyboard input delivered the way the window system delivers it: to a top-level
// window, never straight to a widget. The window's own dispatch then finds the widget under the
// pointer (or the one holding the pointer grab), runs the application-wide event filters and
// sends enter and leave.
//
// A press goes to the top-level window under the pointer (an open pop-up takes every press, as
// it holds the pointer); while a button is held, moves and the release go to the window that
// took the press, wherever the pointer is (the implicit grab). Keys go to the window that has
// the focus. Positions are given in a widget's coordinates or in global coordinates and are
// mapped to the receiving window.

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;
class QWindow;

namespace WindowInput {

// The visible top-level window at a global point: pop-ups and tool windows above dialogs,
// dialogs above the rest.
QWindow* windowAt(QPoint global);

void pressAt(QPoint global, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {});
void releaseAt(QPoint global, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {});
void moveTo(QPoint global);
void clickAt(QPoint global, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {});
void doubleClickAt(QPoint global, Qt::MouseButton button = Qt::LeftButton);

// The same at a point of a widget (its centre when no point is given).
void press(QWidget* widget, QPoint local = {-1, -1}, Qt::MouseButton button = Qt::LeftButton);
void release(QWidget* widget, QPoint local = {-1, -1}, Qt::MouseButton button = Qt::LeftButton);
void move(QWidget* widget, QPoint local = {-1, -1});
void click(QWidget* widget, QPoint local = {-1, -1}, Qt::MouseButton button = Qt::LeftButton);
void doubleClick(QWidget* widget, QPoint local = {-1, -1});
// A wheel turn (in eighths of a degree, 120 a notch; negative turns toward the user) over a
// point of a widget.
void wheel(QWidget* widget, QPoint local, int angleDeltaY);

// Keys to the window that has the focus (the application's focus window).
void keyClick(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
void keyClick(char key, Qt::KeyboardModifiers modifiers = {});
void keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
void keyRelease(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
// Typed characters (Latin-1).
void keyClicks(const QString& text);


}  // namespace WindowInput
