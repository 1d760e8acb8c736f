// The stored and compressed skins: the "Pictures" and "CompressedData" layouts, building
// them from a skin directory, and their failure rules.
#include "SkinTestSupport.h"
#include "SkinZlib.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsSkinIni.h"
#include "TbsStoredSkin.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

std::uint32_t le32(const QByteArray& b, qsizetype at)
{
    return std::uint32_t(uchar(b[at])) | (std::uint32_t(uchar(b[at + 1])) << 8) |
           (std::uint32_t(uchar(b[at + 2])) << 16) | (std::uint32_t(uchar(b[at + 3])) << 24);
}

TEST(PicturesLayout, WritesFlagsBitmapsAndCount)
{
    TbsSkinPictures pictures;
    pictures.MainPicture = indexedImage(5, 3);
    pictures.MaskPicture = monoImage(5, 3);
    pictures.ActivePictures = {indexedImage(2, 2), indexedImage(3, 1)};
    const QByteArray bytes = pictures.toBytes();

    const QByteArray main = BmpFile::write(pictures.MainPicture);
    const QByteArray mask = BmpFile::write(pictures.MaskPicture);
    QByteArray expected;
    expected.append('\0').append(main).append('\1').append('\0').append(mask);
    expected.append(QByteArray("\x02\x00\x00\x00", 4));
    expected.append(BmpFile::write(pictures.ActivePictures[0])).append(BmpFile::write(pictures.ActivePictures[1]));
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(le32(main, 2), std::uint32_t(main.size())); // each file's length is its size field

    std::size_t consumed = 0;
    const TbsSkinPictures back = TbsSkinPictures::read(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                       std::size_t(bytes.size()), &consumed);
    EXPECT_EQ(consumed, std::size_t(bytes.size()));
    EXPECT_EQ(back.toBytes(), bytes);
    EXPECT_TRUE(back.InactivePicture.isNull());
    EXPECT_EQ(back.MaskPicture.depth(), 1);
}

TEST(PicturesLayout, ReadCases)
{
    const QByteArray bmp = BmpFile::write(indexedImage(3, 3));
    struct Case {
        const char* name;
        QByteArray bytes;
        int pictures;      // numbered pictures read, or -1 for an error
        const char* error; // class name
    };
    const Case cases[] = {
        {"three empty flags, count 0", QByteArray("\x01\x01\x01\x00\x00\x00\x00", 7), 0, nullptr},
        {"negative count reads none", QByteArray("\x01\x01\x01\xFF\xFF\xFF\xFF", 7), 0, nullptr},
        {"any non-zero flag means empty", QByteArray("\x02\xFF\x01\x00\x00\x00\x00", 7), 0, nullptr},
        {"count 1 with its bitmap", QByteArray("\x01\x01\x01\x01\x00\x00\x00", 7) + bmp, 1, nullptr},
        {"empty value", QByteArray(), -1, "EReadError"},
        {"count cut short", QByteArray("\x01\x01\x01\x00\x00", 5), -1, "EReadError"},
        {"count larger than the bitmaps", QByteArray("\x01\x01\x01\x02\x00\x00\x00", 7) + bmp, -1, "EReadError"},
        {"huge count, no bitmaps", QByteArray("\x01\x01\x01\xFF\xFF\xFF\x7F", 7), -1, "EReadError"},
        {"bitmap cut short", QByteArray(1, '\0') + bmp.left(bmp.size() - 3), -1, "EReadError"},
        {"not a bitmap", QByteArray(1, '\0') + QByteArray("XY") + bmp.mid(2), -1, "EInvalidGraphic"},
    };
    for (const Case& c : cases) {
        try {
            const TbsSkinPictures p = TbsSkinPictures::read(c.bytes);
            EXPECT_EQ(int(p.ActivePictures.size()), c.pictures) << c.name;
            EXPECT_EQ(c.error, nullptr) << c.name;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.className(), c.error) << c.name;
        }
    }
}

