#include "TbsSkinFrame.h"

#include "FontMapper.h"
#include "FrameBorderPieces.h"
#include "SkinCompose.h"
#include "SkinControlsRelay.h"
#include "SkinObjectData.h"
#include "SystemColors.h"
#include "TbsEffectBmp.h"
#include "TbsSkinButtonObject.h"
#include "TbsSkinCaptionObject.h"
#include "TbsSkinData.h"
#include "TbsSkinForms.h"
#include "TbsSkinHint.h"
#include "TbsSkinMenu.h"
#include "TbsSkinPopupWindow.h"
#include "TbsSkinStdButtonObject.h"
#include "TbsUserObject.h"
#include "CaptionText.h"
#include "TextCodec.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

bool isResizeCode(int code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

TMouseButton buttonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbLeft;
    }
}

QSize smallIconSize() { return {16, 16}; }

}

TbsSkinFrame::TbsSkinFrame(QWidget* form, TComponent* owner) : QObject(form), TComponent(owner), FForm(form)
{
    DefCaptionFont = FontMapper::makeFont(QStringLiteral("Arial"), 14);
    DefCaptionFont.setBold(true);
    DefInActiveCaptionFont = DefCaptionFont;
    DefMenuItemFont = FontMapper::makeFont(QStringLiteral("Arial"), 14);
    FHoverTimer.setInterval(50);
    FMorphTimer.setInterval(20);
    connect(&FHoverTimer, &QTimer::timeout, this, [this] { hoverTick(); });
    connect(&FMorphTimer, &QTimer::timeout, this, [this] { morphTick(); });

    // The frame draws the whole window; the window manager draws nothing of its own.
    const bool wasVisible = form->isVisible();
    form->setWindowFlags(form->windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    if (wasVisible)
        form->show();
    form->setMouseTracking(true);
    form->setAttribute(Qt::WA_Hover, false);
    form->installEventFilter(this);

    FMenuModeFilter = std::make_unique<MenuModeFilter>(this);
    FMenu = std::make_unique<TbsSkinMenu>(form, owner);
    FMenu->setWorkAreaProvider([this] { return workArea(false); });
    // The form's skin messages reach the frame as well (after the form's own receiver).
    if (owner)
        TbsSkinForms::add(owner, this);
    applyClientMargins();
}

TbsSkinFrame::~TbsSkinFrame()
{
    TbsSkinForms::remove(this);
    if (FMenuMode)
        qApp->removeEventFilter(FMenuModeFilter.get());
    FHoverTimer.stop();
    FMorphTimer.stop();
    FMenu.reset();
    clearObjects();
    if (FForm)
        FForm->removeEventFilter(this);
}

// ---------------------------------------------------------------- properties

void TbsSkinFrame::setSkinData(TbsSkinData* value)
{
    if (FSkinData == value)
        return;
    if (FSkinData)
        FSkinData->removeFreeNotification(this);
    FSkinData = value;
    if (FSkinData)
        FSkinData->freeNotification(this);
    RebuildFrame();
}

void TbsSkinFrame::setMenusSkinData(TbsSkinData* value)
{
    if (FMenusSkinData)
        FMenusSkinData->removeFreeNotification(this);
    FMenusSkinData = value;
    if (FMenusSkinData)
        FMenusSkinData->freeNotification(this);
}

void TbsSkinFrame::setSkinHint(TbsSkinHint* value)
{
    if (FSkinHint == value)
        return;
    if (FSkinHint)
        FSkinHint->removeFreeNotification(this);
    FSkinHint = value;
    if (FSkinHint)
        FSkinHint->freeNotification(this);
}

void TbsSkinFrame::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove) {
        if (component == FSkinHint)
            FSkinHint = nullptr;
        if (component == FSkinData) {
            FSkinData = nullptr;
            FIsSkinned = false;
            clearObjects();
        }
        if (component == FMenusSkinData)
            FMenusSkinData = nullptr;
    }
    TComponent::notification(component, operation);
}

void TbsSkinFrame::setBorderIcons(TbsBorderIcons icons)
{
    FBorderIcons = icons;
    clearObjects();
    CreateDefaultButtons();
    ApplyBorderIcons();
    if (!FIsSkinned)
        sizeChanged();
}

void TbsSkinFrame::setDefMenuItemHeight(int value)
{
    if (value > 0)
        FDefMenuItemHeight = value;
}

// ---------------------------------------------------------------- objects

void TbsSkinFrame::clearObjects()
{
    // The hovered object's hint goes with the object.
    if (FHoverIndex >= 0 && ShowObjectHint && FSkinHint)
        FSkinHint->HideHint();
    FHoverIndex = -1;
    FPressedIndex = -1;
    FMenuOpenerIndex = -1;
    FObjects.clear();
}

void TbsSkinFrame::createSkinObjects()
{
    for (int i = 0; i < int(FSkinData->ObjectDataList().size()); ++i) {
        TbsDataSkinObject* data = FSkinData->ObjectData(i);
        if (dynamic_cast<TbsDataSkinMenuItem*>(data) || dynamic_cast<TbsDataSkinMainMenuItem*>(data)
            || dynamic_cast<TbsDataSkinMainMenuBarButton*>(data))
            continue;
        if (auto* std = dynamic_cast<TbsDataSkinStdButton*>(data))
            FObjects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, std));
        else if (auto* button = dynamic_cast<TbsDataSkinButton*>(data))
            FObjects.push_back(std::make_unique<TbsSkinButtonObject>(this, button));
        else if (auto* caption = dynamic_cast<TbsDataSkinCaption*>(data))
            FObjects.push_back(std::make_unique<TbsSkinCaptionObject>(this, caption));
        else if (auto* user = dynamic_cast<TbsDataUserObject*>(data))
            FObjects.push_back(std::make_unique<TbsUserObject>(this, user));
    }
}

