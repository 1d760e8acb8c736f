// The compressed-skin load: the bytes as "CompressedData", and (so that the fuzzer reaches
// past the zlib layer) the same bytes compressed as the content.
#include "Exception.h"
#include "SkinZlib.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsSkinData.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TbsCompressedStoredSkin asStream;
    asStream.setCompressedData(bytes);
    TbsCompressedStoredSkin asContent;
    asContent.setCompressedData(SkinZlib::compress(bytes));
    for (const TbsCompressedStoredSkin* skin : {&asStream, &asContent}) {
        TbsSkinData skinData;
        try {
            skinData.LoadFromCompressedStoredSkin(*skin);
        } catch (const Exception&) {
            if (!skinData.IsEmpty())
                std::abort(); // a failed load never leaves a skin in force
        }
    }
    return 0;
}
