#include "DefaultButtonGlyphs.h"

#include <QPainter>

namespace {

// A box with a two-pixel top edge.
void box(QPainter& p, int x, int y, int w, int h, const QColor& c)
{
    p.fillRect(x, y, w, 2, c);
    p.fillRect(x, y, 1, h, c);
    p.fillRect(x + w - 1, y, 1, h, c);
    p.fillRect(x, y + h - 1, w, 1, c);
}

}

void drawDefaultGlyph(QPainter& p, DefaultGlyph glyph, QPoint a, const QColor& c)
{
    const int x = a.x(), y = a.y();
    switch (glyph) {
    case DefaultGlyph::Close:
        for (int i = 0; i < 8; ++i) {
            p.fillRect(x + 1 + i, y + i, 2, 1, c);
            p.fillRect(x + 8 - i, y + i, 2, 1, c);
        }
        break;
    case DefaultGlyph::Maximize: box(p, x, y, 10, 9, c); break;
    case DefaultGlyph::Minimize: p.fillRect(x + 1, y + 7, 7, 2, c); break;
    case DefaultGlyph::Restore:
        box(p, x + 3, y, 7, 6, c);
        p.fillRect(x, y + 3, 7, 6, QColor(0, 0, 0, 0));
        box(p, x, y + 3, 7, 6, c);
        break;
    case DefaultGlyph::SysMenu: box(p, x + 2, y + 2, 6, 5, c); break;
    case DefaultGlyph::RollUp:
        for (int row = 0; row < 5; ++row)
            p.fillRect(x + 5 - row, y + 2 + row, 1 + 2 * row, 1, c);
        break;
    case DefaultGlyph::RollDown:
        for (int row = 0; row < 5; ++row)
            p.fillRect(x + 1 + row, y + 2 + row, 9 - 2 * row, 1, c);
        break;
    case DefaultGlyph::Tray:
        p.fillRect(x + 1, y + 6, 8, 3, c);
        p.fillRect(x + 3, y + 2, 4, 2, c);
        break;
    }
}
