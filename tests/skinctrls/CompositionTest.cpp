// The composition helpers and the geometry rules, pixel for pixel on small fixtures.
#include "FrameBorderPieces.h"
#include "SkinCompose.h"
#include "SkinGeometry.h"

#include <gtest/gtest.h>

namespace {

QImage gradient(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x, y, 7));
    return img;
}
QRgb src(int x, int y) { return qRgb(x, y, 7); }

SkinGeometry panelGeometry()
{
    SkinGeometry g;
    g.skinRect = {0, 0, 59, 52};
    g.leftTop = {5, 4};
    g.rightTop = {53, 6};
    g.leftBottom = {5, 48};
    g.rightBottom = {53, 48};
    g.clientRect = {2, 2, 57, 50};
    return g;
}

}  // namespace

TEST(Composition, FourPointTopEdgeOf378WidePanelTilesEightTimesAndCutsTheLast)
{
    const SkinGeometry g = panelGeometry();
    int W = 378, H = 52;
    const FittedGeometry f = fitToSkin(TbsSkinStretchKind::stFourPoint, g, {}, W, H);
    EXPECT_EQ(f.rightTop, QPoint(372, 6));
    const QImage img = ComposeFourPointImage(W, H, gradient(59, 52), g.skinRect, g, f, true);
    ASSERT_EQ(img.size(), QSize(378, 52));
    // Tiles of 48 source columns (5..53) from x = 5: tile k starts at 5 + 48k.
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(img.pixel(5 + 48 * k, 0), src(5, 0)) << "tile " << k;
    // The eighth tile (k = 7) starts at 341 and is cut at 372: 31 columns, source 5..35.
    EXPECT_EQ(img.pixel(371, 1), src(35, 1));
    // The top-right corner piece starts at the fitted right-top point.
    EXPECT_EQ(img.pixel(372, 0), src(53, 0));
    EXPECT_EQ(img.pixel(377, 1), src(58, 1));
    // The top-left corner stays.
    EXPECT_EQ(img.pixel(0, 0), src(0, 0));
    EXPECT_EQ(img.pixel(4, 1), src(4, 1));
}

TEST(Composition, FourPointAtSkinSizeReproducesTheSection)
{
    const SkinGeometry g = panelGeometry();
    const QImage picture = gradient(59, 52);
    const QImage img = ComposeFourPointImage(59, 52, picture, g.skinRect, g, unfittedGeometry(g), true);
    for (int y = 0; y < 52; ++y)
        for (int x = 0; x < 59; ++x)
            ASSERT_EQ(img.pixel(x, y), src(x, y)) << x << "," << y;
}

TEST(Composition, FourPointWithoutTileLengthStaysBlank)
{
    SkinGeometry g = panelGeometry();
    g.rightBottom = {5, 48};  // RB.x = LT.x
    const QImage img = ComposeFourPointImage(80, 60, gradient(59, 52), g.skinRect, g, unfittedGeometry(g), true);
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
}

TEST(Composition, HorizontalKeepsEndsAndCutsTheLastMiddleTile)
{
    // Source 10 wide at x = 20: ends of 2 and 3 columns, middle of 5 tiled over 30 - 5 = 25.
    const QImage picture = gradient(40, 4);
    const QImage img = ComposeHorizontalImage(30, picture, SkinRect(20, 0, 30, 4), 2, 3);
    ASSERT_EQ(img.size(), QSize(30, 4));
    EXPECT_EQ(img.pixel(0, 0), src(20, 0));
    EXPECT_EQ(img.pixel(1, 0), src(21, 0));
    EXPECT_EQ(img.pixel(2, 0), src(22, 0));   // first middle tile
    EXPECT_EQ(img.pixel(7, 0), src(22, 0));   // second tile
    EXPECT_EQ(img.pixel(26, 0), src(26, 0));  // last tile cut at 27
    EXPECT_EQ(img.pixel(27, 2), src(27, 2));  // right end
    EXPECT_EQ(img.pixel(29, 3), src(29, 3));
}

