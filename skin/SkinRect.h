#pragma once
// Rectangles as the skin writes them: left, top, right, bottom with the right and bottom edges
// outside the rect. QRect's inclusive right()/bottom() would make every skin number off by one,
// so the skin geometry keeps its own type and converts at the painter.

#include <QPoint>
#include <QRect>

struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr SkinRect() = default;
    constexpr SkinRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    static SkinRect fromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    // An empty rectangle is one whose width or height is less than 1.
    constexpr bool isEmpty() const { return width() < 1 || height() < 1; }
    QRect toQRect() const { return QRect(left, top, width(), height()); }
    constexpr SkinRect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Edges included on all four sides (the rule of the "spanning" zone tests).
    constexpr bool containsInclusive(QPoint p) const {
        return p.x() >= left && p.x() <= right && p.y() >= top && p.y() <= bottom;
    }
    // Right and bottom edges excluded.
    constexpr bool containsExclusive(QPoint p) const {
        return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
    }
    constexpr bool operator==(const SkinRect&) const = default;
};
