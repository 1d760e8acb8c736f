#pragma once
// The skinned push button: a state image per state from the "button" section, glyph and
// caption laid out together, an optional fade between its normal and hot image, auto-repeat,
// groups, and the form's default and cancel keys.

#include "ButtonMorph.h"
#include "ButtonPainting.h"
#include "TbsSkinCustomControl.h"

#include <QImage>
#include <QPointer>
#include <memory>

class QAction;
class QTimer;

class TbsSkinButton : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinButton(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TbsSkinButton() override;
    const char* className() const noexcept override { return "TbsSkinButton"; }

    const QString& Caption() const { return FCaption; }
    void setCaption(const QString& v);
    const QImage& Glyph() const { return FGlyph; }
    void setGlyph(const QImage& v);
    int NumGlyphs() const { return FNumGlyphs; }
    void setNumGlyphs(int v);
    TbsButtonLayout Layout() const { return FLayout; }
    void setLayout(TbsButtonLayout v);
    int Margin() const { return FMargin; }
    void setMargin(int v);
    int Spacing() const { return FSpacing; }
    void setSpacing(int v);
    bool Down() const { return FDown; }
    void setDown(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void setGroupIndex(int v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void setAllowAllUp(bool v) { FAllowAllUp = v; }
    bool RepeatMode() const { return FRepeatMode; }
    void setRepeatMode(bool v) { FRepeatMode = v; }
    int RepeatInterval() const { return FRepeatInterval; }
    void setRepeatInterval(int v) { FRepeatInterval = v; }
    bool CanFocused() const { return FCanFocused; }
    void setCanFocused(bool v);
    bool Default() const { return FDefault; }
    void setDefault(bool v);
    bool Cancel() const { return FCancel; }
    void setCancel(bool v) { FCancel = v; }
    int ModalResult() const { return FModalResult; }
    void setModalResult(int v) { FModalResult = v; }
    // The linked action gives the button its caption, hint and enabled state, and its icon
    // as the glyph while the button has none; a click without an OnClick of the button's
    // own triggers it.
    QAction* Action() const { return FAction; }
    void setAction(QAction* action);

    TNotifyEvent OnClick;

    virtual void ButtonClick();
    // Simulates a full click (press and release), as a program would.
    void Click() { ButtonClick(); }

    void LoadSkinSection() override;
    void ApplySkin() override;

    // Morph state (0 normal image, 1 hot image); the timer advances it every 20 ms.
    double MorphFactor() const { return FMorph.factor(); }
    bool morphTimerActive() const;
    // One tick of the morph timer.
    void MorphTimerTick();
    bool isMouseIn() const { return FMouseIn; }
    bool repeatTimerActive() const { return FRepeatTimer != nullptr; }
    bool isDefaultActive() const { return FDefaultActive; }
    bool isFocused() const;

protected:
    virtual void DrawStateImage(QImage& bitmap, const SkinRect& stateRect, bool down, bool active);
    void DrawDefaultImage(QImage& bitmap) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool morphingOn() const;
    // Start the morph timer when morphing applies, else repaint.
    void refresh();
    void startRepeat();
    void stopRepeat();
    // The button's own part of mouse enter and leave, also run when the pointer crosses its
    // edge while it holds the pointer grab (no enter or leave arrives then).
    void pointerEntered();
    void pointerLeft();
    void onFocusChanged(QWidget* old, QWidget* now);
    void watchWindow();
    bool handleDialogKey(QKeyEvent* event);
    QImage stateImage(const SkinRect& stateRect, bool down, bool active);
    QChar accelerator() const;
    bool answersAccelerator() const;
    void acceleratorPressed();
    // Alt with the accelerator reaches the button from anywhere in its window, also from an edit.
    void updateAcceleratorShortcut();
    void actionChanged();

    QString FCaption;
    QImage FGlyph;
    int FNumGlyphs = 2;
    TbsButtonLayout FLayout = TbsButtonLayout::blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 1;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    bool FCanFocused = true;
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;

    bool FMouseIn = false;
    bool FMouseButtonHeld = false;
    bool FPointerOver = false;
    bool FDefaultActive = false;
    bool FWasDownAtPress = false;
    std::unique_ptr<QTimer> FRepeatTimer;
    ButtonMorph FMorph;
    // The window may go before the button (a button taken out of its window).
    QPointer<QWidget> FWatchedWindow;
    int FAcceleratorShortcut = 0;
    QPointer<QAction> FAction;
};
