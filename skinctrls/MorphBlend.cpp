#include "MorphBlend.h"

#include <QPainter>

QImage morphBlend(const QImage& a, const QImage& b, double k, int /*morphKind*/)
{
    if (a.size() != b.size())
        return a;
    QImage out = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&out);
    p.setOpacity(std::clamp(k, 0.0, 1.0));
    p.drawImage(0, 0, b);
    return out;
}
