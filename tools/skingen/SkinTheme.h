#pragma once
// The colours and frame geometry of one of our skins. Both skins share the control pictures'
// layout; they differ in colours, frame size, mask and caption-button placement.

#include <QColor>
#include <QString>

struct SkinTheme {
    QString name;

    // Frame
    int width = 0, height = 0;   // main picture
    int captionHeight = 0;       // caption bar, also the client rect's top
    int border = 0;              // left, right and bottom border
    bool roundedMask = false;    // a 1-bit mask rounds the outer corners
    int cornerRadius = 0;
    int buttonSize = 0;          // caption buttons are square
    QColor outline, frameFace, frameLight, frameShadow;
    QColor captionTop, captionBottom, captionLine;
    QColor clientFace;

    // Caption text
    QColor captionText, captionTextActive;

    // Controls and glyphs
    QColor accent, accentDark, accentLight;
    QColor controlFace, controlFaceTop, controlBorder, fieldFace, text, disabledText;
    QColor hotFace, pressedFace, closeHot, closePressed;
    QColor glyph, glyphHot;
};
