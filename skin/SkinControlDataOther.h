#pragma once
// The data classes of [SKINCONTROLS] for the kinds that the main window does not use itself
// (the skins list them all). Same conventions as SkinControlData.h: public fields named after
// the keys (in brackets), starting at the key's default.

#include "SkinControlData.h"

// kind "expanel"
class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinExPanelControl)
public:
    TbsRect RollHSkinRect; // "rollhskinrect"
    TbsRect RollVSkinRect; // "rollvskinrect"
    int RollLeftOffset = 0; // "rollleftoffset"
    int RollRightOffset = 0; // "rollrightoffset"
    int RollTopOffset = 0; // "rolltopoffset"
    int RollBottomOffset = 0; // "rollbottomoffset"
    TbsRect RollVCaptionRect; // "rollvcaptionrect"
    TbsRect RollHCaptionRect; // "rollhcaptionrect"
    TbsRect CloseButtonRect; // "closebuttonrect"
    TbsRect CloseButtonActiveRect; // "closebuttonactiverect"
    TbsRect CloseButtonDownRect; // "closebuttondownrect"
    TbsRect HRollButtonRect; // "hrollbuttonrect"
    TbsRect HRollButtonActiveRect; // "hrollbuttonactiverect"
    TbsRect HRollButtonDownRect; // "hrollbuttondownrect"
    TbsRect HRestoreButtonRect; // "hrestorebuttonrect"
    TbsRect HRestoreButtonActiveRect; // "hrestorebuttonactiverect"
    TbsRect HRestoreButtonDownRect; // "hrestorebuttondownrect"
    TbsRect VRollButtonRect; // "vrollbuttonrect"
    TbsRect VRollButtonActiveRect; // "vrollbuttonactiverect"
    TbsRect VRollButtonDownRect; // "vrollbuttondownrect"
    TbsRect VRestoreButtonRect; // "vrestorebuttonrect"
    TbsRect VRestoreButtonActiveRect; // "vrestorebuttonactiverect"
    TbsRect VRestoreButtonDownRect; // "vrestorebuttondownrect"
    TbsRect CaptionRect; // "captionrect"
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
};

// kind "menubutton"
class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
    using Base = TbsDataSkinButtonControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinMenuButtonControl)
public:
    TbsRect TrackButtonRect; // "trackbuttonrect"
};

// kind "checkradio"
class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinCheckRadioControl)
public:
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    int ActiveFontColor = 0; // "activefontcolor"
    int UnEnabledFontColor = 0; // "unenabledfontcolor"
    int FrameFontColor = 0; // "framefontcolor"
    TbsRect ActiveSkinRect; // "activeskinrect"
    TbsRect CheckImageArea; // "checkimagearea"
    TbsRect TextArea; // "textarea"
    TbsRect CheckImageRect; // "checkimagerect"
    TbsRect UnCheckImageRect; // "uncheckimagerect"
    TbsRect ActiveCheckImageRect; // "activecheckimagerect"
    TbsRect ActiveUnCheckImageRect; // "activeuncheckimagerect"
    TbsRect UnEnabledCheckImageRect; // "unenabledcheckimagerect"
    TbsRect UnEnabledUnCheckImageRect; // "unenableduncheckimagerect"
    bool Morphing = false; // "morphing"
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault; // "morphkind"
};

// kind "splitter"
class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinSplitterControl)
};

// kind "trackbar"
class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinTrackBarControl)
public:
    TbsRect TrackArea; // "trackarea"
    TbsRect ButtonRect; // "buttonrect"
    TbsRect ActiveButtonRect; // "activebuttonrect"
    bool Vertical = false; // "vertical"
};

// kind "label"
class TbsDataSkinLabelControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinLabelControl)
public:
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
};

// kind "updown"
class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinUpDownControl)
public:
    // The four points and "clientrect" are zeroed after loading, whatever the section says.
    void LoadFromIni(const TbsSkinIni& ini) override;
public:
    TbsRect UpButtonRect; // "upbuttonrect"
    TbsRect ActiveUpButtonRect; // "activeupbuttonrect"
    TbsRect DownUpButtonRect; // "downupbuttonrect"
    TbsRect DownButtonRect; // "downbuttonrect"
    TbsRect ActiveDownButtonRect; // "activedownbuttonrect"
    TbsRect DownDownButtonRect; // "downdownbuttonrect"
};

