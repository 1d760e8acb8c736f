#include "TbsSkinStdLabel.h"

#include "SkinDataLink.h"
#include "SkinLookup.h"
#include "SkinPalette.h"

#include <QPainter>
#include <QStyle>

TbsSkinStdLabel::TbsSkinStdLabel(QWidget* parent, TComponent* owner)
    : QLabel(parent), TComponent(owner), FDefaultFont(makeFont(QStringLiteral("MS Sans Serif"), -11))
{
    // Always transparent: the parent's face shows around the text.
    setAttribute(Qt::WA_TranslucentBackground, false);
    setAutoFillBackground(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TbsSkinStdLabel::setSkinData(TbsSkinData* value)
{
    relinkSkinData(*this, FSkinData, value);
    if (value)
        ApplySkin();
}

void TbsSkinStdLabel::notification(TComponent* component, Operation operation)
{
    if (isSkinDataRemoval(FSkinData, component, operation)) {
        FSkinData = nullptr;
        FIndex = -1;
    }
    TComponent::notification(component, operation);
}

void TbsSkinStdLabel::setUseSkinFont(bool value)
{
    FUseSkinFont = value;
    update();
}

void TbsSkinStdLabel::setCaption(const QString& value)
{
    setText(value);
    if (FAutoSize)
        adjustSize();
    repaint();
}

void TbsSkinStdLabel::setShowAccelChar(bool value)
{
    FShowAccelChar = value;
    repaint();
}

void TbsSkinStdLabel::setAutoSize(bool value)
{
    FAutoSize = value;
    if (value)
        adjustSize();
}

void TbsSkinStdLabel::ApplySkin()
{
    LoadSkinSection();
    if (FAutoSize)
        adjustSize();
    repaint();
}

void TbsSkinStdLabel::LoadSkinSection() const
{
    const auto found = findSkinSection(FSkinData, FSkinDataName);
    FIndex = found ? found->index : -1;
    if (found && found->isStdLabel)
        FSection = *found;
}

QFont TbsSkinStdLabel::effectiveFont() const
{
    LoadSkinSection();
    if (!FUseSkinFont)
        return font();
    if (isSkinned() && FSection.isStdLabel)
        return skinFont(FSection.font);
    return FDefaultFont;
}

QColor TbsSkinStdLabel::effectiveColor() const
{
    if (isSkinned() && FSection.isStdLabel)
        return colorFromBgr(FSection.font.color);
    // Unskinned the text colour goes with the font chosen (DefaultFont or Font): the window
    // text colour of the palette.
    return palette().color(QPalette::WindowText);
}

int TbsSkinStdLabel::textFlags() const
{
    int flags = int(alignment());
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    flags |= FShowAccelChar ? Qt::TextShowMnemonic : 0;
    return flags;
}

QString TbsSkinStdLabel::measuredText() const
{
    QString t = text();
    if (t.isEmpty() || (FShowAccelChar && t == QStringLiteral("&")))
        t += QLatin1Char(' ');
    return t;
}

QSize TbsSkinStdLabel::sizeHint() const
{
    const QFontMetrics fm(effectiveFont());
    const int maxWidth = wordWrap() ? width() : 0x7fff;
    const QRect r = fm.boundingRect(QRect(0, 0, maxWidth, 0x7fff), textFlags(), measuredText());
    return r.size();
}

void TbsSkinStdLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFont f = effectiveFont();
    p.setFont(f);
    const QString t = text();
    const int flags = textFlags();
    if (isEnabled()) {
        p.setPen(effectiveColor());
        p.drawText(rect(), flags, t);
    } else {
        p.setPen(sysColor(SysColor::BtnHighlight));
        p.drawText(rect().translated(1, 1), flags, t);
        p.setPen(sysColor(SysColor::BtnShadow));
        p.drawText(rect(), flags, t);
    }
}
