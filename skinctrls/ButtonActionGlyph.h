#pragma once
// The picture a button without a glyph of its own takes from its action: the action's icon
// at the icon's own size, drawn over fuchsia (the colour that glyphs leave transparent).

#include <QIcon>
#include <QImage>

// Null when the icon is.
QImage actionGlyph(const QIcon& icon);
