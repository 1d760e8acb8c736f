#include "ButtonPainting.h"

#include "SkinCompose.h"
#include "SkinPalette.h"

void DrawGlyphAndText(QPainter& p, const SkinRect& rect, int margin, bool downShift, int glyphIndex, int numGlyphs,
                      const QImage& glyph, const QString& text, TbsButtonLayout layout, int spacing)
{
    const QSize glyphSize = glyph.isNull() || numGlyphs < 1 ? QSize(0, 0)
                                                            : QSize(glyph.width() / numGlyphs, glyph.height());
    const int flags = Qt::TextShowMnemonic;
    const QRect measured = p.fontMetrics().boundingRect(QRect(), flags, text);
    const QSize textSize = text.isEmpty() ? QSize(0, 0) : measured.size();
    const GlyphTextPlacement at = layoutGlyphAndText(rect, margin, downShift, glyphSize, textSize, layout, spacing);
    if (!text.isEmpty()) {
        const QRect box(at.text.x(), at.text.y(), textSize.width() + 2, textSize.height());
        p.drawText(box, flags | Qt::AlignCenter, text);
    }
    if (!glyph.isNull())
        DrawGlyphFrame(p, at.glyph.x(), at.glyph.y(), glyphIndex, numGlyphs, glyph);
}

int glyphFrameChoice(bool down, bool active, bool enabled, int numGlyphs)
{
    if (down && active && numGlyphs > 2)
        return 3;
    if (active && numGlyphs > 3)
        return 4;
    if (!enabled && numGlyphs > 1)
        return 2;
    return 1;
}

int stateFontColor(const SkinSection& section, bool enabled, bool down, bool active)
{
    if (!enabled)
        return section.disabledFontColor;
    if (down && active)
        return section.downFontColor;
    if (active)
        return section.activeFontColor;
    return section.font.color;
}

void drawDefaultButtonFace(QPainter& p, const QRect& r, DefaultButtonLook look)
{
    QColor frame = sysColor(SysColor::BtnShadow), fill = sysColor(SysColor::BtnFace);
    if (look == DefaultButtonLook::Down) {
        frame = navyFrameColor();
        fill = downFillColor();
    } else if (look == DefaultButtonLook::Hot) {
        frame = navyFrameColor();
        fill = hotFillColor();
    }
    p.fillRect(r, fill);
    if (look != DefaultButtonLook::Flat) {
        p.setPen(frame);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}
