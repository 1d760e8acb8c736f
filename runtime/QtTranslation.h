#pragma once
// Qt's own texts (the buttons of message boxes, the print and file dialogs) in Traditional
// Chinese, like every text of the program, whatever the desktop's language: "確定" and
// "取消" rather than "OK" and "Cancel". The texts come from Qt's translation files
// (qtbase_zh_TW.qm, Debian's qt6-translations-l10n). Without them Qt's texts stay English;
// that is never an error.

#include <QString>

#include <memory>

class QTranslator;

class QtTranslation {
public:
    // Loads the translations and installs them into the running application (none: nothing
    // happens). With `onlyWhenMissing`, nothing is loaded when the application already has
    // them (a plug-in inside the program).
    explicit QtTranslation(bool onlyWhenMissing = false);
    // Removes the translations again.
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    bool installed() const { return translator_ != nullptr; }

    // The directory Qt's translation files are read from.
    static QString directory();
    // True when Qt's standard texts come out in Chinese in this application now.
    static bool active();

private:
    std::unique_ptr<QTranslator> translator_;
};
