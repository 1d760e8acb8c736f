// The system menu and the caption buttons used the way a user uses them, with every event
// delivered to the top-level window (FrameInput.h): the menu opened by the system-menu
// button or a right click on the caption and closed, five times over, by each way a menu
// closes. Two forms: one with a skin-message receiver of its own registered before the
// frame's (as the main window has) and the focus on a child edit, and one with neither (as
// the skin viewer's window).
#include "FrameInput.h"
#include "SystemMenuJourney.h"
#include "SkinFixtures.h"
#include "SkinMessages.h"
#include "SkinObjectData.h"
#include "TbsSkinButtonObject.h"
#include "TbsSkinForms.h"
#include "TbsSkinFrame.h"
#include "TbsSkinMenu.h"
#include "TbsSkinMenuItem.h"
#include "TbsSkinPopupWindow.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>

namespace {

using namespace frameinput;

constexpr int kTimeout = 20000;

class Form : public QWidget, public TComponent, public ISkinMessageTarget {
public:
    explicit Form(bool ownReceiver) : QWidget(nullptr), TComponent(nullptr)
    {
        if (ownReceiver)
            TbsSkinForms::add(this, this);
    }
    ~Form() override { TbsSkinForms::remove(this); }
    void skinMessage(int message, TbsSkinData*, int) override
    {
        if (message == WM_CLOSESKINMENU)
            ++closeMessages;
    }
    int closeMessages = 0;
};

struct FormKind {
    const char* skin; // "" for the plain default frame
    bool mainWindowLike;
};

struct MenuJourney : ::testing::TestWithParam<FormKind> {
    Form form{GetParam().mainWindowLike};
    TbsSkinFrame* frame = new TbsSkinFrame(&form, &form);
    QLineEdit* edit = nullptr;
    int openEvents = 0, closeEvents = 0;

    void SetUp() override
    {
        QCursor::setPos(990, 690);
        frame->setWorkAreaProvider([](bool) { return QRect(0, 0, 1000, 700); });
        frame->setCursorProbe(cursorProbe(&form));
        frame->OnSkinMenuOpen = [this](QObject*) { ++openEvents; };
        frame->OnSkinMenuClose = [this](QObject*) { ++closeEvents; };
        form.setGeometry(100, 100, 300, 220);
        if (*GetParam().skin)
            frame->setSkinData(skins::load(&form, GetParam().skin));
        if (GetParam().mainWindowLike) {
            edit = new QLineEdit(&form);
            edit->setGeometry(form.contentsRect().left() + 10, form.contentsRect().top() + 10, 100, 20);
        }
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        if (edit) {
            edit->setFocus();
            ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }, kTimeout));
        }
        frame->RebuildFrame(); // the plain frame makes its default buttons on its first paint
        enter(&form);
    }
    void TearDown() override { frame->skinMenu()->CloseAll(); }

    TbsSkinMenu& menu() { return *frame->skinMenu(); }
    TbsSkinButtonObject* sysButton() { return dynamic_cast<TbsSkinButtonObject*>(frame->objectByName("sysmenubutton")); }
    QPoint centreOf(const char* name) { return frame->objectByName(name)->ObjectRect.toQRect().center(); }
};

