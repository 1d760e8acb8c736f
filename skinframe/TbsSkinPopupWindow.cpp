#include "TbsSkinPopupWindow.h"

#include "FontMapper.h"
#include "MenuGeometry.h"
#include "SkinCompose.h"
#include "SkinMenuEntry.h"
#include "SkinObjectData.h"
#include "SkinWindowData.h"
#include "SystemColors.h"
#include "TbsSkinData.h"
#include "TbsSkinMenu.h"

#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace {

SkinRect toSkin(const TbsRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

SkinGeometry popupGeometry(const TbsDataSkinPopupWindow& d, const QImage& picture)
{
    SkinGeometry g;
    g.leftTop = d.LeftTopPoint.toQPoint();
    g.rightTop = d.RightTopPoint.toQPoint();
    g.leftBottom = d.LeftBottomPoint.toQPoint();
    g.rightBottom = d.RightBottomPoint.toQPoint();
    g.skinRect = SkinRect(0, 0, picture.width(), picture.height());
    g.clientRect = toSkin(d.ItemsRect);
    return g;
}

FittedGeometry fitted(const SkinGeometry& g, int W, int H)
{
    const int dx = W - g.skinWidth(), dy = H - g.skinHeight();
    FittedGeometry f;
    f.leftTop = g.leftTop;
    f.rightTop = g.rightTop + QPoint(dx, 0);
    f.leftBottom = g.leftBottom + QPoint(0, dy);
    f.rightBottom = g.rightBottom + QPoint(dx, dy);
    f.clientRect = {g.clientRect.left, g.clientRect.top, g.clientRect.right + dx, g.clientRect.bottom + dy};
    return f;
}

}

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu* menu, TbsSkinData* skin)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), FMenu(menu), FSkin(skin)
{
    // A menu never takes the focus from the form it belongs to.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    if (skin && !skin->IsEmpty() && skin->PopupWindowData().WindowPictureIndex != -1) {
        FData = &skin->PopupWindowData();
        FWindowPicture = skin->ActivePicture(FData->WindowPictureIndex);
        FMaskPicture = skin->ActivePicture(FData->MaskPictureIndex);
        if (!FWindowPicture)
            FData = nullptr;
    }
    if (skin && !skin->IsEmpty())
        for (const auto& o : skin->ObjectDataList())
            if (auto* item = dynamic_cast<TbsDataSkinMenuItem*>(o.get())) {
                FItemData = item;
                break;
            }
    setFont(FMenu->DefItemFont);
    FMouseTimer.setInterval(50);
    FScrollTimer.setInterval(100);
    FMorphTimer.setInterval(20);
    connect(&FMouseTimer, &QTimer::timeout, this, [this] { trackMouse(mapFromGlobal(QCursor::pos())); });
    connect(&FScrollTimer, &QTimer::timeout, this, [this] { scrollStep(); });
    connect(&FMorphTimer, &QTimer::timeout, this, [this] { morphTick(); });
}

TbsSkinPopupWindow::~TbsSkinPopupWindow() = default;

