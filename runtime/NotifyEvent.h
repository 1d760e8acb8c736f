#pragma once
// The event type of the controls' notify events (OnClick, OnChange, ...): the sender only.

#include <functional>

class QObject;
using TNotifyEvent = std::function<void(QObject* Sender)>;
