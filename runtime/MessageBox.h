#pragma once
// Every message box of the program goes through show(), so that tests can answer them.
//
// Without an installed handler: on a real display a modal QMessageBox is shown. Where no box
// can be answered by a person (no QApplication yet, or the "offscreen"/"minimal" platforms
// that tests and CI use) nothing is shown: the box is written to standard error as one line
// "[message box] caption: text" and the default button is returned, so a test that forgets
// to install a handler never hangs.

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

namespace MessageBox {

using Button = QMessageBox::StandardButton;
using Buttons = QMessageBox::StandardButtons;
using Icon = QMessageBox::Icon;

struct Request {
    QString caption;
    QString text;
    Icon icon = QMessageBox::NoIcon;
    Buttons buttons = QMessageBox::Ok;
    Button defaultButton = QMessageBox::NoButton;  // NoButton: the first of `buttons`
};

using Handler = std::function<Button(const Request&)>;

// Shows a box and returns the button that closed it.
Button show(const QString& caption, const QString& text, Icon icon = QMessageBox::NoIcon,
            Buttons buttons = QMessageBox::Ok, Button defaultButton = QMessageBox::NoButton);
Button show(const Request& request);

// The box show() puts on the screen for this request (tests read its buttons).
std::unique_ptr<QMessageBox> createBox(const Request& request);

// The button a box returns when nobody answers it: the default, else the first of its buttons.
Button unansweredResult(const Request& request);

// Replaces the handler for the rest of the process (an empty handler restores the default).
// Returns the previous one.
Handler setHandler(Handler handler);

// Installs a handler for one scope, e.g. in a test, and restores the previous one after.
class ScopedHandler {
public:
    explicit ScopedHandler(Handler handler) : previous_(setHandler(std::move(handler))) {}
    ~ScopedHandler() { setHandler(std::move(previous_)); }
    ScopedHandler(const ScopedHandler&) = delete;
    ScopedHandler& operator=(const ScopedHandler&) = delete;

private:
    Handler previous_;
};

}
