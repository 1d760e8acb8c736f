#include "TbsSkinCaptionObject.h"

#include "CaptionText.h"
#include "FontMapper.h"
#include "SkinCompose.h"
#include "SkinObjectData.h"
#include "SystemColors.h"
#include "TbsEffectBmp.h"
#include "TbsSkinData.h"
#include "TbsSkinFrame.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
SkinRect toSkin(const TbsRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
QColor colorOf(int value) { return SystemColors::fromColorValue(static_cast<std::uint32_t>(value)); }
}

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinFrame* frame, TbsDataSkinCaption* data)
    : TbsActiveSkinObject(frame, data)
{
    TextRect = toSkin(data->TextRect);
    FontColor = data->FontColor;
    ActiveFontColor = data->ActiveFontColor;
    Alignment = data->Alignment;
    Shadow = data->Shadow;
    ShadowColor = data->ShadowColor;
    ActiveShadowColor = data->ActiveShadowColor;
    FrameRect = toSkin(data->FrameRect);
    ActiveFrameRect = toSkin(data->ActiveFrameRect);
    FrameTextRect = toSkin(data->FrameTextRect);
    FrameLeftOffset = data->FrameLeftOffset;
    FrameRightOffset = data->FrameRightOffset;
    FFont = FontMapper::makeFontFromBytes(data->FontName, data->FontHeight);
    FFont.setBold(data->FontStyle.Bold);
    FFont.setItalic(data->FontStyle.Italic);
    FFont.setUnderline(data->FontStyle.Underline);
    FFont.setStrikeOut(data->FontStyle.StrikeOut);
    if (frame && frame->SkinData()) {
        FLeftTopX = frame->SkinData()->FormInfo().LeftTopPoint.X;
        FRightTopX = frame->SkinData()->FormInfo().RightTopPoint.X;
    }
}

void TbsSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (FFrame && FFrame->OnMouseDownEvent)
        FFrame->OnMouseDownEvent(IDName, X, Y, ObjectRect.toQRect(), Button);
}

void TbsSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (FFrame && FFrame->OnMouseUpEvent)
        FFrame->OnMouseUpEvent(IDName, X, Y, ObjectRect.toQRect(), Button);
}

void TbsSkinCaptionObject::MouseEnter()
{
    MouseIn = true;
    if (FFrame && FFrame->OnMouseEnterEvent)
        FFrame->OnMouseEnterEvent(IDName);
}

void TbsSkinCaptionObject::MouseLeave()
{
    MouseIn = false;
    if (FFrame && FFrame->OnMouseLeaveEvent)
        FFrame->OnMouseLeaveEvent(IDName);
}

QRect TbsSkinCaptionObject::textArea() const
{
    SkinRect area = TextRect;
    area.right += ObjectRect.width() - SkinRectValue.width();
    if (!FrameRect.isEmpty()) {
        area.left += FrameTextRect.left;
        area.top += FrameTextRect.top;
        area.right += FrameTextRect.right - FrameRect.width();
    }
    return QRect(area.left, area.top, area.width(), area.height());
}

QString TbsSkinCaptionObject::shownText() const
{
    const QString caption = FFrame ? FFrame->captionText() : QString();
    if (TextRect.isEmpty() || caption.isEmpty())
        return {};
    const QFontMetrics fm(FFont);
    return shortenCaption(caption, textArea().width(), [&](const QString& s) { return fm.horizontalAdvance(s); });
}

void TbsSkinCaptionObject::drawText(QPainter& p, QPoint origin, bool activeStyle) const
{
    const QString text = shownText();
    if (text.isEmpty())
        return;
    const QRect area = textArea();
    const QFontMetrics fm(FFont);
    const int tw = fm.horizontalAdvance(text), th = fm.height();
    int x;
    switch (Alignment) {
    case TbsAlignment::taLeftJustify: x = area.left(); break;
    case TbsAlignment::taRightJustify: x = area.left() + area.width() - tw; break;
    default: x = area.left() + area.width() / 2 - tw / 2; break;
    }
    const int y = area.top() + area.height() / 2 - th / 2;
    const QPoint pos = QPoint(x, y) + origin;
    if (!FrameRect.isEmpty() && FActivePicture) {
        const SkinRect& src = (activeStyle && !ActiveFrameRect.isEmpty()) ? ActiveFrameRect : FrameRect;
        const int w = FrameRect.width() + tw - FrameTextRect.width();
        const QImage frameImage = ComposeHorizontalImage(w, *FActivePicture, src, FrameLeftOffset, FrameRightOffset);
        p.drawImage(pos - QPoint(FrameTextRect.left, FrameTextRect.top), frameImage);
    }
    p.setFont(FFont);
    const QRect box(pos, QSize(tw + 2, th));
    if (Shadow) {
        p.setPen(colorOf(activeStyle ? ActiveShadowColor : ShadowColor));
        p.drawText(box.translated(1, 1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
    p.setPen(colorOf(activeStyle ? ActiveFontColor : FontColor));
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

QImage TbsSkinCaptionObject::captionImage(const QImage* picture, const SkinRect& src, bool activeStyle) const
{
    const int W = std::max(1, ObjectRect.width()), H = std::max(1, ObjectRect.height());
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(Qt::black);
    if (picture && !picture->isNull() && !src.isEmpty()) {
        QPainter p(&img);
        const int L = FLeftTopX - SkinRectValue.left;
        const int R = SkinRectValue.right - FRightTopX;
        const int middle = src.width() - L - R;
        if ((L == 0 && R == 0) || middle <= 0 || L < 0 || R < 0) {
            p.drawImage(QRect(0, 0, W, H), *picture, src.toQRect());
        } else {
            tileSkinPiece(p, *picture, SkinRect(src.left + L, src.top, src.right - R, src.bottom), SkinRect(0, 0, W, H));
            copySkinPiece(p, *picture, SkinRect(src.left, src.top, src.left + L, src.bottom), 0, 0);
            copySkinPiece(p, *picture, SkinRect(src.right - R, src.top, src.right, src.bottom), W - R, 0);
        }
        drawText(p, QPoint(0, 0), activeStyle);
    }
    return img;
}

void TbsSkinCaptionObject::Draw(QPainter& canvas, bool /*update*/)
{
    const bool inactiveEffect = FFrame && FFrame->SkinData() && FFrame->SkinData()->FormInfo().AutoRenderingInActiveImage;
    const TbsInactiveEffect effect =
        FFrame && FFrame->SkinData() ? FFrame->SkinData()->FormInfo().InActiveEffect : TbsInactiveEffect::ieBrightness;
    if (morphUnderWay()) {
        TbsEffectBmp a(captionImage(FPicture, SkinRectValue, false));
        a.Morph(MorphKind, TbsEffectBmp(captionImage(FActivePicture, ActiveSkinRect, true)), FMorphKf);
        if (!Active && inactiveEffect)
            a.ApplyInactiveEffect(effect);
        drawImage(canvas, a.toImage());
    } else if (ActiveSkinRect.isEmpty() || (!Active && !Morphing)) {
        drawText(canvas, QPoint(ObjectRect.left, ObjectRect.top), Active);
    } else if (Active) {
        drawImage(canvas, captionImage(FActivePicture, ActiveSkinRect, true));
    } else {
        QImage normal = captionImage(FPicture, SkinRectValue, false);
        if (inactiveEffect) {
            TbsEffectBmp e(normal);
            e.ApplyInactiveEffect(effect);
            normal = e.toImage();
        }
        drawImage(canvas, normal);
    }
}
