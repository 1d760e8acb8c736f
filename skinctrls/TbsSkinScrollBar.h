#pragma once
// A small vertical scroll bar for the skinned memo: range, page, position (kept within
// minimum .. maximum - page + 1 when a page is set), enabled state and a change notification.
// It draws a track and a thumb in the classic colours.

#include "Component.h"
#include "NotifyEvent.h"

#include <QWidget>

class TbsSkinScrollBar : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TbsSkinScrollBar(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsSkinScrollBar"; }

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int PageSize() const { return FPageSize; }
    int Position() const { return FPosition; }
    void SetRange(int min, int max, int pageSize, int position);
    // Moves the thumb and fires OnChange when the position changes.
    void setPosition(int position);

    TNotifyEvent OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int clampPosition(int position) const;
    QRect thumbRect() const;
    int positionAt(int y) const;

    int FMin = 0, FMax = 0, FPageSize = 0, FPosition = 0;
};
