// The "Pictures" value reader: bytes give pictures that stream back to the same layout, or
// one of the documented errors.
#include "Exception.h"
#include "TbsSkinPictures.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TbsSkinPictures pictures;
    try {
        std::size_t consumed = 0;
        pictures = TbsSkinPictures::read(data, size, &consumed);
        if (consumed > size)
            std::abort();
    } catch (const EReadError&) {
        return 0;
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    const QByteArray bytes = pictures.toBytes();
    if (TbsSkinPictures::read(bytes).toBytes() != bytes)
        std::abort();
    return 0;
}