void TbsSkinFrame::CreateDefaultButtons()
{
    struct Default {
        TbsStdCommand command;
        const char* name;
    };
    const Default defaults[] = {{TbsStdCommand::cmClose, "closebutton"},
                                {TbsStdCommand::cmMaximize, "maxbutton"},
                                {TbsStdCommand::cmMinimize, "minbutton"},
                                {TbsStdCommand::cmRollUp, "rollupbutton"},
                                {TbsStdCommand::cmSysMenu, "sysmenubutton"}};
    for (const Default& d : defaults) {
        auto button = std::make_unique<TbsSkinStdButtonObject>(this, nullptr);
        button->Command = d.command;
        button->IDName = d.name;
        button->SkinRectInAPicture = true;
        FObjects.push_back(std::move(button));
    }
}

void TbsSkinFrame::ApplyBorderIcons()
{
    for (auto& o : FObjects) {
        auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
        if (!b)
            continue;
        bool offered = true;
        switch (b->Command) {
        case TbsStdCommand::cmRollUp: offered = FBorderIcons.has(TbsBorderIcon::biRollUp); break;
        case TbsStdCommand::cmMaximize: offered = FBorderIcons.has(TbsBorderIcon::biMaximize); break;
        case TbsStdCommand::cmMinimize: offered = FBorderIcons.has(TbsBorderIcon::biMinimize); break;
        case TbsStdCommand::cmSysMenu: offered = FBorderIcons.has(TbsBorderIcon::biSystemMenu); break;
        default: break;
        }
        if (!offered) {
            b->Enabled = false;
            // A button drawn as part of the main picture stays in sight, disabled.
            if (b->SkinRectInAPicture)
                b->Visible = false;
        }
    }
}

TbsActiveSkinObject* TbsSkinFrame::objectByName(const std::string& idName) const
{
    for (const auto& o : FObjects)
        if (o->IDName == idName)
            return o.get();
    return nullptr;
}

// ---------------------------------------------------------------- rebuilding

void TbsSkinFrame::RebuildFrame()
{
    FHoverIndex = -1;
    FPressedIndex = -1;
    FIsSkinned = FSkinData && !FSkinData->IsEmpty();
    clearObjects();
    if (FIsSkinned) {
        FMetrics = FrameSkinMetrics::fromFormInfo(FSkinData->FormInfo(), FSkinData->MainPicture().size());
        createSkinObjects();
        ApplyBorderIcons();
    } else {
        FMaskPieces = {};
        FForm->clearMask();
    }
    fitToMinimumSize();
    sizeChanged();
    FForm->update();
    UpdateCaptionState(true);
    FHoverTimer.start();
    if (OnChangeSkinData)
        OnChangeSkinData(this);
}

void TbsSkinFrame::fitToMinimumSize()
{
    applyConstraints();
    const QSize min = minimumSize();
    QSize size = FForm->size();
    if (FRolledUp || FFrameState == TbsFrameState::Minimized)
        size.setHeight(min.height());
    if (FFrameState == TbsFrameState::Minimized)
        size.setWidth(min.width());
    size = size.expandedTo(min);
    if (size != FForm->size())
        FForm->resize(size);
}

QSize TbsSkinFrame::minimumSize() const
{
    MinimumSizeInput in;
    in.skinned = FIsSkinned;
    in.pictureWidth = FMetrics.pictureWidth;
    in.frameHeight = FMetrics.frameHeight();
    in.minWidth = MinWidth;
    in.minHeight = MinHeight;
    in.rolledUp = FRolledUp;
    in.minimized = FFrameState == TbsFrameState::Minimized;
    return minimumFrameSize(in);
}

QSize TbsSkinFrame::maximumSize() const { return workArea(MaximizeOnFullScreen).size(); }

void TbsSkinFrame::applyConstraints()
{
    const QSize min = minimumSize();
    QSize max = maximumSize().expandedTo(min);
    if (max.isEmpty())
        max = QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    FForm->setMinimumSize(min);
    FForm->setMaximumSize(max);
}

void TbsSkinFrame::applyClientMargins()
{
    if (FIsSkinned) {
        const SkinRect& cl = FMetrics.clientRect;
        FForm->setContentsMargins(cl.left, cl.top, FMetrics.pictureWidth - cl.right, FMetrics.pictureHeight - cl.bottom);
    } else {
        const int b = UnskinnedFrame::kBorder;
        FForm->setContentsMargins(b, UnskinnedFrame::captionHeight(false) + b, b, b);
    }
}

FrameGeometry TbsSkinFrame::currentGeometry() const { return frameGeometryFor(FMetrics, FForm->width(), FForm->height()); }

void TbsSkinFrame::sizeChanged()
{
    applyClientMargins();
    if (!FIsSkinned) {
        layoutUnskinned();
        FForm->update();
        return;
    }
    const QSize min = minimumSize();
    if (FForm->width() < min.width() || FForm->height() < min.height())
        return;
    const FrameGeometry g = currentGeometry();
    layoutObjects(g);
    rebuildRegion(g);
    FForm->update();
}

