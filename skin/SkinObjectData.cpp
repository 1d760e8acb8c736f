#include "SkinObjectData.h"

void TbsDataSkinObject::describeFields(TbsSkinFields& f)
{
    f.string("hint", Hint);
    f.integer("activepictureindex", ActivePictureIndex, -1);
    f.boolean("skinrectinapicture", SkinRectInAPicture);
    f.rect("skinrect", SkinRect);
    f.rect("activeskinrect", ActiveSkinRect);
    f.boolean("morphing", Morphing);
    f.morphKind("morphkind", MorphKind);
}

void TbsDataUserObject::describeFields(TbsSkinFields& f)
{
    // Deliberately not the base keys: a user object is only an area.
    f.rect("skinrect", SkinRect);
}

void TbsDataSkinButton::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("downrect", DownRect);
    f.rect("disableskinrsect", DisableSkinRsect);
}

void TbsDataSkinStdButton::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.command("command", Command);
    f.rect("restorerect", RestoreRect);
    f.rect("restoreactiverect", RestoreActiveRect);
    f.rect("restoredownrect", RestoreDownRect);
    f.rect("restoreinactiverect", RestoreInactiveRect);
}

void TbsDataSkinMainMenuBarButton::describeFields(TbsSkinFields& f) { Base::describeFields(f); }

void TbsDataSkinCaption::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.rect("textrect", TextRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("activefontcolor", ActiveFontColor);
    f.alignment("alignment", Alignment);
    f.boolean("shadow", Shadow);
    f.color("shadowcolor", ShadowColor);
    f.color("activeshadowcolor", ActiveShadowColor);
    f.rect("framerect", FrameRect);
    f.rect("activeframerect", ActiveFrameRect);
    f.rect("frametextrect", FrameTextRect);
    f.integer("frameleftoffset", FrameLeftOffset);
    f.integer("framerightoffset", FrameRightOffset);
}

void TbsDataSkinMenuItem::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.integer("itemleftoffset", ItemLeftOffset);
    f.integer("itemrightoffset", ItemRightOffset);
    f.rect("dividerrect", DividerRect);
    f.integer("dividerleftoffset", DividerLeftOffset);
    f.integer("dividerrightoffset", DividerRightOffset);
    f.rect("textrect", TextRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("activefontcolor", ActiveFontColor);
    f.color("unenabledfontcolor", UnEnabledFontColor);
}

void TbsDataSkinMainMenuItem::describeFields(TbsSkinFields& f)
{
    Base::describeFields(f);
    f.integer("itemleftoffset", ItemLeftOffset);
    f.integer("itemrightoffset", ItemRightOffset);
    f.rect("downrect", DownRect);
    f.rect("textrect", TextRect);
    f.font(FontName, FontHeight, FontStyle, FontColor);
    f.color("activefontcolor", ActiveFontColor);
    f.color("downfontcolor", DownFontColor);
    f.color("unenabledfontColor", UnEnabledFontColor);
}

void TbsDataSkinMainMenuBarItem::describeFields(TbsSkinFields& f) { Base::describeFields(f); }
