#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace ErrorBox {

void show(QWidget* parent, const QString& text)
{
    const QString caption = QStringLiteral("報表預覽");
    bool canAsk = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
                  QGuiApplication::platformName() != QLatin1String("offscreen") &&
                  QGuiApplication::platformName() != QLatin1String("minimal");
    if (!canAsk) {
        std::fprintf(stderr, "[message box] %s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
        std::fflush(stderr);
        return;
    }
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

}
