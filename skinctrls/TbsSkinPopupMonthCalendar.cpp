#include "TbsSkinPopupMonthCalendar.h"

#include <QEvent>

TbsSkinPopupMonthCalendar::TbsSkinPopupMonthCalendar(QWidget* parent, TComponent* owner)
    : TbsSkinMonthCalendar(parent, owner)
{
    // Not Qt::Popup: a pop-up grabs the keyboard and replays outside clicks. A tool window that
    // accepts no focus leaves the keyboard with the edit; the edit closes it on outside clicks.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

bool TbsSkinPopupMonthCalendar::event(QEvent* event)
{
    // A click does not activate the drop-down: where the window system activates it all the
    // same, the activation goes back to the window it drops down from, and the keyboard with it.
    if (event->type() == QEvent::WindowActivate && parentWidget())
        if (QWidget* owner = parentWidget()->window(); owner && owner != this)
            owner->activateWindow();
    return TbsSkinMonthCalendar::event(event);
}
