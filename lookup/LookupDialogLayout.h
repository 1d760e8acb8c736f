#pragma once
// Where the lookup dialog's bands go for a client size: the top, bottom, left and right
// bands keep their thickness, the centre panel takes the rest. OK and Cancel keep their
// centres at the same fraction of the bottom band's width; every other control keeps its
// place relative to its band's top-left corner.

#include <QRect>
#include <QSize>

namespace LookupDialogLayout {

inline constexpr QSize kDesignClientSize{535, 381};
inline constexpr int kTopBand = 90;
inline constexpr int kBottomBand = 41;
inline constexpr int kLeftStrip = 17;
inline constexpr int kRightStrip = 20;
inline constexpr QRect kOkDesign{327, 8, 73, 22};
inline constexpr QRect kCancelDesign{418, 8, 73, 22};

struct Bands {
    QRect top, bottom, left, right, centre;
    QRect ok, cancel;  // inside the bottom band
};

Bands compute(QSize client);
// A control of the bottom band without anchors: its centre at the same fraction of the
// band's width as at the design size.
QRect keepCentreFraction(const QRect& design, int designWidth, int width);

}
