// The frame's pure geometry with the two skins' numbers: zones, the caption-button row, hit
// testing, the point on the mask, minimum sizes and magnetic snapping.
#include "FrameHitTest.h"
#include "SkinFixtures.h"

#include <gtest/gtest.h>

namespace {

struct Skins : ::testing::Test {
    TComponent owner;
    TbsSkinData* stored = skins::load(&owner, "stored");
    TbsSkinData* compressed = skins::load(&owner, "compressed");
};

TEST_F(Skins, WindowAsLargeAsThePictureKeepsEverythingInPlace)
{
    const FrameSkinMetrics m = skins::metrics(*compressed);
    ASSERT_EQ(m.pictureWidth, 126);
    const FrameGeometry g = frameGeometryFor(m, 126, 96);
    EXPECT_EQ(g.dx, 0);
    EXPECT_EQ(g.clientRect, m.clientRect);
    EXPECT_EQ(g.rightBottom, m.rightBottom);
    for (SkinRect r : {SkinRect(106, 5, 121, 20), SkinRect(22, 4, 56, 22), SkinRect(5, 5, 20, 20)})
        EXPECT_EQ(placeByZones(m, r, 126, 96), r);
}

TEST_F(Skins, WideningMovesRightZonesAndStretchesTheCaption)
{
    const FrameSkinMetrics m = skins::metrics(*compressed);
    const int d = 37;
    const FrameGeometry g = frameGeometryFor(m, 126 + d, 96 + 10);
    EXPECT_EQ(g.clientRect, SkinRect(4, 26, 122 + d, 92 + 10));
    EXPECT_EQ(g.rightTop, QPoint(50 + d, 26));
    EXPECT_EQ(g.hitRightBottom, QPoint(118 + d, 88 + 10));
    EXPECT_EQ(g.maskRectArea, SkinRect(0, 0, 126 + d, 96 + 10));
    // close button: right-top zone; caption: left-top to right-top; system menu: left-top.
    EXPECT_EQ(placeByZones(m, {106, 5, 121, 20}, 126 + d, 106), SkinRect(106 + d, 5, 121 + d, 20));
    EXPECT_EQ(placeByZones(m, {22, 4, 56, 22}, 126 + d, 106), SkinRect(22, 4, 56 + d, 22));
    EXPECT_EQ(placeByZones(m, {5, 5, 20, 20}, 126 + d, 106), SkinRect(5, 5, 20, 20));
    // No buttons rect and no caption rect: there is no row, nothing moves.
    std::vector<CaptionRowObject> row(1);
    row[0].kind = CaptionRowObject::Kind::StdButton;
    row[0].command = TbsStdCommand::cmClose;
    row[0].inPicture = true;
    row[0].size = {15, 15};
    row[0].rect = {1, 2, 3, 4};
    layoutCaptionButtonRow(g, m.buttonsOffset, m.buttonsInLeft, row);
    EXPECT_EQ(row[0].rect, SkinRect(1, 2, 3, 4));
}

TEST_F(Skins, ZoneCombinations)
{
    FrameSkinMetrics m;
    m.pictureWidth = 100;
    m.pictureHeight = 80;
    m.leftTop = {30, 20};
    m.rightTop = {70, 20};
    m.leftBottom = {30, 60};
    m.rightBottom = {70, 60};
    const int W = 110, H = 85; // dx 10, dy 5
    struct Case { SkinRect in, out; } cases[] = {
        {{70, 60, 90, 75}, {80, 65, 100, 80}},  // both in RB
        {{5, 65, 20, 75}, {5, 70, 20, 80}},     // both in LB
        {{5, 5, 90, 75}, {5, 5, 100, 80}},      // LT to RB
        {{5, 65, 90, 75}, {5, 70, 100, 80}},    // LB to RB
        {{5, 5, 20, 75}, {5, 5, 20, 80}},       // LT to LB
        {{75, 5, 90, 75}, {85, 5, 100, 80}},    // RT to RB
        {{40, 30, 50, 40}, {40, 30, 50, 40}},   // in the middle: unchanged
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeByZones(m, c.in, W, H), c.out) << c.in.left << "," << c.in.top;
}

std::vector<CaptionRowObject> storedRow()
{
    using K = CaptionRowObject::Kind;
    std::vector<CaptionRowObject> row;
    auto add = [&](K kind, TbsStdCommand c, SkinRect rect) {
        CaptionRowObject o;
        o.kind = kind;
        o.command = c;
        o.inPicture = kind == K::StdButton;
        o.size = {rect.width(), rect.height()};
        o.rect = rect;
        row.push_back(o);
    };
    add(K::StdButton, TbsStdCommand::cmSysMenu, {48, 0, 60, 12});
    add(K::Caption, TbsStdCommand::cmDefault, {20, 4, 92, 24});
    add(K::StdButton, TbsStdCommand::cmClose, {0, 0, 12, 12});
    add(K::StdButton, TbsStdCommand::cmMaximize, {12, 0, 24, 12});
    add(K::StdButton, TbsStdCommand::cmMinimize, {24, 0, 36, 12});
    add(K::StdButton, TbsStdCommand::cmRollUp, {36, 0, 48, 12});
    return row;
}

TEST_F(Skins, StoredSkinButtonsSitInTheButtonsRectAndFollowTheRightEdge)
{
    const FrameSkinMetrics m = skins::metrics(*stored);
    ASSERT_EQ(m.buttonsRect, SkinRect(95, 8, 146, 20));
    for (int d : {0, 50}) {
        auto row = storedRow();
        layoutCaptionButtonRow(frameGeometryFor(m, 150 + d, 108), m.buttonsOffset, m.buttonsInLeft, row);
        EXPECT_EQ(row[2].rect, SkinRect(134 + d, 8, 146 + d, 20)); // close
        EXPECT_EQ(row[3].rect, SkinRect(120 + d, 8, 132 + d, 20)); // maximize, 14 to the left
        EXPECT_EQ(row[4].rect, SkinRect(106 + d, 8, 118 + d, 20));
        EXPECT_EQ(row[5].rect, SkinRect(92 + d, 8, 104 + d, 20));
        // The system-menu button at the caption rect's left, centred in it; the caption after it.
        EXPECT_EQ(row[0].rect, SkinRect(4, 8, 16, 20));
        EXPECT_EQ(row[1].rect.left, 16);
    }
    // A hidden button leaves its place to the next one.
    auto row = storedRow();
    row[3].visible = false;
    layoutCaptionButtonRow(frameGeometryFor(m, 150, 108), m.buttonsOffset, m.buttonsInLeft, row);
    EXPECT_EQ(row[4].rect, SkinRect(120, 8, 132, 20));
}

TEST(CaptionRow, ButtonsInLeftOnTheCaptionRect)
{
    FrameGeometry g;
    g.captionRect = {10, 2, 200, 22};
    auto row = storedRow();
    layoutCaptionButtonRow(g, 2, true, row);
    EXPECT_EQ(row[2].rect, SkinRect(10, 2, 22, 14));
    EXPECT_EQ(row[3].rect, SkinRect(24, 2, 36, 14));
    EXPECT_EQ(row[0].rect, SkinRect(66, 2, 78, 14)); // system menu follows the four
    EXPECT_EQ(row[1].rect.left, 82);                  // x + offset
}

TEST_F(Skins, BorderWidthInTheTopLeftCornerAnswersTopLeftUnlessMaximized)
{
    const FrameSkinMetrics m = skins::metrics(*compressed); // borderwidth 4, no mask
    const FrameGeometry g = frameGeometryFor(m, 200, 150);
    SkinnedHitTest in;
    in.geometry = &g;
    in.borderWidth = m.borderWidth;
    in.inCaptionObject = [](QPoint p) { return SkinRect(22, 4, 130, 22).containsExclusive(p); };
    EXPECT_EQ(skinnedHitTest(in, {2, 2}), HTTOPLEFT);
    EXPECT_EQ(skinnedHitTest(in, {198, 2}), HTTOPRIGHT);
    EXPECT_EQ(skinnedHitTest(in, {2, 148}), HTBOTTOMLEFT);
    EXPECT_EQ(skinnedHitTest(in, {198, 148}), HTBOTTOMRIGHT);
    EXPECT_EQ(skinnedHitTest(in, {100, 1}), HTTOP);
    EXPECT_EQ(skinnedHitTest(in, {100, 148}), HTBOTTOM);
    EXPECT_EQ(skinnedHitTest(in, {1, 60}), HTLEFT);
    EXPECT_EQ(skinnedHitTest(in, {198, 60}), HTRIGHT);
    EXPECT_EQ(skinnedHitTest(in, {60, 10}), HTCAPTION);
    EXPECT_EQ(skinnedHitTest(in, {60, 60}), HTCLIENT);
    EXPECT_EQ(skinnedHitTest(in, {12, 12}), HTOBJECT);
    in.maximized = true;
    EXPECT_EQ(skinnedHitTest(in, {2, 2}), HTOBJECT);
    EXPECT_EQ(skinnedHitTest(in, {23, 5}), HTCAPTION);
    in.maximized = false;
    in.rolledUpOrMinimized = true;
    EXPECT_EQ(skinnedHitTest(in, {2, 2}), HTOBJECT);
    EXPECT_EQ(skinnedHitTest(in, {60, 10}), HTCAPTION);
    in.rolledUpOrMinimized = false;
    in.objectHovered = true; // a hovered object keeps the frame from sizing
    EXPECT_EQ(skinnedHitTest(in, {2, 2}), HTOBJECT);
    EXPECT_EQ(skinnedHitTest(in, {60, 60}), HTCLIENT);
}

TEST_F(Skins, StoredSkinMaskShapesTheWindowAndTheBorder)
{
    const FrameSkinMetrics m = skins::metrics(*stored);
    const QImage& mask = stored->MaskPicture();
    ASSERT_FALSE(mask.isNull());
    for (int W : {150, 230}) {
        const FrameGeometry g = frameGeometryFor(m, W, 160);
        const FrameMaskPieces pieces = composeFrameMaskPieces(mask, m, g);
        const QRegion region = frameMaskRegion(pieces);
        EXPECT_TRUE(region.contains(g.maskRectArea.toQRect()));
        EXPECT_LE(region.boundingRect().right(), W - 1);
        // Every point of the region is on the mask, and the corner pixel of a rounded outline is not.
        for (QPoint p : {QPoint(W / 2, 1), QPoint(2, 80), QPoint(W - 3, 80), QPoint(W / 2, 158)})
            EXPECT_EQ(pointOnMask(pieces, p), region.contains(p)) << W << " " << p.x() << "," << p.y();
        EXPECT_FALSE(pointOnMask(pieces, {0, 0}));
        EXPECT_TRUE(pointOnMask(pieces, {W / 2, 80}));
        SkinnedHitTest in;
        in.geometry = &g;
        in.borderWidth = m.borderWidth;
        in.mask = &pieces;
        EXPECT_EQ(skinnedHitTest(in, {3, 3}), HTTOPLEFT);
        EXPECT_EQ(skinnedHitTest(in, {W - 3, 157}), HTBOTTOMRIGHT);
        EXPECT_EQ(skinnedHitTest(in, {W / 2, 80}), HTCLIENT);
    }
}

TEST(UnskinnedFrame, ButtonsCaptionAndHitCodes)
{
    using K = CaptionRowObject::Kind;
    std::vector<CaptionRowObject> row(5);
    const TbsStdCommand commands[] = {TbsStdCommand::cmClose, TbsStdCommand::cmMaximize, TbsStdCommand::cmMinimize,
                                      TbsStdCommand::cmRollUp, TbsStdCommand::cmSysMenu};
    for (int i = 0; i < 5; ++i) {
        row[i].kind = K::StdButton;
        row[i].command = commands[i];
    }
    const SkinRect caption = layoutUnskinnedButtons(300, false, {17, 17}, row);
    EXPECT_EQ(row[0].rect, SkinRect(280, 4, 297, 21));
    EXPECT_EQ(row[3].rect, SkinRect(229, 4, 246, 21));
    EXPECT_EQ(row[4].rect, SkinRect(3, 4, 20, 21));
    EXPECT_EQ(caption, SkinRect(20, 3, 229, 19));

    UnskinnedHitTest in;
    in.width = 300;
    in.height = 200;
    in.captionRect = caption;
    EXPECT_EQ(unskinnedHitTest(in, {1, 1}), HTTOPLEFT);
    EXPECT_EQ(unskinnedHitTest(in, {298, 198}), HTBOTTOMRIGHT);
    EXPECT_EQ(unskinnedHitTest(in, {150, 1}), HTTOP);
    EXPECT_EQ(unskinnedHitTest(in, {100, 10}), HTCAPTION);
    EXPECT_EQ(unskinnedHitTest(in, {100, 100}), HTCLIENT);
    EXPECT_EQ(unskinnedHitTest(in, {290, 10}), HTOBJECT);
    in.normalAndSizeable = false;
    EXPECT_EQ(unskinnedHitTest(in, {1, 1}), HTOBJECT);
}

TEST(FrameSize, MinimumSizeRules)
{
    MinimumSizeInput in;
    in.skinned = true;
    in.pictureWidth = 150;
    in.frameHeight = 33;
    EXPECT_EQ(minimumFrameSize(in), QSize(150, 33));
    in.minWidth = 200;
    in.minHeight = 100;
    EXPECT_EQ(minimumFrameSize(in), QSize(200, 100));
    in.rolledUp = true;
    EXPECT_EQ(minimumFrameSize(in), QSize(200, 33));
    in.rolledUp = false;
    in.minimized = true;
    EXPECT_EQ(minimumFrameSize(in), QSize(150, 33));
    MinimumSizeInput plain;
    EXPECT_EQ(minimumFrameSize(plain), QSize(120, 25));
}

TEST(FrameSize, MagneticSnappingWithinFivePixels)
{
    const QRect area(0, 0, 1024, 740);
    const QSize size(300, 200);
    EXPECT_EQ(magneticSnap({4, 100}, size, area, 5), QPoint(0, 100));
    EXPECT_EQ(magneticSnap({5, 100}, size, area, 5), QPoint(5, 100));
    EXPECT_EQ(magneticSnap({-4, -3}, size, area, 5), QPoint(0, 0));
    EXPECT_EQ(magneticSnap({1024 - 300 - 4, 740 - 200 + 4}, size, area, 5), QPoint(724, 540));
    EXPECT_EQ(magneticSnap({1024 - 300 - 5, 300}, size, area, 5), QPoint(719, 300));
}

}
