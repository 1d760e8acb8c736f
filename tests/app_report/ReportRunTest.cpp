// The report run end to end: the real main window, in process, against fixture databases made
// here, with stand-ins for the preview plug-in. Results are checked against totals computed
// from the fixture rows (ReportFixture), not against the program's statements.

#include "ReportFixture.h"

#include "ClientDataSet.h"
#include "Clock.h"
#include "DatasetFile.h"
#include "DbTestSupport.h"
#include "ExeDir.h"
#include "Field.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "PrivateFirebirdServer.h"
#include "ReportRun.h"
#include "ReportRunObserver.h"
#include "TcpRelay.h"
#include "TbsSkinButton.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "TbsSkinGauge.h"
#include "TbsSkinScrollBar.h" // before the memo, which holds a pointer to one
#include "TbsSkinMemo.h"
#include "TDBMemo.h"
#include "TextCodec.h"
#include "Tfrmcust_prod.h"
#include "TbsSkinMonthCalendar.h"
#include "TbsSkinPopupMonthCalendar.h"
#include "TbsSkinSpeedButton.h"
#include "TFrmgetdata.h"
#include "TSpeedButton.h"
#include "TwwDBGrid.h"
#include "PaintRecorder.h"
#include "WindowInput.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace {

const QString noDataMessage = QStringLiteral("查無符合資料,請重新查詢...");

QApplication& qtApp()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *app;
    static int argc = 1;
    static char name[] = "app_report_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's test input devices are torn down at exit and must not outlive it.
    return *new QApplication(argc, argv);
}

std::string big5(const char* utf8)
{
    return TextCodec::utf8ToCp950(utf8);
}

FixtureDocument sale(std::string bill, std::string cust, std::string name, QDate date, std::vector<FixtureLine> lines)
{
    return {false, std::move(bill), std::move(cust), std::move(name), date, std::move(lines)};
}

FixtureDocument giveBack(std::string bill, std::string cust, std::string name, QDate date,
                         std::vector<FixtureLine> lines)
{
    return {true, std::move(bill), std::move(cust), std::move(name), date, std::move(lines)};
}

// The shop of the main tests. In the period 2024: A001 buys under two names and returns
// pencils (added to both rows); A002 returns ink it never bought; B001 returns pens twice
// under two spellings of its name, without a sale at that price, and more ink than it
// bought; O'NEIL has a quote in its code. Documents outside the period and a line of an
// unknown product must not count.
Fixture shopFixture()
{
    Fixture f;
    f.products = {{"P01", big5("鉛筆")}, {"P02", "Pen"}, {"P03", "Ink"}};
    const QDate d(2024, 3, 1);
    f.documents = {
        sale("S1", "A001", big5("甲公司"), d, {{"P01", 5.0, 10}, {"P02", 2.5, 3}, {"P01", 5.0, 2}, {"P99", 1.0, 1}}),
        sale("S2", "A001", big5("甲公司新"), d.addDays(30), {{"P01", 5.0, 4}}),
        sale("S3", "A002", big5("乙"), d.addDays(60), {{"P02", 2.5, 1}}),
        sale("S4", "B001", big5("丙"), d.addDays(90), {{"P03", 10.0, 2}}),
        sale("S5", "O'NEIL", "O'Neil Ltd", d.addDays(91), {{"P02", 2.5, 6}}),
        sale("S6", "A001", big5("甲公司"), QDate(2023, 12, 31), {{"P01", 5.0, 100}}),
        sale("S7", "B001", big5("丙"), QDate(2025, 1, 1), {{"P03", 10.0, 100}}),
        giveBack("R1", "A001", big5("甲公司"), d.addDays(120), {{"P01", 5.0, 3}}),
        giveBack("R2", "A002", big5("乙"), d.addDays(120), {{"P03", 7.0, 1}}),
        giveBack("R3", "B001", big5("丙"), d.addDays(121), {{"P02", 2.5, 2}, {"P03", 10.0, 5}}),
        giveBack("R4", "B001", big5("丙丙"), d.addDays(122), {{"P02", 2.5, 1}}),
        giveBack("R5", "A002", big5("乙"), QDate(2025, 2, 1), {{"P02", 2.5, 50}}),
    };
    return f;
}

bool fileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

// The parameter file: one record whose REP_TITLE is the report title.
void writeParameterFile(const std::string& path, const std::string& title)
{
    DataPacket packet;
    packet.fields = {{"REP_TITLE", FieldType::String, 100, false}, {"COMPANY", FieldType::String, 20, false}};
    packet.rows = {{Variant(title), Variant("Tarnvik")}};
    DatasetFile::save(path, packet);
}

// Two return rows that differ only in the customer name end in one row; which of the two
// names it carries is the database's order to choose. Compare that row without its name.
void blankAmbiguousName(std::vector<ReportRow>& rows)
{
    for (ReportRow& row : rows)
        if (row.custId == "B001" && row.prodId == "P02")
            row.custName = "*";
}

class ReportRunTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        qtApp();
        if (GetParam() == Engine::Server && !findTestServer())
            GTEST_SKIP() << "no loopback server: run scripts/firebird-server.sh start";
        env_ = std::make_unique<DbTestEnvironment>();
        database_ = env_->createDatabase(GetParam(), "report.fdb");
        db_ = env_->connect(database_, GetParam());
        createPosTables(*db_);
        writeParameterFile(env_->path("Tarnvik.dat"), big5("塔恩維克報表"));
        usePlugin(REPORT_TEST_PREVIEW);
        clock_ = QDateTime(QDate(2025, 1, 10), QTime(14, 30, 5));
        Clock::set(clock_);
        messages_ = std::make_unique<MessageBox::ScopedHandler>([this](const MessageBox::Request& request) {
            shownMessages_.push_back(request.text);
            return QMessageBox::Ok;
        });
    }

    void TearDown() override
    {
        form_.reset();
        messages_.reset();
        Clock::set(std::nullopt);
        db_.reset();
        env_.reset();
    }

    void usePlugin(const char* builtPlugin)
    {
        const std::string target = env_->path("libRptPreview.so");
        std::filesystem::remove(target);
        if (builtPlugin)
            std::filesystem::copy_file(builtPlugin, target);
    }

    Tfrmcust_prod& newForm()
    {
        form_.reset();
        form_ = std::make_unique<Tfrmcust_prod>();
        form_->show();
        return *form_;
    }

    // Presses OK with these entries; each run starts a second later than the previous one.
    void runReport(const QString& cust1, const QString& cust2, const QString& from, const QString& to,
                   const QString& minAmount = {})
    {
        if (!form_ || !form_->isVisible())
            newForm();
        clock_ = clock_.addSecs(1);
        Clock::set(clock_);
        shownMessages_.clear();
        form_->CUST1->setText(cust1);
        form_->CUST2->setText(cust2);
        form_->bsSkinDateEdit1->setText(from);
        form_->bsSkinDateEdit2->setText(to);
        form_->bsSkinEdit1->setText(minAmount);
        form_->bsSkinButton1->Click();
    }

    // The report table of the last run: the time of day it started, then the number that
    // makes it unique in the database.
    virtual std::string tableName() const { return form_->reportRun().values().TMPTABLE; }
    std::string timeOfDayPrefix() const { return "TMP_" + clock_.toString("HHmmss").toStdString(); }

    bool tableExists(const std::string& name)
    {
        const DataPacket rows = db_->query(
            "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = ?", {DbxParam::fromText(name)});
        return rows.rows.at(0).at(0).asInteger() > 0;
    }

    int reportTablesLeft()
    {
        const DataPacket rows
            = db_->query("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME STARTING WITH 'TMP_'", {});
        return static_cast<int>(rows.rows.at(0).at(0).asInteger());
    }

    std::vector<std::string> previewCalls() const
    {
        std::vector<std::string> lines;
        std::ifstream log(env_->path("showform.log"));
        for (std::string line; std::getline(log, line);)
            lines.push_back(line);
        return lines;
    }

    int scratchDatasets() const
    {
        int count = 0;
        for (TComponent* component : form_->components())
            if (dynamic_cast<TClientDataSet*>(component) && component->name().empty())
                ++count;
        return count;
    }

    // The saved result is the shop's report of 2024, every customer.
    void expectWholeYearOfTheShop() const
    {
        std::vector<ReportRow> rows = reportRowsOfFile(env_->path("temp.cds"));
        std::vector<ReportRow> expected
            = expectedReport(shopFixture(), {QDate(2024, 1, 1), QDate(2024, 12, 31), "", "", std::nullopt});
        blankAmbiguousName(rows);
        blankAmbiguousName(expected);
        EXPECT_EQ(describe(rows), describe(expected));
    }

    std::string lastMessage() const
    {
        return shownMessages_.empty() ? std::string() : shownMessages_.back().toStdString();
    }

    std::unique_ptr<DbTestEnvironment> env_;
    std::string database_;
    std::unique_ptr<TSQLConnection> db_;
    std::unique_ptr<Tfrmcust_prod> form_;
    std::unique_ptr<MessageBox::ScopedHandler> messages_;
    std::vector<QString> shownMessages_;
    QDateTime clock_;
};


