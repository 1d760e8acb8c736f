#include "SkinControlsRelay.h"

#include "SkinChangeReceiver.h"
#include "SkinMessages.h"

#include <QWidget>

void RelaySkinMessageToControls(QWidget* form, int message, TbsSkinData* skinData)
{
    if (message != SKM_BEFORECHANGE && message != SKM_CHANGE)
        return;
    // findChildren lists parents before their children, so a panel has its new client area
    // before the controls inside it take their skinned sizes. Pop-up children (the date
    // edits' calendars) are found too; they refit when they next drop down.
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        auto* control = dynamic_cast<SkinChangeReceiver*>(widget);
        if (!control || (skinData && control->SkinData() != skinData))
            continue;
        if (message == SKM_BEFORECHANGE)
            control->ResetSkinSection();
        else
            control->ApplySkin();
    }
}
