// The pixel effects: exact channel values with rounding halves to even and clamping, and the
// column arithmetic of the transitions.
#include "TbsEffectBmp.h"

#include <gtest/gtest.h>

namespace {

// A buffer whose pixel x of every row is the grey value of `columns[x]`.
TbsEffectBmp columns(const std::vector<int>& values, int height = 1)
{
    TbsEffectBmp bmp(int(values.size()), height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < int(values.size()); ++x)
            bmp.setPixel(x, y, qRgb(values[std::size_t(x)], values[std::size_t(x)], values[std::size_t(x)]));
    return bmp;
}

std::vector<int> greys(const TbsEffectBmp& bmp, int y = 0)
{
    std::vector<int> out;
    for (int x = 0; x < bmp.Width(); ++x)
        out.push_back(qRed(bmp.pixel(x, y)));
    return out;
}

TEST(EffectBmp, BufferLayout)
{
    QImage image(5, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(0, 0, qRgb(10, 20, 30));
    const TbsEffectBmp bmp(image);
    EXPECT_EQ(bmp.Width(), 5);
    EXPECT_EQ(bmp.Height(), 2);
    EXPECT_EQ(bmp.stride(), 16); // 15 bytes padded to 4
    EXPECT_EQ(bmp.row(0)[0], 30); // blue, green, red; first row is the top
    EXPECT_EQ(bmp.row(0)[1], 20);
    EXPECT_EQ(bmp.row(0)[2], 10);
    EXPECT_EQ(bmp.toImage().pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(0, 0), qRgb(10, 20, 30)); // the source is not changed
}

TEST(EffectBmp, SingleBufferEffects)
{
    struct Case {
        const char* name;
        std::function<void(TbsEffectBmp&)> effect;
        QRgb in;
        QRgb out;
    };
    const Case cases[] = {
        {"darkness 0.3 of 200", [](TbsEffectBmp& b) { b.Darkness(0.3); }, qRgb(200, 200, 200), qRgb(140, 140, 140)},
        {"brightness 0.5 of 0 (127.5 to even)", [](TbsEffectBmp& b) { b.Brightness(0.5); }, qRgb(0, 0, 0), qRgb(128, 128, 128)},
        {"brightness 0.5 of 255", [](TbsEffectBmp& b) { b.Brightness(0.5); }, qRgb(255, 255, 255), qRgb(255, 255, 255)},
        {"brightness 0.5 of 1 (128 exactly)", [](TbsEffectBmp& b) { b.Brightness(0.5); }, qRgb(1, 1, 1), qRgb(128, 128, 128)},
        {"brightness 0.5 of 2 (128.5 to even)", [](TbsEffectBmp& b) { b.Brightness(0.5); }, qRgb(2, 2, 2), qRgb(128, 128, 128)},
        {"brightness k clamped", [](TbsEffectBmp& b) { b.Brightness(3); }, qRgb(0, 10, 20), qRgb(255, 255, 255)},
        {"darkness k clamped", [](TbsEffectBmp& b) { b.Darkness(-1); }, qRgb(0, 10, 20), qRgb(0, 10, 20)},
        {"grayscale of red (76.5 to even)", [](TbsEffectBmp& b) { b.Grayscale(); }, qRgb(255, 0, 0), qRgb(76, 76, 76)},
        {"grayscale of white", [](TbsEffectBmp& b) { b.Grayscale(); }, qRgb(255, 255, 255), qRgb(255, 255, 255)},
        {"grayscale of green", [](TbsEffectBmp& b) { b.Grayscale(); }, qRgb(0, 100, 0), qRgb(59, 59, 59)},
        {"invert", [](TbsEffectBmp& b) { b.Invert(); }, qRgb(0, 100, 255), qRgb(255, 155, 0)},
        {"inactive darkness", [](TbsEffectBmp& b) { b.ApplyInactiveEffect(TbsInactiveEffect::ieDarkness); },
         qRgb(200, 100, 10), qRgb(140, 70, 7)},
        {"inactive invert", [](TbsEffectBmp& b) { b.ApplyInactiveEffect(TbsInactiveEffect::ieInvert); },
         qRgb(200, 100, 10), qRgb(55, 155, 245)},
    };
    for (const Case& c : cases) {
        TbsEffectBmp bmp(3, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                bmp.setPixel(x, y, c.in);
        c.effect(bmp);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(bmp.pixel(x, y), c.out) << c.name;
    }
}

TEST(EffectBmp, NoiseStaysInItsRange)
{
    TbsEffectBmp bmp = columns(std::vector<int>(200, 100), 5);
    bmp.Noise(50);
    int low = 255, high = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 200; ++x) {
            const QRgb p = bmp.pixel(x, y);
            EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)); // one r per pixel
            low = std::min(low, qRed(p));
            high = std::max(high, qRed(p));
        }
    EXPECT_GE(low, 75); // 100 + (0..49) - 25
    EXPECT_LE(high, 124);
    EXPECT_LT(low, high);
    TbsEffectBmp edge = columns({250, 3});
    for (int i = 0; i < 50; ++i)
        edge.Noise(50); // clamped, never wraps
    EXPECT_LE(qRed(edge.pixel(0, 0)), 255);
}

TEST(EffectBmp, SplitBlur)
{
    TbsEffectBmp one = columns({77});
    one.SplitBlur(1);
    EXPECT_EQ(greys(one), std::vector<int>{77});

    // 3 x 1: row neighbours fall outside, so rows are the pixel's own; in place left to right.
    TbsEffectBmp row = columns({0, 100, 201});
    row.SplitBlur(1);
    // x0: (p0 + p1) * 2 / 4 = 50; x1: (new p0 50 + p2 201) * 2 / 4 = 125; x2: (new p1 125 + p2 201) / 2 = 163
    EXPECT_EQ(greys(row), (std::vector<int>{50, 125, 163}));
    TbsEffectBmp none = columns({0, 100, 201});
    none.SplitBlur(0);
    EXPECT_EQ(greys(none), (std::vector<int>{0, 100, 201}));
}

