#include "SkinCompose.h"

#include "FrameBorderPieces.h"

#include <vector>

namespace {

bool validSource(const QImage& picture, const SkinRect& src)
{
    return !picture.isNull() && !src.isEmpty();
}

// Tiles along one axis with cutting; calls place(destStart, tileLength) for each non-empty tile.
template <typename Place>
void forEachTile(int spanStart, int spanEnd, int tileLength, Place place)
{
    if (tileLength <= 0)
        return;
    const int span = spanEnd - spanStart;
    if (span < 0)
        return;
    const int count = span / tileLength + 1;
    for (int k = 0; k < count; ++k) {
        const int start = spanStart + k * tileLength;
        const int length = std::min(tileLength, spanEnd - start);
        if (length > 0)
            place(start, length);
    }
}

QImage blankImage(int w, int h)
{
    if (w <= 0 || h <= 0)
        return QImage();
    QImage img(w, h, kSkinImageFormat);
    img.fill(Qt::transparent);
    return img;
}

}  // namespace

void copySkinPiece(QPainter& p, const QImage& picture, const SkinRect& src, int x, int y)
{
    if (!validSource(picture, src))
        return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(x, y), picture, src.toQRect());
    p.restore();
}

void tileSkinPiece(QPainter& p, const QImage& picture, const SkinRect& src, const SkinRect& dest)
{
    if (!validSource(picture, src) || dest.isEmpty())
        return;
    forEachTile(dest.left, dest.right, src.width(), [&](int x, int w) {
        forEachTile(dest.top, dest.bottom, src.height(), [&](int y, int h) {
            copySkinPiece(p, picture, SkinRect(src.left, src.top, src.left + w, src.top + h), x, y);
        });
    });
}

QImage ComposeFourPointImage(int W, int H, const QImage& picture, const SkinRect& source, const SkinGeometry& g,
                             const FittedGeometry& f, bool fillCentre)
{
    QImage dest = blankImage(W, H);
    if (dest.isNull())
        return dest;
    if (g.rightBottom.x() == g.leftTop.x() || g.rightBottom.y() == g.leftTop.y() || picture.isNull())
        return dest;

    const int SW = source.width(), SH = source.height();
    const QPoint o(source.left, source.top);
    auto src = [&](int l, int t, int r, int b) { return SkinRect(l, t, r, b).translated(o.x(), o.y()); };
    const SkinRect& c = g.clientRect;
    const SkinRect& c2 = f.clientRect;

    QPainter p(&dest);
    // Edges: each tile is the strip between two points, repeated between the fitted points.
    tileSkinPiece(p, picture, src(g.leftTop.x(), 0, g.rightTop.x(), c.top),
                  SkinRect(f.leftTop.x(), 0, f.rightTop.x(), c2.top));
    tileSkinPiece(p, picture, src(g.leftBottom.x(), c.bottom, g.rightBottom.x(), SH),
                  SkinRect(f.leftBottom.x(), c2.bottom, f.rightBottom.x(), H));
    tileSkinPiece(p, picture, src(0, g.leftTop.y(), c.left, g.leftBottom.y()),
                  SkinRect(0, f.leftTop.y(), c2.left, f.leftBottom.y()));
    tileSkinPiece(p, picture, src(c.right, g.rightTop.y(), SW, g.rightBottom.y()),
                  SkinRect(c2.right, f.rightTop.y(), W, f.rightBottom.y()));

    // The eight fixed pieces, in this order.
    copySkinPiece(p, picture, src(0, 0, g.leftTop.x(), c.top), 0, 0);
    copySkinPiece(p, picture, src(0, c.top, c.left, g.leftTop.y()), 0, c2.top);
    copySkinPiece(p, picture, src(g.rightTop.x(), 0, SW, c.top), f.rightTop.x(), 0);
    copySkinPiece(p, picture, src(c.right, c.top, SW, g.rightTop.y()), c2.right, c2.top);
    copySkinPiece(p, picture, src(0, g.leftBottom.y(), c.left, SH), 0, f.leftBottom.y());
    copySkinPiece(p, picture, src(c.left, c.bottom, g.leftBottom.x(), SH), c2.left, c2.bottom);
    copySkinPiece(p, picture, src(g.rightBottom.x(), c.bottom, SW, SH), f.rightBottom.x(), c2.bottom);
    copySkinPiece(p, picture, src(c.right, g.rightBottom.y(), SW, c.bottom), c2.right, f.rightBottom.y());

    if (fillCentre)
        tileSkinPiece(p, picture, src(c.left, c.top, c.right, c.bottom), c2);
    return dest;
}