void TbsSkinPopupWindow::Show(const QRect& anchor, SkinMenuEntry* entry, int startIndex, bool submenu, bool upward)
{
    FEntry = entry;
    const bool isSkinned = skinned();
    const QImage* itemPicture = FItemData ? FSkin->ActivePicture(FItemData->ActivePictureIndex) : nullptr;
    if (FItemData && !itemPicture) {
        FItemData->SkinRect = TbsRect{};
        FItemData->ActiveSkinRect = TbsRect{};
    }
    for (size_t i = size_t(std::max(0, startIndex)); i < entry->Items.size(); ++i) {
        SkinMenuEntry* e = entry->Items[i].get();
        if (e->Visible)
            FItems.push_back(std::make_unique<TbsSkinMenuItem>(this, e, isSkinned ? FItemData : nullptr, itemPicture));
    }
    if (isSkinned) {
        QFont f = FontMapper::makeFontFromBytes(FItemData->FontName, FItemData->FontHeight);
        f.setBold(FItemData->FontStyle.Bold);
        f.setItalic(FItemData->FontStyle.Italic);
        f.setUnderline(FItemData->FontStyle.Underline);
        f.setStrikeOut(FItemData->FontStyle.StrikeOut);
        setFont(f);
    }
    // Size.
    const QFontMetrics fm(font());
    MenuSizeInput in;
    in.skinned = isSkinned;
    for (const auto& item : FItems) {
        const bool separator = item->Entry->isSeparator();
        in.itemHeights.push_back(menuItemHeight(isSkinned, separator,
                                                isSkinned ? FItemData->SkinRect.height() : 0,
                                                isSkinned ? FItemData->DividerRect.height() : 0, FMenu->DefItemHeight));
        QString text = item->Entry->displayCaption();
        if (!item->Entry->ShortCut.isEmpty())
            text += QStringLiteral("  ") + item->Entry->ShortCut.toString(QKeySequence::NativeText);
        in.widestText = std::max(in.widestText, fm.horizontalAdvance(text) + 2);
    }
    if (isSkinned) {
        in.windowPictureWidth = FWindowPicture->width();
        in.windowPictureHeight = FWindowPicture->height();
        in.itemsRect = toSkin(FData->ItemsRect);
        in.itemSkinWidth = FItemData->SkinRect.width();
        in.itemTextWidth = FItemData->TextRect.width();
    }
    in.workAreaHeight = FMenu->workArea().height();
    const MenuSize size = menuWindowSize(in);
    FScroll = size.scroll;
    resize(size.size);
    const int W = size.size.width(), H = size.size.height();
    if (isSkinned)
        FItemsRect = fitted(popupGeometry(*FData, *FWindowPicture), W, H).clientRect;
    else
        FItemsRect = {2, 2, W - 2, H - 2};
    layoutItems();
    if (isSkinned && FMaskPicture) {
        SkinGeometry g = popupGeometry(*FData, *FMaskPicture);
        setMask(FourPointMaskRegion(*FMaskPicture, g, fitted(g, W, H), W, H));
    }
    MenuPositionInput pos;
    pos.anchor = anchor;
    pos.workArea = FMenu->workArea();
    pos.size = size.size;
    pos.itemsTop = FItemsRect.top;
    pos.submenu = submenu;
    pos.upward = upward;
    pos.scroll = FScroll;
    const MenuPosition where = menuPosition(pos);
    FFlipped = where.flipped;
    move(where.topLeft);
    show();
    raise();
    FMouseTimer.start();
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->Entry->Enabled && !FItems[i]->Entry->isSeparator()) {
            setActive(int(i), false);
            break;
        }
}

void TbsSkinPopupWindow::layoutItems()
{
    std::vector<int> heights;
    for (const auto& item : FItems) {
        const bool separator = item->Entry->isSeparator();
        heights.push_back(menuItemHeight(skinned(), separator, skinned() ? FItemData->SkinRect.height() : 0,
                                         skinned() ? FItemData->DividerRect.height() : 0, FMenu->DefItemHeight));
    }
    const auto placed = layoutMenuItems(FItemsRect, heights, FFirstVisible, FScroll);
    for (size_t i = 0; i < FItems.size(); ++i) {
        FItems[i]->ItemRect = placed[i].rect;
        FItems[i]->Visible = placed[i].visible;
    }
    update();
}

SkinRect TbsSkinPopupWindow::upArrowRect() const
{
    if (!skinned())
        return {3, 3, width() - 3, 13};
    return {FItemsRect.left, FItemsRect.top, FItemsRect.right, FItemsRect.top + 10};
}

SkinRect TbsSkinPopupWindow::downArrowRect() const
{
    if (!skinned())
        return {3, height() - 10, width() - 3, height() - 3};
    return {FItemsRect.left, FItemsRect.bottom - 10, FItemsRect.right, FItemsRect.bottom};
}

int TbsSkinPopupWindow::itemAt(QPoint p) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->Visible && FItems[i]->ItemRect.containsExclusive(p))
            return int(i);
    return -1;
}

void TbsSkinPopupWindow::leaveItem(int index)
{
    if (index < 0 || index >= int(FItems.size()))
        return;
    TbsSkinMenuItem& item = *FItems[size_t(index)];
    item.Active = false;
    FMenu->stopSubmenuTimer(&item);
    startItemChange(item);
}

