#include "LookupDialogLayout.h"

#include <algorithm>

namespace LookupDialogLayout {

QRect keepCentreFraction(const QRect& design, int designWidth, int width)
{
    // Twice the centre, so that a half-pixel centre stays exact.
    const int centre2 = 2 * design.left() + design.width();
    const int left = (centre2 * width / designWidth - design.width()) / 2;
    return {left, design.top(), design.width(), design.height()};
}

Bands compute(QSize client)
{
    const int w = client.width();
    const int h = client.height();
    Bands b;
    b.top = QRect(0, 0, w, kTopBand);
    b.bottom = QRect(0, h - kBottomBand, w, kBottomBand);
    const int middle = std::max(0, h - kTopBand - kBottomBand);
    b.left = QRect(0, kTopBand, kLeftStrip, middle);
    b.right = QRect(w - kRightStrip, kTopBand, kRightStrip, middle);
    b.centre = QRect(kLeftStrip, kTopBand, std::max(0, w - kLeftStrip - kRightStrip), middle);
    b.ok = keepCentreFraction(kOkDesign, kDesignClientSize.width(), w);
    b.cancel = keepCentreFraction(kCancelDesign, kDesignClientSize.width(), w);
    return b;
}

}
