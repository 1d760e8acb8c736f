#include "BmpFile.h"

#include "Exception.h"

#include <QFile>
#include <cstring>
#include <vector>

namespace BmpFile {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

[[noreturn]] void invalid() { throw EInvalidGraphic(kInvalidBitmapMessage); }
[[noreturn]] void cutShort() { throw EReadError(kReadErrorMessage); }

std::uint16_t u16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t u32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
         | (std::uint32_t(p[3]) << 24);
}
std::int32_t s32(const std::uint8_t* p) { return std::int32_t(u32(p)); }

void put16(QByteArray& out, std::uint16_t v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void put32(QByteArray& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

std::size_t rowStride(std::int64_t width, int bits) { return std::size_t(((width * bits + 31) / 32) * 4); }

} // namespace

QImage read(const std::uint8_t* data, std::size_t size, std::size_t* consumed)
{
    if (size < kFileHeaderSize)
        cutShort();
    if (data[0] != 'B' || data[1] != 'M')
        invalid();
    const std::uint32_t fileSize = u32(data + 2);
    const std::uint32_t pixelOffset = u32(data + 10);
    if (fileSize < kFileHeaderSize + 12)
        invalid();
    if (fileSize > size)
        cutShort();
    const std::uint8_t* info = data + kFileHeaderSize;
    const std::size_t infoAvailable = fileSize - kFileHeaderSize;
    const std::uint32_t infoSize = u32(info);
    if (infoSize > infoAvailable)
        invalid();

    std::int64_t width = 0, height = 0;
    int bits = 0;
    std::uint32_t compression = kBiRgb, colorsUsed = 0;
    int paletteEntrySize = 4;
    if (infoSize == 12) { // the old core header: 16-bit sizes, 3-byte palette entries
        width = u16(info + 4);
        height = std::int16_t(u16(info + 6));
        if (u16(info + 8) != 1)
            invalid();
        bits = u16(info + 10);
        paletteEntrySize = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
        width = s32(info + 4);
        height = s32(info + 8);
        if (u16(info + 12) != 1)
            invalid();
        bits = u16(info + 14);
        compression = u32(info + 16);
        colorsUsed = u32(info + 32);
    } else {
        invalid();
    }

    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        invalid();
    if (compression == kBiBitfields) {
        // Only the plain 8-8-8 layout, which is what BI_RGB means for 32 bits anyway.
        if (bits != 32)
            invalid();
        const std::size_t masksAt = infoSize >= 52 ? 40 : infoSize;
        if (infoSize < 52 && infoSize + 12 > infoAvailable)
            invalid();
        if (u32(info + masksAt) != 0x00FF0000u || u32(info + masksAt + 4) != 0x0000FF00u
            || u32(info + masksAt + 8) != 0x000000FFu)
            invalid();
    } else if (compression != kBiRgb) {
        invalid();
    }
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension
        || width * height > kMaxPixels)
        invalid();

    // Palette
    std::size_t paletteCount = 0;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        if (colorsUsed > full)
            invalid();
        paletteCount = colorsUsed == 0 ? full : colorsUsed;
    }
    std::size_t paletteAt = kFileHeaderSize + infoSize;
    if (compression == kBiBitfields && infoSize == 40)
        paletteAt += 12;
    if (paletteAt + paletteCount * paletteEntrySize > fileSize)
        invalid();
    QList<QRgb> colours;
    colours.reserve(qsizetype(paletteCount));
    for (std::size_t i = 0; i < paletteCount; ++i) {
        const std::uint8_t* e = data + paletteAt + i * paletteEntrySize;
        colours.append(qRgb(e[2], e[1], e[0]));
    }

    const std::size_t stride = rowStride(width, bits);
    const std::size_t pixelBytes = stride * std::size_t(height);
    if (pixelOffset < paletteAt + paletteCount * paletteEntrySize || pixelOffset > fileSize
        || fileSize - pixelOffset < pixelBytes)
        invalid();
    const std::uint8_t* pixels = data + pixelOffset;

    QImage::Format format = bits == 1 ? QImage::Format_Mono
                          : bits <= 8 ? QImage::Format_Indexed8
                          : bits == 24 ? QImage::Format_RGB888
                                       : QImage::Format_RGB32;
    QImage image(int(width), int(height), format);
    if (image.isNull())
        invalid();
    int maxIndex = -1;
    for (int y = 0; y < int(height); ++y) {
        const std::uint8_t* src = pixels + stride * std::size_t(topDown ? y : int(height) - 1 - y);
        uchar* dst = image.scanLine(y);
        switch (bits) {
        case 1: {
            const std::size_t bytes = std::size_t((width + 7) / 8);
            std::memcpy(dst, src, bytes);
            for (int x = 0; x < int(width); ++x)
                maxIndex = std::max(maxIndex, (src[x >> 3] >> (7 - (x & 7))) & 1);
            break;
        }
        case 4:
            for (int x = 0; x < int(width); ++x) {
                const int v = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
                dst[x] = uchar(v);
                maxIndex = std::max(maxIndex, v);
            }
            break;
        case 8:
            std::memcpy(dst, src, std::size_t(width));
            for (int x = 0; x < int(width); ++x)
                maxIndex = std::max(maxIndex, int(src[x]));
            break;
        case 24:
            for (int x = 0; x < int(width); ++x) {
                dst[3 * x] = src[3 * x + 2];
                dst[3 * x + 1] = src[3 * x + 1];
                dst[3 * x + 2] = src[3 * x];
            }
            break;
        default: {
            auto* row = reinterpret_cast<QRgb*>(dst);
            for (int x = 0; x < int(width); ++x)
                row[x] = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
            break;
        }
        }
    }
    if (bits <= 8) {
        // An index beyond a short palette shows black, as the display would; the table grows
        // only as far as the pixels need, so a well-formed file keeps its palette.
        while (colours.size() <= maxIndex)
            colours.append(qRgb(0, 0, 0));
        image.setColorTable(colours);
    }
    if (consumed)
        *consumed = fileSize;
    return image;
}