QImage ComposeHorizontalImage(int W, const QImage& picture, const SkinRect& source, int leftLen, int rightLen)
{
    QImage dest = blankImage(W, source.height());
    if (dest.isNull() || picture.isNull())
        return dest;
    QPainter p(&dest);
    if (leftLen != 0)
        copySkinPiece(p, picture, SkinRect(source.left, source.top, source.left + leftLen, source.bottom), 0, 0);
    if (rightLen != 0)
        copySkinPiece(p, picture, SkinRect(source.right - rightLen, source.top, source.right, source.bottom),
                      W - rightLen, 0);
    const SkinRect middle(source.left + leftLen, source.top, source.right - rightLen, source.bottom);
    if ((W - leftLen - rightLen) >= 0 && middle.width() > 0)
        tileSkinPiece(p, picture, middle, SkinRect(leftLen, 0, W - rightLen, source.height()));
    return dest;
}

QImage ComposeVerticalImage(int H, const QImage& picture, const SkinRect& source, int topLen, int bottomLen)
{
    QImage dest = blankImage(source.width(), H);
    if (dest.isNull() || picture.isNull())
        return dest;
    QPainter p(&dest);
    if (topLen != 0)
        copySkinPiece(p, picture, SkinRect(source.left, source.top, source.right, source.top + topLen), 0, 0);
    if (bottomLen != 0)
        copySkinPiece(p, picture, SkinRect(source.left, source.bottom - bottomLen, source.right, source.bottom), 0,
                      H - bottomLen);
    const SkinRect middle(source.left, source.top + topLen, source.right, source.bottom - bottomLen);
    if ((H - topLen - bottomLen) >= 0 && middle.height() > 0)
        tileSkinPiece(p, picture, middle, SkinRect(0, topLen, source.width(), H - bottomLen));
    return dest;
}

QRegion MaskToRegion(const QImage& mask, int dx, int dy)
{
    if (mask.isNull())
        return QRegion();
    const QImage m = mask.convertToFormat(QImage::Format_RGB32);
    std::vector<QRect> runs;
    for (int y = 0; y < m.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(m.constScanLine(y));
        int x = 0;
        while (x < m.width()) {
            if ((line[x] & 0x00ffffff) != 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < m.width() && (line[x] & 0x00ffffff) == 0)
                ++x;
            runs.emplace_back(start + dx, y + dy, x - start, 1);
        }
    }
    QRegion region;
    region.setRects(runs.data(), int(runs.size()));
    return region;
}

