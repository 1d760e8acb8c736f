// The preview's print dialog speaks Traditional Chinese (列印, 取消) even in a host that
// did not load Qt's translations, and the plug-in takes them away again when it returns.
// Driven as a user does: Ctrl+P to the preview window, the dialog's buttons read, Esc.

#include "ReportFixture.h"
#include "RptPreview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QPointer>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <dlfcn.h>

#include <gtest/gtest.h>

namespace {
const char* const pluginPath = CUSTPROD_EXEDIR "/libRptPreview.so";
using ShowFormForTestFn = int (*)(const char*, unsigned, char*, size_t);

// "列印(&P)" reads "列印", "&Print" reads "Print".
QString withoutMnemonic(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\(&.\\)"))).remove(QLatin1Char('&'));
}

// A key typed into a window once the current event is done: a key that opens a modal dialog
// must not run its loop inside the timer that typed it (a timer is not re-entered).
void typeLater(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QPointer<QWindow> handle = window->windowHandle();
    QTimer::singleShot(0, [handle, key, modifiers] {
        if (handle)
            QTest::keyClick(handle.data(), key, modifiers);
    });
}
}

TEST(PluginTranslation, PrintDialogButtonsInTraditionalChinese)
{
    ensureApplication();
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_TW.qm")))
        GTEST_SKIP() << "Qt's Traditional Chinese translations are not installed";
    ASSERT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    HandoffDir dir(detailPacket(manyRows(5, 2)),
                   headerPacket(QStringLiteral("客戶區間商品數量表"), QStringLiteral("查詢年月: 2024/01/01～2024/01/31"),
                                QStringLiteral("大同茶業"), QString()));

    QStringList dialogButtons;
    bool printPressed = false;
    bool dialogSeen = false;
    int ticks = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (++ticks > 1000) { // 10 s: close whatever is open
            if (modal && modal->windowHandle())
                typeLater(modal, Qt::Key_Escape);
            return;
        }
        if (!modal || !modal->windowHandle())
            return;
        if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
            if (!print->isVisible())
                return;
            if (dialogSeen)
                return; // its Esc is on its way
            dialogSeen = true;
            for (QAbstractButton* button : print->findChildren<QAbstractButton*>())
                if (button->isVisible() && !button->text().isEmpty())
                    dialogButtons << withoutMnemonic(button->text());
            typeLater(modal, Qt::Key_Escape);
        } else if (modal->objectName() == QLatin1String("RptPreviewWindow") && modal->isVisible()) {
            if (!printPressed) {
                printPressed = true;
                typeLater(modal, Qt::Key_P, Qt::ControlModifier);
            } else if (dialogSeen) {
                typeLater(modal, Qt::Key_Escape);
            }
        }
    });
    driver.start(10);

    void* library = dlopen(pluginPath, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto showForTest = reinterpret_cast<ShowFormForTestFn>(dlsym(library, "ShowFormForTest"));
    ASSERT_NE(showForTest, nullptr);
    char message[512] = "";
    const int pages = showForTest(dir.iniPath().toUtf8().constData(), 0, message, sizeof message);
    driver.stop();
    EXPECT_EQ(dlclose(library), 0);

    EXPECT_GE(pages, 1) << message;
    ASSERT_TRUE(dialogSeen) << "Ctrl+P opened no print dialog";
    const QString texts = dialogButtons.join(QLatin1Char('|'));
    EXPECT_TRUE(dialogButtons.contains(QStringLiteral("列印"))) << texts.toStdString();
    EXPECT_TRUE(dialogButtons.contains(QStringLiteral("取消"))) << texts.toStdString();
    EXPECT_TRUE(dialogButtons.contains(QStringLiteral("屬性"))) << texts.toStdString();
    EXPECT_TRUE(dialogButtons.contains(QStringLiteral("選項 >>"))) << texts.toStdString();
    for (const char* english : {"Print", "Cancel", "Options >>", "Properties"})
        EXPECT_FALSE(dialogButtons.contains(QString::fromLatin1(english))) << english << " in " << texts.toStdString();
    // The host's own texts are as they were.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}
