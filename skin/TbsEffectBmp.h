#pragma once
// A 24-bit pixel buffer for the skin's pixel effects: the morph transitions between an
// object's normal and active image, and the effects that derive an inactive frame from the
// active one. Rows are top-down, 3 bytes per pixel in the order blue, green, red, each row
// padded to a multiple of 4 bytes. Every channel result is rounded to the nearest integer
// (halves to even) and clamped to 0..255. Effects work row by row, in place.

#include "SkinTypes.h"

#include <QImage>
#include <cstdint>
#include <vector>

class QPainter;

class TbsEffectBmp {
public:
    TbsEffectBmp() = default;
    TbsEffectBmp(int width, int height);
    // Converts the picture's pixels; the source is not changed.
    explicit TbsEffectBmp(const QImage& source);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int stride() const { return stride_; }
    std::uint8_t* row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(stride_); }
    const std::uint8_t* row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(stride_); }

    QRgb pixel(int x, int y) const;
    void setPixel(int x, int y, QRgb colour);
    QImage toImage() const; // Format_RGB32
    // Copies the whole buffer 1 : 1 at (x, y).
    void Draw(QPainter& painter, int x, int y) const;

    // Transitions: this buffer holds the normal image, b the active one, k the progress
    // (0 normal, 1 active). Nothing happens when the sizes differ.
    void Blend(const TbsEffectBmp& b, double k);
    void CentreGradient(const TbsEffectBmp& b, double k);
    void HorizontalCentreGradient(const TbsEffectBmp& b, double k);
    void VerticalCentreGradient(const TbsEffectBmp& b, double k);
    void LeftGradient(const TbsEffectBmp& b, double k);
    void RightGradient(const TbsEffectBmp& b, double k);
    void LeftSlide(const TbsEffectBmp& b, double k);
    void RightSlide(const TbsEffectBmp& b, double k);
    void Push(const TbsEffectBmp& b, double k);
    // The transition of a morph kind.
    void Morph(TbsMorphKind kind, const TbsEffectBmp& b, double k);

    // Effects on this buffer alone.
    void Brightness(double k);
    void Darkness(double k);
    void Grayscale();
    void Noise(int amount);
    void SplitBlur(int amount);
    void Invert();
    // The inactive effect of a skin with the frame's parameters: brightness 0.5, darkness
    // 0.3, grayscale, noise 50, split blur 1, invert.
    void ApplyInactiveEffect(TbsInactiveEffect effect);

private:
    bool sameSize(const TbsEffectBmp& b) const { return b.width_ == width_ && b.height_ == height_; }
    // Column x of this row := w * A + (1 - w) * B (A's old value).
    static void mixPixel(std::uint8_t* a, const std::uint8_t* b, double w);

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<std::uint8_t> pixels_;
};
