#include "TbsEffectBmp.h"

#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Round to nearest, halves to even (the default rounding mode), then clamp to a byte.
std::uint8_t toChannel(double v)
{
    const double r = std::nearbyint(v);
    return std::uint8_t(std::clamp(r, 0.0, 255.0));
}

int roundHalfEven(double v) { return int(std::nearbyint(v)); }

double clamp01(double k) { return std::clamp(k, 0.0, 1.0); }

} // namespace

TbsEffectBmp::TbsEffectBmp(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), stride_(((width_ * 3) + 3) & ~3),
      pixels_(std::size_t(stride_) * std::size_t(height_), 0)
{
}

TbsEffectBmp::TbsEffectBmp(const QImage& source) : TbsEffectBmp(source.width(), source.height())
{
    if (source.isNull())
        return;
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < height_; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* dst = row(y);
        for (int x = 0; x < width_; ++x) {
            dst[3 * x] = std::uint8_t(qBlue(src[x]));
            dst[3 * x + 1] = std::uint8_t(qGreen(src[x]));
            dst[3 * x + 2] = std::uint8_t(qRed(src[x]));
        }
    }
}

QRgb TbsEffectBmp::pixel(int x, int y) const
{
    const std::uint8_t* p = row(y) + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

void TbsEffectBmp::setPixel(int x, int y, QRgb colour)
{
    std::uint8_t* p = row(y) + 3 * x;
    p[0] = std::uint8_t(qBlue(colour));
    p[1] = std::uint8_t(qGreen(colour));
    p[2] = std::uint8_t(qRed(colour));
}

QImage TbsEffectBmp::toImage() const
{
    QImage image(width_, height_, QImage::Format_RGB32);
    for (int y = 0; y < height_; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x)
            dst[x] = pixel(x, y);
    }
    return image;
}

void TbsEffectBmp::Draw(QPainter& painter, int x, int y) const
{
    if (width_ > 0 && height_ > 0)
        painter.drawImage(x, y, toImage());
}

void TbsEffectBmp::mixPixel(std::uint8_t* a, const std::uint8_t* b, double w)
{
    for (int c = 0; c < 3; ++c)
        a[c] = toChannel(w * a[c] + (1.0 - w) * b[c]);
}

void TbsEffectBmp::Blend(const TbsEffectBmp& b, double k)
{
    if (!sameSize(b))
        return;
    k = clamp01(k);
    std::vector<std::uint8_t> scratch(std::size_t(width_) * 3);
    for (int y = 0; y < height_; ++y) {
        std::memcpy(scratch.data(), row(y), scratch.size());
        const std::uint8_t* src = b.row(y);
        for (std::size_t i = 0; i < scratch.size(); ++i)
            scratch[i] = toChannel((1.0 - k) * scratch[i] + k * src[i]);
        std::memcpy(row(y), scratch.data(), scratch.size());
    }
}

void TbsEffectBmp::CentreGradient(const TbsEffectBmp& b, double k)
{
    if (width_ >= height_)
        HorizontalCentreGradient(b, k);
    else
        VerticalCentreGradient(b, k);
}

void TbsEffectBmp::HorizontalCentreGradient(const TbsEffectBmp& b, double k)
{
    if (!sameSize(b) || width_ == 0)
        return;
    const int w = width_;
    const int a = roundHalfEven(w * k);
    const int half = (w - a) / 2;
    const int c = a / 2;
    const double e = half == 0 ? 1.0 : 1.0 / half;
    const int g = std::max(0, w / 2 - c);
    const int f = std::min(w - 1, w / 2 + c);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* dst = row(y);
        const std::uint8_t* src = b.row(y);
        for (int x = std::max(g, 0); x <= f && x < w; ++x)
            std::memcpy(dst + 3 * x, src + 3 * x, 3);
        for (int x = g, n = 0; x >= 0; --x, ++n)
            mixPixel(dst + 3 * x, src + 3 * x, std::min(1.0, n * e));
        for (int x = f, n = 0; x < w; ++x, ++n)
            mixPixel(dst + 3 * x, src + 3 * x, std::min(1.0, n * e));
    }
}

