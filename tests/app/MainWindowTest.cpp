// The main window as it comes out of its form data: start-up order, initial state, focus and
// tab order, the resize rule, the remark memo and the data objects' wiring.

#include "AppTestSupport.h"

#include "ClientDataSet.h"
#include "Clock.h"
#include "DataSource.h"
#include "Field.h"
#include "FontMapper.h"
#include "SQLConnection.h"
#include "TDBMemo.h"
#include "SkinMessages.h"
#include "TbsSkinButton.h"
#include "TbsSkinData.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "TbsSkinGauge.h"
#include "TbsSkinMemo.h"
#include "TbsSkinScrollBar.h"  // TbsSkinMemo.h needs the complete type
#include "TbsSkinPanel.h"
#include "TbsSkinStdLabel.h"
#include "TextCodec.h"
#include "Tfrmcust_prod.h"
#include "WindowInput.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testQtApp();
        fixture_ = new AppTestDir;
        // A customer table with more columns than the customer list exposes.
        database_ = fixture_->createDatabase(
            "window.fdb", {"CREATE TABLE CUSTOMER (CUST_ID VARCHAR(10) NOT NULL, CUST_NAME VARCHAR(50), "
                           "TEL VARCHAR(20))",
                           "INSERT INTO CUSTOMER VALUES ('C002', 'B', '555')",
                           "INSERT INTO CUSTOMER VALUES ('C001', 'A', '556')"});
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
        Clock::set(QDateTime(QDate(2024, 2, 29), QTime(9, 30)));
        window_ = std::make_unique<Tfrmcust_prod>();
    }
    void TearDown() override
    {
        window_.reset();
        Clock::set(std::nullopt);
    }

    void showAndActivate()
    {
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    // The control that owns the widget with the keyboard focus.
    QWidget* focusedControl() const
    {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (dynamic_cast<TComponent*>(w) && w->parentWidget() != window_.get())
                return w;
        return nullptr;
    }

    static AppTestDir* fixture_;
    static std::string database_;
    std::unique_ptr<Tfrmcust_prod> window_;
};

AppTestDir* MainWindow::fixture_ = nullptr;
std::string MainWindow::database_;

}

TEST_F(MainWindow, StartsWithTodayInBothDatesAndTheConnectionOpen)
{
    // Today's date in the short date format, not the date stored with the form data.
    EXPECT_EQ(window_->bsSkinDateEdit1->Text(), "2024/02/29");
    EXPECT_EQ(window_->bsSkinDateEdit2->Text(), "2024/02/29");
    EXPECT_EQ(window_->bsSkinDateEdit1->MaxLength(), 10);
    EXPECT_EQ(window_->bsSkinDateEdit2->MaxLength(), 10);
    EXPECT_TRUE(window_->SQLConnection1->connected());

    // The date edits finish loading before the connection opens.
    const auto& order = window_->components();
    auto position = [&](TComponent* c) { return std::find(order.begin(), order.end(), c) - order.begin(); };
    EXPECT_LT(position(window_->bsSkinDateEdit2), position(window_->SQLConnection1));

    // FormCreate: the remark dataset is open, empty, with its one field.
    ASSERT_TRUE(window_->ClientDataSet2->active());
    EXPECT_EQ(window_->ClientDataSet2->recordCount(), 0);
    ASSERT_EQ(window_->ClientDataSet2->fieldCount(), 1);
    EXPECT_EQ(window_->ClientDataSet2->field(0)->fieldName(), "Field13");
    EXPECT_EQ(window_->ClientDataSet2->field(0)->size(), 200);
}

TEST_F(MainWindow, TheSectionsDatabaseReplacesTheStoredOne)
{
    EXPECT_EQ(window_->SQLConnection1->params().value("Database"), database_);
    EXPECT_EQ(window_->SQLConnection1->params().value("Password"), "moravine");
}

