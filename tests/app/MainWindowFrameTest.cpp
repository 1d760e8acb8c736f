// The real main window's frame used as a user uses it, every event delivered to the window
// (the frame's FrameInput.h): the system menu opened and closed five times by each way a
// menu closes, and a caption button pressed, dragged off and released outside.

#include "AppTestSupport.h"

#include "../skinframe/SystemMenuJourney.h"
#include "TbsSkinButtonObject.h"
#include "TbsSkinEdit.h"
#include "TbsSkinFrame.h"
#include "Tfrmcust_prod.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace frameinput;

class MainWindowFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testQtApp();
        fixture_ = new AppTestDir;
        database_ = fixture_->createDatabase("frame.fdb");
    }
    static void TearDownTestSuite()
    {
        delete fixture_;
        fixture_ = nullptr;
    }
    void SetUp() override
    {
        QCursor::setPos(1000, 760);
        fixture_->writeDrivers();
        fixture_->writeConnection(database_);
        fixture_->useAsExeDir();
        window_ = std::make_unique<Tfrmcust_prod>();
        frame_ = window_->findChild<TbsSkinFrame*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(frame_, nullptr);
        frame_->setCursorProbe(cursorProbe(window_.get()));
        frame_->OnSkinMenuOpen = [this](QObject*) { ++openEvents_; };
        frame_->OnSkinMenuClose = [this](QObject*) { ++closeEvents_; };
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        window_->CUST1->nativeEdit()->setFocus();
        enter(window_.get());
    }
    void TearDown() override { frame_->skinMenu()->CloseAll(); }

    static AppTestDir* fixture_;
    static std::string database_;
    std::unique_ptr<Tfrmcust_prod> window_;
    TbsSkinFrame* frame_ = nullptr;
    int openEvents_ = 0, closeEvents_ = 0;
};

AppTestDir* MainWindowFrame::fixture_ = nullptr;
std::string MainWindowFrame::database_;

}

TEST_F(MainWindowFrame, SystemMenuClosedEveryWayFiveTimesReleasesTheButtonAndEndsMenuMode)
{
    ASSERT_TRUE(frame_->IsSkinned());
    auto* sysButton = dynamic_cast<TbsSkinButtonObject*>(frame_->objectByName("sysmenubutton"));
    ASSERT_NE(sysButton, nullptr);
    const SystemMenuJourney journey{window_.get(), frame_};
    for (Opener opener : {Opener::SystemMenuButton, Opener::RightClickOnCaption})
        for (CloseBy way : {CloseBy::Escape, CloseBy::ClickOutside, CloseBy::CommandChosen, CloseBy::ButtonAgain,
                            CloseBy::CommandKey}) {
            if (way == CloseBy::ButtonAgain && opener != Opener::SystemMenuButton)
                continue;
            SCOPED_TRACE(std::string(opener == Opener::SystemMenuButton ? "button, " : "right click, ") + nameOf(way));
            for (int round = 1; round <= 5; ++round) {
                SCOPED_TRACE(round);
                const int opened = openEvents_, closed = closeEvents_;
                const bool rolledUp = frame_->RolledUp();
                journey.open(opener);
                ASSERT_TRUE(frame_->skinMenu()->Visible());
                EXPECT_EQ(openEvents_, opened + 1);
                EXPECT_EQ(sysButton->Pressed(), opener == Opener::SystemMenuButton);
                ASSERT_TRUE(journey.close(way));
                EXPECT_FALSE(frame_->skinMenu()->Visible());
                EXPECT_FALSE(frame_->inMenuMode());
                EXPECT_FALSE(sysButton->Pressed());
                EXPECT_EQ(closeEvents_, closed + 1);
                const bool commandRan = way == CloseBy::CommandChosen || way == CloseBy::CommandKey;
                EXPECT_EQ(frame_->RolledUp(), commandRan ? !rolledUp : rolledUp);
                if (HasFatalFailure())
                    return;
            }
            if (frame_->RolledUp())
                frame_->SetRolledUp(false);
        }
    // The keyboard is the window's again: typing reaches the customer code.
    window_->CUST1->nativeEdit()->setFocus();
    key(window_.get(), '7');
    EXPECT_EQ(window_->CUST1->Text(), QStringLiteral("7"));
}

TEST_F(MainWindowFrame, CaptionButtonsHoverPressDragOffAndReleaseOutside)
{
    for (const char* name : {"maxbutton", "rollupbutton", "closebutton"}) {
        SCOPED_TRACE(name);
        auto* button = dynamic_cast<TbsSkinButtonObject*>(frame_->objectByName(name));
        ASSERT_NE(button, nullptr);
        const QPoint centre = button->ObjectRect.toQRect().center();
        move(window_.get(), centre);
        EXPECT_TRUE(button->MouseIn);
        press(window_.get(), centre);
        EXPECT_TRUE(button->Pressed());
        move(window_.get(), window_->contentsRect().center());
        EXPECT_FALSE(button->MouseIn);
        release(window_.get(), QPoint(-40, -40));
        EXPECT_FALSE(button->Pressed());
        EXPECT_EQ(frame_->FrameState(), TbsFrameState::Normal);
        EXPECT_FALSE(frame_->RolledUp());
        EXPECT_TRUE(window_->isVisible());
    }
    // Clicked where it is, the maximize button maximizes and restores.
    const QPoint max = frame_->objectByName("maxbutton")->ObjectRect.toQRect().center();
    move(window_.get(), max);
    click(window_.get(), max);
    EXPECT_EQ(frame_->FrameState(), TbsFrameState::Maximized);
    const QPoint restore = frame_->objectByName("maxbutton")->ObjectRect.toQRect().center();
    move(window_.get(), restore);
    click(window_.get(), restore);
    EXPECT_EQ(frame_->FrameState(), TbsFrameState::Normal);
}
