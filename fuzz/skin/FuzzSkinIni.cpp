// The skin INI reader and the section load: arbitrary text as a stored skin's INI lines.
#include "Exception.h"
#include "TbsSkinData.h"
#include "TbsSkinIni.h"
#include "TbsStoredSkin.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TbsSkinIni ini = TbsSkinIni::fromText(text);
    TbsStoredSkin stored;
    const std::vector<std::string> lines = ini.lines();
    stored.IniStrings.assign(lines.begin(), lines.end());
    // The raw text as lines too, so that the reader sees it unnormalised.
    TbsStoredSkin raw;
    raw.IniStrings.emplace_back(text);
    TbsSkinData skin;
    for (TbsStoredSkin* s : {&stored, &raw}) {
        try {
            skin.LoadFromStoredSkin(*s);
        } catch (const Exception&) {
            // Conversion errors are the documented outcome of bad rects and points.
        }
    }
    // Saving what was loaded must give a text that loads again without error.
    if (!skin.IsEmpty()) {
        TbsSkinIni out;
        for (const auto& o : skin.ObjectDataList())
            o->SaveToIni(out);
        for (const auto& c : skin.ControlDataList())
            c->SaveToIni(out);
        for (const auto& o : skin.ObjectDataList())
            o->LoadFromIni(out);
        for (const auto& c : skin.ControlDataList())
            c->LoadFromIni(out);
    }
    return 0;
}