TEST_P(MenuJourney, EveryWayOfClosingEndsMenuModeAndTellsFrameAndForm)
{
    for (Opener opener : {Opener::SystemMenuButton, Opener::RightClickOnCaption})
        for (CloseBy way : {CloseBy::Escape, CloseBy::ClickOutside, CloseBy::CommandChosen, CloseBy::ButtonAgain,
                            CloseBy::CommandKey}) {
            if (way == CloseBy::ButtonAgain && opener != Opener::SystemMenuButton)
                continue;
            SCOPED_TRACE(std::string(opener == Opener::SystemMenuButton ? "button, " : "right click, ") + nameOf(way));
            for (int round = 1; round <= 5; ++round) {
                SCOPED_TRACE(round);
                const int opened = openEvents, closed = closeEvents, messages = form.closeMessages;
                const bool rolledUp = frame->RolledUp();
                const SystemMenuJourney journey{&form, frame};
                journey.open(opener);
                ASSERT_TRUE(menu().Visible());
                EXPECT_TRUE(frame->inMenuMode());
                EXPECT_EQ(openEvents, opened + 1);
                EXPECT_EQ(sysButton()->Pressed(), opener == Opener::SystemMenuButton);
                ASSERT_TRUE(journey.close(way));
                EXPECT_FALSE(menu().Visible());
                EXPECT_FALSE(frame->inMenuMode());
                EXPECT_FALSE(sysButton()->Pressed());
                EXPECT_EQ(closeEvents, closed + 1);
                if (GetParam().mainWindowLike) {
                    EXPECT_EQ(form.closeMessages, messages + 1);
                }
                const bool commandRan = way == CloseBy::CommandChosen || way == CloseBy::CommandKey;
                EXPECT_EQ(frame->RolledUp(), commandRan ? !rolledUp : rolledUp);
                if (::testing::Test::HasFatalFailure())
                    return;
            }
            if (frame->RolledUp())
                frame->SetRolledUp(false);
        }
    // The keys reach the form's widgets again once the menu is gone.
    if (edit) {
        key(&form, 'x');
        EXPECT_EQ(edit->text(), QStringLiteral("x"));
    }
}

TEST_P(MenuJourney, CaptionButtonPressedDraggedOffAndReleasedOutsideRunsNothing)
{
    TbsSkinButtonObject* maxButton = dynamic_cast<TbsSkinButtonObject*>(frame->objectByName("maxbutton"));
    ASSERT_NE(maxButton, nullptr);
    const QPoint centre = centreOf("maxbutton");
    move(&form, centre);
    EXPECT_TRUE(maxButton->MouseIn);
    press(&form, centre);
    EXPECT_TRUE(maxButton->Pressed());
    // Dragged off into the client area, released outside the window: the grab brings the
    // release back to the form.
    move(&form, form.contentsRect().center());
    EXPECT_FALSE(maxButton->MouseIn) << "left at once, not at the next hover-timer tick";
    release(&form, QPoint(-30, -30));
    EXPECT_FALSE(maxButton->Pressed());
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Normal);
    EXPECT_EQ(frame->pressedIndex(), -1);
    // A plain click still maximizes.
    move(&form, centre);
    click(&form, centre);
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Maximized);
}

INSTANTIATE_TEST_SUITE_P(Forms, MenuJourney,
                         ::testing::Values(FormKind{"compressed", true}, FormKind{"stored", false},
                                           FormKind{"", true}, FormKind{"", false}),
                         [](const auto& info) {
                             return std::string(*info.param.skin ? info.param.skin : "plain")
                                    + (info.param.mainWindowLike ? "MainWindowLike" : "ViewerLike");
                         });

// What the user sees: the window's backing store, which only a repaint changes.
QImage shownOnScreen(QWidget& form) { return form.screen()->grabWindow(form.winId()).toImage(); }

TEST(DefaultCaptionButtons, HoverDrawsTheNavyBorderAtOnceAndLeavingTakesItAway)
{
    Form form(false);
    auto* frame = new TbsSkinFrame(&form, &form);
    form.setGeometry(100, 100, 300, 220);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    frame->setCursorProbe(cursorProbe(&form));
    frame->RebuildFrame();
    enter(&form);
    QTest::qWait(50);
    for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
        SCOPED_TRACE(name);
        const QRect r = frame->objectByName(name)->ObjectRect.toQRect();
        const QColor navy(0x00, 0x00, 0x80);
        EXPECT_NE(shownOnScreen(form).pixelColor(r.topLeft()), navy);
        move(&form, r.center());
        ASSERT_TRUE(frame->objectByName(name)->MouseIn);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownOnScreen(form).pixelColor(r.topLeft()) == navy; }, kTimeout));
        EXPECT_EQ(shownOnScreen(form).pixelColor(r.center() + QPoint(0, r.height() / 2 - 1)).rgb(),
                  QColor(0xB6, 0xBD, 0xD2).rgb());
        move(&form, form.contentsRect().center());
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownOnScreen(form).pixelColor(r.topLeft()) != navy; }, kTimeout));
    }
}

