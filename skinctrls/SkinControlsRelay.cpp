#include "SkinControlsRelay.h"

#include "SkinMessages.h"
#include "TbsSkinControl.h"
#include "TbsSkinCustomEdit.h"
#include "TbsSkinMemo.h"
#include "TbsSkinStdLabel.h"

#include <QWidget>

namespace {

template <class Control>
bool relayTo(QWidget* widget, int message, TbsSkinData* skinData)
{
    auto* control = dynamic_cast<Control*>(widget);
    if (!control)
        return false;
    if (skinData && control->SkinData() != skinData)
        return true;
    if (message == SKM_BEFORECHANGE)
        control->ResetSkinSection();
    else
        control->ApplySkin();
    return true;
}

}  // namespace

void RelaySkinMessageToControls(QWidget* form, int message, TbsSkinData* skinData)
{
    if (message != SKM_BEFORECHANGE && message != SKM_CHANGE)
        return;
    // findChildren lists parents before their children, so a panel has its new client area
    // before the controls inside it take their skinned sizes. Pop-up children (the date
    // edits' calendars) are found too; they refit when they next drop down.
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        relayTo<TbsSkinControl>(widget, message, skinData) || relayTo<TbsSkinCustomEdit>(widget, message, skinData)
            || relayTo<TbsSkinMemo>(widget, message, skinData) || relayTo<TbsSkinStdLabel>(widget, message, skinData);
    }
}