void TbsSkinFrame::layoutObjects(const FrameGeometry& g)
{
    std::vector<CaptionRowObject> row;
    row.reserve(FObjects.size());
    for (auto& o : FObjects) {
        if (!o->SkinRectInAPicture)
            o->ObjectRect = placeByZones(FMetrics, o->SkinRectValue, g.width, g.height);
        CaptionRowObject r;
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) {
            r.kind = CaptionRowObject::Kind::StdButton;
            r.command = b->Command;
        } else if (dynamic_cast<TbsSkinCaptionObject*>(o.get())) {
            r.kind = CaptionRowObject::Kind::Caption;
        }
        r.visible = o->Visible;
        r.inPicture = o->SkinRectInAPicture;
        r.size = QSize(o->SkinRectValue.width(), o->SkinRectValue.height());
        if (r.kind == CaptionRowObject::Kind::StdButton && r.command == TbsStdCommand::cmSysMenu && ShowIcon)
            r.size = smallIconSize();
        r.rect = o->ObjectRect;
        row.push_back(r);
    }
    layoutCaptionButtonRow(g, FMetrics.buttonsOffset, FMetrics.buttonsInLeft, row);
    for (size_t i = 0; i < FObjects.size(); ++i)
        FObjects[i]->ObjectRect = row[i].rect;
}

void TbsSkinFrame::layoutUnskinned()
{
    if (FObjects.empty()) {
        CreateDefaultButtons();
        ApplyBorderIcons();
    }
    std::vector<CaptionRowObject> row;
    for (auto& o : FObjects) {
        CaptionRowObject r;
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) {
            r.kind = CaptionRowObject::Kind::StdButton;
            r.command = b->Command;
        }
        r.visible = o->Visible;
        r.rect = o->ObjectRect;
        row.push_back(r);
    }
    const int bs = UnskinnedFrame::buttonSize(false);
    FUnskinnedCaption = layoutUnskinnedButtons(FForm->width(), false, ShowIcon ? smallIconSize() : QSize(bs, bs), row);
    for (size_t i = 0; i < FObjects.size(); ++i)
        FObjects[i]->ObjectRect = row[i].rect;
}

void TbsSkinFrame::rebuildRegion(const FrameGeometry& g)
{
    const QImage& mask = FSkinData->MaskPicture();
    if (mask.isNull()) {
        FMaskPieces = {};
        FForm->clearMask();
        return;
    }
    FMaskPieces = composeFrameMaskPieces(mask, FMetrics, g);
    FForm->setMask(frameMaskRegion(FMaskPieces));
}

// ---------------------------------------------------------------- hit testing and hover

bool TbsSkinFrame::inCaptionObject(QPoint p) const
{
    for (const auto& o : FObjects)
        if (dynamic_cast<TbsSkinCaptionObject*>(o.get()) && o->Visible && o->ObjectRect.containsExclusive(p))
            return true;
    return false;
}

bool TbsSkinFrame::sizeable() const { return FormSizeable; }

int TbsSkinFrame::HitTest(QPoint p)
{
    int code;
    if (FIsSkinned) {
        const FrameGeometry g = currentGeometry();
        SkinnedHitTest in;
        in.geometry = &g;
        in.borderWidth = FMetrics.borderWidth;
        in.rolledUpOrMinimized = FRolledUp || FFrameState == TbsFrameState::Minimized;
        in.maximized = FFrameState == TbsFrameState::Maximized;
        in.sizeable = sizeable();
        in.objectHovered = FHoverIndex >= 0;
        in.mask = &FMaskPieces;
        in.inCaptionObject = [this](QPoint q) { return inCaptionObject(q); };
        code = skinnedHitTest(in, p);
    } else {
        UnskinnedHitTest in;
        in.width = FForm->width();
        in.height = FForm->height();
        in.normalAndSizeable = FFrameState == TbsFrameState::Normal && !FRolledUp && sizeable();
        in.objectHovered = FHoverIndex >= 0;
        in.captionRect = FUnskinnedCaption;
        in.captionHeight = UnskinnedFrame::captionHeight(false);
        code = unskinnedHitTest(in, p);
    }
    if (code == HTOBJECT && !FHoverTimer.isActive()) {
        UpdateHover(p, true);
        FHoverTimer.start();
    }
    return code;
}

void TbsSkinFrame::setHover(int index)
{
    if (index == FHoverIndex)
        return;
    const int old = FHoverIndex;
    FHoverIndex = index;
    const bool hints = ShowObjectHint && FSkinHint;
    if (old >= 0 && old < int(FObjects.size()) && FObjects[size_t(old)]->Enabled && FObjects[size_t(old)]->Visible)
        FObjects[size_t(old)]->MouseLeave();
    if (old >= 0 && hints)
        FSkinHint->HideHint();
    if (index >= 0) {
        FObjects[size_t(index)]->MouseEnter();
        // Read again: the object's mouse-enter event handler may have changed them.
        const std::string& hint = FObjects[size_t(index)]->Hint;
        if (ShowObjectHint && FSkinHint && !hint.empty())
            FSkinHint->ActivateHint(FForm->mapToGlobal(FHoverPoint), TextCodec::fromCp950(hint));
    }
}

void TbsSkinFrame::UpdateHover(QPoint p, bool inside)
{
    if (!isFormActive())
        return;
    updateHoverAt(p, inside);
}

void TbsSkinFrame::activateForPress()
{
    if (!isFormActive())
        FForm->activateWindow();
}

void TbsSkinFrame::updateHoverAt(QPoint p, bool inside)
{
    if (FObjects.empty())
        return;
    int index = -1;
    if (inside)
        for (size_t i = 0; i < FObjects.size(); ++i) {
            const auto& o = FObjects[i];
            if (o->Enabled && o->Visible && o->ObjectRect.containsExclusive(p)) {
                index = int(i);
                break;
            }
        }
    if (FPressedIndex >= 0 && index != FPressedIndex)
        index = -1;
    FHoverPoint = p;
    setHover(index);
}