void TbsSkinPopupWindow::startItemChange(const TbsSkinMenuItem& item)
{
    if (item.morphs())
        FMorphTimer.start();
    update();
}

void TbsSkinPopupWindow::morphTick()
{
    bool stepped = false;
    for (const auto& item : FItems)
        if (item->morphs() && item->CanMorph()) {
            item->MorphStep();
            stepped = true;
        }
    if (!stepped)
        FMorphTimer.stop();
    update();
}

void TbsSkinPopupWindow::setActive(int index, bool byMouse)
{
    if (index == FActiveIndex && index >= 0 && FItems[size_t(index)]->Active) {
        // An item highlighted on opening or by a key opens its submenu when the mouse rests
        // on it, as one entered by the mouse does.
        TbsSkinMenuItem& item = *FItems[size_t(index)];
        if (byMouse && !item.Down && !item.Entry->Items.empty() && !FMenu->submenuTimerPendingFor(&item))
            FMenu->startSubmenuTimer(this, &item);
        return;
    }
    const int level = FMenu->indexOf(this);
    if (FActiveIndex != -1 && FActiveIndex != index)
        leaveItem(FActiveIndex);
    FActiveIndex = index;
    if (index < 0)
        return;
    TbsSkinMenuItem& item = *FItems[size_t(index)];
    item.Active = true;
    startItemChange(item);
    // Another item's open submenu closes back.
    for (size_t i = 0; i < FItems.size(); ++i)
        if (int(i) != index && FItems[i]->Down) {
            FItems[i]->Down = false;
            startItemChange(*FItems[i]);
            FMenu->CloseFrom(level + 1);
        }
    if (item.Down) {
        FMenu->CloseFrom(level + 2);
    } else {
        if (item.Entry->Items.empty()) {
            FMenu->CloseFrom(level + 1);
        } else if (byMouse) {
            FMenu->CloseFrom(level + 1);
            FMenu->startSubmenuTimer(this, &item);
        }
    }
    update();
}

void TbsSkinPopupWindow::trackMouse(QPoint local)
{
    // A closed window waits for its deletion; a tick of its timer until then must not act
    // on the menu, whose open windows it is no longer one of.
    if (local == FLastMouse || FMenu->indexOf(this) < 0)
        return;
    FLastMouse = local;
    const bool inside = rect().contains(local);
    if (FScroll) {
        // Leaving the window leaves the arrow areas too.
        const int direction = !inside                                     ? 0
                              : upArrowRect().containsExclusive(local)   ? -1
                              : downArrowRect().containsExclusive(local) ? 1
                                                                         : 0;
        if (direction != FScrollDirection) {
            FScrollDirection = direction;
            if (direction != 0)
                FScrollTimer.start();
            else
                FScrollTimer.stop();
            update();
        }
        if (direction != 0)
            return;
    }
    if (!inside)
        return;
    const int index = itemAt(local);
    if (index < 0)
        return;
    const SkinMenuEntry* e = FItems[size_t(index)]->Entry;
    if (!e->Enabled || e->isSeparator())
        return;
    setActive(index, true);
}

bool TbsSkinPopupWindow::scrollBy(int delta)
{
    const int n = int(FItems.size());
    if (delta < 0 && FFirstVisible == 0)
        return false;
    if (delta > 0 && (n == 0 || FItems.back()->Visible))
        return false;
    FFirstVisible = std::clamp(FFirstVisible + delta, 0, std::max(0, n - 1));
    layoutItems();
    return true;
}

void TbsSkinPopupWindow::scrollStep()
{
    if (FScrollDirection == 0 || !scrollBy(FScrollDirection))
        FScrollTimer.stop();
}

void TbsSkinPopupWindow::runItem(int index)
{
    if (index < 0 || index >= int(FItems.size()))
        return;
    TbsSkinMenuItem& item = *FItems[size_t(index)];
    if (item.Down || !item.Entry->Enabled || item.Entry->isSeparator())
        return;
    if (item.Entry->Items.empty()) {
        SkinMenuEntry* entry = item.Entry;
        FMenu->stopSubmenuTimer();
        FMenu->CloseAll(); // frees this window later; entry belongs to the caller's menu
        entry->Click();
    } else {
        FMenu->openSubmenu(FMenu->indexOf(this), &item);
    }
}

