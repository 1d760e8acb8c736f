#pragma once
// The one place that reads a skin data object for the skinned controls: whether it holds a
// skin, and a section's values by name.

#include "SkinSection.h"

#include <QString>
#include <optional>

class TbsSkinData;
class TComponent;

// Assigned and not IsEmpty.
bool skinIsLoaded(const TbsSkinData* skinData);

// The section of that name, or nothing when the skin is missing, empty or has no such section.
std::optional<SkinSection> findSkinSection(const TbsSkinData* skinData, const QString& name);

// The skin data object as a component (for free notifications), or nullptr.
TComponent* skinDataComponent(TbsSkinData* skinData);
