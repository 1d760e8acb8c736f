// The BMP reader: any bytes either give a picture that writes and reads back the same, or
// one of the two documented errors.
#include "BmpFile.h"
#include "Exception.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QImage image;
    try {
        std::size_t consumed = 0;
        image = BmpFile::read(data, size, &consumed);
        if (consumed > size)
            std::abort();
    } catch (const EReadError&) {
        return 0;
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    const QByteArray file = BmpFile::write(image);
    const QImage back = BmpFile::read(file);
    if (back.size() != image.size() || back.depth() != image.depth() || BmpFile::write(back) != file)
        std::abort();
    return 0;
}
