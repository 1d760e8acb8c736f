#pragma once
// The pictures of a skin and their streamed layout, the "Pictures" value:
//   1 byte   main picture empty flag (non-zero: none; 0: a bitmap file follows)
//   ...      the bitmap file, as long as its header's file-size field says
//   1 byte   inactive picture flag, then its file when 0
//   1 byte   mask flag, then its file when 0
//   4 bytes  count n of numbered pictures, signed little-endian (0 or less: none)
//   ...      n bitmap files back to back, no flags between them
// The same block sits after the version in the compressed skin's content.

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <vector>

struct TbsSkinPictures {
    QImage MainPicture;
    QImage InactivePicture;
    QImage MaskPicture;
    std::vector<QImage> ActivePictures;

    // Reads the layout from the start of data. Raises EReadError ("Stream read error") when
    // the data ends inside a field or a bitmap, EInvalidGraphic when a bitmap is not valid.
    // *consumed (when given) receives the number of bytes read.
    static TbsSkinPictures read(const std::uint8_t* data, std::size_t size, std::size_t* consumed = nullptr);
    static TbsSkinPictures read(const QByteArray& bytes);

    // Appends the layout to out.
    void write(QByteArray& out) const;
    QByteArray toBytes() const;
};