void TbsSkinFrame::hoverTick()
{
    std::optional<QPoint> cursor;
    if (FCursorProbe) {
        cursor = FCursorProbe();
    } else {
        const QPoint global = QCursor::pos();
        if (QApplication::topLevelAt(global) == FForm)
            cursor = FForm->mapFromGlobal(global);
    }
    if (!cursor) {
        setHover(-1);
        FHoverTimer.stop();
        return;
    }
    if (FDrag == Drag::Move || FDrag == Drag::Resize || FDrag == Drag::System)
        return;
    const SkinRect client = FIsSkinned ? currentGeometry().clientRect
                                       : SkinRect::fromQRect(FForm->contentsRect());
    if (client.containsExclusive(*cursor))
        setHover(-1);
    else
        UpdateHover(*cursor, true);
}

void TbsSkinFrame::startMorphTimer()
{
    if (!FMorphTimer.isActive())
        FMorphTimer.start();
}

void TbsSkinFrame::morphTick()
{
    bool stepped = false;
    for (auto& o : FObjects)
        if (o->Morphing && o->CanMorph()) {
            o->MorphStep();
            stepped = true;
        }
    if (!stepped)
        FMorphTimer.stop();
}

void TbsSkinFrame::redrawObject(TbsActiveSkinObject* object)
{
    if (FForm->isVisible())
        FForm->update(object->ObjectRect.toQRect());
}

// ---------------------------------------------------------------- active state

bool TbsSkinFrame::isFormActive() const { return FForm->isActiveWindow(); }

QString TbsSkinFrame::captionText() const { return FForm->windowTitle(); }

QImage TbsSkinFrame::smallIcon() const
{
    if (FSmallIcon.isNull()) {
        QIcon icon = FForm->windowIcon();
        if (icon.isNull())
            icon = QApplication::windowIcon();
        if (icon.isNull())
            icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
        FSmallIcon = icon.pixmap(smallIconSize()).toImage();
    }
    return FSmallIcon;
}

void TbsSkinFrame::UpdateCaptionState(bool animate)
{
    const bool active = isFormActive();
    for (auto& o : FObjects) {
        if (!dynamic_cast<TbsSkinCaptionObject*>(o.get()) || o->Active == active)
            continue;
        o->Active = active;
        if (animate) {
            FForm->update();
            if (o->Morphing)
                startMorphTimer();
        } else if (o->Morphing) {
            o->setMorphProgress(active ? 1 : 0);
        }
        break;
    }
    const TNotifyEvent& event = active ? OnActivate : OnDeActivate;
    if (event)
        event(this);
}

// ---------------------------------------------------------------- window states

void TbsSkinFrame::Close() { FForm->close(); }

QRect TbsSkinFrame::workArea(bool fullScreen) const
{
    if (FWorkAreaProvider)
        return FWorkAreaProvider(fullScreen);
    // The screen under the window: on X11 the available area is one rectangle over all
    // screens, so each screen's own area is asked for.
    QScreen* screen = QGuiApplication::screenAt(FForm->geometry().center());
    if (!screen)
        screen = FForm->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return fullScreen ? screen->geometry() : screen->availableGeometry();
}

void TbsSkinFrame::setWorkAreaProvider(std::function<QRect(bool)> provider)
{
    FWorkAreaProvider = std::move(provider);
    applyConstraints();
}

void TbsSkinFrame::nudgeWidth()
{
    sizeChanged();
}

void TbsSkinFrame::SetFrameState(TbsFrameState state)
{
    if (state == FFrameState)
        return;
    switch (state) {
    case TbsFrameState::Minimized:
        // The application's main window minimizes the application; its frame state stays.
        if (FForm->parentWidget())
            FFrameState = state;
        FForm->showMinimized();
        break;
    case TbsFrameState::Maximized: {
        FFrameState = state;
        if (FRestoreBounds.isNull())
            FRestoreBounds = FForm->geometry();
        applyConstraints();
        QRect target = workArea(MaximizeOnFullScreen);
        if (FRolledUp)
            target.setHeight(minimumSize().height());
        FForm->setGeometry(target);
        sizeChanged();
        break;
    }
    case TbsFrameState::Normal: {
        FFrameState = state;
        FRollUpWhileMaximized = false;
        const QSize before = FForm->size();
        applyConstraints();
        if (!FRestoreBounds.isNull())
            FForm->setGeometry(FRestoreBounds);
        FHoverTimer.start();
        if (FForm->size() == before)
            nudgeWidth();
        FForm->update();
        FRestoreBounds = QRect();
        break;
    }
    }
}