// kind "grid"
class TbsDataSkinGridControl : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinGridControl)
public:
    TbsRect FixedCellRect; // "fixedcellrect"
    TbsRect SelectCellRect; // "selectcellrect"
    TbsRect FocusCellRect; // "focuscellrect"
    int FixedCellLeftOffset = 0; // "fixedcellleftoffset"
    int FixedCellRightOffset = 0; // "fixedcellrightoffset"
    TbsRect FixedCellTextRect; // "fixedcelltextrect"
    int CellLeftOffset = 0; // "cellleftoffset"
    int CellRightOffset = 0; // "cellrightoffset"
    TbsRect CellTextRect; // "celltextrect"
    int LinesColor = 0; // "linescolor"
    int BGColor = 0; // "bgcolor"
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    int SelectFontColor = 0; // "selectfontcolor"
    int FocusFontColor = 0; // "focusfontcolor"
    TbsSkinText FixedFontName = "Arial"; // "fixedfontname"
    int FixedFontHeight = 14; // "fixedfontheight"
    TbsFontStyles FixedFontStyle; // "fixedfontstyle"
    int FixedFontColor = 0; // "fixedfontcolor"
};

// kind "tab"
class TbsDataSkinTabControl : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinTabControl)
public:
    TbsRect TabRect; // "tabrect"
    TbsRect ActiveTabRect; // "activetabrect"
    TbsRect FocusTabRect; // "focustabrect"
    TbsRect MouseInTabRect; // "mouseintabrect"
    TbsRect ClientRect; // "clientrect"
    int BGPictureIndex = -1; // "bgpictureindex"
    TbsPoint LeftTopPoint; // "lefttoppoint"
    TbsPoint RightTopPoint; // "righttoppoint"
    TbsPoint LeftBottomPoint; // "leftbottompoint"
    TbsPoint RightBottomPoint; // "rightbottompoint"
    int TabLeftOffset = 0; // "tableftoffset"
    int TabRightOffset = 0; // "tabrightoffset"
    TbsRect TabsBGRect; // "tabsbgrect"
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    int ActiveFontColor = 0; // "activefontcolor"
    int FocusFontColor = 0; // "focusfontcolor"
    int MouseInFontColor = 0; // "mouseinfontcolor"
    TbsSkinText UpDown; // "updown": section name
};

// kind "mainmenubar"
class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinMainMenuBar)
public:
    TbsRect ItemsRect; // "itemsrect"
    TbsSkinText MenuBarItem; // "menubaritem": section name
    TbsSkinText CloseButton; // "closebutton": section name
    TbsSkinText MinButton; // "minbutton": section name
    TbsSkinText MaxButton; // "maxbutton": section name
    TbsSkinText SysMenuButton; // "sysmenubutton": section name
    int TrackMarkColor = 0; // "trackmarkcolor"
    int TrackMarkActiveColor = 0; // "trackmarkactivecolor"
};

// kind "controlbar"
class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinControlBar)
public:
    TbsRect ItemRect; // "itemrect"
    int BGPictureIndex = -1; // "bgpictureindex"
};

// kind "listbox"
class TbsDataSkinListBox : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinListBox)
public:
    TbsRect ItemRect; // "itemrect"
    TbsRect ActiveItemRect; // "activeitemrect"
    TbsRect FocusItemRect; // "focusitemrect"
    int ItemLeftOffset = 0; // "itemleftoffset"
    int ItemRightOffset = 0; // "itemrightoffset"
    TbsRect ItemTextRect; // "itemtextrect"
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    int ActiveFontColor = 0; // "activefontcolor"
    int FocusFontColor = 0; // "focusfontcolor"
    TbsRect CaptionRect; // "captionrect"
    TbsSkinText CaptionFontName = "Arial"; // "captionfontname"
    int CaptionFontHeight = 14; // "captionfontheight"
    TbsFontStyles CaptionFontStyle; // "captionfontstyle"
    int CaptionFontColor = 0; // "captionfontcolor"
    TbsRect UpButtonRect; // "upbuttonrect"
    TbsRect ActiveUpButtonRect; // "activeupbuttonrect"
    TbsRect DownUpButtonRect; // "downupbuttonrect"
    TbsRect DownButtonRect; // "downbuttonrect"
    TbsRect ActiveDownButtonRect; // "activedownbuttonrect"
    TbsRect DownDownButtonRect; // "downdownbuttonrect"
    TbsRect CheckButtonRect; // "checkbuttonrect"
    TbsRect ActiveCheckButtonRect; // "activecheckbuttonrect"
    TbsRect DownCheckButtonRect; // "downcheckbuttonrect"
    TbsSkinText VScrollBarName = "vscrollbar"; // "vscrollbarname": section name
    TbsSkinText HScrollBarName = "hscrollbar"; // "hscrollbarname": section name
    TbsSkinText BothHScrollBarName = "bothhscrollbar"; // "bothhscrollbarname": section name
};

