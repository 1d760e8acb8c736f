// Windows bitmap files: the formats read and written, and the validation of headers and sizes.
#include "BmpFile.h"
#include "Exception.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

void put16(QByteArray& b, int at, int v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}
void put32(QByteArray& b, int at, std::int64_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// A 2 x 2 file written by hand: 24 bits, bottom-up, rows padded to 8 bytes.
QByteArray tiny24()
{
    QByteArray b(14 + 40 + 16, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, b.size());
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, 2);
    put32(b, 22, 2);
    put16(b, 26, 1);
    put16(b, 28, 24);
    put32(b, 34, 16); // image size
    // bottom row: blue, green; top row: red, white (bytes are B, G, R)
    const unsigned char px[16] = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    for (int i = 0; i < 16; ++i)
        b[54 + i] = char(px[i]);
    return b;
}

TEST(BmpFile, ReadsAHandWrittenFile)
{
    const QImage image = BmpFile::read(tiny24());
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.depth(), 24);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
    // Written again it is the same file.
    EXPECT_EQ(BmpFile::write(image), tiny24());

    // Top-down: a negative height flips the row order.
    QByteArray topDown = tiny24();
    put32(topDown, 22, -2);
    const QImage flipped = BmpFile::read(topDown);
    EXPECT_EQ(flipped.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(flipped.pixel(0, 1), qRgb(255, 0, 0));
}

TEST(BmpFile, RoundTripsEveryDepth)
{
    QImage mono(13, 5, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    QImage indexed(7, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(40, 50, 60), qRgb(200, 100, 0)});
    QImage rgb(5, 4, QImage::Format_RGB888);
    QImage rgb32(3, 3, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            mono.setPixel(x, y, uint((x + y) % 2));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            indexed.setPixel(x, y, uint((x * y) % 3));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            rgb.setPixel(x, y, qRgb(x * 40, y * 60, 7));
    rgb32.fill(qRgb(9, 8, 7));

    struct Case {
        const char* name;
        QImage image;
        int depth;
        int fileSize;
    };
    const Case cases[] = {
        {"1 bit", mono, 1, 14 + 40 + 8 + 5 * 4},
        {"8 bits", indexed, 8, 14 + 40 + 3 * 4 + 3 * 8},
        {"24 bits", rgb, 24, 14 + 40 + 4 * 16},
        {"32 bits", rgb32, 32, 14 + 40 + 3 * 12},
    };
    for (const Case& c : cases) {
        const QByteArray file = BmpFile::write(c.image);
        EXPECT_EQ(file.size(), c.fileSize) << c.name;
        const QImage back = BmpFile::read(file);
        EXPECT_EQ(back.depth(), c.depth) << c.name;
        EXPECT_EQ(back.size(), c.image.size()) << c.name;
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                ASSERT_EQ(back.pixel(x, y), c.image.pixel(x, y)) << c.name << " " << x << "," << y;
        EXPECT_EQ(BmpFile::write(back), file) << c.name;
    }
}

TEST(BmpFile, ReadsFourBitsAsEightAndPadsShortPalettes)
{
    // 3 x 1 at 4 bits with a 2-colour palette whose pixels use index 5.
    QByteArray b(14 + 40 + 8 + 4, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, b.size());
    put32(b, 10, 62);
    put32(b, 14, 40);
    put32(b, 18, 3);
    put32(b, 22, 1);
    put16(b, 26, 1);
    put16(b, 28, 4);
    put32(b, 46, 2);
    b[54] = char(10); // palette 0: blue 10
    b[58 + 2] = char(20); // palette 1: red 20
    b[62] = char(0x15); // pixels 1, 5
    b[63] = char(0x00); // pixel 0
    const QImage image = BmpFile::read(b);
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.pixel(0, 0), qRgb(20, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 0)); // beyond the palette: black
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 10));
}

TEST(BmpFile, RejectsWhatIsNotAValidBitmap)
{
    const QByteArray good = tiny24();
    struct Case {
        const char* name;
        std::function<void(QByteArray&)> spoil;
        const char* error;
    };
    const Case cases[] = {
        {"shorter than the file header", [](QByteArray& b) { b.truncate(10); }, "EReadError"},
        {"file shorter than its size field", [](QByteArray& b) { b.chop(1); }, "EReadError"},
        {"size field larger than the data", [](QByteArray& b) { put32(b, 2, b.size() + 100); }, "EReadError"},
        {"wrong magic", [](QByteArray& b) { b[1] = 'X'; }, "EInvalidGraphic"},
        {"size field too small for headers", [](QByteArray& b) { put32(b, 2, 20); }, "EInvalidGraphic"},
        {"unknown info header size", [](QByteArray& b) { put32(b, 14, 41); }, "EInvalidGraphic"},
        {"two planes", [](QByteArray& b) { put16(b, 26, 2); }, "EInvalidGraphic"},
        {"16 bits per pixel", [](QByteArray& b) { put16(b, 28, 16); }, "EInvalidGraphic"},
        {"run-length compression", [](QByteArray& b) { put32(b, 30, 1); }, "EInvalidGraphic"},
        {"zero width", [](QByteArray& b) { put32(b, 18, 0); }, "EInvalidGraphic"},
        {"negative width", [](QByteArray& b) { put32(b, 18, -2); }, "EInvalidGraphic"},
        {"zero height", [](QByteArray& b) { put32(b, 22, 0); }, "EInvalidGraphic"},
        {"pixels beyond the file", [](QByteArray& b) { put32(b, 22, 3); }, "EInvalidGraphic"},
        {"huge dimensions", [](QByteArray& b) { put32(b, 18, 100000); put32(b, 22, 100000); }, "EInvalidGraphic"},
        {"pixel offset inside the header", [](QByteArray& b) { put32(b, 10, 20); }, "EInvalidGraphic"},
        {"pixel offset beyond the file", [](QByteArray& b) { put32(b, 10, 1000); }, "EInvalidGraphic"},
        {"palette larger than 2^bits",
         [](QByteArray& b) { put16(b, 28, 1); put32(b, 46, 3); }, "EInvalidGraphic"},
        {"palette beyond the file",
         [](QByteArray& b) { put16(b, 28, 8); put32(b, 46, 0); }, "EInvalidGraphic"},
    };
    for (const Case& c : cases) {
        QByteArray bytes = good;
        c.spoil(bytes);
        try {
            BmpFile::read(bytes);
            ADD_FAILURE() << c.name;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.className(), c.error) << c.name;
            EXPECT_EQ(e.message(), std::string(c.error == std::string("EReadError") ? "Stream read error"
                                                                                   : "Bitmap image is not valid"))
                << c.name;
        }
    }
}

TEST(BmpFile, FileLengthIsTheSizeField)
{
    QByteArray two = tiny24() + tiny24() + QByteArray("tail");
    std::size_t consumed = 0;
    BmpFile::read(reinterpret_cast<const std::uint8_t*>(two.constData()), std::size_t(two.size()), &consumed);
    EXPECT_EQ(consumed, std::size_t(tiny24().size()));
    EXPECT_THROW(BmpFile::write(QImage()), EInvalidGraphic);
}

} // namespace