void TbsSkinFrame::SetRolledUp(bool value)
{
    if (!FBorderIcons.has(TbsBorderIcon::biRollUp) || FFrameState == TbsFrameState::Minimized)
        return;
    if (FRolledUp && FFrameState == TbsFrameState::Maximized && !FRollUpWhileMaximized)
        return;
    if (value == FRolledUp)
        return;
    if (FFrameState == TbsFrameState::Maximized)
        FRollUpWhileMaximized = value;
    FRolledUp = value;
    if (value) {
        FOldHeight = FForm->height();
        applyConstraints();
        FForm->resize(FForm->width(), minimumSize().height());
    } else {
        applyConstraints();
        FForm->resize(FForm->width(), FOldHeight);
    }
    sizeChanged();
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

void TbsSkinFrame::Restore() { SetFrameState(TbsFrameState::Normal); }

// ---------------------------------------------------------------- system menu

SkinMenuEntry& TbsSkinFrame::systemMenuItems()
{
    const bool minimized = FFrameState == TbsFrameState::Minimized;
    const bool maximized = FFrameState == TbsFrameState::Maximized;
    auto restoreAction = [this](SkinMenuEntry*) {
        // Restore unrolls a rolled-up window (normal, or maximized and rolled up since).
        if (FRolledUp && (FRollUpWhileMaximized || FFrameState == TbsFrameState::Normal))
            SetRolledUp(false);
        else
            Restore();
    };
    auto addOwn = [&](SkinMenuEntry& menu, bool withRestoreFirst) {
        auto addMin = [&] {
            if (FBorderIcons.has(TbsBorderIcon::biMinimize) && !minimized)
                menu.add("BSF_MINITEM", QStringLiteral("Mi&nimize"))->OnClick = [this](SkinMenuEntry*) { Minimize(); };
        };
        auto addMax = [&] {
            if (FBorderIcons.has(TbsBorderIcon::biMaximize) && !maximized)
                menu.add("BSF_MAXITEM", QStringLiteral("Ma&ximize"))->OnClick = [this](SkinMenuEntry*) { Maximize(); };
        };
        auto addRestore = [&] {
            if (minimized || maximized || FRolledUp)
                menu.add("BSF_RESTORE", QStringLiteral("&Restore"))->OnClick = restoreAction;
        };
        addMin();
        if (withRestoreFirst) {
            addRestore();
            addMax();
        } else {
            addMax();
            addRestore();
        }
        if (FBorderIcons.has(TbsBorderIcon::biRollUp) && !FRolledUp && !minimized)
            menu.add("BSF_ROLLUP", QStringLiteral("Ro&llUp"))->OnClick = [this](SkinMenuEntry*) { SetRolledUp(true); };
        if (FBorderIcons.has(TbsBorderIcon::biMinimizeToTray))
            menu.add("BSF_MINTOTRAY", QStringLiteral("Minimize to &Tray"));
    };
    auto addClose = [this](SkinMenuEntry& menu) {
        menu.add("BSF_CLOSE", QStringLiteral("&Close"), QKeySequence(QStringLiteral("Alt+F4")))->OnClick =
            [this](SkinMenuEntry*) { Close(); };
    };
    if (!SystemMenu) {
        FSysMenu.clear();
        addOwn(FSysMenu, false);
        if (!FSysMenu.Items.empty())
            FSysMenu.add("", QStringLiteral("-"));
        addClose(FSysMenu);
        return FSysMenu;
    }
    if (!UseDefaultSysMenu)
        return *SystemMenu;
    static constexpr std::array<std::string_view, 6> own{"BSF_MINITEM", "BSF_MAXITEM", "BSF_RESTORE",
                                                         "BSF_ROLLUP",  "BSF_MINTOTRAY", "BSF_CLOSE"};
    auto& items = SystemMenu->Items;
    std::erase_if(items, [](const auto& e) { return std::ranges::find(own, e->Name) != own.end(); });
    SkinMenuEntry top;
    addOwn(top, true);
    for (size_t i = 0; i < top.Items.size(); ++i)
        items.insert(items.begin() + std::ptrdiff_t(i), std::move(top.Items[i]));
    addClose(*SystemMenu);
    return *SystemMenu;
}

void TbsSkinFrame::EnterMenuMode()
{
    // Every menu shown for the form takes the frame's item defaults as they are now.
    FMenu->DefItemHeight = FDefMenuItemHeight;
    FMenu->DefItemFont = DefMenuItemFont;
    if (FMenuMode)
        return;
    FMenuMode = true;
    // Key presses and clicks elsewhere reach the open menu first.
    qApp->installEventFilter(FMenuModeFilter.get());
    if (OnSkinMenuOpen)
        OnSkinMenuOpen(this);
}

void TbsSkinFrame::leaveMenuMode()
{
    if (!FMenuMode)
        return;
    FMenuMode = false;
    qApp->removeEventFilter(FMenuModeFilter.get());
}

void TbsSkinFrame::popupSystemMenuAt(QPoint globalPos)
{
    EnterMenuMode();
    FMenuOpenerIndex = -1;
    FMenu->ShowPopup(FMenusSkinData ? FMenusSkinData : FSkinData, false, &systemMenuItems(), QRect(globalPos, QSize(0, 0)));
    if (!FMenu->Visible())
        menuClosed();
}

void TbsSkinFrame::popupSystemMenuBelow(TbsSkinStdButtonObject* button)
{
    button->Menu = &systemMenuItems();
    popupObjectMenu(button, *button->Menu, false);
}

void TbsSkinFrame::popupObjectMenu(TbsSkinButtonObject* button, SkinMenuEntry& menu, bool upward)
{
    EnterMenuMode();
    FMenuOpenerIndex = -1;
    for (size_t i = 0; i < FObjects.size(); ++i)
        if (FObjects[i].get() == button)
            FMenuOpenerIndex = int(i);
    const QRect anchor = button->ObjectRect.toQRect().translated(FForm->mapToGlobal(QPoint(0, 0)));
    FMenu->ShowPopup(FMenusSkinData ? FMenusSkinData : FSkinData, upward, &menu, anchor);
    if (!FMenu->Visible())
        menuClosed();
}

void TbsSkinFrame::menuClosed()
{
    for (auto& o : FObjects)
        if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o.get()); b && b->Pressed() && b->Menu) {
            b->SetPressed(false);
            if (auto* std = dynamic_cast<TbsSkinStdButtonObject*>(b); std && std->Command == TbsStdCommand::cmSysMenu)
                std->Menu = nullptr;
        }
    FPressedIndex = -1;
    leaveMenuMode();
    if (OnSkinMenuClose)
        OnSkinMenuClose(this);
}

// ---------------------------------------------------------------- skin messages

void TbsSkinFrame::ensureWindow() {}