void TbsEffectBmp::VerticalCentreGradient(const TbsEffectBmp& b, double k)
{
    if (!sameSize(b) || height_ == 0)
        return;
    const int h = height_;
    const int a = roundHalfEven(h * k);
    const int rest = h - a - 1;
    const int c = rest / 2;
    const int d = a / 2;
    const double e = c == 0 ? 0.0 : 1.0 / c;
    const int g = std::max(0, h / 2 - d);
    const int f = std::min(h - 1, h / 2 + d);
    const std::size_t bytes = std::size_t(width_) * 3;
    for (int y = g; y <= f; ++y)
        std::memcpy(row(y), b.row(y), bytes);
    auto mixRow = [&](int y, double weight) {
        std::uint8_t* dst = row(y);
        const std::uint8_t* src = b.row(y);
        for (int x = 0; x < width_; ++x)
            mixPixel(dst + 3 * x, src + 3 * x, weight);
    };
    for (int y = g, n = 0; y >= 0; --y, ++n)
        mixRow(y, std::min(1.0, n * e));
    for (int y = f, n = 0; y < h; ++y, ++n)
        mixRow(y, std::min(1.0, n * e));
}

void TbsEffectBmp::LeftGradient(const TbsEffectBmp& b, double k)
{
    if (!sameSize(b) || width_ == 0)
        return;
    const int a = std::max(1, std::min(roundHalfEven(width_ * k), width_ - 1));
    const double step = 1.0 / a;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* dst = row(y);
        const std::uint8_t* src = b.row(y);
        for (int x = 0; x <= a && x < width_; ++x)
            mixPixel(dst + 3 * x, src + 3 * x, std::min(1.0, x * step));
    }
}

void TbsEffectBmp::RightGradient(const TbsEffectBmp& b, double k)
{
    if (!sameSize(b) || width_ == 0)
        return;
    const int a = std::max(0, std::min(width_ - roundHalfEven(width_ * k), width_ - 1));
    const double step = 1.0 / (width_ - a);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* dst = row(y);
        const std::uint8_t* src = b.row(y);
        for (int x = width_ - 1, n = 0; x >= a; --x, ++n)
            mixPixel(dst + 3 * x, src + 3 * x, std::min(1.0, n * step));
    }
}

void TbsEffectBmp::LeftSlide(const TbsEffectBmp& b, double k)
{
    if (!sameSize(b) || width_ == 0)
        return;
    const int n = std::max(1, std::min(roundHalfEven(width_ * k), width_ - 1));
    for (int y = 0; y < height_; ++y)
        std::memcpy(row(y), b.row(y) + 3 * (width_ - n), std::size_t(n) * 3);
}

void TbsEffectBmp::RightSlide(const TbsEffectBmp& b, double k)
{
    if (!sameSize(b) || width_ == 0)
        return;
    const int n = std::max(1, std::min(roundHalfEven(width_ * k), width_ - 1));
    for (int y = 0; y < height_; ++y)
        std::memcpy(row(y) + 3 * (width_ - n), b.row(y), std::size_t(n) * 3);
}

void TbsEffectBmp::Push(const TbsEffectBmp& b, double k)
{
    if (!sameSize(b) || width_ == 0)
        return;
    const int w = width_;
    const int a = std::max(0, std::min(roundHalfEven(w * k), w - 1));
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* dst = row(y);
        // Right to left, so every source column is read before it is overwritten.
        for (int x = w - 1; x >= a; --x) {
            const int from = std::max(0, x - a - 1);
            std::memmove(dst + 3 * x, dst + 3 * from, 3);
        }
        const std::uint8_t* src = b.row(y);
        for (int x = 0; x <= a; ++x)
            std::memcpy(dst + 3 * x, src + 3 * std::min(w - 1, w - a - 1 + x), 3);
    }
}

