#pragma once
// The skinned window frame of a form. The form becomes a frameless window whose whole area is
// the widget; the frame paints the border, caption and caption buttons from the skin (or a
// plain default frame without one), shapes the window by the skin's mask, and moves, sizes,
// maximizes, minimizes and rolls up the form itself. The form's client area is its
// contentsRect(). The frame hooks the form's skin messages (keeping the form's own receiver
// to pass them on to) and relays skin changes to the form's skinned controls.

#include "Component.h"
#include "FrameEvents.h"
#include "FrameGeometry.h"
#include "FrameHitTest.h"
#include "SkinMenuEntry.h"
#include "SkinMessages.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;
class QMouseEvent;
class TbsSkinData;
class TbsSkinMenu;
class TbsActiveSkinObject;
class TbsSkinButtonObject;
class TbsSkinStdButtonObject;
class TbsSkinHint;

enum class TbsBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biRollUp = 8, biMinimizeToTray = 16 };

struct TbsBorderIcons {
    unsigned bits = 0;
    TbsBorderIcons() = default;
    TbsBorderIcons(std::initializer_list<TbsBorderIcon> icons)
    {
        for (auto i : icons)
            bits |= unsigned(i);
    }
    bool has(TbsBorderIcon i) const { return bits & unsigned(i); }
};

class TbsSkinFrame : public QObject, public TComponent, public ISkinMessageTarget {
    Q_OBJECT
public:
    // form: the window the frame takes over; owner: the component owner (the form).
    TbsSkinFrame(QWidget* form, TComponent* owner);
    ~TbsSkinFrame() override;
    const char* className() const noexcept override { return "TbsSkinFrame"; }

    // Properties.
    TbsSkinData* SkinData() const { return FSkinData; }
    void setSkinData(TbsSkinData* value);
    TbsSkinData* MenusSkinData() const { return FMenusSkinData; }
    void setMenusSkinData(TbsSkinData* value);
    TbsBorderIcons BorderIcons() const { return FBorderIcons; }
    void setBorderIcons(TbsBorderIcons icons);
    bool ShowIcon = false;
    int MinWidth = 0;
    int MinHeight = 0;
    bool MaximizeOnFullScreen = false;
    bool Magnetic = false;
    int MagneticSize = 5;
    // Layered windows exist only on the system versions the frame was made for; on this
    // platform the alpha properties are kept but have no effect (docs/frame.md).
    bool AlphaBlend = false;
    int AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    bool MenusAlphaBlend = false;
    int MenusAlphaBlendValue = 200;
    bool MenusAlphaBlendAnimation = false;
    QFont DefCaptionFont;
    QFont DefInActiveCaptionFont;
    int DefMenuItemHeight() const { return FDefMenuItemHeight; }
    void setDefMenuItemHeight(int value);
    QFont DefMenuItemFont;
    bool UseDefaultSysMenu = true;
    SkinMenuEntry* SystemMenu = nullptr; // not owned
    // With ShowObjectHint and a SkinHint, the hovered object's "hint" text shows in the hint.
    bool ShowObjectHint = false;
    TbsSkinHint* SkinHint() const { return FSkinHint; }
    void setSkinHint(TbsSkinHint* value);
    // The form's border style is sizeable (the main window's is).
    bool FormSizeable = true;

    // Events.
    TbsMouseDownEvent OnMouseDownEvent;
    TbsMouseUpEvent OnMouseUpEvent;
    TbsMouseMoveEvent OnMouseMoveEvent;
    TbsMouseEnterEvent OnMouseEnterEvent;
    TbsMouseLeaveEvent OnMouseLeaveEvent;
    TbsPaintEvent OnPaintEvent;
    TNotifyEvent OnChangeSkinData, OnActivate, OnDeActivate, OnChangeRollUpState, OnSkinMenuOpen, OnSkinMenuClose;

    // Window commands.
    void Close();
    void Maximize() { SetFrameState(TbsFrameState::Maximized); }
    void Minimize() { SetFrameState(TbsFrameState::Minimized); }
    void Restore();
    void SetFrameState(TbsFrameState state);
    void SetRolledUp(bool value);
    TbsFrameState FrameState() const { return FFrameState; }
    bool RolledUp() const { return FRolledUp; }
    bool RolledUpWhileMaximized() const { return FRollUpWhileMaximized; }

    void RebuildFrame();
    void ApplyBorderIcons();
    void UpdateCaptionState(bool animate);

    bool IsSkinned() const { return FIsSkinned; }
    const std::vector<std::unique_ptr<TbsActiveSkinObject>>& ObjectList() const { return FObjects; }
    TbsActiveSkinObject* objectByName(const std::string& idName) const;
    int hoverIndex() const { return FHoverIndex; }
    int pressedIndex() const { return FPressedIndex; }
    QWidget* form() const { return FForm; }

    // The frame for the current size (recomputed on every call).
    FrameGeometry currentGeometry() const;
    const FrameMaskPieces& maskPieces() const { return FMaskPieces; }
    int HitTest(QPoint windowPoint);
    QSize minimumSize() const;
    QSize maximumSize() const;

