#include "ReportFixture.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct RunResult {
    int exitCode;
    QString errors;
};

RunResult rptrender(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(CUSTPROD_EXEDIR "/rptrender"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

}

TEST(RptRender, WritesThePdfAndFailsWithTheFileNamed)
{
    HandoffDir dir(detailPacket(smallFixtureRows()), headerPacket("C", "P", "T", {}));
    QString pdf = dir.path("out.pdf");
    RunResult ok = rptrender({"--ini", dir.iniPath(), "--pdf", pdf});
    EXPECT_EQ(ok.exitCode, 0) << ok.errors.toStdString();
    EXPECT_GT(QFileInfo(pdf).size(), 1000);

    dir.writeFile("bad.rtm", "<report>\n<detail height=\"x\"/>\n</report>");
    dir.writeFile("rpttemp.ini", "[rpttemp]\npath=bad.rtm\ntempfile=temp.cds\ntempfile2=temp2.cds\n");
    RunResult bad = rptrender({"--ini", dir.iniPath(), "--pdf", dir.path("bad.pdf")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.errors.contains(dir.path("bad.rtm") + ": line 2, column")) << bad.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.path("bad.pdf")));

    EXPECT_EQ(rptrender({"--ini", dir.path("none.ini"), "--pdf", pdf}).exitCode, 1);
    EXPECT_EQ(rptrender({"--pdf"}).exitCode, 2);
    EXPECT_EQ(rptrender({}).exitCode, 2);
}
