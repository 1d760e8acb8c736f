#include "SkinWindowData.h"

void TbsDataSkinPopupWindow::describeFields(TbsSkinFields& f)
{
    f.integer("windowpictureindex", WindowPictureIndex, -1);
    f.integer("maskpictureindex", MaskPictureIndex, -1);
    f.point("lefttoppoint", LeftTopPoint);
    f.point("righttoppoint", RightTopPoint);
    f.point("leftbottompoint", LeftBottomPoint);
    f.point("rightbottompoint", RightBottomPoint);
    f.rect("itemsrect", ItemsRect);
    f.color("scrollmarkercolor", ScrollMarkerColor);
    f.color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
}

void TbsDataSkinHintWindow::describeFields(TbsSkinFields& f)
{
    f.integer("windowpictureindex", WindowPictureIndex, -1);
    f.integer("maskpictureindex", MaskPictureIndex, -1);
    f.point("lefttoppoint", LeftTopPoint);
    f.point("righttoppoint", RightTopPoint);
    f.point("leftbottompoint", LeftBottomPoint);
    f.point("rightbottompoint", RightBottomPoint);
    f.rect("clientrect", ClientRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
}
