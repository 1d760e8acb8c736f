// Any bytes given to the template reader either make a template or raise ETemplateError;
// never a crash, a hang or another exception. A template that parses is also laid out over
// a few rows, so that what the reader accepts is safe for pagination too.

#include "ReportErrors.h"
#include "ReportPaginator.h"
#include "TemplateReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ReportTemplate tmpl = TemplateReader::parse(QByteArray(reinterpret_cast<const char*>(data), int(size)),
                                                    QStringLiteral("fuzz.rtm"));
        std::vector<GroupRange> groups = {{0, 3}, {3, 4}};
        auto pages = ReportPaginator::paginate(tmpl, groups, [](const ReportBand& band, int, int) { return band.height; });
        if (pages.empty())
            std::abort();
    } catch (const ETemplateError&) {
    }
    return 0;
}