TEST_P(ReportRunTest, ReportMatchesTheTotalsOfTheFixtureRows)
{
    const Fixture fixture = shopFixture();
    insertFixture(*db_, fixture);
    struct Case {
        const char* what;
        QString cust1, cust2, from, to, minText;
        std::string custFrom, custTo;
        std::optional<double> minAmount;
    };
    const QString y0 = "2024/01/01", y1 = "2024/12/31";
    const Case cases[] = {
        {"every customer", "", "", y0, y1, "", "", "", {}},
        {"CUST1 empty, CUST2 filled: every customer", "", "A001", y0, y1, "", "", "", {}},
        {"CUST1 only: that one customer", "A002", "", y0, y1, "", "A002", "A002", {}},
        {"a range", "A001", "B001", y0, y1, "", "A001", "B001", {}},
        {"a code with a quote", "O'NEIL", "", y0, y1, "", "O'NEIL", "O'NEIL", {}},
        {"blanks kept: ' A001 ' is not A001", " A001 ", "", y0, y1, "", " A001 ", " A001 ", {}},
        {"a quoted condition is only a strange code", "' OR '1'='1", "", y0, y1, "", "' OR '1'='1", "' OR '1'='1", {}},
        {"MINAMOUNT 0 drops the customers with a negative total", "", "", y0, y1, "0", "", "", 0.0},
        {"MINAMOUNT of blanks drops nothing", "", "", y0, y1, "   ", "", "", {}},
        {"MINAMOUNT above every total: no rows left", "", "", y0, y1, "1000", "", "", 1000.0},
        {"a reversed period", "", "", y1, y0, "", "", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportCriteria criteria{QDate::fromString(c.from, "yyyy/MM/dd"), QDate::fromString(c.to, "yyyy/MM/dd"),
                                c.custFrom, c.custTo, c.minAmount};
        std::vector<ReportRow> expected = expectedReport(fixture, criteria);
        std::filesystem::remove(env_->path("showform.log"));
        runReport(c.cust1, c.cust2, c.from, c.to, c.minText);

        if (expected.empty()) {
            ASSERT_EQ(shownMessages_, std::vector<QString>{noDataMessage});
            EXPECT_TRUE(form_->isVisible());
            EXPECT_TRUE(tableExists(tableName())) << "the table stays after the no-data message";
            EXPECT_FALSE(fileExists(env_->path("temp.cds")));
            EXPECT_FALSE(fileExists(env_->path("temp2.cds")));
            EXPECT_EQ(form_->bsSkinGauge1->Value(), 3);
            continue;
        }
        ASSERT_TRUE(shownMessages_.empty()) << shownMessages_.front().toStdString();
        EXPECT_FALSE(form_->isVisible()) << "a successful run closes the window";
        EXPECT_FALSE(tableExists(tableName()));
        EXPECT_EQ(previewCalls(), std::vector<std::string>{"ShowForm temp.cds=1 temp2.cds=1 rpttemp.ini=1"});
        std::vector<ReportRow> actual = reportRowsOfFile(env_->path("temp.cds"));
        blankAmbiguousName(expected);
        blankAmbiguousName(actual);
        EXPECT_EQ(actual, expected) << "actual:\n" << describe(actual) << "expected:\n" << describe(expected);
    }
}

TEST_P(ReportRunTest, SuccessfulRunLeavesTheHandoffFilesAndTheWindowAsDescribed)
{
    insertFixture(*db_, shopFixture());
    newForm();
    const int scratchBefore = scratchDatasets();
    runReport("A001", "A001", "2024/01/01", "2024/12/31");
    ASSERT_TRUE(shownMessages_.empty()) << lastMessage();

    EXPECT_FALSE(form_->DBMemo1->isVisible());
    EXPECT_EQ(form_->bsSkinMemo1->Lines(),
              QStringList({"暫存資料建置中...", "CAST3 .....", "報表模組載入中..."}));
    EXPECT_EQ(form_->bsSkinGauge1->MinValue(), 0);
    EXPECT_EQ(form_->bsSkinGauge1->MaxValue(), 10);
    EXPECT_EQ(form_->bsSkinGauge1->Value(), 5);
    EXPECT_EQ(scratchDatasets(), scratchBefore + 1);

    const DataPacket header = DatasetFile::load(env_->path("temp2.cds"));
    ASSERT_EQ(header.fields.size(), 14u);
    ASSERT_EQ(header.rows.size(), 1u);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(header.fields[size_t(i)].name, "Field" + std::to_string(i));
        EXPECT_EQ(header.fields[size_t(i)].size, i == 13 ? 200 : 50);
    }
    const DataRow& record = header.rows[0];
    EXPECT_EQ(record[0].asString(), big5("客戶區間商品數量表"));
    EXPECT_EQ(record[1].asString(), big5("查詢年月: ") + "2024/01/01\xA1\xE3" "2024/12/31");
    for (int i = 2; i <= 11; ++i)
        EXPECT_TRUE(record[size_t(i)].isNull()) << "Field" << i;
    EXPECT_EQ(record[12].asString(), big5("塔恩維克報表"));
    EXPECT_TRUE(record[13].isNull()) << "no remark typed";

    const TIniFile ini(env_->path("rpttemp.ini"));
    EXPECT_EQ(ini.readString("rpttemp", "path", ""), env_->dir() + "/rtm/cust_prod.rtm");
    EXPECT_EQ(ini.readString("rpttemp", "tempfile", ""), env_->dir() + "/temp.cds");
    EXPECT_EQ(ini.readString("rpttemp", "tempfile2", ""), env_->dir() + "/temp2.cds");
}