void TbsSkinFrame::skinMessage(int message, TbsSkinData* wParam, int /*lParam*/)
{
    switch (message) {
    case SKM_BEFORECHANGE:
        if (wParam && wParam == FSkinData) {
            FIsSkinned = false;
            FHoverTimer.stop();
            FMorphTimer.stop();
            clearObjects();
        }
        RelaySkinMessageToControls(FForm, message, wParam);
        break;
    case SKM_CHANGE:
        if (wParam && wParam == FSkinData)
            RebuildFrame();
        RelaySkinMessageToControls(FForm, message, wParam);
        break;
    case WM_CLOSESKINMENU: menuClosed(); break;
    default: break;
    }
}

// ---------------------------------------------------------------- painting

void TbsSkinFrame::paintClientBackground(QPainter& p, const SkinRect& client)
{
    const QRect area = client.toQRect();
    if (!FIsSkinned) {
        p.fillRect(area, SystemColors::color(SystemColor::ButtonFace));
        return;
    }
    const TbsFormInfo& info = FSkinData->FormInfo();
    const QImage* bg = FSkinData->ActivePicture(info.BGPictureIndex);
    p.save();
    p.setClipRect(area);
    if (info.BGPictureIndex != -1 && bg && !bg->isNull()) {
        tileSkinPiece(p, *bg, SkinRect(0, 0, bg->width(), bg->height()), client);
    } else if (FMetrics.clientRect.isEmpty()) {
        p.fillRect(area, SystemColors::color(SystemColor::ButtonFace));
    } else {
        tileSkinPiece(p, FSkinData->MainPicture(), FMetrics.clientRect, client);
    }
    p.restore();
}

void TbsSkinFrame::paintFrame(QPainter& p)
{
    const int W = FForm->width(), H = FForm->height();
    const QSize min = minimumSize();
    if (W < min.width() || H < min.height())
        return;
    const FrameGeometry g = currentGeometry();
    layoutObjects(g);
    const bool active = isFormActive();
    const QImage& source =
        (active || FSkinData->InactivePicture().isNull()) ? FSkinData->MainPicture() : FSkinData->InactivePicture();
    SkinGeometry sg;
    sg.leftTop = FMetrics.leftTop;
    sg.rightTop = FMetrics.rightTop;
    sg.leftBottom = FMetrics.leftBottom;
    sg.rightBottom = FMetrics.rightBottom;
    sg.skinRect = SkinRect(0, 0, FMetrics.pictureWidth, FMetrics.pictureHeight);
    sg.clientRect = FMetrics.clientRect;
    const FittedGeometry fitted{g.leftTop, g.rightTop, g.leftBottom, g.rightBottom, g.clientRect};
    FrameBorderPieces pieces = composeFrameBorderPieces(source, sg, fitted, W, H);

    // The objects go into the pieces: one reaching below the client area's top into the
    // bottom piece (so the top piece cuts nothing of it), every other into the top piece.
    // Whatever lies outside its piece is not drawn.
    {
        QPainter top, bottom;
        if (!pieces.top.isNull())
            top.begin(&pieces.top);
        if (!pieces.bottom.isNull()) {
            bottom.begin(&pieces.bottom);
            bottom.translate(0, -g.clientRect.bottom);
        }
        for (auto& o : FObjects) {
            if (!o->Visible)
                continue;
            QPainter& canvas = o->ObjectRect.bottom > g.clientRect.top ? bottom : top;
            if (canvas.isActive())
                o->Draw(canvas, false);
        }
    }
    if (!active && FSkinData->FormInfo().AutoRenderingInActiveImage)
        for (QImage* piece : {&pieces.top, &pieces.left, &pieces.right, &pieces.bottom})
            if (!piece->isNull()) {
                TbsEffectBmp effect(*piece);
                effect.ApplyInactiveEffect(FSkinData->FormInfo().InActiveEffect);
                *piece = effect.toImage();
            }

    p.save();
    p.setClipRegion(QRegion(0, 0, W, H) - g.clientRect.toQRect());
    const int topHeight = FMetrics.clientRect.top;
    if (!pieces.top.isNull())
        p.drawImage(0, 0, pieces.top);
    if (!pieces.left.isNull())
        p.drawImage(0, topHeight, pieces.left);
    if (!pieces.right.isNull())
        p.drawImage(W - pieces.right.width(), topHeight, pieces.right);
    if (!pieces.bottom.isNull())
        p.drawImage(0, H - pieces.bottom.height(), pieces.bottom);
    p.restore();
    paintClientBackground(p, g.clientRect);
}

