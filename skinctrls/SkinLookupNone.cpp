// Built while the skin data library is not part of the tree: every control stays unskinned.
#include "SkinLookup.h"

bool skinIsLoaded(const TbsSkinData*) { return false; }
std::optional<SkinSection> findSkinSection(const TbsSkinData*, const QString&) { return std::nullopt; }
TComponent* skinDataComponent(TbsSkinData*) { return nullptr; }
