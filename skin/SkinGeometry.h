#pragma once
// The geometry of a resizable skin section and how it follows the control's size: the stretch
// kind, FitToSkin and MapSkinRect. Pure functions, no widgets.

#include "SkinRect.h"

#include <QPoint>

enum class TbsSkinStretchKind { stUnusable = -1, stFixed = 0, stFourPoint = 1, stHorizontal = 2, stVertical = 3 };

// The section's four points and client rect (relative to the top-left of "skinrect") and
// "skinrect" itself.
struct SkinGeometry {
    QPoint leftTop, rightTop, leftBottom, rightBottom;
    SkinRect skinRect;
    SkinRect clientRect;

    int skinWidth() const { return skinRect.width(); }
    int skinHeight() const { return skinRect.height(); }
};

// The four points and the client rect moved to the control's current size.
struct FittedGeometry {
    QPoint leftTop, rightTop, leftBottom, rightBottom;
    SkinRect clientRect;
};

TbsSkinStretchKind stretchKindOf(const SkinGeometry& g);

// The fitted geometry of the section at its own size (nothing moved).
FittedGeometry unfittedGeometry(const SkinGeometry& g);

// FitToSkin: may change width/height (fixed sizes) and returns the fitted geometry.
// For stUnusable the previous fitted geometry is kept, so it is passed in.
FittedGeometry fitToSkin(TbsSkinStretchKind kind, const SkinGeometry& g, const FittedGeometry& previous,
                         int& width, int& height);

// MapSkinRect: a rect in skin coordinates moved to a control of width x height.
SkinRect mapSkinRect(TbsSkinStretchKind kind, const SkinGeometry& g, const SkinRect& r, int width, int height);
