// The buttons inside CUST1 and CUST2 on the real window: each click opens a fresh lookup
// dialog over the customer list, a choice replaces the field's text, anything else keeps it;
// and the hidden dialog made at start-up.

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
    }

    // Clicks the button inside `field` with the mouse; `answer` runs inside the dialog's modal
    // loop and must close it. Returns the dialog that was shown (null when none was).
    QPointer<TFrmgetdata> clickButtonOf(TbsSkinEdit* field, const std::function<void(TFrmgetdata&)>& answer)
    {
        QPointer<TFrmgetdata> shown;
        bool timedOut = false;
        // The dialog is modal: the answer must come from a timer that finds it.
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<TFrmgetdata*>(QApplication::activeModalWidget());
            if (!dialog || shown == dialog)
                return;
            shown = dialog;
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
        QTest::mouseClick(field, Qt::LeftButton, {}, button);
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
        d.SpeedButton1->click();
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
        {"CUST2's button fills CUST2", &Tfrmcust_prod::CUST2, [](TFrmgetdata& d) { d.dbSBtnNext->click(); }, "C002"},
        {"a Big5 code comes back as text", &Tfrmcust_prod::CUST1,
         [](TFrmgetdata& d) { d.dbSBtnLast->click(); }, QStringLiteral("客01")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TbsSkinEdit* field = window_.get()->*c.field;
        field->setText("typed");
        const QPointer<TFrmgetdata> shown = clickButtonOf(field, [&](TFrmgetdata& d) {
            EXPECT_EQ(&d, Frmgetdata.data()) << "the program's dialog reference names the new dialog";
            EXPECT_EQ(d.LookupSource, window_->DS_CUST);
            EXPECT_EQ(d.LookupTable, "CUSTOMER");
            EXPECT_EQ(d.LookupDataSet, window_->CDS_CUST);
            c.move(d);
            d.BTCMDOK->click();
        });
        ASSERT_TRUE(shown);
        EXPECT_EQ(field->Text(), c.expected);
        backToTheMessageLoop();
        EXPECT_FALSE(shown) << "the dialog released itself";
    }
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
}

TEST_F(CustomerButtons, CancelAndTheCloseBoxLeaveTheTextAsItWas)
{
    window_->CUST1->setText("C9");
    // An earlier OK must not count for a later dialog.
    clickButtonOf(window_->CUST1, [](TFrmgetdata& d) { d.BTCMDOK->click(); });
    ASSERT_EQ(window_->CUST1->Text(), "C001");

    const std::pair<const char*, std::function<void(TFrmgetdata&)>> closers[] = {
        {"Cancel", [](TFrmgetdata& d) { d.dbSBtnNext->click(); d.BDCMDNOT->click(); }},
        {"close box", [](TFrmgetdata& d) { d.dbSBtnLast->click(); d.close(); }},
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
        d.BTCMDOK->click();
    });
    EXPECT_EQ(window_->CUST2->Text(), "C002");
    backToTheMessageLoop();
    EXPECT_EQ(window_->DS_CUST->dataSet(), nullptr) << "the search result went with its dialog";

    int listed = 0;
    clickButtonOf(window_->CUST1, [&](TFrmgetdata& d) {
        EXPECT_EQ(window_->DS_CUST->dataSet(), window_->CDS_CUST);
        listed = window_->DS_CUST->dataSet()->recordCount();
        d.BDCMDNOT->click();
    });
    EXPECT_EQ(listed, 3);
    EXPECT_TRUE(window_->CUST1->Text().isEmpty());
}

TEST_F(CustomerButtons, ACustomerAddedAfterTheFirstClickDoesNotAppear)
{
    EXPECT_FALSE(window_->CDS_CUST->active()) << "the list is fetched at the first click, not before";
    auto count = [&](TbsSkinEdit* field) {
        int rows = -1;
        clickButtonOf(field, [&](TFrmgetdata& d) {
            rows = d.LookupDataSet->recordCount();
            d.BDCMDNOT->click();
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
    const QPointer<TFrmgetdata> shown = clickButtonOf(window_->CUST1, [](TFrmgetdata& d) { d.BTCMDOK->click(); });
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
    const QPointer<TFrmgetdata> shown = clickButtonOf(window_->CUST1, [](TFrmgetdata& d) { d.BDCMDNOT->click(); });
    EXPECT_NE(shown, hidden);
    backToTheMessageLoop();
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(hidden->isVisible());

    window_.reset();
    EXPECT_FALSE(hidden) << "it goes with the main window";
}
