#pragma once
// Drawing shared by the push button and the speed button: glyph and caption together, and the
// unskinned faces.

#include "GlyphTextLayout.h"
#include "SkinSection.h"

#include <QImage>
#include <QPainter>
#include <QString>

// The painter's font and pen are the caller's. "&" marks the accelerator.
void DrawGlyphAndText(QPainter& p, const SkinRect& rect, int margin, bool downShift, int glyphIndex, int numGlyphs,
                      const QImage& glyph, const QString& text, TbsButtonLayout layout, int spacing);

// Frame 3 down and active (more than 2 frames), 4 active (more than 3), 2 disabled (more than 1),
// else 1.
int glyphFrameChoice(bool down, bool active, bool enabled, int numGlyphs);

// The caption colour of a skinned state image (a BGR number of the section): disabled, else down
// and active, else active, else the plain font colour.
int stateFontColor(const SkinSection& section, bool enabled, bool down, bool active);

enum class DefaultButtonLook { Down, Hot, Normal, Flat };
// The unskinned face: one-pixel frame and fill by look.
void drawDefaultButtonFace(QPainter& p, const QRect& r, DefaultButtonLook look);
