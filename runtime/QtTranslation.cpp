#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QtTranslation::QtTranslation(bool onlyWhenMissing)
{
    if (!QCoreApplication::instance() || (onlyWhenMissing && active()))
        return;
    auto translator = std::make_unique<QTranslator>();
    const QLocale taiwan(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
    if (!translator->load(taiwan, QStringLiteral("qtbase"), QStringLiteral("_"), directory()))
        return;
    if (QCoreApplication::installTranslator(translator.get()))
        translator_ = std::move(translator);
}

QtTranslation::~QtTranslation()
{
    if (translator_ && QCoreApplication::instance())
        QCoreApplication::removeTranslator(translator_.get());
}

QString QtTranslation::directory()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool QtTranslation::active()
{
    // The OK button's text: the one every message box shows.
    return QCoreApplication::translate("QPlatformTheme", "OK") != QLatin1String("OK");
}
