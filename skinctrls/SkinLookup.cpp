// Reads the skin data object's sections into the controls' copies.
#include "SkinLookup.h"

#include "TbsSkinData.h"
#include "TextCodec.h"

namespace {

SkinRect toSkinRect(const TbsRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
QPoint toPoint(const TbsPoint& p) { return {p.X, p.Y}; }

QImage pictureAt(const TbsSkinData& data, int index)
{
    const QImage* picture = data.ActivePicture(index);
    return picture ? *picture : QImage();
}

template <class D>
void copyFont(SkinFontKeys& font, const D& d)
{
    // Face names of the skins are bytes: CP950 or the GBK-written name the font table knows.
    font.name = QString::fromLatin1(d.FontName.data(), qsizetype(d.FontName.size()));
    font.height = d.FontHeight;
    font.bold = d.FontStyle.Bold;
    font.italic = d.FontStyle.Italic;
    font.underline = d.FontStyle.Underline;
    font.strikeOut = d.FontStyle.StrikeOut;
    font.color = d.FontColor;
}

int alignmentOf(TbsAlignment a)
{
    switch (a) {
    case TbsAlignment::taLeftJustify: return 0;
    case TbsAlignment::taRightJustify: return 1;
    case TbsAlignment::taCenter: return 2;
    }
    return 0;
}

}  // namespace

bool skinIsLoaded(const TbsSkinData* skinData)
{
    return skinData && !skinData->IsEmpty();
}

TComponent* skinDataComponent(TbsSkinData* skinData)
{
    return skinData;
}

std::optional<SkinSection> findSkinSection(const TbsSkinData* skinData, const QString& name)
{
    if (!skinIsLoaded(skinData))
        return std::nullopt;
    const int index = skinData->IndexOfControlData(name.toStdString());
    if (index < 0)
        return std::nullopt;
    const TbsDataSkinControl* data = skinData->ControlData(index);
    if (!data)
        return std::nullopt;

    SkinSection s;
    s.index = index;
    s.geometry.skinRect = toSkinRect(data->SkinRect);
    if (auto* c = dynamic_cast<const TbsDataSkinCustomControl*>(data)) {
        s.isCustomControl = true;
        s.geometry.leftTop = toPoint(c->LeftTopPoint);
        s.geometry.rightTop = toPoint(c->RightTopPoint);
        s.geometry.leftBottom = toPoint(c->LeftBottomPoint);
        s.geometry.rightBottom = toPoint(c->RightBottomPoint);
        s.geometry.clientRect = toSkinRect(c->ClientRect);
        s.picture = pictureAt(*skinData, c->PictureIndex);
        s.mask = pictureAt(*skinData, c->MaskPictureIndex);
    }
    if (auto* p = dynamic_cast<const TbsDataSkinPanelControl*>(data)) {
        s.isPanel = true;
        copyFont(s.font, *p);
        s.captionRect = toSkinRect(p->CaptionRect);
        s.rollUpMarkerRect = toSkinRect(p->RollUpMarkerRect);
        s.restoreMarkerRect = toSkinRect(p->RestoreMarkerRect);
        s.checkImageRect = toSkinRect(p->CheckImageRect);
        s.uncheckImageRect = toSkinRect(p->UnCheckImageRect);
        s.alignment = alignmentOf(p->Alignment);
        s.bgPicture = pictureAt(*skinData, p->BGPictureIndex);
    }
    if (auto* l = dynamic_cast<const TbsDataSkinStdLabelControl*>(data)) {
        s.isStdLabel = true;
        copyFont(s.font, *l);
        s.activeFontColor = l->ActiveFontColor;
    }
    if (auto* e = dynamic_cast<const TbsDataSkinEditControl*>(data)) {
        s.isEdit = true;
        copyFont(s.font, *e);
        s.activeSkinRect = toSkinRect(e->ActiveSkinRect);
        s.disabledFontColor = e->DisabledFontColor;
        s.activeFontColor = e->ActiveFontColor;
        s.buttonRect = toSkinRect(e->ButtonRect);
        s.activeButtonRect = toSkinRect(e->ActiveButtonRect);
        s.downButtonRect = toSkinRect(e->DownButtonRect);
        s.unenabledButtonRect = toSkinRect(e->UnEnabledButtonRect);
    }
    if (auto* m = dynamic_cast<const TbsDataSkinMemoControl*>(data)) {
        s.isMemo = true;
        s.bgColor = m->BGColor;
        s.activeBgColor = m->ActiveBGColor;
    }
    if (auto* g = dynamic_cast<const TbsDataSkinGaugeControl*>(data)) {
        s.isGauge = true;
        copyFont(s.font, *g);
        s.progressArea = toSkinRect(g->ProgressArea);
        s.progressRect = toSkinRect(g->ProgressRect);
        s.beginOffset = g->BeginOffset;
        s.endOffset = g->EndOffset;
        s.vertical = g->Vertical;
    }
    if (auto* b = dynamic_cast<const TbsDataSkinButtonControl*>(data)) {
        s.isButton = true;
        copyFont(s.font, *b);
        s.activeFontColor = b->ActiveFontColor;
        s.downFontColor = b->DownFontColor;
        s.disabledFontColor = b->DisabledFontColor;
        s.activeSkinRect = toSkinRect(b->ActiveSkinRect);
        s.downSkinRect = toSkinRect(b->DownSkinRect);
        s.disabledSkinRect = toSkinRect(b->DisabledSkinRect);
        s.morphing = b->Morphing;
        s.morphKind = static_cast<int>(b->MorphKind);
    }
    return s;
}
