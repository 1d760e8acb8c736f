#pragma once
// A menu item: an action with a click handler (OnClick) that a navigation button can keep in
// step with itself.

#include "Component.h"

#include <QAction>
#include <functional>

class TMenuItem : public QAction, public TComponent {
    Q_OBJECT
public:
    explicit TMenuItem(QObject* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TMenuItem"; }

    std::function<void(QObject* Sender)> OnClick;
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool enabled) { QAction::setEnabled(enabled); }
    // What choosing the item does: OnClick with the item as sender.
    void Click();
};