TEST(StoredSkin, SevenBytePicturesLoadASkinWithoutPictures)
{
    std::vector<Received> log;
    RecordingForm form("main", log);
    TbsStoredSkin stored(&form);
    TbsSkinData skinData(&form);
    stored.Pictures.MainPicture = indexedImage(4, 4);
    stored.setPicturesData(QByteArray("\x01\x01\x01\x00\x00\x00\x00", 7));
    EXPECT_TRUE(stored.Pictures.MainPicture.isNull());
    EXPECT_EQ(stored.picturesData(), QByteArray("\x01\x01\x01\x00\x00\x00\x00", 7));
    stored.IniStrings = lines(minimalSkinText());
    skinData.setStoredSkin(&stored);
    EXPECT_FALSE(skinData.IsEmpty());
    EXPECT_TRUE(skinData.MainPicture().isNull());
    EXPECT_TRUE(skinData.ActivePictures().empty());
    EXPECT_EQ(skinData.ActivePicture(0), nullptr);
}

TEST(StoredSkin, BadPicturesValueLeavesThePicturesAsTheyWere)
{
    TbsStoredSkin stored;
    stored.Pictures.MainPicture = indexedImage(4, 4);
    EXPECT_THROW(stored.setPicturesData(QByteArray("\x00" "BM", 3)), EReadError);
    EXPECT_EQ(stored.Pictures.MainPicture.size(), QSize(4, 4));
}

TEST(StoredSkin, LoadFromSkinFileReadsTheDirectory)
{
    QTemporaryDir dir;
    const std::string path = writeSkinDirectory(dir.path());
    TbsStoredSkin stored;
    stored.LoadFromSkinFile(path);
    EXPECT_EQ(stored.IniStrings, lines(minimalSkinText()));
    EXPECT_EQ(stored.Pictures.MainPicture.size(), QSize(64, 48));
    EXPECT_EQ(stored.Pictures.MainPicture.depth(), 8);
    EXPECT_TRUE(stored.Pictures.InactivePicture.isNull());
    EXPECT_EQ(stored.Pictures.MaskPicture.depth(), 1);
    ASSERT_EQ(stored.Pictures.ActivePictures.size(), 2u);
    EXPECT_EQ(stored.Pictures.ActivePictures[1].size(), QSize(10, 11));
    // The bitmap files travel unchanged.
    QFile main(dir.path() + "/main.bmp");
    ASSERT_TRUE(main.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.picturesData().mid(1, main.size()), main.readAll());
}

TEST(StoredSkin, PictureNamesAreInTheSkinsCodePage)
{
    // The INI text is Big5; the files carry the same names as the file system writes them.
    QTemporaryDir dir;
    const std::string big5Name = "\xB9\xCF\xA4\xF9.bmp"; // 圖片.bmp
    const std::string big5Sub = "\xA5\xD6\\\xAD\xB1.bmp";    // 皮\面.bmp
    std::string text = minimalSkinText();
    text.replace(text.find("picture=main.bmp"), 16, "picture=" + big5Name);
    text.replace(text.find("0=p0.bmp"), 8, "0=" + big5Sub);
    const std::string path = writeSkinDirectory(dir.path(), text);
    ASSERT_TRUE(QFile::rename(dir.path() + "/main.bmp", dir.path() + QString::fromUtf8("/圖片.bmp")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromUtf8("皮")));
    ASSERT_TRUE(QFile::rename(dir.path() + "/p0.bmp", dir.path() + QString::fromUtf8("/皮/面.bmp")));
    TbsStoredSkin stored;
    stored.LoadFromSkinFile(path);
    EXPECT_EQ(stored.Pictures.MainPicture.size(), QSize(64, 48));
    ASSERT_EQ(stored.Pictures.ActivePictures.size(), 2u);
    EXPECT_EQ(stored.Pictures.ActivePictures[0].size(), QSize(59, 52));
    // A name that is missing is reported in readable text.
    QFile::remove(dir.path() + QString::fromUtf8("/圖片.bmp"));
    try {
        stored.LoadFromSkinFile(path);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.message().find("圖片.bmp"), std::string::npos) << e.message();
    }
}

