// The skin packer end to end: its two values and its dump, on our skins.
#include "SkinTestSupport.h"
#include "TbsStoredSkin.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

using namespace skintest;

namespace {

const QString kSkinpack = QStringLiteral(CUSTPROD_EXEDIR "/skinpack");
const std::string kSkins = CUSTPROD_SOURCE_DIR "/skins";

struct PackerRun {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

PackerRun skinpack(const QStringList& args)
{
    QProcess p;
    p.start(kSkinpack, args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QJsonObject dumpJson(const QString& source)
{
    const PackerRun r = skinpack({"dump", "--json", source});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).object();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Skinpack, PicturesValueRoundTrip)
{
    QTemporaryDir dir;
    const QString ini = QString::fromStdString(kSkins + "/stored/SKIN.INI");
    const QString out = dir.path() + "/pictures.bin";
    const PackerRun r = skinpack({"pictures", ini, "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    TbsStoredSkin stored;
    stored.LoadFromSkinFile(ini.toStdString());
    EXPECT_EQ(readFile(out), stored.picturesData());

    const QJsonObject fromIni = dumpJson(ini);
    const QJsonObject fromValue = dumpJson(out);
    EXPECT_EQ(fromValue["pictures"], fromIni["pictures"]);
    EXPECT_TRUE(fromValue["skininfo"].isNull());
    EXPECT_TRUE(fromValue["forminfo"].isNull());
    EXPECT_TRUE(fromValue["objects"].toArray().isEmpty());
    EXPECT_EQ(fromIni["pictures"]["main"], (QJsonArray{150, 108, 8}));
    EXPECT_EQ(fromIni["pictures"]["mask"], (QJsonArray{150, 108, 1}));
    EXPECT_TRUE(fromIni["pictures"]["inactive"].isNull());
    EXPECT_EQ(fromIni["pictures"]["active"].toArray().size(), 8);
}

TEST(Skinpack, CompressedValueRoundTrip)
{
    QTemporaryDir dir;
    const QString ini = QString::fromStdString(kSkins + "/compressed/SKIN.INI");
    const QString out = dir.path() + "/compressed.bin";
    const PackerRun r = skinpack({"compress", ini, "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray data = readFile(out);
    ASSERT_GE(data.size(), 2);
    EXPECT_EQ(uchar(data[0]), 0x78);
    EXPECT_EQ(uchar(data[1]), 0xDA);

    const QJsonObject fromIni = dumpJson(ini);
    const QJsonObject fromValue = dumpJson(out);
    EXPECT_EQ(fromValue, fromIni);
    EXPECT_EQ(fromIni["skininfo"]["skinname"], "Calm Blue");

    // Values by reader type.
    EXPECT_EQ(fromIni["forminfo"]["clientrect"], (QJsonArray{4, 26, 122, 92}));
    EXPECT_EQ(fromIni["forminfo"]["lefttoppoint"], (QJsonArray{26, 26}));
    EXPECT_EQ(fromIni["forminfo"]["inactiveeffect"], 0);
    EXPECT_EQ(fromIni["forminfo"]["buttonsinleft"], false);
    const QJsonArray objects = fromIni["objects"].toArray();
    QJsonObject caption, close;
    for (const QJsonValue& o : objects) {
        if (o["idname"] == "caption")
            caption = o.toObject();
        if (o["idname"] == "closebutton")
            close = o.toObject();
    }
    EXPECT_EQ(caption["class"], "TbsDataSkinCaption");
    const QJsonObject captionFields = caption["fields"].toObject();
    const QJsonObject closeFields = close["fields"].toObject();
    EXPECT_EQ(captionFields["fontstyle"], (QJsonArray{"fsbold"}));
    EXPECT_EQ(captionFields["alignment"], "taleftjustify");
    EXPECT_EQ(captionFields["shadow"], true);
    EXPECT_EQ(captionFields["shadowcolor"], 16777215);
    EXPECT_TRUE(captionFields["fontname"].isString());
    EXPECT_EQ(closeFields["command"], "cmclose");
    EXPECT_EQ(closeFields["morphkind"], 0);
    const QJsonArray controls = fromIni["controls"].toArray();
    ASSERT_FALSE(controls.isEmpty());
    EXPECT_EQ(controls[0]["class"], "TbsDataSkinPanelControl");
    EXPECT_EQ(controls[0]["idname"], "panel");
}

TEST(Skinpack, TextDumpAndFailures)
{
    const PackerRun text = skinpack({"dump", QString::fromStdString(kSkins + "/compressed/SKIN.INI")});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains("skinname=Calm Blue"));
    EXPECT_TRUE(text.out.contains("[control 0: panel (TbsDataSkinPanelControl)]"));

    QTemporaryDir dir;
    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        const char* message;
    };
    std::string incomplete = minimalSkinText();
    incomplete.replace(incomplete.find("[SKINCONTROLS]"), 14, "[CONTROLS]");
    const std::string incompletePath = writeSkinDirectory(dir.path(), incomplete);
    {
        QFile f(dir.path() + "/corrupt.bin");
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray("\x78\xDA\x01\x02\x03\x04", 6));
    }
    const Case cases[] = {
        {"no arguments", {}, 2, "usage"},
        {"unknown command", {"pack", "x"}, 2, "usage"},
        {"missing output", {"compress", "x.ini"}, 2, "usage"},
        {"missing source", {"dump", dir.path() + "/none.ini"}, 1, "Cannot open file"},
        {"corrupt compressed value", {"dump", dir.path() + "/corrupt.bin"}, 1, "compression error"},
        {"incomplete skin cannot be compressed",
         {"compress", QString::fromStdString(incompletePath), "-o", dir.path() + "/out.bin"}, 1, "[SKINCONTROLS]"},
        {"incomplete skin cannot be dumped", {"dump", QString::fromStdString(incompletePath)}, 1, "[SKINCONTROLS]"},
    };
    for (const Case& c : cases) {
        const PackerRun r = skinpack(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
        EXPECT_TRUE(r.err.contains(c.message)) << c.name << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.path() + "/out.bin"));
}

} // namespace
