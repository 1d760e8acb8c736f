#pragma once
// One level of a skinned menu: a borderless pop-up window that never takes the focus, with one
// item per visible menu entry, mouse tracking (50 ms), scrolling (100 ms) and the keys.

#include "SkinRect.h"
#include "TbsSkinMenuItem.h"

#include <QFont>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class TbsSkinMenu;
class TbsSkinData;
class TbsDataSkinPopupWindow;
struct SkinMenuEntry;

class TbsSkinPopupWindow : public QWidget {
    Q_OBJECT
public:
    TbsSkinPopupWindow(TbsSkinMenu* menu, TbsSkinData* skin);
    ~TbsSkinPopupWindow() override;

    // Builds the items of `entry` from `startIndex`, sizes, positions and shows the window.
    void Show(const QRect& anchor, SkinMenuEntry* entry, int startIndex, bool submenu, bool upward);

    const std::vector<std::unique_ptr<TbsSkinMenuItem>>& Items() const { return FItems; }
    int ActiveIndex() const { return FActiveIndex; }
    bool Scroll() const { return FScroll; }
    int FirstVisibleIndex() const { return FFirstVisible; }
    SkinMenuEntry* Entry() const { return FEntry; }
    SkinRect ItemsRect() const { return FItemsRect; }
    bool Flipped() const { return FFlipped; }
    int ScrollDirection() const { return FScrollDirection; } // 0 none, -1 up, 1 down
    QTimer& MouseTimer() { return FMouseTimer; }
    QTimer& ScrollTimer() { return FScrollTimer; }
    QTimer& MorphTimer() { return FMorphTimer; }
    // One tick of the 20 ms morph timer: each morphing item steps 0.1 toward its highlight
    // (or away from it); the timer stops at a tick where no item stepped.
    void morphTick();
    // An item's highlight changed: a morphing item blends there, any other is redrawn.
    void startItemChange(const TbsSkinMenuItem& item);

    // The mouse at a point of this window (the 50 ms timer feeds the cursor here).
    void trackMouse(QPoint local);
    // One tick of the 100 ms scroll timer.
    void scrollStep();
    // A key while the menu is open; true when it was used.
    bool handleKey(int key, const QString& text);
    void setActive(int index, bool byMouse);
    void runItem(int index);

    // Drawing support for items.
    bool skinned() const { return FData != nullptr && FItemData != nullptr; }
    const QFont& itemFont() const { return font(); }
    int glyphColumnWidth() const { return 19; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void layoutItems();
    void leaveItem(int index);
    bool scrollBy(int delta);
    int itemAt(QPoint p) const;
    SkinRect upArrowRect() const;
    SkinRect downArrowRect() const;

    TbsSkinMenu* FMenu;
    TbsSkinData* FSkin;
    TbsDataSkinPopupWindow* FData = nullptr;
    TbsDataSkinMenuItem* FItemData = nullptr;
    const QImage* FWindowPicture = nullptr;
    const QImage* FMaskPicture = nullptr;
    SkinMenuEntry* FEntry = nullptr;
    std::vector<std::unique_ptr<TbsSkinMenuItem>> FItems;
    int FActiveIndex = -1;
    int FFirstVisible = 0;
    bool FScroll = false;
    bool FFlipped = false;
    int FScrollDirection = 0;
    SkinRect FItemsRect;
    QPoint FLastMouse{-100000, -100000};
    QTimer FMouseTimer, FScrollTimer, FMorphTimer;
};