TEST_P(ReportRunTest, FailedPreviewCleansUpAndASecondRunSucceeds)
{
    insertFixture(*db_, shopFixture());
    usePlugin(nullptr);
    newForm();
    // A remark typed for the first run.
    form_->ClientDataSet2->edit();
    form_->ClientDataSet2->field(0)->setValue(Variant(big5("第一次的備註")));
    runReport("", "", "2024/01/01", "2024/12/31");
    EXPECT_EQ(shownMessages_, std::vector<QString>{"Unable to Load DLL."});
    EXPECT_TRUE(form_->isVisible());
    EXPECT_FALSE(tableExists(tableName())) << "the clean-up drops the table";
    EXPECT_TRUE(fileExists(env_->path("temp.cds")));
    EXPECT_TRUE(fileExists(env_->path("temp2.cds")));
    EXPECT_EQ(DatasetFile::load(env_->path("temp2.cds")).rows.at(0).at(13).asString(), big5("第一次的備註"));

    usePlugin(REPORT_TEST_PREVIEW);
    runReport("", "", "2024/01/01", "2024/12/31");
    EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_FALSE(tableExists(tableName()));
    EXPECT_EQ(form_->CDS->recordCount(), 1);
    const DataPacket header = DatasetFile::load(env_->path("temp2.cds"));
    ASSERT_EQ(header.rows.size(), 1u);
    EXPECT_TRUE(header.rows[0][13].isNull()) << "the remark went with the first run";
    EXPECT_EQ(previewCalls().size(), 1u);
}

// Desks share the server, and a run that found nothing leaves its table: neither a table of
// another run started in the same second nor one left behind stops a run.
TEST_P(ReportRunTest, TablesOfOtherRunsOfTheSameSecondDoNotStopTheRun)
{
    insertFixture(*db_, shopFixture());
    const std::string plainName = "TMP_" + clock_.addSecs(1).toString("HHmmss").toStdString();
    db_->execute("CREATE TABLE " + plainName + " (X INTEGER)", {});
    runReport("", "", "2025/06/01", "2025/06/30");  // nothing in the period: the table stays
    ASSERT_EQ(shownMessages_, std::vector<QString>{noDataMessage});
    const std::string leftByFirstRun = tableName();
    EXPECT_EQ(leftByFirstRun.rfind(timeOfDayPrefix() + "_", 0), 0u) << leftByFirstRun;
    EXPECT_LE(leftByFirstRun.size() + 2, 31u) << "the name and its index's fit Firebird's limit";
    EXPECT_TRUE(tableExists(leftByFirstRun));

    // OK again in the same second, in the same program.
    clock_ = clock_.addSecs(-1);
    runReport("", "", "2024/01/01", "2024/12/31");
    EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_NE(tableName(), leftByFirstRun);
    EXPECT_EQ(tableName().rfind(timeOfDayPrefix() + "_", 0), 0u) << tableName();
    EXPECT_FALSE(tableExists(tableName()));
    EXPECT_TRUE(tableExists(plainName));
    EXPECT_TRUE(tableExists(leftByFirstRun));
    expectWholeYearOfTheShop();
}

INSTANTIATE_TEST_SUITE_P(Engines, ReportRunTest, ::testing::Values(Engine::Embedded, Engine::Server),
                         [](const auto& info) { return std::string(engineName(info.param)); });

// The cases that do not depend on the engine run on the embedded one.
class ReportRunEmbeddedTest : public ReportRunTest {};

TEST_P(ReportRunEmbeddedTest, PluginWithoutShowFormClosesTheWindowAfterTheCleanUp)
{
    insertFixture(*db_, shopFixture());
    usePlugin(REPORT_TEST_PREVIEW_NO_SHOWFORM);
    runReport("", "", "2024/01/01", "2024/12/31");
    EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_FALSE(tableExists(tableName()));
    EXPECT_TRUE(fileExists(env_->path("temp.cds")));
}

TEST_P(ReportRunEmbeddedTest, ErrorOfThePreviewComesAfterTheCleanUp)
{
    insertFixture(*db_, shopFixture());
    env_->writeFile("showform.fail", "");
    runReport("", "", "2024/01/01", "2024/12/31");
    EXPECT_EQ(shownMessages_, std::vector<QString>{"the preview failed."});
    EXPECT_EQ(previewCalls().size(), 1u);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_FALSE(tableExists(tableName()));
}

TEST_P(ReportRunEmbeddedTest, HandoffIniKeepsEverythingElseAndLongTextsAreCut)
{
    insertFixture(*db_, shopFixture());
    env_->writeFile("rpttemp.ini", "; kept\r\n[other]\r\na=1\r\n[rpttemp]\r\npath=old\r\nextra=keep\r\n");
    const std::string title(60, 'T');
    writeParameterFile(env_->path("Tarnvik.dat"), title);
    newForm();
    const std::string remark = std::string(190, 'r') + big5("備註備註備註備註");  // 206 bytes
    form_->ClientDataSet2->edit();
    form_->ClientDataSet2->field(0)->setValue(Variant(remark));
    runReport("", "", "2024/01/01", "2024/12/31");
    ASSERT_TRUE(shownMessages_.empty()) << lastMessage();

    std::ifstream in(env_->path("rpttemp.ini"), std::ios::binary);
    const std::string ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string dir = env_->dir() + "/";
    EXPECT_EQ(ini, "; kept\r\n[other]\r\na=1\r\n[rpttemp]\r\npath=" + dir + "rtm/cust_prod.rtm\r\nextra=keep\r\ntempfile="
                       + dir + "temp.cds\r\ntempfile2=" + dir + "temp2.cds\r\n");

    const DataRow record = DatasetFile::load(env_->path("temp2.cds")).rows.at(0);
    EXPECT_EQ(record[12].asString(), std::string(50, 'T'));
    EXPECT_EQ(record[13].asString(), remark.substr(0, 200));
}

// A clerk's report by mouse only: both dates picked in their drop-down calendars (year and
// month buttons, a day), both customers picked in the lookup dialog (a row, OK), then OK. The
// pointer goes through the top-level windows as the window system delivers it.
class ReportByMouse : public ReportRunTest {
protected:
    Tfrmcust_prod& shownForm()
    {
        Tfrmcust_prod& form = newForm();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        return form;
    }

    static QPoint buttonOf(TbsSkinCustomEdit* edit) { return edit->geometryNow().buttonPlace.toQRect().center(); }