TEST(Composition, VerticalTilesDownwardBetweenItsEnds)
{
    const QImage picture = gradient(3, 10);
    const QImage img = ComposeVerticalImage(17, picture, SkinRect(0, 0, 3, 10), 2, 2);
    ASSERT_EQ(img.size(), QSize(3, 17));
    EXPECT_EQ(img.pixel(1, 1), src(1, 1));
    EXPECT_EQ(img.pixel(1, 2), src(1, 2));
    EXPECT_EQ(img.pixel(1, 8), src(1, 2));   // second middle tile of 6 rows
    EXPECT_EQ(img.pixel(1, 14), src(1, 2));  // third tile, cut to one row
    EXPECT_EQ(img.pixel(1, 15), src(1, 8));  // bottom end
}

TEST(Composition, MapSkinRectFollowsTheStretch)
{
    SkinGeometry h;
    h.skinRect = {0, 0, 57, 21};
    h.leftTop = {4, 9};
    h.rightTop = {35, 9};
    const SkinGeometry p = panelGeometry();
    struct Case {
        const char* what;
        TbsSkinStretchKind kind;
        const SkinGeometry& g;
        SkinRect in;
        int W, H;
        SkinRect expected;
    } cases[] = {
        {"horizontal: spans the middle, grows", TbsSkinStretchKind::stHorizontal, h, {3, 3, 36, 18}, 105, 21, {3, 3, 84, 18}},
        {"horizontal: right of the right-top point, moves", TbsSkinStretchKind::stHorizontal, h, {38, 3, 54, 18}, 105, 21, {86, 3, 102, 18}},
        {"horizontal: left of the left-top point, stays", TbsSkinStretchKind::stHorizontal, h, {0, 3, 3, 18}, 105, 21, {0, 3, 3, 18}},
        {"four-point: client spans LT to RB", TbsSkinStretchKind::stFourPoint, p, {2, 2, 57, 50}, 236, 177, {2, 2, 234, 175}},
        {"four-point: inside the right-top zone moves right", TbsSkinStretchKind::stFourPoint, p, {54, 1, 57, 5}, 100, 52, {95, 1, 98, 5}},
        {"four-point: right-top zone touching its edges stays", TbsSkinStretchKind::stFourPoint, p, {54, 1, 59, 6}, 100, 52, {54, 1, 59, 6}},
        {"four-point: inside the bottom-left zone moves down", TbsSkinStretchKind::stFourPoint, p, {1, 49, 4, 51}, 59, 80, {1, 77, 4, 79}},
        {"fixed: unchanged", TbsSkinStretchKind::stFixed, p, {1, 1, 9, 9}, 300, 300, {1, 1, 9, 9}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mapSkinRect(c.kind, c.g, c.in, c.W, c.H), c.expected) << c.what;
}

TEST(Composition, StretchKindAndFitToSkin)
{
    SkinGeometry g;
    g.skinRect = {60, 0, 84, 21};
    g.leftTop = {3, 0};
    g.rightTop = {21, 0};
    g.clientRect = {2, 2, 22, 19};
    EXPECT_EQ(stretchKindOf(g), TbsSkinStretchKind::stHorizontal);
    int W = 75, H = 25;
    const FittedGeometry f = fitToSkin(stretchKindOf(g), g, {}, W, H);
    EXPECT_EQ(QSize(W, H), QSize(75, 21));
    EXPECT_EQ(f.clientRect, SkinRect(2, 2, 73, 19));

    g.rightTop = {0, 0};
    EXPECT_EQ(stretchKindOf(g), TbsSkinStretchKind::stFixed);
    W = 10; H = 10;
    fitToSkin(TbsSkinStretchKind::stFixed, g, {}, W, H);
    EXPECT_EQ(QSize(W, H), QSize(24, 21));
    g.skinRect = {0, 0, 0, 5};
    EXPECT_EQ(stretchKindOf(g), TbsSkinStretchKind::stUnusable);
}

TEST(Composition, MaskToRegionTakesBlackRunsOnly)
{
    QImage mask(6, 2, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int x : {1, 2, 4})
        mask.setPixel(x, 0, qRgb(0, 0, 0));
    mask.setPixel(0, 1, qRgb(0, 0, 0));
    const QRegion r = MaskToRegion(mask, 10, 20);
    EXPECT_EQ(r, QRegion(11, 20, 2, 1) + QRegion(14, 20, 1, 1) + QRegion(10, 21, 1, 1));
    EXPECT_TRUE(MaskToRegion(QImage(), 0, 0).isEmpty());
}

TEST(Composition, FourPointMaskRegionIsClientPlusBlackBorderPixels)
{
    // A 10 x 10 mask, black except a white top-left pixel (a cut corner).
    QImage mask(10, 10, QImage::Format_RGB32);
    mask.fill(qRgb(0, 0, 0));
    mask.setPixel(0, 0, qRgb(255, 255, 255));
    SkinGeometry g;
    g.skinRect = {0, 0, 10, 10};
    g.leftTop = {2, 2};
    g.rightTop = {8, 2};
    g.leftBottom = {2, 8};
    g.rightBottom = {8, 8};
    g.clientRect = {2, 2, 8, 8};
    int W = 30, H = 20;
    const FittedGeometry f = fitToSkin(TbsSkinStretchKind::stFourPoint, g, {}, W, H);
    const QRegion r = FourPointMaskRegion(mask, g, f, W, H);
    EXPECT_FALSE(r.contains(QPoint(0, 0)));
    EXPECT_TRUE(r.contains(QPoint(1, 0)));
    EXPECT_TRUE(r.contains(QPoint(29, 19)));
    EXPECT_TRUE(r.contains(QPoint(15, 10)));
    EXPECT_EQ(r.boundingRect(), QRect(0, 0, 30, 20));
}

TEST(Composition, BorderPiecesHaveTheirSizesAndCorners)
{
    const SkinGeometry g = panelGeometry();
    int W = 100, H = 80;
    const FittedGeometry f = fitToSkin(TbsSkinStretchKind::stFourPoint, g, {}, W, H);
    const FrameBorderPieces pieces = composeFrameBorderPieces(gradient(59, 52), g, f, W, H);
    EXPECT_EQ(pieces.top.size(), QSize(100, 2));
    EXPECT_EQ(pieces.bottom.size(), QSize(100, 2));
    EXPECT_EQ(pieces.left.size(), QSize(2, 76));
    EXPECT_EQ(pieces.right.size(), QSize(2, 76));
    EXPECT_EQ(pieces.top.pixel(99, 0), src(58, 0));
    EXPECT_EQ(pieces.bottom.pixel(0, 1), src(0, 51));
    // The left piece: rows 2..4 fixed at its top, then the column 4..48 tiled.
    EXPECT_EQ(pieces.left.pixel(0, 0), src(0, 2));
    EXPECT_EQ(pieces.left.pixel(1, 75), src(1, 49));
}

TEST(Composition, GlyphFrameKeysOutItsBottomLeftColour)
{
    QImage glyph(4, 2, QImage::Format_RGB32);
    glyph.fill(qRgb(128, 128, 0));
    glyph.setPixel(2, 0, qRgb(0, 0, 0));  // frame 2, top-left
    QImage canvas(4, 4, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(qRgb(9, 9, 9));
    QPainter p(&canvas);
    DrawGlyphFrame(p, 1, 1, 2, 2, glyph);
    p.end();
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(2, 1), qRgb(9, 9, 9));
    EXPECT_EQ(canvas.pixel(1, 2), qRgb(9, 9, 9));
}
