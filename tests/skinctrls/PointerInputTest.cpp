// The pointer as the window system delivers it to the buttons and the memo: through the
// top-level window, with the pointer grab a pressed button holds (no enter or leave while the
// button is down).
#include "FixtureSkin.h"
#include "PaintRecorder.h"
#include "TbsSkinButton.h"
#include "TbsSkinMemo.h"
#include "TbsSkinSpeedButton.h"
#include "WindowInput.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct ButtonKind {
    const char* name;
    bool speed;
    bool repeat;
};

}  // namespace

// Press, drag off and back on and off again, release outside: no click; the button is drawn up
// while the pointer is off it and down while it is on it, and the repeat ticks pause outside.
TEST(PointerInput, PressedButtonsFollowThePointerAndGiveNoClickWhenReleasedOutside)
{
    const ButtonKind kinds[] = {{"push button", false, false},
                                {"push button in repeat mode", false, true},
                                {"speed button in repeat mode", true, true}};
    for (const ButtonKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        QWidget window;
        window.resize(300, 200);
        QWidget* button = nullptr;
        int clicks = 0;
        std::function<bool()> isDown, isMouseIn, ticking;
        if (kind.speed) {
            auto* b = new TbsSkinSpeedButton(&window);
            b->setRepeatMode(kind.repeat);
            b->setRepeatInterval(10000);  // no tick during the test: only the timer's state counts
            b->OnClick = [&](QObject*) { ++clicks; };
            isDown = [b] { return b->Down(); };
            isMouseIn = [b] { return b->isMouseIn(); };
            ticking = [b] { return b->repeatTimerActive(); };
            button = b;
        } else {
            auto* b = new TbsSkinButton(&window);
            b->setRepeatMode(kind.repeat);
            b->setRepeatInterval(10000);
            b->OnClick = [&](QObject*) { ++clicks; };
            isDown = [b] { return b->Down(); };
            isMouseIn = [b] { return b->isMouseIn(); };
            ticking = [b] { return b->repeatTimerActive(); };
            button = b;
        }
        button->setGeometry(20, 20, 75, 25);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        PaintRecorder screen(button);
        const QPoint outside(200, 150);

        WindowInput::move(button);
        const QImage up = screen.lastPainted();
        WindowInput::press(button);
        ASSERT_TRUE(isDown());
        const QImage down = screen.lastPainted();
        ASSERT_NE(down, up);
        EXPECT_EQ(ticking(), kind.repeat);

        WindowInput::move(&window, outside);
        EXPECT_FALSE(isMouseIn());
        EXPECT_NE(screen.lastPainted(), down) << "drawn up while the pointer is off the button";
        EXPECT_FALSE(ticking());
        WindowInput::move(button);
        EXPECT_TRUE(isMouseIn());
        EXPECT_EQ(screen.lastPainted(), down) << "drawn down again when the pointer is back";
        EXPECT_EQ(ticking(), kind.repeat);

        WindowInput::move(&window, outside);
        WindowInput::release(&window, outside);
        EXPECT_EQ(clicks, 0);
        EXPECT_FALSE(isDown());
        EXPECT_FALSE(ticking());
        EXPECT_NE(screen.lastPainted(), down);
        // Over the button and off it again with no button held: never drawn down.
        WindowInput::move(button);
        WindowInput::move(&window, outside);
        EXPECT_NE(screen.lastPainted(), down);
        EXPECT_EQ(clicks, 0);

        // A click is a click.
        WindowInput::click(button);
        EXPECT_EQ(clicks, 1);
        EXPECT_FALSE(isDown());
    }
}

// A grouped speed button let go by another one of its group fades back from its hot image.
TEST(PointerInput, ASpeedButtonReleasedByItsGroupFadesBack)
{
    struct Form : TComponent {
        TbsSkinData* skin = fixture::loadSkin(this, fixture::skinText("morphing=1\r\nmorphkind=mkdefault\r\n"));
    } form;
    QWidget window;
    window.resize(300, 200);
    TbsSkinSpeedButton a(&window, &form), b(&window, &form);
    for (TbsSkinSpeedButton* button : {&a, &b}) {
        button->setSkinDataName(QStringLiteral("button"));
        button->setSkinData(form.skin);
        button->setGroupIndex(1);
    }
    a.move(10, 10);
    b.move(10, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    WindowInput::click(&a);
    ASSERT_TRUE(a.Down());
    WindowInput::move(&window, QPoint(250, 180));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !a.morphTimerActive(); }, 5000));
    WindowInput::click(&b);
    ASSERT_TRUE(b.Down());
    ASSERT_FALSE(a.Down());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !a.morphTimerActive() && a.MorphFactor() == 0.0; }, 5000))
        << "factor " << a.MorphFactor();
}

// A read-only memo takes no middle-button (selection) paste, as the read-only edit does not.
TEST(PointerInput, ReadOnlyMemoRefusesTheMiddleButtonPaste)
{
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard->supportsSelection())
        GTEST_SKIP() << "this platform has no selection clipboard";
    QWidget window;
    window.resize(300, 200);
    TbsSkinMemo memo(&window);
    memo.setGeometry(10, 10, 200, 100);
    memo.setReadOnly(true);
    memo.setText(QStringLiteral("kept"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    clipboard->setText(QStringLiteral("pasted"), QClipboard::Selection);
    WindowInput::click(&memo, QPoint(50, 50), Qt::MiddleButton);
    EXPECT_EQ(memo.Text(), QStringLiteral("kept"));
    memo.setReadOnly(false);
    WindowInput::click(&memo, QPoint(50, 50), Qt::MiddleButton);
    EXPECT_TRUE(memo.Text().contains(QStringLiteral("pasted"))) << "the paste works on a memo that can be edited";
}