    // Drops the calendar down, steps it with its buttons and clicks `day`.
    static void pickDate(TbsSkinDateEdit* edit, int yearSteps, int monthSteps, int day)
    {
        WindowInput::click(edit, buttonOf(edit));
        TbsSkinPopupMonthCalendar* calendar = edit->calendar();
        ASSERT_TRUE(calendar->isVisible());
        for (int i = 0; i < std::abs(yearSteps); ++i)
            WindowInput::click(yearSteps < 0 ? calendar->priorYearButton() : calendar->nextYearButton());
        for (int i = 0; i < std::abs(monthSteps); ++i)
            WindowInput::click(monthSteps < 0 ? calendar->priorMonthButton() : calendar->nextMonthButton());
        ASSERT_TRUE(calendar->isVisible()) << "the calendar stays open while it is stepped";
        QPoint cell;
        for (int y = 0; y < calendar->height() && cell.isNull(); ++y)
            for (int x = 0; x < calendar->width() && cell.isNull(); ++x)
                if (calendar->dayAt(QPoint(x, y)) == day)
                    cell = QPoint(x + 3, y + 3);
        ASSERT_FALSE(cell.isNull());
        WindowInput::click(calendar, cell);
        EXPECT_FALSE(calendar->isVisible());
    }

    // Clicks the button inside `field`; `answer` runs in the lookup dialog's modal loop.
    static void pickCustomer(TbsSkinEdit* field, const std::function<void(TFrmgetdata&)>& answer)
    {
        bool answered = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<TFrmgetdata*>(QApplication::activeModalWidget());
            if (!dialog || answered)
                return;
            answered = true;
            answer(*dialog);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        poll.start();
        watchdog.start(20000);
        WindowInput::click(field, buttonOf(field));
        EXPECT_TRUE(answered) << "no lookup dialog";
    }

    static void clickRow(TFrmgetdata& d, int row)
    {
        TwwDBGrid* grid = d.DBGrid1;
        WindowInput::click(grid->viewport(),
                           QPoint(grid->indicatorWidth() + 5,
                                  grid->titleRowHeight() + (row - 1) * grid->dataRowHeight() + grid->dataRowHeight() / 2));
    }

    void addCustomers()
    {
        for (const char* id : {"A001", "A002", "B001"})
            db_->execute(std::string("INSERT INTO CUSTOMER VALUES ('") + id + "', 'x')", {});
    }
};

TEST_P(ReportByMouse, AReportFromStartToPreviewCoversExactlyThePickedDaysAndCustomers)
{
    const Fixture fixture = shopFixture();
    insertFixture(*db_, fixture);
    addCustomers();
    Tfrmcust_prod& form = shownForm();
    ASSERT_EQ(form.bsSkinDateEdit1->Text(), "2025/01/10");

    // The edit's button opens and closes the calendar; closed so, it takes no date.
    WindowInput::click(form.bsSkinDateEdit1, buttonOf(form.bsSkinDateEdit1));
    ASSERT_TRUE(form.bsSkinDateEdit1->calendar()->isVisible());
    WindowInput::click(form.bsSkinDateEdit1->calendar()->priorMonthButton());
    WindowInput::click(form.bsSkinDateEdit1, buttonOf(form.bsSkinDateEdit1));
    EXPECT_FALSE(form.bsSkinDateEdit1->calendar()->isVisible());
    EXPECT_EQ(form.bsSkinDateEdit1->Text(), "2025/01/10");
    // A click elsewhere in the window (where the calendar does not lie over it) closes it too,
    // without a date.
    WindowInput::click(form.bsSkinDateEdit1, buttonOf(form.bsSkinDateEdit1));
    ASSERT_TRUE(form.bsSkinDateEdit1->calendar()->isVisible());
    QWidget* panel = form.bsSkinDateEdit1->parentWidget();
    ASSERT_FALSE(form.bsSkinDateEdit1->calendar()->frameGeometry().contains(panel->mapToGlobal(QPoint(10, 10))));
    WindowInput::click(panel, QPoint(10, 10));
    EXPECT_FALSE(form.bsSkinDateEdit1->calendar()->isVisible());
    EXPECT_EQ(form.bsSkinDateEdit1->Text(), "2025/01/10");

    // From 31 March 2024 (the calendar stands on December 2024 after the step above) to
    // 29 June 2024: the documents of 1 March and 30 June lie just outside.
    pickDate(form.bsSkinDateEdit1, -1, 3, 31);
    EXPECT_EQ(form.bsSkinDateEdit1->Text(), "2024/03/31");
    pickDate(form.bsSkinDateEdit2, -1, 5, 29);
    EXPECT_EQ(form.bsSkinDateEdit2->Text(), "2024/06/29");

    pickCustomer(form.CUST1, [](TFrmgetdata& d) {
        clickRow(d, 1);
        WindowInput::click(d.BTCMDOK);
    });
    pickCustomer(form.CUST2, [](TFrmgetdata& d) {
        clickRow(d, 3);
        WindowInput::click(d.BTCMDOK);
    });
    EXPECT_EQ(form.CUST1->Text(), "A001");
    EXPECT_EQ(form.CUST2->Text(), "B001");

    clock_ = clock_.addSecs(1);
    Clock::set(clock_);
    WindowInput::click(form.bsSkinButton1);
    ASSERT_TRUE(shownMessages_.empty()) << lastMessage();
    EXPECT_EQ(previewCalls(), std::vector<std::string>{"ShowForm temp.cds=1 temp2.cds=1 rpttemp.ini=1"});
    std::vector<ReportRow> expected =
        expectedReport(fixture, {QDate(2024, 3, 31), QDate(2024, 6, 29), "A001", "B001", {}});
    ASSERT_FALSE(expected.empty());
    std::vector<ReportRow> actual = reportRowsOfFile(env_->path("temp.cds"));
    blankAmbiguousName(expected);
    blankAmbiguousName(actual);
    EXPECT_EQ(actual, expected) << "actual:\n" << describe(actual) << "expected:\n" << describe(expected);
    const DataRow header = DatasetFile::load(env_->path("temp2.cds")).rows.at(0);
    EXPECT_EQ(header[1].asString(), big5("查詢年月: ") + "2024/03/31\xA1\xE3" "2024/06/29");
}

// OK pressed and dragged off before the release: no report, and the button does not stay
// drawn down, also when the pointer comes back over it and leaves again.
TEST_P(ReportByMouse, OkPressedAndDraggedOffRunsNothingAndComesUp)
{
    insertFixture(*db_, shopFixture());
    Tfrmcust_prod& form = shownForm();
    form.bsSkinDateEdit1->setText("2024/01/01");
    TbsSkinButton* ok = form.bsSkinButton1;
    PaintRecorder screen(ok);
    const QPoint off = form.bsSkinMemo1->mapTo(&form, form.bsSkinMemo1->rect().center());

    WindowInput::move(ok);
    WindowInput::press(ok);
    ASSERT_TRUE(ok->Down());
    const QImage down = screen.lastPainted();
    // The skin's morphing repaints on the next tick of its timer.
    auto drawnDown = [&] {
        QTest::qWait(100);
        return screen.lastPainted() == down;
    };
    WindowInput::move(&form, off);
    EXPECT_FALSE(drawnDown()) << "drawn up while the pointer is off OK";
    WindowInput::move(ok);
    EXPECT_TRUE(drawnDown()) << "drawn down again when it is back";
    WindowInput::move(&form, off);
    WindowInput::release(&form, off);
    WindowInput::move(ok);
    WindowInput::move(&form, off);
    EXPECT_FALSE(drawnDown());
    EXPECT_FALSE(ok->Down());
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
    EXPECT_TRUE(previewCalls().empty());
    EXPECT_FALSE(fileExists(env_->path("temp.cds")));
}

