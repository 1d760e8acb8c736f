// reportbench: times the report run phase by phase on generated databases, on the embedded
// engine and on the loopback server, and replays the statements the run issued through
// isql-fb as the reference. Prints one table.
//
//   reportbench [--sizes SALES:RETURNS,...] [--engines embedded,server] [--work DIR]
//               [--forced-writes on|off]
//
// Default sizes 10000:1000,100000:10000 (add 1000000:50000 for the large case). The server
// is used when scripts/firebird-server.sh has started it (its data directory holds the
// database copies). Databases are generated once per size with mkdemodb (year 2024) and
// copied for each run; the server's copies are restored from a backup through the server,
// so that they belong to the test user, who may then create the report table in them.
//
// Every statement of the run commits, so with forced writes (Firebird's default, and the
// generated databases') each one waits for the disk; "--forced-writes off" shows the same
// work without those waits.

#include "Clock.h"
#include "DatasetFile.h"
#include "ExeDir.h"
#include "DbxConfig.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "ReportRun.h"
#include "ReportRunObserver.h"
#include "TbsSkinDateEdit.h"
#include "TbsSkinEdit.h"
#include "Tfrmcust_prod.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

struct Server {
    std::string host, user, password, dataDir;
};

std::optional<Server> findServer()
{
    const std::string file = QDir::tempPath().toStdString() + "/cust_prod-firebird/server.ini";
    if (!fs::exists(file))
        return std::nullopt;
    TIniFile ini(file);
    Server s{ini.readString("server", "host", "127.0.0.1"), ini.readString("server", "user", ""),
             ini.readString("server", "password", ""), ini.readString("server", "data_dir", "")};
    if (s.user.empty() || s.dataDir.empty())
        return std::nullopt;
    return s;
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void runTool(const QString& program, const QStringList& args);

struct Target {
    std::string database;   // as the program and isql-fb reach it
    std::string file;       // on disk, for removal
};

// A fresh copy of the generated database for one run.
Target freshCopy(const std::string& generated, const std::string& work, const std::string& sales,
                 const std::optional<Server>& server, bool forcedWrites)
{
    Target target;
    QStringList credentials{"-user", "SYSDBA"};
    if (server) {
        const std::string backup = generated + ".fbk";
        if (!fs::exists(backup))
            runTool("gbak", {"-b", "-user", "SYSDBA", QString::fromStdString(generated), QString::fromStdString(backup)});
        target.file = server->dataDir + "/bench-" + sales + ".fdb";
        target.database = server->host + ":" + target.file;
        fs::remove(target.file);
        credentials = {"-user", QString::fromStdString(server->user), "-password", QString::fromStdString(server->password)};
        runTool("gbak", QStringList{"-c"} + credentials
                            + QStringList{QString::fromStdString(backup), QString::fromStdString(target.database)});
    } else {
        target.file = work + "/bench-" + sales + ".fdb";
        target.database = target.file;
        fs::copy_file(generated, target.file, fs::copy_options::overwrite_existing);
        fs::permissions(target.file, fs::perms::all, fs::perm_options::add);
    }
    runTool("gfix", QStringList{"-write", forcedWrites ? "sync" : "async"} + credentials
                        + QStringList{QString::fromStdString(target.database)});
    return target;
}

double runProcess(const QString& program, const QStringList& args, const QString& input = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    if (!input.isEmpty())
        process.setStandardInputFile(input);
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " failed");
    return timer.nsecsElapsed() / 1e9;
}

void runTool(const QString& program, const QStringList& args)
{
    runProcess(program, args);
}

// Records phase times and the statements with their parameter values as literals.
class Recorder : public ReportRunObserver {
public:
    void phaseStarted(ReportPhase phase) override
    {
        const auto now = std::chrono::steady_clock::now();
        if (current_)
            seconds[*current_] += std::chrono::duration<double>(now - started_).count();
        current_ = phase;
        started_ = now;
    }

    void statementIssued(const std::string& text, const std::vector<SqlParam>& params) override
    {
        // One look-up per return row.
        if (text.rfind("SELECT * FROM", 0) == 0)
            ++mergeRows;
        QString sql = QString::fromLatin1(text.data(), qsizetype(text.size()));
        static const QRegularExpression name(QStringLiteral(":([A-Z_]+)"));
        QString replayed;
        qsizetype last = 0;
        for (auto it = name.globalMatch(sql); it.hasNext();) {
            const auto match = it.next();
            replayed += sql.mid(last, match.capturedStart() - last);
            const std::string wanted = match.captured(1).toStdString();
            for (const SqlParam& p : params)
                if (p.name() == wanted) {
                    if (p.dataType() == SqlParam::DataType::Float)
                        replayed += QString::number(p.value().asDouble(), 'g', 17);
                    else
                        replayed += "'" + QString::fromLatin1(p.value().asString().c_str()).replace("'", "''") + "'";
                }
            last = match.capturedEnd();
        }
        replayed += sql.mid(last);
        script += replayed.toLatin1().toStdString() + ";\nCOMMIT;\n";
    }

    std::map<ReportPhase, double> seconds;
    std::string script;
    long mergeRows = 0;

private:
    std::optional<ReportPhase> current_;
    std::chrono::steady_clock::time_point started_;
};

struct Figures {
    std::map<ReportPhase, double> phases;
    double total = 0, replay = 0;
    long mergeRows = 0;
};

