#include "TSpeedButton.h"

#include "Application.h"
#include "SystemColors.h"

#include <algorithm>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {
// Space between the picture and the caption.
constexpr int kSpacing = 4;

QImage disabledLook(const QImage& image)
{
    // Without a disabled image of its own, the picture is drawn greyed by the style.
    const QPixmap pix = QPixmap::fromImage(image);
    QStyleOption option;
    return QApplication::style()->generatedIconPixmap(QIcon::Disabled, pix, &option).toImage();
}
}

TSpeedButton::TSpeedButton(QWidget* parent, TComponent* owner) : QAbstractButton(parent), TComponent(owner)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, guarded([this](bool) { Click(); }));
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::setCaption(const QString& caption)
{
    setText(caption);
    update();
}

void TSpeedButton::setGlyph(const QImage& glyph)
{
    glyph_ = glyph;
    if (OnGlyphChange)
        OnGlyphChange();
    updateGeometry();
    update();
}

void TSpeedButton::setNumGlyphs(int count)
{
    numGlyphs_ = std::clamp(count, 1, 4);
    update();
}

void TSpeedButton::setLayout(TButtonLayout layout)
{
    layout_ = layout;
    update();
}

void TSpeedButton::setFlat(bool flat)
{
    flat_ = flat;
    update();
}

void TSpeedButton::setHint(const QString& hint)
{
    hint_ = hint;
    setToolTip(showHint_ ? hint_ : QString());
}

void TSpeedButton::setShowHint(bool show)
{
    showHint_ = show;
    setToolTip(showHint_ ? hint_ : QString());
}

void TSpeedButton::Click()
{
    if (OnClick)
        OnClick(this);
}

QImage TSpeedButton::currentGlyphImage() const
{
    if (glyph_.isNull())
        return {};
    const int width = glyph_.width() / numGlyphs_;
    if (!isEnabled()) {
        if (numGlyphs_ >= 2)
            return glyph_.copy(width, 0, width, glyph_.height());
        return disabledLook(glyph_.copy(0, 0, width, glyph_.height()));
    }
    return glyph_.copy(0, 0, width, glyph_.height());
}

QSize TSpeedButton::sizeHint() const
{
    return {23, 22};
}

void TSpeedButton::enterEvent(QEnterEvent* event)
{
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TSpeedButton::leaveEvent(QEvent* event)
{
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TSpeedButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        enabledChanged();
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    const bool down = isDown();
    if (!flat_)
        painter.fillRect(area, SystemColors::color(SystemColor::ButtonFace));
    // A flat button shows its edge only under the mouse or while pressed.
    if (!flat_ || ((hover_ || down) && isEnabled())) {
        const QColor light = SystemColors::color(SystemColor::ButtonHighlight);
        const QColor dark = SystemColors::color(SystemColor::ButtonShadow);
        const QColor topLeft = down ? dark : light;
        const QColor bottomRight = down ? light : dark;
        painter.setPen(topLeft);
        painter.drawLine(area.topLeft(), area.topRight());
        painter.drawLine(area.topLeft(), area.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomRight());
    }

    const QImage image = currentGlyphImage();
    const QSize glyphSize = image.isNull() ? QSize() : image.size();
    const QFontMetrics metrics(font());
    const QString caption = text();
    const QSize textSize = caption.isEmpty()
                               ? QSize()
                               : metrics.size(Qt::TextShowMnemonic, caption);
    const int gap = !glyphSize.isEmpty() && !textSize.isEmpty() ? kSpacing : 0;
    const bool vertical = layout_ == blGlyphTop || layout_ == blGlyphBottom;
    const QSize total = vertical
                            ? QSize(std::max(glyphSize.width(), textSize.width()),
                                    glyphSize.height() + gap + textSize.height())
                            : QSize(glyphSize.width() + gap + textSize.width(),
                                    std::max(glyphSize.height(), textSize.height()));
    QPoint origin((area.width() - total.width()) / 2, (area.height() - total.height()) / 2);
    if (down)
        origin += QPoint(1, 1);
    QPoint glyphAt;
    QPoint textAt;
    switch (layout_) {
    case blGlyphLeft:
        glyphAt = origin + QPoint(0, (total.height() - glyphSize.height()) / 2);
        textAt = origin + QPoint(glyphSize.width() + gap, (total.height() - textSize.height()) / 2);
        break;
    case blGlyphRight:
        textAt = origin + QPoint(0, (total.height() - textSize.height()) / 2);
        glyphAt = origin + QPoint(textSize.width() + gap, (total.height() - glyphSize.height()) / 2);
        break;
    case blGlyphTop:
        glyphAt = origin + QPoint((total.width() - glyphSize.width()) / 2, 0);
        textAt = origin + QPoint((total.width() - textSize.width()) / 2, glyphSize.height() + gap);
        break;
    case blGlyphBottom:
        textAt = origin + QPoint((total.width() - textSize.width()) / 2, 0);
        glyphAt = origin + QPoint((total.width() - glyphSize.width()) / 2, textSize.height() + gap);
        break;
    }
    if (!image.isNull())
        painter.drawImage(glyphAt, image);
    if (!caption.isEmpty()) {
        const QRect textRect(textAt, textSize);
        if (isEnabled()) {
            painter.setPen(palette().color(QPalette::ButtonText));
            painter.drawText(textRect, Qt::TextShowMnemonic, caption);
        } else {
            // The classic engraved look of disabled text.
            painter.setPen(SystemColors::color(SystemColor::ButtonHighlight));
            painter.drawText(textRect.translated(1, 1), Qt::TextShowMnemonic, caption);
            painter.setPen(SystemColors::color(SystemColor::GrayText));
            painter.drawText(textRect, Qt::TextShowMnemonic, caption);
        }
    }
}