namespace {

// A virtual X server of its own, on the first free display.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                               QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                               QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (server_.waitForStarted(10000) && server_.waitForReadyRead(10000))
            name_ = QStringLiteral(":") + QString::fromLatin1(server_.readLine().trimmed());
    }
    ~VirtualDisplay()
    {
        server_.terminate();
        if (!server_.waitForFinished(5000)) {
            server_.kill();
            server_.waitForFinished();
        }
    }
    const QString& name() const { return name_; }

    // Runs xdotool on this display; its standard output.
    QString xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), name_);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(20000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }
    void clickAt(QPoint p) const
    {
        xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()), QStringLiteral("sleep"),
                 QStringLiteral("0.1"), QStringLiteral("click"), QStringLiteral("1")});
        QTest::qWait(200);  // the program's turn
    }
    // The first visible window of that process, waited for; empty when none came.
    QString windowOf(const QProcess& program) const
    {
        return xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--pid"), QString::number(program.processId())})
            .section(QLatin1Char('\n'), 0, 0);
    }
    // The window's place and size on the screen.
    QRect geometryOf(const QString& window) const
    {
        QRect geometry;
        for (const QString& line :
             xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window}).split('\n')) {
            const int value = line.section(QLatin1Char('='), 1).toInt();
            if (line.startsWith(QLatin1String("X=")))
                geometry.moveLeft(value);
            else if (line.startsWith(QLatin1String("Y=")))
                geometry.moveTop(value);
            else if (line.startsWith(QLatin1String("WIDTH=")))
                geometry.setWidth(value);
            else if (line.startsWith(QLatin1String("HEIGHT=")))
                geometry.setHeight(value);
        }
        return geometry;
    }
    // The environment of the built program on this display, with a home of the test's own.
    QProcessEnvironment programEnvironment(const std::string& home) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), name_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("QT_IM_MODULE"), QStringLiteral("none"));
        environment.insert(QStringLiteral("HOME"), QString::fromStdString(home));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(home + "/.config"));
        return environment;
    }

private:
    QProcess server_;
    QString name_;
};

}  // namespace

// The built program on an X server, driven by the real pointer (xdotool): both dates picked in
// their calendars, then OK. The positions come from the same window built here.
TEST_P(ReportByMouse, TheBuiltProgramOnAnXServerTakesTheDatesPickedWithThePointer)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool";
    const Fixture fixture = shopFixture();
    insertFixture(*db_, fixture);

    // Where to click, relative to the window's top-left corner.
    const QDate today = QDate::currentDate();
    struct DatePick {
        QPoint button, yearButton, monthButton, day;
        int yearSteps, monthSteps;
    };
    auto plan = [&](TbsSkinDateEdit* edit, QDate target) {
        QWidget* window = edit->window();
        DatePick pick;
        pick.button = edit->mapTo(window, buttonOf(edit));
        pick.yearSteps = target.year() - today.year();
        pick.monthSteps = target.month() - today.month();
        edit->ShowCalendar();
        TbsSkinPopupMonthCalendar* calendar = edit->calendar();
        const QPoint origin = edit->mapTo(window, QPoint(0, edit->height()));
        EXPECT_EQ(calendar->pos(), edit->mapToGlobal(QPoint(0, edit->height())));
        pick.yearButton = origin + (pick.yearSteps < 0 ? calendar->priorYearButton() : calendar->nextYearButton())
                                       ->geometry().center();
        pick.monthButton = origin + (pick.monthSteps < 0 ? calendar->priorMonthButton() : calendar->nextMonthButton())
                                        ->geometry().center();
        calendar->setDate(toDateTimeValue(target));
        for (int y = 0; y < calendar->height() && pick.day.isNull(); ++y)
            for (int x = 0; x < calendar->width() && pick.day.isNull(); ++x)
                if (calendar->dayAt(QPoint(x, y)) == target.day())
                    pick.day = origin + QPoint(x + 3, y + 3);
        edit->HideCalendar(false);
        return pick;
    };
    Tfrmcust_prod& form = shownForm();
    const QSize windowSize = form.size();
    const DatePick from = plan(form.bsSkinDateEdit1, QDate(2024, 3, 31));
    const DatePick to = plan(form.bsSkinDateEdit2, QDate(2024, 6, 29));
    const QPoint ok = form.bsSkinButton1->mapTo(&form, form.bsSkinButton1->rect().center());
    // The embedded engine lets one process at a time have the database.
    form_.reset();
    db_.reset();

    VirtualDisplay display;
    ASSERT_FALSE(display.name().isEmpty()) << "Xvfb did not start";
    std::filesystem::copy_file(std::string(CUSTPROD_EXEDIR) + "/cust_prod", env_->path("cust_prod"));
    QProcess program;
    program.setProcessEnvironment(display.programEnvironment(env_->path("home")));
    program.start(QString::fromStdString(env_->path("cust_prod")), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const QString window = display.windowOf(program);
    ASSERT_FALSE(window.isEmpty()) << "no window";
    QTest::qWait(500);
    const QRect geometry = display.geometryOf(window);
    const QPoint corner = geometry.topLeft();
    ASSERT_EQ(geometry.size(), windowSize) << "the window as built here";

    for (const DatePick& pick : {from, to}) {
        display.clickAt(corner + pick.button);
        for (int i = 0; i < std::abs(pick.yearSteps); ++i)
            display.clickAt(corner + pick.yearButton);
        for (int i = 0; i < std::abs(pick.monthSteps); ++i)
            display.clickAt(corner + pick.monthButton);
        display.clickAt(corner + pick.day);
    }
    display.clickAt(corner + ok);
    // A successful run closes the window, and the program ends.
    const bool finished = program.state() == QProcess::NotRunning || program.waitForFinished(60000);
    if (!finished)
        program.kill();
    ASSERT_TRUE(finished) << "the window did not close after the report";
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

    EXPECT_EQ(previewCalls(), std::vector<std::string>{"ShowForm temp.cds=1 temp2.cds=1 rpttemp.ini=1"});
    const DataRow header = DatasetFile::load(env_->path("temp2.cds")).rows.at(0);
    EXPECT_EQ(header[1].asString(), big5("查詢年月: ") + "2024/03/31\xA1\xE3" "2024/06/29");
    std::vector<ReportRow> expected = expectedReport(fixture, {QDate(2024, 3, 31), QDate(2024, 6, 29), "", "", {}});
    ASSERT_FALSE(expected.empty());
    std::vector<ReportRow> actual = reportRowsOfFile(env_->path("temp.cds"));
    blankAmbiguousName(expected);
    blankAmbiguousName(actual);
    EXPECT_EQ(actual, expected) << "actual:\n" << describe(actual) << "expected:\n" << describe(expected);
}

