#include "FrameHitTest.h"

#include "FrameBorderPieces.h"
#include "SkinCompose.h"

FrameMaskPieces composeFrameMaskPieces(const QImage& mask, const FrameSkinMetrics& s, const FrameGeometry& g)
{
    FrameMaskPieces pieces;
    pieces.maskRect = g.maskRectArea;
    if (mask.isNull())
        return pieces;
    // The mask is composed like the border, with the mask rect area in place of the client rect.
    SkinGeometry sg;
    sg.leftTop = s.leftTop;
    sg.rightTop = s.rightTop;
    sg.leftBottom = s.leftBottom;
    sg.rightBottom = s.rightBottom;
    sg.skinRect = SkinRect(0, 0, mask.width(), mask.height());
    sg.clientRect = s.maskRectArea;
    FittedGeometry fitted{g.leftTop, g.rightTop, g.leftBottom, g.rightBottom, g.maskRectArea};
    const QImage opaque = mask.convertToFormat(QImage::Format_RGB32);
    FrameBorderPieces b = composeFrameBorderPieces(opaque, sg, fitted, g.width, g.height);
    pieces.top = b.top;
    pieces.bottom = b.bottom;
    pieces.left = b.left;
    pieces.right = b.right;
    return pieces;
}

QRegion frameMaskRegion(const FrameMaskPieces& p)
{
    QRegion region;
    const SkinRect& m = p.maskRect;
    if (!m.isEmpty())
        region = m.toQRect();
    region += MaskToRegion(p.top, 0, 0);
    region += MaskToRegion(p.bottom, 0, m.bottom);
    region += MaskToRegion(p.left, 0, m.top);
    region += MaskToRegion(p.right, m.right, m.top);
    return region;
}

namespace {

bool blackAt(const QImage& img, int x, int y)
{
    if (img.isNull() || x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return false;
    return (img.pixel(x, y) & 0x00ffffff) == 0;
}

}

bool pointOnMask(const FrameMaskPieces& p, QPoint pt)
{
    const SkinRect& m = p.maskRect;
    const int x = pt.x(), y = pt.y();
    if (m.containsExclusive(pt))
        return true;
    if (y < m.top)
        return blackAt(p.top, x, y);
    if (y >= m.bottom)
        return blackAt(p.bottom, x, y - m.bottom);
    if (x > m.left)
        return blackAt(p.right, x - m.right, y - m.top);
    return blackAt(p.left, x, y - m.top);
}

int skinnedHitTest(const SkinnedHitTest& in, QPoint p)
{
    const FrameGeometry& g = *in.geometry;
    const bool inCaption = in.inCaptionObject && in.inCaptionObject(p);
    if (in.rolledUpOrMinimized)
        return inCaption ? HTCAPTION : HTOBJECT;
    const bool inClient = g.clientRect.containsExclusive(p);
    if (in.objectHovered && !inCaption && !inClient)
        return HTOBJECT;
    if (!in.maximized && in.sizeable) {
        const int bw = in.borderWidth;
        const QPoint probes[] = {{p.x() - bw, p.y()}, {p.x(), p.y() - bw}, {p.x() + bw, p.y()}, {p.x(), p.y() + bw}};
        bool onBorder = false;
        const bool hasMask = in.mask && !in.mask->isNull();
        if (!hasMask) {
            const SkinRect window(0, 0, g.width, g.height);
            for (QPoint q : probes)
                onBorder = onBorder || !window.containsExclusive(q);
        } else if (!in.mask->maskRect.containsExclusive(p)) {
            for (QPoint q : probes)
                onBorder = onBorder || !pointOnMask(*in.mask, q);
        }
        if (!onBorder) {
            if (inClient)
                return HTCLIENT;
            return inCaption ? HTCAPTION : HTOBJECT;
        }
        const int x = p.x(), y = p.y();
        if (x <= g.hitLeftTop.x() && y <= g.hitLeftTop.y())
            return HTTOPLEFT;
        if (x >= g.hitRightTop.x() && y <= g.hitRightTop.y())
            return HTTOPRIGHT;
        if (x <= g.hitLeftBottom.x() && y >= g.hitLeftBottom.y())
            return HTBOTTOMLEFT;
        if (x >= g.hitRightBottom.x() && y >= g.hitRightBottom.y())
            return HTBOTTOMRIGHT;
        if (SkinRect(g.hitLeftTop.x(), 0, g.hitRightTop.x(), g.clientRect.top).containsExclusive(p))
            return HTTOP;
        if (SkinRect(g.hitLeftBottom.x(), g.clientRect.bottom, g.hitRightBottom.x(), g.height).containsExclusive(p))
            return HTBOTTOM;
        if (SkinRect(0, g.hitLeftTop.y(), g.clientRect.left, g.hitLeftBottom.y()).containsExclusive(p))
            return HTLEFT;
        if (SkinRect(g.clientRect.right, g.hitRightTop.y(), g.width, g.hitRightBottom.y()).containsExclusive(p))
            return HTRIGHT;
        // On the border but in none of the areas: treat as the frame itself.
    }
    if (inClient)
        return HTCLIENT;
    return inCaption ? HTCAPTION : HTOBJECT;
}

int unskinnedHitTest(const UnskinnedHitTest& in, QPoint p)
{
    const int x = p.x(), y = p.y(), W = in.width, H = in.height;
    if (in.normalAndSizeable) {
        if (in.objectHovered)
            return HTOBJECT;
        if (x <= 2 && y <= 2)
            return HTTOPLEFT;
        if (x >= W - 2 && y <= 2)
            return HTTOPRIGHT;
        if (x <= 2 && y >= H - 2)
            return HTBOTTOMLEFT;
        if (x >= W - 2 && y >= H - 2)
            return HTBOTTOMRIGHT;
        if (x <= 2)
            return HTLEFT;
        if (y <= 2)
            return HTTOP;
        if (x >= W - 2)
            return HTRIGHT;
        if (y >= H - 2)
            return HTBOTTOM;
    }
    if (in.captionRect.containsExclusive(p))
        return HTCAPTION;
    if (SkinRect(3, in.captionHeight + 3, W - 3, H - 3).containsExclusive(p))
        return HTCLIENT;
    return HTOBJECT;
}

Qt::Edges edgesOfHitCode(int code)
{
    switch (code) {
    case HTLEFT: return Qt::LeftEdge;
    case HTRIGHT: return Qt::RightEdge;
    case HTTOP: return Qt::TopEdge;
    case HTBOTTOM: return Qt::BottomEdge;
    case HTTOPLEFT: return Qt::TopEdge | Qt::LeftEdge;
    case HTTOPRIGHT: return Qt::TopEdge | Qt::RightEdge;
    case HTBOTTOMLEFT: return Qt::BottomEdge | Qt::LeftEdge;
    case HTBOTTOMRIGHT: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
    }
}
