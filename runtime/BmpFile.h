#pragma once
// Windows bitmap files (".bmp") read into and written from QImage, byte-exact where the skins
// need it: a skin's pictures travel as complete bitmap files inside the form data.
//
// Pixel formats read: 1, 4 and 8 bits per pixel with a palette, 24 and 32 bits per pixel,
// rows bottom-up (positive height) or top-down (negative height), no compression (32 bits
// also with the standard BGR bit fields). The image formats they give:
//   1 bit            -> QImage::Format_Mono     (colour table from the palette)
//   4 and 8 bits     -> QImage::Format_Indexed8 (colour table from the palette)
//   24 bits          -> QImage::Format_RGB888
//   32 bits          -> QImage::Format_RGB32    (the fourth byte is not alpha)
// Writing chooses the file's depth from the image format the same way back (Mono and MonoLSB
// -> 1 bit, Indexed8 -> 8 bits, RGB888 -> 24 bits, anything else -> 32 bits), so a file read
// and written again is the same file, apart from the resolution fields and a 4-bit file,
// which comes back with 8 bits per pixel.
//
// Failures: a file that ends before the length its header gives raises EReadError
// ("Stream read error"); a header, size or palette that is not a valid bitmap raises
// EInvalidGraphic ("Bitmap image is not valid").

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

namespace BmpFile {

inline constexpr const char* kReadErrorMessage = "Stream read error";
inline constexpr const char* kInvalidBitmapMessage = "Bitmap image is not valid";

// Limits that keep a hostile header from asking for absurd amounts of memory.
inline constexpr int kMaxDimension = 32768;
inline constexpr std::int64_t kMaxPixels = 64 * 1024 * 1024;

// Reads one complete bitmap file from the start of data (size bytes available). The file's
// length is the file header's size field; *consumed (when given) receives it, so that files
// stored back to back can be read one after the other.
QImage read(const std::uint8_t* data, std::size_t size, std::size_t* consumed = nullptr);
QImage read(const QByteArray& bytes);

// Reads a bitmap file from disk; a file that cannot be opened raises EFOpenError.
QImage readFile(const std::string& path); // the path in UTF-8
QImage readFile(const QString& path);

// The complete bitmap file for an image (see the depth rule above). A null image cannot be
// written and raises EInvalidGraphic.
QByteArray write(const QImage& image);

// Writes the file; failure to create it raises EFCreateError.
void writeFile(const std::string& path, const QImage& image);

// Bits per pixel that write() gives the image (0 for a null image).
int fileDepth(const QImage& image);

}