void TbsSkinFrame::paintUnskinned(QPainter& p)
{
    const int W = FForm->width(), H = FForm->height();
    const int ch = UnskinnedFrame::captionHeight(false);
    layoutUnskinned();
    const bool active = isFormActive();
    QImage caption(std::max(1, W - 6), ch, QImage::Format_RGB32);
    caption.fill(SystemColors::color(SystemColor::ButtonFace));
    {
        QPainter cp(&caption);
        cp.translate(-3, -3); // window coordinates
        const int x1 = FUnskinnedCaption.left - 1, x2 = FUnskinnedCaption.right - 6;
        for (int row = 2; row <= ch - 4; ++row) {
            const bool highlight = (row - 2) % 2 == 0;
            cp.setPen(SystemColors::color(highlight ? SystemColor::ButtonHighlight : SystemColor::ButtonShadow));
            if (x2 > x1)
                cp.drawLine(x1, 3 + row, x2, 3 + row);
        }
        const QFont& font = active ? DefCaptionFont : DefInActiveCaptionFont;
        const QFontMetrics fm(font);
        const QString text = shortenCaption(captionText(), FUnskinnedCaption.width(),
                                            [&](const QString& s) { return fm.horizontalAdvance(s); });
        if (!captionText().isEmpty()) {
            const int tw = fm.horizontalAdvance(text);
            const int boxW = tw + 5;
            const int bx = FUnskinnedCaption.left + FUnskinnedCaption.width() / 2 - boxW / 2;
            const int th = fm.height();
            const int by = 3 + ch / 2 - th / 2;
            cp.fillRect(QRect(bx, by, boxW, th), SystemColors::color(SystemColor::ButtonFace));
            cp.setFont(font);
            cp.setPen(SystemColors::color(active ? SystemColor::ButtonText : SystemColor::ButtonShadow));
            cp.drawText(QRect(bx + 3, by, tw + 2, th), Qt::AlignLeft | Qt::AlignVCenter, text);
        }
        for (auto& o : FObjects)
            if (o->Visible)
                o->Draw(cp, false);
    }
    const QRect client = FForm->contentsRect();
    p.save();
    p.setClipRegion(QRegion(0, 0, W, H) - client);
    p.fillRect(0, 0, W, H, SystemColors::color(SystemColor::ButtonFace));
    p.drawImage(3, 3, caption);
    auto ring = [&](int inset, SystemColor topLeft, SystemColor bottomRight) {
        const QRect r(inset, inset, W - 2 * inset, H - 2 * inset);
        p.setPen(SystemColors::color(topLeft));
        p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        p.setPen(SystemColors::color(bottomRight));
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    };
    ring(0, SystemColor::Light3D, SystemColor::DarkShadow3D);
    ring(1, SystemColor::ButtonHighlight, SystemColor::ButtonShadow);
    ring(2, SystemColor::ButtonFace, SystemColor::ButtonFace);
    p.restore();
    paintClientBackground(p, SkinRect::fromQRect(client));
}

// ---------------------------------------------------------------- events

void TbsSkinFrame::updateCursorShape(int code)
{
    switch (code) {
    case HTLEFT:
    case HTRIGHT: FForm->setCursor(Qt::SizeHorCursor); break;
    case HTTOP:
    case HTBOTTOM: FForm->setCursor(Qt::SizeVerCursor); break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: FForm->setCursor(Qt::SizeFDiagCursor); break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: FForm->setCursor(Qt::SizeBDiagCursor); break;
    default: FForm->unsetCursor(); break;
    }
}

bool TbsSkinFrame::mousePress(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int code = HitTest(p);
    if (code == HTCLIENT)
        return false;
    if (e->button() == Qt::LeftButton && isResizeCode(code)) {
        FResizeEdges = edgesOfHitCode(code);
        FPressGlobal = e->globalPosition().toPoint();
        FPressGeometry = FForm->geometry();
        QWindow* window = FForm->windowHandle();
        if (FSystemMoveEnabled && !Magnetic && window && window->startSystemResize(FResizeEdges))
            FDrag = Drag::System;
        else
            FDrag = Drag::Resize;
        return true;
    }
    activateForPress();
    updateHoverAt(p, true);
    if (FHoverIndex >= 0) {
        FPressedIndex = FHoverIndex;
        FObjects[size_t(FPressedIndex)]->MouseDown(p.x(), p.y(), buttonOf(e->button()));
    }
    if (code == HTCAPTION) {
        // The move loop would have taken the mouse: the caption object is not kept pressed.
        FPressedIndex = -1;
        if (e->button() == Qt::LeftButton) {
            FDrag = Drag::PendingMove;
            FPressGlobal = e->globalPosition().toPoint();
            FPressGeometry = FForm->geometry();
        } else if (e->button() == Qt::RightButton) {
            popupSystemMenuAt(e->globalPosition().toPoint());
        }
    }
    return true;
}

bool TbsSkinFrame::mouseMove(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const QPoint global = e->globalPosition().toPoint();
    const bool leftHeld = e->buttons() & Qt::LeftButton;
    if (!leftHeld && FDrag != Drag::None)
        FDrag = Drag::None; // the release after a system move or size is often lost
    switch (FDrag) {
    case Drag::PendingMove:
        if ((global - FPressGlobal).manhattanLength() >= QApplication::startDragDistance()) {
            if (FFrameState == TbsFrameState::Maximized)
                return true; // a maximized window does not move
            QWindow* window = FForm->windowHandle();
            if (FSystemMoveEnabled && !Magnetic && window && window->startSystemMove()) {
                FDrag = Drag::System;
                return true;
            }
            FDrag = Drag::Move;
        } else {
            return true;
        }
        [[fallthrough]];
    case Drag::Move: {
        QPoint topLeft = FPressGeometry.topLeft() + (global - FPressGlobal);
        if (Magnetic)
            topLeft = magneticSnap(topLeft, FForm->size(), workArea(false), MagneticSize);
        FForm->move(topLeft);
        return true;
    }
    case Drag::Resize: {
        QRect r = FPressGeometry;
        const QPoint d = global - FPressGlobal;
        const QSize min = FForm->minimumSize(), max = FForm->maximumSize();
        if (FResizeEdges & Qt::LeftEdge)
            r.setLeft(std::clamp(r.left() + d.x(), r.right() + 1 - max.width(), r.right() + 1 - min.width()));
        if (FResizeEdges & Qt::RightEdge)
            r.setRight(std::clamp(r.right() + d.x(), r.left() - 1 + min.width(), r.left() - 1 + max.width()));
        if (FResizeEdges & Qt::TopEdge)
            r.setTop(std::clamp(r.top() + d.y(), r.bottom() + 1 - max.height(), r.bottom() + 1 - min.height()));
        if (FResizeEdges & Qt::BottomEdge)
            r.setBottom(std::clamp(r.bottom() + d.y(), r.top() - 1 + min.height(), r.top() - 1 + max.height()));
        FForm->setGeometry(r);
        return true;
    }
    case Drag::System: return true;
    case Drag::None: break;
    }
    if (FPressedIndex < 0 && !leftHeld)
        updateCursorShape(HitTest(p));
    if (!(FIsSkinned ? currentGeometry().clientRect : SkinRect::fromQRect(FForm->contentsRect())).containsExclusive(p)) {
        UpdateHover(p, true);
        if (!FHoverTimer.isActive())
            FHoverTimer.start();
    } else if (FHoverIndex >= 0) {
        // The pointer went into the client area, also while it drags a pressed button off:
        // the object is left now, not at the hover timer's next look, so a release that
        // follows at once does not run it.
        UpdateHover(p, false);
    }
    if (FPressedIndex >= 0)
        FObjects[size_t(FPressedIndex)]->MouseMove(p.x(), p.y());
    else if (FHoverIndex >= 0)
        FObjects[size_t(FHoverIndex)]->MouseMove(p.x(), p.y());
    return true;
}

