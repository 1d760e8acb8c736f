// The button's fade between its normal and hot image: tick counts of the 20 ms timer, and the
// skin's transition of each morph kind in the painted mid-fade image. The pointer comes and
// goes through the top-level window; the ticks are run by hand.
#include "FixtureSkin.h"
#include "MorphBlend.h"
#include "TbsEffectBmp.h"
#include "TbsSkinButton.h"
#include "TbsSkinSpeedButton.h"
#include "WindowInput.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QPoint awayFromTheButton(250, 180);

// Shows the window with the keyboard focus on another control: a focused button looks hot.
void showAt(QWidget& window, QWidget& button)
{
    window.resize(300, 200);
    button.move(10, 10);
    auto* elsewhere = new QWidget(&window);
    elsewhere->setGeometry(200, 10, 20, 20);
    elsewhere->setFocusPolicy(Qt::StrongFocus);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    elsewhere->setFocus();
    WindowInput::move(&window, awayFromTheButton);
    button.update();
    QApplication::processEvents();
}

}  // namespace

TEST(ButtonMorph, FadeInTakesTwelveTicksAndFadeOutEleven)
{
    struct Form : TComponent {
        TbsSkinData* skin = fixture::loadSkin(this, fixture::skinText("morphing=1\r\nmorphkind=mkdefault\r\n"));
    } form;
    QWidget window;
    TbsSkinButton button(&window, &form);
    button.setSkinData(form.skin);
    showAt(window, button);
    WindowInput::move(&button);
    ASSERT_TRUE(button.morphTimerActive());
    int ticks = 0;
    while (button.morphTimerActive() && ticks < 50) {
        button.MorphTimerTick();
        ++ticks;
        if (ticks == 11) {
            EXPECT_GT(button.MorphFactor(), 1.0);  // 1.0999..., already shown as the hot image
        }
    }
    EXPECT_EQ(ticks, 12);
    EXPECT_EQ(button.MorphFactor(), 1.0);

    WindowInput::move(&window, awayFromTheButton);
    ticks = 0;
    while (button.morphTimerActive() && ticks < 50) {
        button.MorphTimerTick();
        ++ticks;
    }
    EXPECT_EQ(button.MorphFactor(), 0.0);
    EXPECT_EQ(ticks, 12);
}

// The speed button (no focus) fades with the same steps on the mouse alone.
TEST(ButtonMorph, SpeedButtonFadesInTwelveTicksOnTheMouse)
{
    struct Form : TComponent {
        TbsSkinData* skin = fixture::loadSkin(this, fixture::skinText("morphing=1\r\nmorphkind=mkdefault\r\n"));
    } form;
    QWidget window;
    TbsSkinSpeedButton button(&window, &form);
    button.setSkinDataName(QStringLiteral("button"));
    button.setSkinData(form.skin);
    showAt(window, button);
    WindowInput::move(&button);
    ASSERT_TRUE(button.morphTimerActive());
    int ticks = 0;
    for (; button.morphTimerActive() && ticks < 50; ++ticks)
        button.MorphTimerTick();
    EXPECT_EQ(ticks, 12);
    EXPECT_EQ(button.MorphFactor(), 1.0);
    WindowInput::move(&window, awayFromTheButton);
    ASSERT_TRUE(button.morphTimerActive());
    for (ticks = 0; button.morphTimerActive() && ticks < 50; ++ticks)
        button.MorphTimerTick();
    EXPECT_EQ(ticks, 12);
    EXPECT_EQ(button.MorphFactor(), 0.0);
}

namespace {

QImage painted(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

// The hot image comes from another place of the picture than the normal one, so every kind
// gives a mid-fade image of its own.
TEST(ButtonMorph, MidFadeImageIsTheSkinsTransitionOfTheMorphKind)
{
    const struct {
        const char* word;
        TbsMorphKind kind;
    } kinds[] = {{"mkdefault", TbsMorphKind::mkDefault},
                 {"mkgradient", TbsMorphKind::mkGradient},
                 {"mkleftgradient", TbsMorphKind::mkLeftGradient},
                 {"mkleftslide", TbsMorphKind::mkLeftSlide},
                 {"mkpush", TbsMorphKind::mkPush}};
    for (const auto& c : kinds) {
        SCOPED_TRACE(c.word);
        struct Form : TComponent {
            explicit Form(const std::string& word)
                : skin(fixture::loadSkin(this, fixture::skinText("morphing=1\r\nmorphkind=" + word
                                                                 + "\r\nactiveskinrect=100,0,124,21\r\n")))
            {
            }
            TbsSkinData* skin;
        } form(c.word);
        QWidget window;
        TbsSkinButton button(&window, &form);
        button.setSkinData(form.skin);
        showAt(window, button);
        const QImage normal = painted(button);

        WindowInput::move(&button);
        for (int i = 0; i < 4; ++i)
            button.MorphTimerTick();
        const double k = button.MorphFactor();
        ASSERT_GT(k, 0.0);
        ASSERT_LT(k, 1.0);
        const QImage mid = painted(button);
        while (button.morphTimerActive())
            button.MorphTimerTick();
        const QImage hot = painted(button);
        ASSERT_NE(normal, hot);

        TbsEffectBmp expected(normal);
        expected.Morph(c.kind, TbsEffectBmp(hot), k);
        EXPECT_EQ(mid, expected.toImage());
        EXPECT_NE(mid, normal);
        EXPECT_NE(mid, hot);
    }
}

TEST(ButtonMorph, ImagesOfDifferentSizesLeaveTheNormalImage)
{
    QImage a(6, 4, QImage::Format_RGB32), b(7, 4, QImage::Format_RGB32);
    a.fill(qRgb(10, 20, 30));
    b.fill(qRgb(200, 100, 50));
    for (int kind : {0, 1, 6})
        EXPECT_EQ(morphBlend(a, b, 0.5, kind), a) << kind;
}
