#pragma once
// Draws the pictures of a skin. Everything is drawn without antialiasing and with stepped
// gradients, so that every picture has few colours and converts exactly to 8 bits per pixel.

#include "SkinTheme.h"

#include <QImage>

namespace SkinPainter {

// Caption buttons in a strip of 6 columns (close, maximize, minimize, roll-up, system menu,
// restore) by 3 rows (normal, hot, pressed), each buttonSize square. rowBackgroundTop is the
// caption row the buttons sit on, so that their backgrounds match the caption bar behind them
// (negative: a plain frame-face background).
// Below the strip, at the left, the menu item pictures (MenuItemRects): normal 40 x 20,
// active 40 x 20 and divider 40 x 4, one under the other. They live here and not in the
// pop-up window's picture, because the pop-up window stretches its whole picture.
enum ButtonColumn { Close, Maximize, Minimize, RollUp, SysMenu, Restore, ButtonColumns };
enum ButtonRow { Normal, Hot, Pressed, ButtonRows };
QImage captionButtonsAndMenuItems(const SkinTheme& t, int rowBackgroundTop);

struct MenuItemRects {
    QRect normal, active, divider;
};
MenuItemRects menuItemRects(const SkinTheme& t);

// The frame picture; `buttons` are drawn into the caption at the given places when the skin
// keeps its normal button images in the main picture (x, y of close, maximize, minimize,
// roll-up, system menu; width 0 for none).
struct ButtonPlace {
    ButtonColumn column;
    int x, y;
};
QImage mainPicture(const SkinTheme& t, const ButtonPlace* places, int count);
// Black inside, white outside the rounded outline.
QImage frameMask(const SkinTheme& t);

QImage panelAndMemo(const SkinTheme& t);      // 177 x 52
QImage pushButtons(const SkinTheme& t);       // 96 x 21
QImage edits(const SkinTheme& t);             // 130 x 45
QImage gauge(const SkinTheme& t);             // 32 x 14
QImage popupWindow(const SkinTheme& t);        // 40 x 40, all of it the window
QImage hintWindow(const SkinTheme& t);        // 30 x 20
QImage hintMask(const SkinTheme& t);          // 30 x 20, 1 bit

// Exact conversions (the pictures must not have more than 256 colours).
QImage toIndexed8(const QImage& image);
QImage toMono(const QImage& blackInside);

}
