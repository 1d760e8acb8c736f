#pragma once
// Fitting a skin image to any size: the composition helpers shared by the skinned controls and
// the window frame. Every copy is 1:1 (nothing is scaled); a repeated stretch follows the tiling
// rule: a span of length S takes S div T + 1 tiles of length T from its start, and the tile that
// would pass the span's end is cut there (its source cut by the same amount on its far side).
// Pure functions on QImage and QRegion; a zero tile length draws nothing along that span.

#include "SkinGeometry.h"
#include "SkinRect.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

// The format of every composed image: 32-bit, so that blank parts stay transparent.
inline constexpr QImage::Format kSkinImageFormat = QImage::Format_ARGB32_Premultiplied;

// Copies picture[src] 1:1 to (x, y), replacing the destination pixels.
void copySkinPiece(QPainter& p, const QImage& picture, const SkinRect& src, int x, int y);

// Tiles picture[src] over dest in columns and rows, starting at dest's top-left, the last column
// and row cut at dest's right and bottom.
void tileSkinPiece(QPainter& p, const QImage& picture, const SkinRect& src, const SkinRect& dest);

// A W x H image: corners fixed, edges tiled between the points, the centre tiled when fillCentre.
// All points and rects are relative to source's top-left; blank when RB.x = LT.x, RB.y = LT.y
// or the picture is empty.
QImage ComposeFourPointImage(int W, int H, const QImage& picture, const SkinRect& source, const SkinGeometry& g,
                             const FittedGeometry& fitted, bool fillCentre);

// W x source height: leftLen and rightLen columns fixed at the ends, the middle tiled.
QImage ComposeHorizontalImage(int W, const QImage& picture, const SkinRect& source, int leftLen, int rightLen);

// source width x H: topLen and bottomLen rows fixed at the ends, the middle tiled.
QImage ComposeVerticalImage(int H, const QImage& picture, const SkinRect& source, int topLen, int bottomLen);

// Every maximal horizontal run of black pixels (red + green + blue = 0) becomes a one-pixel-high
// rect moved by (dx, dy). Runs are not capped: a mask with many runs keeps all of them.
QRegion MaskToRegion(const QImage& mask, int dx, int dy);

// The window outline of a four-point section at size W x H: the fitted client rect united with
// the black parts of the mask's four border pieces. Empty (no shaping) when RT'.x < LT'.x or
// LB'.y < LT'.y.
QRegion FourPointMaskRegion(const QImage& mask, const SkinGeometry& g, const FittedGeometry& fitted, int W, int H);

// Frame `index` (1-based) of a strip of `count` glyph frames, drawn at (x, y) with the colour of
// the frame's bottom-left pixel transparent. Nothing for an empty glyph.
void DrawGlyphFrame(QPainter& p, int x, int y, int index, int count, const QImage& glyph);

// The glyph frame as an image with its transparent colour keyed out (for layout code that only
// needs the picture).
QImage glyphFrameImage(int index, int count, const QImage& glyph);
