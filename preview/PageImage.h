#pragma once
// A page of a report as an image, for the screen and the thumbnails.

#include "ReportDocument.h"

#include <QImage>

namespace PageImage {

// The page drawn at `dpi` dots per inch on white, with the given device pixel ratio.
QImage render(const ReportDocument& document, int pageIndex, double dpi, qreal devicePixelRatio = 1.0);

// The size in device-independent pixels that render() gives at `dpi`.
QSize sizeAt(const ReportDocument& document, double dpi);

}
