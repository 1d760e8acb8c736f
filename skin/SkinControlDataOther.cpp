#include "SkinControlDataOther.h"

#include "TbsSkinIni.h"

void TbsDataSkinExPanelControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("rollhskinrect", RollHSkinRect);
    f.rect("rollvskinrect", RollVSkinRect);
    f.integer("rollleftoffset", RollLeftOffset);
    f.integer("rollrightoffset", RollRightOffset);
    f.integer("rolltopoffset", RollTopOffset);
    f.integer("rollbottomoffset", RollBottomOffset);
    f.rect("rollvcaptionrect", RollVCaptionRect);
    f.rect("rollhcaptionrect", RollHCaptionRect);
    f.rect("closebuttonrect", CloseButtonRect);
    f.rect("closebuttonactiverect", CloseButtonActiveRect);
    f.rect("closebuttondownrect", CloseButtonDownRect);
    f.rect("hrollbuttonrect", HRollButtonRect);
    f.rect("hrollbuttonactiverect", HRollButtonActiveRect);
    f.rect("hrollbuttondownrect", HRollButtonDownRect);
    f.rect("hrestorebuttonrect", HRestoreButtonRect);
    f.rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    f.rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    f.rect("vrollbuttonrect", VRollButtonRect);
    f.rect("vrollbuttonactiverect", VRollButtonActiveRect);
    f.rect("vrollbuttondownrect", VRollButtonDownRect);
    f.rect("vrestorebuttonrect", VRestoreButtonRect);
    f.rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    f.rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    f.rect("captionrect", CaptionRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
}

void TbsDataSkinMenuButtonControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("trackbuttonrect", TrackButtonRect);
}

void TbsDataSkinCheckRadioControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("activefontcolor", ActiveFontColor);
    f.color("unenabledfontcolor", UnEnabledFontColor);
    f.color("framefontcolor", FrameFontColor);
    f.rect("activeskinrect", ActiveSkinRect);
    f.rect("checkimagearea", CheckImageArea);
    f.rect("textarea", TextArea);
    f.rect("checkimagerect", CheckImageRect);
    f.rect("uncheckimagerect", UnCheckImageRect);
    f.rect("activecheckimagerect", ActiveCheckImageRect);
    f.rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    f.rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
    f.rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
    f.boolean("morphing", Morphing);
    f.morphKind("morphkind", MorphKind);
}

void TbsDataSkinSplitterControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
}

void TbsDataSkinTrackBarControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("trackarea", TrackArea);
    f.rect("buttonrect", ButtonRect);
    f.rect("activebuttonrect", ActiveButtonRect);
    f.boolean("vertical", Vertical);
}

void TbsDataSkinLabelControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.font(FontName, FontHeight, FontStyle, FontColor);
}

void TbsDataSkinUpDownControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("upbuttonrect", UpButtonRect);
    f.rect("activeupbuttonrect", ActiveUpButtonRect);
    f.rect("downupbuttonrect", DownUpButtonRect);
    f.rect("downbuttonrect", DownButtonRect);
    f.rect("activedownbuttonrect", ActiveDownButtonRect);
    f.rect("downdownbuttonrect", DownDownButtonRect);
}

void TbsDataSkinGridControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("fixedcellrect", FixedCellRect);
    f.rect("selectcellrect", SelectCellRect);
    f.rect("focuscellrect", FocusCellRect);
    f.integer("fixedcellleftoffset", FixedCellLeftOffset);
    f.integer("fixedcellrightoffset", FixedCellRightOffset);
    f.rect("fixedcelltextrect", FixedCellTextRect);
    f.integer("cellleftoffset", CellLeftOffset);
    f.integer("cellrightoffset", CellRightOffset);
    f.rect("celltextrect", CellTextRect);
    f.color("linescolor", LinesColor);
    f.color("bgcolor", BGColor);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("selectfontcolor", SelectFontColor);
    f.color("focusfontcolor", FocusFontColor);
    f.fontName("fixedfontname", FixedFontName);
    f.fontHeight("fixedfontheight", FixedFontHeight);
    f.fontStyle("fixedfontstyle", FixedFontStyle);
    f.color("fixedfontcolor", FixedFontColor);
}

void TbsDataSkinTabControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("tabrect", TabRect);
    f.rect("activetabrect", ActiveTabRect);
    f.rect("focustabrect", FocusTabRect);
    f.rect("mouseintabrect", MouseInTabRect);
    f.rect("clientrect", ClientRect);
    f.integer("bgpictureindex", BGPictureIndex, -1);
    f.point("lefttoppoint", LeftTopPoint);
    f.point("righttoppoint", RightTopPoint);
    f.point("leftbottompoint", LeftBottomPoint);
    f.point("rightbottompoint", RightBottomPoint);
    f.integer("tableftoffset", TabLeftOffset);
    f.integer("tabrightoffset", TabRightOffset);
    f.rect("tabsbgrect", TabsBGRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("activefontcolor", ActiveFontColor);
    f.color("focusfontcolor", FocusFontColor);
    f.color("mouseinfontcolor", MouseInFontColor);
    f.sectionReference("updown", UpDown);
}

