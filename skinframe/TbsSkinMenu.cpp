#include "TbsSkinMenu.h"

#include "FrameEvents.h"
#include "FontMapper.h"
#include "SkinMenuEntry.h"
#include "SkinMessages.h"
#include "TbsSkinForms.h"
#include "TbsSkinPopupWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

TbsSkinMenu::TbsSkinMenu(QWidget* form, TComponent* formComponent) : FForm(form), FFormComponent(formComponent)
{
    DefItemFont = FontMapper::makeFont(QStringLiteral("Arial"), 14);
    FSubmenuTimer.setInterval(500);
    FSubmenuTimer.setSingleShot(false);
    connect(&FSubmenuTimer, &QTimer::timeout, this, [this] {
        FSubmenuTimer.stop();
        if (FSubmenuWindow && FSubmenuItem) {
            const int level = indexOf(FSubmenuWindow);
            TbsSkinMenuItem* item = FSubmenuItem;
            FSubmenuItem = nullptr;
            if (level >= 0)
                openSubmenu(level, item);
        }
    });
}

TbsSkinMenu::~TbsSkinMenu()
{
    for (auto* w : FWindows)
        delete w;
}

int TbsSkinMenu::indexOf(const TbsSkinPopupWindow* w) const
{
    for (size_t i = 0; i < FWindows.size(); ++i)
        if (FWindows[i] == w)
            return int(i);
    return -1;
}

bool TbsSkinMenu::owns(const QWidget* w) const
{
    for (auto* p : FWindows)
        if (p == w || (w && p->isAncestorOf(w)))
            return true;
    return false;
}

void TbsSkinMenu::ShowPopup(TbsSkinData* skin, bool upward, SkinMenuEntry* items, const QRect& anchor, int startIndex)
{
    CloseFrom(0);
    if (FWorkAreaProvider) {
        FWorkArea = FWorkAreaProvider();
    } else {
        const QScreen* screen = QGuiApplication::screenAt(anchor.center());
        if (!screen && FForm)
            screen = FForm->screen();
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        FWorkArea = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }
    FSkin = skin;
    if (!items || items->Items.empty())
        return;
    FVisible = true;
    auto* w = new TbsSkinPopupWindow(this, skin);
    FWindows.push_back(w);
    w->Show(anchor, items, startIndex, false, upward);
}

void TbsSkinMenu::openSubmenu(int level, TbsSkinMenuItem* item)
{
    if (!item || item->Entry->Items.empty() || item->Down || !item->Entry->Enabled)
        return;
    TbsSkinPopupWindow* parent = window(level);
    item->Entry->Click();
    stopSubmenuTimer();
    CloseFrom(level + 1);
    item->Down = true;
    parent->update();
    const QRect r = item->ItemRect.toQRect().translated(parent->pos());
    auto* w = new TbsSkinPopupWindow(this, FSkin);
    FWindows.push_back(w);
    w->Show(r, item->Entry, 0, true, false);
}

void TbsSkinMenu::startSubmenuTimer(TbsSkinPopupWindow* window, TbsSkinMenuItem* item)
{
    FSubmenuWindow = window;
    FSubmenuItem = item;
    FSubmenuTimer.start();
}

void TbsSkinMenu::stopSubmenuTimer(const TbsSkinMenuItem* item)
{
    if (item && item != FSubmenuItem)
        return;
    FSubmenuTimer.stop();
    FSubmenuItem = nullptr;
}

void TbsSkinMenu::CloseFrom(int n)
{
    while (int(FWindows.size()) > n && !FWindows.empty()) {
        TbsSkinPopupWindow* w = FWindows.back();
        FWindows.pop_back();
        if (w == FSubmenuWindow) {
            FSubmenuWindow = nullptr;
            FSubmenuItem = nullptr;
            FSubmenuTimer.stop();
        }
        w->hide();
        w->deleteLater();
    }
    // The parent item of the closed window is no longer down.
    if (n > 0 && n <= int(FWindows.size()) + 0 && !FWindows.empty()) {
        TbsSkinPopupWindow* parent = FWindows.back();
        for (const auto& item : parent->Items())
            if (item->Down) {
                item->Down = false;
                parent->startItemChange(*item);
            }
        parent->update();
    }
    if (n == 0) {
        const bool wasVisible = FVisible;
        FNotifyPending = FNotifyPending || wasVisible;
        FVisible = false;
        FSubmenuTimer.stop();
        if (wasVisible && OnMenuBarClose)
            OnMenuBarClose();
    }
}

void TbsSkinMenu::CloseAll()
{
    // Open windows count as well as the flag: a caller may have closed the top-level window
    // with CloseFrom(0) already, and the form must still hear that the menu is gone.
    const bool wasOpen = FVisible || !FWindows.empty() || FNotifyPending;
    CloseFrom(0);
    FNotifyPending = false;
    FSubmenuTimer.stop();
    if (!wasOpen)
        return;
    // Every receiver registered for the form hears it: the form's own and its frame's, in
    // whatever order they registered. A receiver removed meanwhile hears nothing.
    for (const TbsSkinForms::Entry& e : TbsSkinForms::entries())
        if (e.form == FFormComponent && TbsSkinForms::contains(e.target))
            e.target->skinMessage(WM_CLOSESKINMENU, nullptr, 0);
}
