#pragma once
// The root of the frame objects: an area of the skinned frame with its images, its place in
// the window (ObjectRect), its hover, active and morph state, and the mouse events it raises
// through the frame component.

#include "FrameEvents.h"
#include "SkinRect.h"
#include "SkinTypes.h"

#include <QImage>
#include <string>

class QPainter;
class TbsSkinFrame;
class TbsDataSkinObject;

class TbsActiveSkinObject {
public:
    // data may be null (a default button of the unskinned frame).
    TbsActiveSkinObject(TbsSkinFrame* frame, TbsDataSkinObject* data);
    virtual ~TbsActiveSkinObject() = default;
    TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
    TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

    virtual bool CanMorph() const;
    // Draws at ObjectRect on a painter over the whole window. update: drawn alone, outside
    // the frame's own painting.
    virtual void Draw(QPainter& canvas, bool update);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // One morph tick: 0.1 toward the active (or normal) image, then a redraw.
    void MorphStep();
    void RedrawObject();
    // A morph is under way: Morphing on and the progress not yet at its end.
    bool morphUnderWay() const;
    double morphProgress() const { return FMorphKf; }
    void setMorphProgress(double k) { FMorphKf = k; }

    std::string IDName;
    std::string Hint;
    bool SkinRectInAPicture = false;
    SkinRect SkinRectValue;  // "skinrect"
    SkinRect ActiveSkinRect; // "activeskinrect"
    bool Morphing = false;
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault;
    SkinRect ObjectRect;
    bool Enabled = true;
    bool Visible = true;
    bool Active = false;
    bool MouseIn = false;

protected:
    // With Morphing the frame's morph timer takes over, else the object is redrawn now.
    void startImageChange();
    // picture[src] as an image of the object's size (blank where the source is missing).
    QImage imageOf(const QImage* picture, const SkinRect& src) const;
    // Blends normal and active images by the morph kind at the current progress.
    QImage morphImage(const QImage& normal, const QImage& active) const;
    void drawImage(QPainter& canvas, const QImage& image) const;
    const QImage* normalPicture() const { return SkinRectInAPicture ? FActivePicture : FPicture; }

    TbsSkinFrame* FFrame;
    const QImage* FPicture = nullptr;       // the main picture
    const QImage* FActivePicture = nullptr; // the "activepictureindex" picture, or none
    double FMorphKf = 0;
};
