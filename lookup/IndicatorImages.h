#pragma once
// The record indicator pictures, shared by every grid of the process: loaded from the
// program's resources with the first grid and freed with the last. Each is 6 × 11 pixels;
// white is transparent.

#include <QImage>

enum class Indicator { Arrow, Edit, Insert, MultiSelect, MultiArrow };

namespace IndicatorImages {

// A grid takes a reference while it lives.
void acquire();
void release();
// Number of living references (0: the images are freed).
int references();

// The picture, with its black pixels in `iconColor`. Empty when no grid holds the list.
QImage image(Indicator which, QRgb iconColor = qRgb(0, 0, 0));

}
