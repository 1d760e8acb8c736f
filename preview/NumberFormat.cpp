#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

NumberFormat::NumberFormat(const QString& pattern)
{
    empty_ = pattern.trimmed().isEmpty();
    QString text = empty_ ? QStringLiteral("0.########") : pattern;
    int semicolon = text.indexOf(u';');
    positive_ = parseSection(semicolon < 0 ? text : text.left(semicolon));
    if (semicolon >= 0) {
        negative_ = parseSection(text.mid(semicolon + 1));
        hasNegative_ = true;
    }
}

NumberFormat::Section NumberFormat::parseSection(const QString& text)
{
    Section section;
    auto isPatternChar = [](QChar c) { return c == u'#' || c == u'0' || c == u',' || c == u'.'; };
    int first = 0;
    while (first < text.size() && !isPatternChar(text[first]))
        ++first;
    int last = first;
    while (last < text.size() && isPatternChar(text[last]))
        ++last;
    section.prefix = text.left(first);
    section.suffix = text.mid(last);
    QString digits = text.mid(first, last - first);
    int dot = digits.indexOf(u'.');
    QString integerPart = dot < 0 ? digits : digits.left(dot);
    QString fraction = dot < 0 ? QString() : digits.mid(dot + 1);
    section.grouping = integerPart.contains(u',');
    section.minIntegerDigits = std::max<int>(integerPart.count(u'0'), 1);
    section.minDecimals = fraction.count(u'0');
    section.maxDecimals = std::min<int>(fraction.count(u'0') + fraction.count(u'#'), 15);
    return section;
}

QString NumberFormat::formatAbs(const Section& section, double value)
{
    QString digits = QString::number(value, 'f', section.maxDecimals);
    int dot = digits.indexOf(u'.');
    QString integerPart = dot < 0 ? digits : digits.left(dot);
    QString fraction = dot < 0 ? QString() : digits.mid(dot + 1);
    while (fraction.size() > section.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    while (integerPart.size() < section.minIntegerDigits)
        integerPart.prepend(u'0');
    if (section.grouping)
        for (int i = integerPart.size() - 3; i > 0; i -= 3)
            integerPart.insert(i, u',');
    QString result = section.prefix + integerPart;
    if (!fraction.isEmpty())
        result += u'.' + fraction;
    return result + section.suffix;
}

bool NumberFormat::showsNegative(double value) const
{
    // Decided on the digits as they will be shown, so that -0.001 is not "-0.00".
    if (!(value < 0))
        return false;
    QString digits = QString::number(std::fabs(value), 'f', positive_.maxDecimals);
    return std::any_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
}

QString NumberFormat::format(double value) const
{
    if (std::isnan(value))
        return {};
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("∞") : QStringLiteral("-∞");
    const Section& plain = positive_;
    double magnitude = std::fabs(value);
    if (!showsNegative(value))
        return formatAbs(plain, magnitude);
    if (hasNegative_)
        return formatAbs(negative_, magnitude);
    return u'-' + formatAbs(plain, magnitude);
}
