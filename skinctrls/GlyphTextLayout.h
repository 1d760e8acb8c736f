#pragma once
// Where a button puts its glyph and its caption: pure layout arithmetic (divisions truncate
// toward zero, as the rest of the skin geometry does).

#include "SkinRect.h"

#include <QPoint>
#include <QSize>

enum class TbsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct GlyphTextPlacement {
    QPoint glyph;  // top-left of the glyph frame
    QPoint text;   // top-left of the text
};

// glyphSize: one frame (0 x 0 without glyph); textSize: the measured caption.
// margin -1 centres glyph and caption as one block.
GlyphTextPlacement layoutGlyphAndText(const SkinRect& rect, int margin, bool downShift, QSize glyphSize,
                                      QSize textSize, TbsButtonLayout layout, int spacing);
