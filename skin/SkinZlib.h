#pragma once
// The zlib stream of the compressed skin: compression at the best level (header 78 DA) and
// decompression through a 4,096-byte buffer into a growing memory buffer.

#include "Exception.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

CUSTPROD_DECLARE_EXCEPTION(EZLibError, Exception);
CUSTPROD_DECLARE_EXCEPTION(ECompressionError, EZLibError);
CUSTPROD_DECLARE_EXCEPTION(EDecompressionError, EZLibError);

namespace SkinZlib {

inline constexpr const char* kErrorMessage = "compression error";
inline constexpr std::size_t kStepSize = 4096;
// A skin is a few hundred kilobytes; content beyond this is refused as corrupt rather than
// letting a hostile stream exhaust memory.
inline constexpr std::size_t kMaxContent = 64u * 1024 * 1024;

// One complete zlib stream (header, deflate data, Adler-32) at level 9.
// Raises ECompressionError ("compression error") when zlib fails.
QByteArray compress(const QByteArray& content);

// Inflates a zlib stream from its start, 4,096 bytes at a time, until the stream ends.
// Corrupt data raises EDecompressionError ("compression error"); so does a stream that stops
// before its end, since what came out of it would be silently incomplete, and content
// beyond kMaxContent.
QByteArray decompress(const std::uint8_t* data, std::size_t size);
QByteArray decompress(const QByteArray& data);

}
