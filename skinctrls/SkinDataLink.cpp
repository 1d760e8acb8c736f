#include "SkinDataLink.h"

#include "SkinLookup.h"

void relinkSkinData(TComponent& control, TbsSkinData*& link, TbsSkinData* value)
{
    if (TComponent* old = link ? skinDataComponent(link) : nullptr)
        old->removeFreeNotification(&control);
    link = value;
    if (TComponent* now = link ? skinDataComponent(link) : nullptr)
        now->freeNotification(&control);
}

bool isSkinDataRemoval(TbsSkinData* link, TComponent* component, TComponent::Operation operation)
{
    return operation == TComponent::Operation::Remove && link && component == skinDataComponent(link);
}
