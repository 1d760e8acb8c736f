// Qt's own texts in the program's language: the message box of "查無符合資料,請重新查詢..."
// says 確定, not OK, while the translations are installed, and English again once they go.

#include "QtTranslation.h"
#include "TestQtApp.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

bool translationsInstalled()
{
    return QFile::exists(QtTranslation::directory() + QStringLiteral("/qtbase_zh_TW.qm"));
}

QString okButtonText()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("客戶區間商品數量表"), QStringLiteral("查無符合資料,請重新查詢..."),
                    QMessageBox::Ok);
    return box.button(QMessageBox::Ok)->text();
}

}

TEST(QtTranslation, StandardButtonsSpeakTraditionalChineseWhileInstalled)
{
    testQtApp();
    if (!translationsInstalled())
        GTEST_SKIP() << "qtbase_zh_TW.qm is not in " << QtTranslation::directory().toStdString();
    ASSERT_EQ(okButtonText(), QStringLiteral("OK"));
    {
        const QtTranslation translation;
        ASSERT_TRUE(translation.installed());
        EXPECT_TRUE(QtTranslation::active());
        EXPECT_EQ(okButtonText(), QStringLiteral("確定"));
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));

        // A plug-in inside a program that has them loads no second copy.
        const QtTranslation inPlugin(true);
        EXPECT_FALSE(inPlugin.installed());
    }
    EXPECT_FALSE(QtTranslation::active());
    EXPECT_EQ(okButtonText(), QStringLiteral("OK"));
}