void TbsDataSkinMainMenuBar::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("itemsrect", ItemsRect);
    f.sectionReference("menubaritem", MenuBarItem);
    f.sectionReference("closebutton", CloseButton);
    f.sectionReference("minbutton", MinButton);
    f.sectionReference("maxbutton", MaxButton);
    f.sectionReference("sysmenubutton", SysMenuButton);
    f.color("trackmarkcolor", TrackMarkColor);
    f.color("trackmarkactivecolor", TrackMarkActiveColor);
}

void TbsDataSkinControlBar::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("itemrect", ItemRect);
    f.integer("bgpictureindex", BGPictureIndex, -1);
}

void TbsDataSkinListBox::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("itemrect", ItemRect);
    f.rect("activeitemrect", ActiveItemRect);
    f.rect("focusitemrect", FocusItemRect);
    f.integer("itemleftoffset", ItemLeftOffset);
    f.integer("itemrightoffset", ItemRightOffset);
    f.rect("itemtextrect", ItemTextRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("activefontcolor", ActiveFontColor);
    f.color("focusfontcolor", FocusFontColor);
    f.rect("captionrect", CaptionRect);
    f.fontName("captionfontname", CaptionFontName);
    f.fontHeight("captionfontheight", CaptionFontHeight);
    f.fontStyle("captionfontstyle", CaptionFontStyle);
    f.color("captionfontcolor", CaptionFontColor);
    f.rect("upbuttonrect", UpButtonRect);
    f.rect("activeupbuttonrect", ActiveUpButtonRect);
    f.rect("downupbuttonrect", DownUpButtonRect);
    f.rect("downbuttonrect", DownButtonRect);
    f.rect("activedownbuttonrect", ActiveDownButtonRect);
    f.rect("downdownbuttonrect", DownDownButtonRect);
    f.rect("checkbuttonrect", CheckButtonRect);
    f.rect("activecheckbuttonrect", ActiveCheckButtonRect);
    f.rect("downcheckbuttonrect", DownCheckButtonRect);
    f.sectionReference("vscrollbarname", VScrollBarName, "vscrollbar");
    f.sectionReference("hscrollbarname", HScrollBarName, "hscrollbar");
    f.sectionReference("bothhscrollbarname", BothHScrollBarName, "bothhscrollbar");
}

void TbsDataSkinCheckListBox::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("itemcheckrect", ItemCheckRect);
    f.rect("checkimagerect", CheckImageRect);
    f.rect("uncheckimagerect", UnCheckImageRect);
}

void TbsDataSkinComboBox::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("itemrect", ItemRect);
    f.rect("focusitemrect", FocusItemRect);
    f.integer("itemleftoffset", ItemLeftOffset);
    f.integer("itemrightoffset", ItemRightOffset);
    f.rect("itemtextrect", ItemTextRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("focusfontcolor", FocusFontColor);
    f.sectionReference("listboxname", ListBoxName);
    f.rect("buttonrect", ButtonRect);
    f.rect("activebuttonrect", ActiveButtonRect);
    f.rect("downbuttonrect", DownButtonRect);
    f.rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TbsDataSkinScrollBarControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("trackarea", TrackArea);
    f.rect("upbuttonrect", UpButtonRect);
    f.rect("activeupbuttonrect", ActiveUpButtonRect);
    f.rect("downupbuttonrect", DownUpButtonRect);
    f.rect("downbuttonrect", DownButtonRect);
    f.rect("activedownbuttonrect", ActiveDownButtonRect);
    f.rect("downdownbuttonrect", DownDownButtonRect);
    f.rect("thumbrect", ThumbRect);
    f.rect("activethumbrect", ActiveThumbRect);
    f.rect("downthumbrect", DownThumbRect);
    f.integer("thumboffset1", ThumbOffset1);
    f.integer("thumboffset2", ThumbOffset2);
    f.rect("glyphrect", GlyphRect);
    f.rect("activeglyphrect", ActiveGlyphRect);
    f.rect("downglyphrect", DownGlyphRect);
}

void TbsDataSkinSpinEditControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.rect("upbuttonrect", UpButtonRect);
    f.rect("activeupbuttonrect", ActiveUpButtonRect);
    f.rect("downupbuttonrect", DownUpButtonRect);
    f.rect("downbuttonrect", DownButtonRect);
    f.rect("activedownbuttonrect", ActiveDownButtonRect);
    f.rect("downdownbuttonrect", DownDownButtonRect);
}

void TbsDataSkinScrollBoxControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.integer("bgpictureindex", BGPictureIndex, -1);
}

void TbsDataSkinTreeView::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("bgcolor", BGColor);
}

void TbsDataSkinListView::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("bgcolor", BGColor);
}

void TbsDataSkinRichEdit::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("bgcolor", BGColor);
}

void TbsDataSkinBevel::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.color("lightcolor", LightColor);
    f.color("darkcolor", DarkColor);
}

void TbsDataSkinSlider::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.color("bgcolor", BGColor);
    f.rect("hrulerrect", HRulerRect);
    f.rect("hthumbrect", HThumbRect);
    f.rect("vrulerrect", VRulerRect);
    f.rect("vthumbrect", VThumbRect);
    f.integer("edgesize", EdgeSize);
    f.color("pointscolor", PointsColor);
}

void TbsDataSkinUpDownControl::LoadFromIni(const TbsSkinIni& ini)
{
    Base::LoadFromIni(ini);
    LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = TbsPoint{};
    ClientRect = TbsRect{};
}
