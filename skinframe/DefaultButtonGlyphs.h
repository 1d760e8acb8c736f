#pragma once
// The small glyphs of the unskinned caption buttons and of the frame's own menu items, drawn
// in a 10 x 9 box from an anchor point.

#include <QColor>
#include <QPoint>

class QPainter;

enum class DefaultGlyph { Close, Maximize, Minimize, Restore, SysMenu, RollUp, RollDown, Tray };

void drawDefaultGlyph(QPainter& p, DefaultGlyph glyph, QPoint anchor, const QColor& color);
