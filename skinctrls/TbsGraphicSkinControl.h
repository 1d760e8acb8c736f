#pragma once
// The windowless skinned controls. Every control is a widget here; what makes these
// "windowless" is that they never take the focus and never shape themselves with a region.

#include "TbsSkinCustomControl.h"

class TbsGraphicSkinControl : public TbsSkinControl {
    Q_OBJECT
public:
    explicit TbsGraphicSkinControl(QWidget* parent = nullptr, TComponent* owner = nullptr)
        : TbsSkinControl(parent, owner)
    {
        setFocusPolicy(Qt::NoFocus);
    }
    const char* className() const noexcept override { return "TbsGraphicSkinControl"; }
};

class TbsGraphicSkinCustomControl : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsGraphicSkinCustomControl(QWidget* parent = nullptr, TComponent* owner = nullptr)
        : TbsSkinCustomControl(parent, owner)
    {
        setFocusPolicy(Qt::NoFocus);
    }
    const char* className() const noexcept override { return "TbsGraphicSkinCustomControl"; }

protected:
    bool usesWindowRegion() const override { return false; }
};
