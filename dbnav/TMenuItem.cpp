#include "TMenuItem.h"

#include "Application.h"

TMenuItem::TMenuItem(QObject* parent, TComponent* owner) : QAction(parent), TComponent(owner)
{
    connect(this, &QAction::triggered, this, guarded([this](bool) { Click(); }));
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}
