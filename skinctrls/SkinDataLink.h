#pragma once
// A skinned control's link to its skin data object: the control asks to be told when the
// object goes, so that it never keeps a dangling one.

#include "Component.h"

class TbsSkinData;

// link := value, moving the control's free notification from the old object to the new one.
void relinkSkinData(TComponent& control, TbsSkinData*& link, TbsSkinData* value);

// The notification tells that the linked skin data object is being destroyed.
bool isSkinDataRemoval(TbsSkinData* link, TComponent* component, TComponent::Operation operation);
