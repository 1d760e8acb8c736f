#pragma once
// The QFont of a template font and the device that measures texts for pagination.

#include "ReportTemplate.h"

#include <QFont>
#include <QImage>

namespace ReportFonts {

QFont font(const FontSpec& spec);

// A small image at print resolution: wrapped texts are measured on it, so that pagination
// does not depend on the screen.
QImage measuringDevice();

// Device pixels per millimetre of a paint device, the scale of every drawing.
double pixelsPerMm(const QPaintDevice& device);

}
