#include "Exception.h"
#include "IniFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path = dir.filePath("test.ini").toStdString();
};

}

TEST_F(IniFileTest, ReadsLikeTheProfileFunctions)
{
    writeAll(path,
             "; connections\r\n"
             "[Dulmar]\r\n"
             "DriverName=Interbase\r\n"
             "  Database = localhost:/data/POSDATA.GDB  \r\n"
             "User_Name=\"SYSDBA\"\r\n"
             "Password='masterkey'\r\n"
             "Quoted=\"half\r\n"
             "; a comment = not a key\r\n"
             "junk line without equals\r\n"
             "Empty=\r\n"
             "drivername=second one is ignored\r\n"
             "[ other ]\r\n"
             "Database=elsewhere\r\n"
             "[Dulmar]\r\n"
             "Extra=from a second section of the same name\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.readString("DULMAR", "drivername", "x"), "Interbase");
    EXPECT_EQ(ini.readString("Dulmar", "DATABASE", "x"), "localhost:/data/POSDATA.GDB");
    EXPECT_EQ(ini.readString("Dulmar", "User_Name", "x"), "SYSDBA");
    EXPECT_EQ(ini.readString("Dulmar", "Password", "x"), "masterkey");
    EXPECT_EQ(ini.readString("Dulmar", "Quoted", "x"), "\"half");
    EXPECT_EQ(ini.readString("Dulmar", "Empty", "x"), "");
    EXPECT_EQ(ini.readString("Dulmar", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.readString("Dulmar", "Extra", "dflt"), "dflt");
    EXPECT_EQ(ini.readString("Other", "Database", "x"), "elsewhere");
    EXPECT_EQ(ini.readString("Nowhere", "Database", "dflt"), "dflt");
    EXPECT_TRUE(ini.sectionExists("dulmar"));
    EXPECT_FALSE(ini.sectionExists("Interbase"));

    const std::vector<std::string> keys{"DriverName", "Database", "User_Name", "Password", "Quoted", "Empty"};
    EXPECT_EQ(ini.readSection("Dulmar"), keys);
    const auto values = ini.readSectionValues("Dulmar");
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(values[1], std::make_pair(std::string("Database"), std::string("localhost:/data/POSDATA.GDB")));
    EXPECT_TRUE(ini.readSection("Nowhere").empty());
    EXPECT_EQ(ini.readSections(), (std::vector<std::string>{"Dulmar", "other"}));
}

TEST_F(IniFileTest, MissingFileReadsAsEmpty)
{
    TIniFile ini(path);
    EXPECT_EQ(ini.readString("a", "b", "dflt"), "dflt");
    EXPECT_FALSE(ini.sectionExists("a"));
    EXPECT_TRUE(ini.readSectionValues("a").empty());
}

TEST_F(IniFileTest, Big5NamesAndValuesAreBytesAndTrailBytesAreNotCaseFolded)
{
    // "許" is A7 5C and "功" is A5 5C; A4 61 ("a" as trail byte) differs from A4 41 ("A").
    writeAll(path, "[\xA4\x61]\nkey=\xA7\x5C\xA5\x5C\n[\xA4\x41]\nkey=upper\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.readString("\xA4\x61", "KEY", ""), "\xA7\x5C\xA5\x5C");
    EXPECT_EQ(ini.readString("\xA4\x41", "key", ""), "upper");
}

TEST_F(IniFileTest, WriteKeepsEverythingElse)
{
    const std::string original =
        "; hand-off settings\r\n"
        "[Other]\r\n"
        "a=1\r\n"
        "\r\n"
        "[RPTTEMP]\r\n"
        "Path = old\r\n"
        "; keep me\r\n"
        "custom=kept\r\n"
        "\r\n"
        "[Last]\r\n"
        "z=26";  // no line ending on the last line
    writeAll(path, original);
    TIniFile ini(path);
    ini.writeString("rpttemp", "path", "/exe/rtm/cust_prod.rtm");
    ini.writeString("rpttemp", "tempfile", "/exe/temp.cds");
    ini.writeString("New", "k", "v");
    ini.writeString("Last", "y", "25");

    EXPECT_EQ(readAll(path),
              "; hand-off settings\r\n"
              "[Other]\r\n"
              "a=1\r\n"
              "\r\n"
              "[RPTTEMP]\r\n"
              "path=/exe/rtm/cust_prod.rtm\r\n"
              "; keep me\r\n"
              "custom=kept\r\n"
              "tempfile=/exe/temp.cds\r\n"
              "\r\n"
              "[Last]\r\n"
              "z=26\r\n"
              "y=25\r\n"
              "\r\n"
              "[New]\r\n"
              "k=v\r\n");
    EXPECT_EQ(ini.readString("RptTemp", "PATH", ""), "/exe/rtm/cust_prod.rtm");
}

TEST_F(IniFileTest, WriteCreatesTheFileAndKeepsKeyOrder)
{
    TIniFile ini(path);
    ini.writeString("rpttemp", "path", "p");
    ini.writeString("rpttemp", "tempfile", "t");
    ini.writeString("rpttemp", "tempfile2", "t2");
    ini.writeString("rpttemp", "path", "p2");
    EXPECT_EQ(readAll(path), "[rpttemp]\npath=p2\ntempfile=t\ntempfile2=t2\n");
}

TEST_F(IniFileTest, WriteFailuresAreReportedAndChangeNothing)
{
    TIniFile unwritable(dir.filePath("no/such/dir/x.ini").toStdString());
    try {
        unwritable.writeString("s", "k", "v");
        FAIL();
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + unwritable.fileName());
    }

    writeAll(path, "[s]\nk=v\n");
    TIniFile ini(path);
    // A line break would smuggle extra lines into the file.
    EXPECT_THROW(ini.writeString("s", "k", "v\n[evil]"), EIniFileException);
    EXPECT_THROW(ini.writeString("s", "a=b", "v"), EIniFileException);
    EXPECT_THROW(ini.writeString("s]", "k", "v"), EIniFileException);
    EXPECT_THROW(ini.writeString("", "k", "v"), EIniFileException);
    EXPECT_EQ(readAll(path), "[s]\nk=v\n");
}

TEST_F(IniFileTest, DirectoryInPlaceOfTheFileReadsAsEmptyAndRefusesWrites)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("test.ini"));
    TIniFile ini(path);
    EXPECT_EQ(ini.readString("s", "k", "default"), "default");
    EXPECT_EQ(ini.readInteger("s", "k", 7), 7);
    EXPECT_FALSE(ini.sectionExists("s"));
    EXPECT_TRUE(ini.readSections().empty());
    const std::string message = "Unable to write to " + path;
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { ini.writeString("s", "k", "v"); },
             [&] { ini.deleteKey("s", "k"); },
             [&] { ini.eraseSection("s"); }}) {
        try {
            write();
            ADD_FAILURE() << "no error";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.message(), message);
        }
    }
}

TEST_F(IniFileTest, DeleteKeyAndEraseSection)
{
    writeAll(path, "[a]\nx=1\ny=2\n[b]\nz=3\n");
    TIniFile ini(path);
    ini.deleteKey("A", "X");
    ini.eraseSection("b");
    ini.deleteKey("missing", "x");
    EXPECT_EQ(readAll(path), "[a]\ny=2\n");
    EXPECT_EQ(ini.readInteger("a", "y", 0), 2);
    EXPECT_EQ(ini.readInteger("a", "x", 7), 7);
}
