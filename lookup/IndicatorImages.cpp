#include "IndicatorImages.h"

#include "LookupResources.h"

#include <QString>
#include <array>
#include <memory>

namespace IndicatorImages {

namespace {
int g_references = 0;
std::unique_ptr<std::array<QImage, 5>> g_images;

const std::array<const char*, 5> kNames = {"WWDBGARROW", "WWDBEDIT", "WWDBINSERT", "WWDBMULTISELECT",
                                           "WWDBMULTIARROW"};

QImage loadTransparentWhite(const QString& name)
{
    QImage image = LookupResources::picture(name).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                line[x] = 0;
    }
    return image;
}
}

void acquire()
{
    if (g_references++ == 0) {
        g_images = std::make_unique<std::array<QImage, 5>>();
        for (size_t i = 0; i < kNames.size(); ++i)
            (*g_images)[i] = loadTransparentWhite(QLatin1String(kNames[i]));
    }
}

void release()
{
    if (g_references > 0 && --g_references == 0)
        g_images.reset();
}

int references()
{
    return g_references;
}

QImage image(Indicator which, QRgb iconColor)
{
    if (!g_images)
        return {};
    QImage out = (*g_images)[static_cast<size_t>(which)];
    if ((iconColor & 0xFFFFFF) == 0)
        return out;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(line[x]) != 0 && (line[x] & 0xFFFFFF) == 0)
                line[x] = iconColor | 0xFF000000u;
    }
    return out;
}

}
