#include "DatasetFile.h"
#include "Exception.h"
#include "TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

namespace {

// One field of every type, Big5 text (including a trail byte 0x5C), nulls in every column.
DataPacket everyTypePacket()
{
    DataPacket p;
    p.fields = {
        {TextCodec::utf8ToCp950("名稱"), FieldType::String, 10, true},
        {"COUNT", FieldType::Integer, 0, false},
        {"BIG", FieldType::LargeInt, 0, false},
        {"PRICE", FieldType::Float, 0, false},
        {"DAY", FieldType::Date, 0, false},
        {"STAMP", FieldType::DateTime, 0, false},
        {"NOTE", FieldType::Memo, 0, false},
        {"RAW", FieldType::Blob, 0, false},
        {"NINTH", FieldType::String, 3, false}, // a second null-map byte
    };
    p.rows.push_back({TextCodec::utf8ToCp950("許功蓋"), int64_t(-7), std::numeric_limits<int64_t>::min(), 12.5,
                      45000.0, 45000.75, TextCodec::utf8ToCp950("備註\r\n第二行"), std::string("\0\xff\x01", 3),
                      ""});
    p.rows.push_back(DataRow(9)); // all null
    p.rows.push_back({"", int64_t(0), int64_t(1) << 40, -0.0, 0.0, 1e-300, "", "", "abc"});
    return p;
}

std::string sampleBytes()
{
    return DatasetFile::serialize(everyTypePacket());
}

void setU32(std::string& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

}

TEST(DatasetFile, RoundTripThroughAFileKeepsEveryTypeBig5TextAndNulls)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("temp.cds").toStdString();
    const DataPacket original = everyTypePacket();
    DatasetFile::save(path, original);
    const DataPacket loaded = DatasetFile::load(path);
    EXPECT_EQ(loaded, original);
    EXPECT_TRUE(loaded.rows[1][0].isNull());
    EXPECT_FALSE(loaded.rows[2][0].isNull()); // empty text stays distinct from null
    EXPECT_TRUE(std::signbit(loaded.rows[2][3].asDouble()));
}

TEST(DatasetFile, SavingReplacesAnExistingFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("temp.cds").toStdString();
    DatasetFile::save(path, everyTypePacket());
    DataPacket small;
    small.fields = {{"A", FieldType::Integer, 0, false}};
    small.rows = {{int64_t(1)}};
    DatasetFile::save(path, small);
    EXPECT_EQ(DatasetFile::load(path), small);
}

TEST(DatasetFile, LayoutOfTheDocumentedExample)
{
    DataPacket p;
    p.fields = {{"REP_TITLE", FieldType::String, 50, false}};
    p.rows = {{"AB"}};
    const std::string expected("CPDS\r\n\x1a\n"
                               "\x01\x00\x00\x00"
                               "\x01\x00\x00\x00\x01\x00\x00\x00"
                               "\x09\x00REP_TITLE\x01\x00\x32\x00\x00\x00"
                               "\x00\x02\x00\x00\x00"
                               "AB",
                               20 + 2 + 9 + 6 + 1 + 4 + 2);
    EXPECT_EQ(DatasetFile::serialize(p), expected);
}

TEST(DatasetFile, EveryShorterPrefixIsRejectedAsCutShort)
{
    const std::string bytes = sampleBytes();
    for (size_t length = 0; length < bytes.size(); ++length) {
        try {
            DatasetFile::parse(bytes.substr(0, length), "/x/temp.cds");
            ADD_FAILURE() << "accepted a file cut to " << length << " bytes";
        } catch (const EReadError& e) {
            EXPECT_NE(std::string(e.what()).find("/x/temp.cds"), std::string::npos) << e.what();
        }
    }
}

