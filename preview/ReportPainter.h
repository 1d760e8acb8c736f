#pragma once
// Draws one page of a report on any paint device (screen image, PDF, printer). The device's
// resolution sets the scale: millimetres and points both follow its logical DPI, and the
// painter's origin is the paper's top-left corner.

#include "ReportDocument.h"

#include <QPainter>

namespace ReportPainter {

void paintPage(QPainter& painter, const ReportDocument& document, int pageIndex);

}
