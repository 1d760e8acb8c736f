// Feeds arbitrary bytes to the dataset-file reader. Any input must either parse or fail with
// EReadError; whatever parses must write back to the very same bytes.

#include "DatasetFile.h"
#include "Exception.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    DataPacket packet;
    try {
        packet = DatasetFile::parse(bytes, "fuzz.cds");
    } catch (const EReadError&) {
        return 0;
    }
    // The format has exactly one encoding per packet, so a round trip is byte for byte.
    if (DatasetFile::serialize(packet) != bytes)
        std::abort();
    return 0;
}
