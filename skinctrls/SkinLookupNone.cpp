// Built while the skin data library is not part of the tree: every control stays unskinned.
#include "MorphBlend.h"
#include "SkinLookup.h"

bool skinIsLoaded(const TbsSkinData*) { return false; }
std::optional<SkinSection> findSkinSection(const TbsSkinData*, const QString&) { return std::nullopt; }
TComponent* skinDataComponent(TbsSkinData*) { return nullptr; }

// Nothing morphs without a skin.
QImage morphBlend(const QImage& a, const QImage&, double, int) { return a; }
