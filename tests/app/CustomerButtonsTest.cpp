// The buttons inside CUST1 and CUST2 on the real window: each click opens a fresh lookup
// dialog over the customer list, a choice replaces the field's text, anything else keeps it;
// and the hidden dialog made at start-up. The pointer and keys reach the window and the dialog
// through their top-level windows, as the window system delivers them.

#include "AppTestSupport.h"

#include "ClientDataSet.h"
#include "DataSource.h"
#include "MessageBox.h"
#include "SQLQuery.h"
#include "StartupLookupDialog.h"
#include "TDBSpeedButton.h"
#include "TFrmgetdata.h"
#include "TRadioGroup.h"
#include "TSpeedButton.h"
#include "TbsSkinEdit.h"
#include "TextCodec.h"
#include "Tfrmcust_prod.h"
#include "TwwDBGrid.h"
#include "WindowInput.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

std::string big5(const char* utf8)
{
    return TextCodec::utf8ToCp950(utf8);
}

class CustomerButtons : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testQtApp();
        fixture_ = new AppTestDir;
        // Codes sort as bytes: the Big5 one comes last.
        customers_ = fixture_->createDatabase(
            "customers.fdb",
            {"CREATE TABLE CUSTOMER (CUST_ID VARCHAR(10) NOT NULL, CUST_NAME VARCHAR(50), TEL VARCHAR(20))",
             "INSERT INTO CUSTOMER VALUES ('C002', 'Beta', '555')",
             "INSERT INTO CUSTOMER VALUES ('C001', 'Alpha', '556')",
             "INSERT INTO CUSTOMER VALUES ('" + big5("客01") + "', 'Gamma', NULL)"});
        noCustomerTable_ = fixture_->createDatabase("empty.fdb");
    }
    static void TearDownTestSuite()
    {
        delete fixture_;
        fixture_ = nullptr;
    }

    void SetUp() override
    {
        openWindowOn(customers_);
    }

    void openWindowOn(const std::string& database)
    {
        window_.reset();
        fixture_->writeDrivers();
        fixture_->writeConnection(database);
        fixture_->useAsExeDir();
        window_ = std::make_unique<Tfrmcust_prod>();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    // Clicks the button inside `field` with the mouse; `answer` runs inside the dialog's modal
    // loop and must close it. Tells whether a dialog was shown. The click has run the message
    // loop by the time it returns, so the dialog has normally released itself already.
    struct Shown {
        bool appeared = false;
        QPointer<TFrmgetdata> dialog;
        explicit operator bool() const { return appeared; }
    };
    Shown clickButtonOf(TbsSkinEdit* field, const std::function<void(TFrmgetdata&)>& answer)
    {
        Shown shown;
        bool timedOut = false;
        // The dialog is modal: the answer must come from a timer that finds it.
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<TFrmgetdata*>(QApplication::activeModalWidget());
            if (!dialog || shown.dialog == dialog)
                return;
            shown.appeared = true;
            shown.dialog = dialog;
            answer(*dialog);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            timedOut = true;
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        poll.start();
        watchdog.start(20000);

        const QPoint button = field->geometryNow().buttonPlace.toQRect().center();
        WindowInput::click(field, button);
        EXPECT_FALSE(timedOut) << "the answer did not close the dialog";
        return shown;
    }

    // Lets the message loop run once: a closed dialog is destroyed then.
    static void backToTheMessageLoop() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static void search(TFrmgetdata& d, int field, int mode, const QString& text)
    {
        d.ComboBox1->setCurrentIndex(field);
        d.RadioGroup1->setItemIndex(mode);
        d.Edit1->setText(text);
        WindowInput::click(d.SpeedButton1);
    }

    // A point inside data row `row` (from 1) of the dialog's grid.
    static QPoint rowOf(TFrmgetdata& d, int row)
    {
        TwwDBGrid* grid = d.DBGrid1;
        return QPoint(grid->indicatorWidth() + 5,
                      grid->titleRowHeight() + (row - 1) * grid->dataRowHeight() + grid->dataRowHeight() / 2);
    }

    static AppTestDir* fixture_;
    static std::string customers_;
    static std::string noCustomerTable_;
    std::unique_ptr<Tfrmcust_prod> window_;
    QStringList messages_;
    MessageBox::ScopedHandler recordMessages_{[this](const MessageBox::Request& r) {
        messages_ << r.text;
        return QMessageBox::Ok;
    }};
};

