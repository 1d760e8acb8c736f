// The lookup dialog against a fixture customer table made with the embedded engine: choosing,
// closing, searching in each mode, reset, titles, keys and the deferred release. Pointer and
// keys reach the dialog through its top-level window, as the window system delivers them.

#include "DataSetProvider.h"
#include "DataSource.h"
#include "DbTestSupport.h"
#include "Field.h"
#include "LookupTestSupport.h"
#include "MessageBox.h"
#include "SQLDataSet.h"
#include "TDBSpeedButton.h"
#include "TFrmgetdata.h"
#include "TRadioGroup.h"
#include "TSpeedButton.h"
#include "TextCodec.h"
#include "TwwDBGrid.h"
#include "WindowInput.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The main window's customer chain over a fixture CUSTOMER table.
class LookupDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        lookupTestApp();
        const std::string database = env.createDatabase(Engine::Embedded, "lookup.fdb");
        connection = env.connect(database, Engine::Embedded);
        connection->execute("CREATE TABLE CUSTOMER (CUST_ID VARCHAR(10) NOT NULL PRIMARY KEY, "
                            "CUST_NAME VARCHAR(50), CONTACT VARCHAR(20), TEL VARCHAR(20), ADDRESS VARCHAR(100))",
                            {});
        const char* rows[][3] = {
            {"A001", "台北商行", "王"}, {"A002", "O'Brien Trading", "Li"}, {"B001", "台中百貨", "陳"},
            {"B002", "10% Store", "Wu"}, {"C001", nullptr, "Lin"},
        };
        for (auto& row : rows)
            insertCustomer(row[0], row[1], row[2]);

        SQL_CUST.setSQLConnection(connection.get());
        SQL_CUST.setCommandText("SELECT * FROM CUSTOMER\r\nORDER BY CUST_ID\r\n");
        DSP_CUST.setDataSet(&SQL_CUST);
        CDS_CUST.setProvider(&DSP_CUST);
        CDS_CUST.addField("CUST_ID", FieldType::String, 10, true, big5("客戶編號"));
        CDS_CUST.addField("CUST_NAME", FieldType::String, 50, false, big5("客戶名稱"));
        messages.clear();
    }

    void insertCustomer(const char* id, const char* name, const char* contact)
    {
        auto quoted = [](const char* s) {
            if (!s)
                return std::string("NULL");
            std::string out = "'";
            for (char c : big5(s)) {
                out += c;
                if (c == '\'')
                    out += '\'';
            }
            return out + "'";
        };
        connection->execute("INSERT INTO CUSTOMER (CUST_ID, CUST_NAME, CONTACT) VALUES (" + quoted(id) + ", " +
                                quoted(name) + ", " + quoted(contact) + ")",
                            {});
    }

    // Runs one use of the dialog as the customer button does; `interact` runs inside the
    // modal loop and must close the dialog. Returns Execute's result; `chosenId` gets the
    // CUST_ID of the row behind the grid, read at once as the caller does.
    bool runDialog(const std::function<void(TFrmgetdata&)>& interact, std::string* chosenId = nullptr)
    {
        DS_CUST.setDataSet(&CDS_CUST);
        TFrmgetdata* dialog = TFrmgetdata::create(nullptr, connection.get());
        dialog->LookupSource = &DS_CUST;
        dialog->LookupTable = "CUSTOMER";
        dialog->LookupDataSet = &CDS_CUST;
        DS_CUST.dataSet()->open();
        QPointer<TFrmgetdata> guard(dialog);
        QTimer::singleShot(0, dialog, [dialog, &interact] {
            // Keys go to the active window, as the window system sends them.
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            interact(*dialog);
        });
        // Never hang a test run on a dialog left open.
        bool timedOut = false;
        QTimer::singleShot(20000, dialog, [dialog, &timedOut] {
            timedOut = true;
            dialog->reject();
        });
        const bool chosen = dialog->Execute();
        if (chosenId && chosen)
            *chosenId = DS_CUST.dataSet()->fieldByName("CUST_ID")->asString();
        EXPECT_FALSE(timedOut) << "the interaction did not close the dialog";
        EXPECT_TRUE(guard) << "the dialog still exists until control is back in the message loop";
        last = dialog;
        return chosen;
    }

    void releaseDialogs()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void search(TFrmgetdata& d, int field, int mode, const QString& text)
    {
        d.ComboBox1->setCurrentIndex(field);
        d.RadioGroup1->setItemIndex(mode);
        d.Edit1->setText(text);
        WindowInput::click(d.SpeedButton1);
    }

    DbTestEnvironment env;
    std::unique_ptr<TSQLConnection> connection;
    TSQLDataSet SQL_CUST;
    TDataSetProvider DSP_CUST;
    TClientDataSet CDS_CUST;
    TDataSource DS_CUST;
    QPointer<TFrmgetdata> last;
    QStringList messages;
    MessageBox::ScopedHandler recordMessages{[this](const MessageBox::Request& r) {
        messages << r.text;
        return QMessageBox::Ok;
    }};
};