Figures measure(const std::string& exeDir, const std::string& database, const std::string& isqlConnect,
                const std::string& user, const std::string& password, const std::string& scriptPath)
{
    writeFile(exeDir + "/dbxconnections.ini",
              "[Dulmar]\nDriverName=Interbase\nDatabase=" + database + "\nRoleName=RoleName\nUser_Name=" + user
                  + "\nPassword=" + password
                  + "\nServerCharSet=\nSQLDialect=3\nBlobSize=-1\nCommitRetain=False\nWaitOnLocks=True\n"
                    "ErrorResourceFile=\nLocaleCode=0000\nInterbase TransIsolation=ReadCommited\nTrim Char=False\n");
    Figures figures;
    Recorder recorder;
    {
        Tfrmcust_prod form;
        form.bsSkinDateEdit1->setText("2024/01/01");
        form.bsSkinDateEdit2->setText("2024/12/31");
        form.bsSkinEdit1->setText("100");
        ReportRun run(form);
        run.setObserver(&recorder);
        QElapsedTimer timer;
        timer.start();
        run.run();
        figures.total = timer.nsecsElapsed() / 1e9;
    }
    figures.phases = recorder.seconds;
    figures.mergeRows = recorder.mergeRows;
    writeFile(scriptPath, "SET NAMES NONE;\nCONNECT '" + isqlConnect + "' USER '" + user + "' PASSWORD '" + password
                              + "';\n" + recorder.script);
    return figures;
}

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({{"sizes", "SALES:RETURNS pairs, comma-separated.", "list", "10000:1000,100000:10000"},
                       {"engines", "embedded, server or both.", "list", "embedded,server"},
                       {"work", "Directory for the generated databases (kept).", "dir"},
                       {"forced-writes", "on (as generated) or off.", "on|off", "on"}});
    parser.process(app);

    QTemporaryDir temp;
    const std::string work = parser.isSet("work") ? parser.value("work").toStdString() : temp.path().toStdString();
    fs::create_directories(work);
    const std::string exeDir = work + "/exedir";
    fs::create_directories(exeDir);
    ExeDir::setOverride(exeDir);
    DbxConfig::setSettingsFileOverride(exeDir + "/no-user-settings.ini");
    writeFile(exeDir + "/dbxdrivers.ini", "[Interbase]\nGetDriverFunc=getSQLDriverINTERBASE\nLibraryName="
                                              + std::string(CUSTPROD_EXEDIR) + "/libdbxfb.so\nVendorLib=libfbclient.so.2\n");
    DataPacket parameters;
    parameters.fields = {{"REP_TITLE", FieldType::String, 50, false}};
    parameters.rows = {{Variant("Benchmark")}};
    DatasetFile::save(exeDir + "/Tarnvik.dat", parameters);
    fs::copy_file(REPORTBENCH_PREVIEW, exeDir + "/libRptPreview.so", fs::copy_options::overwrite_existing);
    MessageBox::setHandler([](const MessageBox::Request& r) {
        std::fprintf(stderr, "message: %s\n", r.text.toUtf8().constData());
        return QMessageBox::Ok;
    });

    const std::optional<Server> server = findServer();
    const QStringList engines = parser.value("engines").split(',');
    const ReportPhase shown[] = {ReportPhase::CreateTable, ReportPhase::FillSales,  ReportPhase::CreateIndex,
                                 ReportPhase::MergeReturns, ReportPhase::Minimum,   ReportPhase::FinalCheck,
                                 ReportPhase::ResultFetch,  ReportPhase::Files,     ReportPhase::CleanUp};
    std::printf("%-8s %-7s %-9s", "sales", "returns", "engine");
    for (ReportPhase p : shown)
        std::printf(" %8s", reportPhaseName(p));
    std::printf(" %9s %8s %8s %6s\n", "ms/return", "run", "replay", "ratio");

    for (const QString& size : parser.value("sizes").split(',')) {
        const QStringList parts = size.split(':');
        const std::string sales = parts.value(0).toStdString(), returns = parts.value(1).toStdString();
        const std::string generated = work + "/demo-" + sales + "-" + returns + ".fdb";
        if (!fs::exists(generated))
            runProcess(QString(CUSTPROD_EXEDIR) + "/mkdemodb",
                       {"--sales-lines", QString::fromStdString(sales), "--return-lines", QString::fromStdString(returns),
                        "--customers", "1000", "--products", "2000", "--year", "2024", QString::fromStdString(generated)});
        for (const QString& engine : engines) {
            const bool onServer = engine == "server";
            if (onServer && !server) {
                std::printf("%-8s %-7s %-9s skipped: no loopback server (scripts/firebird-server.sh start)\n",
                            sales.c_str(), returns.c_str(), "server");
                continue;
            }
            const bool forcedWrites = parser.value("forced-writes") != "off";
            const std::optional<Server> via = onServer ? server : std::nullopt;
            const std::string user = onServer ? server->user : "SYSDBA", password = onServer ? server->password : "";
            Target target = freshCopy(generated, work, sales, via, forcedWrites);
            Figures f = measure(exeDir, target.database, target.database, user, password, work + "/replay.sql");
            // The replay runs on a fresh copy too.
            target = freshCopy(generated, work, sales, via, forcedWrites);
            f.replay = runProcess("isql-fb", {"-q", "-i", QString::fromStdString(work + "/replay.sql")});
            std::printf("%-8s %-7s %-9s", sales.c_str(), returns.c_str(), onServer ? "server" : "embedded");
            for (ReportPhase p : shown)
                std::printf(" %8.3f", f.phases[p]);
            std::printf(" %9.3f %8.2f %8.2f %6.2f\n",
                        f.mergeRows > 0 ? f.phases[ReportPhase::MergeReturns] * 1000 / double(f.mergeRows) : 0.0,
                        f.total, f.replay, f.replay > 0 ? f.total / f.replay : 0.0);
            std::fflush(stdout);
            fs::remove(target.file);
        }
    }
    std::printf("times in seconds; ms/return = merge time per return row; ratio = run / isql-fb replay; forced writes %s\n",
                parser.value("forced-writes") == "off" ? "off" : "on");
    return 0;
}
