#pragma once
// A windowed skinned control whose face is fitted from a resizable section: default font and
// size while unskinned, the section geometry fitted to the current size, and the window
// region cut from the section's mask.

#include "SkinGeometry.h"
#include "TbsSkinControl.h"

#include <QFont>
#include <QRegion>

class TbsSkinCustomControl : public TbsSkinControl {
    Q_OBJECT
public:
    explicit TbsSkinCustomControl(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsSkinCustomControl"; }

    const QFont& DefaultFont() const { return FDefaultFont; }
    void setDefaultFont(const QFont& value);
    int DefaultWidth() const { return FDefaultWidth; }
    void setDefaultWidth(int value);
    int DefaultHeight() const { return FDefaultHeight; }
    void setDefaultHeight(int value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void setUseSkinFont(bool value) { FUseSkinFont = value; }

    void LoadSkinSection() override;
    void ApplySkin() override;

    virtual void FitToSkin(int& W, int& H);
    virtual void UpdateSkinRegion();
    SkinRect MapSkinRect(const SkinRect& r) const;

    TbsSkinStretchKind StretchKind() const { return FStretchKind; }
    const FittedGeometry& fitted() const { return FFitted; }
    // The fitted client rect: where content goes.
    SkinRect fittedClientRect() const { return FFitted.clientRect; }
    // The region set from the mask (empty when none).
    const QRegion& windowRegion() const { return FRegion; }

    // Sets position and size the way the form data does (the size may be refitted to the skin).
    void SetBounds(int left, int top, int width, int height);

protected:
    virtual void DefaultFontChanged() {}
    // Whether this control shapes its window from the mask (windowless controls do not).
    virtual bool usesWindowRegion() const { return true; }

    void DrawDefaultImage(QImage& bitmap) override;
    void DrawSkinImage(QImage& bitmap) override;
    // The section's image (or one of its state images, same size as "skinrect") fitted to the
    // control's size, drawn over dest.
    void ComposeSkinImage(QImage& dest, const QImage& picture, const SkinRect& source);
    QImage composedSkinImage(const QImage& picture, const SkinRect& source) const;

    void resizeEvent(QResizeEvent* event) override;

    // The font the section names, with the default font's character set, or the default font.
    QFont sectionFontOrDefault() const;

    QFont FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    bool FUseSkinFont = true;
    SkinGeometry FGeometry;
    FittedGeometry FFitted;
    QImage FPicture, FMask;
    TbsSkinStretchKind FStretchKind = TbsSkinStretchKind::stFixed;
    QRegion FRegion;
    bool FFitting = false;
};
