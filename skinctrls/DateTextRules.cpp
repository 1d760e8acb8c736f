#include "DateTextRules.h"

#include "FormatSettings.h"

#include <QStringList>

namespace {

QStringList splitParts(const QString& text, QChar separator)
{
    QStringList parts{QString()};
    for (QChar c : text) {
        if (c == separator)
            parts << QString();
        else
            parts.last() += c;
    }
    return parts;
}

}  // namespace

bool dateEditAcceptsChar(QChar c)
{
    const ushort u = c.unicode();
    if (u == 8 || u == 13)
        return false;
    if (c.isDigit() && u >= '0' && u <= '9')
        return true;
    return u < 32 || u == 127;
}

bool isValidDateText(const QString& text, const FormatSettings& settings)
{
    const QChar sep = settings.dateSeparator;
    const QStringList reference =
        splitParts(settings.formatDate(settings.shortDateFormat, QDate(9999, 12, 31)), sep);
    // Roles by the reference's parts; each defaults to the first part.
    int yearPart = 0, monthPart = 0, dayPart = 0;
    for (int i = 0; i < reference.size(); ++i) {
        if (reference[i] == QLatin1String("12"))
            monthPart = i;
        else if (reference[i] == QLatin1String("31"))
            dayPart = i;
        else if (reference[i] == QLatin1String("99") || reference[i] == QLatin1String("9999"))
            yearPart = i;
    }
    const QStringList typed = splitParts(text, sep);
    auto part = [&](int i) { return i < typed.size() ? typed[i] : QString(); };

    if (strToInt(part(yearPart)) == 0 && part(yearPart).size() >= 2)
        return false;
    if (strToInt(part(monthPart)) < 1 || strToInt(part(dayPart)) < 1)
        return false;
    for (int i = 0; i < reference.size() && i < typed.size(); ++i)
        if (strToInt(typed[i]) > strToInt(reference[i]))
            return false;
    return true;
}
