#include "CaptionText.h"

QString shortenCaption(const QString& text, int width, const std::function<int(const QString&)>& textWidth)
{
    if (textWidth(text) <= width)
        return text;
    // Characters outside the basic plane are two UTF-16 units; never cut one in half.
    QString body = text;
    while (!body.isEmpty()) {
        int cut = 1;
        if (body.size() >= 2 && body.back().isLowSurrogate() && body.at(body.size() - 2).isHighSurrogate())
            cut = 2;
        body.chop(cut);
        const QString candidate = body + QStringLiteral("...");
        if (!body.isEmpty() && textWidth(candidate) <= width)
            return candidate;
    }
    return QStringLiteral("...");
}
