#include "TbsSkinPopupMonthCalendar.h"

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
