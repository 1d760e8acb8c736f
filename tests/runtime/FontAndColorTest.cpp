#include "FontMapper.h"
#include "SystemColors.h"
#include "TestQtApp.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

TEST(FontMapper, SubstitutesTheFormsFaces)
{
    const std::vector<std::pair<QString, QString>> cases{
        {"Arial", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {QString::fromUtf8("新細明體"), "AR PL UMing TW"},
        {QString::fromUtf8("標楷體"), "AR PL UKai TW"},
        {QString::fromUtf8("宋体"), "AR PL UMing TW"},
        {"DejaVu Serif", "DejaVu Serif"},  // unknown names pass through
    };
    for (const auto& [from, to] : cases)
        EXPECT_EQ(FontMapper::substituteFace(from), to) << from.toStdString();

    // Bytes: CP950 names and the skins' GBK name.
    EXPECT_EQ(FontMapper::substituteFaceBytes("\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9"), "AR PL UMing TW");
    EXPECT_EQ(FontMapper::substituteFaceBytes("\xBC\xD0\xB7\xA2\xC5\xE9"), "AR PL UKai TW");
    EXPECT_EQ(FontMapper::substituteFaceBytes("\xCB\xCE\xCC\xE5"), "AR PL UMing TW");
    EXPECT_EQ(FontMapper::substituteFaceBytes("Arial"), "Liberation Sans");
}

TEST(FontMapper, HeightRule)
{
    testQtApp();
    // Negative: the character height is the pixel size.
    const QFont kai = FontMapper::makeFont(QString::fromUtf8("標楷體"), -16);
    EXPECT_EQ(kai.family(), "AR PL UKai TW");
    EXPECT_EQ(kai.pixelSize(), 16);
    EXPECT_EQ(FontMapper::makeFont("MS Sans Serif", -11).pixelSize(), 11);

    // Positive: the cell height (ascent + descent) is the given height.
    for (int height : {14, 15, 17, 40}) {
        const QFont arial = FontMapper::makeFont("Arial", height);
        ASSERT_EQ(QFontInfo(arial).family(), "Liberation Sans");
        EXPECT_LT(arial.pixelSize(), height);
        const QFontMetricsF metrics(arial);
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), height, 1.0) << height;
    }
    // Liberation Sans: cell = 2288/2048 em, so 17 -> 15.2 -> 15 and 15 -> 13.4 -> 13.
    EXPECT_EQ(FontMapper::makeFont("Arial", 17).pixelSize(), 15);
    EXPECT_EQ(FontMapper::makeFont("Arial", 15).pixelSize(), 13);
    EXPECT_EQ(FontMapper::pixelSizeForHeight("Liberation Sans", 0), 0);
}

TEST(SystemColors, ClassicStandardScheme)
{
    struct Case {
        SystemColor color;
        std::uint32_t bgr;
        QColor rgb;
    };
    const std::vector<Case> cases{
        {SystemColor::ButtonFace, 0x00C8D0D4, QColor(212, 208, 200)},
        {SystemColor::ButtonShadow, 0x00808080, QColor(128, 128, 128)},
        {SystemColor::ButtonHighlight, 0x00FFFFFF, QColor(255, 255, 255)},
        {SystemColor::ButtonText, 0x00000000, QColor(0, 0, 0)},
        {SystemColor::Light3D, 0x00C8D0D4, QColor(212, 208, 200)},
        {SystemColor::DarkShadow3D, 0x00404040, QColor(64, 64, 64)},
        {SystemColor::Window, 0x00FFFFFF, QColor(255, 255, 255)},
        {SystemColor::WindowText, 0x00000000, QColor(0, 0, 0)},
        {SystemColor::GrayText, 0x00808080, QColor(128, 128, 128)},
        {SystemColor::Highlight, 0x006A240A, QColor(10, 36, 106)},
        {SystemColor::HighlightText, 0x00FFFFFF, QColor(255, 255, 255)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SystemColors::value(c.color), c.bgr);
        EXPECT_EQ(SystemColors::color(c.color), c.rgb);
        EXPECT_EQ(SystemColors::fromColorValue(SystemColors::reference(c.color)), c.rgb);
    }
    // Skin colours are 0x00BBGGRR: 16711680 is pure blue.
    EXPECT_EQ(SystemColors::fromColorValue(16711680), QColor(0, 0, 255));
    EXPECT_EQ(SystemColors::toColorValue(QColor(1, 2, 3)), 0x00030201u);
    EXPECT_EQ(SystemColors::fromColorValue(0xFF0000FFu), QColor(0, 0, 0));
}
