// The code-page conversion between Big5 data and the user interface: any bytes, read as Big5
// and as UTF-8. Decoding gives valid UTF-8; what decodes without replacement encodes back to
// the same text; cutting never splits a double-byte character and never grows the text.
#include "TextCodec.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool validUtf8(const std::string& s)
{
    const QString decoded = QString::fromUtf8(s.data(), qsizetype(s.size()));
    return decoded.toUtf8() == QByteArray(s.data(), qsizetype(s.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = TextCodec::cp950ToUtf8(bytes);
    if (!validUtf8(utf8))
        std::abort();
    if (utf8.find("\xEF\xBF\xBD") == std::string::npos) {
        // Every character decoded: encoding gives Big5 that decodes to the same text.
        const std::string back = TextCodec::utf8ToCp950(utf8);
        if (TextCodec::cp950ToUtf8(back) != utf8)
            std::abort();
    }
    if (TextCodec::fromCp950(bytes).toUtf8().toStdString() != utf8)
        std::abort();

    // The same bytes as UTF-8 (as exception messages and source literals are).
    const std::string big5 = TextCodec::utf8ToCp950(bytes);
    (void)TextCodec::toCp950(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
    (void)big5;

    // Cutting: a prefix, no longer than asked, ending on a character boundary.
    for (std::size_t limit : {std::size_t(0), std::size_t(1), size / 2, size > 0 ? size - 1 : 0, size}) {
        const std::string cut = TextCodec::truncateCp950(bytes, limit);
        if (cut.size() > limit || bytes.compare(0, cut.size(), cut) != 0)
            std::abort();
        // Walking the cut text by the same lead-byte rule must land exactly on its end.
        std::size_t i = 0;
        while (i < cut.size()) {
            const auto c = static_cast<unsigned char>(cut[i]);
            i += (c >= 0x81 && c <= 0xFE && i + 1 < bytes.size()) ? 2 : 1;
        }
        if (i != cut.size())
            std::abort();
    }
    return 0;
}
