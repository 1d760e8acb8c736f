#include "TbsSkinMenuItem.h"

#include "DefaultButtonGlyphs.h"
#include "SkinCompose.h"
#include "SkinMenuEntry.h"
#include "SkinObjectData.h"
#include "SystemColors.h"
#include "TbsEffectBmp.h"
#include "TbsSkinPopupWindow.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace {

SkinRect toSkin(const TbsRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

std::optional<DefaultGlyph> frameGlyphOf(const std::string& name)
{
    if (name == "BSF_CLOSE" || name == "TRAY_BSF_CLOSE")
        return DefaultGlyph::Close;
    if (name == "BSF_MINITEM")
        return DefaultGlyph::Minimize;
    if (name == "BSF_MAXITEM")
        return DefaultGlyph::Maximize;
    if (name == "BSF_RESTORE" || name == "TRAY_BSF_RESTORE")
        return DefaultGlyph::Restore;
    if (name == "BSF_ROLLUP")
        return DefaultGlyph::RollDown;
    if (name == "BSF_MINTOTRAY")
        return DefaultGlyph::Tray;
    return std::nullopt;
}

void drawSubmenuArrow(QPainter& p, int x, int cy, const QColor& c)
{
    QPolygon tri;
    tri << QPoint(x - 3, cy - 3) << QPoint(x - 3, cy + 3) << QPoint(x, cy);
    p.setPen(c);
    p.setBrush(c);
    p.drawPolygon(tri);
    p.setBrush(Qt::NoBrush);
}

}

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow* parent, SkinMenuEntry* entry, TbsDataSkinMenuItem* data,
                                 const QImage* activePicture)
    : Entry(entry), Data(data), ActivePicture(activePicture), FParent(parent)
{
}

bool TbsSkinMenuItem::morphs() const
{
    return Data && Data->Morphing && ActivePicture && !toSkin(Data->ActiveSkinRect).isEmpty()
           && !Entry->isSeparator();
}

bool TbsSkinMenuItem::CanMorph() const
{
    const bool highlighted = Active || Down;
    return highlighted ? MorphKf < 1 : MorphKf > 0;
}

void TbsSkinMenuItem::MorphStep()
{
    MorphKf = std::clamp(MorphKf + (Active || Down ? 0.1 : -0.1), 0.0, 1.0);
}

void TbsSkinMenuItem::draw(QPainter& p) const
{
    if (Data)
        drawSkinned(p);
    else
        drawUnskinned(p);
}

void TbsSkinMenuItem::drawFrameGlyph(QPainter& p, QPoint centreLeft, const QColor& color) const
{
    if (auto glyph = frameGlyphOf(Entry->Name)) {
        drawDefaultGlyph(p, *glyph, centreLeft - QPoint(0, 4), color);
        return;
    }
    if (!Entry->Checked)
        return;
    p.setPen(QPen(color, 2));
    if (Entry->RadioItem) {
        p.setBrush(color);
        p.drawEllipse(QRect(centreLeft.x() + 3, centreLeft.y() - 2, 5, 5));
        p.setBrush(Qt::NoBrush);
    } else {
        p.drawPolyline(QPolygon({centreLeft + QPoint(1, 0), centreLeft + QPoint(4, 3), centreLeft + QPoint(9, -3)}));
    }
    p.setPen(Qt::NoPen);
}

void TbsSkinMenuItem::drawSkinned(QPainter& p) const
{
    const SkinRect& r = ItemRect;
    const int w = r.width();
    if (Entry->isSeparator()) {
        if (ActivePicture)
            p.drawImage(r.left, r.top, ComposeHorizontalImage(w, *ActivePicture, toSkin(Data->DividerRect),
                                                              Data->DividerLeftOffset, Data->DividerRightOffset));
        return;
    }
    const bool highlighted = Active || Down;
    if (ActivePicture) {
        const SkinRect normalRect = toSkin(Data->SkinRect), activeRect = toSkin(Data->ActiveSkinRect);
        auto compose = [&](const SkinRect& src) {
            return ComposeHorizontalImage(w, *ActivePicture, src, Data->ItemLeftOffset, Data->ItemRightOffset);
        };
        if (morphs() && CanMorph()) {
            TbsEffectBmp a(compose(normalRect));
            a.Morph(Data->MorphKind, TbsEffectBmp(compose(activeRect)), MorphKf);
            p.drawImage(r.left, r.top, a.toImage());
        } else {
            p.drawImage(r.left, r.top, compose(highlighted && !activeRect.isEmpty() ? activeRect : normalRect));
        }
    }
    const QColor color = SystemColors::fromColorValue(std::uint32_t(
        highlighted ? Data->ActiveFontColor : Entry->Enabled ? Data->FontColor : Data->UnEnabledFontColor));
    const SkinRect text = toSkin(Data->TextRect);
    const int glyphWidth = 16;
    const int areaRight = r.left + w + text.right - toSkin(Data->SkinRect).width();
    const int left = r.left + text.left + glyphWidth;
    const QRect textBox(left, r.top + text.top, std::max(0, areaRight - 16 - left), text.height());
    p.setPen(color);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, Entry->Caption);
    if (!Entry->ShortCut.isEmpty())
        p.drawText(textBox, Qt::AlignRight | Qt::AlignVCenter, Entry->ShortCut.toString(QKeySequence::NativeText));
    const int cy = r.top + text.top + text.height() / 2;
    if (!Entry->Items.empty())
        drawSubmenuArrow(p, areaRight - 7, cy, color);
    drawFrameGlyph(p, QPoint(r.left + text.left + 2, cy), color);
}

void TbsSkinMenuItem::drawUnskinned(QPainter& p) const
{
    const SkinRect& r = ItemRect;
    const int glyphColumn = 19;
    if (Entry->isSeparator()) {
        p.setPen(SystemColors::color(SystemColor::ButtonShadow));
        const int y = r.top + r.height() / 2;
        p.drawLine(r.left + glyphColumn, y, r.right - 1, y);
        return;
    }
    const bool highlighted = Active || Down;
    if (highlighted) {
        p.fillRect(r.toQRect(), QColor(0x00, 0x00, 0x80));
        p.fillRect(r.toQRect().adjusted(1, 1, -1, -1), QColor(0xB6, 0xBD, 0xD2));
    }
    const QColor color = SystemColors::color(Entry->Enabled || highlighted ? SystemColor::WindowText : SystemColor::ButtonShadow);
    const QRect inset = r.toQRect().adjusted(2, 2, -2, -2);
    const QRect textBox(inset.left() + glyphColumn, inset.top(), inset.width() - glyphColumn - 19, inset.height());
    p.setPen(color);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, Entry->Caption);
    if (!Entry->ShortCut.isEmpty())
        p.drawText(textBox, Qt::AlignRight | Qt::AlignVCenter, Entry->ShortCut.toString(QKeySequence::NativeText));
    const int cy = inset.top() + inset.height() / 2;
    if (!Entry->Items.empty())
        drawSubmenuArrow(p, inset.right() + 1 - 7, cy, color);
    drawFrameGlyph(p, QPoint(inset.left() + 2, cy), color);
}
