// One clerk's desk for the load test and the concurrency benchmark: a process of its own (the
// report run needs the main window, and a window lives on its process's one user-interface
// thread), with its own EXEDIR, that presses OK a given number of times with the given
// criteria, as a user would, each run in a newly started main window with its own connection.
//
//   report_load_client --exedir DIR --out DIR --runs N [--start-at EPOCH_MS]
//                      [--clock yyyy-MM-ddTHH:mm:ss] [--cust1 X] [--cust2 X] --from D --to D
//                      [--min X] [--relay-to HOST:PORT --hold-us N]
//
// EXEDIR holds the two configuration files, the preview plug-in and Tarnvik.dat (made with a
// title of its own when missing). --start-at
// makes every client press OK at the same moment; --clock fixes the time of day that the
// report table's name starts with, so that every run shares one second. For run i the client
// writes <out>/run-<i>.txt: "ok", "nodata" or "error" on the first line, the messages shown,
// then "table=<report table>" and "seconds=<run time>"; and, for "ok", <out>/run-<i>.cds, the result file of that run.

#include "Clock.h"
#include "DatasetFile.h"
#include "IniFile.h"
#include "TcpRelay.h"
#include "DbxConfig.h"
#include "ExeDir.h"
#include "MessageBox.h"
#include "ReportRun.h"
#include "ReportRunObserver.h"
#include "TbsSkinButton.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "TextCodec.h"
#include "Tfrmcust_prod.h"

#include <QApplication>
#include <QDateTime>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2)
        args[argv[i]] = argv[i + 1];
    if (!args.count("--exedir") || !args.count("--out") || !args.count("--from") || !args.count("--to")) {
        std::fprintf(stderr, "usage: %s --exedir DIR --out DIR --runs N --from D --to D [...]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const std::string exeDir = args["--exedir"];
    const std::string out = args["--out"];
    ExeDir::setOverride(exeDir);
    DbxConfig::setSettingsFileOverride(exeDir + "/user-settings/dbx.ini");
    // A desk set up by a script may come without its parameter file.
    if (!std::filesystem::exists(exeDir + "/Tarnvik.dat")) {
        DataPacket parameters;
        parameters.fields = {{"REP_TITLE", FieldType::String, 100, false}};
        parameters.rows = {{Variant(std::string("Report"))}};
        DatasetFile::save(exeDir + "/Tarnvik.dat", parameters);
    }
    if (args.count("--clock"))
        Clock::set(QDateTime::fromString(QString::fromStdString(args["--clock"]), Qt::ISODate));

    std::vector<QString> shown;
    MessageBox::ScopedHandler answer([&shown](const MessageBox::Request& request) {
        shown.push_back(request.text);
        return QMessageBox::Ok;
    });

    if (args.count("--start-at")) {
        const auto startAt = std::chrono::system_clock::time_point(std::chrono::milliseconds(std::stoll(args["--start-at"])));
        std::this_thread::sleep_until(startAt);
    }

    // The last statement a run issued, to tell where a failed run stopped; and the time each
    // phase took, for the benchmark.
    struct Recorder : ReportRunObserver {
        void phaseStarted(ReportPhase phase) override
        {
            const auto now = std::chrono::steady_clock::now();
            const long long sent = relay ? relay->clientPackets() : 0;
            if (current) {
                seconds[*current] += std::chrono::duration<double>(now - since).count();
                packets[*current] += sent - packetsSince;
            }
            current = phase;
            since = now;
            packetsSince = sent;
        }
        void statementIssued(const std::string& text, const std::vector<SqlParam>&) override
        {
            last = text;
            if (current)
                ++statements[*current];
        }
        const TcpRelay* relay = nullptr;
        std::optional<ReportPhase> current;
        std::chrono::steady_clock::time_point since;
        long long packetsSince = 0;
        std::map<ReportPhase, double> seconds;
        std::map<ReportPhase, long long> packets;
        std::map<ReportPhase, int> statements;
        std::string last;
    };

    // A wide-area link: the connection goes through a relay that holds each packet.
    std::unique_ptr<TcpRelay> relay;
    if (args.count("--relay-to")) {
        const std::string target = args["--relay-to"];
        const size_t colon = target.rfind(':');
        relay = std::make_unique<TcpRelay>(target.substr(0, colon), std::uint16_t(std::stoi(target.substr(colon + 1))));
        relay->setHold(std::chrono::microseconds(args.count("--hold-us") ? std::stoll(args["--hold-us"]) : 0));
        // "host[/port]:path" becomes "127.0.0.1/<relay port>:path".
        TIniFile connections(exeDir + "/dbxconnections.ini");
        const std::string database = connections.readString("Dulmar", "Database", "");
        connections.writeString("Dulmar", "Database",
                                "127.0.0.1/" + std::to_string(relay->port()) + database.substr(database.find(':')));
    }

    const int runs = args.count("--runs") ? std::stoi(args["--runs"]) : 1;
    for (int run = 1; run <= runs; ++run) {
        shown.clear();
        std::filesystem::remove(exeDir + "/temp.cds");
        auto began = std::chrono::steady_clock::now();
        std::string outcome;
        std::string table;
        Recorder recorder;
        recorder.relay = relay.get();
        try {
            Tfrmcust_prod form;
            form.show();
            ReportRun reportRun(form);
            reportRun.setObserver(&recorder);
            form.bsSkinButton1->OnClick = [&reportRun](QObject*) { reportRun.run(); };
            form.CUST1->setText(QString::fromStdString(args["--cust1"]));
            form.CUST2->setText(QString::fromStdString(args["--cust2"]));
            form.bsSkinDateEdit1->setText(QString::fromStdString(args["--from"]));
            form.bsSkinDateEdit2->setText(QString::fromStdString(args["--to"]));
            form.bsSkinEdit1->setText(QString::fromStdString(args["--min"]));
            // The run alone: from OK to its end, without the program's start.
            began = std::chrono::steady_clock::now();
            form.bsSkinButton1->Click();
            table = reportRun.values().TMPTABLE;
            if (!form.isVisible() && shown.empty())
                outcome = "ok";
            else if (shown.size() == 1 && shown[0] == QStringLiteral("查無符合資料,請重新查詢..."))
                outcome = "nodata";
            else
                outcome = "error";
        } catch (const std::exception& error) {
            shown.push_back(QString::fromUtf8(error.what()));
            outcome = "error";
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        const std::string base = out + "/run-" + std::to_string(run);
        std::ofstream report(base + ".txt");
        report << outcome << "\n";
        for (const QString& message : shown)
            report << message.toStdString() << "\n";
        if (outcome == "error")
            report << "statement: " << recorder.last << "\n";
        for (const auto& [phase, time] : recorder.seconds)
            report << "phase " << reportPhaseName(phase) << "=" << time << " statements=" << recorder.statements[phase]
                   << " packets=" << recorder.packets[phase] << "\n";
        report << "table=" << table << "\n";
        report << "seconds=" << seconds << "\n";
        if (outcome == "ok")
            std::filesystem::copy_file(exeDir + "/temp.cds", base + ".cds",
                                       std::filesystem::copy_options::overwrite_existing);
    }
    return 0;
}
