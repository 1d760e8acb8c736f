#include "SkinMenuEntry.h"

SkinMenuEntry* SkinMenuEntry::add(std::string name, QString caption, QKeySequence shortCut)
{
    auto entry = std::make_unique<SkinMenuEntry>();
    entry->Name = std::move(name);
    entry->Caption = std::move(caption);
    entry->ShortCut = shortCut;
    Items.push_back(std::move(entry));
    return Items.back().get();
}

QChar SkinMenuEntry::accelerator() const
{
    for (qsizetype i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != QLatin1Char('&'))
            continue;
        if (Caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return Caption[i + 1].toLower();
    }
    return {};
}

QString SkinMenuEntry::displayCaption() const
{
    QString out;
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == QLatin1Char('&') && i + 1 < Caption.size()) {
            ++i;
        }
        out += Caption[i];
    }
    return out;
}

void SkinMenuEntry::Click()
{
    if (OnClick)
        OnClick(this);
}
