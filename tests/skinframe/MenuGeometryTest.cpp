// Sizing, positions, scrolling layout and keyboard search of the skinned menus, and the
// caption's shortening.
#include "CaptionText.h"
#include "MenuGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuSize, UnskinnedAndSkinnedWidthAndHeight)
{
    MenuSizeInput in;
    in.itemHeights = {20, 20, 20, 4, 20};
    in.widestText = 60;
    in.workAreaHeight = 700;
    MenuSize s = menuWindowSize(in);
    EXPECT_EQ(s.size, QSize(60 + 19 + 19 + 10, 84 + 4));
    EXPECT_FALSE(s.scroll);
    in.imageListWidth = 16;
    EXPECT_EQ(menuWindowSize(in).size.width(), 60 + 21 + 19 + 10);

    MenuSizeInput sk;
    sk.skinned = true;
    sk.itemHeights = {20, 4, 20};
    sk.widestText = 50;
    sk.windowPictureWidth = 40;
    sk.windowPictureHeight = 40;
    sk.itemsRect = {3, 3, 37, 37};
    sk.itemSkinWidth = 40;
    sk.itemTextWidth = 32;
    sk.workAreaHeight = 700;
    s = menuWindowSize(sk);
    EXPECT_EQ(s.size, QSize(40 - 34 + 8 + 50 + 19 + 19, 44 + 6));
    EXPECT_EQ(menuItemHeight(true, true, 20, 4, 20), 4);
    EXPECT_EQ(menuItemHeight(false, true, 20, 4, 20), 4);
    EXPECT_EQ(menuItemHeight(false, false, 0, 0, 20), 20);
}

TEST(MenuSize, LongerThanTheWorkAreaScrolls)
{
    MenuSizeInput in;
    in.itemHeights = std::vector<int>(50, 20);
    in.workAreaHeight = 600;
    const MenuSize s = menuWindowSize(in);
    EXPECT_EQ(s.size.height(), 600);
    EXPECT_TRUE(s.scroll);
    // With scrolling, 10 pixels stay free at both ends; items from the first visible index on.
    const auto placed = layoutMenuItems({2, 2, 100, 598}, in.itemHeights, 3, true);
    EXPECT_FALSE(placed[2].visible);
    EXPECT_TRUE(placed[3].visible);
    EXPECT_EQ(placed[3].rect, SkinRect(2, 12, 100, 32));
    int visible = 0;
    for (const auto& slot : placed)
        visible += slot.visible;
    EXPECT_EQ(visible, (598 - 10 - 12) / 20);
}

TEST(MenuPosition, NearTheWorkAreaBottomAndRight)
{
    const QRect area(0, 0, 800, 600);
    MenuPositionInput in;
    in.workArea = area;
    in.size = {120, 100};
    // A right click in the middle opens below and right of the cursor.
    in.anchor = QRect(QPoint(300, 200), QSize(0, 0));
    MenuPosition p = menuPosition(in);
    EXPECT_EQ(p.topLeft, QPoint(300, 200));
    EXPECT_FALSE(p.flipped);
    // Near the bottom: above the cursor, its left edge at the cursor as below it; that is
    // not a flip, which only a menu cut by the work area's top is.
    in.anchor = QRect(QPoint(300, 560), QSize(0, 0));
    p = menuPosition(in);
    EXPECT_EQ(p.topLeft, QPoint(300, 460));
    EXPECT_FALSE(p.flipped);
    // Too tall for either side of a cursor low on the screen: clamped to the top, flipped,
    // and so beside the cursor.
    in.size = {120, 580};
    in.anchor = QRect(QPoint(300, 560), QSize(0, 0));
    p = menuPosition(in);
    EXPECT_EQ(p.topLeft, QPoint(301, 0));
    EXPECT_TRUE(p.flipped);
    in.size = {120, 100};
    // Near the right edge: moved left to end at the work area's right.
    in.anchor = QRect(QPoint(760, 200), QSize(0, 0));
    p = menuPosition(in);
    EXPECT_EQ(p.topLeft, QPoint(680, 200));
    // Below a button near the bottom: above the button.
    in.anchor = QRect(100, 550, 15, 15);
    p = menuPosition(in);
    EXPECT_EQ(p.topLeft.y(), 450);
    // Upward with room: above the anchor.
    in.upward = true;
    in.anchor = QRect(100, 300, 15, 15);
    EXPECT_EQ(menuPosition(in).topLeft, QPoint(100, 200));
}

TEST(MenuPosition, SubmenusGoRightOrLeft)
{
    MenuPositionInput in;
    in.workArea = {0, 0, 800, 600};
    in.size = {120, 100};
    in.submenu = true;
    in.itemsTop = 3;
    in.anchor = QRect(100, 200, 150, 20);
    EXPECT_EQ(menuPosition(in).topLeft, QPoint(251, 197));
    in.anchor = QRect(600, 200, 150, 20);
    EXPECT_EQ(menuPosition(in).topLeft, QPoint(600 - 120 - 1, 197));
    in.anchor = QRect(100, 560, 150, 20);
    EXPECT_EQ(menuPosition(in).topLeft.y(), 580 - 100 + 3);
}

TEST(MenuKeys, DownAndUpSearch)
{
    const MenuKeyItem on{true, false}, off{false, false}, sep{true, true};
    const std::vector<MenuKeyItem> items = {on, sep, off, on, on};
    struct Case { int active; bool forward; int expected; } cases[] = {
        {0, true, 3},   // skips the separator and the disabled item
        {4, true, 0},   // the last item wraps to the first
        {-1, true, 0},
        {3, false, 0},
        {0, false, 4},  // the first wraps to the last
        {-1, false, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(searchMenuItem(items, c.active, c.forward), c.expected) << c.active << " " << c.forward;
    // Down on the second-to-last item with the last one disabled finds nothing: the active stays.
    EXPECT_EQ(searchMenuItem({on, on, off}, 1, true), -1);
}

TEST(CaptionShortening, EndsInDotsOrIsDotsAlone)
{
    const auto tenPerChar = [](const QString& s) { return int(s.size()) * 10; };
    EXPECT_EQ(shortenCaption(QStringLiteral("Report"), 60, tenPerChar), QStringLiteral("Report"));
    EXPECT_EQ(shortenCaption(QStringLiteral("Report"), 59, tenPerChar), QStringLiteral("Re..."));
    EXPECT_EQ(shortenCaption(QStringLiteral("客戶區間商品數量表"), 50, tenPerChar), QStringLiteral("客戶..."));
    EXPECT_EQ(shortenCaption(QStringLiteral("Report"), 35, tenPerChar), QStringLiteral("..."));
    EXPECT_EQ(shortenCaption(QStringLiteral("Report"), 5, tenPerChar), QStringLiteral("..."));
}

}
