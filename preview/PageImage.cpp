#include "PageImage.h"

#include "ReportPainter.h"

#include <QPainter>

#include <cmath>

namespace PageImage {

QSize sizeAt(const ReportDocument& document, double dpi)
{
    QSizeF mm = document.pageSizeMm();
    return QSize(std::max(1, int(std::lround(mm.width() / 25.4 * dpi))), std::max(1, int(std::lround(mm.height() / 25.4 * dpi))));
}

QImage render(const ReportDocument& document, int pageIndex, double dpi, qreal devicePixelRatio)
{
    QSize size = sizeAt(document, dpi * devicePixelRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    // The painter takes its scale from the image's resolution (see ReportPainter).
    int dotsPerMeter = int(std::lround(dpi * devicePixelRatio / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        ReportPainter::paintPage(painter, document, pageIndex);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

}
