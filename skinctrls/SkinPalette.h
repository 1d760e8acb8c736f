#pragma once
// Colours and fonts of the skinned controls: skin colour numbers (0x00BBGGRR), the classic
// system colours of the default faces, and fonts built from a face name and a form-data height.

#include "SkinSection.h"

#include <QColor>
#include <QFont>
#include <QString>

enum class SysColor { BtnFace, BtnShadow, BtnHighlight, BtnText, Window, WindowText, GrayText, Highlight, HighlightText };

QColor sysColor(SysColor which);

// A colour as the skin writes it: 0x00BBGGRR.
QColor colorFromBgr(int bgr);

// Named colours of the default faces.
inline QColor navyFrameColor() { return colorFromBgr(8388608); }
inline QColor hotFillColor() { return colorFromBgr(13811126); }
inline QColor downFillColor() { return colorFromBgr(11899781); }

// A font from a face name and a form-data height (negative = character height in pixels,
// positive = cell height).
QFont makeFont(const QString& face, int height, bool bold = false, bool italic = false);

// The section's font name, height and style (the character set is the platform's own).
QFont skinFont(const SkinFontKeys& keys);

// "Arial", height 14, no style: the default font of the skinned controls.
QFont defaultSkinFont();
