#include "Application.h"

#include "ErrorReport.h"
#include "MessageBox.h"

#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {

QString executableFileName()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return QStringLiteral("cust_prod");
    return QFileInfo(QString::fromLocal8Bit(buffer, static_cast<qsizetype>(n))).fileName();
}

// One line per report on standard error, for logs: line breaks of the message are flattened.
void logLine(const std::string& kind, const std::string& text)
{
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    std::fprintf(stderr, "%s: %s\n", kind.c_str(), line.c_str());
    std::fflush(stderr);
}

}

TApplication& TApplication::instance()
{
    static TApplication application;
    return application;
}

QString TApplication::title() const
{
    if (title_.isEmpty())
        return executableFileName();
    return title_;
}

void TApplication::setTitle(const QString& title)
{
    title_ = title;
}

void TApplication::handleException(const std::exception_ptr& error) noexcept
{
    try {
        const ErrorReport::ErrorInfo info = ErrorReport::describe(error);
        if (info.silent)
            return;
        const std::string text = ErrorReport::withHandlerPeriod(info.message);
        logLine(title().toStdString() + ": " + info.className, text);
        MessageBox::show(title(), QString::fromUtf8(text), QMessageBox::Critical);
    } catch (...) {
        // The report itself failed (a test handler that throws, no memory): nothing more
        // can be done without letting the exception reach the event loop.
        std::fputs("error report failed\n", stderr);
    }
}

int TApplication::reportStartupFailure(const std::exception_ptr& error) noexcept
{
    try {
        const ErrorReport::ErrorInfo info = ErrorReport::describe(error);
        const ErrorReport::CodeLocation where = ErrorReport::locate(info.address);
        const std::string text = ErrorReport::startupFailureText(info.className, where.moduleFileName,
                                                                 where.offset, info.message);
        logLine(ErrorReport::StartupFailureCaption, text);
        MessageBox::show(QString::fromLatin1(ErrorReport::StartupFailureCaption),
                         QString::fromUtf8(text), QMessageBox::Critical);
    } catch (...) {
        std::fputs("Application Error\n", stderr);
    }
    return 1;
}

int TApplication::startup(const std::function<void()>& createMainWindow) noexcept
{
    try {
        createMainWindow();
        return 0;
    } catch (...) {
        return reportStartupFailure(std::current_exception());
    }
}
