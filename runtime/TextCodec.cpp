#include "TextCodec.h"

#include <cerrno>
#include <algorithm>
#include <iconv.h>

namespace {

// iconv with a fixed replacement for what does not convert; a fresh descriptor per call keeps
// the module free of process-wide state (the preview plug-in is loaded and unloaded at will).
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char buffer[1024];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip one byte of the input (a lead byte without its trail
            // byte, or a character with no form in the target) and mark it.
            out.append(replacement);
            if (errno == EILSEQ && std::string_view(from) == "UTF-8") {
                // Skip the whole UTF-8 sequence, not just its first byte.
                unsigned char c = static_cast<unsigned char>(*src);
                size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
                len = std::min(len, srcLeft);
                src += len;
                srcLeft -= len;
            } else {
                ++src;
                --srcLeft;
            }
        }
    }
    iconv_close(cd);
    return out;
}

}

namespace TextCodec {

QString fromCp950(std::string_view bytes)
{
    return QString::fromStdString(cp950ToUtf8(bytes));
}

std::string toCp950(const QString& text)
{
    return utf8ToCp950(text.toStdString());
}

std::string cp950ToUtf8(std::string_view bytes)
{
    bool ascii = true;
    for (unsigned char c : bytes)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return std::string(bytes);
    return convert("UTF-8", "CP950", bytes, "\xEF\xBF\xBD");
}

std::string utf8ToCp950(std::string_view utf8)
{
    bool ascii = true;
    for (unsigned char c : utf8)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return std::string(utf8);
    return convert("CP950", "UTF-8", utf8, "?");
}

std::string truncateCp950(std::string_view bytes, size_t maxBytes)
{
    if (bytes.size() <= maxBytes)
        return std::string(bytes);
    size_t i = 0;
    while (i < maxBytes) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t len = (c >= 0x81 && c <= 0xFE && i + 1 < bytes.size()) ? 2 : 1;
        if (i + len > maxBytes)
            break;
        i += len;
    }
    return std::string(bytes.substr(0, i));
}

}
