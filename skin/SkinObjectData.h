#pragma once
// The data classes of [SKINOBJECTS]: frame buttons, the caption, user areas and menu items.
// Public fields are named after the section keys (in brackets) and start at the key's
// default, so an object that was never loaded, or a section that does not exist, reads as
// the defaults. Picture indexes point into TbsSkinData::ActivePictures; -1 means none.

#include "TbsSkinSectionData.h"

// Root of the frame and menu objects.
class TbsDataSkinObject : public TbsSkinSectionData {
    using Base = TbsSkinSectionData;
    TBS_SKIN_DATA_CLASS(TbsDataSkinObject)
public:
    TbsSkinText Hint;                 // "hint": tool-tip text
    int ActivePictureIndex = -1;      // "activepictureindex": picture of the active image
    bool SkinRectInAPicture = false;  // "skinrectinapicture": normal image in that picture too
    TbsRect SkinRect;                 // "skinrect": place on the frame and normal image
    TbsRect ActiveSkinRect;           // "activeskinrect": active (highlighted) image
    bool Morphing = false;            // "morphing"
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault; // "morphkind"
};

// A frame area that only reports the mouse; reads "skinrect" and nothing else.
class TbsDataUserObject : public TbsDataSkinObject {
    using Base = TbsDataSkinObject;
    TBS_SKIN_DATA_CLASS(TbsDataUserObject)
};

class TbsDataSkinButton : public TbsDataSkinObject {
    using Base = TbsDataSkinObject;
    TBS_SKIN_DATA_CLASS(TbsDataSkinButton)
public:
    TbsRect DownRect;         // "downrect": pressed image
    TbsRect DisableSkinRsect; // "disableskinrsect" (spelled so): disabled image
};

// A caption button with a window command.
class TbsDataSkinStdButton : public TbsDataSkinButton {
    using Base = TbsDataSkinButton;
    TBS_SKIN_DATA_CLASS(TbsDataSkinStdButton)
public:
    TbsStdCommand Command = TbsStdCommand::cmDefault; // "command"
    TbsRect RestoreRect;         // "restorerect"
    TbsRect RestoreActiveRect;   // "restoreactiverect"
    TbsRect RestoreDownRect;     // "restoredownrect"
    TbsRect RestoreInactiveRect; // "restoreinactiverect"
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
    using Base = TbsDataSkinStdButton;
    TBS_SKIN_DATA_CLASS(TbsDataSkinMainMenuBarButton)
};

class TbsDataSkinCaption : public TbsDataSkinObject {
    using Base = TbsDataSkinObject;
    TBS_SKIN_DATA_CLASS(TbsDataSkinCaption)
public:
    TbsRect TextRect;                 // "textrect": where the text goes inside the caption image
    TbsSkinText FontName = "Arial";   // "fontname"
    int FontHeight = 14;              // "fontheight"
    TbsFontStyles FontStyle;          // "fontstyle"
    int FontColor = 0;                // "fontcolor"
    int ActiveFontColor = 0;          // "activefontcolor": text colour while the window is active
    TbsAlignment Alignment = TbsAlignment::taCenter; // "alignment"
    bool Shadow = false;              // "shadow"
    int ShadowColor = 0;              // "shadowcolor"
    int ActiveShadowColor = 0;        // "activeshadowcolor"
    TbsRect FrameRect;                // "framerect"
    TbsRect ActiveFrameRect;          // "activeframerect"
    TbsRect FrameTextRect;            // "frametextrect"
    int FrameLeftOffset = 0;          // "frameleftoffset"
    int FrameRightOffset = 0;         // "framerightoffset"
};

// An item of a skinned pop-up menu.
class TbsDataSkinMenuItem : public TbsDataSkinObject {
    using Base = TbsDataSkinObject;
    TBS_SKIN_DATA_CLASS(TbsDataSkinMenuItem)
public:
    int ItemLeftOffset = 0;           // "itemleftoffset"
    int ItemRightOffset = 0;          // "itemrightoffset"
    TbsRect DividerRect;              // "dividerrect": separator image
    int DividerLeftOffset = 0;        // "dividerleftoffset"
    int DividerRightOffset = 0;       // "dividerrightoffset"
    TbsRect TextRect;                 // "textrect"
    TbsSkinText FontName = "Arial";   // "fontname"
    int FontHeight = 14;              // "fontheight"
    TbsFontStyles FontStyle;          // "fontstyle"
    int FontColor = 0;                // "fontcolor"
    int ActiveFontColor = 0;          // "activefontcolor"
    int UnEnabledFontColor = 0;       // "unenabledfontcolor"
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
    using Base = TbsDataSkinObject;
    TBS_SKIN_DATA_CLASS(TbsDataSkinMainMenuItem)
public:
    int ItemLeftOffset = 0;           // "itemleftoffset"
    int ItemRightOffset = 0;          // "itemrightoffset"
    TbsRect DownRect;                 // "downrect"
    TbsRect TextRect;                 // "textrect"
    TbsSkinText FontName = "Arial";   // "fontname"
    int FontHeight = 14;              // "fontheight"
    TbsFontStyles FontStyle;          // "fontstyle"
    int FontColor = 0;                // "fontcolor"
    int ActiveFontColor = 0;          // "activefontcolor"
    int DownFontColor = 0;            // "downfontcolor"
    int UnEnabledFontColor = 0;       // "unenabledfontColor" (written with a capital C)
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
    using Base = TbsDataSkinMainMenuItem;
    TBS_SKIN_DATA_CLASS(TbsDataSkinMainMenuBarItem)
};