// kind "checklistbox"
class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
    using Base = TbsDataSkinListBox;
    TBS_SKIN_DATA_CLASS(TbsDataSkinCheckListBox)
public:
    TbsRect ItemCheckRect; // "itemcheckrect"
    TbsRect CheckImageRect; // "checkimagerect"
    TbsRect UnCheckImageRect; // "uncheckimagerect"
};

// kind "combobox"
class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinComboBox)
public:
    TbsRect ItemRect; // "itemrect"
    TbsRect FocusItemRect; // "focusitemrect"
    int ItemLeftOffset = 0; // "itemleftoffset"
    int ItemRightOffset = 0; // "itemrightoffset"
    TbsRect ItemTextRect; // "itemtextrect"
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    int FocusFontColor = 0; // "focusfontcolor"
    TbsSkinText ListBoxName; // "listboxname": section name
    TbsRect ButtonRect; // "buttonrect"
    TbsRect ActiveButtonRect; // "activebuttonrect"
    TbsRect DownButtonRect; // "downbuttonrect"
    TbsRect UnEnabledButtonRect; // "unenabledbuttonrect"
};

// kind "scrollbar"
class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinScrollBarControl)
public:
    TbsRect TrackArea; // "trackarea"
    TbsRect UpButtonRect; // "upbuttonrect"
    TbsRect ActiveUpButtonRect; // "activeupbuttonrect"
    TbsRect DownUpButtonRect; // "downupbuttonrect"
    TbsRect DownButtonRect; // "downbuttonrect"
    TbsRect ActiveDownButtonRect; // "activedownbuttonrect"
    TbsRect DownDownButtonRect; // "downdownbuttonrect"
    TbsRect ThumbRect; // "thumbrect"
    TbsRect ActiveThumbRect; // "activethumbrect"
    TbsRect DownThumbRect; // "downthumbrect"
    int ThumbOffset1 = 0; // "thumboffset1"
    int ThumbOffset2 = 0; // "thumboffset2"
    TbsRect GlyphRect; // "glyphrect"
    TbsRect ActiveGlyphRect; // "activeglyphrect"
    TbsRect DownGlyphRect; // "downglyphrect"
};

// kind "spinedit"
class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinSpinEditControl)
public:
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    TbsRect UpButtonRect; // "upbuttonrect"
    TbsRect ActiveUpButtonRect; // "activeupbuttonrect"
    TbsRect DownUpButtonRect; // "downupbuttonrect"
    TbsRect DownButtonRect; // "downbuttonrect"
    TbsRect ActiveDownButtonRect; // "activedownbuttonrect"
    TbsRect DownDownButtonRect; // "downdownbuttonrect"
};

// kind "scrollbox"
class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
    using Base = TbsDataSkinCustomControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinScrollBoxControl)
public:
    int BGPictureIndex = -1; // "bgpictureindex"
};

// kind "treeview"
class TbsDataSkinTreeView : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinTreeView)
public:
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    int BGColor = 0; // "bgcolor"
};

// kind "listview"
class TbsDataSkinListView : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinListView)
public:
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    int BGColor = 0; // "bgcolor"
};

// kind "richedit"
class TbsDataSkinRichEdit : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinRichEdit)
public:
    TbsSkinText FontName = "Arial"; // "fontname"
    int FontHeight = 14;            // "fontheight"
    TbsFontStyles FontStyle;        // "fontstyle"
    int FontColor = 0;              // "fontcolor"
    int BGColor = 0; // "bgcolor"
};

// kind "bevel"
class TbsDataSkinBevel : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinBevel)
public:
    int LightColor = 0; // "lightcolor"
    int DarkColor = 0; // "darkcolor"
};

// kind "slider"
class TbsDataSkinSlider : public TbsDataSkinControl {
    using Base = TbsDataSkinControl;
    TBS_SKIN_DATA_CLASS(TbsDataSkinSlider)
public:
    int BGColor = 0; // "bgcolor"
    TbsRect HRulerRect; // "hrulerrect"
    TbsRect HThumbRect; // "hthumbrect"
    TbsRect VRulerRect; // "vrulerrect"
    TbsRect VThumbRect; // "vthumbrect"
    int EdgeSize = 0; // "edgesize"
    int PointsColor = 0; // "pointscolor"
};
