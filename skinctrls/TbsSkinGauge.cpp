#include "TbsSkinGauge.h"

#include "GaugeGeometry.h"
#include "SkinCompose.h"
#include "SkinPalette.h"

#include <QPainter>

TbsSkinGauge::TbsSkinGauge(QWidget* parent, TComponent* owner) : TbsSkinCustomControl(parent, owner)
{
    FSkinDataName = QStringLiteral("gauge");
    resize(100, 20);
}

void TbsSkinGauge::setMinValue(int v)
{
    FMinValue = v;
    if (FValue < v)
        FValue = v;
    RepaintNow();
}

void TbsSkinGauge::setMaxValue(int v)
{
    FMaxValue = v;
    if (v < FValue)
        FValue = v;
    RepaintNow();
}

void TbsSkinGauge::setValue(int v)
{
    if (v > FMaxValue)
        v = FMaxValue;
    else if (v < FMinValue)
        v = FMinValue;
    if (v == FValue)
        return;
    FValue = v;
    RepaintNow();
}

void TbsSkinGauge::setVertical(bool v)
{
    FVertical = v;
    RepaintNow();
}

void TbsSkinGauge::setProgressText(const QString& v)
{
    FProgressText = v;
    RepaintNow();
}

void TbsSkinGauge::setShowProgressText(bool v)
{
    FShowProgressText = v;
    RepaintNow();
}

void TbsSkinGauge::setShowPercent(bool v)
{
    FShowPercent = v;
    RepaintNow();
}

void TbsSkinGauge::LoadSkinSection()
{
    TbsSkinCustomControl::LoadSkinSection();
    if (isSkinned() && FSection.isGauge)
        FVertical = FSection.vertical;
}

SkinRect TbsSkinGauge::fittedProgressArea() const
{
    SkinRect a = FSection.progressArea;
    if (FStretchKind == TbsSkinStretchKind::stFixed || FStretchKind == TbsSkinStretchKind::stUnusable)
        return a;
    if (FVertical)
        a.bottom += height() - FGeometry.skinHeight();
    else
        a.right += width() - FGeometry.skinWidth();
    return a;
}

QString TbsSkinGauge::displayText() const
{
    QString text;
    if (FShowProgressText)
        text += FProgressText;
    if (FShowPercent)
        text += QString::number(gaugePercent(FValue, FMinValue, FMaxValue)) + QLatin1Char('%');
    return text;
}

void TbsSkinGauge::DrawDefaultImage(QImage& bitmap)
{
    const int W = width(), H = height();
    {
        QPainter p(&bitmap);
        p.fillRect(0, 0, W, H, sysColor(SysColor::Window));
        p.setPen(sysColor(SysColor::BtnShadow));
        p.drawRect(0, 0, W - 1, H - 1);
        const SkinRect filled =
            gaugeFilledRect(SkinRect(1, 1, W - 1, H - 1), gaugeFraction(FValue, FMinValue, FMaxValue), FVertical);
        if (!filled.isEmpty())
            p.fillRect(filled.toQRect(), hotFillColor());
    }
    drawText(bitmap);
}

bool TbsSkinGauge::drawProgress(QPainter& p, const SkinRect& R)
{
    const SkinRect P = FSection.progressRect;
    const int b = FSection.beginOffset, e = FSection.endOffset;
    // Each piece takes P's full height (width when vertical) into R's; it is scaled only when
    // the two differ.
    auto put = [&](const SkinRect& src, const SkinRect& dst) {
        if (src.isEmpty() || dst.isEmpty())
            return;
        p.drawImage(dst.toQRect(), FPicture, src.toQRect());
    };
    if (!FVertical) {
        const int m = P.width() - b - e;
        if (R.width() - b - e > 0 && m <= 0) {
            // A middle to fill with nothing to fill it from: nothing more is drawn, no text.
            if (m == 0)
                return false;
        } else if (R.width() - b - e > 0) {
            const int left = R.left + b, right = R.right - e;
            const int count = (right - left) / m + 1;
            for (int k = 0; k < count; ++k) {
                const int x = left + k * m;
                const int w = std::min(m, right - x);
                if (w > 0)
                    put(SkinRect(P.left + b, P.top, P.left + b + w, P.bottom), SkinRect(x, R.top, x + w, R.bottom));
            }
        }
        if (R.width() >= b + e) {
            put(SkinRect(P.left, P.top, P.left + b, P.bottom), SkinRect(R.left, R.top, R.left + b, R.bottom));
            put(SkinRect(P.right - e, P.top, P.right, P.bottom), SkinRect(R.right - e, R.top, R.right, R.bottom));
        }
    } else {
        const int m = P.height() - b - e;
        if (R.height() - b - e > 0 && m <= 0) {
            if (m == 0)
                return false;
        } else if (R.height() - b - e > 0) {
            const int top = R.top + b, bottom = R.bottom - e;
            const int count = (bottom - top) / m + 1;
            for (int k = 0; k < count; ++k) {
                const int tileBottom = bottom - k * m;
                const int h = std::min(m, tileBottom - top);
                if (h > 0)
                    put(SkinRect(P.left, P.bottom - e - h, P.right, P.bottom - e),
                        SkinRect(R.left, tileBottom - h, R.right, tileBottom));
            }
        }
        if (R.height() >= b + e) {
            put(SkinRect(P.left, P.top, P.right, P.top + b), SkinRect(R.left, R.top, R.right, R.top + b));
            put(SkinRect(P.left, P.bottom - e, P.right, P.bottom), SkinRect(R.left, R.bottom - e, R.right, R.bottom));
        }
    }
    return true;
}

void TbsSkinGauge::DrawSkinImage(QImage& bitmap)
{
    if (FPicture.isNull() || !FSection.isGauge || FStretchKind == TbsSkinStretchKind::stUnusable) {
        DrawDefaultImage(bitmap);
        return;
    }
    ComposeSkinImage(bitmap, FPicture, FGeometry.skinRect);
    const SkinRect filled =
        gaugeFilledRect(fittedProgressArea(), gaugeFraction(FValue, FMinValue, FMaxValue), FVertical);
    bool complete = false;
    {
        QPainter p(&bitmap);
        complete = drawProgress(p, filled);
    }
    if (complete)
        drawText(bitmap);
}

void TbsSkinGauge::drawText(QImage& bitmap)
{
    const QString text = displayText();
    if (text.isEmpty())
        return;
    QFont font = FDefaultFont;
    QColor color = palette().color(QPalette::WindowText);
    if (isSkinned() && FSection.isGauge) {
        font = FUseSkinFont ? skinFont(FSection.font) : FDefaultFont;
        color = colorFromBgr(FSection.font.color);
    }
    QPainter p(&bitmap);
    p.setFont(font);
    p.setPen(color);
    const QFontMetrics fm(font);
    const int tw = fm.horizontalAdvance(text), th = fm.height();
    const int W = width(), H = height();
    if (!FVertical) {
        p.drawText(W / 2 - tw / 2, H / 2 - th / 2 + fm.ascent(), text);
    } else {
        // Turned by 90 degrees, reading upward; (x, y) is the text's top-left before turning.
        const int x = W / 2 - th / 2, y = tw / 2 + H / 2;
        p.translate(x, y);
        p.rotate(-90);
        p.drawText(0, fm.ascent(), text);
    }
}
