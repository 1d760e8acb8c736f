#include "TbsSkinPictures.h"

#include "BmpFile.h"
#include "Exception.h"

namespace {

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte()
    {
        need(1);
        return data_[pos_++];
    }
    std::int32_t int32()
    {
        need(4);
        const std::uint8_t* p = data_ + pos_;
        pos_ += 4;
        return std::int32_t(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
                            | (std::uint32_t(p[3]) << 24));
    }
    QImage bitmap()
    {
        std::size_t length = 0;
        QImage image = BmpFile::read(data_ + pos_, size_ - pos_, &length);
        pos_ += length;
        return image;
    }
    // A flag byte and, when it says "not empty", the bitmap file after it.
    QImage optionalBitmap() { return byte() != 0 ? QImage() : bitmap(); }
    std::size_t position() const { return pos_; }

private:
    void need(std::size_t n) const
    {
        if (size_ - pos_ < n)
            throw EReadError(BmpFile::kReadErrorMessage);
    }
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void putBitmapWithFlag(QByteArray& out, const QImage& image)
{
    if (image.isNull()) {
        out.append(char(1));
        return;
    }
    out.append(char(0));
    out.append(BmpFile::write(image));
}

} // namespace

TbsSkinPictures TbsSkinPictures::read(const std::uint8_t* data, std::size_t size, std::size_t* consumed)
{
    Reader in(data, size);
    TbsSkinPictures pictures;
    pictures.MainPicture = in.optionalBitmap();
    pictures.InactivePicture = in.optionalBitmap();
    pictures.MaskPicture = in.optionalBitmap();
    const std::int32_t count = in.int32();
    // No reservation from the count: a hostile count must not allocate; the data runs out first.
    for (std::int32_t i = 0; i < count; ++i)
        pictures.ActivePictures.push_back(in.bitmap());
    if (consumed)
        *consumed = in.position();
    return pictures;
}

TbsSkinPictures TbsSkinPictures::read(const QByteArray& bytes)
{
    return read(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
}

void TbsSkinPictures::write(QByteArray& out) const
{
    putBitmapWithFlag(out, MainPicture);
    putBitmapWithFlag(out, InactivePicture);
    putBitmapWithFlag(out, MaskPicture);
    const auto count = std::uint32_t(ActivePictures.size());
    for (int i = 0; i < 4; ++i)
        out.append(char((count >> (8 * i)) & 0xFF));
    for (const QImage& image : ActivePictures)
        out.append(BmpFile::write(image));
}

QByteArray TbsSkinPictures::toBytes() const
{
    QByteArray out;
    write(out);
    return out;
}