// A session that ends (log-out, kill) ends the built program cleanly whatever window is open:
// each termination signal with the lookup dialog, the date drop-down and a message box open,
// repeated, while a spinning thread keeps one core busy. The database client library's own
// handler used to shut the library down on a thread of its own that raced the program's exit
// (a crash, exit 139, now and then).
TEST_P(ReportByMouse, TheBuiltProgramEndsCleanlyOnEachSignalWhateverWindowIsOpen)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool";
    insertFixture(*db_, shopFixture());
    // Where to click, relative to the window's top-left corner.
    Tfrmcust_prod& form = shownForm();
    const QPoint lookupButton = form.CUST1->mapTo(&form, buttonOf(form.CUST1));
    const QPoint dropDownButton = form.bsSkinDateEdit1->mapTo(&form, buttonOf(form.bsSkinDateEdit1));
    // OK with today's dates: the fixture has no sales today, so the no-data box comes up.
    const QPoint ok = form.bsSkinButton1->mapTo(&form, form.bsSkinButton1->rect().center());
    form_.reset();
    db_.reset();

    VirtualDisplay display;
    ASSERT_FALSE(display.name().isEmpty()) << "Xvfb did not start";
    std::filesystem::copy_file(std::string(CUSTPROD_EXEDIR) + "/cust_prod", env_->path("cust_prod"));
    const QProcessEnvironment environment = display.programEnvironment(env_->path("home"));

    std::atomic<bool> spinning{true};
    std::thread busy([&] {
        volatile std::uint64_t n = 0;
        while (spinning.load(std::memory_order_relaxed))
            n = n + 1;
    });
    struct Opener {
        const char* window;
        QPoint click;
    };
    const Opener openers[] = {{"lookup dialog", lookupButton}, {"date drop-down", dropDownButton}, {"message box", ok}};
    for (int round = 0; round < 2; ++round) {
        for (const Opener& opener : openers) {
            for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
                const std::string what = std::string(opener.window) + ", signal " + std::to_string(signal);
                QProcess program;
                program.setProcessEnvironment(environment);
                program.start(QString::fromStdString(env_->path("cust_prod")), {});
                ASSERT_TRUE(program.waitForStarted(10000)) << what;
                const QString pid = QString::number(program.processId());
                const QString window = display.windowOf(program);
                ASSERT_FALSE(window.isEmpty()) << what << ": no window";
                QTest::qWait(300);
                const QPoint corner = display.geometryOf(window).topLeft();
                display.clickAt(corner + opener.click);
                QTest::qWait(300);
                // The dialog and the box are windows of their own; the drop-down is a pop-up.
                if (std::string(opener.window) != "date drop-down") {
                    const QStringList windows =
                        display.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), pid})
                            .split('\n', Qt::SkipEmptyParts);
                    EXPECT_GE(windows.size(), 2) << what << ": the window did not open";
                }
                // A process id of 0 would signal the whole process group of the test.
                const pid_t target = static_cast<pid_t>(program.processId());
                ASSERT_GT(target, 0) << what << ": the program ended before the signal";
                ::kill(target, signal);
                const bool finished = program.waitForFinished(20000);
                if (!finished)
                    program.kill();
                EXPECT_TRUE(finished) << what << ": the program did not end";
                EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << what << ": crashed";
                EXPECT_EQ(program.exitCode(), 0) << what << "\n" << program.readAllStandardError().toStdString();
                program.waitForFinished(5000);
            }
        }
    }
    spinning = false;
    busy.join();
}

INSTANTIATE_TEST_SUITE_P(Embedded, ReportByMouse, ::testing::Values(Engine::Embedded),
                         [](const auto& info) { return std::string(engineName(info.param)); });

TEST_P(ReportRunEmbeddedTest, ParameterFileIsFoundWhateverItsLetterCase)
{
    insertFixture(*db_, shopFixture());
    std::filesystem::rename(env_->path("Tarnvik.dat"), env_->path("TARNVIK.DAT"));
    runReport("", "", "2024/01/01", "2024/12/31");
    EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
    EXPECT_FALSE(form_->isVisible());
}

TEST_P(ReportRunEmbeddedTest, NullsInReturnRows)
{
    // Each case lives on a day of its own, so that one database serves them all.
    Fixture f;
    f.products = {{"P01", "Pen"}, {"PN", std::nullopt}};
    struct Case {
        const char* what;
        FixtureDocument saleOfTheDay;
        FixtureDocument returnOfTheDay;
        std::string message; // empty: the run succeeds
    };
    QDate day(2024, 1, 1);
    auto next = [&day] { return day = day.addDays(1); };
    std::vector<Case> cases;
    const std::string toString = "Could not convert variant of type (Null) into type (String)";  // ends in ')', which sorts before '.': no period added
    const std::string toDouble = "Could not convert variant of type (Null) into type (Double)";
    {
        QDate d = next();
        cases.push_back({"null customer code", sale("S1", "A1", "a", d, {{"P01", 1, 5}}),
                         {true, "R1", std::nullopt, "a", d, {{"P01", 1, 1}}}, toString});
        d = next();
        cases.push_back({"null price", sale("S2", "A1", "a", d, {{"P01", 1, 5}}),
                         giveBack("R2", "A1", "a", d, {{"P01", std::nullopt, 1}}), toDouble});
        d = next();
        cases.push_back({"null customer name, inserted", sale("S3", "A1", "a", d, {{"P01", 1, 5}}),
                         {true, "R3", "A2", std::nullopt, d, {{"P01", 1, 1}}}, toString});
        d = next();
        cases.push_back({"null customer name, updating", sale("S4", "A1", "a", d, {{"P01", 1, 5}}),
                         {true, "R4", "A1", std::nullopt, d, {{"P01", 1, 1}}}, ""});
        d = next();
        cases.push_back({"null product name, inserted", sale("S5", "A1", "a", d, {{"P01", 1, 5}}),
                         giveBack("R5", "A1", "a", d, {{"PN", 1, 1}}), toString});
    }
    for (const Case& c : cases) {
        f.documents.push_back(c.saleOfTheDay);
        f.documents.push_back(c.returnOfTheDay);
    }
    insertFixture(*db_, f);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString date = c.saleOfTheDay.date.toString("yyyy/MM/dd");
        runReport("", "", date, date);
        if (c.message.empty()) {
            EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
            EXPECT_FALSE(form_->isVisible());
        } else {
            EXPECT_EQ(lastMessage(), c.message);
            EXPECT_TRUE(form_->isVisible());
            EXPECT_TRUE(tableExists(tableName())) << "a failed build leaves its table";
        }
    }
}

