// The main window on a real display, for the test that a long run keeps it painted while user
// input waits (ReportWindowTest): the program's own message loop, OK pressed by the test
// through the X server. The run's first return-merge update is held up by a lock that a
// second connection takes and lets go of after --hold-ms, so that the run stays inside one
// statement for that long.
//
//   report_window_client --exedir DIR --out DIR --hold-ms N --from D --to D [--min X]
//
// Writes <out>/window.txt ("window <id>", "ok <x> <y>", "leave <x> <y>": the window and the
// two buttons' centres on the screen) once the window is shown, <out>/blocked when the lock
// is taken, and <out>/log.txt: one line per event, "<steady clock ms> <what>", what being
// "start" and "end" of each run, "released" and "closed".

#include "DbxConfig.h"
#include "ExeDir.h"
#include "MessageBox.h"
#include "ReportRun.h"
#include "ReportRunObserver.h"
#include "SQLConnection.h"
#include "TbsSkinButton.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "Tfrmcust_prod.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::mutex logMutex;
std::string logPath;

void logEvent(const std::string& what)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    std::lock_guard lock(logMutex);
    std::ofstream(logPath, std::ios::app) << ms << " " << what << "\n";
}

}

int main(int argc, char** argv)
{
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2)
        args[argv[i]] = argv[i + 1];
    if (!args.count("--exedir") || !args.count("--out") || !args.count("--hold-ms")) {
        std::fprintf(stderr, "usage: %s --exedir DIR --out DIR --hold-ms N --from D --to D [--min X]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const std::string exeDir = args["--exedir"];
    const std::string out = args["--out"];
    logPath = out + "/log.txt";
    ExeDir::setOverride(exeDir);
    DbxConfig::setSettingsFileOverride(exeDir + "/user-settings/dbx.ini");
    MessageBox::ScopedHandler answer([](const MessageBox::Request& request) {
        logEvent("message " + request.text.toStdString());
        return QMessageBox::Ok;
    });

    Tfrmcust_prod form;
    ReportRun run(form);

    // The lock that holds the first run's first update: every row of the report table,
    // changed and not committed by a connection of its own.
    TSQLConnection holder;
    holder.setConnectionName("Dulmar");
    holder.setLoadParamsOnConnect(true);
    holder.setLoginPrompt(false);
    holder.open();
    std::thread release;
    struct HoldOnce : ReportRunObserver {
        std::function<void()> hold;
        void phaseStarted(ReportPhase phase) override
        {
            if (phase == ReportPhase::MergeReturns && hold)
                std::exchange(hold, nullptr)();
        }
    } observer;
    const int holdMs = std::stoi(args["--hold-ms"]);
    observer.hold = [&] {
        std::string error;
        IDbxConnection& db = holder.driverConnection();
        if (!db.beginBulk(error) || !db.execute("UPDATE " + run.values().TMPTABLE + " SET QTY = QTY", {}, nullptr, error)) {
            logEvent("hold failed " + error);
            return;
        }
        std::ofstream(out + "/blocked") << "blocked\n";
        release = std::thread([&db, holdMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            std::string ignored;
            logEvent("released");
            db.endBulk(false, ignored);
        });
    };
    run.setObserver(&observer);
    form.bsSkinButton1->OnClick = [&run](QObject*) {
        logEvent("start");
        struct End {
            ~End() { logEvent("end"); }
        } end;
        run.run();
    };

    form.bsSkinDateEdit1->setText(QString::fromStdString(args["--from"]));
    form.bsSkinDateEdit2->setText(QString::fromStdString(args["--to"]));
    form.bsSkinEdit1->setText(QString::fromStdString(args["--min"]));
    form.show();
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, [] { logEvent("closed"); });
    QTimer::singleShot(500, [&] {
        auto centre = [](QWidget* widget) { return widget->mapToGlobal(widget->rect().center()); };
        const QPoint ok = centre(form.bsSkinButton1);
        const QPoint leave = centre(form.bsSkinButton2);
        std::ofstream(out + "/window.txt") << "window " << form.winId() << "\nok " << ok.x() << " " << ok.y()
                                           << "\nleave " << leave.x() << " " << leave.y() << "\n";
    });
    QTimer::singleShot(90000, [] { QCoreApplication::exit(3); });
    const int code = app.exec();
    if (release.joinable())
        release.join();
    return code;
}
