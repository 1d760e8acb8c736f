// reportbench: times the report run phase by phase on generated databases, on the embedded
// engine and on the loopback server, and replays the statements the run issued through
// isql-fb as the reference, each followed by COMMIT, with the same phases marked (the
// "isql-fb" rows). "floor" is the merge done as one set-based MERGE on the same indexed
// table, on another fresh copy. Prints one table.
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

double runProcess(const QString& program, const QStringList& args, const QString& output = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(output.isEmpty() ? QProcess::nullDevice() : output);
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
        // The replay marks the same phases, so that its time splits the same way.
        script += phaseMark(reportPhaseName(phase));
    }

    static std::string phaseMark(const std::string& name)
    {
        return "SHELL echo @@phase " + name + " $(date +%s.%N);\n";
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
        const std::string statement = replayed.toLatin1().toStdString() + ";\nCOMMIT;\n";
        script += statement;
        if (current_)
            byPhase[*current_] += statement;
    }

    std::map<ReportPhase, double> seconds;
    std::string script;
    std::map<ReportPhase, std::string> byPhase;
    std::string tableName;
    long mergeRows = 0;

private:
    std::optional<ReportPhase> current_;
    std::chrono::steady_clock::time_point started_;
};

std::string floorScriptPath(const std::string& replayScriptPath)
{
    return replayScriptPath + ".floor.sql";
}

struct Figures {
    std::map<ReportPhase, double> phases;
    std::map<std::string, double> replayPhases;  // by phase name
    double total = 0, replay = 0;
    double floor = 0;  // the merge as one set-based MERGE, on the same indexed table
    long mergeRows = 0;
};

// The replay's output holds "@@phase NAME SECONDS" marks; each phase lasts until the next mark.
std::map<std::string, double> replayPhaseTimes(const std::string& outputPath)
{
    std::map<std::string, double> seconds;
    std::ifstream in(outputPath);
    std::string previous;
    double previousAt = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("@@phase ", 0) != 0)
            continue;
        const QStringList parts = QString::fromStdString(line).split(' ', Qt::SkipEmptyParts);
        if (parts.size() < 3)
            continue;
        const double at = parts[2].toDouble();
        if (!previous.empty())
            seconds[previous] += at - previousAt;
        previous = parts[1].toStdString();
        previousAt = at;
    }
    return seconds;
}

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
        recorder.tableName = run.values().TMPTABLE;
    }
    figures.phases = recorder.seconds;
    figures.mergeRows = recorder.mergeRows;
    const std::string connect
        = "SET NAMES NONE;\nCONNECT '" + isqlConnect + "' USER '" + user + "' PASSWORD '" + password + "';\n";
    writeFile(scriptPath, connect + recorder.script + Recorder::phaseMark("end"));
    // The floor: the run's own table, fill and index, then the returns merged by one MERGE of
    // the grouped return totals (names taken from any row of the group).
    const std::string table = recorder.tableName;
    writeFile(floorScriptPath(scriptPath),
              connect + recorder.byPhase[ReportPhase::CreateTable] + recorder.byPhase[ReportPhase::FillSales]
                  + recorder.byPhase[ReportPhase::CreateIndex] + Recorder::phaseMark("merge")
                  + "MERGE INTO " + table + " T USING (SELECT A.CUST_ID, MAX(A.CUST_NAME) AS CUST_NAME, B.PD_ITEMID, "
                    "MAX(C.PD_ITEMNAME) AS PD_ITEMNAME, B.U_PRICE, SUM(B.V_QTY * -1) AS QTY "
                    "FROM SALBK_MASTER A, SALBK_SUB B, PROD_ITEM C WHERE A.MASTERBILLID = B.MASTERBILLID "
                    "AND B.PD_ITEMID = C.PD_ITEMID AND A.ACC_DATE BETWEEN '2024/01/01' AND '2024/12/31' "
                    "GROUP BY A.CUST_ID, B.PD_ITEMID, B.U_PRICE) S "
                    "ON T.CUST_ID = S.CUST_ID AND T.PROD_ID = S.PD_ITEMID AND T.U_PRICE = S.U_PRICE "
                    "WHEN MATCHED THEN UPDATE SET QTY = T.QTY + S.QTY "
                    "WHEN NOT MATCHED THEN INSERT (CUST_ID, CUST_NAME, PROD_ID, PROD_NAME, U_PRICE, QTY) "
                    "VALUES (S.CUST_ID, S.CUST_NAME, S.PD_ITEMID, S.PD_ITEMNAME, S.U_PRICE, S.QTY);\nCOMMIT;\n"
                  + Recorder::phaseMark("end"));
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
    std::printf(" %9s %8s %8s %6s %7s\n", "ms/return", "run", "replay", "ratio", "floor");

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
            f.replay = runProcess("isql-fb", {"-q", "-i", QString::fromStdString(work + "/replay.sql")},
                                  QString::fromStdString(work + "/replay.out"));
            f.replayPhases = replayPhaseTimes(work + "/replay.out");
            fs::remove(target.file);
            target = freshCopy(generated, work, sales, via, forcedWrites);
            runProcess("isql-fb", {"-q", "-i", QString::fromStdString(floorScriptPath(work + "/replay.sql"))},
                       QString::fromStdString(work + "/floor.out"));
            f.floor = replayPhaseTimes(work + "/floor.out")["merge"];
            const auto perReturn = [&](double mergeSeconds) {
                return f.mergeRows > 0 ? mergeSeconds * 1000 / double(f.mergeRows) : 0.0;
            };
            std::printf("%-8s %-7s %-9s", sales.c_str(), returns.c_str(), onServer ? "server" : "embedded");
            for (ReportPhase p : shown)
                std::printf(" %8.3f", f.phases[p]);
            std::printf(" %9.3f %8.2f %8.2f %6.2f %7.3f\n", perReturn(f.phases[ReportPhase::MergeReturns]), f.total,
                        f.replay, f.replay > 0 ? f.total / f.replay : 0.0, f.floor);
            // The same phases of the replay, and the merge's ratio.
            std::printf("%-8s %-7s %-9s", "", "", "  isql-fb");
            for (ReportPhase p : shown)
                std::printf(" %8.3f", f.replayPhases[reportPhaseName(p)]);
            const double replayMerge = f.replayPhases[reportPhaseName(ReportPhase::MergeReturns)];
            std::printf(" %9.3f %8s %8s %6.2f\n", perReturn(replayMerge), "", "",
                        replayMerge > 0 ? f.phases[ReportPhase::MergeReturns] / replayMerge : 0.0);
            std::fflush(stdout);
            fs::remove(target.file);
        }
    }
    std::printf("times in seconds; ms/return = merge time per return row; ratio = run / isql-fb replay (on the"
                " isql-fb rows: merge / replayed merge); floor = the merge as one MERGE statement; forced writes %s\n",
                parser.value("forced-writes") == "off" ? "off" : "on");
    return 0;
}
