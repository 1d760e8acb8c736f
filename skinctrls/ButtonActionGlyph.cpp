#include "ButtonActionGlyph.h"

#include <QPainter>

QImage actionGlyph(const QIcon& icon)
{
    if (icon.isNull())
        return {};
    const QList<QSize> sizes = icon.availableSizes();
    const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
    QImage glyph(size, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));
    QPainter painter(&glyph);
    painter.drawPixmap(0, 0, icon.pixmap(size));
    return glyph;
}
