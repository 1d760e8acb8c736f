#include "SkinGeometry.h"

TbsSkinStretchKind stretchKindOf(const SkinGeometry& g)
{
    if (g.skinRect.width() < 1 || g.skinRect.height() < 1)
        return TbsSkinStretchKind::stUnusable;
    if (g.rightBottom.x() != 0 && g.rightBottom.y() != 0)
        return TbsSkinStretchKind::stFourPoint;
    if (g.rightTop.x() != 0 || g.rightTop.y() != 0)
        return TbsSkinStretchKind::stHorizontal;
    if (g.leftBottom.x() != 0 || g.leftBottom.y() != 0)
        return TbsSkinStretchKind::stVertical;
    return TbsSkinStretchKind::stFixed;
}

FittedGeometry unfittedGeometry(const SkinGeometry& g)
{
    return {g.leftTop, g.rightTop, g.leftBottom, g.rightBottom, g.clientRect};
}

FittedGeometry fitToSkin(TbsSkinStretchKind kind, const SkinGeometry& g, const FittedGeometry& previous,
                         int& width, int& height)
{
    const int dW = width - g.skinWidth();
    const int dH = height - g.skinHeight();
    FittedGeometry f = previous;
    switch (kind) {
    case TbsSkinStretchKind::stUnusable:
        break;
    case TbsSkinStretchKind::stFixed:
        width = g.skinWidth();
        height = g.skinHeight();
        f.clientRect = g.clientRect;
        break;
    case TbsSkinStretchKind::stFourPoint:
        f.leftTop = g.leftTop;
        f.rightTop = {g.rightTop.x() + dW, g.rightTop.y()};
        f.leftBottom = {g.leftBottom.x(), g.leftBottom.y() + dH};
        f.rightBottom = {g.rightBottom.x() + dW, g.rightBottom.y() + dH};
        f.clientRect = g.clientRect;
        f.clientRect.right += dW;
        f.clientRect.bottom += dH;
        break;
    case TbsSkinStretchKind::stHorizontal:
        height = g.skinHeight();
        f.leftTop = g.leftTop;
        f.rightTop = {g.rightTop.x() + dW, g.rightTop.y()};
        f.clientRect = g.clientRect;
        f.clientRect.right += dW;
        break;
    case TbsSkinStretchKind::stVertical:
        width = g.skinWidth();
        f.leftTop = g.leftTop;
        f.leftBottom = {g.leftBottom.x(), g.leftBottom.y() + dH};
        f.clientRect = g.clientRect;
        f.clientRect.bottom += dH;
        break;
    }
    return f;
}

SkinRect mapSkinRect(TbsSkinStretchKind kind, const SkinGeometry& g, const SkinRect& r, int width, int height)
{
    const int dW = width - g.skinWidth();
    const int dH = height - g.skinHeight();
    SkinRect m = r;
    switch (kind) {
    case TbsSkinStretchKind::stFixed:
    case TbsSkinStretchKind::stUnusable:
        return r;
    case TbsSkinStretchKind::stHorizontal:
        if (r.left <= g.leftTop.x() && r.right >= g.rightTop.x())
            m.right += dW;
        else if (r.left >= g.rightTop.x() && r.right > g.rightTop.x())
            m = r.translated(dW, 0);
        return m;
    case TbsSkinStretchKind::stVertical:
        if (r.top <= g.leftTop.y() && r.bottom >= g.leftBottom.y())
            m.bottom += dH;
        else if (r.top >= g.leftBottom.y() && r.bottom > g.leftBottom.y())
            m = r.translated(0, dH);
        return m;
    case TbsSkinStretchKind::stFourPoint:
        break;
    }

    const int SW = g.skinWidth(), SH = g.skinHeight();
    const SkinRect LTZ{0, 0, g.leftTop.x(), g.leftTop.y()};
    const SkinRect RTZ{g.rightTop.x(), 0, SW, g.rightTop.y()};
    const SkinRect LBZ{0, g.leftBottom.y(), g.leftBottom.x(), SH};
    const SkinRect RBZ{g.rightBottom.x(), g.rightBottom.y(), SW, SH};
    const QPoint tl{r.left, r.top}, br{r.right, r.bottom};

    auto inside = [&](const SkinRect& z) { return z.containsExclusive(tl) && z.containsExclusive(br); };
    if (inside(LTZ))
        return r;
    if (inside(RTZ))
        return r.translated(dW, 0);
    if (inside(LBZ))
        return r.translated(0, dH);
    if (inside(RBZ))
        return r.translated(dW, dH);

    auto in = [](const SkinRect& z, QPoint p) { return z.containsInclusive(p); };
    if (in(LTZ, tl) && in(RBZ, br)) {
        m.right += dW;
        m.bottom += dH;
    } else if (in(LTZ, tl) && in(RTZ, br)) {
        m.right += dW;
    } else if (in(LBZ, tl) && in(RBZ, br)) {
        m.right += dW;
        m = m.translated(0, dH);
    } else if (in(LTZ, tl) && in(LBZ, br)) {
        m.bottom += dH;
    } else if (in(RTZ, tl) && in(RBZ, br)) {
        m = m.translated(dW, 0);
        m.bottom += dH;
    }
    return m;
}
