#pragma once
// The four border pieces of a four-point frame: the strips around the client rect, composed
// from a picture for a window of W x H. Shared by the window frame (its border and its mask
// region) and the memo's frame.

#include "SkinGeometry.h"

#include <QImage>

struct FrameBorderPieces {
    QImage top;     // W x CL.top
    QImage bottom;  // W x (picture height - CL.bottom)
    QImage left;    // CL.left x CL'.height
    QImage right;   // (picture width - CL.right) x CL'.height
};

// picture is the whole source image (its size is the skin size); g holds the corner points and
// client rect relative to it, fitted the same moved to W x H. A piece whose condition fails stays
// a null image.
FrameBorderPieces composeFrameBorderPieces(const QImage& picture, const SkinGeometry& g, const FittedGeometry& fitted,
                                           int W, int H);
