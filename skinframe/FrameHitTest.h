#pragma once
// Hit testing of the frame: which part of the window a point is on (the codes the window
// commands use: client, caption, the eight borders, or a frame object), and whether a point
// lies inside the outline that the skin's mask gives the window. Pure functions in window
// coordinates.

#include "FrameGeometry.h"

#include <QImage>
#include <QRegion>
#include <functional>

enum FrameHitCode {
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
    HTOBJECT = 19, // a frame object or plain frame: no move, no size
};

// The mask picture composed for the window's size: four pieces around the mask rect area M'.
struct FrameMaskPieces {
    QImage top, bottom, left, right;
    SkinRect maskRect; // M'
    bool isNull() const { return top.isNull() && bottom.isNull() && left.isNull() && right.isNull(); }
};

FrameMaskPieces composeFrameMaskPieces(const QImage& mask, const FrameSkinMetrics& skin, const FrameGeometry& g);
// M' united with the black parts of the pieces.
QRegion frameMaskRegion(const FrameMaskPieces& pieces);
// Inside the outline: in M', or black in the piece that covers the point.
bool pointOnMask(const FrameMaskPieces& pieces, QPoint p);

struct SkinnedHitTest {
    const FrameGeometry* geometry = nullptr;
    int borderWidth = 0;
    bool rolledUpOrMinimized = false;
    bool maximized = false;
    bool sizeable = true;
    bool objectHovered = false;
    const FrameMaskPieces* mask = nullptr; // null or empty: no mask
    std::function<bool(QPoint)> inCaptionObject;
};
int skinnedHitTest(const SkinnedHitTest& in, QPoint p);

struct UnskinnedHitTest {
    int width = 0;
    int height = 0;
    bool normalAndSizeable = true; // not maximized, rolled up or minimized, and sizeable
    bool objectHovered = false;
    SkinRect captionRect;          // the default caption rect, left of the default buttons
    int captionHeight = 19;
};
int unskinnedHitTest(const UnskinnedHitTest& in, QPoint p);

// The border edges a resize code stands for; none for the other codes.
Qt::Edges edgesOfHitCode(int code);
