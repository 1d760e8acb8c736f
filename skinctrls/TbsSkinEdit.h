#pragma once
// The skinned edit as forms use it: section "edit", or "buttonedit" with the button.

#include "TbsSkinCustomEdit.h"

class TbsSkinEdit : public TbsSkinCustomEdit {
    Q_OBJECT
public:
    explicit TbsSkinEdit(QWidget* parent = nullptr, TComponent* owner = nullptr) : TbsSkinCustomEdit(parent, owner) {}
    const char* className() const noexcept override { return "TbsSkinEdit"; }
};
