#pragma once
// Our two skins, loaded from their folders: the stored one (150 x 108, buttons rect, 1-bit
// mask) and the compressed one (126 x 96, no buttons or caption rect, no mask).

#include "FrameGeometry.h"
#include "TbsSkinData.h"
#include "TbsStoredSkin.h"

#include <string>

namespace skins {

inline TbsSkinData* load(TComponent* owner, const std::string& folder)
{
    auto* stored = new TbsStoredSkin(owner);
    stored->LoadFromSkinFile(std::string(CUSTPROD_SOURCE_DIR) + "/skins/" + folder + "/SKIN.INI");
    auto* data = new TbsSkinData(owner);
    data->setStoredSkin(stored);
    return data;
}

inline FrameSkinMetrics metrics(const TbsSkinData& data)
{
    return FrameSkinMetrics::fromFormInfo(data.FormInfo(), data.MainPicture().size());
}

}