TEST(DatasetFile, CorruptFilesAreRejectedWithTheProblem)
{
    const std::string good = sampleBytes();
    const size_t firstField = 20;                       // name length of field 1
    const size_t nameLen = std::strlen(TextCodec::utf8ToCp950("名稱").c_str());
    const size_t typeOffset = firstField + 2 + nameLen; // type code of field 1
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"signature", [](std::string& b) { b[0] = 'X'; }, "signature"},
        {"text-mode copy", [](std::string& b) { b.erase(4, 1); }, "signature"},
        {"version", [](std::string& b) { b[8] = 2; }, "version 2"},
        {"header flags", [](std::string& b) { b[10] = 1; }, "flags"},
        {"huge field count", [](std::string& b) { setU32(b, 12, 0xffffffff); }, "field count"},
        {"huge row count", [](std::string& b) { setU32(b, 16, 0x7fffffff); }, "too many values"},
        {"more rows than bytes", [](std::string& b) { setU32(b, 16, 100000); }, "rows announced"},
        {"fewer rows than stored", [](std::string& b) { setU32(b, 16, 2); }, "after the last row"},
        {"zero-length name", [=](std::string& b) { b[firstField] = 0; b[firstField + 1] = 0; }, "name of 0 bytes"},
        {"unknown type", [=](std::string& b) { b[typeOffset] = 99; }, "type code 99"},
        {"unknown field flag", [=](std::string& b) { b[typeOffset + 1] = 4; }, "unknown flags"},
        {"negative size", [=](std::string& b) { setU32(b, typeOffset + 2, 0x80000000u); }, "size"},
        {"trailing bytes", [](std::string& b) { b += "x"; }, "after the last row"},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        c.damage(bytes);
        try {
            DatasetFile::parse(bytes, "f.cds");
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const EReadError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

TEST(DatasetFile, DuplicateNamesAndRowsWithoutFieldsAreCorrupt)
{
    DataPacket p;
    p.fields = {{"A", FieldType::String, 1, false}, {"B", FieldType::String, 1, false}};
    std::string bytes = DatasetFile::serialize(p);
    bytes[20 + 2] = 'B';
    EXPECT_THROW(DatasetFile::parse(bytes, "f"), EReadError);

    DataPacket none;
    std::string empty = DatasetFile::serialize(none);
    EXPECT_EQ(DatasetFile::parse(empty, "f"), none);
    setU32(empty, 16, 1000000);
    EXPECT_THROW(DatasetFile::parse(empty, "f"), EReadError);
}

TEST(DatasetFile, NullMapWithUnusedBitsIsCorrupt)
{
    DataPacket p;
    p.fields = {{"A", FieldType::Integer, 0, false}};
    p.rows = {{Variant()}};
    std::string bytes = DatasetFile::serialize(p);
    bytes.back() = static_cast<char>(0x03); // bit 1 belongs to no field
    EXPECT_THROW(DatasetFile::parse(bytes, "f"), EReadError);
}

TEST(DatasetFile, MissingFileNamesTheFullPathAndTheReason)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("Tarnvik.dat").toStdString();
    try {
        DatasetFile::load(path);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". No such file or directory");
    }
}

TEST(DatasetFile, DirectoryCannotBeOpenedOrCreated)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString();
    EXPECT_THROW(DatasetFile::load(path), EFOpenError);
    try {
        DatasetFile::save(path, everyTypePacket());
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". Is a directory");
    }
}

TEST(DatasetFile, FileNameIsFoundRegardlessOfLetterCase)
{
    QTemporaryDir dir;
    DataPacket p;
    p.fields = {{"REP_TITLE", FieldType::String, 50, false}};
    p.rows = {{"T"}};
    DatasetFile::save(dir.filePath("Tarnvik.dat").toStdString(), p);
    EXPECT_EQ(DatasetFile::load(dir.filePath("Tarnvik.Dat").toStdString()), p);
}

TEST(DatasetFile, ValueThatCannotBeConvertedLeavesTheOldFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("temp.cds").toStdString();
    DatasetFile::save(path, everyTypePacket());
    DataPacket bad;
    bad.fields = {{"PRICE", FieldType::Float, 0, false}};
    bad.rows = {{"not a number"}};
    EXPECT_ANY_THROW(DatasetFile::save(path, bad));
    EXPECT_EQ(DatasetFile::load(path), everyTypePacket());
}
