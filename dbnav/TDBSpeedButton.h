#pragma once
// The navigation speed button as forms place it (all behaviour is in TCustomDBSpeedButton).

#include "TCustomDBSpeedButton.h"

class TDBSpeedButton : public TCustomDBSpeedButton {
    Q_OBJECT
public:
    using TCustomDBSpeedButton::TCustomDBSpeedButton;
    const char* className() const noexcept override { return "TDBSpeedButton"; }
};
