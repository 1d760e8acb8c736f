#include "GridBackground.h"

#include <QPainter>
#include <algorithm>

namespace GridBackground {

namespace {
int channelDelta(std::uint32_t value, int shift)
{
    return static_cast<int>((value >> shift) & 0xFF) / 2 - 128;
}
}

QImage tinted(const QImage& image, std::uint32_t tintColorValue)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    // Colour values keep red in the low byte.
    const int dr = channelDelta(tintColorValue, 0);
    const int dg = channelDelta(tintColorValue, 8);
    const int db = channelDelta(tintColorValue, 16);
    std::uint8_t lutR[256], lutG[256], lutB[256];
    for (int v = 0; v < 256; ++v) {
        lutR[v] = static_cast<std::uint8_t>(std::clamp(v + dr, 0, 255));
        lutG[v] = static_cast<std::uint8_t>(std::clamp(v + dg, 0, 255));
        lutB[v] = static_cast<std::uint8_t>(std::clamp(v + db, 0, 255));
    }
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            line[x] = qRgb(lutR[qRed(p)], lutG[qGreen(p)], lutB[qBlue(p)]);
        }
    }
    return out;
}

QImage compose(const QImage& picture, TwwBackgroundDrawStyle style, QSize size)
{
    QImage work(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    work.fill(Qt::white);
    if (picture.isNull())
        return work;
    QPainter painter(&work);
    switch (style) {
    case bdsTile:
        painter.drawTiledPixmap(work.rect(), QPixmap::fromImage(picture));
        break;
    case bdsStretch:
        painter.drawImage(work.rect(), picture);
        break;
    case bdsTopLeft:
        painter.drawImage(0, 0, picture);
        break;
    case bdsCenter:
        painter.drawImage((work.width() - picture.width()) / 2, (work.height() - picture.height()) / 2,
                          picture);
        break;
    }
    return work;
}

Copies prepare(const Request& request)
{
    Copies copies;
    if (request.screenDepth <= 8)
        return copies;
    if (request.picture.isNull())
        return copies;
    copies.background = compose(request.picture, request.style, request.size);
    if (request.activeRecordColor != clNone && request.blendActiveRecord)
        copies.activeRecord = tinted(copies.background, request.activeRecordColor);
    if (request.alternatingRowColor != clNone && request.alternatingRegions && request.blendAlternatingRow)
        copies.alternatingRow = tinted(copies.background, request.alternatingRowColor);
    if (request.blendFixedRow && request.titleHeight > 0)
        copies.titleRow = tinted(copies.background.copy(0, 0, copies.background.width(), request.titleHeight),
                                 request.titleColor);
    if (request.blendFixedColumn && !request.fixedColorNone)
        copies.fixedColumn = tinted(copies.background, request.titleColor);
    return copies;
}

}
