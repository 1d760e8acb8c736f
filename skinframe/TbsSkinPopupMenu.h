#pragma once
// A pop-up menu component whose Popup shows its items in the skinned menu windows of the
// frame on its form.

#include "Component.h"
#include "NotifyEvent.h"
#include "SkinMenuEntry.h"

class QWidget;
class TbsSkinData;
class TbsSkinFrame;

class TbsSkinPopupMenu : public TComponent {
public:
    explicit TbsSkinPopupMenu(TComponent* owner = nullptr) : TComponent(owner) {}
    const char* className() const noexcept override { return "TbsSkinPopupMenu"; }

    SkinMenuEntry Items;
    TbsSkinData* SkinData = nullptr;
    TComponent* Form = nullptr; // the form whose frame shows the menu; else the owner's
    TNotifyEvent OnPopup;

    // Screen coordinates. Does nothing without a frame on the form.
    void Popup(int x, int y);
    TbsSkinFrame* findFrame() const;
};
