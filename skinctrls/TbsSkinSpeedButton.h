#pragma once
// The windowless skinned button ("toolbutton" section by default): the push button's states,
// glyph and caption, groups and auto-repeat, without focus or keyboard.

#include "ButtonMorph.h"
#include "ButtonPainting.h"
#include "TbsGraphicSkinControl.h"

#include <memory>

class QTimer;

class TbsSkinSpeedButton : public TbsGraphicSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinSpeedButton(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TbsSkinSpeedButton() override;
    const char* className() const noexcept override { return "TbsSkinSpeedButton"; }

    const QString& Caption() const { return FCaption; }
    void setCaption(const QString& v) { FCaption = v; RepaintNow(); }
    const QImage& Glyph() const { return FGlyph; }
    void setGlyph(const QImage& v) { FGlyph = v; RepaintNow(); }
    int NumGlyphs() const { return FNumGlyphs; }
    void setNumGlyphs(int v) { FNumGlyphs = std::clamp(v, 1, 4); RepaintNow(); }
    TbsButtonLayout Layout() const { return FLayout; }
    void setLayout(TbsButtonLayout v) { FLayout = v; RepaintNow(); }
    int Margin() const { return FMargin; }
    void setMargin(int v) { if (v >= -1) { FMargin = v; RepaintNow(); } }
    int Spacing() const { return FSpacing; }
    void setSpacing(int v) { FSpacing = v; RepaintNow(); }
    bool Down() const { return FDown; }
    void setDown(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void setGroupIndex(int v) { FGroupIndex = v; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void setAllowAllUp(bool v) { FAllowAllUp = v; }
    bool RepeatMode() const { return FRepeatMode; }
    void setRepeatMode(bool v) { FRepeatMode = v; }
    int RepeatInterval() const { return FRepeatInterval; }
    void setRepeatInterval(int v) { FRepeatInterval = v; }
    bool Flat() const { return FFlat; }
    void setFlat(bool v) { FFlat = v; RepaintNow(); }
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool v);

    TNotifyEvent OnClick;

    virtual void ButtonClick();
    void LoadSkinSection() override;
    void ApplySkin() override;
    double MorphFactor() const { return FMorph.factor(); }
    bool morphTimerActive() const { return FMorph.timerActive(); }
    void MorphTimerTick();
    bool isMouseIn() const { return FMouseIn; }
    bool repeatTimerActive() const { return FRepeatTimer != nullptr; }
    int repeatTimerInterval() const;

protected:
    void DrawStateImage(QImage& bitmap, const SkinRect& stateRect, bool down, bool active);
    void DrawDefaultImage(QImage& bitmap) override;
    void DrawSkinImage(QImage& bitmap) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool morphingOn() const;
    void refresh();
    void startRepeat();
    void stopRepeat();
    // The button's own part of mouse enter and leave, also run when the pointer crosses its
    // edge while it holds the pointer grab (no enter or leave arrives then).
    void pointerEntered();
    void pointerLeft();
    void drawTransparentNormal(QImage& bitmap);

    QString FCaption;
    QImage FGlyph;
    int FNumGlyphs = 1;
    TbsButtonLayout FLayout = TbsButtonLayout::blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 1;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    bool FFlat = false;
    bool FTransparent = false;

    bool FMouseIn = false;
    bool FMouseButtonHeld = false;
    bool FPointerOver = false;
    bool FWasDownAtPress = false;
    std::unique_ptr<QTimer> FRepeatTimer;
    ButtonMorph FMorph;
};