FrameBorderPieces composeFrameBorderPieces(const QImage& P, const SkinGeometry& g, const FittedGeometry& f, int W,
                                           int H)
{
    FrameBorderPieces pieces;
    if (P.isNull())
        return pieces;
    const int pw = P.width(), ph = P.height();
    const SkinRect& CL = g.clientRect;
    const SkinRect& CL2 = f.clientRect;
    const QPoint lt = g.leftTop, rt = g.rightTop, lb = g.leftBottom, rb = g.rightBottom;

    if (W > 0 && CL.top > 0 && rt.x() > lt.x()) {
        pieces.top = blankImage(W, CL.top);
        QPainter p(&pieces.top);
        tileSkinPiece(p, P, SkinRect(lt.x(), 0, rt.x(), CL.top), SkinRect(0, 0, W, CL.top));
        copySkinPiece(p, P, SkinRect(0, 0, lt.x(), CL.top), 0, 0);
        copySkinPiece(p, P, SkinRect(rt.x(), 0, pw, CL.top), f.rightTop.x(), 0);
    }
    const int bottomHeight = ph - CL.bottom;
    if (W > 0 && bottomHeight > 0 && rb.x() > lb.x()) {
        pieces.bottom = blankImage(W, bottomHeight);
        QPainter p(&pieces.bottom);
        tileSkinPiece(p, P, SkinRect(lb.x(), CL.bottom, rb.x(), ph), SkinRect(0, 0, W, bottomHeight));
        copySkinPiece(p, P, SkinRect(0, CL.bottom, lb.x(), ph), 0, 0);
        copySkinPiece(p, P, SkinRect(rb.x(), CL.bottom, pw, ph), f.rightBottom.x(), 0);
    }
    const int sideHeight = CL2.height();
    if (CL.left > 0 && sideHeight > 0 && lb.y() > lt.y()) {
        pieces.left = blankImage(CL.left, sideHeight);
        QPainter p(&pieces.left);
        tileSkinPiece(p, P, SkinRect(0, lt.y(), CL.left, lb.y()), SkinRect(0, 0, CL.left, sideHeight));
        if (lt.y() > CL.top)
            copySkinPiece(p, P, SkinRect(0, CL.top, CL.left, lt.y()), 0, 0);
        if (CL.bottom > lb.y())
            copySkinPiece(p, P, SkinRect(0, lb.y(), CL.left, CL.bottom), 0, sideHeight - (CL.bottom - lb.y()));
    }
    const int rightWidth = pw - CL.right;
    if (rightWidth >= 1 && sideHeight >= 1 && rb.y() > rt.y()) {
        pieces.right = blankImage(rightWidth, sideHeight);
        QPainter p(&pieces.right);
        tileSkinPiece(p, P, SkinRect(CL.right, rt.y(), pw, rb.y()), SkinRect(0, 0, rightWidth, sideHeight));
        if (rt.y() > CL.top)
            copySkinPiece(p, P, SkinRect(CL.right, CL.top, pw, rt.y()), 0, 0);
        if (CL.bottom > rb.y())
            copySkinPiece(p, P, SkinRect(CL.right, rb.y(), pw, CL.bottom), 0, sideHeight - (CL.bottom - rb.y()));
    }
    (void)H;
    return pieces;
}

QRegion FourPointMaskRegion(const QImage& mask, const SkinGeometry& g, const FittedGeometry& f, int W, int H)
{
    if (f.rightTop.x() < f.leftTop.x() || f.leftBottom.y() < f.leftTop.y())
        return QRegion();
    const FrameBorderPieces pieces = composeFrameBorderPieces(mask, g, f, W, H);
    QRegion region;
    if (!f.clientRect.isEmpty())
        region = f.clientRect.toQRect();
    if (!pieces.top.isNull())
        region += MaskToRegion(pieces.top, 0, 0);
    if (!pieces.bottom.isNull())
        region += MaskToRegion(pieces.bottom, 0, f.clientRect.bottom);
    if (!pieces.left.isNull())
        region += MaskToRegion(pieces.left, 0, f.clientRect.top);
    if (!pieces.right.isNull())
        region += MaskToRegion(pieces.right, f.clientRect.right, f.clientRect.top);
    return region;
}

QImage glyphFrameImage(int index, int count, const QImage& glyph)
{
    if (glyph.isNull() || count < 1)
        return QImage();
    const int w = glyph.width() / count;
    if (w < 1)
        return QImage();
    QImage frame = glyph.copy((index - 1) * w, 0, w, glyph.height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = frame.pixel(0, frame.height() - 1) & 0x00ffffff;
    for (int y = 0; y < frame.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            if ((line[x] & 0x00ffffff) == transparent)
                line[x] = 0;
    }
    return frame;
}

void DrawGlyphFrame(QPainter& p, int x, int y, int index, int count, const QImage& glyph)
{
    const QImage frame = glyphFrameImage(index, count, glyph);
    if (!frame.isNull())
        p.drawImage(QPoint(x, y), frame);
}
