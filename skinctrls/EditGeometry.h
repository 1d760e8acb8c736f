#pragma once
// Where the skinned edit puts its text and its button for a given width: pure arithmetic on
// the "edit"/"buttonedit" section, so that it can be checked without a screen.

#include "SkinRect.h"

#include <QPoint>

struct EditGeometry {
    SkinRect textRect;     // where the native edit sits (window coordinates)
    SkinRect buttonPlace;  // where the button is drawn (window coordinates)
};

// Skinned: clientRect, buttonRect and the right-top point of the section, skin width and the
// control's width.
EditGeometry skinnedEditGeometry(const SkinRect& clientRect, const SkinRect& buttonRect, QPoint rightTop,
                                 int skinWidth, int width);

// Unskinned, W x H.
EditGeometry defaultEditGeometry(int width, int height, bool buttonMode);