AppTestDir* CustomerButtons::fixture_ = nullptr;
std::string CustomerButtons::customers_;
std::string CustomerButtons::noCustomerTable_;

}

TEST_F(CustomerButtons, AChoiceReplacesTheFieldsTextWithTheChosenCode)
{
    struct Case {
        const char* what;
        TbsSkinEdit* Tfrmcust_prod::*field;
        std::function<void(TFrmgetdata&)> move;
        QString expected;
    };
    const Case cases[] = {
        {"OK without moving: the first customer", &Tfrmcust_prod::CUST1, [](TFrmgetdata&) {}, "C001"},
        {"CUST2's button fills CUST2", &Tfrmcust_prod::CUST2,
         [](TFrmgetdata& d) { WindowInput::click(d.dbSBtnNext); }, "C002"},
        {"a Big5 code comes back as text", &Tfrmcust_prod::CUST1,
         [](TFrmgetdata& d) { WindowInput::click(d.dbSBtnLast); }, QStringLiteral("客01")},
        {"a click on a row", &Tfrmcust_prod::CUST2,
         [](TFrmgetdata& d) { WindowInput::click(d.DBGrid1->viewport(), rowOf(d, 3)); }, QStringLiteral("客01")},
        {"a double click on a row", &Tfrmcust_prod::CUST1,
         [](TFrmgetdata& d) { WindowInput::doubleClick(d.DBGrid1->viewport(), rowOf(d, 2)); }, "C002"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TbsSkinEdit* field = window_.get()->*c.field;
        field->setText("typed");
        const Shown shown = clickButtonOf(field, [&](TFrmgetdata& d) {
            EXPECT_EQ(&d, Frmgetdata.data()) << "the program's dialog reference names the new dialog";
            EXPECT_EQ(d.LookupSource, window_->DS_CUST);
            EXPECT_EQ(d.LookupTable, "CUSTOMER");
            EXPECT_EQ(d.LookupDataSet, window_->CDS_CUST);
            c.move(d);
            WindowInput::click(d.BTCMDOK);
        });
        ASSERT_TRUE(shown);
        EXPECT_EQ(field->Text(), c.expected);
        backToTheMessageLoop();
        EXPECT_FALSE(shown.dialog) << "the dialog released itself";
    }
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
}

TEST_F(CustomerButtons, CancelAndTheCloseBoxLeaveTheTextAsItWas)
{
    window_->CUST1->setText("C9");
    // An earlier OK must not count for a later dialog.
    clickButtonOf(window_->CUST1, [](TFrmgetdata& d) { WindowInput::click(d.BTCMDOK); });
    ASSERT_EQ(window_->CUST1->Text(), "C001");

    const std::pair<const char*, std::function<void(TFrmgetdata&)>> closers[] = {
        {"Cancel", [](TFrmgetdata& d) { WindowInput::click(d.dbSBtnNext); WindowInput::click(d.BDCMDNOT); }},
        {"close box", [](TFrmgetdata& d) { WindowInput::click(d.dbSBtnLast); d.close(); }},
        {"Esc", [](TFrmgetdata& d) { WindowInput::click(d.dbSBtnNext); WindowInput::keyClick(Qt::Key_Escape); }},
    };
    for (const auto& [what, close] : closers) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(clickButtonOf(window_->CUST1, close));
        EXPECT_EQ(window_->CUST1->Text(), "C001");
        backToTheMessageLoop();
    }
}

