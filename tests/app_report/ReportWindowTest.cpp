// A long run and the window: the real main window on an X server (Xvfb) in a process of its
// own (report_window_client), pressed and covered through the X server with xdotool, as a
// user and a window manager would. While the run waits inside one statement, the window that
// was unmapped and mapped again (its content gone, as when uncovered) is painted again; a
// click on OK and one on leave made meanwhile do nothing until the run has ended and are then
// handled in order, as before: a second run, then the window closes.

#include "ReportFixture.h"

#include "DatasetFile.h"
#include "DbTestSupport.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long long nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

bool waitFor(const std::function<bool()>& condition, int ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// An X server of the test's own on the first free display from :90.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        for (int n = 90; n < 200; ++n) {
            if (std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock")
                || std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)))
                continue;
            server_.start("Xvfb", {":" + QString::number(n), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-br", "-noreset"});
            if (!server_.waitForStarted(5000))
                return;
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
            if (waitFor([&] { return std::filesystem::exists(socket); }, 10000)) {
                name_ = ":" + QString::number(n);
                return;
            }
            server_.kill();
            server_.waitForFinished();
        }
    }
    ~VirtualDisplay()
    {
        server_.kill();
        server_.waitForFinished();
    }
    const QString& name() const { return name_; }

    // Runs an X tool on this display; true when it ended well.
    bool tool(const QString& program, const QStringList& args) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", name_);
        process.setProcessEnvironment(env);
        process.start(program, args);
        return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

private:
    QProcess server_;
    QString name_;
};

std::map<std::string, std::pair<long long, long long>> readWindowFile(const std::string& path)
{
    std::map<std::string, std::pair<long long, long long>> values;
    std::ifstream in(path);
    std::string key;
    long long a = 0, b = 0;
    while (in >> key >> a) {
        if (key != "window")
            in >> b;
        values[key] = {a, b};
    }
    return values;
}

// Share of pixels of `after` within a small distance of `before`'s.
double sameShare(const QImage& before, const QImage& after)
{
    if (before.size() != after.size() || before.isNull())
        return 0;
    long long same = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const QRgb p = before.pixel(x, y), q = after.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) < 24)
                ++same;
        }
    return double(same) / (double(before.width()) * before.height());
}

TEST(ReportWindowTest, LongRunKeepsTheWindowPaintedAndInputWaitsForItsEnd)
{
    for (const char* tool : {"Xvfb", "xdotool", "import"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    VirtualDisplay display;
    if (display.name().isEmpty())
        GTEST_SKIP() << "no X server could be started";

    DbTestEnvironment env;
    const std::string database = env.createDatabase(Engine::Embedded, "window.fdb");
    {
        auto db = env.connect(database, Engine::Embedded);
        createPosTables(*db);
        Fixture shop;
        shop.products = {{"P01", "Pen"}};
        shop.documents = {{false, "S1", "A001", "Shop", QDate(2024, 3, 1), {{"P01", 5.0, 10}}},
                          {true, "R1", "A001", "Shop", QDate(2024, 3, 2), {{"P01", 5.0, 3}}}};
        insertFixture(*db, shop);
    }
    DataPacket parameters;
    parameters.fields = {{"REP_TITLE", FieldType::String, 100, false}};
    parameters.rows = {{Variant(std::string("Title"))}};
    DatasetFile::save(env.path("Tarnvik.dat"), parameters);
    const std::string out = env.path("out");
    std::filesystem::create_directories(out);

    // A minimum above every total: each run ends with the no-data message, the window open.
    const int holdMs = 8000;  // long enough for the steps below on a busy machine
    QProcess client;
    QProcessEnvironment clientEnv = QProcessEnvironment::systemEnvironment();
    clientEnv.insert("DISPLAY", display.name());
    clientEnv.insert("QT_QPA_PLATFORM", "xcb");
    client.setProcessEnvironment(clientEnv);
    client.setProcessChannelMode(QProcess::ForwardedChannels);
    client.start(REPORT_WINDOW_CLIENT, {"--exedir", QString::fromStdString(env.dir()), "--out",
                                        QString::fromStdString(out), "--hold-ms", QString::number(holdMs), "--from",
                                        "2024/01/01", "--to", "2024/12/31", "--min", "1000000"});
    ASSERT_TRUE(client.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(out + "/window.txt"); }, 30000)) << "the window did not show";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto window = readWindowFile(out + "/window.txt");
    const QString id = QString::number(window["window"].first);
    auto click = [&](const char* button) {
        // Without --sync, which waits for a motion that does not come when the pointer is there.
        return display.tool("xdotool", {"mousemove", QString::number(window[button].first),
                                        QString::number(window[button].second), "click", "1"});
    };
    const QString before = QString::fromStdString(out + "/before.png");
    const QString after = QString::fromStdString(out + "/after.png");
    ASSERT_TRUE(display.tool("import", {"-window", id, before}));

    ASSERT_TRUE(click("ok"));
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(out + "/blocked"); }, 30000)) << "the run did not reach the merge";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // Uncovered: the X server has no copy of the window's content; the program must paint it.
    ASSERT_TRUE(display.tool("xdotool", {"windowunmap", "--sync", id}));
    ASSERT_TRUE(display.tool("xdotool", {"windowmap", "--sync", id}));
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    ASSERT_TRUE(display.tool("import", {"-window", id, after}));
    ASSERT_TRUE(click("ok"));
    ASSERT_TRUE(click("leave"));
    const long long clicked = nowMs();

    ASSERT_TRUE(client.waitForFinished(90000));
    EXPECT_EQ(client.exitCode(), 0);

    std::vector<std::pair<long long, std::string>> log;
    {
        std::ifstream in(out + "/log.txt");
        long long ms = 0;
        std::string what;
        while (in >> ms && std::getline(in, what))
            log.emplace_back(ms, what.substr(1));
    }
    std::ostringstream text;
    std::vector<std::string> events;
    long long released = 0, firstEnd = 0;
    for (const auto& [ms, what] : log) {
        text << ms << " " << what << "\n";
        if (what.rfind("message", 0) == 0)
            continue;
        events.push_back(what);
        if (what == "released")
            released = ms;
        if (what == "end" && !firstEnd)
            firstEnd = ms;
    }
    // The clicks made during the run are handled after it, in order: a second run, then leave.
    EXPECT_EQ(events, (std::vector<std::string>{"start", "released", "end", "start", "end", "closed"})) << text.str();
    EXPECT_LT(clicked, released) << "the clicks were made while the run waited\n" << text.str();
    EXPECT_GE(firstEnd, released) << text.str();

    const QImage beforeImage(before), afterImage(after);
    const double same = sameShare(beforeImage, afterImage);
    QImage black(afterImage.size(), QImage::Format_RGB32);
    black.fill(Qt::black);
    const double blank = sameShare(black, afterImage);
    EXPECT_LT(blank, 0.5) << "the uncovered window was painted during the run (share of black pixels: " << blank << ")";
    EXPECT_GT(same, 0.6) << "the uncovered window shows the window (share of pixels as before the run: " << same << ")";
}

}
