#include "SkinZlib.h"

#include <zlib.h>

namespace SkinZlib {

QByteArray compress(const QByteArray& content)
{
    z_stream z{};
    if (deflateInit(&z, Z_BEST_COMPRESSION) != Z_OK)
        throw ECompressionError(kErrorMessage);
    QByteArray out(qsizetype(deflateBound(&z, uLong(content.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.constData()));
    z.avail_in = uInt(content.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const int result = deflate(&z, Z_FINISH);
    const uLong written = z.total_out;
    deflateEnd(&z);
    if (result != Z_STREAM_END)
        throw ECompressionError(kErrorMessage);
    out.truncate(qsizetype(written));
    return out;
}

QByteArray decompress(const std::uint8_t* data, std::size_t size)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        throw EDecompressionError(kErrorMessage);
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(size);
    QByteArray out;
    unsigned char step[kStepSize];
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        z.next_out = step;
        z.avail_out = sizeof step;
        result = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = sizeof step - z.avail_out;
        const bool failed = result != Z_OK && result != Z_STREAM_END;
        const bool stalled = result == Z_OK && produced == 0 && z.avail_in == 0;
        if (failed || stalled || std::size_t(out.size()) + produced > kMaxContent) {
            inflateEnd(&z);
            throw EDecompressionError(kErrorMessage);
        }
        out.append(reinterpret_cast<const char*>(step), qsizetype(produced));
    }
    inflateEnd(&z);
    return out;
}

QByteArray decompress(const QByteArray& data)
{
    return decompress(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()));
}

}