TEST_P(ReportRunEmbeddedTest, BadInput)
{
    insertFixture(*db_, shopFixture());
    const QString y0 = "2024/01/01", y1 = "2024/12/31";

    runReport("", "", "2024/13/45", y1);
    EXPECT_EQ(lastMessage(), "'2024/13/45' is not a valid date.");
    EXPECT_EQ(reportTablesLeft(), 0) << "nothing done in the database";

    runReport("", "", y0, y1, "abc");
    ASSERT_EQ(shownMessages_.size(), 1u);
    EXPECT_NE(lastMessage().find("conversion error"), std::string::npos) << "the server's message: " << lastMessage();
    EXPECT_TRUE(tableExists(tableName()));
    EXPECT_TRUE(form_->isVisible());

    // A missing parameter file stops the run after the old hand-off files are gone.
    env_->writeFile("temp.cds", "old");
    env_->writeFile("temp2.cds", "old");
    std::filesystem::rename(env_->path("Tarnvik.dat"), env_->path("elsewhere.dat"));
    const int tablesBefore = reportTablesLeft();
    runReport("", "", y0, y1);
    EXPECT_EQ(lastMessage().rfind("Cannot open file \"" + env_->path("Tarnvik.dat") + "\". ", 0), 0u) << lastMessage();
    EXPECT_FALSE(fileExists(env_->path("temp.cds")));
    EXPECT_FALSE(fileExists(env_->path("temp2.cds")));
    EXPECT_EQ(reportTablesLeft(), tablesBefore);

    env_->writeFile("Tarnvik.dat", "not a dataset file");
    runReport("", "", y0, y1);
    ASSERT_EQ(shownMessages_.size(), 1u);
    EXPECT_NE(lastMessage().find("Tarnvik.dat"), std::string::npos) << lastMessage();
    EXPECT_EQ(reportTablesLeft(), tablesBefore);
    EXPECT_TRUE(form_->isVisible());
}

TEST_P(ReportRunEmbeddedTest, HandoffIniThatCannotBeWrittenStopsTheRunBeforeTheFiles)
{
    // A directory where "rpttemp.ini" belongs cannot be written, whoever runs the test (file
    // permissions do not stop the superuser).
    insertFixture(*db_, shopFixture());
    std::filesystem::create_directory(env_->path("rpttemp.ini"));
    runReport("", "", "2024/01/01", "2024/12/31");
    EXPECT_EQ(lastMessage(), "Unable to write to " + env_->path("rpttemp.ini") + ".");
    EXPECT_TRUE(form_->isVisible());
    EXPECT_FALSE(fileExists(env_->path("temp.cds")));
    EXPECT_FALSE(fileExists(env_->path("temp2.cds")));
    EXPECT_TRUE(previewCalls().empty());
    EXPECT_TRUE(tableExists(tableName())) << "no clean-up before the preview step";
}

TEST_P(ReportRunEmbeddedTest, WorkDirectoryThatCannotBeMadeStopsTheRunWithItsName)
{
    // An executable's directory this user may not write (here: one that does not exist, which
    // stops the superuser too) sends the hand-off files to the user's data directory; that one
    // cannot be made when its parent is a plain file.
    insertFixture(*db_, shopFixture());
    newForm();
    env_->writeFile("plainfile", "");
    const QByteArray previousDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(env_->path("plainfile")));
    ExeDir::setOverride(env_->path("not-there"));
    runReport("", "", "2024/01/01", "2024/12/31");
    ExeDir::setOverride(env_->dir());
    if (previousDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousDataHome);

    EXPECT_EQ(lastMessage(), "Cannot create the work directory \"" + env_->path("plainfile") + "/cust_prod\". Not a directory.");
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(reportTablesLeft(), 0) << "nothing done in the database";
    for (const char* name : {"temp.cds", "temp2.cds", "rpttemp.ini"})
        EXPECT_FALSE(fileExists(env_->path(name))) << name;
    EXPECT_TRUE(previewCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Embedded, ReportRunEmbeddedTest, ::testing::Values(Engine::Embedded),
                         [](const auto& info) { return std::string(engineName(info.param)); });

// The server goes away in the middle of a run: the program's connection goes through a relay
// that drops every connection when the run reaches a chosen phase. The test's own connection
// goes to the server directly and sees what the run left behind.
class ReportRunServerLossTest : public ReportRunTest {
protected:
    void SetUp() override
    {
        ReportRunTest::SetUp();
        if (IsSkipped())
            return;
        relay_ = std::make_unique<TcpRelay>(findTestServer()->host, 3050);
        // "host:path" becomes "host/port:path".
        const size_t colon = database_.find(':');
        const std::string relayed = database_.substr(0, colon) + "/" + std::to_string(relay_->port()) + database_.substr(colon);
        const auto server = findTestServer();
        env_->writeConnection(relayed, server->user, server->password);
    }

    void TearDown() override
    {
        form_.reset();
        run_.reset();
        relay_.reset();
        ReportRunTest::TearDown();
    }

    // Drops every connection of the relay when the run reaches `phase`, or, with `packets`,
    // once that many more client packets have gone through (inside the phase's statements).
    class CutAt : public ReportRunObserver {
    public:
        CutAt(TcpRelay& relay, ReportPhase phase, int packets) : relay_(relay), phase_(phase), packets_(packets) {}
        void phaseStarted(ReportPhase phase) override
        {
            if (phase != phase_ || armed)
                return;
            armed = true;
            if (packets_ == 0)
                relay_.cutAll();
            else
                relay_.cutAfterClientPackets(packets_);
        }
        bool armed = false;

    private:
        TcpRelay& relay_;
        ReportPhase phase_;
        int packets_;
    };

    // A window whose OK runs a report run that this test observes, through the button's own
    // click and error report.
    Tfrmcust_prod& observedForm(ReportRunObserver& observer)
    {
        newForm();
        run_ = std::make_unique<ReportRun>(*form_);
        run_->setObserver(&observer);
        form_->bsSkinButton1->OnClick = [this](QObject*) { run_->run(); };
        return *form_;
    }

    std::string tableName() const override { return run_->values().TMPTABLE; }

    std::unique_ptr<TcpRelay> relay_;
    std::unique_ptr<ReportRun> run_;
};