void TbsEffectBmp::Morph(TbsMorphKind kind, const TbsEffectBmp& b, double k)
{
    switch (kind) {
    case TbsMorphKind::mkGradient:
        CentreGradient(b, k);
        break;
    case TbsMorphKind::mkLeftGradient:
        LeftGradient(b, k);
        break;
    case TbsMorphKind::mkRightGradient:
        RightGradient(b, k);
        break;
    case TbsMorphKind::mkLeftSlide:
        LeftSlide(b, k);
        break;
    case TbsMorphKind::mkRightSlide:
        RightSlide(b, k);
        break;
    case TbsMorphKind::mkPush:
        Push(b, k);
        break;
    default:
        Blend(b, k);
        break;
    }
}

void TbsEffectBmp::Brightness(double k)
{
    k = clamp01(k);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = row(y);
        for (int i = 0; i < width_ * 3; ++i)
            p[i] = toChannel((1.0 - k) * p[i] + 255.0 * k);
    }
}

void TbsEffectBmp::Darkness(double k)
{
    k = clamp01(k);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = row(y);
        for (int i = 0; i < width_ * 3; ++i)
            p[i] = toChannel((1.0 - k) * p[i]);
    }
}

void TbsEffectBmp::Grayscale()
{
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = row(y);
        for (int x = 0; x < width_; ++x) {
            std::uint8_t* px = p + 3 * x;
            const std::uint8_t g = toChannel(0.3 * px[2] + 0.59 * px[1] + 0.11 * px[0]);
            px[0] = px[1] = px[2] = g;
        }
    }
}

void TbsEffectBmp::Noise(int amount)
{
    if (amount <= 0)
        return; // no range to draw from
    auto* random = QRandomGenerator::global();
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = row(y);
        for (int x = 0; x < width_; ++x) {
            const int r = int(random->bounded(amount)) - amount / 2;
            for (int c = 0; c < 3; ++c)
                p[3 * x + c] = toChannel(double(p[3 * x + c]) + r);
        }
    }
}

void TbsEffectBmp::SplitBlur(int amount)
{
    if (amount == 0)
        return;
    // Pixels are written back at once: later pixels see their already blurred neighbours.
    for (int i = 0; i < height_; ++i) {
        const int up = i - amount >= 0 && i - amount < height_ ? i - amount : i;
        const int down = i + amount >= 0 && i + amount < height_ ? i + amount : i;
        for (int j = 0; j < width_; ++j) {
            const int left = j - amount >= 0 && j - amount < width_ ? j - amount : j;
            const int right = j + amount >= 0 && j + amount < width_ ? j + amount : j;
            std::uint8_t* px = row(i) + 3 * j;
            for (int c = 0; c < 3; ++c) {
                const int sum = row(up)[3 * left + c] + row(up)[3 * right + c] + row(down)[3 * left + c]
                              + row(down)[3 * right + c];
                px[c] = std::uint8_t(sum / 4);
            }
        }
    }
}

void TbsEffectBmp::Invert()
{
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = row(y);
        for (int i = 0; i < width_ * 3; ++i)
            p[i] = std::uint8_t(255 - p[i]);
    }
}

void TbsEffectBmp::ApplyInactiveEffect(TbsInactiveEffect effect)
{
    switch (effect) {
    case TbsInactiveEffect::ieDarkness:
        Darkness(0.3);
        break;
    case TbsInactiveEffect::ieGrayscale:
        Grayscale();
        break;
    case TbsInactiveEffect::ieNoise:
        Noise(50);
        break;
    case TbsInactiveEffect::ieSplitBlur:
        SplitBlur(1);
        break;
    case TbsInactiveEffect::ieInvert:
        Invert();
        break;
    default:
        Brightness(0.5);
        break;
    }
}