TEST_F(LookupDialog, OkWithoutSearchingReturnsTheFirstCustomerAndTheDialogGoesLater)
{
    QString title;
    int mode = -1;
    QStringList items;
    QString fieldBox = QStringLiteral("unset");
    std::string id;
    const bool chosen = runDialog(
        [&](TFrmgetdata& d) {
            title = d.windowTitle();
            mode = d.RadioGroup1->ItemIndex();
            for (int i = 0; i < d.ComboBox1->count(); ++i)
                items << d.ComboBox1->itemText(i);
            fieldBox = d.ComboBox1->currentText();
            WindowInput::click(d.BTCMDOK);
        },
        &id);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(id, "A001");
    EXPECT_EQ(title, QStringLiteral("資料查詢擷取"));
    EXPECT_EQ(mode, 0) << "the match mode shows 完全 on opening";
    EXPECT_EQ(items, QStringList({QStringLiteral("客戶編號"), QStringLiteral("客戶名稱")}));
    EXPECT_EQ(fieldBox, QString()) << "no field pre-selected";
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->releaseRequested());
    releaseDialogs();
    EXPECT_FALSE(last);
}

TEST_F(LookupDialog, EscCancelAndTheCloseBoxReturnFalseAfterAnEarlierOk)
{
    ASSERT_TRUE(runDialog([](TFrmgetdata& d) { WindowInput::click(d.BTCMDOK); }));
    const std::vector<std::pair<const char*, std::function<void(TFrmgetdata&)>>> ways = {
        {"Esc in the field list",
         [](TFrmgetdata& d) {
             d.ComboBox1->setFocus();
             WindowInput::keyClick(Qt::Key_Escape);
         }},
        {"Cancel", [](TFrmgetdata& d) { WindowInput::click(d.BDCMDNOT); }},
        {"close box", [](TFrmgetdata& d) { d.close(); }},
        {"Alt+C", [](TFrmgetdata& d) {
             d.Edit1->setFocus();
             WindowInput::keyClick(Qt::Key_C, Qt::AltModifier);
         }},
    };
    for (const auto& [name, close] : ways) {
        EXPECT_FALSE(runDialog(close)) << name;
        EXPECT_FALSE(TFrmgetdata::chosen()) << name;
    }
    // Esc anywhere else does not close the dialog.
    bool stillOpen = false;
    runDialog([&](TFrmgetdata& d) {
        d.Edit1->setFocus();
        WindowInput::keyClick(Qt::Key_Escape);
        stillOpen = d.isVisible();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_TRUE(stillOpen);
}

TEST_F(LookupDialog, EmptySearchTextInEachMode)
{
    struct Case {
        int mode;
        const char* comparison;
        int rows;  // 0: nothing found
    };
    // C001 has no name: only exact-empty and null rows stay out.
    const Case cases[] = {{0, "like ''", 0}, {1, "like '%'", 4}, {2, "like '%%'", 4}};
    for (const Case& c : cases) {
        messages.clear();
        std::vector<std::string> statement;
        int rows = -1;
        runDialog([&](TFrmgetdata& d) {
            search(d, 1, c.mode, QString());
            statement = d.statementLines();
            rows = d.DBGrid1->DataSource()->dataSet() == d.CDS_Query ? d.CDS_Query->recordCount() : 0;
            WindowInput::click(d.BDCMDNOT);
        });
        EXPECT_EQ(statement, (std::vector<std::string>{"select * from ", "CUSTOMER ", "where ", "CUST_NAME",
                                                       c.comparison, ""}));
        EXPECT_EQ(rows, c.rows) << c.comparison;
        EXPECT_EQ(messages, c.rows ? QStringList() : QStringList{QStringLiteral("找不到該條件資料!")});
    }
}

TEST_F(LookupDialog, QuotesAreSearchedForAndWildcardsStayWildcards)
{
    struct Case {
        int field, mode;
        QString text;
        std::vector<std::string> ids;
    };
    const Case cases[] = {
        {1, 2, QStringLiteral("O'Brien"), {"A002"}},
        {1, 0, QStringLiteral("O'Brien Trading"), {"A002"}},
        {0, 0, QStringLiteral("A00_"), {"A001", "A002"}},       // "_" matches one character
        {1, 1, QStringLiteral("台%"), {"A001", "B001"}},         // Big5 prefix with "%"
        {1, 2, QStringLiteral("10%"), {"B002"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> ids;
        runDialog([&](TFrmgetdata& d) {
            search(d, c.field, c.mode, c.text);
            TDataSet* shown = d.DBGrid1->DataSource()->dataSet();
            if (shown == d.CDS_Query)
                for (shown->first(); !shown->eof(); shown->next())
                    ids.push_back(shown->fieldByName("CUST_ID")->asString());
            WindowInput::click(d.BDCMDNOT);
        });
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, c.ids) << c.text.toStdString();
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
}

TEST_F(LookupDialog, SearchWithoutAFieldAsksForOne)
{
    std::vector<std::string> statement;
    runDialog([&](TFrmgetdata& d) {
        d.Edit1->setText(QStringLiteral("A"));
        WindowInput::click(d.SpeedButton1);
        statement = d.statementLines();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_EQ(messages, QStringList{QStringLiteral("請選擇查詢條件!")});
    EXPECT_TRUE(statement.empty());
}

TEST_F(LookupDialog, AFailedSearchAfterASuccessfulOneEmptiesTheGridAndResetBringsTheListBack)
{
    int afterFirst = 0, afterSecond = -1, afterReset = 0;
    QString textAfterReset = QStringLiteral("unset");
    bool resetShowsCaller = false;
    runDialog([&](TFrmgetdata& d) {
        search(d, 0, 1, QStringLiteral("A"));
        afterFirst = d.DBGrid1->DataSource()->dataSet()->recordCount();
        search(d, 0, 0, QStringLiteral("ZZZ"));
        afterSecond = d.DBGrid1->DataSource()->dataSet()->recordCount();
        WindowInput::click(d.SpeedButton2);
        resetShowsCaller = d.DBGrid1->DataSource()->dataSet() == d.LookupDataSet;
        afterReset = d.DBGrid1->DataSource()->dataSet()->recordCount();
        textAfterReset = d.Edit1->text();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_EQ(afterFirst, 2);
    EXPECT_EQ(afterSecond, 0);
    EXPECT_EQ(messages, QStringList{QStringLiteral("找不到該條件資料!")});
    EXPECT_TRUE(resetShowsCaller);
    EXPECT_EQ(afterReset, 5);
    EXPECT_EQ(textAfterReset, QString());
}

TEST_F(LookupDialog, TitlesAfterASearchAndTheChosenRowOfTheResult)
{
    std::vector<std::string> titles;
    std::string id;
    const bool chosen = runDialog(
        [&](TFrmgetdata& d) {
            search(d, 0, 2, QStringLiteral("B"));
            for (int i = 0; i < d.DBGrid1->FieldCount(); ++i)
                titles.push_back(d.DBGrid1->ColumnByIndex(i).DisplayLabel());
            d.DBGrid1->setFocus();
            WindowInput::keyClick(Qt::Key_Down);
            WindowInput::keyClick(Qt::Key_Return);  // Enter in the grid chooses
        },
        &id);
    EXPECT_EQ(titles, (std::vector<std::string>{big5("客戶編號"), big5("客戶名稱"), "CONTACT", "TEL", "ADDRESS"}));
    EXPECT_TRUE(chosen);
    EXPECT_EQ(id, "B002") << "read from the search result before it goes";
    releaseDialogs();
    EXPECT_EQ(DS_CUST.dataSet(), nullptr) << "the result went with the dialog";
}

TEST_F(LookupDialog, EnterAndLeavingTheMatchModeSearchOnlyWithText)
{
    std::vector<std::string> afterEmptyEnter, afterEnter;
    runDialog([&](TFrmgetdata& d) {
        d.ComboBox1->setCurrentIndex(0);
        d.Edit1->setFocus();
        WindowInput::keyClick(Qt::Key_Return);
        afterEmptyEnter = d.statementLines();
        d.Edit1->setText(QStringLiteral("C001"));
        WindowInput::keyClick(Qt::Key_Return);
        afterEnter = d.statementLines();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_TRUE(afterEmptyEnter.empty());
    ASSERT_EQ(afterEnter.size(), 6u);
    EXPECT_EQ(afterEnter[4], "like 'C001'");
}

TEST_F(LookupDialog, NavigationButtonsAndADoubleClickOnlyMove)
{
    std::vector<bool> atOpening;
    bool openAfterDoubleClick = false;
    int recNo = 0;
    runDialog([&](TFrmgetdata& d) {
        for (TDBSpeedButton* b : {d.dbSBtnFirst, d.dbSBtnPrior, d.dbSBtnNext, d.dbSBtnLast})
            atOpening.push_back(b->isEnabled());
        WindowInput::click(d.dbSBtnLast);
        WindowInput::click(d.dbSBtnPrior);
        TwwDBGrid* grid = d.DBGrid1;
        const QPoint row3(grid->indicatorWidth() + 5, grid->titleRowHeight() + 2 * grid->dataRowHeight() + 3);
        WindowInput::doubleClick(grid->viewport(), row3);
        openAfterDoubleClick = d.isVisible();
        recNo = d.LookupDataSet->recNo();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_EQ(atOpening, std::vector<bool>({false, false, true, true})) << "First and Prior off at the first record";
    EXPECT_TRUE(openAfterDoubleClick);
    EXPECT_EQ(recNo, 3);
}

TEST_F(LookupDialog, ACustomerAddedAfterTheFirstUseDoesNotAppear)
{
    int first = 0, second = 0;
    runDialog([&](TFrmgetdata& d) {
        first = d.LookupDataSet->recordCount();
        WindowInput::click(d.BDCMDNOT);
    });
    insertCustomer("D001", "新客戶", "Ho");
    runDialog([&](TFrmgetdata& d) {
        second = d.LookupDataSet->recordCount();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_EQ(first, 5);
    EXPECT_EQ(second, 5) << "the list is fetched once, at the first use";
}

TEST_F(LookupDialog, AStatementThatFailsIsReportedAndTheDialogStaysOpen)
{
    bool open = false;
    bool queryActive = true;
    runDialog([&](TFrmgetdata& d) {
        d.ComboBox1->setEditText(QStringLiteral("NOSUCHFIELD"));  // typed, never a field name
        d.Edit1->setText(QStringLiteral("x"));
        WindowInput::click(d.SpeedButton1);
        open = d.isVisible();
        queryActive = d.CDS_Query->active();
        WindowInput::click(d.BDCMDNOT);
    });
    EXPECT_TRUE(open);
    EXPECT_FALSE(queryActive);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages[0].isEmpty()) << "the server's message";
}

}
