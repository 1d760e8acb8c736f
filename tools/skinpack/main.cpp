// skinpack: turns a skin directory (an INI file plus the bitmaps its [PICTURES] section names)
// into the two values a form's data carries, and shows what a skin holds.
//
//   skinpack pictures SKIN.INI -o FILE    the "Pictures" value of a stored skin
//   skinpack compress SKIN.INI -o FILE    the "CompressedData" value of a compressed skin
//   skinpack dump [--json] SOURCE         the parsed skin; SOURCE is a skin INI file or a file
//                                         holding either value (recognised by its content)
//
// Exit codes: 0 done, 1 the skin could not be read or written, 2 wrong command line.

#include "Exception.h"
#include "SkinDirectory.h"
#include "SkinDump.h"
#include "SkinZlib.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsSkinData.h"
#include "TbsSkinIni.h"
#include "TbsStoredSkin.h"

#include <QFile>
#include <QJsonDocument>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::cerr << "usage: skinpack pictures SKIN.INI -o FILE\n"
                 "       skinpack compress SKIN.INI -o FILE\n"
                 "       skinpack dump [--json] SOURCE\n";
    return 2;
}

QByteArray readAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(formatMessage(Msg::CannotOpenFile, path, file.errorString().toStdString()));
    return file.readAll();
}

void writeAll(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        throw EFCreateError(formatMessage(Msg::CannotCreateFile, path, file.errorString().toStdString()));
}

bool looksCompressed(const QByteArray& bytes)
{
    // A zlib header: deflate method, and the two bytes a multiple of 31.
    return bytes.size() >= 2 && uchar(bytes[0]) == 0x78 && ((uchar(bytes[0]) << 8) | uchar(bytes[1])) % 31 == 0;
}

bool looksLikePictures(const QByteArray& bytes)
{
    return !bytes.isEmpty() && (bytes[0] == 0 || bytes[0] == 1);
}

void requireSections(const std::string& path)
{
    const QByteArray text = SkinDirectory::readIniText(path);
    const TbsSkinIni ini = TbsSkinIni::fromText(std::string_view(text.constData(), std::size_t(text.size())));
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.sectionExists(section))
            throw Exception(path + ": the skin has no [" + section + "] section");
}

void print(const std::string& text) { std::cout << text; }

int dump(const std::string& source, bool json)
{
    const QByteArray bytes = readAll(source);
    TbsSkinData skin;
    if (looksCompressed(bytes)) {
        TbsCompressedStoredSkin compressed;
        compressed.setCompressedData(bytes);
        const QByteArray content = compressed.Decompress();
        if (content.size() < 4)
            throw EReadError("Stream read error");
        const int version = int(uchar(content[0]) | (uchar(content[1]) << 8) | (uchar(content[2]) << 16) |
                                (uchar(content[3]) << 24));
        if (version != TbsCompressedStoredSkin::kFormatVersion)
            throw Exception(source + ": compressed skin of format version " + std::to_string(version) +
                            ", expected 1");
        skin.LoadFromCompressedStoredSkin(compressed);
    } else if (looksLikePictures(bytes)) {
        std::size_t consumed = 0;
        const TbsSkinPictures pictures = TbsSkinPictures::read(
            reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()), &consumed);
        if (consumed != std::size_t(bytes.size()))
            throw Exception(source + ": " + std::to_string(std::size_t(bytes.size()) - consumed) +
                            " bytes follow the last picture");
        print(json ? QJsonDocument(SkinDump::picturesOnlyJson(pictures)).toJson().toStdString()
                   : SkinDump::picturesOnlyText(pictures));
        return 0;
    } else {
        // Through the compressed form, which dumps the same and keeps the text whole: a
        // stored skin's list of lines would need a string per line, empty ones included.
        requireSections(source);
        TbsCompressedStoredSkin compressed;
        compressed.CompressFromSkinFile(source);
        skin.LoadFromCompressedStoredSkin(compressed);
    }
    print(json ? QJsonDocument(SkinDump::toJson(skin)).toJson().toStdString() : SkinDump::toText(skin));
    return 0;
}

int run(const std::vector<std::string>& args)
{
    if (args.empty())
        return usage();
    const std::string& command = args[0];
    if (command == "dump") {
        if (args.size() == 2)
            return dump(args[1], false);
        if (args.size() == 3 && args[1] == "--json")
            return dump(args[2], true);
        return usage();
    }
    if ((command != "pictures" && command != "compress") || args.size() != 4 || args[2] != "-o")
        return usage();
    const std::string& ini = args[1];
    const std::string& output = args[3];
    if (command == "pictures") {
        TbsStoredSkin stored;
        stored.LoadFromSkinFile(ini);
        writeAll(output, stored.picturesData());
    } else {
        TbsCompressedStoredSkin compressed;
        compressed.CompressFromSkinFile(ini);
        if (compressed.isEmpty())
            requireSections(ini); // says which section is missing
        writeAll(output, compressed.compressedData());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return run(args);
    } catch (const Exception& e) {
        std::cerr << "skinpack: " << e.className() << ": " << e.message() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "skinpack: " << e.what() << "\n";
    }
    return 1;
}
