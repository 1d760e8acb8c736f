// The plug-in's entry points. The program loads the library for one report and unloads it
// after, so nothing here may outlive a call: no static objects, no exit handlers, no Qt
// resources or meta types registered from this library; every window and timer is gone
// before a call returns.

#include "RptPreview.h"

#include "ErrorBox.h"
#include "Exception.h"
#include "PageView.h"
#include "PreviewWindow.h"
#include "QtTranslation.h"
#include "ReportLoader.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

constexpr int closeAtOnceMaxTries = 500; // 10 ms apart: at most 5 s until the first paint

struct Outcome {
    int pages = -1;
    QString error;
};

Outcome runPreview(const QString& iniPath, bool closeAtOnce)
{
    Outcome outcome;
    // A host without an application object gets one for the length of the call.
    int argc = 1;
    char name[] = "RptPreview";
    char* argv[] = {name, nullptr};
    std::optional<QApplication> ownApp;
    if (!QCoreApplication::instance())
        ownApp.emplace(argc, argv);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        outcome.error = QStringLiteral("The report preview needs a widget application (QApplication).");
        return outcome;
    }
    // The print dialog and the message boxes in Chinese also for a host that did not load
    // Qt's translations; removed again before the call returns.
    const QtTranslation qtTexts(true);

    std::unique_ptr<ReportDocument> document;
    try {
        document = ReportLoader::load(iniPath, QDateTime::currentDateTime());
    } catch (const std::exception& e) {
        outcome.error = QString::fromUtf8(e.what());
        return outcome;
    }

    {
        PreviewWindow window(*document, QApplication::activeWindow());
        if (closeAtOnce) {
            auto* poll = new QTimer(&window);
            // The count lives in the lambda: the timer fires long after this block has ended.
            QObject::connect(poll, &QTimer::timeout, &window, [&window, tries = 0]() mutable {
                if (window.pageView()->hasPainted() || ++tries >= closeAtOnceMaxTries)
                    window.accept();
            });
            poll->start(10);
        }
        window.exec();
        outcome.pages = document->pageCount();
    }
    // Objects of this library queued for deletion must go while its code is still loaded.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return outcome;
}

QString iniPathOrDefault(const char* iniPath)
{
    return iniPath ? QString::fromUtf8(iniPath) : ReportLoader::defaultIniPath();
}

}

extern "C" void ShowForm()
{
    try {
        Outcome outcome = runPreview(ReportLoader::defaultIniPath(), false);
        if (!outcome.error.isEmpty()) {
            const QtTranslation qtTexts(true);
            ErrorBox::show(QApplication::activeWindow(), QStringLiteral("無法顯示報表。\n\n%1").arg(outcome.error));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "RptPreview: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "RptPreview: unexpected failure\n");
    }
}

extern "C" int ShowFormForTest(const char* iniPath, unsigned flags, char* message, size_t messageSize)
{
    Outcome outcome;
    try {
        outcome = runPreview(iniPathOrDefault(iniPath), (flags & RPTPREVIEW_CLOSE_AT_ONCE) != 0);
    } catch (const std::exception& e) {
        outcome.error = QString::fromUtf8(e.what());
    } catch (...) {
        outcome.error = QStringLiteral("unexpected failure");
    }
    if (message && messageSize > 0) {
        QByteArray text = outcome.error.toUtf8();
        size_t length = std::min(messageSize - 1, size_t(text.size()));
        std::memcpy(message, text.constData(), length);
        message[length] = '\0';
    }
    return outcome.error.isEmpty() ? outcome.pages : -1;
}
