#pragma once
// The data classes of [SKINCONTROLS] that the main window's controls read: the two roots and
// the kinds panel, stdlabel, edit, memo, gauge and button. Public fields are named after the
// section keys (in brackets) and start at the key's default. Rects and points of a control are
// in pixels of its picture (ActivePictures[PictureIndex]); the four points, "clientrect",
// "buttonrect", "progressarea" are relative to the top-left corner of "skinrect".
// The remaining kinds are in SkinControlDataOther.h.

#include "TbsSkinSectionData.h"

// Root of the control sections.
class TbsDataSkinControl : public TbsSkinSectionData {
    using Base = TbsSkinSectionData;
    TBS_SKIN_DATA_CLASS(TbsDataSkinControl)
public:
    int PictureIndex = -1;     // "pictureindex": picture that holds the control's images
    int MaskPictureIndex = -1; // "maskpictureindex": two-colour mask of the same layout
    TbsRect SkinRect;          // "skinrect": the normal image
};

// A control whose image is cut by four points into corners, edges and centre.
class TbsDataSkinCustomControl : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinCustomControl)
public:
    TbsPoint LeftTopPoint;     // "lefttoppoint"
    TbsPoint RightTopPoint;    // "righttoppoint"
    TbsPoint LeftBottomPoint;  // "leftbottompoint"
    TbsPoint RightBottomPoint; // "rightbottompoint"
    TbsRect ClientRect;        // "clientrect"
};

// kind "panel"
class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinPanelControl)
public:
    int BGPictureIndex = -1;          // "bgpictureindex": picture for the client area
    TbsRect CaptionRect;              // "captionrect"
    TbsRect RollUpMarkerRect;         // "rollupmarkerrect"
    TbsRect RestoreMarkerRect;        // "restoremarkerrect"
    TbsAlignment Alignment = TbsAlignment::taCenter; // "alignment": caption text
    TbsSkinText FontName = "Arial";   // "fontname"
    int FontHeight = 14;              // "fontheight"
    TbsFontStyles FontStyle;          // "fontstyle"
    int FontColor = 0;                // "fontcolor"
    TbsRect CheckImageRect;           // "checkimagerect"
    TbsRect UnCheckImageRect;         // "uncheckimagerect"
};

// kind "stdlabel"
class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinStdLabelControl)
public:
    TbsSkinText FontName = "Arial";   // "fontname"
    int FontHeight = 14;              // "fontheight"
    TbsFontStyles FontStyle;          // "fontstyle"
    int FontColor = 0;                // "fontcolor"
    int ActiveFontColor = 16711680;   // "activefontcolor" (default pure blue)
};

// kind "edit" (also the sections "edit" and "buttonedit")
class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinEditControl)
public:
    TbsRect ActiveSkinRect;           // "activeskinrect": image of the active state
    TbsSkinText FontName = "Arial";   // "fontname"
    int FontHeight = 14;              // "fontheight"
    TbsFontStyles FontStyle;          // "fontstyle"
    int FontColor = 0;                // "fontcolor"
    int DisabledFontColor = 0;        // "disabledfontcolor"
    int ActiveFontColor = 0;          // "activefontcolor"
    TbsRect ButtonRect;               // "buttonrect": where the button sits, relative to "skinrect"
    TbsRect ActiveButtonRect;         // "activebuttonrect": hot button image (picture coordinates)
    TbsRect DownButtonRect;           // "downbuttonrect": pressed button image
    TbsRect UnEnabledButtonRect;      // "unenabledbuttonrect": disabled button image
};

// kind "memo"
class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
    using Base = TbsDataSkinEditControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinMemoControl)
public:
    int BGColor = 0;       // "bgcolor": background of the text area
    int ActiveBGColor = 0; // "activebgcolor"
};

// kind "gauge"
class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinGaugeControl)
public:
    TbsRect ProgressArea;             // "progressarea": area the bar fills, relative to "skinrect"
    TbsRect ProgressRect;             // "progressrect": the bar image
    int BeginOffset = 0;              // "beginoffset": fixed start piece of the bar image
    int EndOffset = 0;                // "endoffset": fixed end piece
    bool Vertical = false;            // "vertical"
    TbsSkinText FontName = "Arial";   // "fontname"
    int FontHeight = 14;              // "fontheight"
    TbsFontStyles FontStyle;          // "fontstyle"
    int FontColor = 0;                // "fontcolor"
};

// kind "button" (also the section "resizebutton")
class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinButtonControl)
public:
    TbsSkinText FontName = "Arial";   // "fontname"
    int FontHeight = 14;              // "fontheight"
    TbsFontStyles FontStyle;          // "fontstyle"
    int FontColor = 0;                // "fontcolor"
    int ActiveFontColor = 0;          // "activefontcolor"
    int DownFontColor = 0;            // "downfontcolor"
    int DisabledFontColor = 0;        // "disabledfontcolor"
    TbsRect ActiveSkinRect;           // "activeskinrect": hot image
    TbsRect DownSkinRect;             // "downskinrect": pressed image
    TbsRect DisabledSkinRect;         // "disabledskinrect": disabled image
    bool Morphing = false;            // "morphing"
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault; // "morphkind"
};
