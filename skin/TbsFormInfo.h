#pragma once
// The [FORMINFO] values: geometry of the skinned window frame. Fields are named after the
// keys (in brackets) and start at their defaults. Points and rects are in pixels of the main
// picture.

#include "TbsSkinSectionData.h"

class TbsFormInfo : public TbsSkinSectionData {
    using Base = TbsSkinSectionData;
    TBS_SKIN_DATA_CLASS(TbsFormInfo)
public:
    TbsFormInfo() : Base("FORMINFO") {}

    // Reads the keys, then pulls the four corner points into "clientrect" (unless the
    // left-top and right-bottom points share an x or a y).
    void LoadFromIni(const TbsSkinIni& ini) override;

    TbsPoint LeftTopPoint;            // "lefttoppoint"
    TbsPoint RightTopPoint;           // "righttoppoint"
    TbsPoint LeftBottomPoint;         // "leftbottompoint"
    TbsPoint RightBottomPoint;        // "rightbottompoint"
    TbsRect ClientRect;               // "clientrect": client area inside the main picture
    int BGPictureIndex = -1;          // "bgpictureindex": picture filling the client area
    TbsRect MaskRectArea;             // "maskrectarea": always inside the outline
    TbsPoint HitTestLeftTopPoint;     // "hittestlefttoppoint"
    TbsPoint HitTestRightTopPoint;    // "hittestrighttoppoint"
    TbsPoint HitTestLeftBottomPoint;  // "hittestleftbottompoint"
    TbsPoint HitTestRightBottomPoint; // "hittestrightbottompoint"
    TbsRect ButtonsRect;              // "buttonsrect": where the caption buttons sit
    TbsRect CaptionRect;              // "captionrect"
    int ButtonsOffset = 0;            // "buttonsoffset": gap between caption buttons
    bool ButtonsInLeft = false;       // "buttonsinleft"
    bool MainMenuPopupUp = false;     // "mainmenupopupup"
    int BorderWidth = 0;              // "borderwidth": resize zone along the outline
    bool AutoRenderingInActiveImage = false; // "autorenderinginactiveimage"
    TbsInactiveEffect InActiveEffect = TbsInactiveEffect::ieBrightness; // "inactiveeffect"
};
