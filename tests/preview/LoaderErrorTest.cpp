#include "ReportErrors.h"
#include "ReportFixture.h"
#include "ReportLoader.h"

#include "DatasetFile.h"

#include <QFile>

#include <functional>

#include <gtest/gtest.h>

namespace {

HandoffDir goodDir()
{
    return HandoffDir(detailPacket(smallFixtureRows()),
                      headerPacket(QStringLiteral("客戶區間商品數量表"), QStringLiteral("查詢年月: 2024/01/01～2024/01/31"),
                                   QStringLiteral("大同茶業"), QString()));
}

// The message of the failure of load(), or "" when it succeeded.
std::string failureOf(const QString& iniPath)
{
    try {
        ReportLoader::load(iniPath, QDateTime::currentDateTime());
        return {};
    } catch (const Exception& e) {
        return e.message();
    }
}

}

TEST(ReportLoader, ReadsTheHandoffWithBackslashPaths)
{
    ensureApplication();
    HandoffDir dir = goodDir();
    HandoffFiles files = ReportLoader::readHandoff(dir.iniPath());
    EXPECT_EQ(files.templatePath, shippedTemplatePath());
    EXPECT_EQ(files.detailPath, dir.path("temp.cds"));
    auto document = ReportLoader::load(dir.iniPath(), QDateTime::currentDateTime());
    EXPECT_EQ(document->caption(), QStringLiteral("客戶區間商品數量表"));
    EXPECT_EQ(document->data().detail.rows.size(), 5u);
}

TEST(ReportLoader, RelativePathsAreBesideTheIni)
{
    ensureApplication();
    HandoffDir dir = goodDir();
    QFile::copy(shippedTemplatePath(), dir.path("report.rtm"));
    dir.writeFile("rpttemp.ini", "[RptTemp]\nPATH = report.rtm\ntempfile=temp.cds\ntempfile2=\"temp2.cds\"\n");
    EXPECT_EQ(failureOf(dir.iniPath()), "");
}

TEST(ReportLoader, EveryFailureNamesTheFileAndTheProblem)
{
    ensureApplication();
    struct Case {
        const char* name;
        std::function<void(const HandoffDir&)> spoil;
        QString file;    // the file the message must name (relative to the directory)
        const char* problem;
    };
    const Case cases[] = {
        {"missing ini", [](const HandoffDir& d) { QFile::remove(d.iniPath()); }, "rpttemp.ini", "Cannot open file"},
        {"missing key", [](const HandoffDir& d) { d.writeFile("rpttemp.ini", "[rpttemp]\npath=x.rtm\ntempfile=temp.cds\n"); },
         "rpttemp.ini", "\"tempfile2\""},
        {"missing template", [](const HandoffDir& d) { d.writeFile("rpttemp.ini", "[rpttemp]\npath=rtm\\none.rtm\ntempfile=temp.cds\ntempfile2=temp2.cds\n"); },
         "rtm/none.rtm", "Cannot open file"},
        {"template XML error",
         [](const HandoffDir& d) {
             d.writeFile("bad.rtm", "<report>\n  <detail height=\"5\">\n    <text>x</txet>\n  </detail>\n</report>\n");
             d.writeFile("rpttemp.ini", "[rpttemp]\npath=bad.rtm\ntempfile=temp.cds\ntempfile2=temp2.cds\n");
         },
         "bad.rtm", "line 3, column "},
        {"missing rows file", [](const HandoffDir& d) { QFile::remove(d.path("temp.cds")); }, "temp.cds", "Cannot open file"},
        {"corrupt header file", [](const HandoffDir& d) { d.writeFile("temp2.cds", "this is not a dataset"); }, "temp2.cds", ""},
        {"cut rows file",
         [](const HandoffDir& d) {
             QFile f(d.path("temp.cds"));
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.resize(f.size() / 2);
         },
         "temp.cds", ""},
        {"header without record",
         [](const HandoffDir& d) {
             DataPacket header = headerPacket("c", "p", "t", {});
             header.rows.clear();
             DatasetFile::save(QFile::encodeName(d.path("temp2.cds")).toStdString(), header);
         },
         "temp2.cds", "no header record"},
        {"rows without AMT",
         [](const HandoffDir& d) {
             DataPacket rows = detailPacket(smallFixtureRows());
             rows.fields.pop_back();
             for (auto& row : rows.rows)
                 row.pop_back();
             DatasetFile::save(QFile::encodeName(d.path("temp.cds")).toStdString(), rows);
         },
         "temp.cds", "field \"AMT\" not found"},
    };
    for (const Case& c : cases) {
        HandoffDir dir = goodDir();
        c.spoil(dir);
        std::string message = failureOf(dir.iniPath());
        ASSERT_NE(message, "") << c.name;
        EXPECT_NE(message.find(dir.path(c.file).toStdString()), std::string::npos) << c.name << ": " << message;
        EXPECT_NE(message.find(c.problem), std::string::npos) << c.name << ": " << message;
    }
}
