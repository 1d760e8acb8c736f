#pragma once
// The pure part of the skinned pop-up menus: item heights, window size, the position near the
// anchor within the work area, the stacking of items (with scrolling) and the keyboard search.

#include "SkinRect.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

// What the menu's size depends on. A skinned menu has pop-up window data with a window
// picture and a menu-item object.
struct MenuSizeInput {
    bool skinned = false;
    std::vector<int> itemHeights;
    int widestText = 0;        // widest caption (+ two blanks and the short-cut) + 2
    int imageListWidth = 0;    // 0: no images
    int windowPictureWidth = 0;
    int windowPictureHeight = 0;
    SkinRect itemsRect;        // skinned: "itemsrect" of the window picture
    int itemSkinWidth = 0;     // menu item "skinrect" width
    int itemTextWidth = 0;     // menu item "textrect" width
    int workAreaHeight = 0;
};

struct MenuSize {
    QSize size;
    bool scroll = false;
};

MenuSize menuWindowSize(const MenuSizeInput& in);

// Height of an item: skinned the menu item's "skinrect" (or "dividerrect" for a separator),
// unskinned the default item height or 4 for a separator.
int menuItemHeight(bool skinned, bool separator, int skinHeight, int dividerHeight, int defaultHeight);

struct MenuPositionInput {
    QRect anchor;      // screen coordinates (a point is a 1 x 1 rect)
    QRect workArea;
    QSize size;
    int itemsTop = 0;  // the items rect's top in the window
    bool submenu = false;
    bool upward = false;
    bool scroll = false;
};

struct MenuPosition {
    QPoint topLeft;
    bool flipped = false;
};

MenuPosition menuPosition(const MenuPositionInput& in);

struct MenuItemSlot {
    SkinRect rect;
    bool visible = false;
};

// Stacks the items in the items rect from the first visible index; with scrolling 10 pixels
// are kept free at the top and the bottom for the arrows.
std::vector<MenuItemSlot> layoutMenuItems(const SkinRect& itemsRect, const std::vector<int>& heights,
                                          int firstVisible, bool scroll);

struct MenuKeyItem {
    bool enabled = true;
    bool separator = false;
};

// Down (forward) or Up: the next enabled non-separator item after (before) the active one; from
// the first (last) item when none is active or the active one is the last (first). -1 when the
// search finds nothing before the end of the list.
int searchMenuItem(const std::vector<MenuKeyItem>& items, int active, bool forward);
