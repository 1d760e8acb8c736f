#include "ReportFonts.h"

#include <QPaintDevice>

namespace ReportFonts {

QFont font(const FontSpec& spec)
{
    QFont font(spec.family);
    font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    // Positions must not depend on the resolution at which a page is drawn.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

QImage measuringDevice()
{
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    constexpr int dotsPerMeter = 23622; // 600 dpi
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

double pixelsPerMm(const QPaintDevice& device)
{
    return device.logicalDpiY() / 25.4;
}

}
