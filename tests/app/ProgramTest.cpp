// The program's course: leave ends it with exit code 0; a failed start reports "Application
// Error", never shows the main window and ends with exit code 1.

#include "AppTestSupport.h"

#include "DatasetFile.h"
#include "MessageBox.h"
#include "Program.h"
#include "QtTranslation.h"
#include "Schema.h"
#include "TFrmgetdata.h"
#include "TbsSkinButton.h"
#include "Tfrmcust_prod.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <dlfcn.h>
#include <string>
#include <vector>

namespace {

Tfrmcust_prod* shownMainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Tfrmcust_prod*>(w); form && form->isVisible())
            return form;
    return nullptr;
}

}

TEST(Program, LeaveEndsTheProgramWithExitCodeZero)
{
    testQtApp();
    AppTestDir fixture;
    fixture.writeDrivers();
    fixture.writeConnection(fixture.createDatabase("leave.fdb"));
    fixture.useAsExeDir();

    bool clicked = false;
    bool hiddenLookupDialog = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (Tfrmcust_prod* window = shownMainWindow(); window && !clicked) {
            clicked = true;
            // One lookup dialog was created at start-up and stays hidden.
            const auto dialogs = window->findChildren<TFrmgetdata*>();
            hiddenLookupDialog = dialogs.size() == 1 && !dialogs.front()->isVisible();
            window->bsSkinButton2->Click();
        }
    });
    driver.start(10);
    // Should the window never close, the loop still ends and the test fails below.
    QTimer::singleShot(20000, qApp, &QCoreApplication::quit);

    EXPECT_EQ(runProgram(), 0);
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(hiddenLookupDialog);
    // The window freed itself when it closed.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<Tfrmcust_prod*>(w), nullptr);
}

// The database client library catches SIGTERM and SIGINT for itself once a connection is open;
// the program still ends, through its normal course, also from inside a modal message box.
TEST(Program, TerminationSignalEndsTheProgramWithExitCodeZero)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        testQtApp();
        AppTestDir fixture;
        fixture.writeDrivers();
        fixture.writeConnection(fixture.createDatabase("signal.fdb"));
        fixture.useAsExeDir();

        bool raised = false;
        bool boxOpenWhenRaised = false;
        MessageBox::ScopedHandler answer([&](const MessageBox::Request&) {
            // A modal box with its own loop: the signal arrives while it is open.
            boxOpenWhenRaised = true;
            raised = true;
            std::raise(signal);
            QEventLoop modal;
            QTimer::singleShot(20000, &modal, &QEventLoop::quit);
            modal.exec();
            return QMessageBox::Ok;
        });
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (shownMainWindow() && !raised) {
                driver.stop();
                MessageBox::show("cust_prod", "a message");
            }
        });
        driver.start(10);
        bool timedOut = false;
        QTimer::singleShot(20000, qApp, [&] {
            timedOut = true;
            QCoreApplication::quit();
        });

        EXPECT_EQ(runProgram(), 0) << signal;
        EXPECT_TRUE(boxOpenWhenRaised) << signal;
        EXPECT_FALSE(timedOut) << signal;
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<Tfrmcust_prod*>(w), nullptr) << signal;
    }
}

