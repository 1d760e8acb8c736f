#pragma once
// The cascade of skinned pop-up windows of one form: index 0 is the top-level window, each
// further one a submenu of the previous. When the last window has closed the form is told
// with message 1228.

#include <QFont>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>
#include <vector>

class QWidget;
class TComponent;
class TbsSkinData;
class TbsSkinPopupWindow;
class TbsSkinMenuItem;
struct SkinMenuEntry;

class TbsSkinMenu : public QObject {
    Q_OBJECT
public:
    // form: the window the menu belongs to; formComponent receives message 1228.
    TbsSkinMenu(QWidget* form, TComponent* formComponent);
    ~TbsSkinMenu() override;

    void ShowPopup(TbsSkinData* skin, bool upward, SkinMenuEntry* items, const QRect& anchor, int startIndex = 0);
    // Frees the windows from index n on; n = 0 ends the menu without telling the form.
    void CloseFrom(int n);
    // Ends the menu and tells the form (message 1228 to each of its receivers).
    void CloseAll();
    bool Visible() const { return FVisible; }

    int count() const { return int(FWindows.size()); }
    TbsSkinPopupWindow* window(int i) const { return FWindows.at(size_t(i)); }
    TbsSkinPopupWindow* deepest() const { return FWindows.empty() ? nullptr : FWindows.back(); }
    int indexOf(const TbsSkinPopupWindow* w) const;
    // True when w is one of the open windows.
    bool owns(const QWidget* w) const;

    // Opens the submenu of an item of window `level` (a click on it, or the 500 ms timer).
    void openSubmenu(int level, TbsSkinMenuItem* item);
    void startSubmenuTimer(TbsSkinPopupWindow* window, TbsSkinMenuItem* item);
    void stopSubmenuTimer(const TbsSkinMenuItem* item = nullptr);
    bool submenuTimerPendingFor(const TbsSkinMenuItem* item) const { return FSubmenuTimer.isActive() && FSubmenuItem == item; }
    QTimer& SubmenuTimer() { return FSubmenuTimer; }

    QRect workArea() const { return FWorkArea; }
    void setWorkAreaProvider(std::function<QRect()> provider) { FWorkAreaProvider = std::move(provider); }
    TbsSkinData* skinData() const { return FSkin; }

    int DefItemHeight = 20;
    QFont DefItemFont;
    // Told with message 1228 on closing besides the form (a menu bar, when there is one).
    std::function<void()> OnMenuBarClose;

private:
    QWidget* FForm;
    TComponent* FFormComponent;
    TbsSkinData* FSkin = nullptr;
    std::vector<TbsSkinPopupWindow*> FWindows;
    bool FVisible = false;
    // The menu was closed by CloseFrom(0) and the form has not been told yet.
    bool FNotifyPending = false;
    QRect FWorkArea;
    std::function<QRect()> FWorkAreaProvider;
    QTimer FSubmenuTimer;
    TbsSkinPopupWindow* FSubmenuWindow = nullptr;
    TbsSkinMenuItem* FSubmenuItem = nullptr;
};
