#include "MenuGeometry.h"

#include <algorithm>

int menuItemHeight(bool skinned, bool separator, int skinHeight, int dividerHeight, int defaultHeight)
{
    if (skinned)
        return separator ? dividerHeight : skinHeight;
    return separator ? 4 : defaultHeight;
}

MenuSize menuWindowSize(const MenuSizeInput& in)
{
    const int glyphColumn = in.imageListWidth > 0 ? in.imageListWidth + 5 : 19;
    const int a = in.widestText + glyphColumn + 19;
    int itemsHeight = 0;
    for (int h : in.itemHeights)
        itemsHeight += h;
    MenuSize out;
    if (in.skinned) {
        out.size.setWidth(in.windowPictureWidth - in.itemsRect.width() + (in.itemSkinWidth - in.itemTextWidth) + a);
        out.size.setHeight(itemsHeight + in.windowPictureHeight - in.itemsRect.height());
    } else {
        out.size.setWidth(a + 10);
        out.size.setHeight(itemsHeight + 4);
    }
    if (in.workAreaHeight > 0 && out.size.height() > in.workAreaHeight) {
        out.size.setHeight(in.workAreaHeight);
        out.scroll = true;
    }
    return out;
}

MenuPosition menuPosition(const MenuPositionInput& in)
{
    const QRect& R = in.anchor;
    const int aLeft = in.workArea.x(), aTop = in.workArea.y();
    const int aRight = aLeft + in.workArea.width(), aBottom = aTop + in.workArea.height();
    const int rLeft = R.x(), rTop = R.y(), rRight = R.x() + R.width(), rBottom = R.y() + R.height();
    const int W = in.size.width(), H = in.size.height();
    const int h = R.height() / 2;
    MenuPosition out;
    int y;
    if (in.scroll) {
        y = aTop;
    } else if (in.submenu) {
        y = rTop - in.itemsTop;
        if (y + H > aBottom) {
            if (rTop < aTop + h)
                y = aBottom - H;
            else
                y = std::max(rBottom - H + in.itemsTop, aTop);
        }
    } else if (in.upward) {
        y = rTop - H;
        if (y < aTop) {
            if (rTop < aTop + h) {
                y = rBottom;
                if (y + H > aBottom) {
                    y = aBottom - H;
                    out.flipped = true;
                }
            } else {
                y = aTop;
                out.flipped = true;
            }
        }
    } else {
        y = rBottom;
        if (y + H > aBottom) {
            if (rTop < aTop + h) {
                y = aBottom - H;
                out.flipped = true;
            } else {
                // Above the anchor; flipped only when the work area's top cuts it.
                y = rTop - H;
                if (y < aTop) {
                    y = aTop;
                    out.flipped = true;
                }
            }
        }
    }
    int x;
    if (!in.submenu && !in.scroll && !out.flipped) {
        x = rLeft;
        if (x + W > aRight)
            x = aRight - W;
        x = std::max(x, aLeft);
    } else {
        x = rRight + 1;
        if (x + W > aRight)
            x = rLeft - W - 1;
    }
    out.topLeft = {x, y};
    return out;
}

std::vector<MenuItemSlot> layoutMenuItems(const SkinRect& itemsRect, const std::vector<int>& heights,
                                          int firstVisible, bool scroll)
{
    std::vector<MenuItemSlot> placed(heights.size());
    int y = itemsRect.top + (scroll ? 10 : 0);
    const int bottom = itemsRect.bottom - (scroll ? 10 : 0);
    bool full = false;
    for (size_t i = 0; i < heights.size(); ++i) {
        if (scroll && int(i) < firstVisible)
            continue;
        MenuItemSlot& s = placed[i];
        s.rect = {itemsRect.left, y, itemsRect.right, y + heights[i]};
        if (full || s.rect.bottom > bottom) {
            full = true;
            continue;
        }
        s.visible = true;
        y += heights[i];
    }
    return placed;
}

int searchMenuItem(const std::vector<MenuKeyItem>& items, int active, bool forward)
{
    const int n = int(items.size());
    if (n == 0)
        return -1;
    int start;
    if (forward)
        start = (active < 0 || active >= n - 1) ? 0 : active + 1;
    else
        start = (active <= 0 || active >= n) ? n - 1 : active - 1;
    for (int i = start; forward ? i < n : i >= 0; i += forward ? 1 : -1)
        if (items[i].enabled && !items[i].separator)
            return i;
    return -1;
}
