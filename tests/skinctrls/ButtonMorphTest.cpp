// The button's fade between its normal and hot image: tick counts of the 20 ms timer.
#include "FixtureSkin.h"
#include "TbsSkinButton.h"

#include <QEnterEvent>
#include <QApplication>
#include <gtest/gtest.h>

TEST(ButtonMorph, FadeInTakesTwelveTicksAndFadeOutEleven)
{
    struct Form : TComponent {
        TbsSkinData* skin = fixture::loadSkin(this, fixture::skinText("morphing=1\r\nmorphkind=0\r\n"));
    } form;
    QWidget window;
    TbsSkinButton button(&window, &form);
    button.setSkinData(form.skin);
    window.show();

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    ASSERT_TRUE(button.morphTimerActive());
    int ticks = 0;
    while (button.morphTimerActive() && ticks < 50) {
        button.MorphTimerTick();
        ++ticks;
        if (ticks == 11)
            EXPECT_GT(button.MorphFactor(), 1.0);  // 1.0999..., already shown as the hot image
    }
    EXPECT_EQ(ticks, 12);
    EXPECT_EQ(button.MorphFactor(), 1.0);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    ticks = 0;
    while (button.morphTimerActive() && ticks < 50) {
        button.MorphTimerTick();
        ++ticks;
    }
    EXPECT_EQ(button.MorphFactor(), 0.0);
    EXPECT_EQ(ticks, 12);
}