QImage read(const QByteArray& bytes)
{
    return read(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
}

QImage readFile(const std::string& path) { return readFile(QString::fromStdString(path)); }

QImage readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(formatMessage(Msg::CannotOpenFile, path.toStdString(),
                                        file.errorString().toStdString()));
    return read(file.readAll());
}

int fileDepth(const QImage& image)
{
    if (image.isNull())
        return 0;
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Indexed8:
        return 8;
    case QImage::Format_RGB888:
        return 24;
    default:
        return 32;
    }
}

QByteArray write(const QImage& source)
{
    if (source.isNull())
        throw EInvalidGraphic(kInvalidBitmapMessage);
    const int bits = fileDepth(source);
    QImage image = source;
    if (bits == 1 && image.format() != QImage::Format_Mono)
        image = image.convertToFormat(QImage::Format_Mono);
    else if (bits == 32 && image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);

    QList<QRgb> colours;
    if (bits <= 8) {
        colours = image.colorTable();
        if (colours.isEmpty()) // an image without a table still needs one in the file
            colours = QList<QRgb>(1 << bits, qRgb(0, 0, 0));
        if (colours.size() > (1 << bits))
            throw EInvalidGraphic(kInvalidBitmapMessage);
    }
    const int width = image.width(), height = image.height();
    const std::size_t stride = rowStride(width, bits);
    const std::uint32_t pixelOffset = std::uint32_t(kFileHeaderSize + 40 + colours.size() * 4);
    const std::uint32_t pixelBytes = std::uint32_t(stride * std::size_t(height));

    QByteArray out;
    out.reserve(qsizetype(pixelOffset + pixelBytes));
    out.append("BM", 2);
    put32(out, pixelOffset + pixelBytes);
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, 40);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1);
    put16(out, std::uint16_t(bits));
    put32(out, kBiRgb);
    put32(out, pixelBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, bits <= 8 && colours.size() < (1 << bits) ? std::uint32_t(colours.size()) : 0);
    put32(out, 0);
    for (QRgb c : colours) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    std::vector<char> row(stride);
    for (int y = height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        const uchar* src = image.constScanLine(y);
        switch (bits) {
        case 1:
            std::memcpy(row.data(), src, std::size_t((width + 7) / 8));
            if (width % 8) // bits past the last pixel are not part of the picture
                row[std::size_t(width / 8)] = char(uchar(row[std::size_t(width / 8)]) & uchar(0xFF00 >> (width % 8)));
            break;
        case 8:
            std::memcpy(row.data(), src, std::size_t(width));
            break;
        case 24:
            for (int x = 0; x < width; ++x) {
                row[std::size_t(3 * x)] = char(src[3 * x + 2]);
                row[std::size_t(3 * x + 1)] = char(src[3 * x + 1]);
                row[std::size_t(3 * x + 2)] = char(src[3 * x]);
            }
            break;
        default: {
            const auto* px = reinterpret_cast<const QRgb*>(src);
            for (int x = 0; x < width; ++x) {
                row[std::size_t(4 * x)] = char(qBlue(px[x]));
                row[std::size_t(4 * x + 1)] = char(qGreen(px[x]));
                row[std::size_t(4 * x + 2)] = char(qRed(px[x]));
                row[std::size_t(4 * x + 3)] = 0;
            }
            break;
        }
        }
        out.append(row.data(), qsizetype(stride));
    }
    return out;
}

void writeFile(const std::string& path, const QImage& image)
{
    const QByteArray bytes = write(image);
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw EFCreateError(formatMessage(Msg::CannotCreateFile, path,
                                          file.errorString().toStdString()));
}

} // namespace BmpFile
