// The real main window with its packed skins: the compressed skin is the one in force, and
// the controls take their fonts and fixed heights from it; the date edits' drop-down calendar
// keeps the window's own settings.

#include "AppTestSupport.h"

#include "FontMapper.h"
#include "SkinControlData.h"
#include "StoredSkins.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsSkinButton.h"
#include "TbsSkinData.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "TbsSkinGauge.h"
#include "TbsSkinMemo.h"
#include "TbsSkinScrollBar.h"  // TbsSkinMemo.h needs the complete type
#include "TbsSkinPanel.h"
#include "TbsSkinPopupMonthCalendar.h"
#include "TbsSkinStdLabel.h"
#include "TbsStoredSkin.h"
#include "Tfrmcust_prod.h"
#include "WindowInput.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class SkinnedMainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testQtApp();
        fixture_ = new AppTestDir;
        database_ = fixture_->createDatabase("skinned.fdb");
    }
    static void TearDownTestSuite()
    {
        delete fixture_;
        fixture_ = nullptr;
    }
    void SetUp() override
    {
        fixture_->writeDrivers();
        fixture_->writeConnection(database_);
        fixture_->useAsExeDir();
        window_ = std::make_unique<Tfrmcust_prod>();
    }

    // The name a skin data object gives the packed skin of either kind.
    template <typename StoredSkin, typename Load>
    static std::string packedSkinName(Load load)
    {
        StoredSkin stored;
        StoredSkins::fill(stored);
        TbsSkinData data;
        (data.*load)(stored);
        return data.SkinInfo().SkinName;
    }

    static AppTestDir* fixture_;
    static std::string database_;
    std::unique_ptr<Tfrmcust_prod> window_;
};

AppTestDir* SkinnedMainWindow::fixture_ = nullptr;
std::string SkinnedMainWindow::database_;

}

TEST_F(SkinnedMainWindow, TheCompressedSkinIsTheOneInForceAndEveryControlUsesIt)
{
    const std::string stored = packedSkinName<TbsStoredSkin>(&TbsSkinData::LoadFromStoredSkin);
    const std::string compressed =
        packedSkinName<TbsCompressedStoredSkin>(&TbsSkinData::LoadFromCompressedStoredSkin);
    ASSERT_NE(stored, compressed) << "the two packed skins must be told apart";
    EXPECT_EQ(window_->bsSkinData1->SkinInfo().SkinName, compressed);

    const std::pair<const char*, bool> skinned[] = {
        {"bsSkinPanel1", window_->bsSkinPanel1->isSkinned()},
        {"bsSkinPanel2", window_->bsSkinPanel2->isSkinned()},
        {"bsSkinStdLabel11", window_->bsSkinStdLabel11->isSkinned()},
        {"bsSkinDateEdit1", window_->bsSkinDateEdit1->isSkinned()},
        {"CUST1", window_->CUST1->isSkinned()},
        {"bsSkinEdit1", window_->bsSkinEdit1->isSkinned()},
        {"bsSkinMemo1", window_->bsSkinMemo1->isSkinned()},
        {"bsSkinGauge1", window_->bsSkinGauge1->isSkinned()},
        {"bsSkinButton1", window_->bsSkinButton1->isSkinned()},
    };
    for (const auto& [name, isSkinned] : skinned)
        EXPECT_TRUE(isSkinned) << name;
}

TEST_F(SkinnedMainWindow, ControlsAreRefittedToTheirSkinSections)
{
    // The upper panel's skinned client area is its border of 2 inset; the gauge lies along
    // its bottom at the gauge section's height.
    EXPECT_EQ(window_->bsSkinPanel1->ClientArea(), QRect(2, 2, 374, 215));
    EXPECT_EQ(window_->bsSkinGauge1->geometry(), QRect(2, 203, 374, 14));
    for (QWidget* w : std::initializer_list<QWidget*>{window_->bsSkinDateEdit1, window_->bsSkinDateEdit2,
                                                      window_->CUST1, window_->CUST2, window_->bsSkinEdit1,
                                                      window_->bsSkinButton1, window_->bsSkinButton2})
        EXPECT_EQ(w->height(), 21) << dynamic_cast<TComponent*>(w)->name();
    // The edit with a button keeps its width; its text and button places come from the section.
    const EditGeometry cust1 = window_->CUST1->geometryNow();
    EXPECT_EQ(cust1.textRect.toQRect(), QRect(3, 3, 81, 15));
    EXPECT_EQ(cust1.buttonPlace.toQRect(), QRect(86, 3, 16, 15));
}

TEST_F(SkinnedMainWindow, LabelsDrawInTheSkinsFont)
{
    const TbsSkinData& skin = *window_->bsSkinData1;
    const auto* section =
        dynamic_cast<const TbsDataSkinStdLabelControl*>(skin.ControlData(skin.IndexOfControlData("stdlabel")));
    ASSERT_NE(section, nullptr);
    const QFont expected = FontMapper::makeFontFromBytes(section->FontName, section->FontHeight);
    for (TbsSkinStdLabel* label : {window_->bsSkinStdLabel11, window_->bsSkinStdLabel1, window_->bsSkinStdLabel2}) {
        SCOPED_TRACE(label->name());
        EXPECT_EQ(label->effectiveFont().family(), expected.family());
        EXPECT_EQ(label->effectiveFont().pixelSize(), expected.pixelSize());
        EXPECT_NE(label->effectiveFont().family(), label->font().family()) << "not the stored font";
        EXPECT_EQ(label->size(), QSize(label->width(), 13)) << "labels do not size themselves";
    }
}

TEST_F(SkinnedMainWindow, TheDropDownCalendarKeepsItsSizeFontAndFirstDayUnderTheSkin)
{
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    const QFont arial14 = FontMapper::makeFont(QStringLiteral("Arial"), 14);
    for (TbsSkinDateEdit* edit : {window_->bsSkinDateEdit1, window_->bsSkinDateEdit2}) {
        SCOPED_TRACE(edit->name());
        EXPECT_FALSE(edit->AlphaBlend());
        EXPECT_EQ(edit->FirstDayOfWeek(), TbsDaysOfWeek::Sun);
        EXPECT_EQ(edit->CalendarFont().family(), arial14.family());
        EXPECT_EQ(edit->CalendarFont().pixelSize(), arial14.pixelSize());

        // Dropped down with the mouse on the edit's button: skinned, still 236 x 177, below
        // the edit, and the keyboard stays in the edit.
        const QPoint button = edit->geometryNow().buttonPlace.toQRect().center();
        WindowInput::click(edit, button);
        TbsSkinPopupMonthCalendar* calendar = edit->calendar();
        ASSERT_TRUE(calendar->isVisible());
        EXPECT_TRUE(calendar->isSkinned());
        EXPECT_EQ(calendar->size(), QSize(236, 177));
        EXPECT_EQ(calendar->pos(), edit->mapToGlobal(QPoint(0, edit->height())));
        EXPECT_TRUE(QApplication::focusWidget() == edit->nativeEdit());

        WindowInput::click(edit, button);
        EXPECT_FALSE(calendar->isVisible()) << "the button toggles it closed";
    }
}
