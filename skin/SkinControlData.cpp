#include "SkinControlData.h"

void TbsDataSkinControl::describeFields(TbsSkinFields& f)
{
    f.integer("pictureindex", PictureIndex, -1);
    f.integer("maskpictureindex", MaskPictureIndex, -1);
    f.rect("skinrect", SkinRect);
}

void TbsDataSkinCustomControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.point("lefttoppoint", LeftTopPoint);
    f.point("righttoppoint", RightTopPoint);
    f.point("leftbottompoint", LeftBottomPoint);
    f.point("rightbottompoint", RightBottomPoint);
    f.rect("clientrect", ClientRect);
}

void TbsDataSkinPanelControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.integer("bgpictureindex", BGPictureIndex, -1);
    f.rect("captionrect", CaptionRect);
    f.rect("rollupmarkerrect", RollUpMarkerRect);
    f.rect("restoremarkerrect", RestoreMarkerRect);
    f.alignment("alignment", Alignment);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.rect("checkimagerect", CheckImageRect);
    f.rect("uncheckimagerect", UnCheckImageRect);
}

void TbsDataSkinStdLabelControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("activefontcolor", ActiveFontColor, 16711680);
}

void TbsDataSkinEditControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("activeskinrect", ActiveSkinRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("disabledfontcolor", DisabledFontColor);
    f.color("activefontcolor", ActiveFontColor);
    f.rect("buttonrect", ButtonRect);
    f.rect("activebuttonrect", ActiveButtonRect);
    f.rect("downbuttonrect", DownButtonRect);
    f.rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TbsDataSkinMemoControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.color("bgcolor", BGColor);
    f.color("activebgcolor", ActiveBGColor);
}

void TbsDataSkinGaugeControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("progressarea", ProgressArea);
    f.rect("progressrect", ProgressRect);
    f.integer("beginoffset", BeginOffset);
    f.integer("endoffset", EndOffset);
    f.boolean("vertical", Vertical);
    f.font(FontName, FontHeight, FontStyle, FontColor);
}

void TbsDataSkinButtonControl::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.fontName("fontname", FontName);
    f.fontHeight("fontheight", FontHeight);
    f.fontStyle("fontstyle", FontStyle);
    f.color("fontcolor", FontColor);
    f.color("activefontcolor", ActiveFontColor);
    f.color("downfontcolor", DownFontColor);
    f.color("disabledfontcolor", DisabledFontColor);
    f.rect("activeskinrect", ActiveSkinRect);
    f.rect("downskinrect", DownSkinRect);
    f.rect("disabledskinrect", DisabledSkinRect);
    f.boolean("morphing", Morphing);
    f.morphKind("morphkind", MorphKind);
}