TEST(StoredSkin, LoadFromSkinFileFailures)
{
    QTemporaryDir dir;
    std::string text = minimalSkinText();
    const std::string path = writeSkinDirectory(dir.path(), text);
    TbsStoredSkin stored;
    EXPECT_THROW(stored.LoadFromSkinFile(dir.path().toStdString() + "/missing.ini"), EFOpenError);

    QFile::remove(dir.path() + "/p1.bmp");
    stored.IniStrings = {"kept"};
    EXPECT_THROW(stored.LoadFromSkinFile(path), EFOpenError);
    EXPECT_EQ(stored.IniStrings, std::vector<std::string>{"kept"});

    std::ofstream(dir.path().toStdString() + "/p1.bmp", std::ios::binary) << "not a bitmap at all, no";
    EXPECT_THROW(stored.LoadFromSkinFile(path), EInvalidGraphic);
}

TEST(CompressedSkin, CompressFromSkinFileLayout)
{
    QTemporaryDir dir;
    const std::string path = writeSkinDirectory(dir.path());
    TbsCompressedStoredSkin compressed;
    compressed.CompressFromSkinFile(path);
    const QByteArray data = compressed.compressedData();
    ASSERT_GE(data.size(), 2);
    EXPECT_EQ(uchar(data[0]), 0x78);
    EXPECT_EQ(uchar(data[1]), 0xDA);

    TbsStoredSkin stored;
    stored.LoadFromSkinFile(path);
    QByteArray expected("\x01\x00\x00\x00", 4);
    expected.append(stored.picturesData());
    for (const std::string& line : lines(minimalSkinText()))
        expected.append(QByteArray::fromStdString(line + "\r\n"));
    EXPECT_EQ(compressed.Decompress(), expected);
}

TEST(CompressedSkin, CompressFromSkinFileFailures)
{
    QTemporaryDir dir;
    std::string text = minimalSkinText();
    text.replace(text.find("[FORMINFO]"), 10, "[FORMINFO2]");
    const std::string incomplete = writeSkinDirectory(dir.path(), text);
    TbsCompressedStoredSkin compressed;
    compressed.setCompressedData("previous");
    compressed.CompressFromSkinFile(incomplete); // a section is missing: nothing happens
    EXPECT_EQ(compressed.compressedData(), QByteArray("previous"));

    QTemporaryDir dir2;
    const std::string complete = writeSkinDirectory(dir2.path());
    QFile::remove(dir2.path() + "/mask.bmp");
    EXPECT_THROW(compressed.CompressFromSkinFile(complete), EFOpenError);
    EXPECT_TRUE(compressed.isEmpty()); // emptied before building
}

TEST(CompressedSkin, DecompressSteps)
{
    // Content of several 4,096-byte steps, and an exact multiple of the step.
    for (qsizetype size : {qsizetype(0), qsizetype(1), qsizetype(4096), qsizetype(3 * 4096 + 17)}) {
        QByteArray content(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            content[i] = char((i * 7919) % 251);
        TbsCompressedStoredSkin skin;
        skin.setCompressedData(SkinZlib::compress(content));
        EXPECT_EQ(skin.Decompress(), content) << size;
    }
    TbsCompressedStoredSkin bad;
    bad.setCompressedData(QByteArray("\x78\x9C\x01\x02\x03", 5));
    try {
        bad.Decompress();
        ADD_FAILURE();
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.message(), "compression error");
    }
}

TEST(CompressedSkin, LoadsThePicturesAndTheText)
{
    QTemporaryDir dir;
    const std::string path = writeSkinDirectory(dir.path(), minimalSkinText("from disk"));
    std::vector<Received> log;
    RecordingForm form("main", log);
    auto* compressed = new TbsCompressedStoredSkin(&form);
    compressed->CompressFromSkinFile(path);
    TbsSkinData skinData(&form);
    skinData.setCompressedStoredSkin(compressed);
    EXPECT_FALSE(skinData.IsEmpty());
    EXPECT_EQ(skinData.SkinInfo().SkinName, "from disk");
    EXPECT_EQ(skinData.MainPicture().size(), QSize(64, 48));
    EXPECT_EQ(skinData.MaskPicture().depth(), 1);
    EXPECT_EQ(skinData.ActivePictures().size(), 2u);
    EXPECT_EQ(skinData.IndexOfControlData("panel"), 0);
}

} // namespace
