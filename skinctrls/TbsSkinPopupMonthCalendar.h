#pragma once
// The date edit's drop-down: a month calendar in a frameless top-level window that is shown
// without activation and never takes the keyboard focus.

#include "TbsSkinMonthCalendar.h"

class TbsSkinPopupMonthCalendar : public TbsSkinMonthCalendar {
    Q_OBJECT
public:
    explicit TbsSkinPopupMonthCalendar(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsSkinPopupMonthCalendar"; }

protected:
    bool event(QEvent* event) override;
};