    // The hover and morph timers and one tick of each (the timers call these).
    QTimer& HoverTimer() { return FHoverTimer; }
    QTimer& MorphTimer() { return FMorphTimer; }
    void hoverTick();
    void morphTick();
    void startMorphTimer();
    void UpdateHover(QPoint windowPoint, bool inside);

    // Where the cursor is, in window coordinates, when it is over this window; nothing when
    // another window (or none) is under it. Tests replace it.
    void setCursorProbe(std::function<std::optional<QPoint>()> probe) { FCursorProbe = std::move(probe); }
    // The work area of the screen under the window (or its whole area with
    // MaximizeOnFullScreen). Tests replace it.
    void setWorkAreaProvider(std::function<QRect(bool fullScreen)> provider);
    QRect workArea(bool fullScreen = false) const;
    // Forces our own move and size tracking even where the window manager could do it.
    void setSystemMoveEnabled(bool enabled) { FSystemMoveEnabled = enabled; }

    // The system menu as shown now, and the menu component that shows it.
    SkinMenuEntry& systemMenuItems();
    TbsSkinMenu* skinMenu() const { return FMenu.get(); }
    void popupSystemMenuAt(QPoint globalPos);
    void popupSystemMenuBelow(TbsSkinStdButtonObject* button);
    void popupObjectMenu(TbsSkinButtonObject* button, SkinMenuEntry& menu, bool upward);
    void EnterMenuMode();
    bool inMenuMode() const { return FMenuMode; }

    // For the objects.
    bool isFormActive() const;
    QString captionText() const;
    QImage smallIcon() const;
    void redrawObject(TbsActiveSkinObject* object);

    void skinMessage(int message, TbsSkinData* wParam, int lParam) override;
    void ensureWindow() override;
    void notification(TComponent* component, Operation operation) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The hover for a point regardless of activation: a press on an inactive window's frame
    // comes before the activation that X11 delivers later.
    void updateHoverAt(QPoint windowPoint, bool inside);
    // The press that activates the window: the frame handles it as on an active window.
    void activateForPress();

    void createSkinObjects();
    void CreateDefaultButtons();
    void clearObjects();
    void layoutObjects(const FrameGeometry& g);
    void layoutUnskinned();
    void rebuildRegion(const FrameGeometry& g);
    void sizeChanged();
    void applyConstraints();
    void applyClientMargins();
    void fitToMinimumSize();
    void paintFrame(QPainter& p);
    void paintUnskinned(QPainter& p);
    void paintClientBackground(QPainter& p, const SkinRect& client);
    bool sizeable() const;
    void setHover(int index);
    bool inCaptionObject(QPoint p) const;
    void leaveMenuMode();
    void menuClosed();
    void nudgeWidth();

    bool mousePress(QMouseEvent* e);
    bool mouseMove(QMouseEvent* e);
    bool mouseRelease(QMouseEvent* e);
    bool mouseDoubleClick(QMouseEvent* e);
    void updateCursorShape(int code);

    QWidget* FForm;
    ISkinMessageTarget* FPreviousTarget = nullptr;
    TbsSkinData* FSkinData = nullptr;
    TbsSkinData* FMenusSkinData = nullptr;
    TbsSkinHint* FSkinHint = nullptr;
    TbsBorderIcons FBorderIcons{TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                                TbsBorderIcon::biRollUp};
    int FDefMenuItemHeight = 20;
    bool FIsSkinned = false;
    std::vector<std::unique_ptr<TbsActiveSkinObject>> FObjects;
    FrameSkinMetrics FMetrics;
    FrameMaskPieces FMaskPieces;
    SkinRect FUnskinnedCaption;
    TbsFrameState FFrameState = TbsFrameState::Normal;
    bool FRolledUp = false;
    bool FRollUpWhileMaximized = false;
    QRect FRestoreBounds;
    int FOldHeight = 0;
    int FHoverIndex = -1;
    QPoint FHoverPoint; // where the hover was last updated, window coordinates
    int FPressedIndex = -1;
    QTimer FHoverTimer;
    QTimer FMorphTimer;
    std::function<std::optional<QPoint>()> FCursorProbe;
    std::function<QRect(bool)> FWorkAreaProvider;
    bool FSystemMoveEnabled = true;
    // The application-wide filter of menu mode: a separate object, so that the form's own
    // events still pass the frame's form filter once.
    class MenuModeFilter : public QObject {
    public:
        explicit MenuModeFilter(TbsSkinFrame* frame) : FFrame(frame) {}
        bool eventFilter(QObject* watched, QEvent* event) override { return FFrame->menuModeFilter(watched, event); }

    private:
        TbsSkinFrame* FFrame;
    };
    bool menuModeFilter(QObject* watched, QEvent* event);
    std::unique_ptr<MenuModeFilter> FMenuModeFilter;
    std::unique_ptr<TbsSkinMenu> FMenu;
    SkinMenuEntry FSysMenu;
    bool FMenuMode = false;
    int FMenuOpenerIndex = -1;
    mutable QImage FSmallIcon;

    // Mouse tracking of moves and sizes.
    enum class Drag { None, PendingMove, Move, Resize, System };
    Drag FDrag = Drag::None;
    Qt::Edges FResizeEdges;
    QPoint FPressGlobal;
    QRect FPressGeometry;
    bool FInternalGeometryChange = false;
};
