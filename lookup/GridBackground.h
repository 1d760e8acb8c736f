#pragma once
// The grid's background: the picture drawn over the grid's size (tiled, stretched, at the
// top-left corner or centred) and the tinted copies for alternating rows, the active
// record, the title row and the fixed column. They are made once per change of size or
// options and only copied while painting.

#include <QImage>
#include <QSize>
#include <cstdint>

enum TwwBackgroundDrawStyle { bdsTile, bdsStretch, bdsTopLeft, bdsCenter };

namespace GridBackground {

// 0x00BBGGRR colour value meaning "no colour".
constexpr std::uint32_t clNone = 0x1FFFFFFF;

// Adds to each channel of every pixel half the tint's channel (rounded down) minus 128,
// clamped to 0..255. Returns a 32-bit RGB copy.
QImage tinted(const QImage& image, std::uint32_t tintColorValue);

// The work picture: `size`, filled white, with the picture drawn in the style.
QImage compose(const QImage& picture, TwwBackgroundDrawStyle style, QSize size);

struct Copies {
    QImage background;      // empty without a picture
    QImage alternatingRow;  // empty when not made
    QImage activeRecord;
    QImage titleRow;        // titleHeight rows high
    QImage fixedColumn;
};

struct Request {
    QImage picture;
    TwwBackgroundDrawStyle style = bdsTile;
    QSize size;
    int screenDepth = 32;
    std::uint32_t alternatingRowColor = clNone;
    bool alternatingRegions = true;  // AlternatingRowRegions not empty
    std::uint32_t activeRecordColor = clNone;
    std::uint32_t titleColor = 0;    // fixed colour used for the title row and fixed column
    bool fixedColorNone = false;
    int titleHeight = 0;
    bool blendFixedRow = false;
    bool blendFixedColumn = false;
    bool blendActiveRecord = false;
    bool blendAlternatingRow = false;
};

// The copies as the grid keeps them; none at all on screens of 8 bits per pixel or fewer.
Copies prepare(const Request& request);

}