struct TransitionCase {
    const char* name;
    void (TbsEffectBmp::*transition)(const TbsEffectBmp&, double);
    double k;
    std::vector<int> expected;
};

TEST(EffectBmp, Transitions)
{
    // A = 0 in every column, B = 10 * (x + 1): each result column tells where it came from.
    const std::vector<int> a(6, 0);
    const std::vector<int> b = {10, 20, 30, 40, 50, 60};
    const TransitionCase cases[] = {
        {"blend 0 leaves A", &TbsEffectBmp::Blend, 0.0, {0, 0, 0, 0, 0, 0}},
        {"blend 1 gives B", &TbsEffectBmp::Blend, 1.0, b},
        {"blend clamps k", &TbsEffectBmp::Blend, 7.0, b},
        {"blend 0.25 (2.5 and 12.5 to even)", &TbsEffectBmp::Blend, 0.25, {2, 5, 8, 10, 12, 15}},
        {"left slide 0 still one column", &TbsEffectBmp::LeftSlide, 0.0, {60, 0, 0, 0, 0, 0}},
        {"left slide 0.5", &TbsEffectBmp::LeftSlide, 0.5, {40, 50, 60, 0, 0, 0}},
        {"left slide 1 stops at W-1", &TbsEffectBmp::LeftSlide, 1.0, {20, 30, 40, 50, 60, 0}},
        {"right slide 0 still one column", &TbsEffectBmp::RightSlide, 0.0, {0, 0, 0, 0, 0, 10}},
        {"right slide 0.5", &TbsEffectBmp::RightSlide, 0.5, {0, 0, 0, 10, 20, 30}},
        {"left gradient 0.5", &TbsEffectBmp::LeftGradient, 0.5, {10, 13, 10, 0, 0, 0}},
        {"right gradient 0.5", &TbsEffectBmp::RightGradient, 0.5, {0, 0, 0, 13, 33, 60}},
        {"horizontal centre gradient 0.5", &TbsEffectBmp::HorizontalCentreGradient, 0.5, {0, 0, 30, 40, 50, 0}},
        {"horizontal centre gradient 0: B fades out from the centre column", &TbsEffectBmp::HorizontalCentreGradient, 0.0, {0, 7, 20, 40, 33, 20}},
    };
    for (const TransitionCase& c : cases) {
        TbsEffectBmp bmpA = columns(a, 2);
        const TbsEffectBmp bmpB = columns(b, 2);
        (bmpA.*c.transition)(bmpB, c.k);
        EXPECT_EQ(greys(bmpA, 0), c.expected) << c.name;
        EXPECT_EQ(greys(bmpA, 1), c.expected) << c.name;
    }
}

TEST(EffectBmp, PushShiftsAAndBringsBInFromTheLeft)
{
    const TbsEffectBmp b = columns({10, 20, 30, 40, 50, 60});
    TbsEffectBmp a0 = columns({1, 2, 3, 4, 5, 6});
    a0.Push(b, 0.0);
    EXPECT_EQ(greys(a0), (std::vector<int>{60, 1, 2, 3, 4, 5})); // shifted one right, B's last column first
    TbsEffectBmp a1 = columns({1, 2, 3, 4, 5, 6});
    a1.Push(b, 0.34); // a = round(2.04) = 2
    EXPECT_EQ(greys(a1), (std::vector<int>{40, 50, 60, 1, 2, 3}));
    TbsEffectBmp a2 = columns({1, 2, 3, 4, 5, 6});
    a2.Push(b, 1.0); // a = W - 1
    EXPECT_EQ(greys(a2), (std::vector<int>{10, 20, 30, 40, 50, 60}));
}

TEST(EffectBmp, VerticalCentreGradientAndDispatch)
{
    // 1 x 5 column: H = 5, k = 0.4: a = 2, b = 2, c = 1, d = 1, step 1; band rows 1..3.
    TbsEffectBmp a(1, 5);
    TbsEffectBmp b(1, 5);
    for (int y = 0; y < 5; ++y)
        b.setPixel(0, y, qRgb(100, 100, 100));
    a.VerticalCentreGradient(b, 0.4);
    std::vector<int> rows;
    for (int y = 0; y < 5; ++y)
        rows.push_back(qRed(a.pixel(0, y)));
    EXPECT_EQ(rows, (std::vector<int>{0, 100, 100, 100, 0}));

    // mkgradient picks the vertical form for a tall buffer.
    TbsEffectBmp viaMorph(1, 5);
    viaMorph.Morph(TbsMorphKind::mkGradient, b, 0.4);
    EXPECT_EQ(viaMorph.pixel(0, 0), a.pixel(0, 0));
    EXPECT_EQ(viaMorph.pixel(0, 2), a.pixel(0, 2));
}

TEST(EffectBmp, DifferentSizesLeaveAUnchanged)
{
    const TbsEffectBmp b = columns({10, 20, 30});
    for (auto kind : {TbsMorphKind::mkDefault, TbsMorphKind::mkGradient, TbsMorphKind::mkLeftGradient,
                      TbsMorphKind::mkRightGradient, TbsMorphKind::mkLeftSlide, TbsMorphKind::mkRightSlide,
                      TbsMorphKind::mkPush}) {
        TbsEffectBmp a = columns({1, 2});
        a.Morph(kind, b, 0.5);
        EXPECT_EQ(greys(a), (std::vector<int>{1, 2})) << int(kind);
    }
}

} // namespace
