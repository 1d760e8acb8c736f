#pragma once
// The skinned gauge: a progress bar whose every value change repaints at once, so that it
// advances while a long report run holds the user-interface thread.

#include "TbsSkinCustomControl.h"

class TbsSkinGauge : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinGauge(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsSkinGauge"; }

    int MinValue() const { return FMinValue; }
    void setMinValue(int v);
    int MaxValue() const { return FMaxValue; }
    void setMaxValue(int v);
    int Value() const { return FValue; }
    void setValue(int v);
    bool Vertical() const { return FVertical; }
    void setVertical(bool v);
    const QString& ProgressText() const { return FProgressText; }
    void setProgressText(const QString& v);
    bool ShowProgressText() const { return FShowProgressText; }
    void setShowProgressText(bool v);
    bool ShowPercent() const { return FShowPercent; }
    void setShowPercent(bool v);

    void LoadSkinSection() override;

    // The text drawn over the bar (empty: none).
    QString displayText() const;
    // The progress area fitted to the current size (skinned).
    SkinRect fittedProgressArea() const;

protected:
    void DrawDefaultImage(QImage& bitmap) override;
    void DrawSkinImage(QImage& bitmap) override;

private:
    void drawText(QImage& bitmap);
    // The progress image over the filled rect; false when a middle with no tile to fill it
    // ends the drawing (no end pieces, no text).
    bool drawProgress(QPainter& p, const SkinRect& filled);

    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 50;
    bool FVertical = false;
    QString FProgressText;
    bool FShowProgressText = false;
    bool FShowPercent = false;
};
