#include "DatasetFile.h"
#include "TextCodec.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <limits>

namespace {

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun cdstool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(CUSTPROD_EXEDIR "/cdstool"), args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

}

TEST(CdsTool, ParamWritesTheTitleInBig5AndDumpReadsItBack)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Tarnvik.dat");
    const QString title = QStringLiteral("客戶區間商品數量表 \"年度\"\\");
    ASSERT_EQ(cdstool({"param", title, "-o", file}).exitCode, 0);

    const DataPacket packet = DatasetFile::load(file.toStdString());
    ASSERT_EQ(packet.fields.size(), 1u);
    EXPECT_EQ(packet.fields[0].name, "REP_TITLE");
    EXPECT_EQ(packet.rows.at(0).at(0).asString(), TextCodec::toCp950(title));

    const ToolRun dump = cdstool({"dump", file});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.out, "{\"fields\":[{\"name\":\"REP_TITLE\",\"type\":\"string\",\"size\":50}]}\n"
                        "{\"REP_TITLE\":\"客戶區間商品數量表 \\\"年度\\\"\\\\\"}\n");
}

TEST(CdsTool, DumpWritesNumbersAsNumbersAndNullsAsNull)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("temp.cds").toStdString();
    DataPacket p;
    p.fields = {{"ID", FieldType::String, 10, true},
                {"QTY", FieldType::Float, 0, false},
                {"N", FieldType::LargeInt, 0, false},
                {"RAW", FieldType::Blob, 0, false}};
    p.rows = {{TextCodec::utf8ToCp950("甲\t1"), -2.5, std::numeric_limits<int64_t>::max(), std::string("\x00\xff", 2)},
              {Variant(), std::numeric_limits<double>::quiet_NaN(), Variant(), Variant()}};
    DatasetFile::save(file, p);

    const ToolRun dump = cdstool({"dump", QString::fromStdString(file)});
    EXPECT_EQ(dump.exitCode, 0);
    const QStringList lines = dump.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], "{\"ID\":\"甲\\t1\",\"QTY\":-2.5,\"N\":9223372036854775807,\"RAW\":\"AP8=\"}");
    EXPECT_EQ(lines[2], "{\"ID\":null,\"QTY\":null,\"N\":null,\"RAW\":null}");
}

TEST(CdsTool, BadUsageAndBadFilesFailWithAMessage)
{
    QTemporaryDir dir;
    const QString cut = dir.filePath("cut.cds");
    {
        QFile f(cut);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("CPDS\r\n\x1a\n\x01", 9);
    }
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{}, "usage"},
        {{"dump"}, "usage"},
        {{"param", "T"}, "usage"},
        {{"param", "T", "-x", "f"}, "usage"},
        {{"frobnicate"}, "unknown command"},
        {{"dump", dir.filePath("missing.cds")}, "Cannot open file"},
        {{"dump", cut}, "cut short"},
        {{"param", "T", "-o", dir.filePath("no/such/dir.dat")}, "Cannot create file"},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = cdstool(args);
        EXPECT_NE(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(message)) << args.join(' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}
