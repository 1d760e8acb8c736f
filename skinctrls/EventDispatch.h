#pragma once
// Every event handler of the skinned controls is entered here, so that an error in a handler
// is reported and never reaches Qt's event loop.

#include "NotifyEvent.h"

#include <functional>

class QObject;

void fireNotify(const TNotifyEvent& event, QObject* sender);

// Runs a piece of control logic that may fail (a date that does not convert) under the same
// error report.
void runGuarded(const std::function<void()>& action);