TEST_F(MainWindow, WindowLayoutAndInitialValuesWithTheSkinInForce)
{
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("客戶區間商品數量表"));
    EXPECT_EQ(window_->contentsRect().size(), QSize(378, 273)) << "the skinned frame goes around the client area";
    EXPECT_GT(window_->width(), 378);
    ASSERT_FALSE(window_->bsSkinData1->IsEmpty()) << "the skin loads while the window is created";

    EXPECT_EQ(window_->bsSkinPanel1->geometry(), QRect(0, 0, 378, 219));
    EXPECT_EQ(window_->bsSkinPanel2->geometry(), QRect(0, 219, 378, 54));
    // Stored positions; the skin's sections fix the heights of edits, buttons and gauge.
    EXPECT_EQ(window_->bsSkinDateEdit1->geometry(), QRect(104, 28, 105, 21));
    EXPECT_EQ(window_->bsSkinDateEdit2->geometry(), QRect(217, 28, 106, 21));
    EXPECT_EQ(window_->CUST1->geometry(), QRect(104, 53, 105, 21));
    EXPECT_EQ(window_->CUST2->geometry(), QRect(217, 53, 106, 21));
    EXPECT_EQ(window_->bsSkinEdit1->geometry(), QRect(104, 78, 105, 21));
    EXPECT_EQ(window_->bsSkinButton1->geometry(), QRect(92, 8, 75, 21));
    EXPECT_EQ(window_->bsSkinButton2->geometry(), QRect(196, 8, 75, 21));
    EXPECT_EQ(window_->bsSkinStdLabel11->geometry(), QRect(46, 32, 64, 13));
    EXPECT_EQ(window_->bsSkinStdLabel1->geometry(), QRect(46, 58, 54, 13));
    EXPECT_EQ(window_->bsSkinStdLabel2->geometry(), QRect(46, 83, 54, 13));
    // The gauge keeps to the bottom of the upper panel's skinned client area.
    const QRect client = window_->bsSkinPanel1->ClientArea();
    EXPECT_EQ(window_->bsSkinGauge1->geometry(), QRect(client.left(), client.bottom() - 13, client.width(), 14));

    EXPECT_EQ(window_->bsSkinStdLabel11->Caption(), QStringLiteral("查詢區間"));
    EXPECT_EQ(window_->bsSkinStdLabel1->Caption(), QStringLiteral("客戶區間"));
    EXPECT_EQ(window_->bsSkinStdLabel2->Caption(), QStringLiteral("篩選額度"));
    EXPECT_EQ(window_->bsSkinButton1->Caption(), QStringLiteral("確定"));
    EXPECT_EQ(window_->bsSkinButton2->Caption(), QStringLiteral("離開"));
    EXPECT_TRUE(window_->CUST1->ButtonMode());
    EXPECT_TRUE(window_->CUST2->ButtonMode());
    EXPECT_FALSE(window_->bsSkinEdit1->ButtonMode());
    EXPECT_TRUE(window_->CUST1->Text().isEmpty());
    EXPECT_TRUE(window_->bsSkinEdit1->Text().isEmpty());
    EXPECT_TRUE(window_->bsSkinMemo1->Text().isEmpty());

    // The gauge is half full and shows no text.
    EXPECT_EQ(window_->bsSkinGauge1->MinValue(), 0);
    EXPECT_EQ(window_->bsSkinGauge1->MaxValue(), 100);
    EXPECT_EQ(window_->bsSkinGauge1->Value(), 50);
    EXPECT_TRUE(window_->bsSkinGauge1->displayText().isEmpty());
}

TEST_F(MainWindow, WithoutSkinLabelsAndEditsDrawInTheirDefaultFont)
{
    // Take the skin away the way a skin change does.
    window_->bsSkinData1->ClearSkin();
    window_->bsSkinData1->NotifyForms(SKM_BEFORECHANGE);
    window_->bsSkinData1->NotifyForms(SKM_CHANGE);
    window_->bsSkinData1->NotifyForms(SKM_AFTERCHANGE);

    // The labels' stored font differs from their default font, so the rule is visible.
    TbsSkinStdLabel* label = window_->bsSkinStdLabel1;
    ASSERT_FALSE(label->isSkinned());
    ASSERT_NE(label->font().family(), label->DefaultFont().family());
    EXPECT_EQ(label->effectiveFont(), label->DefaultFont());
    EXPECT_FALSE(label->AutoSize());
    EXPECT_EQ(label->size(), QSize(54, 13));

    // The date edits' stored font ("Arial", height 17) is larger than their default font.
    ASSERT_NE(FontMapper::makeFont(QStringLiteral("Arial"), 17).pixelSize(),
              window_->bsSkinDateEdit1->DefaultFont().pixelSize());
    for (TbsSkinCustomEdit* edit : {static_cast<TbsSkinCustomEdit*>(window_->CUST1),
                                    static_cast<TbsSkinCustomEdit*>(window_->bsSkinEdit1),
                                    static_cast<TbsSkinCustomEdit*>(window_->bsSkinDateEdit1)}) {
        SCOPED_TRACE(edit->name());
        ASSERT_FALSE(edit->isSkinned());
        EXPECT_EQ(edit->nativeEdit()->font().family(), edit->DefaultFont().family());
        EXPECT_EQ(edit->nativeEdit()->font().pixelSize(), edit->DefaultFont().pixelSize());
    }
}

TEST_F(MainWindow, RemarkMemoLiesOverTheProgressMemo)
{
    TDBMemo* memo = window_->DBMemo1;
    EXPECT_EQ(memo->geometry(), QRect(4, 104, 365, 76));
    EXPECT_EQ(window_->bsSkinMemo1->geometry(), QRect(5, 104, 365, 78));
    EXPECT_EQ(memo->DataSource(), window_->DataSource1);
    EXPECT_EQ(window_->DataSource1->dataSet(), window_->ClientDataSet2);
    EXPECT_EQ(memo->DataField(), "Field13");
    EXPECT_EQ(window_->bsSkinMemo1->nativeMemo()->focusPolicy() & Qt::TabFocus, 0);

    showAndActivate();
    // A point both memos cover belongs to the remark memo.
    QWidget* hit = window_->bsSkinPanel1->childAt(100, 140);
    ASSERT_NE(hit, nullptr);
    EXPECT_TRUE(hit == memo || memo->isAncestorOf(hit));
}

