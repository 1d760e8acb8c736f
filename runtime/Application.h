#pragma once
// The application object: the program's title, the one dispatch point through which every
// event handler is entered, and the two error reports.
//
// No exception may cross into Qt's event loop. Connect handlers through dispatch():
//
//     connect(button, &QPushButton::clicked, form, guarded([form] { form->OKClick(); }));
//
// An error in a handler stops the handler and is shown in a message box captioned with the
// title; the window stays as the handler left it. The silent abort (EAbort) is not shown.

#include <QString>
#include <exception>
#include <functional>
#include <utility>

class TApplication {
public:
    // The one application object of the process.
    static TApplication& instance();

    // The program's title: the executable's file name without its directory ("cust_prod").
    QString title() const;
    // Overrides the title (an empty title returns to the executable's name).
    void setTitle(const QString& title);

    // The running handlers' report: message box captioned with the title showing the
    // message (with the period rule), plus one line on standard error. EAbort is silent.
    // Never throws.
    void handleException(const std::exception_ptr& error) noexcept;

    // The start-up failure report: the "Application Error" box with the error's class name,
    // module, address and message, plus one line on standard error. Returns the exit code 1.
    int reportStartupFailure(const std::exception_ptr& error) noexcept;

    // Runs the start-up steps (creating the main window). Returns 0 when they succeed;
    // otherwise reports the failure as above and returns 1, the program's exit code.
    int startup(const std::function<void()>& createMainWindow) noexcept;

private:
    TApplication() = default;
    QString title_;
};

// Runs an event handler; any exception it raises goes to the application's error report.
template <class Handler>
void dispatch(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        TApplication::instance().handleException(std::current_exception());
    }
}

// Wraps a handler so that it is entered through dispatch(), for signal connections.
template <class Handler>
auto guarded(Handler handler)
{
    return [handler = std::move(handler)](auto&&... args) mutable noexcept {
        dispatch([&] { handler(std::forward<decltype(args)>(args)...); });
    };
}
