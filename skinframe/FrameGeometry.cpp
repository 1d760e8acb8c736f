#include "FrameGeometry.h"

#include "TbsFormInfo.h"

namespace {

SkinRect toSkin(const TbsRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

enum class Zone { None, LT, RT, LB, RB };

}

FrameSkinMetrics FrameSkinMetrics::fromFormInfo(const TbsFormInfo& info, QSize picture)
{
    FrameSkinMetrics m;
    m.pictureWidth = picture.width();
    m.pictureHeight = picture.height();
    m.leftTop = info.LeftTopPoint.toQPoint();
    m.rightTop = info.RightTopPoint.toQPoint();
    m.leftBottom = info.LeftBottomPoint.toQPoint();
    m.rightBottom = info.RightBottomPoint.toQPoint();
    m.clientRect = toSkin(info.ClientRect);
    m.captionRect = toSkin(info.CaptionRect);
    m.buttonsRect = toSkin(info.ButtonsRect);
    m.maskRectArea = toSkin(info.MaskRectArea);
    m.hitLeftTop = info.HitTestLeftTopPoint.toQPoint();
    m.hitRightTop = info.HitTestRightTopPoint.toQPoint();
    m.hitLeftBottom = info.HitTestLeftBottomPoint.toQPoint();
    m.hitRightBottom = info.HitTestRightBottomPoint.toQPoint();
    m.borderWidth = info.BorderWidth;
    m.buttonsOffset = info.ButtonsOffset;
    m.buttonsInLeft = info.ButtonsInLeft;
    return m;
}

FrameGeometry frameGeometryFor(const FrameSkinMetrics& s, int W, int H)
{
    FrameGeometry g;
    g.width = W;
    g.height = H;
    const int dx = W - s.pictureWidth;
    const int dy = H - s.pictureHeight;
    g.dx = dx;
    g.dy = dy;
    g.leftTop = s.leftTop;
    g.rightTop = s.rightTop + QPoint(dx, 0);
    g.leftBottom = s.leftBottom + QPoint(0, dy);
    g.rightBottom = s.rightBottom + QPoint(dx, dy);
    g.clientRect = {s.clientRect.left, s.clientRect.top, s.clientRect.right + dx, s.clientRect.bottom + dy};
    g.captionRect = s.captionRect;
    if (!s.captionRect.isEmpty())
        g.captionRect.right += dx;
    g.buttonsRect = s.buttonsRect;
    // Buttons in the right half follow the right edge; those in the left half stay.
    if (!s.buttonsRect.isEmpty() && s.buttonsRect.left > s.pictureWidth / 2)
        g.buttonsRect = s.buttonsRect.translated(dx, 0);
    g.hitLeftTop = s.hitLeftTop;
    g.hitRightTop = s.hitRightTop + QPoint(dx, 0);
    g.hitLeftBottom = s.hitLeftBottom + QPoint(0, dy);
    g.hitRightBottom = s.hitRightBottom + QPoint(dx, dy);
    g.maskRectArea = {s.maskRectArea.left, s.maskRectArea.top, s.maskRectArea.right + dx, s.maskRectArea.bottom + dy};
    return g;
}

SkinRect placeByZones(const FrameSkinMetrics& s, const SkinRect& r, int W, int H)
{
    const int dx = W - s.pictureWidth;
    const int dy = H - s.pictureHeight;
    const int pw = s.pictureWidth, ph = s.pictureHeight;
    const SkinRect lt(0, 0, s.leftTop.x(), s.leftTop.y());
    const SkinRect rt(s.rightTop.x(), 0, pw, s.rightTop.y());
    const SkinRect lb(0, s.leftBottom.y(), s.leftBottom.x(), ph);
    const SkinRect rb(s.rightBottom.x(), s.rightBottom.y(), pw, ph);
    auto zoneOf = [&](QPoint p) {
        if (lt.containsExclusive(p))
            return Zone::LT;
        if (rt.containsExclusive(p))
            return Zone::RT;
        if (lb.containsExclusive(p))
            return Zone::LB;
        if (rb.containsExclusive(p))
            return Zone::RB;
        return Zone::None;
    };
    const Zone a = zoneOf({r.left, r.top});
    const Zone b = zoneOf({r.right, r.bottom});
    if (a == b) {
        switch (a) {
        case Zone::LT: return r;
        case Zone::RT: return r.translated(dx, 0);
        case Zone::LB: return r.translated(0, dy);
        case Zone::RB: return r.translated(dx, dy);
        case Zone::None: return r;
        }
    }
    SkinRect out = r;
    if (a == Zone::LT && b == Zone::RB) {
        out.right += dx;
        out.bottom += dy;
    } else if (a == Zone::LT && b == Zone::RT) {
        out.right += dx;
    } else if (a == Zone::LB && b == Zone::RB) {
        out.right += dx;
        out = out.translated(0, dy);
    } else if (a == Zone::LT && b == Zone::LB) {
        out.bottom += dy;
    } else if (a == Zone::RT && b == Zone::RB) {
        out = out.translated(dx, 0);
        out.bottom += dy;
    }
    return out;
}

void layoutCaptionButtonRow(const FrameGeometry& g, int buttonsOffset, bool buttonsInLeft,
                            std::vector<CaptionRowObject>& objects)
{
    using Kind = CaptionRowObject::Kind;
    SkinRect row;
    if (!g.buttonsRect.isEmpty())
        row = g.buttonsRect;
    else if (!g.captionRect.isEmpty())
        row = g.captionRect;
    else
        return;

    auto firstStd = [&](TbsStdCommand command) -> CaptionRowObject* {
        for (auto& o : objects)
            if (o.kind == Kind::StdButton && o.inPicture && o.visible && o.command == command)
                return &o;
        return nullptr;
    };
    CaptionRowObject* caption = nullptr;
    for (auto& o : objects)
        if (o.kind == Kind::Caption) {
            caption = &o;
            break;
        }
    const bool rowIsButtonsRect = !g.buttonsRect.isEmpty();
    const TbsStdCommand order[] = {TbsStdCommand::cmClose, TbsStdCommand::cmMaximize, TbsStdCommand::cmMinimize,
                                   TbsStdCommand::cmRollUp};
    CaptionRowObject* sysMenu = firstStd(TbsStdCommand::cmSysMenu);

    if (!buttonsInLeft) {
        int x = row.right;
        for (TbsStdCommand command : order) {
            if (CaptionRowObject* b = firstStd(command)) {
                const int w = b->size.width(), h = b->size.height();
                b->rect = {x - w, row.top, x, row.top + h};
                x -= w + buttonsOffset;
            }
        }
        if (!rowIsButtonsRect && caption)
            caption->rect.right = x + buttonsOffset;
        if (sysMenu) {
            const int w = sysMenu->size.width(), h = sysMenu->size.height();
            const int top = g.captionRect.top + g.captionRect.height() / 2 - h / 2;
            sysMenu->rect = {g.captionRect.left, top, g.captionRect.left + w, top + h};
            if (caption)
                caption->rect.left = g.captionRect.left + w;
        }
    } else {
        int x = row.left;
        auto place = [&](CaptionRowObject* b) {
            const int w = b->size.width(), h = b->size.height();
            b->rect = {x, row.top, x + w, row.top + h};
            x += w + buttonsOffset;
        };
        for (TbsStdCommand command : order)
            if (CaptionRowObject* b = firstStd(command))
                place(b);
        if (!rowIsButtonsRect) {
            if (sysMenu)
                place(sysMenu);
            if (caption)
                caption->rect.left = x + buttonsOffset;
        }
    }
}

int UnskinnedFrame::captionHeight(bool toolWindow) { return toolWindow ? 15 : 19; }
int UnskinnedFrame::buttonSize(bool toolWindow) { return toolWindow ? 13 : 17; }

SkinRect layoutUnskinnedButtons(int W, bool toolWindow, QSize sysMenuSize, std::vector<CaptionRowObject>& objects)
{
    const int b = UnskinnedFrame::kBorder;
    const int ch = UnskinnedFrame::captionHeight(toolWindow);
    const int bs = UnskinnedFrame::buttonSize(toolWindow);
    SkinRect caption(b, b, W - b, ch);
    int x = W - b;
    const TbsStdCommand order[] = {TbsStdCommand::cmClose, TbsStdCommand::cmMaximize, TbsStdCommand::cmMinimize,
                                   TbsStdCommand::cmRollUp};
    for (TbsStdCommand command : order)
        for (auto& o : objects)
            if (o.kind == CaptionRowObject::Kind::StdButton && o.visible && o.command == command) {
                o.rect = {x - bs, 4, x, 4 + bs};
                x -= bs;
                caption.right = x;
                break;
            }
    for (auto& o : objects)
        if (o.kind == CaptionRowObject::Kind::StdButton && o.visible && o.command == TbsStdCommand::cmSysMenu) {
            o.rect = {b, 4, b + sysMenuSize.width(), 4 + sysMenuSize.height()};
            caption.left = o.rect.right;
            break;
        }
    return caption;
}

QSize minimumFrameSize(const MinimumSizeInput& in)
{
    int w, h;
    if (in.skinned) {
        w = in.minimized ? in.pictureWidth : std::max(in.pictureWidth, in.minWidth);
        h = in.frameHeight;
        if (in.minHeight > h && !in.rolledUp && !in.minimized)
            h = in.minHeight;
    } else {
        w = in.minWidth > 0 ? in.minWidth : 120;
        h = UnskinnedFrame::captionHeight(in.toolWindow) + 6;
        if (in.minHeight > h && !in.rolledUp && !in.minimized)
            h = in.minHeight;
    }
    return {w, h};
}

QPoint magneticSnap(QPoint topLeft, QSize size, const QRect& a, int m)
{
    // The work area as left, top, right, bottom with the right and bottom edges outside it.
    const int left = a.x(), top = a.y(), right = a.x() + a.width(), bottom = a.y() + a.height();
    int x = topLeft.x(), y = topLeft.y();
    if (left - m < x && x < left + m)
        x = left;
    if (top - m < y && y < top + m)
        y = top;
    if (right - m < x + size.width() && x + size.width() < right + m)
        x = right - size.width();
    if (bottom - m < y + size.height() && y + size.height() < bottom + m)
        y = bottom - size.height();
    return {x, y};
}
