#pragma once
// The skinned panel: a container that draws a border (and optionally a caption strip with a
// check box and a roll-up marker) from the "panel" section, and aligns its children inside its
// client area.

#include "TbsSkinCustomControl.h"

#include <QImage>
#include <QList>
#include <QPointer>

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TbsSkinBorderStyle { bvRaised, bvLowered, bvNone, bvFrame };

class TbsSkinPanel : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinPanel(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TbsSkinPanel() override;
    const char* className() const noexcept override { return "TbsSkinPanel"; }

    bool AutoEnabledControls() const { return FAutoEnabledControls; }
    void setAutoEnabledControls(bool v) { FAutoEnabledControls = v; }
    bool CheckedMode() const { return FCheckedMode; }
    void setCheckedMode(bool v);
    bool Checked() const { return FChecked; }
    void setChecked(bool v);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void setDefaultAlignment(TAlignment v);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void setDefaultCaptionHeight(int v);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void setBorderStyle(TbsSkinBorderStyle v);
    bool CaptionMode() const { return FCaptionMode; }
    void setCaptionMode(bool v);
    bool RollUpMode() const { return FRollUpMode; }
    void setRollUpMode(bool v);
    bool RollUpState() const { return FRollUpState; }
    void setRollUpState(bool v);
    const QImage& Glyph() const { return FGlyph; }
    void setGlyph(const QImage& v);
    int NumGlyphs() const { return FNumGlyphs; }
    void setNumGlyphs(int v);
    int Spacing() const { return FSpacing; }
    void setSpacing(int v);
    const QString& Caption() const { return FCaption; }
    void setCaption(const QString& v);

    TNotifyEvent OnChecked;

    void ApplySkin() override;

    // Where aligned children go.
    QRect ClientArea() const;
    // Places the aligned children again (after a size, border or caption change).
    void RealignChildren();

protected:
    void DrawDefaultImage(QImage& bitmap) override;
    void DrawSkinImage(QImage& bitmap) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Caption content (glyph and text) laid out and drawn into area.
    void drawCaptionContent(QPainter& p, const SkinRect& area, int x, const QFont& font, const QColor& color);
    int captionContentWidth(const QFontMetrics& fm) const;
    bool sectionHasBgPicture() const;

    bool FAutoEnabledControls = true;
    bool FCheckedMode = false;
    bool FChecked = false;
    TAlignment FDefaultAlignment = TAlignment::taLeftJustify;
    int FDefaultCaptionHeight = 22;
    TbsSkinBorderStyle FBorderStyle = TbsSkinBorderStyle::bvRaised;
    bool FCaptionMode = false;
    bool FRollUpMode = false;
    bool FRollUpState = false;
    QImage FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    QString FCaption;

    SkinRect FFittedCaptionRect, FFittedMarkerRect;
    int FHeightBeforeRollUp = -1;
    std::optional<QList<QPointer<QWidget>>> FRolledUpChildren;

private:
    void rollUp();
    void unroll();
};