bool TbsSkinPopupWindow::handleKey(int key, const QString& text)
{
    const int level = FMenu->indexOf(this);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: runItem(FActiveIndex); return true;
    case Qt::Key_Escape:
        // The top-level window ends the whole menu, and the form hears of it.
        if (level == 0)
            FMenu->CloseAll();
        else
            FMenu->CloseFrom(level);
        return true;
    case Qt::Key_Left:
        if (FMenu->count() >= 2)
            FMenu->CloseFrom(FMenu->count() - 1);
        return true;
    case Qt::Key_Right:
        if (FActiveIndex >= 0 && !FItems[size_t(FActiveIndex)]->Entry->Items.empty())
            FMenu->openSubmenu(level, FItems[size_t(FActiveIndex)].get());
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up: {
        const bool forward = key == Qt::Key_Down;
        std::vector<MenuKeyItem> keys;
        for (const auto& item : FItems)
            keys.push_back({item->Entry->Enabled, item->Entry->isSeparator()});
        const int found = searchMenuItem(keys, FActiveIndex, forward);
        if (found < 0)
            return true;
        if (FScroll && FScrollDirection == 0) {
            // Scroll until the found item is shown.
            while (!FItems[size_t(found)]->Visible && scrollBy(forward ? 1 : -1)) {
            }
            while (FItems[size_t(found)]->Visible == false && found < FFirstVisible && scrollBy(-1)) {
            }
        }
        setActive(found, false);
        return true;
    }
    default: break;
    }
    if (!text.isEmpty()) {
        const QChar c = text.at(0).toLower();
        for (size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i]->Entry->accelerator() == c) {
                setActive(int(i), false);
                if (FItems[i]->Entry->Enabled)
                    runItem(int(i));
                return true;
            }
    }
    return false;
}

void TbsSkinPopupWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int index = itemAt(event->position().toPoint());
    if (index >= 0 && index == FActiveIndex)
        runItem(index);
}

void TbsSkinPopupWindow::paintEvent(QPaintEvent*)
{
    QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&buffer);
    const int W = width(), H = height();
    if (skinned()) {
        const SkinGeometry g = popupGeometry(*FData, *FWindowPicture);
        p.drawImage(0, 0, ComposeFourPointImage(W, H, *FWindowPicture, g.skinRect, g, fitted(g, W, H), true));
    } else {
        p.fillRect(0, 0, W, H, SystemColors::color(SystemColor::Window));
        p.fillRect(0, 0, 21, H, SystemColors::color(SystemColor::ButtonFace));
        p.setPen(SystemColors::color(SystemColor::ButtonShadow));
        p.drawRect(0, 0, W - 1, H - 1);
        p.setPen(SystemColors::color(SystemColor::Window));
        p.drawRect(1, 1, W - 3, H - 3);
    }
    p.setFont(font());
    for (const auto& item : FItems)
        if (item->Visible)
            item->draw(p);
    if (FScroll) {
        auto arrow = [&](const SkinRect& r, bool up, bool activeDirection) {
            QColor c = skinned() ? SystemColors::fromColorValue(std::uint32_t(activeDirection ? FData->ScrollMarkerActiveColor
                                                                                              : FData->ScrollMarkerColor))
                                 : SystemColors::color(activeDirection ? SystemColor::ButtonText : SystemColor::ButtonShadow);
            const int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
            QPolygon tri;
            if (up)
                tri << QPoint(cx - 4, cy + 2) << QPoint(cx + 4, cy + 2) << QPoint(cx, cy - 2);
            else
                tri << QPoint(cx - 4, cy - 2) << QPoint(cx + 4, cy - 2) << QPoint(cx, cy + 2);
            p.setPen(c);
            p.setBrush(c);
            p.drawPolygon(tri);
        };
        arrow(upArrowRect(), true, FScrollDirection < 0);
        arrow(downArrowRect(), false, FScrollDirection > 0);
    }
    p.end();
    QPainter out(this);
    out.drawImage(0, 0, buffer);
}
