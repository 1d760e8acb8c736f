#include "TbsUserObject.h"

#include "TbsSkinFrame.h"

void TbsUserObject::Draw(QPainter& canvas, bool /*update*/)
{
    if (FFrame && FFrame->OnPaintEvent)
        FFrame->OnPaintEvent(IDName, canvas, ObjectRect.toQRect());
}