TEST_P(ReportRunServerLossTest, ServerGoneDuringTheRunGivesAMessageAndLeavesOnlyWhatAFailedRunLeaves)
{
    insertFixture(*db_, shopFixture());
    struct Case {
        const char* what;
        ReportPhase cutAt;
        int afterPackets;
        const char* plugin;
        int gauge;
        bool handoffFiles;   // written before the server went away
        bool previewCalled;
        const char* alsoShown;  // an earlier error of the run that must not be lost
    };
    const Case cases[] = {
        {"before the return merge", ReportPhase::MergeReturns, 0, REPORT_TEST_PREVIEW, 3, false, false, nullptr},
        // Inside the merge's statements: with a transaction started, a statement prepared,
        // rows being fetched.
        {"in the merge, 1 packet on", ReportPhase::MergeReturns, 1, REPORT_TEST_PREVIEW, 3, false, false, nullptr},
        {"in the merge, 2 packets on", ReportPhase::MergeReturns, 2, REPORT_TEST_PREVIEW, 3, false, false, nullptr},
        {"in the merge, 3 packets on", ReportPhase::MergeReturns, 3, REPORT_TEST_PREVIEW, 3, false, false, nullptr},
        {"in the merge, 5 packets on", ReportPhase::MergeReturns, 5, REPORT_TEST_PREVIEW, 3, false, false, nullptr},
        {"in the merge, 8 packets on", ReportPhase::MergeReturns, 8, REPORT_TEST_PREVIEW, 3, false, false, nullptr},
        {"before the result fetch", ReportPhase::ResultFetch, 0, REPORT_TEST_PREVIEW, 9, false, false, nullptr},
        {"during the preview: the clean-up fails", ReportPhase::CleanUp, 0, REPORT_TEST_PREVIEW, 5, true, true, nullptr},
        {"preview missing, then the clean-up fails", ReportPhase::Preview, 0, nullptr, 5, true, false,
         "Unable to Load DLL.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        usePlugin(c.plugin);
        std::filesystem::remove(env_->path("showform.log"));
        std::filesystem::remove(env_->path("rpttemp.ini"));
        env_->writeFile("temp.cds", "old");
        env_->writeFile("temp2.cds", "old");
        CutAt cut(*relay_, c.cutAt, c.afterPackets);
        observedForm(cut);
        const int tablesBefore = reportTablesLeft();
        const int cutBefore = relay_->connectionsCut();
        runReport("", "", "2024/01/01", "2024/12/31");

        ASSERT_TRUE(cut.armed);
        ASSERT_GT(relay_->connectionsCut(), cutBefore) << "the run ended before the server went away";
        ASSERT_EQ(shownMessages_.size(), 1u);
        const std::string message = lastMessage();
        EXPECT_NE(message.find("connection"), std::string::npos) << "says what went wrong: " << message;
        if (c.alsoShown) {
            EXPECT_EQ(message.rfind(c.alsoShown, 0), 0u) << "the preview's error comes first: " << message;
        }
        EXPECT_TRUE(form_->isVisible());
        EXPECT_EQ(form_->bsSkinGauge1->Value(), c.gauge);
        EXPECT_TRUE(tableExists(tableName())) << "a run that cannot reach the server cannot drop its table";
        EXPECT_EQ(reportTablesLeft(), tablesBefore + 1);
        EXPECT_EQ(fileExists(env_->path("temp.cds")), c.handoffFiles);
        EXPECT_EQ(fileExists(env_->path("temp2.cds")), c.handoffFiles);
        EXPECT_EQ(fileExists(env_->path("rpttemp.ini")), c.handoffFiles);
        EXPECT_EQ(previewCalls().size(), c.previewCalled ? 1u : 0u);

        // OK again, with the server reachable again: the connection is opened again before
        // the run, and the run succeeds; what the failed run left stays.
        const std::string leftBehind = tableName();
        const int connectionsBefore = relay_->connectionsAccepted();
        usePlugin(REPORT_TEST_PREVIEW);
        cut.armed = true;  // no second cut
        runReport("", "", "2024/01/01", "2024/12/31");
        EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
        EXPECT_FALSE(form_->isVisible());
        EXPECT_EQ(relay_->connectionsAccepted(), connectionsBefore + 1) << "one new connection";
        EXPECT_FALSE(tableExists(tableName()));
        EXPECT_TRUE(tableExists(leftBehind));
        EXPECT_EQ(reportTablesLeft(), tablesBefore + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Server, ReportRunServerLossTest, ::testing::Values(Engine::Server),
                         [](const auto& info) { return std::string(engineName(info.param)); });

// A real stop and start of the server, between two runs and during one. The server is the
// test's own: the shared one keeps running for the other tests.
class ReportRunServerRestartTest : public ReportRunTest {
protected:
    void SetUp() override
    {
        ReportRunTest::SetUp();
        if (IsSkipped())
            return;
        server_ = std::make_unique<PrivateFirebirdServer>();
        if (!server_->unavailable().empty())
            GTEST_SKIP() << "no server of the test's own: " << server_->unavailable();
        db_.reset();
        database_ = server_->databaseAddress("restart.fdb");
        createDatabaseFile(database_, server_->user(), server_->password());
        db_ = env_->connect(database_, Engine::Server);
        createPosTables(*db_);
        insertFixture(*db_, shopFixture());
    }

    void TearDown() override
    {
        form_.reset();
        db_.reset();
        server_.reset();
        ReportRunTest::TearDown();
    }

    void restartServer()
    {
        ASSERT_TRUE(server_->stop());
        ASSERT_TRUE(server_->start());
        // The test's own connection went with the server too.
        db_ = env_->connect(database_, Engine::Server);
    }

    std::unique_ptr<PrivateFirebirdServer> server_;
};

TEST_P(ReportRunServerRestartTest, OkWorksAgainOnceTheServerIsBack)
{
    const QString year[] = {"2024/01/01", "2024/12/31"};
    runReport("", "", "2025/06/01", "2025/06/30");  // nothing found: the window stays
    ASSERT_EQ(shownMessages_, std::vector<QString>{noDataMessage});
    const std::string leftByFirstRun = tableName();

    // The server restarts between two runs: the next OK connects again and the run succeeds.
    restartServer();
    runReport("", "", year[0], year[1]);
    EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_FALSE(tableExists(tableName()));
    EXPECT_TRUE(tableExists(leftByFirstRun));
    expectWholeYearOfTheShop();
}

TEST_P(ReportRunServerRestartTest, ServerDownAtOkOrDuringTheRun)
{
    runReport("", "", "2025/06/01", "2025/06/30");
    ASSERT_EQ(shownMessages_, std::vector<QString>{noDataMessage});
    ASSERT_EQ(form_->bsSkinGauge1->Value(), 3);

    // Stopped during the run: the statement in flight fails with the client library's message;
    // the table made before stays.
    class StopAt : public ReportRunObserver {
    public:
        explicit StopAt(PrivateFirebirdServer& server) : server_(server) {}
        void phaseStarted(ReportPhase phase) override
        {
            if (phase == ReportPhase::MergeReturns && armed) {
                armed = false;
                stopped = server_.stop();
            }
        }
        bool armed = true;
        bool stopped = false;

    private:
        PrivateFirebirdServer& server_;
    } stopAt(*server_);
    ReportRun run(*form_);
    run.setObserver(&stopAt);
    form_->bsSkinButton1->OnClick = [&run](QObject*) { run.run(); };
    runReport("", "", "2024/01/01", "2024/12/31");
    ASSERT_TRUE(stopAt.stopped);
    ASSERT_EQ(shownMessages_.size(), 1u);
    EXPECT_NE(lastMessage().find("connection"), std::string::npos) << lastMessage();
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(form_->bsSkinGauge1->Value(), 3);
    const std::string leftByStoppedRun = run.values().TMPTABLE;

    // Still down at the next OK: the server's message, the window as it was.
    runReport("", "", "2024/01/01", "2024/12/31");
    ASSERT_EQ(shownMessages_.size(), 1u);
    EXPECT_NE(lastMessage().find("Unable to complete network request"), std::string::npos) << lastMessage();
    EXPECT_TRUE(form_->isVisible());

    // Back: OK works again.
    ASSERT_TRUE(server_->start());
    db_ = env_->connect(database_, Engine::Server);
    EXPECT_TRUE(tableExists(leftByStoppedRun)) << "made and committed before the server stopped";
    runReport("", "", "2024/01/01", "2024/12/31");
    EXPECT_TRUE(shownMessages_.empty()) << lastMessage();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_FALSE(tableExists(run.values().TMPTABLE));
    expectWholeYearOfTheShop();
}

INSTANTIATE_TEST_SUITE_P(Server, ReportRunServerRestartTest, ::testing::Values(Engine::Server),
                         [](const auto& info) { return std::string(engineName(info.param)); });

}
