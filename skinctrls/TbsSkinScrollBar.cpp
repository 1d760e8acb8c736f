#include "TbsSkinScrollBar.h"

#include "EventDispatch.h"
#include "SkinPalette.h"

#include <QMouseEvent>
#include <QPainter>

TbsSkinScrollBar::TbsSkinScrollBar(QWidget* parent, TComponent* owner) : QWidget(parent), TComponent(owner)
{
    resize(16, 100);
}

int TbsSkinScrollBar::clampPosition(int position) const
{
    const int top = FPageSize > 0 ? FMax - FPageSize + 1 : FMax;
    return std::max(FMin, std::min(position, std::max(FMin, top)));
}

void TbsSkinScrollBar::SetRange(int min, int max, int pageSize, int position)
{
    FMin = min;
    FMax = max;
    FPageSize = pageSize;
    FPosition = clampPosition(position);
    update();
}

void TbsSkinScrollBar::setPosition(int position)
{
    position = clampPosition(position);
    if (position == FPosition)
        return;
    FPosition = position;
    update();
    fireNotify(OnChange, this);
}

QRect TbsSkinScrollBar::thumbRect() const
{
    const int span = FMax - FMin + 1;
    if (!isEnabled() || span <= 0 || FPageSize <= 0)
        return QRect();
    const int track = height();
    const int thumb = std::max(8, track * std::min(FPageSize, span) / span);
    const int range = std::max(1, span - FPageSize);
    const int y = (track - thumb) * (FPosition - FMin) / range;
    return QRect(1, y, width() - 2, thumb);
}

int TbsSkinScrollBar::positionAt(int y) const
{
    const int span = FMax - FMin + 1;
    if (span <= 0 || height() <= 0)
        return FMin;
    return FMin + y * span / height();
}

void TbsSkinScrollBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), sysColor(SysColor::BtnHighlight));
    p.setPen(sysColor(SysColor::BtnShadow));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect thumb = thumbRect();
    if (!thumb.isEmpty()) {
        p.fillRect(thumb, sysColor(SysColor::BtnFace));
        p.drawRect(thumb.adjusted(0, 0, -1, -1));
    }
}

void TbsSkinScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setPosition(positionAt(event->position().toPoint().y()) - FPageSize / 2);
}

void TbsSkinScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        setPosition(positionAt(event->position().toPoint().y()) - FPageSize / 2);
}