// The stored skin's menu item made to morph: the highlight blends in and out on the window's
// own 20 ms timer.
struct MorphingMenu : ::testing::Test {
    Form form{false};
    TbsSkinFrame* frame = new TbsSkinFrame(&form, &form);

    void SetUp() override
    {
        frame->setWorkAreaProvider([](bool) { return QRect(0, 0, 1000, 700); });
        frame->setCursorProbe([] { return std::optional<QPoint>(); });
        TbsSkinData* skin = skins::load(&form, "stored");
        for (const auto& o : skin->ObjectDataList())
            if (auto* item = dynamic_cast<TbsDataSkinMenuItem*>(o.get()))
                item->Morphing = true;
        frame->setSkinData(skin);
        form.setGeometry(100, 100, 300, 220);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        enter(&form);
        click(&form, {150, 12}, Qt::RightButton);
        ASSERT_TRUE(frame->skinMenu()->Visible());
    }
    void TearDown() override { frame->skinMenu()->CloseAll(); }
    TbsSkinPopupWindow* popup() { return frame->skinMenu()->window(0); }
};

TEST_F(MorphingMenu, TheHighlightBlendsInAndOut)
{
    const TbsSkinMenuItem& first = *popup()->Items()[0];
    const TbsSkinMenuItem& second = *popup()->Items()[1];
    ASSERT_TRUE(first.Active);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.MorphKf == 1.0; }, kTimeout));
    key(&form, Qt::Key_Down);
    ASSERT_TRUE(second.Active);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.MorphKf == 0.0 && second.MorphKf == 1.0; }, kTimeout));
}

TEST_F(MorphingMenu, ElevenTicksFromTheNormalToTheActiveImageThenTheTimerStops)
{
    const TbsSkinMenuItem& first = *popup()->Items()[0];
    EXPECT_TRUE(popup()->MorphTimer().isActive());
    EXPECT_EQ(popup()->MorphTimer().interval(), 20);
    popup()->MorphTimer().stop();
    int ticks = 0;
    while (first.MorphKf < 1.0 && ticks < 20) {
        popup()->morphTick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 11);
    popup()->morphTick(); // nothing left to step
    EXPECT_FALSE(popup()->MorphTimer().isActive());
}

// The frame's item defaults reach its menus; a skinned item font keeps all of its style.
TEST(MenuFonts, DefaultItemHeightAndFontOfTheFrameAndTheSkinsFontStyle)
{
    Form form(false);
    auto* frame = new TbsSkinFrame(&form, &form);
    frame->setWorkAreaProvider([](bool) { return QRect(0, 0, 1000, 700); });
    frame->setCursorProbe([] { return std::optional<QPoint>(); });
    form.setGeometry(100, 100, 300, 220);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    frame->setDefMenuItemHeight(26);
    frame->DefMenuItemFont.setPixelSize(17);
    frame->DefMenuItemFont.setItalic(true);
    click(&form, {150, 10}, Qt::RightButton);
    ASSERT_TRUE(frame->skinMenu()->Visible());
    TbsSkinPopupWindow* popup = frame->skinMenu()->window(0);
    EXPECT_EQ(popup->Items()[0]->ItemRect.height(), 26);
    EXPECT_EQ(popup->font().pixelSize(), 17);
    EXPECT_TRUE(popup->font().italic());
    key(&form, Qt::Key_Escape);
    ASSERT_FALSE(frame->skinMenu()->Visible());

    TbsSkinData* skin = skins::load(&form, "stored");
    for (const auto& o : skin->ObjectDataList())
        if (auto* item = dynamic_cast<TbsDataSkinMenuItem*>(o.get())) {
            item->FontStyle.Underline = true;
            item->FontStyle.StrikeOut = true;
        }
    frame->setSkinData(skin);
    click(&form, {150, 12}, Qt::RightButton);
    ASSERT_TRUE(frame->skinMenu()->Visible());
    popup = frame->skinMenu()->window(0);
    EXPECT_TRUE(popup->font().underline());
    EXPECT_TRUE(popup->font().strikeOut());
    frame->skinMenu()->CloseAll();
}

}
