#include "MessageBox.h"

#include <QApplication>
#include <cstdio>

namespace MessageBox {

namespace {

Handler& installedHandler()
{
    static Handler handler;
    return handler;
}

// Platforms on which a modal box would wait for a person who is not there.
bool canAskUser()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}

Button unansweredResult(const Request& request)
{
    if (request.defaultButton != QMessageBox::NoButton)
        return request.defaultButton;
    for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1)
        if (request.buttons.testFlag(static_cast<Button>(bit)))
            return static_cast<Button>(bit);
    return QMessageBox::NoButton;
}

Button show(const QString& caption, const QString& text, Icon icon, Buttons buttons,
            Button defaultButton)
{
    return show(Request{caption, text, icon, buttons, defaultButton});
}

Button show(const Request& request)
{
    if (const Handler& handler = installedHandler())
        return handler(request);

    if (!canAskUser()) {
        std::fprintf(stderr, "[message box] %s: %s\n", request.caption.toUtf8().constData(),
                     request.text.toUtf8().constData());
        std::fflush(stderr);
        return unansweredResult(request);
    }

    const std::unique_ptr<QMessageBox> box = createBox(request);
    const int result = box->exec();
    return static_cast<Button>(result);
}

std::unique_ptr<QMessageBox> createBox(const Request& request)
{
    auto box = std::make_unique<QMessageBox>(request.icon, request.caption, request.text, request.buttons);
    if (request.defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(request.defaultButton);
    return box;
}

Handler setHandler(Handler handler)
{
    Handler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}

}
