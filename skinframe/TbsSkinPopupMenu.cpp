#include "TbsSkinPopupMenu.h"

#include "TbsSkinFrame.h"
#include "TbsSkinMenu.h"

namespace {

TbsSkinFrame* frameOf(TComponent* form)
{
    if (!form)
        return nullptr;
    for (TComponent* c : form->components())
        if (auto* frame = dynamic_cast<TbsSkinFrame*>(c))
            return frame;
    return nullptr;
}

}

TbsSkinFrame* TbsSkinPopupMenu::findFrame() const
{
    if (TbsSkinFrame* f = frameOf(Form))
        return f;
    if (TbsSkinFrame* f = frameOf(owner()))
        return f;
    return owner() ? frameOf(owner()->owner()) : nullptr;
}

void TbsSkinPopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup(nullptr);
    TbsSkinFrame* frame = findFrame();
    if (!frame)
        return;
    TbsSkinData* skin = SkinData;
    if (!skin)
        skin = frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData();
    frame->EnterMenuMode();
    frame->skinMenu()->ShowPopup(skin, false, &Items, QRect(x, y, 0, 0));
}
