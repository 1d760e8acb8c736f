#include "TbsFormInfo.h"

#include <algorithm>

void TbsFormInfo::describeFields(TbsSkinFields& f)
{
    f.point("lefttoppoint", LeftTopPoint);
    f.point("righttoppoint", RightTopPoint);
    f.point("leftbottompoint", LeftBottomPoint);
    f.point("rightbottompoint", RightBottomPoint);
    f.rect("clientrect", ClientRect);
    f.integer("bgpictureindex", BGPictureIndex, -1);
    f.rect("maskrectarea", MaskRectArea);
    f.point("hittestlefttoppoint", HitTestLeftTopPoint);
    f.point("hittestrighttoppoint", HitTestRightTopPoint);
    f.point("hittestleftbottompoint", HitTestLeftBottomPoint);
    f.point("hittestrightbottompoint", HitTestRightBottomPoint);
    f.rect("buttonsrect", ButtonsRect);
    f.rect("captionrect", CaptionRect);
    f.integer("buttonsoffset", ButtonsOffset);
    f.boolean("buttonsinleft", ButtonsInLeft);
    f.boolean("mainmenupopupup", MainMenuPopupUp);
    f.integer("borderwidth", BorderWidth);
    f.boolean("autorenderinginactiveimage", AutoRenderingInActiveImage);
    f.inactiveEffect("inactiveeffect", InActiveEffect);
}

void TbsFormInfo::LoadFromIni(const TbsSkinIni& ini)
{
    Base::LoadFromIni(ini);
    if (LeftTopPoint.X == RightBottomPoint.X || LeftTopPoint.Y == RightBottomPoint.Y)
        return;
    LeftTopPoint.X = std::max(LeftTopPoint.X, ClientRect.Left);
    LeftBottomPoint.X = std::max(LeftBottomPoint.X, ClientRect.Left);
    LeftTopPoint.Y = std::max(LeftTopPoint.Y, ClientRect.Top);
    RightTopPoint.Y = std::max(RightTopPoint.Y, ClientRect.Top);
    RightTopPoint.X = std::min(RightTopPoint.X, ClientRect.Right);
    RightBottomPoint.X = std::min(RightBottomPoint.X, ClientRect.Right);
    LeftBottomPoint.Y = std::min(LeftBottomPoint.Y, ClientRect.Bottom);
    RightBottomPoint.Y = std::min(RightBottomPoint.Y, ClientRect.Bottom);
}