// The client library's own handler would start its shutdown on a thread of its own, racing
// the program's exit (a crash now and then). While the window is open, the termination
// signals are the program's alone. The library sets its handlers up when it is first used,
// once per process, so the check runs in a fresh process (this test program again, given the
// database the parent made) in which the program is the library's first user.
TEST(Program, TerminationSignalsAreTheProgramsAloneOnceTheConnectionIsOpen)
{
    testQtApp();
    const QByteArray childDatabase = qgetenv("CUSTPROD_SIGNAL_TEST_DATABASE");
    if (childDatabase.isEmpty()) {
        AppTestDir fixture;
        const std::string database = fixture.createDatabase("handlers.fdb");
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CUSTPROD_SIGNAL_TEST_DATABASE", QString::fromStdString(database));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=Program.TerminationSignalsAreTheProgramsAloneOnceTheConnectionIsOpen")});
        ASSERT_TRUE(child.waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
        return;
    }

    AppTestDir fixture;
    fixture.writeDrivers();
    fixture.writeConnection(childDatabase.toStdString());
    fixture.useAsExeDir();
    std::vector<std::string> handlerHomes;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (Tfrmcust_prod* window = shownMainWindow()) {
            driver.stop();
            for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
                struct sigaction current {};
                ::sigaction(signal, nullptr, &current);
                Dl_info info{};
                const bool found = ::dladdr(reinterpret_cast<void*>(current.sa_handler), &info) && info.dli_fname;
                handlerHomes.push_back(found ? info.dli_fname : "?");
            }
            window->bsSkinButton2->Click();
        }
    });
    driver.start(10);
    QTimer::singleShot(20000, qApp, &QCoreApplication::quit);

    EXPECT_EQ(runProgram(), 0);
    ASSERT_EQ(handlerHomes.size(), 3u);
    for (const std::string& home : handlerHomes) {
        EXPECT_EQ(home.find("fbclient"), std::string::npos) << home;
        EXPECT_NE(home, "?");
    }
}

TEST(Program, FailedStartIsReportedAndTheWindowNeverShown)
{
    testQtApp();
    AppTestDir fixture;
    fixture.writeDrivers();  // no connection configuration file
    fixture.useAsExeDir();

    std::vector<MessageBox::Request> boxes;
    bool windowSeen = false;
    MessageBox::ScopedHandler answer([&](const MessageBox::Request& box) {
        boxes.push_back(box);
        windowSeen = windowSeen || shownMainWindow() != nullptr;
        return QMessageBox::Ok;
    });

    EXPECT_EQ(runProgram(), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Application Error");
    EXPECT_TRUE(boxes[0].text.startsWith("Exception EDatabaseError in module ")) << boxes[0].text.toStdString();
    EXPECT_TRUE(boxes[0].text.contains("dbxconnections.ini' not found.\r\n")) << boxes[0].text.toStdString();
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(shownMainWindow(), nullptr);
}

// The program speaks Traditional Chinese also through Qt's own texts: the box of a report that
// finds nothing says 確定, not OK, while the program runs; Qt's texts are as before after it.
TEST(Program, NoDataMessageBoxButtonSpeaksTraditionalChinese)
{
    testQtApp();
    if (!QFile::exists(QtTranslation::directory() + QStringLiteral("/qtbase_zh_TW.qm")))
        GTEST_SKIP() << "Qt's Traditional Chinese translations are not installed";
    AppTestDir fixture;
    fixture.writeDrivers();
    std::vector<std::string> tables(Schema::kTables, Schema::kTables + Schema::kTableCount);
    fixture.writeConnection(fixture.createDatabase("empty.fdb", tables));
    DataPacket parameters;
    parameters.fields = {{"REP_TITLE", FieldType::String, 50, false}};
    parameters.rows = {{Variant(std::string("Tarnvik"))}};
    DatasetFile::save(fixture.path("Tarnvik.dat"), parameters);
    fixture.useAsExeDir();

    QString shownText;
    QStringList buttonTexts;
    MessageBox::ScopedHandler answer([&](const MessageBox::Request& request) {
        shownText = request.text;
        const auto box = MessageBox::createBox(request);
        for (QAbstractButton* button : box->buttons())
            buttonTexts << button->text();
        return QMessageBox::Ok;
    });
    bool pressed = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        Tfrmcust_prod* window = shownMainWindow();
        if (!window)
            return;
        if (!pressed) {
            pressed = true;
            window->bsSkinButton1->Click();  // the empty tables give the no-data message
        } else {
            driver.stop();
            window->bsSkinButton2->Click();
        }
    });
    driver.start(10);
    QTimer::singleShot(30000, qApp, &QCoreApplication::quit);

    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(shownText, QStringLiteral("查無符合資料,請重新查詢..."));
    EXPECT_EQ(buttonTexts, QStringList{QStringLiteral("確定")});
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
}
