#pragma once
// The one boundary between the data layer's bytes in the system code page (CP950, Big5) and
// the user interface's Unicode. Data stay std::string (sizes in bytes); widgets use QString.

#include <QString>
#include <string>
#include <string_view>

namespace TextCodec {

// Big5 bytes to Unicode. Bytes that do not decode become U+FFFD; never throws.
QString fromCp950(std::string_view bytes);
// Unicode to Big5 bytes. Characters without a Big5 form become '?'; never throws.
std::string toCp950(const QString& text);

// UTF-8 helpers for the data layer (exception messages are UTF-8).
std::string cp950ToUtf8(std::string_view bytes);
std::string utf8ToCp950(std::string_view utf8);

// Cuts Big5 text to at most maxBytes bytes without splitting a double-byte character.
std::string truncateCp950(std::string_view bytes, size_t maxBytes);

}
