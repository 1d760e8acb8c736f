#include "EventDispatch.h"

#include "Application.h"

void runGuarded(const std::function<void()>& action)
{
    dispatch(action);
}

void fireNotify(const TNotifyEvent& event, QObject* sender)
{
    if (event)
        dispatch([&] { event(sender); });
}
