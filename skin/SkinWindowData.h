#pragma once
// The data of the skinned pop-up (menu) window, [POPUPWINDOW], and of the skinned hint
// window, [HINTWINDOW]. TbsSkinData keeps one of each for its whole life; every load
// overwrites their fields. Picture indexes point into ActivePictures (-1: none).

#include "TbsSkinSectionData.h"

class TbsDataSkinPopupWindow : public TbsSkinSectionData {
    using Base = TbsSkinSectionData;
    TBS_SKIN_DATA_CLASS(TbsDataSkinPopupWindow)
public:
    TbsDataSkinPopupWindow() : Base("POPUPWINDOW") {}

    int WindowPictureIndex = -1;     // "windowpictureindex"
    int MaskPictureIndex = -1;       // "maskpictureindex"
    TbsPoint LeftTopPoint;           // "lefttoppoint"
    TbsPoint RightTopPoint;          // "righttoppoint"
    TbsPoint LeftBottomPoint;        // "leftbottompoint"
    TbsPoint RightBottomPoint;       // "rightbottompoint"
    TbsRect ItemsRect;               // "itemsrect": where the items go in the window image
    int ScrollMarkerColor = 0;       // "scrollmarkercolor"
    int ScrollMarkerActiveColor = 0; // "scrollmarkeractivecolor"
};

class TbsDataSkinHintWindow : public TbsSkinSectionData {
    using Base = TbsSkinSectionData;
    TBS_SKIN_DATA_CLASS(TbsDataSkinHintWindow)
public:
    TbsDataSkinHintWindow() : Base("HINTWINDOW") {}

    int WindowPictureIndex = -1;     // "windowpictureindex"
    int MaskPictureIndex = -1;       // "maskpictureindex"
    TbsPoint LeftTopPoint;           // "lefttoppoint"
    TbsPoint RightTopPoint;          // "righttoppoint"
    TbsPoint LeftBottomPoint;        // "leftbottompoint"
    TbsPoint RightBottomPoint;       // "rightbottompoint"
    TbsRect ClientRect;              // "clientrect"
    TbsSkinText FontName = "Arial";  // "fontname"
    int FontHeight = 12;             // "fontheight": 12 until a skin is loaded, key default 14
    TbsFontStyles FontStyle;         // "fontstyle"
    int FontColor = 0;               // "fontcolor"
};
