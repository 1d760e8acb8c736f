#pragma once
// A frame area that only reports the mouse: it draws nothing itself and lets the
// application paint it through the frame's OnPaintEvent.

#include "TbsActiveSkinObject.h"

class TbsUserObject : public TbsActiveSkinObject {
public:
    using TbsActiveSkinObject::TbsActiveSkinObject;
    void Draw(QPainter& canvas, bool update) override;
};