bool TbsSkinFrame::mouseRelease(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const bool dragging = FDrag != Drag::None;
    FDrag = Drag::None;
    if (FPressedIndex >= 0) {
        TbsActiveSkinObject* object = FObjects[size_t(FPressedIndex)].get();
        FPressedIndex = -1;
        QPointer<TbsSkinFrame> alive(this);
        object->MouseUp(p.x(), p.y(), buttonOf(e->button()));
        if (!alive)
            return true;
        return true;
    }
    return dragging || !FForm->contentsRect().contains(p);
}

bool TbsSkinFrame::mouseDoubleClick(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int code = HitTest(p);
    if (code == HTCLIENT)
        return false;
    if (e->button() != Qt::LeftButton)
        return true;
    activateForPress();
    updateHoverAt(p, true);
    if (FHoverIndex >= 0) {
        FPressedIndex = FHoverIndex;
        FObjects[size_t(FHoverIndex)]->MouseDown(p.x(), p.y(), TMouseButton::mbLeft);
        if (code == HTCAPTION)
            FPressedIndex = -1;
        QPointer<TbsSkinFrame> alive(this);
        if (FHoverIndex >= 0)
            FObjects[size_t(FHoverIndex)]->DblClick();
        if (!alive)
            return true;
    }
    if (code != HTCAPTION)
        return true;
    FDrag = Drag::None;
    const bool canSize = sizeable();
    if (canSize && FFrameState == TbsFrameState::Minimized)
        Restore();
    else if (canSize && FFrameState != TbsFrameState::Maximized && !FRolledUp && FBorderIcons.has(TbsBorderIcon::biMaximize))
        Maximize();
    else if (canSize && FFrameState == TbsFrameState::Maximized && !FRollUpWhileMaximized)
        Restore();
    else
        SetRolledUp(!FRolledUp);
    return true;
}

bool TbsSkinFrame::menuModeFilter(QObject* watched, QEvent* event)
{
    // Menu mode: keys go to the open menu, a press anywhere else closes it. This filter is
    // the application's, so it sees each event first at the window (QWindow) and then at the
    // widget it is for; keys are taken at the first sight, whatever widget has the focus.
    if (!FMenuMode || !FMenu->Visible())
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // No short-cut of the form runs while the menu has the keys: the key comes as a press.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (TbsSkinPopupWindow* deepest = FMenu->deepest())
            deepest->handleKey(key->key(), key->text());
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Presses on the form itself are handled by its own filter (which knows the opener).
        if (!widget || widget == FForm || FMenu->owns(widget))
            return false;
        FMenu->CloseAll();
        return false;
    }
    default: return false;
    }
}

bool TbsSkinFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != FForm)
        return false;

    switch (event->type()) {
    case QEvent::Paint: {
        QPainter p(FForm);
        if (FIsSkinned)
            paintFrame(p);
        else
            paintUnskinned(p);
        return false;
    }
    case QEvent::Resize:
        if (FMenu->Visible())
            FMenu->CloseAll();
        sizeChanged();
        return false;
    case QEvent::Move:
        if (FMenu->Visible())
            FMenu->CloseAll();
        return false;
    case QEvent::Show:
        applyConstraints();
        sizeChanged();
        return false;
    case QEvent::WindowStateChange:
        sizeChanged();
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (FMenu->Visible() && event->type() == QEvent::WindowDeactivate)
            FMenu->CloseAll();
        for (size_t i = 0; i < FObjects.size(); ++i) {
            auto& o = FObjects[i];
            // The activation that a press on a caption button brought arrives after the
            // press: that button stays hovered, so that its release still runs it.
            if (event->type() == QEvent::WindowActivate && int(i) == FPressedIndex)
                continue;
            if (!dynamic_cast<TbsSkinCaptionObject*>(o.get())) {
                o->Active = false;
                o->setMorphProgress(0);
            }
        }
        FForm->update();
        UpdateCaptionState(true);
        return false;
    case QEvent::WindowTitleChange: FForm->update(); return false;
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (FMenu->Visible()) {
            // The press that closes a menu does not reopen it on the button that opened it.
            const bool onOpener = FMenuOpenerIndex >= 0 && FMenuOpenerIndex < int(FObjects.size())
                                  && FObjects[size_t(FMenuOpenerIndex)]->ObjectRect.containsExclusive(e->position().toPoint());
            FMenu->CloseAll();
            if (onOpener)
                return true;
        }
        return mousePress(e);
    }
    case QEvent::MouseMove: return mouseMove(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: return mouseRelease(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick: return mouseDoubleClick(static_cast<QMouseEvent*>(event));
    case QEvent::Leave:
        if (FPressedIndex < 0)
            FForm->unsetCursor();
        return false;
    case QEvent::Close:
        if (FMenu->Visible())
            FMenu->CloseAll();
        return false;
    default: return false;
    }
}