TEST_F(CustomerButtons, ARowChosenFromASearchIsReadBeforeTheResultGoesAndTheNextClickOffersTheList)
{
    clickButtonOf(window_->CUST2, [&](TFrmgetdata& d) {
        search(d, 0, 2, QStringLiteral("002"));
        ASSERT_NE(window_->DS_CUST->dataSet(), window_->CDS_CUST) << "the grid shows the search result";
        WindowInput::click(d.BTCMDOK);
    });
    EXPECT_EQ(window_->CUST2->Text(), "C002");
    backToTheMessageLoop();
    EXPECT_EQ(window_->DS_CUST->dataSet(), nullptr) << "the search result went with its dialog";

    int listed = 0;
    clickButtonOf(window_->CUST1, [&](TFrmgetdata& d) {
        EXPECT_EQ(window_->DS_CUST->dataSet(), window_->CDS_CUST);
        listed = window_->DS_CUST->dataSet()->recordCount();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_EQ(listed, 3);
    EXPECT_TRUE(window_->CUST1->Text().isEmpty());
}

// After a successful search, a search that fails on the server leaves the grid on a closed
// result: OK then has no code to give, and says so instead of emptying the field.
TEST_F(CustomerButtons, OkAfterASearchThatFailedKeepsTheFieldsTextAndSaysWhy)
{
    window_->CUST2->setText("C9");
    bool open = false;
    clickButtonOf(window_->CUST2, [&](TFrmgetdata& d) {
        search(d, 0, 2, QStringLiteral("002"));
        d.ComboBox1->setEditText(QStringLiteral("NOSUCHFIELD"));  // typed, never a field name
        d.Edit1->setText(QStringLiteral("x"));
        WindowInput::click(d.SpeedButton1);
        open = d.isVisible();
        WindowInput::click(d.BTCMDOK);
    });
    EXPECT_TRUE(open) << "the failed search is reported and the dialog stays";
    EXPECT_EQ(window_->CUST2->Text(), "C9");
    ASSERT_EQ(messages_.size(), 2) << messages_.join('\n').toStdString();
    EXPECT_EQ(messages_[1], QStringLiteral("Field 'CUST_ID' not found."));
}

// The press and drag of a clerk who changes his mind on a navigation button of the dialog:
// drawn up while the pointer is off it, no move when released outside.
TEST_F(CustomerButtons, ANavigationButtonPressedAndDraggedOffDoesNotMove)
{
    int recNo = 0;
    bool downOff = true, downBack = false;
    clickButtonOf(window_->CUST1, [&](TFrmgetdata& d) {
        const QPoint off = d.DBGrid1->mapTo(&d, rowOf(d, 3));
        WindowInput::press(d.dbSBtnNext);
        WindowInput::move(&d, off);
        downOff = d.dbSBtnNext->isDown();
        WindowInput::move(d.dbSBtnNext);
        downBack = d.dbSBtnNext->isDown();
        WindowInput::move(&d, off);
        WindowInput::release(&d, off);
        recNo = d.LookupDataSet->recNo();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_FALSE(downOff);
    EXPECT_TRUE(downBack);
    EXPECT_EQ(recNo, 1);
}

TEST_F(CustomerButtons, ACustomerAddedAfterTheFirstClickDoesNotAppear)
{
    EXPECT_FALSE(window_->CDS_CUST->active()) << "the list is fetched at the first click, not before";
    auto count = [&](TbsSkinEdit* field) {
        int rows = -1;
        clickButtonOf(field, [&](TFrmgetdata& d) {
            rows = d.LookupDataSet->recordCount();
            WindowInput::click(d.BDCMDNOT);
        });
        backToTheMessageLoop();
        return rows;
    };
    EXPECT_EQ(count(window_->CUST1), 3);

    window_->SQLQuery1->sql().setText("INSERT INTO CUSTOMER VALUES ('A000', 'New', NULL)");
    window_->SQLQuery1->execSQL();
    EXPECT_EQ(count(window_->CUST2), 3) << "either button shows the list as it was at the first click";
    window_->SQLQuery1->sql().setText("DELETE FROM CUSTOMER WHERE CUST_ID = 'A000'");
    window_->SQLQuery1->execSQL();
}

TEST_F(CustomerButtons, AListThatCannotBeFetchedIsReportedBeforeAnyDialogAndKeepsTheText)
{
    openWindowOn(noCustomerTable_);
    window_->CUST1->setText("C001");
    const Shown shown =
        clickButtonOf(window_->CUST1, [](TFrmgetdata& d) { WindowInput::click(d.BTCMDOK); });
    EXPECT_FALSE(shown) << "no dialog appears";
    EXPECT_EQ(window_->CUST1->Text(), "C001");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("CUSTOMER")) << messages_[0].toStdString();
    EXPECT_FALSE(window_->CDS_CUST->active());
}

TEST_F(CustomerButtons, StartUpMakesOneHiddenDialogOwnedByTheMainWindow)
{
    createStartupLookupDialog(*window_);
    const QPointer<TFrmgetdata> hidden = Frmgetdata.data();
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->parentWidget(), window_.get());
    QApplication::processEvents();
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_TRUE(window_->isVisible());

    // It is never used: a button makes a fresh dialog and the hidden one stays as it was.
    bool fresh = false;
    clickButtonOf(window_->CUST1, [&](TFrmgetdata& d) {
        fresh = &d != hidden.data();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_TRUE(fresh);
    backToTheMessageLoop();
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(hidden->isVisible());

    window_.reset();
    EXPECT_FALSE(hidden) << "it goes with the main window";
}
