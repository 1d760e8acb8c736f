#include "EditGeometry.h"

EditGeometry skinnedEditGeometry(const SkinRect& clientRect, const SkinRect& buttonRect, QPoint rightTop,
                                 int skinWidth, int width)
{
    const int dW = width - skinWidth;
    EditGeometry g;
    g.textRect = clientRect;
    g.textRect.right += dW;
    // A button in the fixed right end follows the right edge; one in the middle stays.
    g.buttonPlace = buttonRect.left >= rightTop.x() ? buttonRect.translated(dW, 0) : buttonRect;
    return g;
}

EditGeometry defaultEditGeometry(int width, int height, bool buttonMode)
{
    EditGeometry g;
    g.textRect = buttonMode ? SkinRect(2, 2, width - 22, height - 2) : SkinRect(2, 2, width - 2, height - 2);
    g.buttonPlace = SkinRect(width - 20, 0, width, height);
    return g;
}