TEST_F(MainWindow, FocusStartsInCust1AndTabFollowsTheFormOrder)
{
    showAndActivate();
    EXPECT_EQ(focusedControl(), window_->CUST1);

    const std::vector<QWidget*> expected = {window_->CUST2,       window_->bsSkinDateEdit1, window_->bsSkinDateEdit2,
                                            window_->bsSkinEdit1, window_->DBMemo1,         window_->bsSkinButton1,
                                            window_->bsSkinButton2, window_->CUST1};
    for (QWidget* next : expected) {
        WindowInput::keyClick(Qt::Key_Tab);
        EXPECT_EQ(focusedControl(), next) << "expected " << dynamic_cast<TComponent*>(next)->name();
    }
}

TEST_F(MainWindow, ResizingKeepsTheUpperPanelsHeightAndStretchesTheGauge)
{
    showAndActivate();
    const QRect gauge = window_->bsSkinGauge1->geometry();
    const QRect cust1 = window_->CUST1->geometry();
    const QRect ok = window_->bsSkinButton1->geometry();
    const QRect remark = window_->DBMemo1->geometry();
    const int widthBefore = window_->width();

    window_->resize(500, 400);
    // The platform delivers the new size to a shown window as an event.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->bsSkinPanel1->width() != 378; }));
    // The panels fill the client area the skinned frame leaves inside the window.
    const QRect client = window_->contentsRect();
    ASSERT_LT(client.width(), 500);
    EXPECT_EQ(window_->bsSkinPanel1->geometry(), QRect(client.left(), client.top(), client.width(), 219));
    EXPECT_EQ(window_->bsSkinPanel2->geometry(),
              QRect(client.left(), client.top() + 219, client.width(), client.height() - 219));
    EXPECT_EQ(window_->bsSkinGauge1->geometry(), gauge.adjusted(0, 0, 500 - widthBefore, 0));
    EXPECT_EQ(window_->CUST1->geometry(), cust1);
    EXPECT_EQ(window_->bsSkinButton1->geometry(), ok);
    EXPECT_EQ(window_->DBMemo1->geometry(), remark);
}

TEST_F(MainWindow, RemarkIsCutTo200BytesOfBig5WhenStored)
{
    showAndActivate();
    window_->DBMemo1->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), window_->DBMemo1);
    // The first key starts the record; it must not be lost to it.
    WindowInput::keyClicks("ab");
    // Then 150 characters of two bytes each from the input method: 302 bytes of Big5 in all.
    const QString typed = QString(150, QChar(0x5BA2));  // 客
    QInputMethodEvent composed;
    composed.setCommitString(typed);
    QApplication::sendEvent(QGuiApplication::focusObject(), &composed);  // as the input method does
    ASSERT_EQ(window_->DBMemo1->toPlainText(), "ab" + typed);
    EXPECT_EQ(window_->ClientDataSet2->recordCount(), 0) << "the record is still being inserted";

    window_->bsSkinEdit1->setFocus();  // leaving the memo stores its text in the field
    QApplication::processEvents();

    const QString kept = "ab" + QString(99, QChar(0x5BA2));
    const std::string stored = window_->ClientDataSet2->fieldByName("Field13")->asString();
    EXPECT_EQ(stored.size(), 200u);
    EXPECT_EQ(TextCodec::fromCp950(stored), kept);
    EXPECT_EQ(window_->DBMemo1->toPlainText(), kept) << "the memo shows what was kept";
}

TEST_F(MainWindow, CustomerListExposesExactlyItsTwoPersistentFields)
{
    TClientDataSet* customers = window_->CDS_CUST;
    customers->open();
    ASSERT_EQ(customers->fieldCount(), 2);
    EXPECT_EQ(customers->field(0)->fieldName(), "CUST_ID");
    EXPECT_EQ(customers->field(0)->size(), 10);
    EXPECT_TRUE(customers->field(0)->required());
    EXPECT_EQ(TextCodec::fromCp950(customers->field(0)->displayLabel()), QStringLiteral("客戶編號"));
    EXPECT_EQ(customers->field(1)->fieldName(), "CUST_NAME");
    EXPECT_EQ(customers->field(1)->size(), 50);
    EXPECT_FALSE(customers->field(1)->required());
    EXPECT_EQ(TextCodec::fromCp950(customers->field(1)->displayLabel()), QStringLiteral("客戶名稱"));
    // Through SQL_CUST's statement, ordered by code.
    ASSERT_EQ(customers->recordCount(), 2);
    EXPECT_EQ(customers->fieldByName("CUST_ID")->asString(), "C001");
    EXPECT_EQ(window_->DS_CUST->dataSet(), customers);
}

TEST_F(MainWindow, LeaveClosesTheWindow)
{
    showAndActivate();
    window_->bsSkinButton2->Click();
    EXPECT_FALSE(window_->isVisible());
}
