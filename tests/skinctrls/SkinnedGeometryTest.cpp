// The controls fitted to a skin with the main window's geometry: sizes, fitted rects and the
// pixels they compose.
#include "FixtureSkin.h"
#include "TbsSkinButton.h"
#include "TbsSkinEdit.h"
#include "TbsSkinGauge.h"
#include "TbsSkinMonthCalendar.h"
#include "TbsSkinPanel.h"
#include "TbsSkinSpeedButton.h"
#include "TbsSkinStdLabel.h"

#include <gtest/gtest.h>

using fixture::at;

namespace {
struct Form : TComponent {
    TbsSkinData* skin = fixture::loadSkin(this);
    QWidget window;
};
}  // namespace

TEST(SkinnedGeometry, ButtonBecomesSkinHeightAndCentresItsCaptionInTheFittedClientRect)
{
    Form f;
    TbsSkinButton button(&f.window, &f);
    button.SetBounds(0, 0, 75, 25);
    EXPECT_EQ(button.size(), QSize(75, 25));
    button.setSkinData(f.skin);
    EXPECT_TRUE(button.isSkinned());
    EXPECT_EQ(button.size(), QSize(75, 21));
    EXPECT_EQ(button.fittedClientRect(), SkinRect(2, 2, 73, 19));
    // Resizing keeps the skin height.
    button.SetBounds(0, 0, 90, 30);
    EXPECT_EQ(button.size(), QSize(90, 21));
}

TEST(SkinnedGeometry, ButtonEditBecomes105By21WithTextRectAndButtonPlace)
{
    Form f;
    TbsSkinEdit edit(&f.window, &f);
    edit.setSkinDataName(QStringLiteral("buttonedit"));
    edit.setButtonMode(true);
    edit.setGeometry(0, 0, 105, 20);
    edit.setSkinData(f.skin);
    EXPECT_EQ(edit.size(), QSize(105, 21));
    const EditGeometry g = edit.geometryNow();
    EXPECT_EQ(g.textRect, SkinRect(3, 3, 84, 18));
    EXPECT_EQ(g.buttonPlace, SkinRect(86, 3, 102, 18));
    EXPECT_EQ(edit.nativeEdit()->geometry(), QRect(3, 3, 81, 15));
    // The face: the section's left end, and its right end at the right edge.
    const QImage face = edit.renderFace();
    EXPECT_EQ(face.pixel(0, 0), at(0, 60));
    EXPECT_EQ(face.pixel(104, 20), at(56, 80));
    // Text in the skin's font height and colour.
    EXPECT_EQ(edit.nativeEdit()->palette().color(QPalette::Inactive, QPalette::Text), QColor(0, 0, 0));
}

TEST(SkinnedGeometry, GaugeFillsHalfOf374PixelsWithNineteenTiles)
{
    Form f;
    TbsSkinGauge gauge(&f.window, &f);
    gauge.SetBounds(1, 197, 374, 21);
    gauge.setSkinData(f.skin);
    EXPECT_EQ(gauge.size(), QSize(374, 14));
    EXPECT_EQ(gauge.fittedProgressArea(), SkinRect(2, 2, 373, 13));
    const QImage face = gauge.renderFace();
    // Filled rect (2, 2, 188, 13): 186 columns = 18 full tiles of 10 and one of 6.
    for (int k = 0; k < 18; ++k)
        EXPECT_EQ(face.pixel(2 + 10 * k, 5), at(90, 33)) << "tile " << k;
    EXPECT_EQ(face.pixel(182, 5), at(90, 33));
    EXPECT_EQ(face.pixel(187, 5), at(95, 33));
    // Right of the filled rect: the gauge's own image (its tiled middle).
    const QRgb beyond = face.pixel(188, 5);
    EXPECT_EQ(qGreen(beyond), 35);
    EXPECT_GE(qRed(beyond), 62);
    EXPECT_LT(qRed(beyond), 78);
}

TEST(SkinnedGeometry, PanelTopEdgeTilesAcrossTheMainWindowWidth)
{
    Form f;
    TbsSkinPanel panel(&f.window, &f);
    panel.SetBounds(0, 0, 378, 219);
    panel.setSkinData(f.skin);
    EXPECT_EQ(panel.ClientArea(), QRect(2, 2, 374, 215));
    const QImage face = panel.renderFace();
    EXPECT_EQ(face.pixel(5 + 48 * 7, 0), at(5, 0));
    EXPECT_EQ(face.pixel(371, 0), at(35, 0));
    EXPECT_EQ(face.pixel(372, 0), at(53, 0));
}

TEST(SkinnedGeometry, CalendarOf236By177HasItsClientAreaAnd32PixelColumns)
{
    Form f;
    TbsSkinMonthCalendar calendar(&f.window, &f);
    calendar.resize(236, 177);
    calendar.setSkinData(f.skin);
    EXPECT_EQ(calendar.calendarArea(), QRect(2, 2, 232, 173));
    EXPECT_EQ(calendar.columnWidth(), 32);
    EXPECT_EQ(calendar.priorYearButton()->pos(), QPoint(3, 3));
    EXPECT_EQ(calendar.priorMonthButton()->pos(), QPoint(24, 3));
    EXPECT_EQ(calendar.nextYearButton()->pos(), QPoint(213, 3));
    EXPECT_EQ(calendar.nextMonthButton()->pos(), QPoint(192, 3));
    EXPECT_TRUE(calendar.nextYearButton()->isSkinned());
    EXPECT_EQ(calendar.nextYearButton()->height(), 21);
}

TEST(SkinnedGeometry, ControlsFallBackToTheirDefaultsBetweenSkinMessages)
{
    Form f;
    TbsSkinButton button(&f.window, &f);
    button.setSkinData(f.skin);
    ASSERT_TRUE(button.isSkinned());
    button.ResetSkinSection();
    EXPECT_FALSE(button.isSkinned());
    button.ApplySkin();
    EXPECT_TRUE(button.isSkinned());
}

TEST(SkinnedGeometry, LabelTakesTheSkinFontButKeepsItsOwnWhenAskedTo)
{
    Form f;
    TbsSkinStdLabel label(&f.window, &f);
    label.setFont(QFont(QStringLiteral("Liberation Serif"), 30));
    label.setSkinData(f.skin);
    ASSERT_TRUE(label.isSkinned());
    EXPECT_LT(label.effectiveFont().pixelSize(), 20);
    EXPECT_NE(label.effectiveFont().family(), QStringLiteral("Liberation Serif"));
    label.setUseSkinFont(false);
    EXPECT_EQ(label.effectiveFont().family(), QStringLiteral("Liberation Serif"));
}
